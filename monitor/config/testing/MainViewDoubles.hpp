// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Recording doubles of the main window's interfaces for tests of the monitor core.

#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "ConsoleDesktop.hpp"
#include "MainView.hpp"

namespace zelvo::testing {

class RecordingReadings : public IReadingsGrid {
  public:
    void SetCellText(int row, int column, const std::string& text) override {
        cells[{row, column}] = text;
    }
    void SetRowHeaderText(int row, const std::string& text) override { rowHeaders[row] = text; }
    std::string Cell(int row, int column) const {
        auto it = cells.find({row, column});
        return it == cells.end() ? "<unset>" : it->second;
    }
    std::map<std::pair<int, int>, std::string> cells;
    std::map<int, std::string> rowHeaders;
};

class RecordingAssignment : public IAssignmentGrid {
  public:
    void SetCellText(int row, int column, const std::string& text) override {
        cells[{row, column}] = text;
    }
    std::string CellText(int row, int column) const override {
        auto it = cells.find({row, column});
        return it == cells.end() ? "" : it->second;
    }
    void SetStrikeThrough(int row, int column, bool on) override { struck[{row, column}] = on; }
    std::map<std::pair<int, int>, std::string> cells;
    std::map<std::pair<int, int>, bool> struck;
};

class RecordingRunBar : public IRunBar {
  public:
    void SetButtonCaption(int index, const std::string& caption) override {
        caption_[index] = caption;
    }
    void SetButtonBackColor(int index, Rgb color) override { color_[index] = color; }
    void SetButtonVisible(int index, bool visible) override { visible_[index] = visible; }
    void FocusButton(int index) override { focused = index; }
    void SetRunNumberText(const std::string& text) override { runNumber = text; }
    void SetRunTimeText(const std::string& text) override { runTime = text; }
    void SetClockText(const std::string& dateText, const std::string& timeText) override {
        date = dateText;
        time = timeText;
    }
    std::string caption_[2];
    Rgb color_[2];
    bool visible_[2] = {false, false};
    int focused = -1;
    std::string runNumber, runTime = "00:00:00", date, time;
};

class RecordingChart : public IChart {
  public:
    void GraphInit() override { ++inits; }
    void GraphReading() override { ++readings; }
    void SetSeriesLabel(int channel, const std::string& name) override { labels[channel] = name; }
    int inits = 0;
    int readings = 0;
    std::map<int, std::string> labels;
};

// Records the calls in order; writes nothing.
class RecordingDataLog : public IDataLog {
  public:
    void ChooseLogPath() override { calls.push_back("ChooseLogPath"); }
    void StartLog() override { calls.push_back("StartLog"); }
    void StopLog() override { calls.push_back("StopLog"); }
    void LogRecord() override { calls.push_back("LogRecord"); }
    std::vector<std::string> calls;
};

class RecordingWindow : public IMainWindow {
  public:
    void SetCaption(const std::string& text) override { caption = text; }
    void ApplyView(int16_t v) override { views.push_back(v); }
    bool AnotherInstanceRunning() override { return otherInstance; }
    void EndProgram() override { steps.push_back("EndProgram"); }
    void CreatePageSetup() override { steps.push_back("CreatePageSetup"); }
    void FormOnTop(bool on) override { steps.push_back(on ? "FormOnTop(1)" : "FormOnTop(0)"); }
    void FormInit() override { steps.push_back("FormInit"); }
    void FormSize() override { steps.push_back("FormSize"); }
    void LoadChartFiles() override { steps.push_back("LoadChartFiles"); }
    void LoadData() override { steps.push_back("LoadData"); }
    void ApplyColourDepthRule() override { steps.push_back("ApplyColourDepthRule"); }
    void Show() override { steps.push_back("Show"); }
    void SetResizerEnabled(bool enabled) override {
        steps.push_back(enabled ? "Resizer(on)" : "Resizer(off)");
    }
    void RestorePosition() override { steps.push_back("RestorePosition"); }
    void SavePosition() override { steps.push_back("SavePosition"); }
    std::string caption;
    std::vector<int16_t> views;
    std::vector<std::string> steps;
    bool otherInstance = false;
};

// A sensor manager whose answers the test scripts per serial number.
class ScriptedSensors : public ISensorManager {
  public:
    struct Answer {
        int status = 0;
        ReadingResult result{};
    };
    int FindZelvos(DiscoveryList& serials) override {
        ++findCalls;
        serials = found;
        int count = 0;
        for (const std::string& s : found) count += s.empty() ? 0 : 1;
        return count;
    }
    int GetReading(const std::string& serial, ReadingResult& result) override {
        readOrder.push_back(serial);
        auto it = readings.find(serial);
        if (it == readings.end()) return 7;
        result = it->second.result;
        return it->second.status;
    }
    int Period(const std::string& serial, double seconds) override {
        calls.push_back("Period " + serial + " " + std::to_string(seconds));
        return Status(periodStatus, serial);
    }
    int Material(const std::string& serial, double, double, double) override {
        calls.push_back("Material " + serial);
        return Status(materialStatus, serial);
    }
    int InitFreq(double, double, double) override {
        calls.push_back("InitFreq");
        return initFreqStatus;
    }
    int Zero(const std::string& serial) override {
        calls.push_back("Zero " + serial);
        return Status(zeroStatus, serial);
    }
    int ZeroAll() override {
        calls.push_back("ZeroAll");
        return 0;
    }
    void ReadingTimer(int32_t ms) override {
        calls.push_back("ReadingTimer " + std::to_string(ms));
    }
    void Release() override { calls.push_back("Release"); }
    bool ExchangeInProgress() const override { return exchanging; }
    std::vector<SkippedPort> SkippedPorts() const override { return skipped; }

    DiscoveryList found{};
    std::vector<SkippedPort> skipped;  // the ports discovery is to have skipped
    std::map<std::string, Answer> readings;
    std::map<std::string, int> periodStatus, materialStatus, zeroStatus;
    int initFreqStatus = 0;
    bool exchanging = false;  // an exchange waits for its reply
    int findCalls = 0;
    std::vector<std::string> calls;
    std::vector<std::string> readOrder;

  private:
    static int Status(const std::map<std::string, int>& table, const std::string& serial) {
        auto it = table.find(serial);
        return it == table.end() ? 0 : it->second;
    }
};

// One monitor's worth of doubles around a state, with the sensor manager given.
struct MainHarness {
    explicit MainHarness(ISensorManager& sensors)
        : ctx{state, sensors, MainViews{window, readings, assignment, runBar, chart, dataLog},
              tmrRun, tmrDate} {}
    MainState state;
    RecordingWindow window;
    RecordingReadings readings;
    RecordingAssignment assignment;
    RecordingRunBar runBar;
    RecordingChart chart;
    RecordingDataLog dataLog;
    ManualTimer tmrRun;
    ManualTimer tmrDate;
    MainContext ctx;
};

}  // namespace zelvo::testing
