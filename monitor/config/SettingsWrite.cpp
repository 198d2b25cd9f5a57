// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// frmMain_IniWrite: every setting to a setup file, in the written layout.

#include <sys/stat.h>

#include <cerrno>
#include <optional>
#include <string>
#include <vector>

#include "AppInfo.hpp"
#include "MonitorTexts.hpp"
#include "Settings.hpp"
#include "SettingsKeys.hpp"
#include "SetupFile.hpp"
#include "TextFile.hpp"
#include "UtilityError.hpp"
#include "cErrHandler.hpp"
#include "cIniFile.hpp"

namespace zelvo {
namespace {

// Whether the file carries no write permission for anyone (the read-only
// attribute; checked on the mode bits so that it holds for every user).
std::optional<ZelvoError> ReadOnlyAttribute(const std::string& path, bool& readOnly) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return FileError(errno, path);
    readOnly = (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
    return std::nullopt;
}

// Writes every key of the table. A key that cannot be written (the store refused
// it, or a sensor line would not read back whole) is not lost silently: once every
// other key has been written, the problems are thrown as one failure.
void WriteAll(const MainState& state, cIniFile& ini) {
    std::optional<ZelvoError> first;
    std::vector<std::string> problems;
    std::string refusedKeys;
    for (const SettingKey& key : SettingKeys()) {
        for (size_t ch = 0; ch < key.Channels(); ++ch) {
            std::string text;
            std::optional<ZelvoError> failure = key.write(state, ch, text);
            if (failure) {
                problems.push_back(failure->Description());
            } else if (ini.WriteIniStr(key.section, key.KeyOf(ch), text) == 0) {
                failure = ini.LastWriteFailure().value_or(
                    ZelvoError(err::PathFileAccess, "Path/File access error: " + ini.IniFile()));
                if (refusedKeys.empty()) problems.push_back(failure->Description());
                refusedKeys += (refusedKeys.empty() ? "" : ", ") + key.KeyOf(ch);
            }
            if (failure && !first) first = failure;
        }
    }
    if (!first) return;
    std::string description;
    for (const std::string& problem : problems) {
        description += (description.empty() ? "" : "; ") + problem;
    }
    if (!refusedKeys.empty()) description += "; keys not written: " + refusedKeys;
    throw ZelvoError(first->Number(), description);
}

}  // namespace

bool IniWrite(const MainState& state, const std::string& sFileName) {
    bool written = false;
    const bool finished = RunProcedure(std::string(kFormName) + "_IniWrite", [&] {
        if (sFileName.empty()) return;
        const std::string path = SetupFilePath(sFileName);
        cIniFile ini;
        ini.IniFile(path);
        if (ini.IniFile().empty()) {
            if (!FileExists(path)) WriteFileBytes(path, "");
            ini.IniFile(path);
            if (ini.IniFile().empty()) {
                throw ZelvoError(err::PathFileAccess, "Path/File access error: " + path);
            }
        }
        bool readOnly = false;
        if (auto failure = ReadOnlyAttribute(path, readOnly)) throw *failure;
        if (readOnly) {
            Desktop().MessageBox(sFileName + texts::kReadOnly, GetAppInfo().title, MsgButtons::OK,
                                 MsgIcon::Exclamation);
            return;
        }
        SetSetupFile(sFileName);
        WriteAll(state, ini);
        written = true;
    });
    return finished && written;
}

bool SaveRunNumber(const MainState& state, const std::string& sFileName) {
    if (sFileName.empty()) return false;
    const std::string path = SetupFilePath(sFileName);
    bool readOnly = false;
    if (FileExists(path) && !ReadOnlyAttribute(path, readOnly) && readOnly) return false;
    if (!FileExists(path)) {
        try {
            WriteFileBytes(path, "");
        } catch (const ZelvoError& failure) {
            ShowUtilityError(kSaveRunNumberTitle, failure);
            return false;
        }
    }
    cIniFile ini;
    ini.IniFile(path);
    // The one key goes through the safe replacement; a failure is shown by WriteIniStr.
    return !ini.IniFile().empty() &&
           ini.WriteIniStr("Application", "RunNum", std::to_string(state.RunNum)) != 0;
}

}  // namespace zelvo
