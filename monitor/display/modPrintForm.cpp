// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "modPrintForm.hpp"

#include <algorithm>

#include "AppInfo.hpp"
#include "Desktop.hpp"
#include "DisplayTexts.hpp"

namespace zelvo {
namespace {

bool Tell(const char* text) {
    Desktop().MessageBox(text, GetAppInfo().title, MsgButtons::OK, MsgIcon::Exclamation);
    return false;
}

}  // namespace

void PageSetupAtStartUp(cPageSetupDialog& page, IPageSetupService& service, IPrinters& printers) {
    page.Flags = kPsdReturnDefault;
    if (!printers.AnyPrinter()) return;
    // A failing service leaves the properties as they were (0 and empty); the
    // current printer then stays in force when printing.
    const bool filled = page.Show(service);
    static_cast<void>(filled);
}

bool mnuPrint_Click(cPageSetupDialog& page, IPageSetupService& service, IPrinters& printers,
                    const std::string& caption) {
    if (!printers.AnyPrinter()) return Tell(texts::kNoPrinter);
    // The default printer may have changed since start-up. A refused step is
    // skipped and the next one runs: the printer keeps its own value then.
    PageSetupAtStartUp(page, service, printers);
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
    return printers.PrintFormImage(caption) || Tell(texts::kPrintRefused);
}

double FitToPage(double width, double height, double areaWidth, double areaHeight) {
    if (width <= 0 || height <= 0) return 1;
    return std::min({1.0, areaWidth / width, areaHeight / height});
}

}  // namespace zelvo
