// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "cIniFile.hpp"

#include <sys/stat.h>

#include <cerrno>
#include <cmath>
#include <limits>

#include "IniStore.hpp"
#include "Numbers.hpp"
#include "Strings.hpp"
#include "UtilityError.hpp"

namespace zelvo {
namespace {

// The buffer offered to the store: 254 characters including the closing NUL.
constexpr size_t kOfferedCapacity = cIniFile::kValueLimit + 1;

// A default number written as text: a leading blank when not negative.
std::string NumberDefaultText(float value) {
    std::string text = ShortestNumberText(static_cast<double>(value));
    return value < 0 ? text : " " + text;
}

}  // namespace

void cIniFile::IniFile(const std::string& file) {
    try {
        struct stat st {};
        if (::stat(file.c_str(), &st) == 0) {
            path_ = S_ISREG(st.st_mode) ? file : "";
            return;
        }
        int error = errno;
        path_.clear();
        if (error != ENOENT && error != ENOTDIR && !file.empty()) throw FileError(error, file);
    } catch (...) {
        ShowUtilityError("Property Let IniFile");
    }
}

std::string cIniFile::IniFile() const {
    return path_;
}

std::string cIniFile::RawRead(const std::string& section, const std::string& key,
                              const std::string& defaultText) const {
    if (path_.empty()) {
        std::string value = defaultText.substr(0, kOfferedCapacity - 1);
        return value.substr(0, value.find('\0'));
    }
    return ini::GetProfileString(path_, section, key, defaultText, kOfferedCapacity);
}

std::string cIniFile::ReadIniStr(const std::string& Section, const std::string& KeyName,
                                 const std::string& Default, int16_t StrElement,
                                 const std::string& StrDelimit) {
    std::string result;
    try {
        std::string value = RawRead(Section, KeyName, Default);
        if (value.empty()) value = Default;
        if (StrElement == 0) return value;
        if (StrDelimit.size() != 1) {
            throw ZelvoError(err::InvalidCall, "Invalid procedure call or argument");
        }
        const char delimiter = StrDelimit[0];
        size_t start = 0;
        int count = 1;
        for (size_t i = 0; i < value.size(); ++i) {
            if (value[i] == delimiter) {
                if (count == StrElement) return value.substr(start, i - start);
                ++count;
                start = i + 1;
            }
            result = value.substr(start);
        }
        return result;
    } catch (...) {
        ShowUtilityError("ReadIniStr");
        return "";
    }
}

float cIniFile::ReadIniSingle(const std::string& Section, const std::string& KeyName,
                              float Default) {
    try {
        std::string value = RawRead(Section, KeyName, NumberDefaultText(Default));
        if (value.empty()) return Default;
        double number = LeadingNumber(value);
        if (std::fabs(number) > std::numeric_limits<float>::max()) {
            throw ZelvoError(err::Overflow, "Overflow");
        }
        return static_cast<float>(number);
    } catch (...) {
        ShowUtilityError("ReadIniSingle");
        return 0;
    }
}

int16_t cIniFile::ReadIniInt(const std::string& Section, const std::string& KeyName,
                             int16_t Default) {
    try {
        if (path_.empty()) return Default;
        return CheckedInt16(ini::GetProfileInt(path_, Section, KeyName, Default));
    } catch (...) {
        ShowUtilityError("ReadIniInt");
        return 0;
    }
}

bool cIniFile::ReadIniBool(const std::string& Section, const std::string& KeyName,
                           const std::string& Default) {
    try {
        std::string value = ToUpper(RawRead(Section, KeyName, Default));
        return value == "TRUE" || value == "YES" || value == "ON" || value == "1";
    } catch (...) {
        ShowUtilityError("ReadIniBool");
        return false;
    }
}

int16_t cIniFile::WriteIniStr(const std::string& Section, const std::string& KeyName,
                              const std::string& TextString) {
    try {
        lastWriteFailure_.reset();
        if (path_.empty()) return 0;
        lastWriteFailure_ = ini::WriteProfileString(path_, Section, KeyName, TextString);
        return lastWriteFailure_ ? 0 : 1;
    } catch (...) {
        ShowUtilityError("WriteIniStr");
        return 0;
    }
}

}  // namespace zelvo
