// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "InfReader.hpp"

#include <cstdio>

#include "Strings.hpp"
#include "Windows1252.hpp"

namespace kitforge::lint {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// The five byte values that code page 1252 leaves without a character.
bool UndefinedIn1252(unsigned char byte) {
    return byte == 0x81 || byte == 0x8D || byte == 0x8F || byte == 0x90 || byte == 0x9D;
}

std::string Hex(unsigned char byte) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", byte);
    return text;
}

void CheckLineBytes(const std::string& file, const TextLine& line, LintReport& report) {
    for (std::size_t i = 0; i < line.text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(line.text[i]);
        if (byte == '\r') {
            report.Error(file, line.number,
                         "a CR without LF inside the line; the reader ends the line there");
            return;
        }
        if (UndefinedIn1252(byte)) {
            report.Error(file, line.number,
                         "byte " + Hex(byte) + " is no character of code page 1252, the " +
                             "text the receiving machine reads; save the file as Windows-1252");
            return;
        }
        if (byte < 0x20 && byte != '\t') {
            report.Error(file, line.number,
                         "control character " + Hex(byte) +
                             " inside the line; text lines hold "
                             "no control characters but tabs");
            return;
        }
    }
}

// One field while a line is read: its characters and which of them were quoted.
struct OpenField {
    std::string chars;
    std::vector<bool> quoted;

    void Add(char c, bool inQuotes) {
        chars += c;
        quoted.push_back(inQuotes);
    }
    // Blanks outside quotes at either end are dropped.
    std::string Text() const {
        std::size_t first = 0, last = chars.size();
        while (first < last && !quoted[first] && IsBlank(chars[first])) ++first;
        while (last > first && !quoted[last - 1] && IsBlank(chars[last - 1])) --last;
        return chars.substr(first, last - first);
    }
};

// After a closing quote only a separator, a comment or the line's end may follow.
bool TextAfterQuote(std::string_view text, std::size_t at) {
    while (at < text.size() && IsBlank(text[at])) ++at;
    return at < text.size() && text[at] != ',' && text[at] != ';' && text[at] != '=';
}

struct LineReader {
    const std::string& file;
    int number;
    LintReport& report;
    InfLine line{};
    std::vector<OpenField> fields{};
    OpenField field{};

    void Close() {
        fields.push_back(std::move(field));
        field = OpenField();
    }
    // A ';' is a comment mark wherever it stands outside quotes.
    void Comment(std::string_view text, std::size_t at) {
        const char before = text[at - 1];
        if (!IsBlank(before) && before != '"' && before != ',' && before != '=') {
            report.Warning(file, number,
                           "the ';' after " + Quoted(zelvo::Trim(text.substr(0, at))) +
                               " starts a comment, and the rest of the line is not read; put "
                               "the value in quotes if the ';' belongs to it");
        }
    }
    void Read(std::string_view text);
    void Finish();
};

void LineReader::Read(std::string_view text) {
    line.number = number;
    bool inQuotes = false, badQuoteSaid = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (inQuotes && c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
            field.Add('"', true);  // a doubled quote inside a string
            ++i;
        } else if (inQuotes && c == '"') {
            inQuotes = false;
            if (!badQuoteSaid && TextAfterQuote(text, i + 1)) {
                report.Error(file, number,
                             "the quote before " +
                                 zelvo::FromWindows1252(zelvo::Trim(text.substr(i + 1))) +
                                 " ends the quoted string; a quote inside a quoted string is "
                                 "written twice (\"\")");
                badQuoteSaid = true;
            }
        } else if (inQuotes) {
            field.Add(c, true);
        } else if (c == '"') {
            inQuotes = true;
        } else if (c == ';') {
            Comment(text, i);
            break;
        } else if (c == '=' && !line.hasKey) {
            line.hasKey = true;
            Close();
        } else if (c == ',') {
            Close();
        } else {
            field.Add(c, false);
        }
    }
    if (inQuotes) {
        report.Error(file, number,
                     "a quoted string is not closed; the INF reader takes the rest of the line "
                     "into it");
    }
    Close();
}

void LineReader::Finish() {
    for (std::size_t i = 0; i < fields.size(); ++i) {
        std::string text = fields[i].Text();
        if (text.size() > kFieldLimit) {
            report.Error(file, number,
                         "a field of " + std::to_string(text.size()) +
                             " characters; the INF reader keeps at most " +
                             std::to_string(kFieldLimit) + " and cuts the rest");
        }
        if (i == 0 && line.hasKey) {
            line.key = std::move(text);
        } else {
            line.values.push_back(std::move(text));
        }
    }
}

// Where a line ends in a '\' that continues it (outside quotes, before any
// comment, blanks after it allowed); npos when it does not.
std::size_t ContinuationAt(std::string_view text) {
    bool inQuotes = false;
    std::size_t end = text.size();
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '"') inQuotes = !inQuotes;
        if (text[i] == ';' && !inQuotes) {
            end = i;
            break;
        }
    }
    while (end > 0 && IsBlank(text[end - 1])) --end;
    return end > 0 && text[end - 1] == '\\' ? end - 1 : std::string_view::npos;
}

// The logical line that starts at lines[i]: continued lines joined; i moves to
// its last physical line.
std::string LogicalLine(const std::string& file, const std::vector<TextLine>& lines, std::size_t& i,
                        LintReport& report) {
    std::string text = lines[i].text;
    for (std::size_t at = ContinuationAt(text); at != std::string::npos;
         at = ContinuationAt(text)) {
        if (i + 1 >= lines.size()) {
            report.Warning(file, lines[i].number,
                           "the '\\' at the end continues the line past the end of the file");
            break;
        }
        if (zelvo::TrimLeft(lines[i + 1].text).starts_with('[')) {
            report.Error(file, lines[i].number,
                         "the '\\' at the end joins the section header of line " +
                             std::to_string(lines[i + 1].number) +
                             " to this line; end the line without '\\'");
            break;
        }
        text = text.substr(0, at) + lines[++i].text;
    }
    return text;
}

// Index of the section a header line opens (an earlier one of the same name
// when the file repeats it).
std::size_t OpenSection(InfFile& inf, const std::string& text, int number, LintReport& report) {
    const std::size_t close = text.find(']');
    std::string name = zelvo::Trim(text.substr(1, close == std::string::npos ? close : close - 1));
    if (close == std::string::npos) {
        report.Error(inf.file, number, "the section header lacks its closing ']'");
    } else if (const std::string after = zelvo::Trim(text.substr(close + 1));
               !after.empty() && after[0] != ';') {
        report.Error(inf.file, number,
                     "text after the section header: " + Quoted(after) +
                         "; only a comment may follow the ']'");
    }
    if (name.empty()) report.Error(inf.file, number, "a section header without a name");
    for (std::size_t s = 0; s < inf.sections.size(); ++s) {
        if (!zelvo::EqualsNoCase(inf.sections[s].name, name)) continue;
        report.Warning(inf.file, number,
                       "section [" + zelvo::FromWindows1252(name) + "] again, first on line " +
                           std::to_string(inf.sections[s].number) +
                           "; the INF reader joins the two");
        return s;
    }
    inf.sections.push_back({name, number, {}});
    return inf.sections.size() - 1;
}

}  // namespace

bool IsStringSection(std::string_view name) {
    return zelvo::EqualsNoCase(name, "Strings") || zelvo::ToLower(name).starts_with("strings.");
}

std::string Quoted(std::string_view text) {
    return "\"" + zelvo::FromWindows1252(text) + "\"";
}

std::vector<TextLine> ReadTextLines(const std::string& file, const std::string& bytes,
                                    bool lastEndExpected, LintReport& report) {
    std::string_view rest = bytes;
    // The mark is reported once and the rest read as it follows.
    const bool utf8 = rest.starts_with("\xEF\xBB\xBF");
    if (utf8 || rest.starts_with("\xFF\xFE") || rest.starts_with("\xFE\xFF")) {
        report.Error(file, 1,
                     "the file starts with a Unicode byte-order mark; the receiving machine "
                     "reads it as code page 1252 text: save it as Windows-1252 (ANSI)");
        rest.remove_prefix(utf8 ? 3 : 2);
    }
    std::vector<TextLine> lines;
    int lfAlone = 0, firstLfAlone = 0;
    while (!rest.empty()) {
        const std::size_t end = rest.find('\n');
        TextLine line{static_cast<int>(lines.size()) + 1, std::string(rest.substr(0, end))};
        if (end == std::string_view::npos) {
            if (lastEndExpected)
                report.Warning(file, line.number, "the last line has no line end (CR LF)");
            rest = {};
        } else {
            if (line.text.ends_with('\r')) {
                line.text.pop_back();
            } else if (lfAlone++ == 0) {
                firstLfAlone = line.number;
            }
            rest.remove_prefix(end + 1);
        }
        CheckLineBytes(file, line, report);
        lines.push_back(std::move(line));
    }
    if (lfAlone > 0) {
        report.Warning(file, firstLfAlone,
                       std::to_string(lfAlone) + (lfAlone == 1 ? " line ends" : " lines end") +
                           " with LF alone, from here on; the package's files end every line "
                           "with CR LF");
    }
    return lines;
}

std::string InfLine::Value(std::size_t index) const {
    return index < values.size() ? values[index] : std::string();
}

const InfSection* InfFile::Find(std::string_view name) const {
    for (const InfSection& section : sections) {
        if (zelvo::EqualsNoCase(section.name, name)) return &section;
    }
    return nullptr;
}

}  // namespace kitforge::lint

namespace kitforge::lint {

InfFile ReadInf(const std::string& file, const std::string& bytes, LintReport& report) {
    InfFile inf{file, {}};
    const std::vector<TextLine> lines = ReadTextLines(file, bytes, true, report);
    constexpr std::size_t kNone = static_cast<std::size_t>(-1);
    std::size_t current = kNone;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const int number = lines[i].number;
        const std::string text = zelvo::TrimLeft(LogicalLine(file, lines, i, report));
        if (text.empty() || text[0] == ';') continue;
        if (text[0] == '[') {
            current = OpenSection(inf, text, number, report);
        } else if (text[0] == '#' || text.starts_with("//")) {
            report.Error(file, number,
                         "'" + text.substr(0, text[0] == '#' ? 1 : 2) +
                             "' starts no comment in an INF file, ';' does; the line is read "
                             "as an entry");
        } else if (current == kNone) {
            report.Error(file, number,
                         "an entry before the first section header; the INF reader ignores it");
        } else {
            LineReader reader{file, number, report};
            reader.Read(text);
            reader.Finish();
            inf.sections[current].lines.push_back(std::move(reader.line));
        }
    }
    return inf;
}

}  // namespace kitforge::lint
