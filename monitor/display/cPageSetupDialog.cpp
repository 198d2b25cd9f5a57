// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "cPageSetupDialog.hpp"

namespace zelvo {

bool cPageSetupDialog::Show(IPageSetupService& service) {
    PageSetupRequest request;
    request.flags = Flags & kPsdFlagMask;
    request.owner = hWndParent;
    request.minMargins = MarginMin;
    request.margins = Margin;
    const std::optional<PageSetupResult> result = service.PageSetup(request);
    if (!result) return false;
    if (const std::optional<DeviceMode>& dm = result->deviceMode) {
        Orientation = dm->orientation;
        PaperSize = dm->paperSize;
        PaperLength = dm->paperLength;
        PaperWidth = dm->paperWidth;
        PrintScale = dm->scale;
        Color = dm->color != 0;
        Duplex = dm->duplex;
        Collate = dm->collate != 0;
        YResolution = dm->yResolution;
        TTOption = dm->ttOption;
        PrintQuality = dm->printQuality;
        deviceName_ = dm->deviceName.substr(0, dm->deviceName.find('\0')).substr(0, kDeviceNameMax);
    }
    Margin = result->margins;
    MarginMin = result->minMargins;
    return true;
}

}  // namespace zelvo
