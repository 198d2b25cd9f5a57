// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PageChecks.hpp"

#include <sys/stat.h>

#include "Desktop.hpp"
#include "FolderTree.hpp"
#include "NameRules.hpp"
#include "Strings.hpp"
#include "Windows1252.hpp"

namespace kitforge {
namespace {

// Encodes one typed field; on failure `message` names the field.
bool Encode(const std::string& typed, const std::string& field, std::size_t maxLength,
            std::string& out, std::string& message) {
    // A line break would start a new line in the INF files and setup.ini; the page's
    // single-line fields cannot hold one, but the command line can. A C1 control
    // (U+0080-U+009F, UTF-8 C2 80 to C2 9F) would become a byte that Windows-1252
    // leaves undefined.
    for (std::size_t i = 0; i < typed.size(); ++i) {
        const auto byte = static_cast<unsigned char>(typed[i]);
        const bool c1 =
            byte == 0xC2 && i + 1 < typed.size() && static_cast<unsigned char>(typed[i + 1]) < 0xA0;
        if ((byte < 0x20 && typed[i] != '\t') || c1) {
            message = field + " cannot contain a line break or control character.";
            return false;
        }
    }
    std::string refused;
    if (!zelvo::ToWindows1252(typed, out, refused)) {
        message = UnencodableMessage(field, refused);
        return false;
    }
    // The page's edit field stops typing at its limit; text from elsewhere (the
    // command line) is refused instead of being cut.
    if (out.size() > maxLength) {
        message = field + " can hold at most " + std::to_string(maxLength) + " characters.";
        return false;
    }
    return true;
}

bool IsFourHexDigits(const std::string& text) {
    return text.size() == 4 && IsHexString(text);
}

std::size_t CountCharacters(const std::string& utf8) {
    std::size_t count = 0;
    for (char c : utf8) {
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++count;
    }
    return count;
}

std::string WithFinalSlash(std::string path) {
    if (path.empty() || path.back() != '/') path += '/';
    return path;
}

// The folder counts as present when anything of that name exists (a file too).
bool PathPresent(const std::string& folder) {
    std::string path = folder;
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

}  // namespace

bool IsHexString(const std::string& text) {
    for (char c : text) {
        if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'))) return false;
    }
    return true;
}

std::size_t InfPrefixLimit(std::uint8_t installType) {
    return installType == INSTALL_LINKVANE ? limit::kInfPrefixLinkvane : limit::kInfPrefixVcp;
}

std::string UnencodableMessage(const std::string& fieldName, const std::string& refused) {
    return fieldName + " cannot contain the character \"" + refused + "\".";
}

void ChooseInstallType(CWizardData& data, std::uint8_t installType) {
    if (data.m_nInstallType == installType) return;
    data.LoadDefaults(installType);
}

bool InstallTypePageComplete(const CWizardData& data) {
    return data.m_nInstallType == INSTALL_VCP || data.m_nInstallType == INSTALL_LINKVANE;
}

bool SkipsInstallerPages(const CWizardData& data) {
    return data.m_bGenerateInstaller == 0;
}

std::string ApplyCompanyPage(CWizardData& data, const CompanyFields& typed, PageMove move) {
    std::string company, abbreviation, infPrefix, vid, pid, message;
    if (!Encode(typed.companyName, "Company Name", std::string::npos, company, message) ||
        !Encode(typed.abbreviation, "Company Abbreviation", limit::kAbbreviation, abbreviation,
                message) ||
        !Encode(typed.infPrefix, "INF File Name", InfPrefixLimit(data.m_nInstallType), infPrefix,
                message) ||
        !Encode(zelvo::ToUpper(typed.vid), "VID", limit::kVidPid, vid, message) ||
        !Encode(zelvo::ToUpper(typed.pid), "PID", limit::kVidPid, pid, message)) {
        return message;
    }
    if (move == PageMove::Next) {
        // A shorter ID can never match a device, so both must have all four digits.
        if (!IsFourHexDigits(vid) || !IsFourHexDigits(pid) || infPrefix.empty() ||
            abbreviation.empty() || company.empty()) {
            return text::kFillInAllBlanks;
        }
        if (std::string problem = InfNameProblem(infPrefix, data.m_nInstallType); !problem.empty())
            return problem;
    }
    CWizardData stored = data;
    stored.m_strCompanyName = company;
    stored.m_strAbbreviation = abbreviation;
    stored.m_strInfPrefix = infPrefix;
    stored.m_strVid = vid;
    stored.m_strPid = pid;
    if (move == PageMove::Next) {
        if (std::string problem = LongInfFieldProblem(stored); !problem.empty()) return problem;
    }
    data = stored;
    return {};
}

std::string ApplyDeviceNamesPage(CWizardData& data, const DeviceNameFields& typed, PageMove move) {
    std::string usb, com, message;
    if (!Encode(typed.usbDeviceName, "USB Device Name", limit::kDeviceName, usb, message) ||
        !Encode(typed.comDeviceName, "COM Device Name", limit::kDeviceName, com, message)) {
        return message;
    }
    if (move == PageMove::Next && (usb.empty() || com.empty())) return text::kFillInAllBlanks;
    CWizardData stored = data;
    stored.m_strUsbDeviceName = usb;
    stored.m_strComDeviceName = com;
    if (move == PageMove::Next) {
        if (std::string problem = LongInfFieldProblem(stored); !problem.empty()) return problem;
    }
    data = stored;
    return {};
}

std::string ApplyInstallerNamesPage(CWizardData& data, const InstallerNameFields& typed,
                                    PageMove move) {
    std::string product, installer, message;
    if (!Encode(typed.productName, "Product Name", limit::kProductName, product, message) ||
        !Encode(typed.installerName, "Installer Name", limit::kInstallerName, installer, message)) {
        return message;
    }
    if (move == PageMove::Next) {
        if (product.empty() || installer.empty()) return text::kFillInAllBlanks;
        if (std::string problem = InstallerNameProblem(installer); !problem.empty()) return problem;
    }
    data.m_strProductName = product;
    data.m_strInstallerName = installer;
    return {};
}

InstallerOptionFields InstallerOptionsOf(const CWizardData& data) {
    InstallerOptionFields fields;
    fields.displayInstall = !data.m_bQuietInstall;
    fields.copyFiles = data.m_bCopyFiles != 0;
    fields.targetDir = zelvo::FromWindows1252(data.m_strTargetDir);
    fields.displayUninstall = !data.m_bQuietUninstall;
    fields.removeFiles = data.m_bRemoveFiles != 0;
    return fields;
}

std::string ApplyInstallerOptionsPage(CWizardData& data, const InstallerOptionFields& typed,
                                      PageMove move) {
    std::string target, message;
    if (!Encode(typed.targetDir, "Target Directory", limit::kDirectory, target, message))
        return message;
    // Tested even when files are not copied.
    if (move == PageMove::Next && !IsValidDirectoryName(target, PathKind::Target))
        return InvalidDirectoryMessage(PathKind::Target);
    data.m_bQuietInstall = typed.displayInstall ? 0 : 1;
    data.m_bCopyFiles = typed.copyFiles ? 1 : 0;
    data.m_strTargetDir = target;
    data.m_bQuietUninstall = typed.displayUninstall ? 0 : 1;
    data.m_bRemoveFiles = typed.removeFiles ? 1 : 0;
    return {};
}

bool ApplyOutputFolderPage(CWizardData& data, const std::string& typedFolder, PageMove move) {
    if (CountCharacters(typedFolder) > limit::kDirectory) {
        return ShowPageMessage("Generation Directory can hold at most " +
                               std::to_string(limit::kDirectory) + " characters.");
    }
    if (move == PageMove::Back) {
        data.m_strGenerationDir = WithFinalSlash(typedFolder);
        return true;
    }
    if (!IsValidDirectoryName(typedFolder, PathKind::Host))
        return ShowPageMessage(InvalidDirectoryMessage(PathKind::Host));
    // The summary shows, and Finish writes to, the folder as an absolute path.
    std::string folder;
    if (const auto failure = AbsoluteHostFolder(typedFolder, folder)) {
        return ShowPageMessage(failure->Description());
    }
    if (!PathPresent(folder)) {
        zelvo::MsgResult answer =
            zelvo::Desktop().MessageBox(text::kDirectoryMissing, kProgramName,
                                        zelvo::MsgButtons::YesNo, zelvo::MsgIcon::Question);
        if (answer != zelvo::MsgResult::Yes) return false;
        if (zelvo::CreateFolderTree(WithFinalSlash(folder))) {
            zelvo::Desktop().MessageBox(text::kCouldNotCreateDirectory, kProgramName,
                                        zelvo::MsgButtons::OK, zelvo::MsgIcon::Exclamation);
            return false;
        }
    }
    data.m_strGenerationDir = WithFinalSlash(folder);
    return true;
}

bool ShowPageMessage(const std::string& message) {
    if (message.empty()) return true;
    zelvo::Desktop().MessageBox(message, kProgramName, zelvo::MsgButtons::OK, zelvo::MsgIcon::None);
    return false;
}

}  // namespace kitforge
