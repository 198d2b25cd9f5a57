// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One strip chart on screen: draws a chart's data (ChartData) with eight series
// in their line and symbol colours, the series labels of the displayed channels,
// the axis titles, and the X and Y ranges the plot rules set.

#include <QColor>
#include <QSharedPointer>
#include <QWidget>
#include <array>

#include "ChartData.hpp"
#include "ChartStateFile.hpp"

class QCPGraph;
class QCPTextElement;
class QCPAxisTickerFixed;

namespace zelvo::qt {

class StripPlot;

struct SeriesStyle {
    QColor line;
    QColor symbol;
};

class StripChart : public QWidget {
  public:
    StripChart(int chart, QWidget* parent);

    void SetXTitle(const QString& title);
    void SetYTitle(const QString& title);
    // Series 1 to 8: label in the legend and whether the series is shown.
    void SetSeries(int series, const QString& label, bool visible);
    void SetSeriesStyle(int series, const SeriesStyle& style);
    // The appearance of a chart state file: series colours, font family, header.
    void ApplyStyle(const ChartStyle& style);
    // Draws the data's points shown and its axes. Points only added since the
    // last call are appended; when the axes stay, they are drawn in the columns they
    // reach over the kept pictures of the series, axes, grid and legend; nothing
    // changed, nothing drawn. A hidden chart is drawn whole when shown.
    void Show(const ChartData& data);
    // The plot's background, which the settings strip may take.
    QColor Background() const;
    QColor Foreground() const;

    QString XTitle() const;
    QString Header() const;
    QString YTitle() const;
    QString SeriesLabel(int series) const;
    bool SeriesVisible(int series) const;
    SeriesStyle Style(int series) const;
    // Points drawn in a series, and the axis ranges drawn.
    int PointsDrawn(int series) const;
    AxisRange XRangeDrawn() const;
    AxisRange YRangeDrawn() const;

  protected:
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    // The whole plot drawn again soon, or when shown if hidden.
    void Replot();
    QCPGraph* Series(int series) const;
    void ApplyFonts();
    void ShowPoints(const ChartData& data);
    // Sets the axes to the data's; true when they moved.
    bool ShowAxes(const ChartData& data);

    StripPlot* plot_;
    QCPTextElement* header_ = nullptr;
    QSharedPointer<QCPAxisTickerFixed> yTicker_;
    // What was drawn last: the data's revision and point count (-1: nothing
    // kept), the X range, the Y range and step.
    uint64_t revision_ = 0;
    int drawn_ = -1;
    AxisRange x_, y_;
    double yStep_ = 0;
    bool stale_ = false;  // changed while hidden
};

}  // namespace zelvo::qt
