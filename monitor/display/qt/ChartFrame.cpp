#include "ChartFrame.hpp"

#include <QPainter>

#include "Format.hpp"
#include "QtText.hpp"
#include "WidgetFactory.hpp"

namespace zelvo::qt {
namespace {

// Series colours of the charts, channel by channel.
const QColor kSeriesColours[kChannelCount] = {{0, 255, 0},    {255, 255, 0}, {0, 0, 255},
                                              {255, 0, 0},    {34, 139, 34}, {255, 165, 0},
                                              {160, 32, 240}, {165, 42, 42}};

}  // namespace

StripChart::StripChart(int chart, QWidget* parent) : QFrame(parent), chart_(chart) {
    setObjectName(QString("Graph_%1").arg(chart));
    setFrameShape(QFrame::Box);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::black);
    p.setColor(QPalette::WindowText, Qt::white);
    setPalette(p);
}

void StripChart::SetSeries(int channel, const QString& label, bool visible) {
    labels_.at(static_cast<size_t>(channel)) = label;
    visible_.at(static_cast<size_t>(channel)) = visible;
    update();
}

void StripChart::SetValue(int channel, double value) {
    values_.at(static_cast<size_t>(channel)) = value;
    hasValue_.at(static_cast<size_t>(channel)) = true;
    update();
}

void StripChart::ClearValues() {
    hasValue_.fill(false);
    update();
}

QString StripChart::ValueText(int channel) const {
    const size_t ch = static_cast<size_t>(channel);
    if (!hasValue_.at(ch)) return QString();
    return Q(FormatNumber(values_[ch], chart_ == 3 ? "0.00" : "0.000"));
}

void StripChart::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    const QFontMetrics metrics(font());
    const int line = metrics.height();
    painter.drawText(QRect(6, 4, width() - 12, line), Qt::AlignLeft, yTitle_);
    painter.drawText(QRect(6, 4, width() - 12, line), Qt::AlignRight,
                     QString("%1 .. %2").arg(min_).arg(max_));
    int y = 8 + line;
    for (int ch = 0; ch < kChannelCount; ++ch) {
        if (!visible_[static_cast<size_t>(ch)]) continue;
        painter.fillRect(QRect(8, y + line / 4, line / 2, line / 2), kSeriesColours[ch]);
        painter.drawText(QRect(14 + line / 2, y, width() - 28, line), Qt::AlignLeft,
                         labels_[static_cast<size_t>(ch)]);
        painter.drawText(QRect(14 + line / 2, y, width() - 28, line), Qt::AlignRight,
                         ValueText(ch));
        y += line;
    }
}

ChartFrame::ChartFrame(QWidget* host, Resizer& resizer, const MainState& state) : state_(state) {
    WidgetFactory make(host, resizer);
    fraGraph = make.Frame("fraGraph", {8, 163, 490, 265});
    for (int g = 0; g < 3; ++g) {
        Graph[static_cast<size_t>(g)] = new StripChart(g + 1, fraGraph);
        resizer.Place(Graph[static_cast<size_t>(g)], {0, 0, 490, 265}, kControlFontPt);
    }
    fraGraphSetup = make.Frame("fraGraphSetup", {498, 163, 87, 265});
    WidgetFactory strip(fraGraphSetup, resizer);
    strip.Label("lblYMax", "Y Max.", {4, 4, 79, 14});
    txtYMax = strip.Edit("txtYMax", {4, 18, 79, 21}, "Maximum value of the Y axis.");
    strip.Label("lblYMin", "Y Min.", {4, 44, 79, 14});
    txtYMin = strip.Edit("txtYMin", {4, 58, 79, 21}, "Minimum value of the Y axis.");
    strip.Label("lblXAxis", "X Range", {4, 84, 79, 14});
    txtXAxis = strip.Edit("txtXAxis", {4, 98, 79, 21}, "X axis width. Enter zero to auto scale.");
    strip.Label("lblXUnits", "X Units", {4, 124, 79, 14});
    cboXUnits = strip.List("cboXUnits", {4, 138, 79, 22}, "Units of graph X axis.");
    strip.Label("lblXScroll", "X Scroll", {4, 166, 79, 14});
    cboXScroll = strip.List("cboXScroll", {4, 180, 79, 22},
                            "Amount to scroll graph when X axis is exceeded.");
}

void ChartFrame::GraphInit() {
    for (StripChart* chart : Graph) chart->ClearValues();
}

void ChartFrame::GraphReading() {
    for (int ch = 0; ch <= state_.ShowLast && ch < kChannelCount; ++ch) {
        const size_t c = static_cast<size_t>(ch);
        if (!state_.ChannelValid[c]) continue;
        const cFilter* filter = state_.ChannelFilter[c] ? &*state_.ChannelFilter[c] : nullptr;
        Graph[0]->SetValue(ch, filter != nullptr ? filter->Average() : state_.ChannelValues[0][c]);
        Graph[1]->SetValue(ch, state_.ChannelValues[kValueThickness][c]);
        Graph[2]->SetValue(ch, state_.ChannelValues[kValueFrequency][c]);
    }
}

void ChartFrame::SetSeriesLabel(int channel, const std::string& name) {
    for (StripChart* chart : Graph) {
        chart->SetSeries(channel, Q(name), chart->SeriesVisible(channel));
    }
}

void ChartFrame::ShowSeries(int count) {
    for (StripChart* chart : Graph) {
        for (int ch = 0; ch < kChannelCount; ++ch) {
            chart->SetSeries(ch, Q(state_.ChannelName[static_cast<size_t>(ch)]), ch < count);
        }
    }
}

}  // namespace zelvo::qt
