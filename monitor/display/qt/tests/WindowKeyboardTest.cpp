// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The main window from the keyboard alone: Tab in reading order through every
// control and out of the grids, Alt letters that do what they show, a logged run,
// an Open and a Save As without the mouse.

#include <QAccessible>
#include <QLabel>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <algorithm>

#include "QtFileChooser.hpp"
#include "WindowHarness.hpp"
#include "frmAbout.hpp"

using zelvo::testing::WindowHarness;

namespace zelvo {
namespace {

QWidget* Focus() {
    return QApplication::focusWidget();
}

// A key pressed where a keyboard delivers it: to an open menu, or to the focus.
void Press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget* popup = QApplication::activePopupWidget();
    QTest::keyClick(popup != nullptr ? popup : Focus(), static_cast<Qt::Key>(key), modifiers);
    QCoreApplication::processEvents();
}

// The controls Tab reaches from the focus until it comes back, by name; a grid's
// cells one entry each.
QStringList TabWalk(Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QStringList names;
    const QWidget* start = Focus();
    for (int i = 0; i < 120; ++i) {
        Press(Qt::Key_Tab, modifiers);
        if (Focus() == start) break;
        names << Focus()->objectName();
    }
    return names;
}

// Tab from the focus until it reaches one of the targets, at most once round.
bool TabTo(std::initializer_list<const QWidget*> targets) {
    const auto reached = [&] {
        return std::find(targets.begin(), targets.end(), Focus()) != targets.end();
    };
    for (int i = 0; i < 120 && !reached(); ++i) Press(Qt::Key_Tab);
    return reached();
}

}  // namespace

class WindowKeyboardTest : public QObject {
    Q_OBJECT

  private slots:
    void tabGoesEverywhereInReadingOrder();
    void altLettersAndAKeyboardOnlyRun();
    void aScreenReaderCanNameEveryControl();
};

void WindowKeyboardTest::tabGoesEverywhereInReadingOrder() {
    WindowHarness h;
    h.StartUp();
    qt::frmMain& w = h.W();
    w.runBar.cmdFSwitch[0]->setFocus();
    const QStringList walk = TabWalk();
    // Pause shows only during a run; one stop per group of options; grids cell by
    // cell, then out.
    QStringList expected = {"txtRun", w.runBar.optLog[0]->isChecked() ? "optLog_0" : "optLog_1"};
    const auto cells = [&](const QTableWidget* grid, const QString& name) {
        for (int cell = 0; cell < grid->rowCount() * grid->columnCount(); ++cell) expected << name;
    };
    cells(w.grdParams, "grdParams");
    const QString logType = QString("optLogType_%1").arg(h.State().LogType);
    const QString units = QString("optUnits_%1").arg(h.State().Units);
    expected +=
        {logType, "cmdView",   "cmdSelect", "txtPeriod", "txtInit_0", "txtInit_1", "txtInit_2",
         units,   "txtFilter", "cboRate",   "cboRows",   "chkLock",   "chkOnTop"};
    cells(w.setup.grdSN, "grdSN");
    expected << "cmdFind";
    QCOMPARE(walk, expected);

    // Shift+Tab goes back, into a grid at its last cell; Ctrl+Tab leaves at once.
    w.setup.txtPeriod->setFocus();
    Press(Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(Focus(), w.setup.cmdSelect);
    w.setup.optLogType[h.State().LogType]->setFocus();
    Press(Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(Focus(), w.grdParams);
    QCOMPARE(w.grdParams->currentRow(), w.grdParams->rowCount() - 1);
    QCOMPARE(w.grdParams->currentColumn(), 2);
    Press(Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(w.grdParams->currentColumn(), 1);
    Press(Qt::Key_Tab, Qt::ControlModifier);
    QCOMPARE(Focus()->objectName(), logType);
}

void WindowKeyboardTest::altLettersAndAKeyboardOnlyRun() {
    WindowHarness h;
    h.StartUp();
    qt::frmMain& w = h.W();
    // Keys only from here. The log on: from the Off option, an arrow key chooses On.
    QVERIFY(TabTo({w.runBar.optLog[0], w.runBar.optLog[1]}));
    Press(Qt::Key_Down);
    QCOMPARE(h.State().LogEnabled, 1);

    // Alt+S in the File frame presses Select; elsewhere it presses the run button.
    h.chooser.answers = {h.folder.Path("Keys.log")};
    QVERIFY(TabTo({w.setup.cmdView}));
    Press(Qt::Key_S, Qt::AltModifier);
    QCOMPARE(w.setup.lblFileName->text(), QString("Keys.log"));
    QCOMPARE(h.State().RunMode, kStopped);
    QVERIFY(TabTo({w.setup.txtPeriod}));
    // A button's own letter presses it as a click shown on screen, which ends a moment later.
    Press(Qt::Key_S, Qt::AltModifier);
    QTRY_COMPARE(h.State().RunMode, kRunning);
    h.Sweep(3);
    Press(Qt::Key_S, Qt::AltModifier);
    QTRY_COMPARE(h.State().RunMode, kStopped);
    QVERIFY(ReadFileBytes(h.folder.Path("Keys.log")).find("\r\nStop Log\tRun: 2\t") !=
            std::string::npos);

    // Alt+F and Alt+V open their menus outside the frames of Find and View.
    const auto openMenu = [&](Qt::Key letter) {
        Press(letter, Qt::AltModifier);
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        return menu != nullptr ? menu->objectName() : QString();
    };
    QVERIFY(TabTo({w.setup.txtFilter}));
    QCOMPARE(openMenu(Qt::Key_F), QString("mnuFile"));
    Press(Qt::Key_Escape);
    QCOMPARE(openMenu(Qt::Key_V), QString("mnuViewMenu"));
    Press(Qt::Key_Escape);

    // Save As and Open from the File menu's letters.
    h.chooser.answers = {h.folder.Path("keys.cfg")};
    openMenu(Qt::Key_F);
    Press(Qt::Key_A);
    QCOMPARE(w.windowTitle(), QString("Zelvo - [keys.cfg]"));
    h.chooser.answers = {h.folder.Path("zelvo.cfg")};
    openMenu(Qt::Key_F);
    Press(Qt::Key_O);
    QCOMPARE(w.windowTitle(), QString("Zelvo - [zelvo.cfg]"));
    QCOMPARE(h.chooser.answers.size(), size_t(0));
}

// The focusable objects under an accessible object that have no name.
void CollectUnnamed(QAccessibleInterface* face, QStringList& unnamed, int depth = 0) {
    if (face == nullptr || depth > 12) return;
    const QAccessible::State state = face->state();
    if (state.focusable && !state.invisible && face->text(QAccessible::Name).isEmpty()) {
        unnamed << (face->object() != nullptr ? face->object()->objectName() : QString("?")) + "/" +
                       QString::number(face->role());
    }
    for (int i = 0; i < face->childCount(); ++i) CollectUnnamed(face->child(i), unnamed, depth + 1);
}

void WindowKeyboardTest::aScreenReaderCanNameEveryControl() {
    WindowHarness h;
    h.StartUp();
    qt::frmMain& w = h.W();
    QStringList unnamed;
    CollectUnnamed(QAccessible::queryAccessibleInterface(&w), unnamed);
    w.mnuView[1]->trigger();  // the chart's settings strip instead of the setup frames
    CollectUnnamed(QAccessible::queryAccessibleInterface(&w), unnamed);
    w.mnuHelpAbout->trigger();
    CollectUnnamed(QAccessible::queryAccessibleInterface(w.AboutBox()), unnamed);
    QTimer::singleShot(0, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        CollectUnnamed(QAccessible::queryAccessibleInterface(dialog), unnamed);
        dialog->close();
    });
    h.chooser.answers = {};
    qt::QtFileChooser(&w).Choose(FileRequest{});
    QCOMPARE(unnamed.join(" "), QString());

    QAccessibleInterface* params = QAccessible::queryAccessibleInterface(w.grdParams);
    QCOMPARE(params->text(QAccessible::Name), QString("Parameters"));
    QCOMPARE(params->tableInterface()->cellAt(1, 0)->text(QAccessible::Name),
             w.grdRdgs->Text(1, -1) + ", " + w.grdParams->Text(-1, 0).simplified());
    QCOMPARE(QAccessible::queryAccessibleInterface(w.setup.txtPeriod)->text(QAccessible::Name),
             w.findChild<QLabel*>("lblPeriod")->text());

    // Readings are told at most once a second, however fast the sweeps come.
    w.runBar.cmdFSwitch[0]->click();
    int told = 0;
    QString last = w.grdRdgs->accessibleDescription();
    for (int sweep = 0; sweep < 8; ++sweep) {  // two seconds
        h.Sweep(1);
        told += w.grdRdgs->accessibleDescription() != last ? 1 : 0;
        last = w.grdRdgs->accessibleDescription();
    }
    QVERIFY2(told >= 2 && told <= 3, qPrintable(QString::number(told)));
    QVERIFY(w.grdRdgs->accessibleDescription().startsWith("Running. " + w.grdRdgs->Text(0, -1)));
}

}  // namespace zelvo

QTEST_MAIN(zelvo::WindowKeyboardTest)
#include "WindowKeyboardTest.moc"
