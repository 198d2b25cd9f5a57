// Print Screen through Qt's print support into a PDF file: the page, rendered
// by pdftoppm at the screen's resolution, shows the window's picture at its own
// size at the top-left of the printable area. Without a printer the menu item
// does nothing and shows nothing.

#include <QImage>
#include <QPrinterInfo>
#include <QProcess>
#include <QTest>

#include "TextFile.hpp"
#include "WindowHarness.hpp"

using zelvo::testing::WindowHarness;

namespace zelvo {
namespace {

// The smallest rectangle holding every pixel that is not white.
QRect InkBounds(const QImage& page) {
    QRect ink;
    for (int y = 0; y < page.height(); ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(page.constScanLine(y));
        for (int x = 0; x < page.width(); ++x) {
            if ((line[x] & 0xFFFFFF) != 0xFFFFFF) ink |= QRect(x, y, 1, 1);
        }
    }
    return ink;
}

}  // namespace

class WindowPrintTest : public QObject {
    Q_OBJECT

  private slots:
    void printScreenPutsTheWindowAtTheTopLeftAtItsOwnSize();
    void withoutAPrinterPrintScreenDoesNothing();
};

void WindowPrintTest::printScreenPutsTheWindowAtTheTopLeftAtItsOwnSize() {
    WindowHarness h;
    h.StartUp();
    h.W().mnuView[1]->trigger();
    h.Settle();
    const QString pdf = QString::fromStdString(h.folder.Path("screen.pdf"));
    h.W().Printing().PrintToPdf(pdf);
    h.desktop.ClearMessages();
    h.W().mnuPrint->trigger();
    QVERIFY(h.desktop.Messages().empty());
    QVERIFY(FileExists(pdf.toStdString()));

    const int dpi = h.W().logicalDpiX();
    const QString prefix = QString::fromStdString(h.folder.Path("page"));
    QProcess render;
    render.start("pdftoppm", {"-r", QString::number(dpi), "-png", "-singlefile", pdf, prefix});
    QVERIFY2(render.waitForFinished(60000), "pdftoppm did not finish");
    QCOMPARE(render.exitCode(), 0);
    const QImage page = QImage(prefix + ".png").convertToFormat(QImage::Format_RGB32);
    QVERIFY(!page.isNull());

    const QRect printable = h.W().Printing().Printer().pageLayout().paintRectPixels(dpi);
    const QRect expected(printable.topLeft(), h.W().frameGeometry().size());
    const QRect ink = InkBounds(page);
    // Rounding of the page's points to pixels: one pixel either way.
    QVERIFY2(qAbs(ink.left() - expected.left()) <= 1 && qAbs(ink.top() - expected.top()) <= 1,
             qPrintable(QString("ink at %1,%2").arg(ink.left()).arg(ink.top())));
    QVERIFY2(
        qAbs(ink.width() - expected.width()) <= 1 && qAbs(ink.height() - expected.height()) <= 1,
        qPrintable(QString("ink %1x%2").arg(ink.width()).arg(ink.height())));
    // The picture is the window's: the rate chart's black plot inside it.
    const QPoint chart = h.W().chart.Graph[0]->mapTo(&h.W(), QPoint(5, 5));
    QCOMPARE(page.pixel(expected.topLeft() + chart) & 0xFFFFFF, 0u);
}

void WindowPrintTest::withoutAPrinterPrintScreenDoesNothing() {
    if (!QPrinterInfo::availablePrinterNames().isEmpty()) QSKIP("this computer has a printer");
    WindowHarness h;
    h.StartUp();
    QCOMPARE(h.W().PageSetup().DeviceName(), std::string());
    h.desktop.ClearMessages();
    h.W().mnuPrint->trigger();
    h.Settle();
    QVERIFY(h.desktop.Messages().empty());
    QVERIFY(!FileExists(h.folder.Path("ERRORS.TXT")));
}

}  // namespace zelvo

QTEST_MAIN(zelvo::WindowPrintTest)
#include "WindowPrintTest.moc"
