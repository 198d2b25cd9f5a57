// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "DataLogFormat.hpp"

#include <algorithm>
#include <charconv>

#include "Format.hpp"
#include "TimeOfDay.hpp"

namespace zelvo {
namespace {

std::string StampLine(const char* word, int32_t runNumber, const std::string& date,
                      const std::string& time) {
    return std::string(word) + kLogRunLabel + std::to_string(runNumber) + kLogDateLabel + date +
           kLogTimeLabel + time;
}

bool SkipPrefix(std::string_view& text, std::string_view prefix) {
    if (text.substr(0, prefix.size()) != prefix) return false;
    text.remove_prefix(prefix.size());
    return true;
}

bool IsControl(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte == 0x7f;
}

// The whole number the text begins with, within the type's range; nullopt otherwise.
// Callers compare the number written back with the text, which refuses the rest.
template <typename T>
std::optional<T> WholeNumber(std::string_view text) {
    T value{};
    if (std::from_chars(text.data(), text.data() + text.size(), value).ec != std::errc()) {
        return std::nullopt;
    }
    return value;
}

// Exactly as the start line writes a run number: no sign but a minus, no leading zero.
bool IsRunNumberText(std::string_view text) {
    const std::optional<int32_t> run = WholeNumber<int32_t>(text);
    return run && std::to_string(*run) == text;
}

// Exactly as LogTimeOfDay writes a time of day.
bool IsLogTimeOfDayText(std::string_view text) {
    const size_t first = text.find(':');
    if (first == std::string_view::npos) return false;
    const size_t second = text.find(':', first + 1);
    if (second == std::string_view::npos) return false;
    const auto hours = WholeNumber<int>(text.substr(0, first));
    const auto minutes = WholeNumber<int>(text.substr(first + 1, second - first - 1));
    const auto seconds = WholeNumber<int>(text.substr(second + 1));
    if (!hours || !minutes || !seconds) return false;
    // Fields out of range come back as another text.
    return LogTimeOfDay(*hours * 3600.0 + *minutes * 60.0 + *seconds) == text;
}

}  // namespace

std::string LogTimeOfDay(double secondsSinceMidnight) {
    return TimeOfDayText(secondsSinceMidnight, "0");
}

std::string LogStartLine(int32_t runNumber, const std::string& date, const std::string& time) {
    return StampLine(kLogStartWord, runNumber, date, time);
}

bool IsDataLogStartLine(std::string_view line) {
    std::string_view rest = line;
    if (!SkipPrefix(rest, kLogStartWord) || !SkipPrefix(rest, kLogRunLabel)) return false;
    const size_t runEnd = rest.find('\t');
    if (runEnd == std::string_view::npos || !IsRunNumberText(rest.substr(0, runEnd))) return false;
    rest.remove_prefix(runEnd);
    if (!SkipPrefix(rest, kLogDateLabel)) return false;
    // The date is the user's short date, of any form; the time closes the line.
    const size_t timeAt = rest.rfind(kLogTimeLabel);
    if (timeAt == std::string_view::npos) return false;
    const std::string_view date = rest.substr(0, timeAt);
    if (std::any_of(date.begin(), date.end(), [](char c) { return IsControl(c); })) return false;
    return IsLogTimeOfDayText(rest.substr(timeAt + std::string_view(kLogTimeLabel).size()));
}

std::string LogStopLine(int32_t runNumber, const std::string& date, const std::string& time) {
    return StampLine(kLogStopWord, runNumber, date, time);
}

std::string LogColumnHeader(int32_t units) {
    switch (units) {
        case 1:
            return kLogHeaderMass;
        case 2:
            return kLogHeaderAngstrom;
        default:
            return kLogHeaderKiloAngstrom;
    }
}

std::string LogRecordLine(double elapsedSeconds,
                          const std::vector<std::optional<LogChannelValues>>& channels) {
    std::string line = FormatNumber(elapsedSeconds, "0.00") + kLogFieldEnd;
    for (const auto& channel : channels) {
        if (!channel) {
            line += kLogInvalidChannel;
            continue;
        }
        line += FormatNumber(channel->rate, "00.00") + kLogFieldEnd;
        line += FormatNumber(channel->thickness, "00.000") + kLogFieldEnd;
        line += FormatNumber(channel->frequency, "0.00") + kLogFieldEnd;
    }
    return line;
}

std::string LogPathFor(int16_t logType, const std::string& logFile, int32_t runNumber) {
    if (logType != kLogRunNumbered) return logFile;
    std::string run = "_" + std::to_string(runNumber);
    // Only the name part is searched, so that a dotted folder keeps its name.
    size_t nameStart = logFile.rfind('/');
    nameStart = nameStart == std::string::npos ? 0 : nameStart + 1;
    size_t dot = logFile.find('.', nameStart);
    if (dot == std::string::npos || dot == nameStart) return logFile + run;
    return logFile.substr(0, dot) + run + logFile.substr(dot);
}

}  // namespace zelvo
