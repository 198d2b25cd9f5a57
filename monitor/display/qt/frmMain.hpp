// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// frmMain, the operator's main window: the run bar, the readings and parameter
// grids, and below them the setup panel or the chart frame, with the File, View
// and Help menus. The window binds its controls to the core's handlers and draws
// what the core tells it through the core's window interfaces.

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QPointer>
#include <QTimer>
#include <array>
#include <memory>

#include "ChartFrame.hpp"
#include "DataLog.hpp"
#include "FolderLock.hpp"
#include "Grids.hpp"
#include "GuardedTimer.hpp"
#include "MainView.hpp"
#include "MaterialMenu.hpp"
#include "PublishStatus.hpp"
#include "QtPrinting.hpp"
#include "Resizer.hpp"
#include "RunBar.hpp"
#include "SetupPanel.hpp"
#include "SupervisionView.hpp"
#include "SweepPublishing.hpp"
#include "Validation.hpp"

namespace zelvo::qt {

class frmAbout;
class ReadingsNews;

class frmMain : public QMainWindow, public IMainWindow, public IEntryBoxes {
    // Declared first: the controls below are built on them.
    MainState state_;
    ISensorManager& sensors_;
    int ticksRunning_ = 0;       // timer ticks in progress (sweep, clock, discovery)
    bool closePending_ = false;  // a close asked for during a tick
    std::unique_ptr<GuardedTimer> tmrRun_;
    std::unique_ptr<GuardedTimer> tmrDate_;
    QWidget* central_;
    Resizer* resizer_;

  public:
    explicit frmMain(ISensorManager& sensors, QWidget* parent = nullptr);
    ~frmMain() override;

    // frmMain_Load: false when the program is to end at once (second instance).
    bool Load();

    MainState& State() { return state_; }
    MainContext& Context() { return *ctx_; }
    Validation& Checks() { return *validation_; }
    Resizer& ReSize1() { return *resizer_; }
    GuardedTimer& tmrRun() { return *tmrRun_; }
    GuardedTimer& tmrDate() { return *tmrDate_; }
    bool Unloaded() const { return unloaded_; }
    frmAbout* AboutBox() const { return about_; }
    // The page setup read at load and the printers Print Screen uses.
    const cPageSetupDialog& PageSetup() const { return pageSetup_; }
    QtPrinting& Printing() { return printing_; }

    // Controls, named as the window names them.
    RunBar runBar;
    ReadingsGrid* grdRdgs;
    ParamsGrid* grdParams;
    MaterialMenu* mnuMaterial = nullptr;  // the parameter grid's row menu
    SetupPanel setup;
    ChartFrame chart;
    PublishStatus publishStatus;  // the status bar, below the layout
    SupervisionView supervision;  // supervision's events in the status bar and the rows
    QAction* mnuOpen;
    QAction* mnuSave;
    QAction* mnuSaveAs;
    QAction* mnuPrint;
    QAction* mnuExit;
    std::array<QAction*, 4> mnuView{};  // Setup, Rate, Thickness, Frequency
    QAction* mnuHelpHelp;
    QAction* mnuHelpAbout;

    // IMainWindow.
    void SetCaption(const std::string& caption) override;
    void ApplyView(int16_t v) override;
    bool AnotherInstanceRunning() override;
    void EndProgram() override;
    void CreatePageSetup() override;
    void FormOnTop(bool on) override;
    void FormInit() override;
    void FormSize() override;
    void LoadChartFiles() override;
    void LoadData() override;
    void ApplyColourDepthRule() override;
    void Show() override;
    void SetResizerEnabled(bool enabled) override;
    void RestorePosition() override;
    void SavePosition() override;

    // IEntryBoxes.
    std::string Text(EntryBox box) const override;
    void SetText(EntryBox box, const std::string& text) override;
    void Focus(EntryBox box) override;
    void Select(EntryBox box, int start, int length) override;

    void EditLocked(bool locked);
    // The box a control is, Other for any other control.
    EntryBox BoxOf(const QWidget* control) const;

    // Event handlers.
    void cboRows_Click();
    void optUnits_Click(int index);
    void chkLock_Click();
    void chkOnTop_Click();
    void mnuHelpAbout_Click();
    void mnuHelpHelp_Click();
    // File > Run Report: the report of the current data log's last run, written
    // beside the log as a PDF and opened; true when both were done.
    bool mnuRunReport_Click();
    void Form_KeyPress(int character);
    void Form_Deactivate();

  protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // FormSize for a window of the given outer size, which a window coming back
    // from maximised may not have yet.
    void FormSizeAt(QSize outer);
    // # Zelvos chosen while maximised: laid out once the window manager has given
    // the window its normal size back, then maximised again.
    void LayOutRestored();
    QLineEdit* BoxWidget(EntryBox box) const;
    void BuildMenus();
    void AddRunReportItem(QMenu* file);
    void ConnectRunBar();
    void ConnectSetup();
    void ConnectGrids();
    void WatchBoxes();
    // Tab in reading order, and Alt letters that do what they show.
    void SetKeyboardReach();
    bool PreResize(const QString& name, double size);
    void FilterKeys(QEvent* event);
    void Form_Resize();
    int WindowState() const;
    std::unique_ptr<GuardedTimer> MakeTimer();
    void AfterTick();
    // A sweep and its publishing, the window painted once for the whole sweep
    // rather than at each exchange's event processing; a long sweep paints as it goes.
    void Sweep();
    void ReleasePaint();
    void PublishSweep();

    DataLog dataLog_;
    SweepPublishing publishing_;
    cPageSetupDialog pageSetup_;
    QtPrinting printing_{this};
    std::unique_ptr<MainContext> ctx_;
    std::unique_ptr<Validation> validation_;
    std::unique_ptr<ReadingsNews> news_;
    FolderLock folderLock_;
    frmAbout* about_ = nullptr;
    bool unloaded_ = false;
    bool validating_ = false;
    bool sweeping_ = false;
    bool paintHeld_ = false;  // a paint asked for during the sweep, not done yet
    QSize restoring_;         // the maximised size, while the restored one is awaited
    QTimer* paintHold_;       // how long a sweep may hold its paint
    const QEvent* lastKey_ = nullptr;
    QPointer<QWidget> lastKeyReceiver_;
};

}  // namespace zelvo::qt
