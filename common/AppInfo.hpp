// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The running program's identity and application folder.

#include <optional>
#include <string>

#include "ZelvoError.hpp"

namespace zelvo {

struct AppInfo {
    std::string title = "Zelvo";
    std::string productName = "Zelvo";
    std::string companyName = "Zelvo Instruments";
    // The about box's notice: the suite is free software under the GPL.
    std::string legalNotice =
        "Copyright (C) 2026 Zelvo developers. Free software under the GNU GPL, version 3 or later.";
    int major = 1;
    int minor = 0;
    int revision = 9;
    // The application folder (no trailing "/").
    std::string folder = ".";
};

const AppInfo& GetAppInfo();
void SetAppInfo(const AppInfo& info);

// Joins a folder and a name with "/" (no doubled separator).
std::string JoinPath(const std::string& folder, const std::string& name);

// The application folder when no --app-dir is given: ZELVO_APP_DIR when set and not
// empty, else zelvomon in the user's data folder ($XDG_DATA_HOME when an absolute
// path, else ~/.local/share).
std::string DefaultAppFolder();

// The running program's file (the target of /proc/self/exe).
std::optional<ZelvoError> ProgramFile(std::string& path);

}  // namespace zelvo
