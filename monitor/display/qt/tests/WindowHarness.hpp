// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Drives the main window as an operator would: a scripted desktop (message
// answers, manual clocks and timers, an in-memory per-user store), a scripted
// file dialog, the simulated sensors of libvdlink-sim.so and a scratch
// application folder. When ZELVO_SCREENSHOT_DIR names a folder, Shot saves the
// window there.

#include <QApplication>
#include <QDir>
#include <QTest>
#include <memory>

#include "../../../config/tests/ScratchFolder.hpp"
#include "AppInfo.hpp"
#include "FakeDesktop.hpp"
#include "ScriptedChooser.hpp"
#include "SetupFile.hpp"
#include "SimControl.hpp"
#include "ZelvoSensors.hpp"
#include "cErrHandler.hpp"
#include "frmMain.hpp"
#include "modUSB.hpp"

namespace zelvo::testing {

class WindowHarness {
  public:
    explicit WindowHarness(const std::string& simConfig = "devices=2;seed=7") {
        AppInfo app;
        app.folder = folder.Folder();
        SetAppInfo(app);
        ErrHandler().Destination(folder.Path("ERRORS.TXT"));
        QDir().mkpath(QString::fromStdString(folder.Path("run")));
        QFile::setPermissions(
            QString::fromStdString(folder.Path("run")),
            QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(folder.Path("run")));
        // The program works in its application folder, where bare log names land.
        QDir::setCurrent(QString::fromStdString(folder.Folder()));
        sim.Configure(simConfig);
        sim.SetTime(0);
        SetBridgeLibraryName(SimControl::LibraryPath());
        // The walk-throughs start from a setup file the user named and that is
        // missing: "Not Found." and the oldest layout's defaults, whose serial
        // number "0" leads to the discovery questions.
        desktop.SaveSetting(GetAppInfo().title, kSetupFileSection, kSetupFileKey, "lab.cfg");
    }
    ~WindowHarness() { Close(); }

    // Builds and loads the window; false when the load refused to go on.
    bool Load() {
        sensors = std::make_unique<ZelvoSensors>();
        window = std::make_unique<qt::frmMain>(*sensors);
        return window->Load();
    }
    // The first clock tick: shows the window and runs discovery with the answers
    // queued before it.
    void FirstTick() {
        Tick();
        QApplication::setActiveWindow(window.get());
        Settle();
    }
    void Tick() { static_cast<ManualTimer&>(window->tmrDate().Inner()).Fire(); }
    // A quarter second passes on every clock, then the sweep timer fires.
    void Sweep(int times = 1) {
        for (int i = 0; i < times; ++i) {
            desktop.AdvanceMs(250);
            sim.AdvanceTime(0.25);
            static_cast<ManualTimer&>(window->tmrRun().Inner()).Fire();
        }
    }
    // Loaded, shown and discovered with every question answered Yes.
    void StartUp() {
        QVERIFY(Load());
        FirstTick();
    }
    void Close() {
        if (window && !window->Unloaded()) window->close();
        window.reset();
        sensors.reset();
    }
    // Runs what the window left for later (deferred checks, reopened editors).
    void Settle() {
        for (int i = 0; i < 3; ++i) {
            QCoreApplication::sendPostedEvents();
            QCoreApplication::processEvents();
        }
    }

    qt::frmMain& W() { return *window; }
    MainState& State() { return window->State(); }
    QString Cell(int row, int column) const { return window->grdRdgs->Text(row, column); }
    std::vector<std::string> MessageTexts() const {
        std::vector<std::string> texts;
        for (const auto& m : desktop.Messages()) texts.push_back(m.text);
        return texts;
    }
    std::string LastMessage() const {
        return desktop.Messages().empty() ? "" : desktop.Messages().back().text;
    }
    // Saves the window (or another one, such as the about box) as NAME.png.
    void Shot(const QString& name, QWidget* shown = nullptr) {
        const QByteArray dir = qgetenv("ZELVO_SCREENSHOT_DIR");
        if (dir.isEmpty()) return;
        QDir().mkpath(QString::fromLocal8Bit(dir));
        QWidget* widget = shown != nullptr ? shown : window.get();
        widget->grab().save(QDir(QString::fromLocal8Bit(dir)).filePath(name + ".png"));
    }

    FakeDesktop desktop;
    ScratchFolder folder{"window"};
    SimControl sim;
    ScriptedChooser chooser;
    std::unique_ptr<ZelvoSensors> sensors;
    std::unique_ptr<qt::frmMain> window;
};

}  // namespace zelvo::testing
