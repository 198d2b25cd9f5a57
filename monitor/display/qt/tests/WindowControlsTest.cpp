// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's controls as the operator meets them: captions and tool tips,
// units, channels, lock and on-top, entry checks on Enter, focus loss and grid
// edits, and the proportional resizer.

#include <QComboBox>
#include <QHeaderView>
#include <QHelpEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QTest>

#include "FormLayout.hpp"
#include "GridRules.hpp"
#include "WindowHarness.hpp"

using zelvo::testing::WindowHarness;

namespace zelvo {
namespace {

// The grid's tool tip after the pointer rests on a cell of the column.
QString HoverTip(QTableWidget* grid, int column) {
    const QPoint at = grid->visualItemRect(grid->item(0, column)).center();
    QHelpEvent help(QEvent::ToolTip, at, grid->viewport()->mapToGlobal(at));
    QApplication::sendEvent(grid->viewport(), &help);
    return grid->toolTip();
}

// Replaces a box's text by typing into it.
void Type(QLineEdit* box, const QString& text) {
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, text);
}

}  // namespace

class WindowControlsTest : public QObject {
    Q_OBJECT

  private slots:
    void controlsCarryTheirCaptionsAndTips();
    void menusListsAndGridTips();
    void unitsChannelsLockAndOnTop();
    void boxesAreCheckedOnEnterFocusLossAndDeactivation();
    void gridEditsAreChecked();
    void resizerScalesControlsAndGridFonts();
    void channelsChosenWhileMaximised();
};

void WindowControlsTest::controlsCarryTheirCaptionsAndTips() {
    WindowHarness h;
    h.StartUp();
    struct Row {
        const char* name;
        const char* caption;
        const char* tip;
    };
    const Row rows[] = {
        {"cmdFSwitch_0", "&Start", "Start/Stop measurements and zeroes thickness."},
        {"cmdFSwitch_1", "&Pause", "Halt readings without zeroing thickness."},
        {"lblTimeLabel", "Run Time", ""},
        {"lblRunLabel", "Run #", ""},
        {"optLog_0", "DataLog Off", ""},
        {"optLog_1", "DataLog On", ""},
        {"fraFile", "DataLog", ""},
        {"optLogType_0", "Overwrite", "Overwrite the DataLog at the start of each run."},
        {"optLogType_1", "Append", "Append each run to the DataLog file."},
        {"optLogType_2", "Run#",
         "Create a new DataLog with the run number appended to the file name."},
        {"cmdView", "&View", "View the log file."},
        {"cmdSelect", "&Select", "Select directory and name for the log file."},
        {"lblFileName", "Zelvo.log", "DataLog file name and path."},
        {"fraInit", "Measurement", ""},
        {"txtPeriod", ".25", "Measurement period for readings."},
        {"lblPeriod", "Period", "Measurement period in seconds."},
        {"lblSeconds", "sec.", "Measurement period in seconds."},
        {"lblCrystal", "Crystal Frequency (MHz)", ""},
        {"lblInit_0", "Max.", ""},
        {"lblInit_1", "Min.", ""},
        {"lblInit_2", "Initial", ""},
        {"txtInit_0", "6.000", "Maximum valid sensor frequency."},
        {"txtInit_1", "4.000", "Minimum valid sensor frequency."},
        {"txtInit_2", "5.000", "Starting (new) sensor frequency."},
        {"fraDisplay", "Display", ""},
        {"optUnits_0", "Thickness (kA)", "Display thickness in kA."},
        {"optUnits_1", "Mass (nm/cc)", "Display mass in ug/cm^2."},
        {"optUnits_2", "Thickness (A)", "Display thickness in A."},
        {"lblFilter", "Filter", ""},
        {"txtFilter", "1", "Number of readings used in rate filter."},
        {"lblResolution", "Resolution", ""},
        {"cboRate", "0.0", "Rate display resolution."},
        {"lblRows", "# Zelvos", ""},
        {"cboRows", "4", "Number of sensors displayed on main form."},
        {"chkLock", "Lock Parameters", "Lock the material parameters on main screen."},
        {"chkOnTop", "Application On Top", "Place Zelvo application above other applications."},
        {"fraZelvo", "Zelvos", ""},
        {"cmdFind", "&Find", "Search for connected Zelvos."}};
    for (const Row& row : rows) {
        QWidget* control = h.W().findChild<QWidget*>(row.name);
        QVERIFY2(control != nullptr, row.name);
        QString caption = control->property("text").toString();
        if (auto* group = qobject_cast<QGroupBox*>(control)) caption = group->title();
        if (auto* list = qobject_cast<QComboBox*>(control)) caption = list->currentText();
        QCOMPARE(caption, QString(row.caption));
        QCOMPARE(control->toolTip(), QString(row.tip));
    }
}

void WindowControlsTest::menusListsAndGridTips() {
    WindowHarness h;
    h.StartUp();
    QStringList menus;
    for (QAction* menu : h.W().menuBar()->actions()) {
        QStringList items;
        for (QAction* item : menu->menu()->actions())
            items << (item->isSeparator() ? "-" : item->text());
        menus << menu->text() + ": " + items.join(", ");
    }
    QCOMPARE(menus,
             QStringList({"&File: &Open Configuration, &Save Configuration, Save "
                          "Configuration &As, -, &Print Screen, Run Report…, -, E&xit",
                          "&View: &Rate Graph, &Thickness Graph, &Frequency Graph, -, &Setup",
                          "&Help: &Help, -, &About"}));
    QCOMPARE(h.W().setup.cboRows->count(), 8);
    QCOMPARE(h.W().setup.cboRate->itemText(1), QString("0.00"));
    const auto items = [](QComboBox* box) {
        QStringList texts;
        for (int i = 0; i < box->count(); ++i) texts << box->itemText(i);
        return texts.join(", ");
    };
    QCOMPARE(items(h.W().chart.cboXUnits), QString("Sec., Min., Hr."));
    QCOMPARE(items(h.W().chart.cboXScroll), QString("Strip, 25%, 50%, 75%, 100%"));
    QCOMPARE(h.W().runBar.lblTime->text(), QString("00:00:00"));

    QTableWidget* readings = h.W().grdRdgs;
    QCOMPARE(HoverTip(readings, 3), QString("Sensor frequency in Hz."));
    QCOMPARE(HoverTip(h.W().setup.grdSN, 0), QString("Channel name on main screen."));
    QCOMPARE(readings->item(0, 2)->background().color(),
             QApplication::palette().color(QPalette::Button));
    QVERIFY(!(readings->item(0, 3)->flags() & Qt::ItemIsEditable));
    // The assignment grid's top-left cell names its row numbers; header rows are as
    // high as the rows under them (every grid lays itself out alike).
    QCOMPARE(h.W().setup.grdSN->Text(-1, -1), QString("Row"));
    QCOMPARE(readings->horizontalHeader()->height(), readings->rowHeight(0));
}

void WindowControlsTest::unitsChannelsLockAndOnTop() {
    WindowHarness h;
    h.StartUp();
    qt::frmMain& w = h.W();
    QTest::mouseClick(w.setup.optUnits[1], Qt::LeftButton);
    QCOMPARE(h.State().Units, 1);
    QCOMPARE(w.grdRdgs->Text(-1, 0) + " " + w.grdRdgs->Text(-1, 1), QString("ng/cm2/s ug/cm2"));

    const int fourRows = w.height();
    w.setup.cboRows->setCurrentIndex(1);
    QCOMPARE(h.State().ShowLast, 1);
    QCOMPARE(w.grdRdgs->rowCount(), 2);
    QCOMPARE(w.grdParams->rowCount(), 2);
    QVERIFY(w.height() < fourRows);
    QVERIFY(w.chart.Graph[0]->SeriesVisible(2) && !w.chart.Graph[0]->SeriesVisible(3));
    w.setup.cboRows->setCurrentIndex(7);
    QCOMPARE(w.grdRdgs->rowCount(), 8);
    h.Sweep(1);
    h.Shot("eight-channels");

    QTest::mouseClick(w.setup.chkLock, Qt::LeftButton);
    QVERIFY(h.State().Locked);
    QCOMPARE(HoverTip(w.grdParams, 0), QString("Enter material density in gm/cc (locked)."));
    QVERIFY(!(w.grdParams->item(0, 0)->flags() & Qt::ItemIsEditable));
    QVERIFY(w.runBar.txtRun->isReadOnly());
    QVERIFY(!w.runBar.fraDataLog->isEnabled());
    h.Shot("locked");
    QTest::mouseClick(w.setup.chkLock, Qt::LeftButton);
    QVERIFY(w.grdParams->item(0, 0)->flags() & Qt::ItemIsEditable);
    QCOMPARE(HoverTip(w.grdParams, 2), QString("Enter sensor tooling factor."));

    QTest::mouseClick(w.setup.chkOnTop, Qt::LeftButton);
    QCOMPARE(h.State().OnTop, int16_t(1));
    QVERIFY(w.windowFlags() & Qt::WindowStaysOnTopHint);
    QVERIFY(w.isVisible());
}

void WindowControlsTest::boxesAreCheckedOnEnterFocusLossAndDeactivation() {
    WindowHarness h;
    h.StartUp();
    qt::frmMain& w = h.W();
    h.desktop.ClearMessages();
    Type(w.runBar.txtRun, "0");
    QTest::keyClick(w.runBar.txtRun, Qt::Key_Return);
    QCOMPARE(h.LastMessage(), std::string("Run# must be an integer between 1 and 9999."));
    QCOMPARE(w.runBar.txtRun->selectedText(), QString("0"));
    Type(w.runBar.txtRun, "12.6");
    QTest::keyClick(w.runBar.txtRun, Qt::Key_Return);
    QCOMPARE(h.State().RunNum, 13);
    QCOMPARE(w.runBar.txtRun->text(), QString("13"));

    Type(w.setup.txtPeriod, "5");
    w.setup.txtFilter->setFocus();  // leaving the box checks it
    h.Settle();
    QCOMPARE(h.LastMessage(), std::string("Period must be between 0.1 and 2 sec."));
    QCOMPARE(w.focusWidget(), static_cast<QWidget*>(w.setup.txtPeriod));
    QCOMPARE(w.setup.txtPeriod->selectedText(), QString("5"));
    // Switching to another window checks the box once; the focus stays in it.
    Type(w.setup.txtPeriod, "7");
    const size_t shown = h.desktop.Messages().size();
    QApplication::setActiveWindow(nullptr);
    h.Settle();
    QCOMPARE(h.desktop.Messages().size(), shown + 1);
    QCOMPARE(h.LastMessage(), std::string("Period must be between 0.1 and 2 sec."));
    QApplication::setActiveWindow(&w);
    h.Settle();
    QCOMPARE(h.desktop.Messages().size(), shown + 1);
    QCOMPARE(w.focusWidget(), static_cast<QWidget*>(w.setup.txtPeriod));
    Type(w.setup.txtPeriod, "0.5");
    w.setup.txtFilter->setFocus();
    h.Settle();
    QCOMPARE(w.setup.txtPeriod->text(), QString(".50"));
    QCOMPARE(w.tmrRun().Interval(), 250);
}

void WindowControlsTest::gridEditsAreChecked() {
    WindowHarness h;
    h.StartUp();
    qt::frmMain& w = h.W();

    // Parameter grid: an accepted density is reformatted, a refused one restored.
    qt::ParamsGrid* grid = w.grdParams;
    auto edit = [&](int column, const QString& text) {
        grid->setFocus();
        grid->setCurrentCell(0, column);
        grid->editItem(grid->item(0, column));
        auto* editor = qobject_cast<QLineEdit*>(grid->Editor());
        QVERIFY(editor != nullptr);
        QCOMPARE(editor->selectedText(), grid->Text(0, column));
        editor->selectAll();
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
        h.Settle();
    };
    edit(0, "2.7");
    QCOMPARE(grid->Text(0, 0), QString("2.700"));
    QCOMPARE(h.State().ChannelDensity[0], 2.7);
    edit(0, "500");
    QCOMPARE(h.LastMessage(), std::string("Density must be between 0.2 and 99.99."));
    QCOMPARE(grid->Text(0, 0), QString("2.700"));
    QCOMPARE(h.State().ChannelDensity[0], 2.7);
    h.Settle();
    QVERIFY(grid->IsEditing());  // editing taken up again on the refused row
    grid->EndEdit();
    h.Settle();

    // Assignment grid: a new name reaches the readings grid and the charts. Names are
    // the setup file's Windows-1252 in the state and Unicode on the screen; a character
    // Windows-1252 lacks is kept as '?'.
    qt::AssignmentGrid* sn = w.setup.grdSN;
    sn->setFocus();
    auto rename = [&](const char* utf8) {
        sn->setCurrentCell(0, 0);
        sn->editItem(sn->item(0, 0));
        qobject_cast<QLineEdit*>(sn->Editor())->setText(QString::fromUtf8(utf8));
        QTest::keyClick(sn->Editor(), Qt::Key_Return);
        h.Settle();
    };
    rename("Crucible A");
    QCOMPARE(w.grdRdgs->Text(0, -1), QString("Crucible A"));
    rename("M\xC3\xBCller");
    QCOMPARE(h.State().ChannelName[0], std::string("M\xFCller"));
    QCOMPARE(w.grdRdgs->Text(0, -1), QString::fromUtf8("M\xC3\xBCller"));
    rename("Pozna\xC5\x84");
    QCOMPARE(h.State().ChannelName[0], std::string("Pozna?"));
    QCOMPARE(sn->Text(0, 0), QString("Pozna?"));
}

void WindowControlsTest::resizerScalesControlsAndGridFonts() {
    WindowHarness h;
    h.StartUp();
    qt::frmMain& w = h.W();
    const QSize inner = w.centralWidget()->size();
    const QRect grid = w.grdRdgs->geometry();
    h.Shot("design-size");
    w.resize(w.width() + inner.width(), w.height() + inner.height());
    h.Settle();
    QCOMPARE(w.centralWidget()->size(), inner * 2);
    QVERIFY(std::abs(w.grdRdgs->width() - 2 * grid.width()) <= 1);
    QVERIFY(std::abs(w.grdRdgs->y() - 2 * grid.y()) <= 1);
    // The grid font doubles to 19.2 pt: rate and thickness cells 21 pt, the rest 19 pt.
    QCOMPARE(w.grdRdgs->item(0, 0)->font().pointSize(), 21);
    QCOMPARE(w.grdRdgs->item(0, 3)->font().pointSize(), 19);
    QCOMPARE(w.grdRdgs->horizontalHeaderItem(1)->font().pointSize(), 19);
    QCOMPARE(w.setup.grdSN->item(0, 0)->font().pointSize(), 16);
    QVERIFY(std::abs(w.setup.cmdFind->font().pointSizeF() - 16.0) < 0.01);
    h.Sweep(1);
    h.Shot("double-size");
    // Fewer channels at twice the size: the window keeps its scale.
    w.setup.cboRows->setCurrentIndex(1);
    h.Settle();
    QCOMPARE(w.grdRdgs->item(0, 0)->font().pointSize(), 21);
    QCOMPARE(w.centralWidget()->height(), 2 * InnerHeight(PlaceGrids(1, kDesignRowHeightPx)));
    QVERIFY(std::abs(w.grdRdgs->height() - 2 * w.ReSize1().DesignRect(w.grdRdgs).height()) <= 1);
}

// Fewer channels in a maximised window: the normal size takes the new layout
// at its own scale and the window is maximised again around it.
void WindowControlsTest::channelsChosenWhileMaximised() {
    WindowHarness h;
    h.StartUp();
    qt::frmMain& w = h.W();
    const int normalWidth = w.width();
    w.showMaximized();
    h.Settle();
    w.setup.cboRows->setCurrentIndex(1);
    QTRY_VERIFY(w.isMaximized() && w.grdRdgs->rowCount() == 2);
    h.Settle();
    const QRect find(w.setup.cmdFind->mapTo(&w, QPoint(0, 0)), w.setup.cmdFind->size());
    QVERIFY(w.rect().contains(find));
    w.showNormal();
    h.Settle();
    QCOMPARE(w.width(), normalWidth);
    QCOMPARE(w.centralWidget()->height(), InnerHeight(PlaceGrids(1, kDesignRowHeightPx)));
}

}  // namespace zelvo

QTEST_MAIN(zelvo::WindowControlsTest)
#include "WindowControlsTest.moc"
