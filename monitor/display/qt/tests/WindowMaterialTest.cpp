// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The parameter grid's row menu of materials as the operator meets it: opened by a
// right click, the menu key or Shift+F10, narrowed by typing, refused while the
// parameters are locked, and telling once about skipped lines of the user's file.

#include <QContextMenuEvent>
#include <QLineEdit>
#include <QStatusBar>
#include <QTest>
#include <QTimer>

#include "SupervisionDialog.hpp"
#include "TextFile.hpp"
#include "WindowHarness.hpp"

using zelvo::testing::WindowHarness;

namespace zelvo {
namespace {

// A right click on the parameter grid's cell.
void RightClick(qt::ParamsGrid* grid, int row, int column) {
    const QPoint at = grid->visualItemRect(grid->item(row, column)).center();
    QContextMenuEvent click(QContextMenuEvent::Mouse, at, grid->viewport()->mapToGlobal(at));
    QApplication::sendEvent(grid->viewport(), &click);
}

// Types into the open menu's search box and presses Enter.
void Choose(qt::MaterialMenu* menu, const QString& typed) {
    QTest::keyClicks(menu->txtSearch, typed);
    QTest::keyClick(menu->txtSearch, Qt::Key_Return);
}

}  // namespace

class WindowMaterialTest : public QObject {
    Q_OBJECT

  private slots:
    void aRightClickedRowTakesTheTypedMaterial();
    void theKeyboardOpensTheMenuOnTheCurrentRowUnlessLocked();
    void skippedLinesOfTheUsersFileAreToldOncePerChange();
    void supervisionIsSetBesideTheMaterialsAndWarnsOnTheRow();
};

void WindowMaterialTest::aRightClickedRowTakesTheTypedMaterial() {
    WindowHarness h;
    h.StartUp();
    qt::frmMain& w = h.W();
    const size_t messages = h.desktop.Messages().size();
    RightClick(w.grdParams, 1, 0);
    qt::MaterialMenu* menu = w.mnuMaterial;
    QVERIFY(menu->isVisible());
    QCOMPARE(menu->lblTitle->text(),
             QString("Material for ") + QString::fromStdString(h.State().ChannelName[1]));
    QVERIFY(menu->lstMaterials->topLevelItemCount() >= 60);
    QTest::keyClicks(menu->txtSearch, "alu");
    QCOMPARE(menu->lstMaterials->topLevelItem(0)->text(0), QString("Aluminium"));
    QCOMPARE(menu->lstMaterials->topLevelItem(0)->text(2), QString("2.700"));
    h.Shot("material-menu", menu);
    QTest::keyClick(menu->txtSearch, Qt::Key_Down);  // Aluminium nitride
    QTest::keyClick(menu->txtSearch, Qt::Key_Up);
    QTest::keyClick(menu->txtSearch, Qt::Key_Return);
    h.Settle();
    QVERIFY(!menu->isVisible());
    QCOMPARE(w.grdParams->Text(1, 0), QString("2.700"));
    QCOMPARE(w.grdParams->Text(1, 1), QString("1.080"));
    // Its default name gives way to the material's, wherever the name shows.
    QCOMPARE(w.grdRdgs->Text(1, -1), QString("Aluminium"));
    QCOMPARE(w.chart.Graph[0]->SeriesLabel(2), QString("Aluminium"));  // series 1 to 8
    QCOMPARE(h.desktop.Messages().size(), messages);  // nothing refused, nothing skipped
}

void WindowMaterialTest::theKeyboardOpensTheMenuOnTheCurrentRowUnlessLocked() {
    WindowHarness h;
    h.StartUp();
    qt::frmMain& w = h.W();
    qt::MaterialMenu* menu = w.mnuMaterial;
    struct Case {
        int key;
        Qt::KeyboardModifiers modifiers;
        int row;
        const char* typed;
        const char* density;
    };
    for (const Case& c : {Case{Qt::Key_Menu, Qt::NoModifier, 2, "silver", "10.500"},
                          Case{Qt::Key_F10, Qt::ShiftModifier, 3, "tio2", "4.260"}}) {
        w.grdParams->setCurrentCell(c.row, 1);
        QTest::keyClick(w.grdParams, static_cast<Qt::Key>(c.key), c.modifiers);
        QVERIFY(menu->isVisible());
        Choose(menu, c.typed);
        QCOMPARE(w.grdParams->Text(c.row, 0), QString(c.density));
    }
    // Escape closes the menu and changes nothing.
    QTest::keyClick(w.grdParams, Qt::Key_Menu);
    QTest::keyClick(menu->txtSearch, Qt::Key_Escape);
    QVERIFY(!menu->isVisible());
    QCOMPARE(w.grdParams->Text(3, 0), QString("4.260"));
    // Locked parameters open no menu, by mouse or keyboard.
    w.setup.chkLock->setChecked(true);
    RightClick(w.grdParams, 0, 0);
    QTest::keyClick(w.grdParams, Qt::Key_Menu);
    QVERIFY(!menu->isVisible());
}

void WindowMaterialTest::skippedLinesOfTheUsersFileAreToldOncePerChange() {
    WindowHarness h;
    h.StartUp();
    qt::frmMain& w = h.W();
    WriteFileBytes(h.folder.Path("materials.txt"), "Gold = Au; 19.32; 0.38\r\nGold 19.3\r\n");
    const size_t before = h.desktop.Messages().size();
    RightClick(w.grdParams, 0, 0);
    QCOMPARE(h.desktop.Messages().size(), before + 1);
    QVERIFY(h.LastMessage().find("materials.txt, line 2: not a material line") !=
            std::string::npos);
    Choose(w.mnuMaterial, "gold");
    QCOMPARE(w.grdParams->Text(0, 0), QString("19.320"));  // the user's Gold
    RightClick(w.grdParams, 0, 0);
    QCOMPARE(h.desktop.Messages().size(), before + 1);
    w.mnuMaterial->hide();
}

// The row menu's Supervision button opens the channel's settings; a refused entry
// keeps the dialog open; a reached target marks the row and is said once, with one
// beep, until a Zero clears it.
void WindowMaterialTest::supervisionIsSetBesideTheMaterialsAndWarnsOnTheRow() {
    WindowHarness h;
    h.StartUp();
    qt::frmMain& w = h.W();
    RightClick(w.grdParams, 0, 0);
    QString refused;
    bool keptOpen = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = dynamic_cast<qt::SupervisionDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) return;
        dialog->txtField[0]->setText("0.001");
        dialog->txtField[3]->setText("abc");
        dialog->accept();
        refused = QString::fromStdString(h.LastMessage());
        keptOpen = dialog->isVisible() && dialog->focusWidget() == dialog->txtField[3];
        dialog->txtField[3]->setText("0");
        dialog->accept();
    });
    QTest::mouseClick(w.mnuMaterial->cmdSupervision, Qt::LeftButton);
    QCOMPARE(refused, QString("Quality must be an integer between 0 and 9."));
    QVERIFY(keptOpen);
    QCOMPARE(h.State().ChannelSupervision[0].target, 0.001);

    QTableWidgetItem* name = w.grdRdgs->verticalHeaderItem(0);
    const QBrush plain = name->background();
    w.runBar.cmdFSwitch[0]->click();
    h.Sweep(40);  // 10 s at 2 A/s: past 0.001 kA
    QVERIFY(name->background() != plain);
    QVERIFY(w.supervision.lblEvents->text().startsWith(w.grdRdgs->Text(0, -1) + ": target at "));
    QCOMPARE(h.desktop.Beeps(), 1);
    QTest::mouseClick(w.grdRdgs->viewport(), Qt::LeftButton, {},
                      w.grdRdgs->visualItemRect(w.grdRdgs->item(0, 2)).center());
    h.Sweep(1);
    QCOMPARE(name->background(), plain);
}

}  // namespace zelvo

QTEST_MAIN(zelvo::WindowMaterialTest)
#include "WindowMaterialTest.moc"
