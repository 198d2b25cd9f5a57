// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// frmMain_IniRead: every setting from a setup file, in the order of the key table.

#include "AppInfo.hpp"
#include "MonitorTexts.hpp"
#include "Settings.hpp"
#include "SettingsKeys.hpp"
#include "SetupFile.hpp"
#include "TextFile.hpp"
#include "cErrHandler.hpp"
#include "cIniFile.hpp"

namespace zelvo {
namespace {

// Reads every key of the table; a key that cannot be taken keeps its variable.
// The first such failure is thrown once all keys have been read.
void ReadAll(cIniFile& ini, MainState& state, IMainWindow& window) {
    KeyReading reading(ini, state, window);
    for (const SettingKey& key : SettingKeys()) {
        for (size_t ch = 0; ch < key.Channels(); ++ch) {
            reading.Select(key.section, key.KeyOf(ch), key.DefaultOf(reading.FileLayout(), ch), ch);
            key.read(reading);
        }
    }
    if (reading.Failure()) throw *reading.Failure();
}

}  // namespace

void IniRead(MainState& state, IMainWindow& window, const std::string& sFileName) {
    RunProcedure(std::string(kFormName) + "_IniRead", [&] {
        if (sFileName.empty()) return;
        const std::string path = SetupFilePath(sFileName);
        cIniFile ini;
        ini.IniFile(path);
        if (ini.IniFile().empty()) {
            Desktop().MessageBox(
                sFileName + texts::kNotFound + kCrLf + texts::kContinuingWithDefaults,
                GetAppInfo().title, MsgButtons::OK, MsgIcon::Information);
        }
        SetSetupFile(sFileName);
        // A file that exists but cannot be read is one failure, not one per key.
        if (!ini.IniFile().empty()) (void)ReadFileBytes(path);
        ReadAll(ini, state, window);
    });
}

}  // namespace zelvo
