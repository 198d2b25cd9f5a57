// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "LintReport.hpp"

#include <algorithm>
#include <cstdio>

namespace kitforge::lint {
namespace {

std::string Counted(int count, const char* what) {
    return std::to_string(count) + " " + what + (count == 1 ? "" : "s");
}

std::string JsonString(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

const char* SeverityName(Severity severity) {
    return severity == Severity::Error ? "error" : "warning";
}

}  // namespace

void LintReport::Error(const std::string& file, int line, const std::string& text) {
    problems_.push_back({file, line, Severity::Error, text});
    ++errors_;
}

void LintReport::Warning(const std::string& file, int line, const std::string& text) {
    problems_.push_back({file, line, Severity::Warning, text});
    ++warnings_;
}

std::vector<Problem> LintReport::Sorted() const {
    std::vector<Problem> sorted = problems_;
    std::stable_sort(sorted.begin(), sorted.end(), [](const Problem& a, const Problem& b) {
        return a.file != b.file ? a.file < b.file : a.line < b.line;
    });
    return sorted;
}

std::string CountLine(const LintReport& report) {
    return Counted(report.Errors(), "error") + ", " + Counted(report.Warnings(), "warning");
}

std::string FormatText(const LintReport& report) {
    std::string out;
    for (const Problem& p : report.Sorted()) {
        out += p.file + ":" + std::to_string(p.line) + ": " + SeverityName(p.severity) + ": " +
               p.text + "\n";
    }
    return out + CountLine(report) + "\n";
}

std::string FormatJson(const LintReport& report, const std::string& folder) {
    std::string out = "{\"folder\": " + JsonString(folder) +
                      ", \"errors\": " + std::to_string(report.Errors()) +
                      ", \"warnings\": " + std::to_string(report.Warnings()) + ", \"problems\": [";
    bool first = true;
    for (const Problem& p : report.Sorted()) {
        out += first ? "\n  " : ",\n  ";
        first = false;
        out += "{\"file\": " + JsonString(p.file) + ", \"line\": " + std::to_string(p.line) +
               ", \"severity\": \"" + SeverityName(p.severity) +
               "\", \"text\": " + JsonString(p.text) + "}";
    }
    return out + (first ? "]}\n" : "\n]}\n");
}

int ExitStatus(const LintReport& report, bool strict) {
    if (report.Errors() > 0 || (strict && report.Warnings() > 0)) return 2;
    return report.Warnings() > 0 ? 1 : 0;
}

}  // namespace kitforge::lint
