// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The strip charts in the main window: the settings strip's texts, the series
// labels, plotting during a run with scrolling, the X units, the refusal of a
// negative X range, and the chart state files.

#include <QTest>
#include <algorithm>
#include <cmath>

#include "TextFile.hpp"
#include "WindowHarness.hpp"

using zelvo::testing::WindowHarness;

namespace zelvo {
namespace {

// Counts the paint events a widget receives.
struct PaintCount : QObject {
    explicit PaintCount(QWidget* widget) { widget->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override {
        count += event->type() == QEvent::Paint ? 1 : 0;
        return false;
    }
    int count = 0;
};

void Type(QLineEdit* box, const QString& text) {
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, text);
    QTest::keyClick(box, Qt::Key_Return);
}

}  // namespace

class WindowChartTest : public QObject {
    Q_OBJECT

  private slots:
    void stripTextsSeriesLabelsAndTitles();
    void aRunPlotsTheDisplayedChannelsAndScrolls();
    void theStripBoxesApplyTheirValues();
    void stateFilesRestoreTheChartsAndABadOneIsReported();
    void theStripListsAndAxisFollowTheSettingsInForce();
    void pointsAddedOneByOneLookAsTheWholeDrawing();
    void aSweepIsPaintedWhenItEnds();
};

void WindowChartTest::stripTextsSeriesLabelsAndTitles() {
    WindowHarness h;
    h.StartUp();
    qt::ChartFrame& c = h.W().chart;
    const struct {
        const char* name;
        const char* label;
        const char* tip;
    } boxes[] = {{"txtYMax", "Y Max.", "Maximum value of the Y axis."},
                 {"txtYMin", "Y Min.", "Minimum value of the Y axis."},
                 {"txtXAxis", "X Range", "X axis width. Enter zero to auto scale."},
                 {"cboXUnits", "X Units", "Units of graph X axis."},
                 {"cboXScroll", "X Scroll", "Amount to scroll graph when X axis is exceeded."}};
    for (const auto& b : boxes) {
        QWidget* box = c.fraGraphSetup->findChild<QWidget*>(b.name);
        QVERIFY2(box != nullptr, b.name);
        QCOMPARE(box->toolTip(), QString(b.tip));
        const QString label = QString("lbl") + QString(b.name).mid(3);
        QCOMPARE(c.fraGraphSetup->findChild<QLabel*>(label)->text(), QString(b.label));
    }
    for (qt::StripChart* chart : c.Graph) {
        for (int s = 1; s <= 8; ++s) {
            QCOMPARE(chart->SeriesLabel(s), QString("Sensor %1").arg(s));
            QCOMPARE(chart->SeriesVisible(s), s <= h.State().ShowLast + 1);
        }
        QCOMPARE(chart->XTitle(), QString("Time (Sec.)"));
    }
    h.W().mnuView[1]->trigger();
    QCOMPARE(c.Graph[0]->YTitle(), QString("Rate (A/s)"));
    h.W().mnuView[3]->trigger();
    QCOMPARE(c.Graph[2]->YTitle(), QString("Frequency"));
    QCOMPARE(c.Graph[2]->YRangeDrawn(), (AxisRange{5000000, 6000000}));
}

void WindowChartTest::aRunPlotsTheDisplayedChannelsAndScrolls() {
    WindowHarness h;
    h.StartUp();
    qt::frmMain& w = h.W();
    w.mnuView[2]->trigger();
    Type(w.chart.txtXAxis, "10");  // 500 slots over 10 s: a point on every sweep
    QCOMPARE(h.State().XRange, 10);
    QTest::mouseClick(w.runBar.cmdFSwitch[0], Qt::LeftButton);
    QCOMPARE(h.State().RunMode, kRunning);
    h.Sweep(58);  // 14.5 s of run at a sweep every 0.25 s
    h.Settle();
    qt::StripChart* chart = w.chart.Graph[1];
    const ChartData& data = w.chart.Graphs().Chart(2);
    QCOMPARE(chart->PointsDrawn(1), data.Shown());
    QVERIFY(data.Shown() >= 50);
    QCOMPARE(chart->PointsDrawn(h.State().ShowLast + 2), 0);  // hidden series
    // X scroll "25%" of 10 s: steps of 2.5 s while the newest point passes the axis.
    QCOMPARE(chart->XRangeDrawn(), (AxisRange{5, 15}));
    h.Shot("thickness-chart-running");

    // Minutes: the titles change at once, the next point is in minutes.
    w.chart.cboXUnits->setCurrentIndex(1);
    emit w.chart.cboXUnits->activated(1);
    QCOMPARE(chart->XTitle(), QString("Time (Min.)"));
    QCOMPARE(w.chart.Graph[0]->XTitle(), QString("Time (Min.)"));
}

void WindowChartTest::theStripBoxesApplyTheirValues() {
    WindowHarness h;
    h.StartUp();
    qt::frmMain& w = h.W();
    w.mnuView[1]->trigger();
    Type(w.chart.txtYMax, "35");
    QCOMPARE(h.State().YMax, 35);
    QCOMPARE(w.chart.Graph[0]->YRangeDrawn(), (AxisRange{0, 35}));
    h.desktop.ClearMessages();
    Type(w.chart.txtXAxis, "-5");
    QCOMPARE(h.LastMessage(), std::string("X Axis Range must be greater than zero."));
    QCOMPARE(w.chart.txtXAxis->text(), QString("60"));
    QCOMPARE(h.State().XRange, 60);
    // Letters never reach the X range box.
    Type(w.chart.txtXAxis, "4x5");
    QCOMPARE(w.chart.txtXAxis->text(), QString("45"));
    QCOMPARE(w.chart.Graph[0]->XRangeDrawn(), (AxisRange{0, 45}));
}

void WindowChartTest::stateFilesRestoreTheChartsAndABadOneIsReported() {
    WindowHarness h;
    const std::string rate = "Slots=10\r\nSeries1.Line=1,2,3\r\nHeader=Chamber 2\r\n";
    WriteFileBytes(h.folder.Path("zelvo.oc2"), rate);
    WriteFileBytes(h.folder.Path("zelvo_Thick.oc2"), "Slots=20\r\nSlots=x\r\n");
    h.StartUp();
    qt::ChartFrame& c = h.W().chart;
    QCOMPARE(c.Graphs().Chart(1).Slots(), 10);
    QCOMPARE(c.Graph[0]->Style(1).line, QColor(1, 2, 3));
    QCOMPARE(c.Graph[0]->Style(1).symbol, QColor(0, 255, 0));
    QCOMPARE(c.Graph[0]->Header(), QString("Chamber 2"));
    QCOMPARE(c.Graphs().Chart(2).Slots(), 500);  // the design state
    QCOMPARE(c.Graphs().Chart(3).Slots(), 500);  // no file: the design state
    bool reported = false;
    for (const std::string& text : h.MessageTexts()) {
        reported =
            reported || text.find("zelvo_Thick.oc2, line 2: Slots must be") != std::string::npos;
    }
    QVERIFY(reported);
    h.Close();
    QCOMPARE(ReadFileBytes(h.folder.Path("zelvo.oc2")), rate);  // read, never written
    QVERIFY(!FileExists(h.folder.Path("zelvo_Freq.oc2")));
}

void WindowChartTest::theStripListsAndAxisFollowTheSettingsInForce() {
    WindowHarness h;
    // The view is read before the chart bounds.
    WriteFileBytes(h.folder.Path("lab.cfg"),
                   "[Application]\r\nIniVer=109\r\nView=2\r\n[Graph]\r\nYMinThick=-3\r\n"
                   "YMaxThick=7\r\nXUnits=1\r\nXScroll=3\r\n");
    h.StartUp();
    qt::ChartFrame& c = h.W().chart;
    QCOMPARE(c.txtYMin->text() + " " + c.txtYMax->text(), QString("-3 7"));
    QCOMPARE(c.Graph[1]->YRangeDrawn(), (AxisRange{-3, 7}));
    // More than 256 colours: the strip takes the rate chart's background.
    QCOMPARE(c.fraGraphSetup->palette().color(QPalette::Window), c.Graph[0]->Background());
    h.W().setup.optUnits[1]->setChecked(true);  // refills the lists
    QCOMPARE(c.cboXUnits->currentText() + c.cboXScroll->currentText(), QString("Min.75%"));
    h.W().mnuView[1]->trigger();
    Type(c.txtYMax, "abc");  // Y Max read as 0, as Y Min: a band around 0
    QCOMPARE(c.Graph[0]->YRangeDrawn(), (AxisRange{-1, 1}));
}

// Points added one at a time are drawn into the columns they reach; the picture
// must be the one a chart drawing all of them at once shows.
void WindowChartTest::pointsAddedOneByOneLookAsTheWholeDrawing() {
    ChartData data(500);
    data.xAxis = {0, 30};
    data.yAxis = data.yLimits = {0, 10};
    data.yStep = 2;
    qt::StripChart byPoint(1, nullptr);
    qt::StripChart whole(1, nullptr);
    for (qt::StripChart* chart : {&byPoint, &whole}) {
        for (int s = 1; s <= kSeriesCount; ++s) chart->SetSeries(s, QString("S%1").arg(s), true);
        chart->resize(490, 265);
        chart->show();
    }
    for (int p = 1; p <= 240; ++p) {
        data.SetX(p, p * 0.1 + (p % 3) * 0.03);
        for (int s = 1; s <= kSeriesCount; ++s) {
            data.SetY(s, p, std::clamp(5 + 4.5 * std::sin(p * 0.05 * s + s), 0.0, 9.7));
        }
        data.SetShown(p);
        byPoint.Show(data);
        if (p == 1) QCoreApplication::processEvents();  // the first drawing, whole
    }
    whole.Show(data);
    QCoreApplication::processEvents();
    QCOMPARE(byPoint.grab().toImage(), whole.grab().toImage());
}

// The exchanges let events run; the cells and points they change are painted
// together after the sweep, not at each exchange.
void WindowChartTest::aSweepIsPaintedWhenItEnds() {
    WindowHarness h;
    h.StartUp();
    h.W().mnuView[1]->trigger();
    QTest::mouseClick(h.W().runBar.cmdFSwitch[0], Qt::LeftButton);
    h.Settle();
    h.desktop.SetOnProcessEvents([] { QCoreApplication::processEvents(); });
    PaintCount cells(h.W().grdRdgs->viewport());
    h.Sweep();
    QCOMPARE(cells.count, 0);
    h.Settle();
    QVERIFY(cells.count > 0);
}

}  // namespace zelvo

QTEST_MAIN(zelvo::WindowChartTest)
#include "WindowChartTest.moc"
