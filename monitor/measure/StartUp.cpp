// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "StartUp.hpp"

#include <string>

#include "AppInfo.hpp"
#include "FindZelvos.hpp"
#include "MonitorTexts.hpp"
#include "RunControl.hpp"
#include "Settings.hpp"
#include "SetupFile.hpp"
#include "Sweep.hpp"
#include "cErrHandler.hpp"

namespace zelvo {
namespace {

constexpr int kFirstTickMs = 100;
constexpr int kClockMs = 1000;
constexpr int kInitialSweepMs = 250;

void DeferredStartUp(MainContext& ctx) {
    ctx.tmrDate.SetEnabled(false);
    ctx.views.window.Show();
    ctx.views.window.SetResizerEnabled(true);
    ctx.views.window.RestorePosition();
    FindZelvos(ctx);
    SetRunMode(ctx, kStopped);
    ctx.tmrRun.SetEnabled(true);
    ctx.views.runBar.FocusButton(0);
    ctx.tmrDate.SetInterval(kClockMs);
    ctx.tmrDate.SetEnabled(true);
    ctx.state.StartingUp = false;
}

}  // namespace

bool Form_Load(MainContext& ctx) {
    bool keepRunning = true;
    RunProcedure(std::string(kFormName) + "_Load", [&] {
        MainState& s = ctx.state;
        IMainWindow& window = ctx.views.window;
        window.SetResizerEnabled(false);
        ctx.tmrDate.SetEnabled(false);
        ctx.tmrRun.SetEnabled(false);
        ctx.tmrRun.SetInterval(kInitialSweepMs);
        ctx.tmrRun.SetOnTick([&ctx] { tmrRun_Timer(ctx); });
        ctx.tmrDate.SetOnTick([&ctx] { tmrDate_Timer(ctx); });
        s.StartingUp = true;

        if (window.AnotherInstanceRunning()) {
            Desktop().MessageBox(texts::kOnlyOneInstance, GetAppInfo().title, MsgButtons::OK,
                                 MsgIcon::Critical);
            keepRunning = false;
            window.EndProgram();
            return;
        }
        window.CreatePageSetup();
        SetupFileAtStartUp();
        window.SetCaption(SetupFileCaption());

        IniRead(s, window, GetSetupFile());
        window.FormOnTop(s.OnTop > 0);
        window.FormInit();
        window.FormSize();
        window.LoadChartFiles();
        window.LoadData();
        window.ApplyColourDepthRule();

        ctx.tmrDate.SetInterval(kFirstTickMs);
        ctx.tmrDate.SetEnabled(true);
    });
    return keepRunning;
}

void tmrDate_Timer(MainContext& ctx) {
    RunProcedure(std::string(kFormName) + "_tmrDate_Timer", [&] {
        if (ctx.state.StartingUp) DeferredStartUp(ctx);
        RefreshClock(ctx);
    });
}

bool Form_Unload(MainContext& ctx) {
    bool saved = false;
    const bool finished = RunProcedure(std::string(kFormName) + "_Unload", [&] {
        ctx.tmrRun.SetEnabled(false);
        ctx.tmrDate.SetEnabled(false);
        ctx.views.window.SetResizerEnabled(false);
        ctx.sensors.ReadingTimer(0);
        ctx.sensors.Release();
        saved = IniWrite(ctx.state, GetSetupFile());
        ctx.views.window.SavePosition();
    });
    return finished && saved;
}

}  // namespace zelvo
