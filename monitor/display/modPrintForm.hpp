#pragma once
// Printing the main window: the page setup read at start-up and the Print
// Screen command. Printing never reports an error: a missing printer, a refused
// setting or a failed capture skips that step.

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
    // PrintFormImage: captures the main window as shown and prints it at its own
    // size at the top-left of the printable area, as one job; false when the
    // capture or the job failed.
    virtual bool PrintFormImage() = 0;
};

// At start-up: the default printer's settings, without a dialog, when a printer exists.
void PageSetupAtStartUp(cPageSetupDialog& page, IPageSetupService& service, IPrinters& printers);

// mnuPrint_Click: the printer of the page setup with its settings, then the
// window's picture. Returns whether a page was printed (for tests and traces only).
bool mnuPrint_Click(const cPageSetupDialog& page, IPrinters& printers);

}  // namespace zelvo
