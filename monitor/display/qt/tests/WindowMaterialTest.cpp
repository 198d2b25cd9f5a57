// The parameter grid's row menu of materials as the operator meets it: opened by a
// right click, the menu key or Shift+F10, narrowed by typing, refused while the
// parameters are locked, and telling once about skipped lines of the user's file.

#include <QContextMenuEvent>
#include <QTest>

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

}  // namespace zelvo

QTEST_MAIN(zelvo::WindowMaterialTest)
#include "WindowMaterialTest.moc"
