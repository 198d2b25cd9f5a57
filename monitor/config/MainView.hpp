// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the monitor's procedures need of the main window, the sensor manager and
// the data log, as narrow interfaces. The desktop layer implements the window
// parts, tests implement them with doubles; MainContext ties one program's worth
// of them together with the state and the two window timers.

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "Desktop.hpp"
#include "ISensorManager.hpp"
#include "MainState.hpp"

namespace zelvo {

struct Rgb {
    uint8_t r = 0;
    uint8_t g = 0;
    uint8_t b = 0;
    bool operator==(const Rgb&) const = default;
};

// ---- Window parts ----

// Readings grid grdRdgs: row n is channel n; columns 0 rate, 1 thickness,
// 2 zero button, 3 frequency, 4 life.
class IReadingsGrid {
  public:
    virtual ~IReadingsGrid() = default;
    virtual void SetCellText(int row, int column, const std::string& text) = 0;
    virtual void SetRowHeaderText(int row, const std::string& text) = 0;
};

// Assignment grid grdSN: 8 rows; columns 0 channel name, 1 serial number.
class IAssignmentGrid {
  public:
    virtual ~IAssignmentGrid() = default;
    virtual void SetCellText(int row, int column, const std::string& text) = 0;
    virtual std::string CellText(int row, int column) const = 0;
    virtual void SetStrikeThrough(int row, int column, bool on) = 0;
};

// The run bar: cmdFSwitch buttons 0 (start/stop) and 1 (pause/resume), the
// run-number box txtRun, the elapsed time lblTime and the clock labels.
class IRunBar {
  public:
    virtual ~IRunBar() = default;
    virtual void SetButtonCaption(int index, const std::string& caption) = 0;
    virtual void SetButtonBackColor(int index, Rgb color) = 0;
    virtual void SetButtonVisible(int index, bool visible) = 0;
    virtual void FocusButton(int index) = 0;
    virtual void SetRunNumberText(const std::string& text) = 0;
    virtual void SetRunTimeText(const std::string& text) = 0;
    // lblDateTime (the date) and lblDate (the time of day).
    virtual void SetClockText(const std::string& dateText, const std::string& timeText) = 0;
};

// The three strip charts.
class IChart {
  public:
    virtual ~IChart() = default;
    // Starts a new chart run.
    virtual void GraphInit() = 0;
    // Offers the current channel values to the three charts.
    virtual void GraphReading() = 0;
    // The channel's series label in each of the three charts.
    virtual void SetSeriesLabel(int channel, const std::string& name) = 0;
};

// The data log of the current run.
class IDataLog {
  public:
    virtual ~IDataLog() = default;
    // At Start, after the run number advanced: chooses LogPath by LogType and
    // LogFile (deleting the file first for Overwrite).
    virtual void ChooseLogPath() = 0;
    virtual void StartLog() = 0;   // start line and column header
    virtual void StopLog() = 0;    // stop line
    virtual void LogRecord() = 0;  // one record line after a sweep
};

// The window as a whole: caption, view region, layout steps and position.
class IMainWindow {
  public:
    virtual ~IMainWindow() = default;
    virtual void SetCaption(const std::string& caption) = 0;
    // Shows the lower region for view v (0 setup, 1 to 3 a chart; other values
    // show nothing new). The stored value is kept in MainState::View.
    virtual void ApplyView(int16_t v) = 0;
    // True when another instance of the program runs already.
    virtual bool AnotherInstanceRunning() = 0;
    // Ends the program at once (refused second instance).
    virtual void EndProgram() = 0;
    virtual void CreatePageSetup() = 0;
    virtual void FormOnTop(bool on) = 0;
    virtual void FormInit() = 0;
    virtual void FormSize() = 0;
    virtual void LoadChartFiles() = 0;
    virtual void LoadData() = 0;
    virtual void ApplyColourDepthRule() = 0;
    virtual void Show() = 0;
    virtual void SetResizerEnabled(bool enabled) = 0;
    // Restores the saved position (kept on screen) or centres the window.
    virtual void RestorePosition() = 0;
    virtual void SavePosition() = 0;
    // A displayed channel's sensor left the bus or came back (a line of text). The
    // window's rows already show it; a console says it.
    virtual void SensorNotice(const std::string& text) { (void)text; }
};

struct MainViews {
    IMainWindow& window;
    IReadingsGrid& readings;
    IAssignmentGrid& assignment;
    IRunBar& runBar;
    IChart& chart;
    IDataLog& dataLog;
};

// One program's worth of monitor: state, sensor manager, window parts and the
// sweep timer tmrRun and clock timer tmrDate.
struct MainContext {
    MainState& state;
    ISensorManager& sensors;
    MainViews views;
    ITimer& tmrRun;
    ITimer& tmrDate;
};

// Sets the window's View property: stores v and shows its region.
inline void SetView(MainState& state, IMainWindow& window, int16_t v) {
    state.View = v;
    window.ApplyView(v);
}

// Sends the stored period to the sensor of every present channel. Returns the status of
// the last one, or nothing when no channel is present. A sensor that refuses it shows
// that in its row texts at the next sweep.
inline std::optional<int32_t> SendPeriodToPresent(const MainState& state, ISensorManager& sensors) {
    std::optional<int32_t> last;
    for (size_t ch = 0; ch < kChannelCount; ++ch) {
        if (state.ChannelPresent[ch]) last = sensors.Period(state.ChannelSerial[ch], state.Period);
    }
    return last;
}

}  // namespace zelvo
