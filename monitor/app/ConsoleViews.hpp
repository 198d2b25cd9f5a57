// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window's parts for a console: the grids keep their cell texts so that
// each sweep can be printed; window operations that only concern a visible
// window (layout, position, resizer, charts) have nothing to act on.

#include <array>
#include <string>

#include "ConsoleDesktop.hpp"
#include "DataLog.hpp"
#include "FolderLock.hpp"
#include "MainState.hpp"
#include "MainView.hpp"
#include "ZelvoSensors.hpp"

namespace zelvo::cli {

class ConsoleReadings : public IReadingsGrid {
  public:
    void SetCellText(int row, int column, const std::string& text) override;
    void SetRowHeaderText(int row, const std::string& text) override;
    std::string Cell(int row, int column) const;

  private:
    std::array<std::array<std::string, 5>, kChannelCount> cells_{};
};

class ConsoleAssignment : public IAssignmentGrid {
  public:
    void SetCellText(int row, int column, const std::string& text) override;
    std::string CellText(int row, int column) const override;
    void SetStrikeThrough(int, int, bool) override {}

  private:
    std::array<std::array<std::string, 2>, kChannelCount> cells_{};
};

// Run bar: the run number and run time are echoed to standard error.
class ConsoleRunBar : public IRunBar {
  public:
    void SetButtonCaption(int, const std::string&) override {}
    void SetButtonBackColor(int, Rgb) override {}
    void SetButtonVisible(int, bool) override {}
    void FocusButton(int) override {}
    void SetRunNumberText(const std::string& text) override;
    void SetRunTimeText(const std::string& text) override { runTime = text; }
    void SetClockText(const std::string&, const std::string&) override {}
    std::string runTime = "00:00:00";
};

// No charts on a console.
class ConsoleChart : public IChart {
  public:
    void GraphInit() override {}
    void GraphReading() override {}
    void SetSeriesLabel(int, const std::string&) override {}
};

class ConsoleWindow : public IMainWindow {
  public:
    void SetCaption(const std::string& caption) override;
    void ApplyView(int16_t) override {}
    // One monitor per application folder, window or console.
    bool AnotherInstanceRunning() override;
    void EndProgram() override { ended = true; }
    void CreatePageSetup() override {}
    void FormOnTop(bool) override {}
    void FormInit() override {}
    void FormSize() override {}
    void LoadChartFiles() override {}
    void LoadData() override {}
    void ApplyColourDepthRule() override {}
    void Show() override {}
    void SetResizerEnabled(bool) override {}
    void RestorePosition() override {}
    void SavePosition() override {}
    // On standard error, one line each.
    void SensorNotice(const std::string& text) override;
    bool ended = false;

  private:
    FolderLock lock_;
};

// One console monitor: the state, the sensors, the window's parts and the two
// window timers, tied into the context the core handlers run in. Members are
// built in the order the context needs them.
struct ConsoleMonitor {
    MainState state;
    ZelvoSensors sensors;
    ConsoleWindow window;
    ConsoleReadings readings;
    ConsoleAssignment assignment;
    ConsoleRunBar runBar;
    ConsoleChart chart;
    DataLog dataLog{state};
    ManualTimer tmrRun;
    ManualTimer tmrDate;
    MainContext ctx{state, sensors, MainViews{window, readings, assignment, runBar, chart, dataLog},
                    tmrRun, tmrDate};
};

}  // namespace zelvo::cli
