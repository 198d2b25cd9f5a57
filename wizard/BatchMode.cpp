// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "BatchMode.hpp"

#include <iostream>
#include <map>
#include <optional>
#include <sstream>

#include "CWizardData.hpp"
#include "ConsoleDesktop.hpp"
#include "Desktop.hpp"
#include "LintMode.hpp"
#include "PageChecks.hpp"
#include "Strings.hpp"
#include "Windows1252.hpp"

namespace kitforge {
namespace {

constexpr const char* kUsage = R"(Usage: kitforge [--data-dir DIR]
  or:  kitforge --batch --type vcp|linkvane [OPTION]...
  or:  kitforge --lint FOLDER [--strict] [--format text|json]
  or:  kitforge --help | --version
)";

constexpr const char* kHelp =
    R"(Writes a customised Windows driver package for a USB device built around the
NR7x bridge chip, and checks one.

Without --batch or --lint, kitforge opens its wizard: eight pages ask for the
driver set and output kind, the company, INF name and USB IDs, the device names,
the installer's names and options and the output folder; Next checks each page
and says what is missing, and Finish on the summary page writes the package.

With --batch it writes the package without the pages. Every field starts from the
defaults of the chosen driver set; the options below replace single fields. The
values pass the same checks, in the same order and with the same messages, as on
the wizard pages; messages go to standard error. The package written is then
checked as --lint checks one.

Program:
  --batch                    write the package from the options, without the pages
  --lint FOLDER              check a driver package (see below)
  --help                     this text
  --version                  the program's name and version

Driver set and output kind:
  --type vcp|linkvane        virtual COM port set (NR7x) or Linkvane direct-access set
  --installer                build setup.ini and the installer program (default)
  --inf-only                 INF files and driver files only

Company page:
  --company TEXT             company name (long name in the INF files)
  --abbreviation TEXT        company abbreviation (at most 31 characters)
  --inf-name TEXT            VCP: prefix of the INF file names (at most 4 characters);
                             Linkvane: name of the INF file (at most 8 characters)
  --vid HEX                  USB vendor ID, four hexadecimal digits
  --pid HEX                  USB product ID, four hexadecimal digits

Device names page:
  --usb-name TEXT            USB device name (at most 255 characters)
  --com-name TEXT            COM device name, VCP set only (at most 255 characters)

Installer pages (not with --inf-only):
  --product-name TEXT        name in the Add/Remove Programs listing (at most 255)
  --installer-name TEXT      base name of the installer program (at most 32)
  --quiet-install yes|no     installer runs without GUI
  --copy-files yes|no        installer copies the driver files to the target directory
  --target-dir TEXT          that directory on the Windows machine (e.g. C:\Program Files\X\)
  --quiet-uninstall yes|no   uninstaller runs without GUI
  --remove-files yes|no      uninstaller removes the copied files

Output folder page:
  --output DIR               folder the package is written into
  --yes                      create the output folder when it does not exist
                             (otherwise its question is answered No and the
                             run stops)

Data files:
  --data-dir DIR             read the carried data files from DIR instead of the
                             compiled-in stand-ins: DIR/x86/ostxbus.sys, ostxcmnt.sys,
                             ostxser.sys, ostxwhnt.sys, Vdlink.sys, Vdcore.sys, the
                             same six in DIR/x64/, and DIR/installer.exe

Checking a package:
  --lint FOLDER              check the driver package in FOLDER (as kitforge wrote
                             it, edited by hand, or from an older version): INF
                             syntax, strings, hardware IDs, the files named and
                             left over, setup.ini. One line per problem,
                             FILE:LINE: error|warning: text (line 0: the whole
                             file), then the count. Exit status 0 clean, 1
                             warnings only, 2 errors.
  --strict                   with --lint: warnings count as errors
  --format text|json         with --lint: the report as text (default) or JSON

Text is taken as UTF-8 and written into the package as Windows-1252.

Exit status:
  0 when every file of the package was written and the package passes the check
  of --lint, 1 when a check or the generation failed, 2 for a mistake on the
  command line or a package that the check finds not clean.
)";

// Messages of the pages and of the package sequence, one line each on standard
// error; questions get the answer chosen on the command line.
class BatchDesktop : public zelvo::ConsoleDesktop {
  public:
    explicit BatchDesktop(bool answerYes) : answerYes_(answerYes) {}
    zelvo::MsgResult MessageBox(const std::string& text, const std::string&,
                                zelvo::MsgButtons buttons, zelvo::MsgIcon, int) override {
        if (buttons != zelvo::MsgButtons::YesNo) {
            std::cerr << kProgramName << ": " << text << std::endl;
            return zelvo::MsgResult::OK;
        }
        // The one question (create the missing output folder?) is answered by --yes,
        // and then needs no line of its own.
        if (answerYes_) return zelvo::MsgResult::Yes;
        std::cerr << kProgramName << ": " << text << " Answered No; --yes creates it." << std::endl;
        return zelvo::MsgResult::No;
    }

  private:
    bool answerYes_;
};

// Installs a desktop for the duration of the run and restores the previous one.
class DesktopScope {
  public:
    explicit DesktopScope(zelvo::IDesktop* desktop) : previous_(&zelvo::Desktop()) {
        zelvo::SetDesktop(desktop);
    }
    ~DesktopScope() { zelvo::SetDesktop(previous_); }
    DesktopScope(const DesktopScope&) = delete;
    DesktopScope& operator=(const DesktopScope&) = delete;

  private:
    zelvo::IDesktop* previous_;
};

const std::map<std::string, bool>& ValueOptions() {
    // option -> takes a value
    static const std::map<std::string, bool> options = {{"--batch", false},
                                                        {"--help", false},
                                                        {"--installer", false},
                                                        {"--inf-only", false},
                                                        {"--yes", false},
                                                        {"--type", true},
                                                        {"--company", true},
                                                        {"--abbreviation", true},
                                                        {"--inf-name", true},
                                                        {"--vid", true},
                                                        {"--pid", true},
                                                        {"--usb-name", true},
                                                        {"--com-name", true},
                                                        {"--product-name", true},
                                                        {"--installer-name", true},
                                                        {"--quiet-install", true},
                                                        {"--copy-files", true},
                                                        {"--target-dir", true},
                                                        {"--quiet-uninstall", true},
                                                        {"--remove-files", true},
                                                        {"--output", true}};
    return options;
}

struct Options {
    std::map<std::string, std::string> values;  // value options and flags ("" for flags)
    bool Has(const std::string& name) const { return values.count(name) != 0; }
    std::string Get(const std::string& name, const std::string& fallback) const {
        auto it = values.find(name);
        return it == values.end() ? fallback : it->second;
    }
};

bool Parse(const std::vector<std::string>& args, Options& options, std::string& problem) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string name = args[i];
        std::optional<std::string> value;
        if (std::size_t eq = name.find('='); name.starts_with("--") && eq != std::string::npos) {
            value = name.substr(eq + 1);
            name = name.substr(0, eq);
        }
        auto known = ValueOptions().find(name);
        if (known == ValueOptions().end()) {
            problem = "unknown option " + name;
            return false;
        }
        if (options.Has(name)) {
            problem = name + " is given twice";
            return false;
        }
        if (known->second && !value) {
            if (i + 1 >= args.size()) {
                problem = name + " needs a value";
                return false;
            }
            value = args[++i];
        } else if (!known->second && value) {
            problem = name + " takes no value";
            return false;
        }
        options.values[name] = value.value_or("");
    }
    return true;
}

bool ParseFlag(const Options& options, const std::string& name, int& flag, std::string& problem) {
    if (!options.Has(name)) return true;
    std::string value = zelvo::ToLower(options.Get(name, ""));
    if (value == "yes" || value == "on" || value == "1" || value == "true") {
        flag = 1;
    } else if (value == "no" || value == "off" || value == "0" || value == "false") {
        flag = 0;
    } else {
        problem = name + " takes yes or no, not \"" + options.Get(name, "") + "\"";
        return false;
    }
    return true;
}

// Option value, or the record's current value as the page would show it.
std::string Typed(const Options& options, const std::string& name, const std::string& record) {
    return options.Has(name) ? options.Get(name, "") : zelvo::FromWindows1252(record);
}

bool CheckOptionCombination(const Options& options, std::uint8_t type, bool installer,
                            std::string& problem) {
    if (options.Has("--installer") && options.Has("--inf-only")) {
        problem = "--installer and --inf-only exclude each other";
        return false;
    }
    if (type == INSTALL_LINKVANE && options.Has("--com-name")) {
        problem = "--com-name applies to the VCP driver set only";
        return false;
    }
    if (!installer) {
        for (const char* name :
             {"--product-name", "--installer-name", "--quiet-install", "--copy-files",
              "--target-dir", "--quiet-uninstall", "--remove-files"}) {
            if (options.Has(name)) {
                problem = std::string(name) + " applies only when an installer is built";
                return false;
            }
        }
    }
    return true;
}

// The pages from the company page to the output-folder page, then Finish.
int RunPages(CWizardData& data, const Options& options, const std::string& output) {
    CompanyFields company{Typed(options, "--company", data.m_strCompanyName),
                          Typed(options, "--abbreviation", data.m_strAbbreviation),
                          Typed(options, "--inf-name", data.m_strInfPrefix),
                          Typed(options, "--vid", data.m_strVid),
                          Typed(options, "--pid", data.m_strPid)};
    if (!ShowPageMessage(ApplyCompanyPage(data, company, PageMove::Next))) return 1;

    DeviceNameFields names{Typed(options, "--usb-name", data.m_strUsbDeviceName),
                           Typed(options, "--com-name", data.m_strComDeviceName)};
    if (!ShowPageMessage(ApplyDeviceNamesPage(data, names, PageMove::Next))) return 1;

    if (!SkipsInstallerPages(data)) {
        InstallerNameFields installer{Typed(options, "--product-name", data.m_strProductName),
                                      Typed(options, "--installer-name", data.m_strInstallerName)};
        if (!ShowPageMessage(ApplyInstallerNamesPage(data, installer, PageMove::Next))) return 1;

        InstallerOptionFields fields = InstallerOptionsOf(data);
        fields.targetDir = Typed(options, "--target-dir", data.m_strTargetDir);
        if (!ShowPageMessage(ApplyInstallerOptionsPage(data, fields, PageMove::Next))) return 1;
    }

    if (!ApplyOutputFolderPage(data, output, PageMove::Next)) return 1;
    if (!GeneratePackage(data)) return 1;
    // The package as written must pass the check that --lint makes.
    std::ostringstream report;
    if (LintAndPrint(data.m_strGenerationDir, report) == 0) return 0;
    std::cerr << report.str() << kProgramName << ": the package written is not clean\n";
    return 2;
}

}  // namespace

int RefuseUsage(const std::string& problem) {
    std::cerr << kProgramName << ": " << problem << "\n" << kUsage << "(see kitforge --help)\n";
    return 2;
}

bool IsBatchInvocation(const std::vector<std::string>& args) {
    for (const std::string& arg : args) {
        if (arg == "--batch" || arg == "--help") return true;
    }
    return false;
}

std::optional<zelvo::ZelvoError> TakeDataDirOption(std::vector<std::string>& args,
                                                   std::string& folder) {
    const zelvo::ZelvoError missing(zelvo::err::InvalidCall, "--data-dir needs a folder");
    folder.clear();
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--data-dir") {
            if (i + 1 >= args.size() || args[i + 1].empty()) return missing;
            folder = args[i + 1];
            args.erase(args.begin() + static_cast<std::ptrdiff_t>(i),
                       args.begin() + static_cast<std::ptrdiff_t>(i + 2));
            return std::nullopt;
        }
        if (args[i].starts_with("--data-dir=")) {
            folder = args[i].substr(11);
            args.erase(args.begin() + static_cast<std::ptrdiff_t>(i));
            if (folder.empty()) return missing;
            return std::nullopt;
        }
    }
    return std::nullopt;
}

int RunBatch(const std::vector<std::string>& args) {
    Options options;
    std::string problem;
    if (!Parse(args, options, problem)) return RefuseUsage(problem);
    if (options.Has("--help")) {
        std::cout << kUsage << kHelp;
        return 0;
    }

    std::string type = zelvo::ToLower(options.Get("--type", ""));
    std::uint8_t installType = type == "vcp"        ? INSTALL_VCP
                               : type == "linkvane" ? INSTALL_LINKVANE
                                                    : INSTALL_NONE;
    if (installType == INSTALL_NONE) {
        std::cerr << kProgramName << ": --type vcp or --type linkvane is required\n";
        return 2;
    }
    const bool installer = !options.Has("--inf-only");
    if (!CheckOptionCombination(options, installType, installer, problem)) {
        std::cerr << kProgramName << ": " << problem << '\n';
        return 2;
    }

    CWizardData data;
    data.m_bGenerateInstaller = installer ? 1 : 0;
    ChooseInstallType(data, installType);
    if (!ParseFlag(options, "--quiet-install", data.m_bQuietInstall, problem) ||
        !ParseFlag(options, "--copy-files", data.m_bCopyFiles, problem) ||
        !ParseFlag(options, "--quiet-uninstall", data.m_bQuietUninstall, problem) ||
        !ParseFlag(options, "--remove-files", data.m_bRemoveFiles, problem)) {
        std::cerr << kProgramName << ": " << problem << '\n';
        return 2;
    }

    BatchDesktop desktop(options.Has("--yes"));
    DesktopScope scope(&desktop);
    return RunPages(data, options, options.Get("--output", data.m_strGenerationDir));
}

}  // namespace kitforge
