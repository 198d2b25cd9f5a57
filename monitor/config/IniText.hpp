// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The text of an INI file as the platform's profile functions see it, kept byte
// for byte so that a write changes only the line it touches.
//
// Reading: any run of CR and LF ends a line, a leading UTF-8 byte-order mark is
// skipped, blanks, tabs and the DOS end-of-file mark (0x1A) around names and
// values are dropped, and one matching pair of double or single quotes around a
// value is removed. Sections and keys match without regard to letter case; the
// first matching section decides.
//
// Writing: untouched lines keep their bytes and their own line ends; new lines
// end with the file's own line end (CR LF for a file without one); the
// byte-order mark stays.

#include <optional>
#include <string>
#include <vector>

namespace zelvo::ini {

class IniText {
  public:
    explicit IniText(const std::string& bytes);

    // The key's value, or nothing when the section or the key is missing.
    std::optional<std::string> Value(const std::string& section, const std::string& key) const;

    // Stores key=value: replaces the key's line, or adds the key after the last
    // line of its section that is not blank, or adds the section after the last
    // line of the file that is not blank.
    void Set(const std::string& section, const std::string& key, const std::string& value);

    // The file's bytes.
    std::string Bytes() const;

  private:
    struct Line {
        std::string text;  // without its line end (and without the byte-order mark)
        std::string end;   // "\r\n", "\r", "\n", "\r\r\n" or "" for an unended last line
    };
    struct Place {
        int section = -1;        // the section's header line
        int lastInSection = -1;  // its last line that is not blank
        int key = -1;            // the key's line
    };
    Place Find(const std::string& section, const std::string& key) const;
    void Insert(size_t at, const std::string& text);

    bool bom_ = false;
    std::string newLineEnd_;
    std::vector<Line> lines_;
};

}  // namespace zelvo::ini
