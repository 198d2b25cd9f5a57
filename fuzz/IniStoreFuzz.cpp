// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The INI store over any file: the fuzzer's bytes are the file, then one key is
// written and read back. A write must be read back as written, must leave every
// other key's value as it was, and may change the bytes of one line only (the
// key's), besides adding the key's line and its section header.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>
#include <vector>

#include "FuzzCheck.hpp"
#include "FuzzFolder.hpp"
#include "IniStore.hpp"
#include "Strings.hpp"
#include "TextFile.hpp"

namespace {

using zelvo::fuzz::Check;

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\x1A';
}

bool HasLineBreak(const std::string& text) {
    return text.find_first_of("\r\n") != std::string::npos;
}

bool TrimmedAndNotEmpty(const std::string& text) {
    return !text.empty() && !IsBlank(text.front()) && !IsBlank(text.back());
}

// Names and values that an INI line can hold as they are: a section without "]",
// a key without "=" that does not look like a section, a value that is not
// enclosed in quotes (those the reading rules remove). NUL ends a C string of
// the platform's functions: names never hold one.
bool Storable(const std::string& section, const std::string& key, const std::string& value) {
    auto plainName = [](const std::string& name) {
        return TrimmedAndNotEmpty(name) && !HasLineBreak(name) &&
               name.find('\0') == std::string::npos;
    };
    const bool quoted = value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
                        value.back() == value.front();
    return plainName(section) && section.find(']') == std::string::npos && plainName(key) &&
           key.find('=') == std::string::npos && key.front() != '[' && !HasLineBreak(value) &&
           (value.empty() || TrimmedAndNotEmpty(value)) && !quoted;
}

// Number of line breaks (any run of CR LF counts per CR or LF byte).
size_t LineBreaks(const std::string& bytes) {
    size_t count = 0;
    for (char c : bytes) count += (c == '\r' || c == '\n') ? 1 : 0;
    return count;
}

// The bytes of `before` that `after` does not keep at its start or end: a write
// may change there one line only, so no line break may lie in that part.
std::string ChangedPart(const std::string& before, const std::string& after) {
    size_t prefix = 0;
    while (prefix < before.size() && prefix < after.size() && before[prefix] == after[prefix]) {
        ++prefix;
    }
    size_t suffix = 0;
    while (suffix < before.size() - prefix && suffix < after.size() - prefix &&
           before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix]) {
        ++suffix;
    }
    return before.substr(prefix, before.size() - prefix - suffix);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    const std::string section = input.ConsumeRandomLengthString(24);
    const std::string key = input.ConsumeRandomLengthString(24);
    const std::string value = input.ConsumeRandomLengthString(64);
    const std::string otherSection = input.ConsumeRandomLengthString(24);
    const std::string otherKey = input.ConsumeRandomLengthString(24);
    const std::string before = input.ConsumeRemainingBytesAsString();
    if (!Storable(section, key, value)) return 0;

    const std::string path = zelvo::fuzz::ScratchFolder("ini").Path("store.ini");
    zelvo::WriteFileBytes(path, before);
    const auto otherBefore = zelvo::ini::ReadValue(path, otherSection, otherKey);

    const auto failure = zelvo::ini::WriteProfileString(path, section, key, value);
    Check(!failure, "write refused: " + (failure ? failure->Description() : std::string()));
    const std::string after = zelvo::ReadFileBytes(path);

    Check(zelvo::ini::ReadValue(path, section, key) == value, "the written value is not read back");
    const bool sameKey =
        zelvo::EqualsNoCase(section, otherSection) && zelvo::EqualsNoCase(key, otherKey);
    if (!sameKey) {
        Check(zelvo::ini::ReadValue(path, otherSection, otherKey) == otherBefore,
              "another key's value changed");
    }
    Check(!HasLineBreak(ChangedPart(before, after)), "bytes of more than one line changed");
    // At most the section header and the key's line are added, each with its line end
    // (of up to three bytes), and an unended last line gets one.
    Check(LineBreaks(after) <= LineBreaks(before) + 9, "more lines than the key's were added");
    return 0;
}
