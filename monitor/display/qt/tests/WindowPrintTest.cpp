// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Print Screen through Qt's print support into a PDF file: the page, rendered
// by pdftoppm at the screen's resolution, shows the window's picture at the
// top-left of the printable area, at its own size or scaled down to fit, in a job
// named after the window's caption.

#include <QImage>
#include <QProcess>
#include <QTest>

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
    void printScreenPutsTheWindowAtTheTopLeftAtItsOwnSizeOrFitsItToThePage();
};

// Prints the window into a PDF file, renders the page by pdftoppm at the
// screen's resolution and reads the PDF's title, the job's name.
QImage PrintedPage(WindowHarness& h, const std::string& name, QString& title) {
    const QString pdf = QString::fromStdString(h.folder.Path(name + ".pdf"));
    h.W().Printing().PrintToPdf(pdf);
    h.desktop.ClearMessages();
    h.W().mnuPrint->trigger();
    QProcess tool;
    tool.start("pdfinfo", {pdf});
    tool.waitForFinished(60000);
    title = QString::fromUtf8(tool.readAllStandardOutput()).section('\n', 0, 0).mid(6).trimmed();
    const QString png = QString::fromStdString(h.folder.Path(name));
    tool.start("pdftoppm",
               {"-r", QString::number(h.W().logicalDpiX()), "-png", "-singlefile", pdf, png});
    tool.waitForFinished(60000);
    return QImage(png + ".png").convertToFormat(QImage::Format_RGB32);
}

void WindowPrintTest::printScreenPutsTheWindowAtTheTopLeftAtItsOwnSizeOrFitsItToThePage() {
    WindowHarness h;
    h.StartUp();
    h.W().mnuView[1]->trigger();
    const QRect printable =
        h.W().Printing().Printer().pageLayout().paintRectPixels(h.W().logicalDpiX());
    // The design size fits an A4 page; a maximised 1600 x 1000 does not, and lies
    // partly beyond the screen.
    for (const QSize size : {QSize(), QSize(1600, 1000)}) {
        if (size.isValid()) h.W().resize(size);
        h.Settle();
        const QSize window = h.W().frameGeometry().size();
        QString title;
        const QImage page = PrintedPage(h, std::to_string(window.width()), title);
        QVERIFY(h.desktop.Messages().empty() && !page.isNull());
        QCOMPARE(title, QString("Zelvo - [lab.cfg]"));
        const double scale = std::min({1.0, printable.width() / double(window.width()),
                                       printable.height() / double(window.height())});
        const QRect expected(printable.topLeft(), (QSizeF(window) * scale).toSize());
        const QRect ink = InkBounds(page);
        // Rounding of the page's points to pixels: one pixel either way.
        QVERIFY((ink.topLeft() - expected.topLeft()).manhattanLength() <= 2 &&
                qAbs(ink.width() - expected.width()) <= 1 &&
                qAbs(ink.height() - expected.height()) <= 1);
        // The window's picture: the rate chart's black plot, and the light run bar
        // at the far right, which lies off the screen.
        const QPoint chart = h.W().chart.Graph[0]->mapTo(&h.W(), QPoint(5, 5));
        QCOMPARE(page.pixel(expected.topLeft() + chart * scale) & 0xFFFFFF, 0u);
        const QPoint right(window.width() - 3,
                           h.W().chart.fraGraph->mapTo(&h.W(), QPoint()).y() - 8);
        QVERIFY(qGray(page.pixel(expected.topLeft() + right * scale)) > 128);
    }
}

}  // namespace zelvo

QTEST_MAIN(zelvo::WindowPrintTest)
#include "WindowPrintTest.moc"
