#pragma once
// The chart region: the chart frame fraGraph with the three charts (rate,
// thickness, frequency) and the settings strip fraGraphSetup at its right. Each
// chart shows its Y-axis title, its bounds and, per displayed channel, the
// series label with the latest value offered to it.

#include <QComboBox>
#include <QFrame>
#include <QLineEdit>
#include <array>
#include <string>

#include "MainView.hpp"
#include "Resizer.hpp"

namespace zelvo::qt {

class StripChart : public QFrame {
  public:
    StripChart(int chart, QWidget* parent);
    void SetYTitle(const QString& title) { yTitle_ = title, update(); }
    void SetBounds(int32_t min, int32_t max) { min_ = min, max_ = max, update(); }
    void SetSeries(int channel, const QString& label, bool visible);
    void SetValue(int channel, double value);
    void ClearValues();
    QString YTitle() const { return yTitle_; }
    QString SeriesLabel(int channel) const { return labels_.at(static_cast<size_t>(channel)); }
    bool SeriesVisible(int channel) const { return visible_.at(static_cast<size_t>(channel)); }
    QString ValueText(int channel) const;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    int chart_;
    QString yTitle_;
    int32_t min_ = 0;
    int32_t max_ = 0;
    std::array<QString, kChannelCount> labels_{};
    std::array<bool, kChannelCount> visible_{};
    std::array<double, kChannelCount> values_{};
    std::array<bool, kChannelCount> hasValue_{};
};

class ChartFrame : public IChart {
  public:
    ChartFrame(QWidget* host, Resizer& resizer, const MainState& state);

    void GraphInit() override;
    void GraphReading() override;
    void SetSeriesLabel(int channel, const std::string& name) override;
    // Shows series 1 to count, labelled with the channel names; hides the rest.
    void ShowSeries(int count);

    QFrame* fraGraph;
    QFrame* fraGraphSetup;
    std::array<StripChart*, 3> Graph{};
    QLineEdit* txtYMax;
    QLineEdit* txtYMin;
    QLineEdit* txtXAxis;
    QComboBox* cboXUnits;
    QComboBox* cboXScroll;

  private:
    const MainState& state_;
};

}  // namespace zelvo::qt
