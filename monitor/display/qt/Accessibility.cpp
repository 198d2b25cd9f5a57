// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Accessibility.hpp"

#include <QAccessible>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <utility>

#include "DisplayTexts.hpp"
#include "MainState.hpp"

namespace zelvo::qt {
namespace {

constexpr uint32_t kNewsIntervalMs = 1000;

// Each label and the control it names, by object name.
constexpr std::pair<const char*, const char*> kLabelled[] = {
    {"lblRunLabel", "txtRun"},    {"lblPeriod", "txtPeriod"}, {"lblInit_0", "txtInit_0"},
    {"lblInit_1", "txtInit_1"},   {"lblInit_2", "txtInit_2"}, {"lblFilter", "txtFilter"},
    {"lblResolution", "cboRate"}, {"lblRows", "cboRows"},     {"lblYMax", "txtYMax"},
    {"lblYMin", "txtYMin"},       {"lblXAxis", "txtXAxis"},   {"lblXUnits", "cboXUnits"},
    {"lblXScroll", "cboXScroll"},
};

QString OneLine(QString text) {
    return text.replace('\n', ' ').replace('\r', ' ').simplified();
}

QString HeaderText(const QTableWidget& grid, int row, int column) {
    const QTableWidgetItem* item =
        row < 0 ? grid.horizontalHeaderItem(column) : grid.verticalHeaderItem(row);
    return item != nullptr ? OneLine(item->text()) : QString();
}

bool Focusable(const QWidget* widget) {
    return (widget->focusPolicy() & Qt::TabFocus) != 0;
}

QString AccessibleName(QWidget* widget) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
    return face != nullptr ? face->text(QAccessible::Name) : QString();
}

}  // namespace

QString CellName(const QTableWidget& grid, int row, int column) {
    QString rowName = HeaderText(grid, row, -1);
    if (rowName.isEmpty()) rowName = QString("Row %1").arg(row + 1);
    return rowName + ", " + HeaderText(grid, -1, column);
}

void NameControls(QWidget* window) {
    for (const auto& [labelName, controlName] : kLabelled) {
        auto* label = window->findChild<QLabel*>(labelName);
        auto* control = window->findChild<QWidget*>(controlName);
        if (label != nullptr && control != nullptr) label->setBuddy(control);
    }
    // A grid is named by its frame's title, the parameter grid by what it holds.
    for (auto* grid : window->findChildren<QTableWidget*>()) {
        if (auto* frame = qobject_cast<QGroupBox*>(grid->parentWidget())) {
            grid->setAccessibleName(frame->title());
        }
    }
    if (auto* params = window->findChild<QTableWidget*>("grdParams")) {
        params->setAccessibleName("Parameters");
    }
    if (auto* readings = window->findChild<QTableWidget*>("grdRdgs")) {
        readings->setAccessibleName("Readings");
    }
    // The charts by their View menu items.
    const char* charts[] = {texts::kRateGraphItem, texts::kThickGraphItem, texts::kFreqGraphItem};
    for (int i = 0; i < 3; ++i) {
        auto* chart = window->findChild<QWidget*>(QString("Graph_%1").arg(i + 1));
        if (chart == nullptr) continue;
        const QString name = QString(charts[i]).remove('&');
        chart->setAccessibleName(name);
        for (QWidget* part : chart->findChildren<QWidget*>()) part->setAccessibleName(name);
    }
    NameControlsFromToolTips(window);
}

void NameControlsFromToolTips(QWidget* root) {
    for (QWidget* widget : root->findChildren<QWidget*>()) {
        if (!Focusable(widget) || widget->toolTip().isEmpty()) continue;
        if (AccessibleName(widget).isEmpty()) widget->setAccessibleName(widget->toolTip());
    }
}

ReadingsNews::ReadingsNews(QTableWidget* readings, const QTableWidget* chooser)
    : readings_(readings), chooser_(chooser) {}

QString ReadingsNews::Text(int16_t runMode) const {
    QString text = runMode == kRunning ? "Running" : runMode == kPaused ? "Paused" : "Stopped";
    const int row = std::max(0, chooser_->currentRow());
    if (row >= readings_->rowCount()) return text;
    text += ". " + HeaderText(*readings_, row, -1) + ":";
    for (int c = 0; c < readings_->columnCount(); ++c) {
        const QTableWidgetItem* cell = readings_->item(row, c);
        if (cell == nullptr || cell->text().isEmpty()) continue;
        text += " " + HeaderText(*readings_, -1, c) + " " + OneLine(cell->text()) + ",";
    }
    text.chop(text.endsWith(',') ? 1 : 0);
    return text;
}

void ReadingsNews::Update(int16_t runMode, uint32_t nowMs) {
    if (toldOnce_ && nowMs - toldAtMs_ < kNewsIntervalMs) return;
    const QString text = Text(runMode);
    if (toldOnce_ && text == told_) return;
    told_ = text;
    toldAtMs_ = nowMs;
    toldOnce_ = true;
    readings_->setAccessibleDescription(text);  // tells the change to assistive technology
}

}  // namespace zelvo::qt
