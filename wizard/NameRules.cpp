// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "NameRules.hpp"

#include <array>
#include <string_view>

#include "CWizardData.hpp"
#include "InfTemplates.hpp"
#include "Strings.hpp"
#include "Windows1252.hpp"

namespace kitforge {
namespace {

constexpr std::string_view kFileNameChars = "/\\:*?\"<>|";
constexpr std::string_view kInfSyntaxChars = ";,%=";

// Lists the characters for a message: "/ \ : * ?".
std::string Listed(std::string_view chars) {
    std::string out;
    for (char c : chars) {
        if (!out.empty()) out += ' ';
        out += c;
    }
    return out;
}

// Windows opens these as devices, with any extension.
bool IsDeviceName(const std::string& name) {
    const std::string upper = zelvo::ToUpper(name);
    for (const char* device : {"CON", "PRN", "AUX", "NUL"}) {
        if (upper == device) return true;
    }
    return upper.size() == 4 && (upper.starts_with("COM") || upper.starts_with("LPT")) &&
           upper[3] >= '1' && upper[3] <= '9';
}

// `wholeName`: the name is the whole file name before its extension, where a
// device name matters.
std::string FileNameProblem(const char* field, const std::string& name, std::string_view refused,
                            bool wholeName) {
    if (name.find_first_of(refused) != std::string::npos)
        return std::string(field) + " cannot contain: " + Listed(refused);
    if (wholeName && IsDeviceName(name)) {
        return std::string(field) + " cannot be \"" + zelvo::FromWindows1252(name) +
               "\": Windows keeps that name for a device.";
    }
    return {};
}

// The page field that a template token comes from.
const char* PageFieldOf(std::string_view token) {
    if (token == "Company") return "Company Name";
    if (token == "UsbName") return "USB Device Name";
    if (token == "ComName") return "COM Device Name";
    if (token == "VID") return "VID";
    if (token == "PID") return "PID";
    return "INF File Name";  // «Prefix», «ServiceName»
}

std::string LongFieldMessage(const InfValueField& field, std::size_t length) {
    std::string fields;
    for (const std::string& token : field.tokens) {
        const std::string name = PageFieldOf(token);
        if (fields.find(name) != std::string::npos) continue;
        fields += (fields.empty() ? "" : " and ") + name;
    }
    const bool several = fields.find(" and ") != std::string::npos;
    const std::string where = field.key.empty() ? "an INF field" : "the INF field " + field.key;
    return fields + (several ? " make " : " makes ") + where + " " + std::to_string(length) +
           " characters long; an INF field holds at most " + std::to_string(kInfFieldLimit) + ".";
}

}  // namespace

std::string InfNameProblem(const std::string& name, std::uint8_t installType) {
    const std::string chars = std::string(kFileNameChars) + std::string(kInfSyntaxChars);
    // The VCP set's name is a prefix ("<name>bus.inf"); the Linkvane set's is the
    // whole name ("<name>.inf").
    std::string problem =
        FileNameProblem("INF File Name", name, chars, installType == INSTALL_LINKVANE);
    auto blank = [](char c) { return c == ' ' || c == '\t'; };
    if (problem.empty() && !name.empty() && (blank(name.front()) || blank(name.back()))) {
        problem = "INF File Name cannot begin or end with a blank.";
    }
    return problem;
}

std::string InstallerNameProblem(const std::string& name) {
    return FileNameProblem("Installer Name", name, kFileNameChars, true);
}

std::string LongInfFieldProblem(const CWizardData& data) {
    const bool vcp = data.m_nInstallType == INSTALL_VCP;
    const std::array<std::string_view, 2> templates = {vcp ? kBusInfTemplate : kLinkvaneInfTemplate,
                                                       vcp ? kSerialInfTemplate : ""};
    for (std::string_view templ : templates) {
        for (const InfValueField& field : InfValueFields(templ)) {
            std::size_t length = field.fixedLength;
            for (const std::string& token : field.tokens)
                length += InfTokenValue(token, data).size();
            if (length > kInfFieldLimit) return LongFieldMessage(field, length);
        }
    }
    return {};
}

std::string PackageProblem(const CWizardData& data) {
    std::string problem = InfNameProblem(data.m_strInfPrefix, data.m_nInstallType);
    if (problem.empty() && data.m_bGenerateInstaller)
        problem = InstallerNameProblem(data.m_strInstallerName);
    if (problem.empty()) problem = LongInfFieldProblem(data);
    return problem;
}

}  // namespace kitforge
