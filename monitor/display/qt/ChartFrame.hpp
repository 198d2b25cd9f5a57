// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The chart region: the chart frame fraGraph with the three strip charts (rate,
// thickness, frequency), one shown at a time, and the settings strip
// fraGraphSetup at its right. The plot rules (modGraph) fill the charts' data;
// this frame draws the chart shown and forwards the strip's events.

#include <QComboBox>
#include <QFrame>
#include <QLineEdit>
#include <array>
#include <string>

#include "GraphSetup.hpp"
#include "MainView.hpp"
#include "Resizer.hpp"
#include "StripChart.hpp"

namespace zelvo::qt {

class ChartFrame : public IChart, public IGraphStrip {
  public:
    ChartFrame(QWidget* host, Resizer& resizer, MainState& state);

    void GraphInit() override;
    void GraphReading() override;
    void SetSeriesLabel(int channel, const std::string& name) override;
    // Shows series 1 to count, labelled with the channel names; hides the rest.
    void ShowSeries(int count);
    // Restores each chart's appearance and slot count from its state file
    // (paths of the rate, thickness and frequency charts); LoadData follows.
    void LoadStateFiles(const std::array<std::string, kChartCount>& paths);
    // The chart steps of LoadData: axes from the settings, then GraphInit.
    void LoadData();
    // Shows chart 1 to 3 (0: none) with the Y-axis title of the unit mode and
    // applies the Y bounds in the strip.
    void ShowChart(int chart);
    // Fills the X unit and X scroll lists and selects the settings in force.
    void FillLists();
    // The colour-depth rule for the strip: with few colours the button face,
    // otherwise the background of chart 1.
    void ColourStrip(bool fewColours);

    // The settings strip's boxes, for the plot rules.
    std::string Text(StripBox box) const override;
    void SetText(StripBox box, const std::string& text) override;
    void Focus(StripBox box) override;

    const GraphState& Graphs() const { return graphs_; }

    QFrame* fraGraph;
    QFrame* fraGraphSetup;
    std::array<StripChart*, kChartCount> Graph{};
    QLineEdit* txtYMax;
    QLineEdit* txtYMin;
    QLineEdit* txtXAxis;
    QComboBox* cboXUnits;
    QComboBox* cboXScroll;

  private:
    QLineEdit* Box(StripBox box) const;
    void ConnectStrip();
    // Draws the charts whose data changed, if shown.
    void Redraw(const std::array<bool, kChartCount>& changed);
    void RedrawAll() { Redraw({true, true, true}); }
    void TitleXAxes();

    MainState& state_;
    GraphState graphs_;
    StripEntries entries_{graphs_, state_, *this};
    int shown_ = 0;
};

}  // namespace zelvo::qt
