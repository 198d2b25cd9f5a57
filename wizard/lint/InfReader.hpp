// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading the package's text files as the receiving machine reads them: code page
// 1252 bytes in CR LF lines; for INF files the sections and entries as the INF
// reader splits them. Every departure from the format goes to the report.

#include <string>
#include <string_view>
#include <vector>

#include "LintReport.hpp"

namespace kitforge::lint {

// The longest field the INF reader keeps whole (NameRules.hpp holds the same
// number for the pages).
inline constexpr std::size_t kFieldLimit = 511;

struct TextLine {
    int number = 0;
    std::string text;  // without its line end
};

// The lines of a text file, split at LF (a CR before it dropped). Reports a
// byte-order mark, bytes that code page 1252 does not define, control characters,
// lines ended by LF or CR alone, and, when `lastEndExpected`, a last line without
// a line end.
std::vector<TextLine> ReadTextLines(const std::string& file, const std::string& bytes,
                                    bool lastEndExpected, LintReport& report);

// One entry of a section: "key = value, value" or a line of values alone. Values
// are as the INF reader takes them: quotes that delimit a string removed, a
// doubled quote read as one, blanks around them dropped.
struct InfLine {
    int number = 0;
    bool hasKey = false;
    std::string key;
    std::vector<std::string> values;
    // The value at `index`, empty when the line has fewer.
    std::string Value(std::size_t index) const;
};

struct InfSection {
    std::string name;  // as written in its (first) header
    int number = 0;    // line of that header
    std::vector<InfLine> lines;
};

struct InfFile {
    std::string file;  // the name in the package
    std::vector<InfSection> sections;
    // The section of that name (case is not significant), nullptr when missing.
    const InfSection* Find(std::string_view name) const;
};

// Reads an INF file and reports what the INF reader would refuse or take
// differently from what it looks like: section headers, quotes, continued lines,
// comment marks, fields over kFieldLimit, lines outside any section, sections
// written twice.
InfFile ReadInf(const std::string& file, const std::string& bytes, LintReport& report);

// [Strings] and its per-language forms ([Strings.0409]).
bool IsStringSection(std::string_view name);

// Record text quoted for a message: "…" in UTF-8.
std::string Quoted(std::string_view text);

}  // namespace kitforge::lint
