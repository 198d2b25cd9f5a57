// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The operator's path through the main window on simulated sensors: start-up
// with discovery, readings, a run with pause and zeroing, the data log, the view
// menu and the setup-file commands, and a Find or close while a sweep waits.

#include <QRegularExpression>
#include <QTest>

#include "TextFile.hpp"
#include "WindowHarness.hpp"

using zelvo::testing::WindowHarness;

namespace zelvo {

class WindowRunTest : public QObject {
    Q_OBJECT

  private slots:
    void startUpDiscoversAndShowsReadings();
    void runPauseResumeStopAndZeroing();
    void dataLogWritesARun();
    void viewMenuAndSetupFiles();
    void findOrCloseDuringASweep();
};

void WindowRunTest::startUpDiscoversAndShowsReadings() {
    WindowHarness h;
    QVERIFY(h.Load());
    QCOMPARE(h.LastMessage(), std::string("lab.cfg Not Found.\r\nContinuing with defaults."));
    QCOMPARE(h.W().windowTitle(), QString("Zelvo - [lab.cfg]"));
    QVERIFY(!h.W().isVisible());  // shown by the first clock tick
    h.desktop.ClearMessages();
    for (int i = 0; i < 4; ++i) h.desktop.Answer(MsgResult::Yes);  // drop the "0" assignments
    h.desktop.Answer(MsgResult::No);                               // ZS0001 not to channel 1
    h.desktop.Answer(MsgResult::Yes);                              // ... but to channel 2
    h.desktop.Answer(MsgResult::Yes);                              // ZS0002 to channel 1
    h.FirstTick();
    QVERIFY(h.W().isVisible());
    QCOMPARE(h.desktop.Messages().size(), size_t(7));  // every question asked
    qt::AssignmentGrid* grid = h.W().setup.grdSN;
    QCOMPARE(grid->Text(0, 1), QString("ZS0002"));
    QCOMPARE(grid->Text(1, 1), QString("ZS0001"));
    QVERIFY(!grid->StrikeThrough(0, 1));
    QVERIFY(grid->StrikeThrough(5, 1));  // serial "0" of a hidden channel: not connected
    QVERIFY(h.W().runBar.cmdFSwitch[0]->isVisible());
    QVERIFY(!h.W().runBar.cmdFSwitch[1]->isVisible());
    QVERIFY(h.W().runBar.cmdFSwitch[0]->hasFocus());

    h.Sweep(2);
    QVERIFY(h.Cell(0, 3).toDouble() > 5000000);
    QCOMPARE(h.Cell(0, 0), QString());  // rates only while running
    QCOMPARE(h.Cell(2, 3), QString("Not Found"));
    h.Shot("startup");
}

void WindowRunTest::runPauseResumeStopAndZeroing() {
    WindowHarness h;
    h.StartUp();
    QPushButton* start = h.W().runBar.cmdFSwitch[0];
    QPushButton* pause = h.W().runBar.cmdFSwitch[1];
    QTest::mouseClick(start, Qt::LeftButton);
    QCOMPARE(h.State().RunMode, kRunning);
    QCOMPARE(start->text(), QString("&Stop"));
    QVERIFY(start->styleSheet().contains("rgb(255, 0, 0)"));
    QCOMPARE(h.W().runBar.txtRun->text(), QString("2"));
    h.W().setup.cboRate->setCurrentIndex(1);
    h.Sweep(8);
    QVERIFY(h.Cell(0, 0).toDouble() > 0.5);  // 2 A/s deposited
    QVERIFY(QRegularExpression("^\\d+\\.\\d\\d$").match(h.Cell(0, 0)).hasMatch());
    QVERIFY(h.State().ChannelValues[kValueThickness][1] > 0.002);
    h.Shot("running");

    QTest::mouseClick(pause, Qt::LeftButton);
    QCOMPARE(pause->text(), QString("&Resume"));
    h.Shot("paused");
    const QString paused = h.Cell(0, 1);
    h.Sweep(4);
    QCOMPARE(h.Cell(0, 1), paused);
    QTest::mouseClick(pause, Qt::LeftButton);
    QCOMPARE(h.State().RunMode, kRunning);

    // A click on channel 1's zero cell zeroes that sensor only.
    auto clickZero = [&](int row) {
        QTableWidget* grid = h.W().grdRdgs;
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                          grid->visualItemRect(grid->item(row, 2)).center());
    };
    h.Sweep(4);
    clickZero(0);
    h.Sweep(1);
    QVERIFY(h.State().ChannelValues[kValueThickness][0] < 0.001);
    QVERIFY(h.State().ChannelValues[kValueThickness][1] > 0.002);
    // Shift-click zeroes every sensor.
    h.Sweep(4);
    QTest::keyPress(&h.W(), Qt::Key_Shift);
    clickZero(0);
    QTest::keyRelease(&h.W(), Qt::Key_Shift);
    h.Sweep(1);
    QVERIFY(h.State().ChannelValues[kValueThickness][0] < 0.001);
    QVERIFY(h.State().ChannelValues[kValueThickness][1] < 0.001);
    // Ctrl+0 zeroes every sensor too.
    h.Sweep(4);
    QTest::keyPress(&h.W(), Qt::Key_Control);
    QTest::keyClick(&h.W(), Qt::Key_0, Qt::ControlModifier);
    QTest::keyRelease(&h.W(), Qt::Key_Control);
    h.Sweep(1);
    QVERIFY(h.State().ChannelValues[kValueThickness][1] < 0.001);

    QTest::mouseClick(start, Qt::LeftButton);
    QCOMPARE(h.State().RunMode, kStopped);
    QCOMPARE(start->text(), QString("&Start"));
    QVERIFY(start->styleSheet().contains("rgb(0, 255, 0)"));
    QVERIFY(!pause->isVisible());
}

void WindowRunTest::dataLogWritesARun() {
    WindowHarness h;
    h.StartUp();
    QTest::mouseClick(h.W().runBar.optLog[1], Qt::LeftButton);
    QCOMPARE(h.State().LogEnabled, 1);
    // Select: a file in the application folder is kept by its bare name.
    h.chooser.answers = {h.folder.Path("Batch.log")};
    QTest::mouseClick(h.W().setup.cmdSelect, Qt::LeftButton);
    QCOMPARE(h.W().setup.lblFileName->text(), QString("Batch.log"));
    QTest::mouseClick(h.W().setup.optLogType[1], Qt::LeftButton);
    QCOMPARE(h.State().LogType, int16_t(1));  // Append
    // Records follow sweeps whose last channel read well: show the two sensors only.
    h.W().setup.cboRows->setCurrentIndex(1);

    QTest::mouseClick(h.W().runBar.cmdFSwitch[0], Qt::LeftButton);
    h.Sweep(3);
    QTest::mouseClick(h.W().runBar.cmdFSwitch[0], Qt::LeftButton);
    const std::string log = ReadFileBytes(h.folder.Path("Batch.log"));
    QVERIFY(log.rfind("Start Log\tRun: 2\tDate: ", 0) == 0);
    const QRegularExpression record(
        "\r\n\\d+\\.\\d\\d, \\d\\d\\.\\d\\d, \\d\\d\\.\\d{3}, \\d+\\.\\d\\d, ");
    QVERIFY2(QString::fromStdString(log).contains(record), log.c_str());
    QVERIFY(log.find("\r\nStop Log\tRun: 2\tDate: ") != std::string::npos);

    QTest::mouseClick(h.W().setup.cmdView, Qt::LeftButton);
    QCOMPARE(h.desktop.OpenedDocuments().back(), h.folder.Path("Batch.log"));
}

void WindowRunTest::viewMenuAndSetupFiles() {
    WindowHarness h;
    h.StartUp();
    qt::frmMain& w = h.W();
    w.mnuView[2]->trigger();
    QCOMPARE(h.State().View, int16_t(2));
    QVERIFY(w.mnuView[2]->isChecked() && !w.mnuView[0]->isChecked());
    QVERIFY(!w.setup.fraSetup->isVisible());
    QVERIFY(w.chart.fraGraph->isVisible() && w.chart.fraGraphSetup->isVisible());
    QVERIFY(w.chart.Graph[1]->isVisible() && !w.chart.Graph[0]->isVisible());
    QCOMPARE(w.chart.Graph[1]->YTitle(), QString("Thickness (kA)"));
    QCOMPARE(w.chart.txtYMax->text(), QString("200"));
    h.Shot("thickness-chart");
    w.mnuView[0]->trigger();
    QVERIFY(w.setup.fraSetup->isVisible() && !w.chart.fraGraph->isVisible());

    // Open rebuilds the window from the file; a View outside 0 to 3 checks no
    // menu item and changes no frame.
    WriteFileBytes(h.folder.Path("coater.cfg"),
                   "[Application]\r\nIniVer=109\r\nRunNum=7\r\nShowLast=1\r\nUnits=2\r\nView=7\r\n"
                   "[Zelvo]\r\nSensor 1=Gold;19300;381;10000;ZS0001\r\n");
    h.chooser.answers = {h.folder.Path("coater.cfg")};
    w.mnuOpen->trigger();
    QCOMPARE(w.windowTitle(), QString("Zelvo - [coater.cfg]"));
    QCOMPARE(w.runBar.txtRun->text(), QString("7"));
    QCOMPARE(w.grdRdgs->rowCount(), 2);
    QCOMPARE(w.grdRdgs->Text(0, -1), QString("Gold"));
    QCOMPARE(w.grdParams->Text(0, 0), QString("19.300"));
    QVERIFY(w.setup.optUnits[2]->isChecked());
    for (QAction* item : w.mnuView) QVERIFY(!item->isChecked());
    QVERIFY(w.setup.fraSetup->isVisible());
    h.Shot("opened-setup");

    h.State().RunNum = 41;
    h.chooser.answers = {"/other/line2"};  // the dialog's default suffix is not ours to add
    w.mnuSaveAs->trigger();
    QCOMPARE(w.windowTitle(), QString("Zelvo - [line2]"));
    QVERIFY(ReadFileBytes(h.folder.Path("line2")).find("RunNum=41") != std::string::npos);
    h.State().RunNum = 42;
    w.mnuSave->trigger();
    QVERIFY(ReadFileBytes(h.folder.Path("line2")).find("RunNum=42") != std::string::npos);
}

// While a sensor exchange lets events run, Find is refused with a beep and a close
// waits for the sweep to end.
void WindowRunTest::findOrCloseDuringASweep() {
    WindowHarness h;
    h.StartUp();
    bool pressed = false;
    h.desktop.SetOnProcessEvents([&] {
        if (pressed) return;
        pressed = true;
        QTest::mouseClick(h.W().setup.cmdFind, Qt::LeftButton);
    });
    h.Sweep(1);
    h.desktop.SetOnProcessEvents({});
    QVERIFY(pressed);
    QCOMPARE(h.desktop.Beeps(), 1);
    h.Sweep(1);
    QVERIFY(h.Cell(0, 3).toDouble() > 5000000);

    bool closed = false;
    h.desktop.SetOnProcessEvents([&] {
        if (closed) return;
        closed = true;
        h.W().close();
        QVERIFY(!h.W().Unloaded());  // not while the sweep still uses the sensors
    });
    h.Sweep(1);
    h.desktop.SetOnProcessEvents({});
    QVERIFY(closed);
    h.Settle();
    QVERIFY(h.W().Unloaded());
    QVERIFY(!h.W().isVisible());
}

}  // namespace zelvo

QTEST_MAIN(zelvo::WindowRunTest)
#include "WindowRunTest.moc"
