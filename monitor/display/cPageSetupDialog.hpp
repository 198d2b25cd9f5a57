// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The page-setup wrapper: asks the platform's page-setup service for the
// default printer's device mode (without a dialog when Flags asks so) and keeps
// its fields for printing. The window owns one instance for the program's life.

#include <cstdint>
#include <optional>
#include <string>

namespace zelvo {

// Page-setup flag: return the default printer's settings without a dialog.
inline constexpr int32_t kPsdReturnDefault = 0x400;
// The flags handed to the service: hook, template, page-painting and network
// button flags cleared.
inline constexpr int32_t kPsdFlagMask = 0x5FFF;
inline constexpr size_t kDeviceNameMax = 32;

struct MarginRect {
    int32_t left = 0, top = 0, right = 0, bottom = 0;
    bool operator==(const MarginRect&) const = default;
};

// A printer's device mode as the service returns it (the platform's field codes).
struct DeviceMode {
    std::string deviceName;  // may hold NUL characters after the name
    int16_t orientation = 0, paperSize = 0, paperLength = 0, paperWidth = 0;
    int16_t scale = 0, color = 0, duplex = 0, collate = 0, yResolution = 0, ttOption = 0;
    int16_t printQuality = 0;
};

struct PageSetupRequest {
    int32_t flags = 0;
    int32_t owner = 0;
    MarginRect minMargins, margins;
};

struct PageSetupResult {
    std::optional<DeviceMode> deviceMode;  // nothing when the service returned none
    MarginRect minMargins, margins;
};

class IPageSetupService {
  public:
    virtual ~IPageSetupService() = default;
    // Nothing when the service failed (no printer, refused, cancelled).
    virtual std::optional<PageSetupResult> PageSetup(const PageSetupRequest& request) = 0;
};

class cPageSetupDialog {
  public:
    bool Collate = false;
    bool Color = false;
    int16_t Copies = 0;
    int16_t Duplex = 0;
    int32_t Flags = 0;
    int32_t hWndParent = 0;
    MarginRect Margin, MarginMin;
    int16_t Orientation = 0, PaperSize = 0, PaperLength = 0, PaperWidth = 0;
    int16_t PrintQuality = 0, PrintScale = 0, TTOption = 0, YResolution = 0;
    const std::string& DeviceName() const { return deviceName_; }

    // Runs the service; true when it succeeded. On failure every property keeps its value.
    bool Show(IPageSetupService& service);

  private:
    std::string deviceName_;
};

}  // namespace zelvo
