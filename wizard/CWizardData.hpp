// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The wizard's settings record and the operations on it: defaults per driver set,
// the checks of each page (shared by the pages and the command-line mode), the
// summary texts, the INF and setup.ini writers and the package sequence.
//
// Record text is the desktop's single-byte text (Windows-1252): text typed by the
// user arrives as UTF-8 and is encoded by the page functions (PageChecks.hpp). The
// one exception is m_strGenerationDir, a path on this computer, held as the host
// spells it (UTF-8, "/" separators). Record names that become host file names
// (INF prefix, installer name) are decoded to UTF-8 for that. Paths on the machine
// that receives the package (the target directory, the names listed in setup.ini)
// keep "\" as written.

#include <cstdint>
#include <optional>
#include <string>

#include "ZelvoError.hpp"

namespace kitforge {

inline constexpr std::uint8_t INSTALL_NONE = 0;
inline constexpr std::uint8_t INSTALL_VCP = 1;
inline constexpr std::uint8_t INSTALL_LINKVANE = 2;

class CWizardData {
  public:
    CWizardData() = default;
    CWizardData(const CWizardData&) = default;
    CWizardData& operator=(const CWizardData&) = default;
    virtual ~CWizardData() = default;

    // Loads the defaults of the install type into every field except
    // m_bGenerateInstaller and sets m_nInstallType. driveRoot is the "system drive
    // root" that the default generation folder starts with (SystemDriveRoot()).
    void LoadDefaults(std::uint8_t installType, const std::string& driveRoot);
    void LoadDefaults(std::uint8_t installType);

    // m_strInfPrefix in upper case; the record is not changed.
    std::string GetServiceName() const;

    // Generators: each writes one file into m_strGenerationDir in one write and
    // returns true when it was written; on failure they show "Error: Could Not Open
    // File For Write." and return false.
    bool WriteBusInf() const;       // <prefix>bus.inf
    bool WriteSerialInf() const;    // <prefix>w2k.inf
    bool WriteLinkvaneInf() const;  // <prefix>.inf
    bool WriteSetupIni() const;     // setup.ini
    // Copies carried data file `number` to m_strGenerationDir + name; name is
    // written as on the receiving machine (".\x86\ostxbus.sys") and lands under the
    // generation folder with "/" separators.
    bool ExtractDataFile(const std::string& name, int number) const;

    int m_bGenerateInstaller = 1;
    std::uint8_t m_nInstallType = INSTALL_NONE;
    std::string m_strCompanyName;
    std::string m_strAbbreviation;
    std::string m_strInfPrefix;
    std::string m_strVid;
    std::string m_strPid;
    std::string m_strUsbDeviceName;
    std::string m_strComDeviceName;
    std::string m_strInstallerName;
    std::string m_strProductName;
    int m_bQuietInstall = 0;
    int m_bCopyFiles = 0;
    std::string m_strTargetDir;
    int m_bQuietUninstall = 0;
    int m_bRemoveFiles = 0;
    std::string m_strGenerationDir;
};

// The user's home folder followed by "/" (the folder the default generation
// folder is placed in).
std::string SystemDriveRoot();

// True when every character is 0-9 or A-F (upper case only); true for "".
bool IsHexString(const std::string& text);

// Which rule IsValidDirectoryName applies: a folder on this computer, or a folder on
// the Windows machine that receives the package.
enum class PathKind { Host, Target };
// Trimmed copy not empty and free of the characters the kind forbids. Target:
// / * ? " < > | and a ':' not followed by '\'. Host: \ : * ? " < > |.
bool IsValidDirectoryName(const std::string& name, PathKind kind);
// The message of a refused directory name of that kind.
const std::string& InvalidDirectoryMessage(PathKind kind);

// The typed folder as an absolute path on this computer: blanks at either end are
// dropped, a leading "~" or "~/" stands for the home folder, and a relative path is
// taken against the current folder (leading "." and ".." steps resolved there).
// Empty on success; the failure when the current folder cannot be determined.
std::optional<zelvo::ZelvoError> AbsoluteHostFolder(const std::string& typed, std::string& folder);

// The two columns of the summary page, as display text (UTF-8): labels separated
// by "\n", values by CR LF.
std::string GetSummaryLabels(const CWizardData& data);
std::string GetSummaryValues(const CWizardData& data);

// Runs the package sequence: subfolders, INF files, setup.ini, driver files and
// installer program. Shows "Files Successfully Generated" and returns true when
// every file was written; otherwise shows "Error: Could Not Generate All Files."
// and returns false (what was written stays).
bool GeneratePackage(CWizardData& data);

}  // namespace kitforge
