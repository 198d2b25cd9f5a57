#pragma once
// What the monitor's procedures need of the main window, the sensor manager and
// the data log, as narrow interfaces. The desktop layer implements the window
// parts, tests implement them with doubles; MainContext ties one program's worth
// of them together with the state and the two window timers.

#include <array>
#include <cstdint>
#include <string>

#include "Desktop.hpp"
#include "MainState.hpp"

namespace zelvo {

struct Rgb {
    uint8_t r = 0;
    uint8_t g = 0;
    uint8_t b = 0;
    bool operator==(const Rgb&) const = default;
};

// ---- Sensor manager ----

// Reading result: 0 rate A/s, 1 thickness kA, 2 frequency Hz (-1 outside the
// crystal limits), 3 crystal life %.
using ReadingResult = std::array<double, 4>;
// Discovery list: entry i holds the sensor of device record i + 1, "" for none.
using DiscoveryList = std::array<std::string, 32>;

// The calls the main window makes of the sensor manager. Every per-sensor call
// returns the sensor status code (0 success).
class ISensorManager {
  public:
    virtual ~ISensorManager() = default;
    // Closes and reopens every sensor; returns the number opened.
    virtual int FindZelvos(DiscoveryList& serials) = 0;
    virtual int GetReading(const std::string& serial, ReadingResult& result) = 0;
    virtual int Period(const std::string& serial, double seconds) = 0;
    virtual int Material(const std::string& serial, double density, double zRatio,
                         double tooling) = 0;
    virtual int InitFreq(double maxHz, double minHz, double initHz) = 0;
    virtual int Zero(const std::string& serial) = 0;
    virtual int ZeroAll() = 0;
    // The manager's own polling timer interval in ms; 0 stops it.
    virtual void ReadingTimer(int32_t milliseconds) = 0;
    // Closes every sensor and restores the timer resolution; later calls answer
    // status 7 (serial number not among the opened sensors).
    virtual void Release() = 0;
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

}  // namespace zelvo
