// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "StripChart.hpp"

#include <QEvent>
#include <QVBoxLayout>
#include <algorithm>

#include "StripPlot.hpp"

namespace zelvo::qt {
namespace {

const QColor kBackground(0, 0, 0);
const QColor kForeground(255, 255, 255);
constexpr double kSymbolSize = 3;

QColor Colour(Rgb rgb) {
    return QColor(rgb.r, rgb.g, rgb.b);
}

void StyleAxis(QCPAxis* axis) {
    axis->setBasePen(QPen(kForeground));
    axis->setTickPen(QPen(kForeground));
    axis->setSubTickPen(QPen(kForeground));
    axis->setTickLabelColor(kForeground);
    axis->setLabelColor(kForeground);
    axis->grid()->setPen(QPen(QColor(80, 80, 80), 0, Qt::DotLine));
}

}  // namespace

StripChart::StripChart(int chart, QWidget* parent)
    : QWidget(parent),
      plot_(new StripPlot(this)),
      yTicker_(QSharedPointer<QCPAxisTickerFixed>::create()) {
    setObjectName(QString("Graph_%1").arg(chart));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(plot_);
    plot_->setBackground(kBackground);
    plot_->setNoAntialiasingOnDrag(true);
    plot_->setNotAntialiasedElements(QCP::aeAll);
    StyleAxis(plot_->xAxis);
    StyleAxis(plot_->yAxis);
    plot_->legend->setVisible(true);
    plot_->legend->setBrush(kBackground);
    plot_->legend->setTextColor(kForeground);
    plot_->legend->setBorderPen(QPen(kForeground));
    plot_->axisRect()->insetLayout()->setInsetAlignment(0, Qt::AlignTop | Qt::AlignLeft);
    for (int s = 1; s <= kSeriesCount; ++s) plot_->AddSeries()->setAdaptiveSampling(true);
    plot_->yAxis->setTicker(yTicker_);
    ApplyStyle(DesignChartStyle());
}

QCPGraph* StripChart::Series(int series) const {
    QCPGraph* graph = plot_->graph(series - 1);
    if (graph == nullptr) throw ZelvoError(err::SubscriptOutOfRange, "No chart series");
    return graph;
}

void StripChart::SetXTitle(const QString& title) {
    plot_->xAxis->setLabel(title);
    Replot();
}

void StripChart::SetYTitle(const QString& title) {
    plot_->yAxis->setLabel(title);
    Replot();
}

void StripChart::SetSeries(int series, const QString& label, bool visible) {
    QCPGraph* graph = Series(series);
    if (visible != graph->visible()) drawn_ = -1;  // its points: all or none
    graph->setName(label);
    graph->setVisible(visible);
    if (visible) {
        graph->addToLegend();
    } else {
        graph->removeFromLegend();
    }
    Replot();
}

void StripChart::SetSeriesStyle(int series, const SeriesStyle& style) {
    QCPGraph* graph = Series(series);
    graph->setPen(QPen(style.line));
    graph->setScatterStyle(
        QCPScatterStyle(QCPScatterStyle::ssSquare, style.symbol, style.symbol, kSymbolSize));
}

void StripChart::ApplyStyle(const ChartStyle& style) {
    for (int s = 1; s <= kSeriesCount; ++s) {
        const size_t i = static_cast<size_t>(s - 1);
        SetSeriesStyle(s, {Colour(style.line[i]), Colour(style.symbol[i])});
    }
    if (header_ != nullptr) {
        plot_->plotLayout()->remove(header_);
        plot_->plotLayout()->simplify();
        header_ = nullptr;
    }
    if (!style.header.empty()) {
        plot_->plotLayout()->insertRow(0);
        header_ = new QCPTextElement(plot_, QString::fromStdString(style.header));
        header_->setTextColor(kForeground);
        plot_->plotLayout()->addElement(0, 0, header_);
    }
    QFont f = font();
    f.setFamily(QString::fromStdString(style.font));
    setFont(f);  // the texts follow through the font change
    ApplyFonts();
}

void StripChart::Show(const ChartData& data) {
    const bool added = data.Revision() == revision_ && data.Shown() > drawn_ && drawn_ >= 0;
    const bool pointsChanged = data.Revision() != revision_ || data.Shown() != drawn_;
    // The new points' columns start at the last point drawn, whose line reaches them.
    const double from = added ? data.X(std::max(drawn_, 1)) : 0;
    if (pointsChanged) ShowPoints(data);
    const bool moved = ShowAxes(data);
    if (!moved && !pointsChanged) return;
    if (moved || !isVisible()) return Replot();
    if (added && plot_->DrawColumns(from, data.X(data.Shown()))) return;
    plot_->layer("main")->replot();
}

void StripChart::ShowPoints(const ChartData& data) {
    const bool append = data.Revision() == revision_ && drawn_ >= 0 && data.Shown() >= drawn_;
    const int from = append ? drawn_ + 1 : 1;
    const int count = data.Shown() - from + 1;
    QVector<double> x(count);
    for (int p = 0; p < count; ++p) x[p] = data.X(from + p);
    QVector<double> y(count);
    for (int s = 1; s <= kSeriesCount; ++s) {
        QCPGraph* graph = Series(s);
        if (!graph->visible()) {
            graph->data()->clear();
            continue;
        }
        for (int p = 0; p < count; ++p) y[p] = data.Y(s, from + p);
        if (append) {
            graph->addData(x, y, true);
        } else {
            graph->setData(x, y, true);
        }
    }
    revision_ = data.Revision();
    drawn_ = data.Shown();
}

bool StripChart::ShowAxes(const ChartData& data) {
    bool moved = false;
    if (const std::optional<AxisRange> range = ShownXRange(data); range && *range != x_) {
        x_ = *range;
        plot_->xAxis->setRange(x_.min, x_.max);
        moved = true;
    }
    const DrawnAxis y = DrawnYAxis(data);
    if (y.range != y_ || y.step != yStep_) {
        y_ = y.range;
        yStep_ = y.step;
        plot_->yAxis->setRange(y_.min, y_.max);
        yTicker_->setTickStep(yStep_);
        moved = true;
    }
    return moved;
}

QColor StripChart::Background() const {
    return kBackground;
}

QColor StripChart::Foreground() const {
    return kForeground;
}

QString StripChart::Header() const {
    return header_ != nullptr ? header_->text() : QString();
}

QString StripChart::XTitle() const {
    return plot_->xAxis->label();
}
QString StripChart::YTitle() const {
    return plot_->yAxis->label();
}
QString StripChart::SeriesLabel(int series) const {
    return Series(series)->name();
}
bool StripChart::SeriesVisible(int series) const {
    return Series(series)->visible();
}

SeriesStyle StripChart::Style(int series) const {
    const QCPGraph* graph = Series(series);
    return {graph->pen().color(), graph->scatterStyle().pen().color()};
}

int StripChart::PointsDrawn(int series) const {
    return Series(series)->dataCount();
}

AxisRange StripChart::XRangeDrawn() const {
    return {plot_->xAxis->range().lower, plot_->xAxis->range().upper};
}

AxisRange StripChart::YRangeDrawn() const {
    return {plot_->yAxis->range().lower, plot_->yAxis->range().upper};
}

void StripChart::Replot() {
    if (!isVisible()) {
        stale_ = true;
        return;
    }
    plot_->replot(QCustomPlot::rpQueuedReplot);
}

void StripChart::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!stale_) return;
    stale_ = false;
    plot_->replot(QCustomPlot::rpQueuedReplot);
}

void StripChart::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange) ApplyFonts();
}

// The chart texts follow the widget's font, which the resizer scales.
void StripChart::ApplyFonts() {
    const QFont f = font();
    for (QCPAxis* axis : {plot_->xAxis, plot_->yAxis}) {
        axis->setLabelFont(f);
        axis->setTickLabelFont(f);
    }
    plot_->legend->setFont(f);
    if (header_ != nullptr) header_->setFont(f);
    Replot();
}

}  // namespace zelvo::qt
