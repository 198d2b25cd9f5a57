// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "SetupFile.hpp"

#include <unistd.h>

#include "AppInfo.hpp"
#include "Desktop.hpp"
#include "FileReplace.hpp"
#include "MonitorTexts.hpp"
#include "SettingsKeys.hpp"
#include "UtilityError.hpp"

namespace zelvo {
namespace {

// Module-wide, like the rest of the program's utility state.
std::string& CurrentSetupFile() {
    static std::string name;
    return name;
}

// The text after the last "/" (the whole text when there is none).
std::string NamePart(const std::string& path) {
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

std::string GetSetupFile() {
    return CurrentSetupFile();
}

void SetSetupFile(const std::string& name) {
    CurrentSetupFile() = name;
    Desktop().SaveSetting(GetAppInfo().title, kSetupFileSection, kSetupFileKey, name);
}

std::string StoredSetupFile() {
    return Desktop().GetSetting(GetAppInfo().title, kSetupFileSection, kSetupFileKey, "");
}

void SetupFileAtStartUp() {
    const std::string stored = StoredSetupFile();
    // Every shutdown stores the current name, so the default name in the store is
    // the program's own choice: a folder without that file gets the carried one.
    // A missing file of any other name is the user's and reads as "Not Found.".
    const std::string name = stored.empty() ? std::string(kDefaultSetupFile) : stored;
    if (name == kDefaultSetupFile) PlaceDefaultSetupFile();
    SetSetupFile(name);
}

void PlaceDefaultSetupFile() {
    const std::string path = SetupFilePath(kDefaultSetupFile);
    if (::access(path.c_str(), F_OK) == 0) return;
    try {
        if (auto failure = ReplaceFileContent(path, DefaultSetupFileText())) throw *failure;
    } catch (...) {
        ShowUtilityError(kPlaceDefaultSetupFileTitle);
    }
}

std::string SetupFileCaption() {
    return texts::kCaptionStart + NamePart(GetSetupFile()) + texts::kCaptionEnd;
}

std::string SetupFilePath(const std::string& name) {
    return JoinPath(GetAppInfo().folder, name);
}

}  // namespace zelvo
