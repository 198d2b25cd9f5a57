#pragma once
// One strip chart on screen: draws a chart's data (ChartData) with eight series
// in their line and symbol colours, the series labels of the displayed channels,
// the axis titles, and the X and Y ranges the plot rules set.

#include <QColor>
#include <QWidget>
#include <array>

#include "ChartData.hpp"
#include "ChartStateFile.hpp"

class QCustomPlot;
class QCPGraph;
class QCPTextElement;

namespace zelvo::qt {

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
    // Draws the data's points shown and its axes; the redraw is queued, so
    // several changes within one turn of the event loop draw once.
    void Show(const ChartData& data);

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

  private:
    QCPGraph* Series(int series) const;
    void ApplyFonts();

    QCustomPlot* plot_;
    QCPTextElement* header_ = nullptr;
};

}  // namespace zelvo::qt
