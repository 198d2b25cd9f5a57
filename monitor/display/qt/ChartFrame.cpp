// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChartFrame.hpp"

#include <QApplication>
#include <QKeyEvent>
#include <QTimer>

#include "Desktop.hpp"
#include "DisplayTexts.hpp"
#include "QtText.hpp"
#include "RunClock.hpp"
#include "RunControl.hpp"
#include "ViewRules.hpp"
#include "WidgetFactory.hpp"
#include "cErrHandler.hpp"

namespace zelvo::qt {
namespace {

// The strip boxes' focus and key events: focus selects the whole text, Enter
// and losing the focus validate, keys pass the box's filter.
class StripBoxEvents : public QObject {
  public:
    StripBoxEvents(QLineEdit* box, std::function<KeyOutcome(int)> filter,
                   std::function<void()> enter, std::function<void()> lostFocus)
        : QObject(box),
          box_(box),
          filter_(std::move(filter)),
          enter_(std::move(enter)),
          lostFocus_(std::move(lostFocus)) {
        box->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::FocusIn) {
            QTimer::singleShot(0, box_, [box = box_] { box->setSelection(0, box->text().size()); });
        } else if (event->type() == QEvent::FocusOut) {
            lostFocus_();
        } else if (event->type() == QEvent::KeyPress) {
            return KeyPress(static_cast<QKeyEvent*>(event));
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    // Keys without a character (arrows, Delete) are not filtered.
    bool KeyPress(QKeyEvent* key) {
        int ascii = -1;
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            ascii = 13;
        } else if (key->key() == Qt::Key_Backspace) {
            ascii = 8;
        } else if (key->text().size() == 1 && key->text()[0].isPrint()) {
            ascii = key->text()[0].unicode();
        }
        if (ascii < 0) return false;
        const KeyOutcome outcome = filter_(ascii);
        if (outcome == KeyOutcome::Validate) enter_();
        return outcome != KeyOutcome::Pass;
    }

    QLineEdit* box_;
    std::function<KeyOutcome(int)> filter_;
    std::function<void()> enter_;
    std::function<void()> lostFocus_;
};

}  // namespace

ChartFrame::ChartFrame(QWidget* host, Resizer& resizer, MainState& state) : state_(state) {
    WidgetFactory make(host, resizer);
    fraGraph = make.Frame("fraGraph", {8, 163, 490, 265});
    for (int g = 0; g < kChartCount; ++g) {
        Graph[static_cast<size_t>(g)] = new StripChart(g + 1, fraGraph);
        resizer.Place(Graph[static_cast<size_t>(g)], {0, 0, 490, 265}, kControlFontPt);
    }
    fraGraphSetup = make.Frame("fraGraphSetup", {498, 163, 87, 265});
    WidgetFactory strip(fraGraphSetup, resizer);
    strip.Label("lblYMax", texts::kYMax, {4, 4, 79, 14});
    txtYMax = strip.Edit("txtYMax", {4, 18, 79, 21}, texts::kYMaxTip);
    strip.Label("lblYMin", texts::kYMin, {4, 44, 79, 14});
    txtYMin = strip.Edit("txtYMin", {4, 58, 79, 21}, texts::kYMinTip);
    strip.Label("lblXAxis", texts::kXRange, {4, 84, 79, 14});
    txtXAxis = strip.Edit("txtXAxis", {4, 98, 79, 21}, texts::kXRangeTip);
    strip.Label("lblXUnits", texts::kXUnitsLabel, {4, 124, 79, 14});
    cboXUnits = strip.List("cboXUnits", {4, 138, 79, 22}, texts::kXUnitsTip);
    strip.Label("lblXScroll", texts::kXScrollLabel, {4, 166, 79, 14});
    cboXScroll = strip.List("cboXScroll", {4, 180, 79, 22}, texts::kXScrollTip);
    ConnectStrip();
    TitleXAxes();
}

void ChartFrame::ConnectStrip() {
    for (StripBox box : {StripBox::XAxis, StripBox::YMin, StripBox::YMax}) {
        new StripBoxEvents(
            Box(box), box == StripBox::XAxis ? txtXAxis_KeyPress : txtYAxis_KeyPress,
            [this, box] {
                if (entries_.Enter(box)) RedrawAll();
            },
            [this, box] {
                if (entries_.LostFocus(box)) RedrawAll();
            });
    }
    QObject::connect(cboXUnits, &QComboBox::activated, [this](int index) {
        if (!cboXUnits_Click(graphs_, state_, index)) return;
        TitleXAxes();
        RedrawAll();
    });
    QObject::connect(cboXScroll, &QComboBox::activated, [this](int index) {
        const bool stored = cboXScroll_Click(state_, index);
        static_cast<void>(stored);  // a failure has been reported; nothing else to do
    });
}

void ChartFrame::FillLists() {
    cboXUnits->clear();
    for (const char* item : texts::kXUnits) cboXUnits->addItem(Q(item));
    cboXUnits->setCurrentIndex(state_.XUnits);
    cboXScroll->clear();
    for (const char* item : texts::kXScroll) cboXScroll->addItem(Q(item));
    cboXScroll->setCurrentIndex(state_.XScroll);
}

void ChartFrame::ColourStrip(bool fewColours) {
    QPalette palette = fraGraphSetup->palette();
    const QPalette standard = QApplication::palette(fraGraphSetup);
    palette.setColor(QPalette::Window,
                     fewColours ? standard.color(QPalette::Button) : Graph[0]->Background());
    palette.setColor(QPalette::WindowText,
                     fewColours ? standard.color(QPalette::ButtonText) : Graph[0]->Foreground());
    fraGraphSetup->setPalette(palette);
    fraGraphSetup->setAutoFillBackground(true);
}

void ChartFrame::TitleXAxes() {
    for (StripChart* chart : Graph) chart->SetXTitle(Q(XAxisTitle(state_.XUnits)));
}

void ChartFrame::GraphInit() {
    zelvo::GraphInit(graphs_, txtXAxis->text().toStdString());
    RedrawAll();
}

void ChartFrame::GraphReading() {
    Redraw(zelvo::GraphReading(graphs_, state_, RunClockSeconds(state_)));
}

void ChartFrame::LoadStateFiles(const std::array<std::string, kChartCount>& paths) {
    for (size_t g = 0; g < paths.size(); ++g) {
        ChartStyle style;
        if (std::optional<ZelvoError> failure = ReadChartState(paths[g], style)) {
            // Reported; the chart goes on in its design state.
            const bool reported =
                !RunProcedure(std::string(kFormName) + "_LoadChartFiles", [&] { throw *failure; });
            static_cast<void>(reported);
        }
        graphs_.Graph[g] = ChartData(style.pointSlots);
        Graph[g]->ApplyStyle(style);
    }
}

void ChartFrame::LoadData() {
    LoadGraphData(graphs_, state_);
    // The view is set while the settings are read, before the chart bounds: the
    // strip shows the bounds the chart now has.
    if (shown_ >= 1 && shown_ <= kChartCount) {
        const YBounds bounds = ChartYBounds(state_, shown_);
        txtYMax->setText(QString::number(bounds.max));
        txtYMin->setText(QString::number(bounds.min));
    }
    TitleXAxes();
    RedrawAll();
}

void ChartFrame::ShowChart(int chart) {
    shown_ = chart;
    for (StripChart* graph : Graph) graph->hide();
    if (chart < 1 || chart > kChartCount) return;
    StripChart* graph = Graph[static_cast<size_t>(chart - 1)];
    graph->SetYTitle(Q(ChartYTitle(chart, state_.Units)));
    const YBounds bounds = ChartYBounds(state_, chart);
    txtYMax->setText(QString::number(bounds.max));
    txtYMin->setText(QString::number(bounds.min));
    if (ValidateYAxis(graphs_, state_, *this)) RedrawAll();
    graph->show();
}

void ChartFrame::Redraw(const std::array<bool, kChartCount>& changed) {
    if (shown_ < 1 || shown_ > kChartCount || !changed[static_cast<size_t>(shown_ - 1)]) return;
    Graph[static_cast<size_t>(shown_ - 1)]->Show(graphs_.Chart(shown_));
}

void ChartFrame::SetSeriesLabel(int channel, const std::string& name) {
    for (StripChart* chart : Graph) {
        chart->SetSeries(channel + 1, FromFileText(name), chart->SeriesVisible(channel + 1));
    }
}

void ChartFrame::ShowSeries(int count) {
    for (StripChart* chart : Graph) {
        for (int ch = 0; ch < kChannelCount; ++ch) {
            chart->SetSeries(ch + 1, FromFileText(state_.ChannelName[static_cast<size_t>(ch)]),
                             ch < count);
        }
    }
    RedrawAll();
}

QLineEdit* ChartFrame::Box(StripBox box) const {
    if (box == StripBox::XAxis) return txtXAxis;
    return box == StripBox::YMin ? txtYMin : txtYMax;
}

std::string ChartFrame::Text(StripBox box) const {
    return Box(box)->text().toStdString();
}

void ChartFrame::SetText(StripBox box, const std::string& text) {
    Box(box)->setText(Q(text));
}

void ChartFrame::Focus(StripBox box) {
    Box(box)->setFocus();
}

}  // namespace zelvo::qt
