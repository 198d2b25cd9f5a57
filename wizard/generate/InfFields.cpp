// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The fields of the INF templates that hold record values, as the INF parser
// splits and reads them.

#include <string_view>

#include "InfTemplates.hpp"
#include "Strings.hpp"

namespace kitforge {
namespace {

constexpr std::string_view kTab = "⇥";
constexpr std::string_view kEndSpace = "␠";
constexpr std::string_view kTokenOpen = "«";
constexpr std::string_view kTokenClose = "»";

// One field of a line while it is read: its characters (a token is one '\0'), which
// of them were quoted, and its tokens.
struct OpenField {
    std::string chars;
    std::vector<bool> quoted;
    std::vector<std::string> tokens;

    void Add(char c, bool inQuotes) {
        chars += c;
        quoted.push_back(inQuotes);
    }
    // Blanks outside quotes at either end are dropped.
    std::size_t FixedLength() const {
        std::size_t first = 0, last = chars.size();
        auto blank = [&](std::size_t i) {
            return !quoted[i] && (chars[i] == ' ' || chars[i] == '\t');
        };
        while (first < last && blank(first)) ++first;
        while (last > first && blank(last - 1)) --last;
        std::size_t length = 0;
        for (std::size_t i = first; i < last; ++i) length += chars[i] != '\0';
        return length;
    }
};

void ReadLine(std::string_view line, std::vector<InfValueField>& out) {
    std::string key;
    bool keyDone = false, inQuotes = false;
    OpenField field;
    auto close = [&] {
        if (!field.tokens.empty()) out.push_back({key, field.tokens, field.FixedLength()});
        field = OpenField();
    };
    for (std::size_t pos = 0; pos < line.size();) {
        const std::string_view rest = line.substr(pos);
        if (rest.starts_with(kTokenOpen)) {
            const std::size_t end = rest.find(kTokenClose);
            field.tokens.emplace_back(rest.substr(kTokenOpen.size(), end - kTokenOpen.size()));
            field.Add('\0', inQuotes);
            pos += end + kTokenClose.size();
            continue;
        }
        char c = rest[0];
        std::size_t width = 1;
        if (rest.starts_with(kTab)) {
            c = '\t';
            width = kTab.size();
        } else if (rest.starts_with(kEndSpace)) {
            c = ' ';
            width = kEndSpace.size();
        }
        pos += width;
        if (c == '"') {
            if (inQuotes && pos < line.size() && line[pos] == '"') {  // a doubled quote
                field.Add('"', true);
                ++pos;
            } else {
                inQuotes = !inQuotes;
            }
        } else if (!inQuotes && c == ';') {
            break;  // the rest of the line is a comment
        } else if (!inQuotes && c == '=' && !keyDone) {
            key = zelvo::Trim(line.substr(0, pos - 1));  // as the template writes it
            close();
            keyDone = true;
        } else if (!inQuotes && c == ',') {
            close();
        } else {
            field.Add(c, inQuotes);
        }
    }
    close();
}

}  // namespace

std::vector<InfValueField> InfValueFields(std::string_view templateText) {
    std::vector<InfValueField> fields;
    while (!templateText.empty()) {
        const std::size_t end = templateText.find('\n');
        const std::string_view line = templateText.substr(0, end);
        if (line.find(kTokenOpen) != std::string_view::npos) ReadLine(line, fields);
        if (end == std::string_view::npos) break;
        templateText.remove_prefix(end + 1);
    }
    return fields;
}

}  // namespace kitforge
