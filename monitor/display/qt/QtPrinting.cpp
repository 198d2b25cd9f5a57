// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "QtPrinting.hpp"

#include <QCoreApplication>
#include <QPainter>
#include <QPixmap>
#include <QPrinterInfo>
#include <QScreen>
#include <QWidget>

namespace zelvo::qt {
namespace {

// The platform's device-mode codes.
constexpr int16_t kPortrait = 1, kLandscape = 2;
constexpr int16_t kSimplex = 1, kDuplexLong = 2, kDuplexShort = 3;

int16_t Narrow(double value) {
    return static_cast<int16_t>(qBound(-32768.0, value, 32767.0));
}

// Margins in hundredths of a millimetre.
MarginRect Hundredths(const QMarginsF& mm) {
    return {qRound(mm.left() * 100), qRound(mm.top() * 100), qRound(mm.right() * 100),
            qRound(mm.bottom() * 100)};
}

}  // namespace

QtPrinting::QtPrinting(QWidget* window)
    : window_(window), printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)) {}

void QtPrinting::PrintToPdf(const QString& path) {
    printer_->setOutputFormat(QPrinter::PdfFormat);
    printer_->setOutputFileName(path);
    toPdf_ = true;
}

std::optional<PageSetupResult> QtPrinting::PageSetup(const PageSetupRequest& request) {
    if ((request.flags & kPsdReturnDefault) == 0 || !AnyPrinter()) return std::nullopt;
    // The default printer now, not the one of the program's start.
    const QString current = QPrinterInfo::defaultPrinterName();
    if (!toPdf_ && !current.isEmpty()) printer_->setPrinterName(current);
    const QPageLayout layout = printer_->pageLayout();
    const QSizeF mm = layout.pageSize().size(QPageSize::Millimeter);
    DeviceMode dm;
    dm.deviceName = printer_->printerName().toStdString();
    dm.orientation = layout.orientation() == QPageLayout::Landscape ? kLandscape : kPortrait;
    dm.paperSize = Narrow(layout.pageSize().windowsId());
    dm.paperLength = Narrow(mm.height() * 10);
    dm.paperWidth = Narrow(mm.width() * 10);
    dm.scale = 100;
    dm.color = printer_->colorMode() == QPrinter::Color ? 1 : 0;
    const QPrinter::DuplexMode duplex = printer_->duplex();
    dm.duplex = duplex == QPrinter::DuplexLongSide    ? kDuplexLong
                : duplex == QPrinter::DuplexShortSide ? kDuplexShort
                                                      : kSimplex;
    dm.collate = printer_->collateCopies() ? 1 : 0;
    dm.yResolution = Narrow(printer_->resolution());
    dm.printQuality = dm.yResolution;
    return PageSetupResult{dm, Hundredths(layout.minimumMargins()),
                           Hundredths(layout.margins(QPageLayout::Millimeter))};
}

bool QtPrinting::AnyPrinter() {
    return toPdf_ || !QPrinterInfo::availablePrinterNames().isEmpty();
}

std::vector<std::string> QtPrinting::DeviceNames() {
    std::vector<std::string> names;
    for (const QString& name : QPrinterInfo::availablePrinterNames()) {
        names.push_back(name.toStdString());
    }
    return names;
}

std::string QtPrinting::CurrentDeviceName() {
    return printer_->printerName().toStdString();
}

bool QtPrinting::SelectPrinter(const std::string& deviceName) {
    printer_->setPrinterName(QString::fromStdString(deviceName));
    return printer_->printerName().toStdString() == deviceName;
}

bool QtPrinting::SetCopies(int16_t copies) {
    if (copies < 1) return false;
    printer_->setCopyCount(copies);
    return printer_->copyCount() == copies;
}

bool QtPrinting::SetDuplex(int16_t duplex) {
    QPrinter::DuplexMode mode = QPrinter::DuplexNone;
    if (duplex == kDuplexLong) {
        mode = QPrinter::DuplexLongSide;
    } else if (duplex == kDuplexShort) {
        mode = QPrinter::DuplexShortSide;
    } else if (duplex != kSimplex) {
        return false;
    }
    printer_->setDuplex(mode);
    return printer_->duplex() == mode;
}

bool QtPrinting::SetOrientation(int16_t orientation) {
    if (orientation != kPortrait && orientation != kLandscape) return false;
    return printer_->setPageOrientation(orientation == kPortrait ? QPageLayout::Portrait
                                                                 : QPageLayout::Landscape);
}

bool QtPrinting::SetPaperSize(int16_t paperSize) {
    const QPageSize::PageSizeId id = QPageSize::id(paperSize);
    if (paperSize <= 0 || id == QPageSize::Custom) return false;
    return printer_->setPageSize(QPageSize(id));
}

bool QtPrinting::SetPrintQuality(int16_t quality) {
    if (quality <= 0) return false;
    printer_->setResolution(quality);
    return printer_->resolution() == quality;
}

void QtPrinting::ProcessEvents() {
    QCoreApplication::processEvents();
}

// The window's rectangle on the screen, frame and caption included. A window
// partly off its screen, or a platform that cannot read the screen, gives the
// window's own picture instead: the screen would show black for the hidden part.
QPixmap QtPrinting::CaptureWindow() const {
    QScreen* screen = window_->screen();
    const QRect frame = window_->frameGeometry();
    if (screen != nullptr && screen->geometry().contains(frame)) {
        const QRect local = frame.translated(-screen->geometry().topLeft());
        const QPixmap shot =
            screen->grabWindow(0, local.x(), local.y(), local.width(), local.height());
        if (!shot.isNull() && shot.size() == frame.size()) return shot;
    }
    return window_->grab();
}

bool QtPrinting::PrintFormImage(const std::string& jobName) {
    window_->raise();
    const QPixmap picture = CaptureWindow();
    if (picture.isNull()) return false;
    printer_->setDocName(QString::fromStdString(jobName));
    QPainter painter;
    if (!painter.begin(printer_.get())) return false;
    // Its own size is its pixels at the screen's resolution, in printer dots.
    const double ownSize =
        printer_->resolution() / double(window_->logicalDpiX()) / picture.devicePixelRatio();
    const QSizeF size = QSizeF(picture.size()) * ownSize;
    const double scale =
        ownSize * FitToPage(size.width(), size.height(), printer_->width(), printer_->height());
    painter.scale(scale, scale);
    painter.drawPixmap(0, 0, picture);
    return painter.end();
}

}  // namespace zelvo::qt
