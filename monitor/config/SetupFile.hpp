// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The current setup file: a bare file name in the application folder, remembered
// in the per-user settings store so that the next start continues with it.

#include <string>

namespace zelvo {

// Per-user store entry of the current setup file (under the application title).
inline constexpr const char* kSetupFileSection = "Setup File";
inline constexpr const char* kSetupFileKey = "Setup";
// The setup file when the store names none.
inline constexpr const char* kDefaultSetupFile = "zelvo.cfg";

// The current setup file's name.
std::string GetSetupFile();
// Makes the name current and stores it in the per-user settings store.
void SetSetupFile(const std::string& name);
// The name stored in the per-user settings store ("" when none).
std::string StoredSetupFile();
// Start-up: the stored name, or "zelvo.cfg" when the store holds none, made current.
// When that name is zelvo.cfg and the application folder has no such file (a first
// start, or a new folder), the carried default settings are placed there first.
void SetupFileAtStartUp();
// Places zelvo.cfg with the carried default settings (DefaultSetupFileText) when
// the application folder has none. A failure is shown titled with the routine's
// name; start-up then reads the missing file with the oldest layout's defaults.
void PlaceDefaultSetupFile();
inline constexpr const char* kPlaceDefaultSetupFileTitle = "PlaceDefaultSetupFile";
// The window caption for the current setup file: "Zelvo - [" name part "]".
std::string SetupFileCaption();
// The full path of a setup file: the application folder and the name.
std::string SetupFilePath(const std::string& name);

}  // namespace zelvo
