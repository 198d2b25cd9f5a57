// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window's state in one place: every setting held in the setup file, the
// channel tables, the run state and the window's own flags. The window owns one
// instance; the procedures of the monitor read and change it in place.

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "Supervision.hpp"
#include "cFilter.hpp"

namespace zelvo {

// The window's name, the first part of every procedure name it registers.
inline constexpr const char* kFormName = "frmMain";

inline constexpr int kChannelCount = 8;

// Run states (RunMode).
inline constexpr int16_t kStopped = 0;
inline constexpr int16_t kRunning = 1;
inline constexpr int16_t kPaused = 2;

// Rows of ChannelValues.
inline constexpr int kValueRate = 0;
inline constexpr int kValueThickness = 1;
inline constexpr int kValueFrequency = 2;
inline constexpr int kValueLife = 3;

// Views (View): 0 the setup panel, 1 to 3 the rate, thickness and frequency charts.
inline constexpr int16_t kSetupView = 0;

template <class T>
using ChannelTable = std::array<T, kChannelCount>;

struct MainState {
    // ---- Settings of the setup file ----
    int32_t IniVer = 0;    // layout version of the file last read
    int16_t OnTop = 0;     // window always on top, 0 or 1
    bool Locked = false;   // material parameters locked against editing
    int32_t RunNum = 1;    // run number, 1 to 9999
    int32_t ShowLast = 3;  // index 0 to 7 of the last displayed channel
    int32_t Units = 0;     // 0 thickness in kA, 1 areal mass, 2 thickness in A
    int32_t Rate = 0;      // rate resolution, 0 one decimal, 1 two decimals
    double Period = 0.25;  // measurement period, s
    double FreqMax = 6100000;
    double FreqMin = 5000000;
    double FreqInit = 6000000;

    // Charts: state file names, Y-axis limits and X-axis settings.
    std::string GraphFile = "zelvo.oc2";
    std::string GraphFileThick = "zelvo_Thick.oc2";
    std::string GraphFileFreq = "zelvo_Freq.oc2";
    int32_t YMin = 0;
    int32_t YMinThick = 0;
    int32_t YMinFreq = 5000000;
    int32_t YMax = 20;
    int32_t YMaxThick = 200;
    int32_t YMaxFreq = 6000000;
    int32_t XRange = 60;
    int32_t XUnits = 0;
    int32_t XScroll = 1;

    // Data log.
    int32_t LogEnabled = 0;             // 1 on, 0 off
    int16_t LogType = 0;                // 0 Overwrite, 1 Append, 2 Run#
    std::string LogFile = "Zelvo.log";  // file name, or full path outside the application folder

    // Readings published to an MQTT broker (a section of its own, unknown to older readers).
    // Each is the operator's text as the file holds it, whole and unconverted, so that a
    // value the publisher refuses is written back as it was (MqttSettingsCheck).
    std::string MqttEnabled = "0";  // 1 on, 0 off
    std::string MqttHost = "localhost";
    std::string MqttPort = "1883";
    std::string MqttTopic;  // topic prefix; empty: "zelvo/" and the setup file's name
    std::string MqttQos = "1";
    std::string MqttKeepAlive = "5";  // seconds
    std::string MqttUsername;
    std::string MqttPasswordFile;  // its first line is the password
    std::string MqttTls = "0";
    std::string MqttCaFile;
    std::string MqttCertFile;
    std::string MqttKeyFile;
    bool MqttPasswordInFile = false;  // the section holds a Password key (refused)

    // ---- Channel tables, index 0 to 7 ----
    ChannelTable<std::string> ChannelName{"Sensor 1", "Sensor 2", "Sensor 3", "Sensor 4",
                                          "Sensor 5", "Sensor 6", "Sensor 7", "Sensor 8"};
    ChannelTable<std::string> ChannelSerial{};  // empty for none
    ChannelTable<bool> ChannelPresent{};        // found by the last discovery
    ChannelTable<bool> ChannelValid{};          // last reading succeeded
    ChannelTable<bool> ChannelReadInSweep{};    // read successfully in the latest sweep
    ChannelTable<double> ChannelDensity{1, 1, 1, 1, 1, 1, 1, 1};                  // g/cm3
    ChannelTable<double> ChannelZFactor{1, 1, 1, 1, 1, 1, 1, 1};                  // Z factor
    ChannelTable<double> ChannelTooling{100, 100, 100, 100, 100, 100, 100, 100};  // %
    // Rate filters, created on first use (FilterOf); only their size is a setting.
    ChannelTable<std::optional<cFilter>> ChannelFilter{};
    // Supervision settings (the [Targets] section; a channel without a line has every
    // check off) and each channel's supervisor with the events of the latest sweep.
    ChannelTable<SupervisionSettings> ChannelSupervision{};
    ChannelTable<Supervisor> ChannelSupervisor{};
    // [row][channel]: row 0 rate, 1 thickness (display units), 2 frequency Hz, 3 life %.
    std::array<ChannelTable<double>, 4> ChannelValues{};

    // ---- Run state and window flags ----
    int16_t RunMode = kStopped;  // read directly; change it through SetRunMode (run control)
    int16_t View = kSetupView;   // read directly; change it through SetView (MainView.hpp)
    bool StartingUp = false;     // from window load until the first clock tick
    bool StartPending = false;   // Start pressed while an exchange waited; the sweep starts it
    bool PeriodPending = false;  // period entered while an exchange waited; the sweep sends it
    // No person answers discovery's questions (a console service): an assignment whose
    // sensor is missing is kept, never handed to another sensor.
    bool Unattended = false;
    // The sensor of a displayed channel has left (its readings answer "not found");
    // the sweep looks for it again. Time of the last search, on the millisecond clock.
    ChannelTable<bool> ChannelGone{};
    uint32_t SensorSearchMs = 0;
    uint32_t RunStartMs = 0;   // reference start of the run on the monotonic clock (RunClock)
    double PausedElapsed = 0;  // run time accumulated when paused; 0 when stopped
    std::string LogPath;       // data-log file of the current run; empty until the first Start
    bool CtrlHeld = false;     // Ctrl key held on the window
    bool ShiftHeld = false;    // Shift key held on the window
};

// The channel's rate filter, created with size 1 when it has none yet.
inline cFilter& FilterOf(MainState& state, int channel) {
    std::optional<cFilter>& slot = state.ChannelFilter.at(static_cast<size_t>(channel));
    if (!slot) slot.emplace();
    return *slot;
}

// True when channel is a valid index of the channel tables.
inline bool IsChannel(int channel) {
    return channel >= 0 && channel < kChannelCount;
}

}  // namespace zelvo
