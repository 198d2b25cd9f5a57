#include "modPrintForm.hpp"

namespace zelvo {

void PageSetupAtStartUp(cPageSetupDialog& page, IPageSetupService& service, IPrinters& printers) {
    page.Flags = kPsdReturnDefault;
    if (!printers.AnyPrinter()) return;
    // A failing service leaves the properties as they were (0 and empty); the
    // current printer then stays in force when printing.
    const bool filled = page.Show(service);
    static_cast<void>(filled);
}

bool mnuPrint_Click(const cPageSetupDialog& page, IPrinters& printers) {
    // Every refused step is skipped and the next one runs, as printing never
    // reports an error. Without any printer there is nothing to do.
    if (!printers.AnyPrinter()) return false;
    if (printers.CurrentDeviceName() != page.DeviceName()) {
        for (const std::string& name : printers.DeviceNames()) {
            if (name == page.DeviceName()) {
                static_cast<void>(printers.SelectPrinter(name));
                break;
            }
        }
    }
    static_cast<void>(printers.SetCopies(page.Copies));
    static_cast<void>(printers.SetDuplex(page.Duplex));
    static_cast<void>(printers.SetOrientation(page.Orientation));
    static_cast<void>(printers.SetPaperSize(page.PaperSize));
    static_cast<void>(printers.SetPrintQuality(page.PrintQuality));
    printers.ProcessEvents();
    return printers.PrintFormImage();
}

}  // namespace zelvo
