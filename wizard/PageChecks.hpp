// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What each wizard page does with the values typed into it when the user moves on
// (Next) or back (Back). The pages and the command-line mode call these, so the
// checks, their order and their messages exist once.
//
// Typed text is UTF-8; it is encoded into the record as Windows-1252. A character
// that Windows-1252 cannot hold refuses the page (Next and Back alike) with a
// message that names the field. On refusal the record is unchanged.

#include <cstdint>
#include <string>

#include "CWizardData.hpp"

namespace kitforge {

// Caption of every page message box.
inline constexpr const char* kProgramName = "kitforge";

namespace text {
inline constexpr const char* kFillInAllBlanks = "Please fill in all blanks.";
inline constexpr const char* kDirectoryMissing =
    "Directory does not exist, do you want to create it?";
inline constexpr const char* kCouldNotCreateDirectory = "Error: Could Not Create Directory.";
inline constexpr const char* kCouldNotOpenFile = "Error: Could Not Open File For Write.";
inline constexpr const char* kCouldNotWriteFile = "Error: Could Not Write File.";
inline constexpr const char* kCouldNotReadDataFile = "Error: Could Not Read Data File";
inline constexpr const char* kCouldNotGenerate = "Error: Could Not Generate All Files.";
inline constexpr const char* kGenerated = "Files Successfully Generated";
// Caption of the generators' own failure box (no owner window, system caption).
inline constexpr const char* kSystemCaption = "Error";
}  // namespace text

// Length limits of the page fields (characters).
namespace limit {
inline constexpr std::size_t kAbbreviation = 31;
inline constexpr std::size_t kInfPrefixVcp = 4;
inline constexpr std::size_t kInfPrefixLinkvane = 8;
inline constexpr std::size_t kVidPid = 4;
inline constexpr std::size_t kDeviceName = 255;
inline constexpr std::size_t kProductName = 255;
inline constexpr std::size_t kInstallerName = 32;
inline constexpr std::size_t kDirectory = 260;
}  // namespace limit
// The INF field's limit for the record's install type.
std::size_t InfPrefixLimit(std::uint8_t installType);

enum class PageMove { Next, Back };

// Message for a typed text that Windows-1252 cannot hold, naming the field.
std::string UnencodableMessage(const std::string& fieldName, const std::string& refused);

// First page: choosing a type loads its defaults unless it is already chosen.
void ChooseInstallType(CWizardData& data, std::uint8_t installType);
// First page's Next: allowed only once a type is chosen (refused silently).
bool InstallTypePageComplete(const CWizardData& data);

struct CompanyFields {
    std::string companyName;
    std::string abbreviation;
    std::string infPrefix;
    std::string vid;  // lower-case letters arrive upper case
    std::string pid;
};
// Next: VID and PID each exactly four hex digits, INF name, abbreviation and
// company name not empty, else "Please fill in all blanks."; then the INF name's
// file-name rules and the INF field length (NameRules.hpp). Returns the message
// to show, empty when the values were stored.
std::string ApplyCompanyPage(CWizardData& data, const CompanyFields& typed, PageMove move);

struct DeviceNameFields {
    std::string usbDeviceName;
    std::string comDeviceName;
};
// Next: both names not empty, and no INF field longer than the INF parser keeps.
std::string ApplyDeviceNamesPage(CWizardData& data, const DeviceNameFields& typed, PageMove move);

struct InstallerNameFields {
    std::string productName;
    std::string installerName;
};
// Next: both names not empty, and the installer name a plain file name.
std::string ApplyInstallerNamesPage(CWizardData& data, const InstallerNameFields& typed,
                                    PageMove move);

// The display-GUI boxes show the inverse of the quiet flags.
struct InstallerOptionFields {
    bool displayInstall = true;
    bool copyFiles = true;
    std::string targetDir;
    bool displayUninstall = true;
    bool removeFiles = true;
};
InstallerOptionFields InstallerOptionsOf(const CWizardData& data);
std::string ApplyInstallerOptionsPage(CWizardData& data, const InstallerOptionFields& typed,
                                      PageMove move);

// The output-folder page. Next checks the name, makes it absolute (AbsoluteHostFolder),
// asks through the desktop whether a missing folder should be created (Yes creates
// it), shows its messages itself and returns true when the page may move on; the
// absolute folder is stored. Back stores the typed text without tests (returns
// false only when it is too long, after showing that message). The stored folder
// always ends with "/".
bool ApplyOutputFolderPage(CWizardData& data, const std::string& typedFolder, PageMove move);

// Shows a page message (OK, no icon, program caption) when `message` is not empty;
// returns true when there was nothing to show.
bool ShowPageMessage(const std::string& message);

// True when the installer pages are skipped (INF files only): Next on the device
// names page and Back on the output-folder page then lead past them.
bool SkipsInstallerPages(const CWizardData& data);

}  // namespace kitforge
