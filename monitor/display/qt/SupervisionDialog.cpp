// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "SupervisionDialog.hpp"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>

#include "AppInfo.hpp"
#include "Desktop.hpp"
#include "Format.hpp"
#include "QtText.hpp"

namespace zelvo::qt {
namespace {

struct FieldRow {
    SupervisionField field;
    const char* caption;
    const char* tip;
};

constexpr std::array<FieldRow, kSupervisionFields> kRows{{
    {SupervisionField::Target, "Target", "Thickness of the layer; 0 turns the target off."},
    {SupervisionField::Margin, "Target warning",
     "Warn this much before the target; 0 gives no early warning."},
    {SupervisionField::LifeWarning, "Life warning (%)",
     "Warn when the crystal's life falls to this level; 0 turns it off."},
    {SupervisionField::Quality, "Quality (0-9)",
     "Alarm on sustained rate deviation: 1 loose to 9 strict; 0 turns it off."},
    {SupervisionField::StabilityThreshold, "Stability threshold (Hz)",
     "Upward frequency jumps larger than this count as mode hops."},
    {SupervisionField::StabilityAlarm, "Stability alarm (Hz)",
     "Alarm when the run's mode hops add up to this; 0 turns it off."},
}};

std::string ShownValue(const SupervisionSettings& s, SupervisionField field) {
    switch (field) {
        case SupervisionField::Target:
            return FormatNumber(s.target, "0.000");
        case SupervisionField::Margin:
            return FormatNumber(s.margin, "0.000");
        case SupervisionField::LifeWarning:
            return FormatNumber(s.lifeWarning, "0.0");
        case SupervisionField::Quality:
            return std::to_string(s.quality);
        case SupervisionField::StabilityThreshold:
            return FormatNumber(s.stabilityThreshold, "0.0");
        case SupervisionField::StabilityAlarm:
            return FormatNumber(s.stabilityAlarm, "0.0");
    }
    return "";
}

}  // namespace

SupervisionDialog::SupervisionDialog(MainState& state, size_t channel, QWidget* owner)
    : QDialog(owner), state_(state), channel_(channel) {
    setObjectName("frmSupervision");
    setWindowTitle("Supervision - " + FromFileText(state.ChannelName[channel]));
    auto* form = new QFormLayout(this);
    const QString unit = state.Units == 1 ? " (ug/cm2)" : " (kA)";
    const SupervisionSettings& settings = state.ChannelSupervision[channel];
    for (size_t i = 0; i < kRows.size(); ++i) {
        txtField[i] = new QLineEdit(Q(ShownValue(settings, kRows[i].field)), this);
        txtField[i]->setToolTip(kRows[i].tip);
        const bool withUnit = i < 2;
        auto* label = new QLabel(kRows[i].caption + (withUnit ? unit : QString()), this);
        label->setBuddy(txtField[i]);
        form->addRow(label, txtField[i]);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &SupervisionDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &SupervisionDialog::reject);
    form->addRow(buttons);
}

void SupervisionDialog::accept() {
    std::array<double, kSupervisionFields> values{};
    for (size_t i = 0; i < kRows.size(); ++i) {
        const EntryCheck check = CheckSupervision(kRows[i].field, S(txtField[i]->text()));
        if (!check.accepted) {
            Desktop().MessageBox(check.message, GetAppInfo().title, MsgButtons::OK, MsgIcon::None);
            txtField[i]->setFocus();
            txtField[i]->selectAll();
            return;
        }
        values[i] = check.value;
    }
    for (size_t i = 0; i < kRows.size(); ++i) {
        SetSupervision(state_.ChannelSupervision[channel_], kRows[i].field, values[i]);
    }
    QDialog::accept();
}

}  // namespace zelvo::qt
