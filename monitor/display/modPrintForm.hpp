// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Printing the main window: the page setup of the default printer and the Print
// Screen command. A refused setting is skipped; no printer at all, or a job the
// printer refuses, is told to the operator once.

#include <string>
#include <vector>

#include "cPageSetupDialog.hpp"

namespace zelvo {

// The printers and the current printer, as printing needs them. Every setter
// returns false when the printer refused the value.
class IPrinters {
  public:
    virtual ~IPrinters() = default;
    virtual bool AnyPrinter() = 0;
    virtual std::vector<std::string> DeviceNames() = 0;
    virtual std::string CurrentDeviceName() = 0;
    virtual bool SelectPrinter(const std::string& deviceName) = 0;
    virtual bool SetCopies(int16_t copies) = 0;
    virtual bool SetDuplex(int16_t duplex) = 0;
    virtual bool SetOrientation(int16_t orientation) = 0;
    virtual bool SetPaperSize(int16_t paperSize) = 0;
    virtual bool SetPrintQuality(int16_t quality) = 0;
    // Lets pending window events run.
    virtual void ProcessEvents() = 0;
    // PrintFormImage: captures the main window as shown and prints it at the
    // top-left of the printable area (FitToPage), as one job named jobName; false
    // when the capture or the job failed.
    virtual bool PrintFormImage(const std::string& jobName) = 0;
};

// At start-up: the default printer's settings, without a dialog, when a printer exists.
void PageSetupAtStartUp(cPageSetupDialog& page, IPageSetupService& service, IPrinters& printers);

// mnuPrint_Click: the default printer of the moment, looked up through the
// page-setup service, with its settings, then the window's picture as a job
// named after the window's caption. Returns whether a page was printed.
bool mnuPrint_Click(cPageSetupDialog& page, IPageSetupService& service, IPrinters& printers,
                    const std::string& caption);

// The scale at which a picture of width x height is printed on a printable area
// of areaWidth x areaHeight (all in the same unit): 1, its own size, when it
// fits; otherwise the largest scale that fits, the aspect kept.
double FitToPage(double width, double height, double areaWidth, double areaHeight);

}  // namespace zelvo
