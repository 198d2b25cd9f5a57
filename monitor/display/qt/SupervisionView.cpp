// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "SupervisionView.hpp"

#include <QStatusBar>

#include "Desktop.hpp"
#include "Format.hpp"
#include "QtText.hpp"

namespace zelvo::qt {
namespace {

const QColor kWarningColour(255, 200, 0);

uint8_t Bit(SupervisionEvent event) {
    return static_cast<uint8_t>(1u << static_cast<unsigned>(event));
}

// "Sensor 1: target at 12.50 s: 0.010 (limit 0.010)".
QString EventText(const MainState& state, size_t channel, const RaisedEvent& raised,
                  double runTime) {
    return FromFileText(state.ChannelName[channel]) + ": " +
           Q(std::string(EventName(raised.event))) + " at " + Q(FormatNumber(runTime, "0.00")) +
           " s: " + Q(EventValueText(raised.event, raised.value)) + " (limit " +
           Q(EventValueText(raised.event, raised.limit)) + ")";
}

}  // namespace

SupervisionView::SupervisionView(QMainWindow& window, MonitorGrid& readings)
    : lblEvents(new QLabel(&window)), readings_(readings) {
    lblEvents->setObjectName("lblEvents");
    window.statusBar()->addWidget(lblEvents, 1);
}

void SupervisionView::Mark(int row, bool warned) {
    QTableWidgetItem* name = readings_.verticalHeaderItem(row);
    if (name == nullptr) return;
    const QBrush brush = warned ? QBrush(kWarningColour) : QBrush();
    if (name->background() != brush) name->setBackground(brush);
}

void SupervisionView::AfterSweep(const MainState& state, double runTime) {
    bool news = false;
    for (size_t ch = 0; ch < kChannelCount; ++ch) {
        const Supervisor& supervisor = state.ChannelSupervisor[ch];
        uint8_t fired = 0;
        for (size_t e = 0; e < kSupervisionEventCount; ++e) {
            const auto event = static_cast<SupervisionEvent>(e);
            if (supervisor.Fired(event)) fired |= Bit(event);
        }
        // The sweep's own events: each is raised once until the channel is reset.
        for (const RaisedEvent& raised : supervisor) {
            lblEvents->setText(EventText(state, ch, raised, runTime));
            news = true;
        }
        if (static_cast<int>(ch) <= state.ShowLast) Mark(static_cast<int>(ch), fired != 0);
    }
    if (news) Desktop().Beep();  // once for the sweep, however many events it raised
}

}  // namespace zelvo::qt
