// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Printing on Qt's print support (CUPS): the page-setup service reads the
// settings of the default printer of the moment, the printers are Qt's, and
// PrintFormImage captures the main window from the screen (frame and caption
// included where the platform allows; the window's own picture when the screen
// cannot give it all) and draws it at the top-left of the printable area, at its
// own size or scaled down to fit.

#include <QPrinter>
#include <QString>
#include <memory>

#include "modPrintForm.hpp"

class QWidget;

namespace zelvo::qt {

class QtPrinting : public IPrinters, public IPageSetupService {
  public:
    explicit QtPrinting(QWidget* window);

    // Prints into a PDF file instead of a printer, the rest of the way unchanged.
    void PrintToPdf(const QString& path);
    QPrinter& Printer() { return *printer_; }

    std::optional<PageSetupResult> PageSetup(const PageSetupRequest& request) override;

    bool AnyPrinter() override;
    std::vector<std::string> DeviceNames() override;
    std::string CurrentDeviceName() override;
    bool SelectPrinter(const std::string& deviceName) override;
    bool SetCopies(int16_t copies) override;
    bool SetDuplex(int16_t duplex) override;
    bool SetOrientation(int16_t orientation) override;
    bool SetPaperSize(int16_t paperSize) override;
    bool SetPrintQuality(int16_t quality) override;
    void ProcessEvents() override;
    bool PrintFormImage(const std::string& jobName) override;

  private:
    QPixmap CaptureWindow() const;

    QWidget* window_;
    std::unique_ptr<QPrinter> printer_;
    bool toPdf_ = false;
};

}  // namespace zelvo::qt
