// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reads and writes single keys of one INI file. No cache: every operation reads or
// writes the file at that moment. Failures show "Error: <n>. <description>" titled
// with the operation's name and return what had been set (0, false or "").

#include <cstdint>
#include <optional>
#include <string>

#include "ZelvoError.hpp"

namespace zelvo {

class cIniFile {
  public:
    // Values are cut after this many characters.
    static constexpr size_t kValueLimit = 253;

    // Binds to the file when it exists, else unbinds (""). Nothing is created.
    void IniFile(const std::string& file);
    std::string IniFile() const;

    // The value, or the default when missing or empty; with StrElement > 0 the
    // field of that number (from 1) between StrDelimit characters.
    std::string ReadIniStr(const std::string& Section, const std::string& KeyName,
                           const std::string& Default, int16_t StrElement = 0,
                           const std::string& StrDelimit = "");
    // The leading number of the value (0 when it has none), or the default when empty.
    float ReadIniSingle(const std::string& Section, const std::string& KeyName, float Default);
    // The value as a decimal integer; outside -32768..32767 is a failure.
    int16_t ReadIniInt(const std::string& Section, const std::string& KeyName, int16_t Default);
    // True for TRUE, YES, ON or 1 in any letter case; false for everything else.
    bool ReadIniBool(const std::string& Section, const std::string& KeyName,
                     const std::string& Default);
    // Non-zero when the key was written (or already held the value).
    int16_t WriteIniStr(const std::string& Section, const std::string& KeyName,
                        const std::string& TextString);
    // Why the last WriteIniStr of a bound file wrote nothing; empty after a success.
    const std::optional<ZelvoError>& LastWriteFailure() const { return lastWriteFailure_; }

  private:
    std::string RawRead(const std::string& section, const std::string& key,
                        const std::string& defaultText) const;
    std::string path_;
    std::optional<ZelvoError> lastWriteFailure_;
};

}  // namespace zelvo
