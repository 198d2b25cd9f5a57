// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ConsoleList.hpp"

#include <string>
#include <vector>

#include "ConsoleViews.hpp"
#include "MonitorTexts.hpp"
#include "Settings.hpp"
#include "SetupFile.hpp"
#include "Strings.hpp"
#include "TextFile.hpp"
#include "Windows1252.hpp"
#include "cZelvo.hpp"

namespace zelvo::cli {
namespace {

// "channel N (name)" of the channel assigned this serial number, "-" for none.
std::string ChannelOf(const MainState& state, const std::string& serial) {
    for (size_t ch = 0; ch < kChannelCount; ++ch) {
        if (EqualsNoCase(state.ChannelSerial[ch], serial)) {
            return "channel " + std::to_string(ch + 1) + " (" + AsUtf8(state.ChannelName[ch]) + ")";
        }
    }
    return "-";
}

bool Listed(const std::vector<ListedZelvo>& sensors, const std::string& serial) {
    for (const ListedZelvo& sensor : sensors) {
        if (EqualsNoCase(sensor.serial, serial)) return true;
    }
    return false;
}

}  // namespace

int ListSensors(std::ostream& out, std::ostream& err) {
    MainState state;
    const std::string setup = StoredSetupFile().empty() ? kDefaultSetupFile : StoredSetupFile();
    if (FileExists(SetupFilePath(setup))) {
        ConsoleWindow window;
        IniRead(state, window, setup);
    } else {
        err << "zelvomon-cli: no setup file " << setup << " yet: no channel is assigned\n";
    }
    cZelvo manager;
    const std::vector<ListedZelvo> sensors = manager.ListZelvos();
    if (sensors.empty()) err << texts::kNoZelvos << "\n";
    out << "serial\tproduct\tport\tchannel\n";
    for (const ListedZelvo& sensor : sensors) {
        out << sensor.serial << "\t" << sensor.productId << "\t"
            << (sensor.port.empty() ? "-" : sensor.port) << "\t" << ChannelOf(state, sensor.serial)
            << "\n";
    }
    // The displayed channels waiting for their sensor; the others take no part in a run.
    for (size_t ch = 0; ch < kChannelCount && static_cast<int>(ch) <= state.ShowLast; ++ch) {
        const std::string& serial = state.ChannelSerial[ch];
        if (serial.empty() || Listed(sensors, serial)) continue;
        out << AsUtf8(serial) << "\t-\t-\tchannel " << ch + 1 << " ("
            << AsUtf8(state.ChannelName[ch]) << "): not found\n";
    }
    int status = 0;
    for (const SkippedPort& port : manager.SkippedPorts()) {
        err << "zelvomon-cli: " << port.port
            << (port.serial.empty() ? "" : " (" + port.serial + ")") << ": " << port.reason << "\n";
        if (PortInUse(port)) status = 1;
    }
    return status;
}

}  // namespace zelvo::cli
