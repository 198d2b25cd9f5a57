// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "IniText.hpp"

#include <string_view>

#include "Strings.hpp"

namespace zelvo::ini {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr char kDosEndOfFile = '\x1A';

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == kDosEndOfFile;
}

std::string TrimBlanks(std::string_view text) {
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && IsBlank(text[begin])) ++begin;
    while (end > begin && IsBlank(text[end - 1])) --end;
    return std::string(text.substr(begin, end - begin));
}

// The line end starting at bytes[at] (a CR or LF), one of "\r\r\n", "\r\n", "\r", "\n".
std::string LineEndAt(const std::string& bytes, size_t at) {
    if (bytes[at] == '\n') return "\n";
    if (bytes.compare(at, 3, "\r\r\n") == 0) return "\r\r\n";
    if (bytes.compare(at, 2, "\r\n") == 0) return "\r\n";
    return "\r";
}

// The section name of a "[name]" line, or nothing.
std::optional<std::string> SectionOf(const std::string& line) {
    std::string t = TrimBlanks(line);
    if (t.size() < 2 || t.front() != '[') return std::nullopt;
    size_t close = t.find(']');
    if (close == std::string::npos) return std::nullopt;
    return TrimBlanks(std::string_view(t).substr(1, close - 1));
}

// The key of a "key=value" line, or nothing.
std::optional<std::string> KeyOf(const std::string& line) {
    size_t eq = line.find('=');
    if (eq == std::string::npos) return std::nullopt;
    return TrimBlanks(std::string_view(line).substr(0, eq));
}

std::string ValueOf(const std::string& line) {
    std::string value = TrimBlanks(std::string_view(line).substr(line.find('=') + 1));
    const bool quoted = value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
                        value.back() == value.front();
    return quoted ? value.substr(1, value.size() - 2) : value;
}

}  // namespace

IniText::IniText(const std::string& bytes) {
    size_t at = 0;
    if (bytes.starts_with(kByteOrderMark)) {
        bom_ = true;
        at = kByteOrderMark.size();
    }
    while (at < bytes.size()) {
        size_t stop = bytes.find_first_of("\r\n", at);
        if (stop == std::string::npos) {
            lines_.push_back({bytes.substr(at), ""});
            break;
        }
        std::string end = LineEndAt(bytes, stop);
        if (newLineEnd_.empty()) newLineEnd_ = end;
        lines_.push_back({bytes.substr(at, stop - at), end});
        at = stop + end.size();
    }
    if (newLineEnd_.empty()) newLineEnd_ = "\r\n";
}

IniText::Place IniText::Find(const std::string& section, const std::string& key) const {
    Place place;
    for (size_t i = 0; i < lines_.size(); ++i) {
        const std::string& line = lines_[i].text;
        const int index = static_cast<int>(i);
        if (auto name = SectionOf(line)) {
            if (place.section >= 0) break;  // the first matching section decides
            if (EqualsNoCase(*name, section)) place.section = place.lastInSection = index;
            continue;
        }
        if (place.section < 0) continue;
        if (!TrimBlanks(line).empty()) place.lastInSection = index;
        auto k = KeyOf(line);
        if (k && EqualsNoCase(*k, key)) {
            place.key = index;
            break;
        }
    }
    return place;
}

std::optional<std::string> IniText::Value(const std::string& section,
                                          const std::string& key) const {
    Place place = Find(section, key);
    if (place.key < 0) return std::nullopt;
    return ValueOf(lines_[static_cast<size_t>(place.key)].text);
}

void IniText::Set(const std::string& section, const std::string& key, const std::string& value) {
    Place place = Find(section, key);
    const std::string line = key + "=" + value;
    if (place.key >= 0) {
        lines_[static_cast<size_t>(place.key)].text = line;
    } else if (place.section >= 0) {
        Insert(static_cast<size_t>(place.lastInSection) + 1, line);
    } else {
        // After the last line that is not blank, so that a closing end-of-file mark
        // stays last.
        size_t at = lines_.size();
        while (at > 0 && TrimBlanks(lines_[at - 1].text).empty()) --at;
        Insert(at, "[" + section + "]");
        Insert(at + 1, line);
    }
}

void IniText::Insert(size_t at, const std::string& text) {
    // A last line without a line end gets the file's own before a line follows it.
    if (at > 0 && lines_[at - 1].end.empty()) lines_[at - 1].end = newLineEnd_;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), Line{text, newLineEnd_});
}

std::string IniText::Bytes() const {
    std::string out = bom_ ? std::string(kByteOrderMark) : std::string();
    for (const Line& line : lines_) out += line.text + line.end;
    return out;
}

}  // namespace zelvo::ini
