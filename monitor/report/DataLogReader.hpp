// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reads a data log the monitor wrote back into runs: every log type (one run,
// several appended runs, a numbered run file) and every unit mode. What a real
// log may hold is taken in its stride and named by line: a last line cut by a
// power cut, a run without a stop line, CR LF or LF line ends, a decimal comma,
// a channel that failed for a while (the filler), the log switched off and on
// during a run (a second start block of the same run), a run past 24 hours
// (its run time passes midnight on the seconds-since-midnight clock).

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zelvo::report {

// A start or stop line: its date and time texts (UTF-8) and line number.
struct LogStamp {
    std::string date;
    std::string time;  // "h:mm:ss"
    size_t line = 0;
};

// One start block of a run and its stop line, when the log has one.
struct LogBlock {
    LogStamp start;
    std::optional<LogStamp> stop;
};

// One channel's values per record, in the log's units; NaN where the record
// holds the filler of a failed reading.
struct ChannelColumns {
    std::vector<double> rate;
    std::vector<double> thickness;
    std::vector<double> frequency;
};

struct LoggedRun {
    int32_t number = 0;
    int32_t units = 0;  // 0 kA, 1 mass, 2 A, from the column header
    std::vector<LogBlock> blocks;
    std::vector<double> time;  // run time of each record, s
    std::vector<ChannelColumns> channels;
    size_t Records() const { return time.size(); }
};

// Something of the log that was left out or supplied: a line and why.
struct LogNotice {
    size_t line = 0;
    std::string text;
};

struct DataLogContents {
    std::vector<LoggedRun> runs;
    std::vector<LogNotice> notices;
};

// Takes a log line by line; Finish closes the last run.
class DataLogReader {
  public:
    // One line without its line end; `ended` is false for a last line that had none.
    void Line(std::string_view line, bool ended = true);
    DataLogContents Finish();

  private:
    void StartLine(std::string_view rest);
    void StopLine(std::string_view rest);
    void HeaderLine(std::string_view line);
    void RecordLine(std::string_view line);
    // A line that cannot be read: why, or that the log ends in its middle.
    void Unreadable(const std::string& why);
    void CloseRun();
    void Notice(std::string text) { contents_.notices.push_back({lineNumber_, std::move(text)}); }
    LoggedRun* Current() { return open_ ? &contents_.runs.back() : nullptr; }

    DataLogContents contents_;
    size_t lineNumber_ = 0;
    bool ended_ = true;        // the current line had its line end
    bool open_ = false;        // the last run takes records and blocks
    bool wantHeader_ = false;  // a start line came, its header not yet
    double dayOffset_ = 0;     // whole days added to the run time
    std::vector<double> values_;
};

// The log in a text.
DataLogContents ReadDataLogText(std::string_view text);
// The log in a file, read in pieces; throws ZelvoError when it cannot be read.
DataLogContents ReadDataLogFile(const std::string& path);

// A line's number as the log writes it, also with a decimal comma; nullopt for
// any other text.
std::optional<double> LogNumber(std::string_view text);

}  // namespace zelvo::report
