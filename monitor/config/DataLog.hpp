// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The data log of the main window: the file of each run, its start, stop and
// record lines, and the log's option and button handlers. Lines go to the run's
// file one open-append-close at a time (DataLogWriter). Lines a write failure cost
// are counted and said, with the times between which they were lost, when a line is
// written again, at the stop line, or before the next run's file is chosen.

#include <cstdint>
#include <string>

#include "DataLogWriter.hpp"
#include "MainState.hpp"
#include "MainView.hpp"

namespace zelvo {

// For the log file's save dialog: the default extension is the last three
// characters of a LogFile that ends in "." and three characters, else "LOG".
std::string LogDialogDefaultExt(const std::string& logFile);
// The LogFile stored for a chosen path: the bare name for a file in the
// application folder, else the full path.
std::string LogFileForChoice(const std::string& chosenPath);

class DataLog : public IDataLog {
  public:
    explicit DataLog(MainState& state) : state_(state) {}

    // LogPath by LogType for the run number just advanced; Overwrite deletes the
    // file (also while the log is off). A file that is not a data log of this
    // program is left untouched and the run goes unlogged (DataLogWriter::Admit).
    void ChooseLogPath() override;
    // The start line and the column header.
    void StartLog() override;
    // The stop line.
    void StopLog() override;
    // One record line: elapsed run time, then each displayed channel's filtered
    // rate, thickness and frequency, or the filler when its reading failed.
    void LogRecord() override;

    // Log switch: sets LogEnabled and, during a run, opens a block (on) or
    // closes it (off). Ignored while the window starts up.
    void optLog_Click(int index);
    // Log type for the next Start. Ignored while the window starts up.
    void optLogType_Click(int index);
    // Opens LogFile (not the numbered file of the run) in its associated program.
    bool cmdView_Click();

    // True while a write failure has been shown and no line succeeded since.
    bool FailureShown() const { return writer_.FailureShown(); }

  private:
    // Lines a write failure cost, since the last time they were said.
    struct LostLines {
        std::string path;
        int64_t count = 0;
        std::string first;  // time of day of the first and the last lost line
        std::string last;
    };

    // Writes one line to the run's file; a line that could not be written is counted.
    void WriteLine(const std::string& line);
    // Tells the operator how many lines were lost, and when, once per stretch of losses.
    void SayLostLines();
    std::string DateText() const;
    std::string TimeText() const;

    MainState& state_;
    DataLogWriter writer_;
    LostLines lost_;
};

}  // namespace zelvo
