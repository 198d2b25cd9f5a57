// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The lines of the data log: start line, column header, stop line and record
// line, and the choice of the log file of a run. Pure text; no file access.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zelvo {

// Texts of the log file.
inline constexpr const char* kLogStartWord = "Start Log";
inline constexpr const char* kLogStopWord = "Stop Log";
inline constexpr const char* kLogRunLabel = "\tRun: ";
inline constexpr const char* kLogDateLabel = "\tDate: ";
inline constexpr const char* kLogTimeLabel = "   Time: ";
inline constexpr const char* kLogHeaderKiloAngstrom = "Time, Rate(A/s), Thick(kA), Frequency(Hz)";
inline constexpr const char* kLogHeaderMass = "Time, MassRate, Mass, Frequency";
inline constexpr const char* kLogHeaderAngstrom = "Time, Rate(A/s), Thick(A), Frequency(Hz)";
inline constexpr const char* kLogFieldEnd = ", ";
// Stands for a channel without a valid reading, keeping the columns aligned.
inline constexpr const char* kLogInvalidChannel = "     ,       ,           , ";
// The file name used when none is set.
inline constexpr const char* kDefaultLogFileName = "Zelvo.LOG";

// Log types.
inline constexpr int16_t kLogOverwrite = 0;
inline constexpr int16_t kLogAppend = 1;
inline constexpr int16_t kLogRunNumbered = 2;

// One channel's values in a record line, in the display units.
struct LogChannelValues {
    double rate = 0;       // filtered rate
    double thickness = 0;  // thickness or mass
    double frequency = 0;  // Hz
};

// "h:mm:ss" of a time of day given in seconds since midnight (hour without
// leading zero, 24-hour clock; fractions of a second dropped).
std::string LogTimeOfDay(double secondsSinceMidnight);

// "Start Log<TAB>Run: 12<TAB>Date: 6/12/2026   Time: 9:05:03"
std::string LogStartLine(int32_t runNumber, const std::string& date, const std::string& time);
// True for every line LogStartLine makes, whatever its run number, date and time:
// the first line of a data log this program wrote.
bool IsDataLogStartLine(std::string_view line);
// "Stop Log<TAB>Run: 12<TAB>Date: 6/12/2026   Time: 9:05:04"
std::string LogStopLine(int32_t runNumber, const std::string& date, const std::string& time);
// The column header by unit mode (0 kA, 1 mass, 2 A); other values get the kA header.
std::string LogColumnHeader(int32_t units);
// The elapsed time, then per channel its three values or the filler.
std::string LogRecordLine(double elapsedSeconds,
                          const std::vector<std::optional<LogChannelValues>>& channels);

// The file of a run by log type: Run# puts "_" and the run number before the
// first "." of the file's name (when that is not the name's first character),
// otherwise after the name. Overwrite and Append use the file as it is.
std::string LogPathFor(int16_t logType, const std::string& logFile, int32_t runNumber);

}  // namespace zelvo
