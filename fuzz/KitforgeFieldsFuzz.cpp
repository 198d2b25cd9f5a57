// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// kitforge's page checks over any typed values, then the INF and setup.ini
// writers over every record the checks accept: each line of the written files
// ends with CR LF and holds no other CR or LF, its double quotes are balanced,
// the record passes the package's own check, and every file name the package
// writes lands directly in the output folder.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "CWizardData.hpp"
#include "FakeDesktop.hpp"
#include "FuzzCheck.hpp"
#include "InfTemplates.hpp"
#include "KitforgePageInput.hpp"
#include "NameRules.hpp"
#include "PackageFiles.hpp"
#include "SetupIni.hpp"

namespace {

using namespace kitforge;
using zelvo::fuzz::Check;

constexpr const char* kOutputFolder = "/zelvo-fuzz/package/";

// Whether every quoted string of an INF line is closed before the line's comment
// (a ";" outside quotes) or its end; a doubled quote inside a string is a quote.
bool QuotesBalanced(const std::string& line) {
    bool quoted = false;
    for (char c : line) {
        if (c == '"') quoted = !quoted;
        if (c == ';' && !quoted) return true;
    }
    return !quoted;
}

// Lines of a written file: every line ends with CR LF, none holds another CR or
// LF, and (for INF files) every quoted string is closed.
void CheckLines(const std::string& text, const std::string& file, bool quotes) {
    size_t at = 0;
    while (at < text.size()) {
        const size_t end = text.find("\r\n", at);
        const std::string line = text.substr(at, end == std::string::npos ? end : end - at);
        Check(line.find_first_of("\r\n") == std::string::npos,
              file + ": a CR or LF inside a line: " + line);
        if (quotes) Check(QuotesBalanced(line), file + ": unbalanced quotes: " + line);
        if (end == std::string::npos) break;
        at = end + 2;
    }
}

// A package file name must give a file directly inside the output folder.
void CheckInsideOutputFolder(const CWizardData& data, const std::string& name) {
    const std::filesystem::path path =
        std::filesystem::path(PackagePath(data, name)).lexically_normal();
    Check(path.parent_path().string() + "/" == kOutputFolder && path.filename() != "." &&
              path.filename() != ".." && !path.filename().empty(),
          "a package file outside the output folder: " + path.string());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    zelvo::testing::FakeDesktop desktop;
    FuzzedDataProvider input(data, size);
    CWizardData record;
    if (!fuzzing::AcceptedRecord(record, input, kOutputFolder)) return 0;
    const bool vcp = record.m_nInstallType == INSTALL_VCP;

    Check(PackageProblem(record).empty(),
          "accepted values the package refuses: " + PackageProblem(record));
    std::vector<std::pair<std::string, std::string_view>> infs;
    if (vcp) {
        infs = {{record.m_strInfPrefix + "bus.inf", kBusInfTemplate},
                {record.m_strInfPrefix + "w2k.inf", kSerialInfTemplate}};
    } else {
        infs = {{record.m_strInfPrefix + ".inf", kLinkvaneInfTemplate}};
    }
    for (const auto& [name, templateText] : infs) {
        const std::string text = FillInfTemplate(templateText, record);
        Check(text.ends_with("\r\n"), name + ": the last line is not ended");
        CheckLines(text, name, true);
        CheckInsideOutputFolder(record, name);
    }
    if (record.m_bGenerateInstaller != 0) {
        CheckLines(SetupIniText(record), "setup.ini", false);
        CheckInsideOutputFolder(record, record.m_strInstallerName + ".exe");
    }
    return 0;
}
