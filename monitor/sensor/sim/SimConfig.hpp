// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Configuration of the simulated bus: the ZELVO_SIM text, parsed.
//
// Text: items separated by ";", each "key=value". Keys without a prefix set the
// bus (devices, seed) or the default of every sensor; "dN.key=value" sets sensor N
// (bus index from 0) only. The README lists the keys and faults.

#include <cstdint>
#include <string>
#include <vector>

namespace vdsim {

enum class Fault {
    None,
    OpenFails,      // VD_Open fails
    BaudFails,      // VD_SetBaudRate fails
    NoReply,        // commands are taken but never answered
    NulOnly,        // every reply is NUL bytes only
    LowerEcho,      // echoes in lower case ("!a123")
    Minus1,         // reading reply "!A-1"
    Minus2,         // reading reply "!A-2"
    Zero,           // reading reply "!A0"
    Letters,        // reading reply "!AXYZ"
    NoEcho,         // replies without their two-character echo
    Split,          // every reply arrives in two pieces, the second after a pause
    BadGateCycles,  // "!B" answered with a wrong echo
    BadGateTime,    // "!C" answered with a wrong echo
    Unplug,         // gone after N exchanges: flush, write and read fail
    Vanish,         // takes command N + 1, then is gone before replying
    Slow,           // replies after a delay in ms
    Replug,         // as Unplug, then back after a number of seconds as a new device
    Hop,            // the frequency jumps by a number of Hz at a given time (a mode hop)
    Erratic,        // from a given time the rate varies by up to a percentage per reading
    Wear,           // the crystal starts with a given percentage of its life left
};

// The default crystal limits of the monitor, by which Wear's life is counted.
inline constexpr double kLifeFullHz = 6000000.0;
inline constexpr double kLifeEndHz = 5000000.0;

struct SensorConfig {
    std::string productId = "5C3E";
    std::string serial;  // default "ZS" and the bus index + 1 in four digits
    std::string revision = "1.07";
    double startFrequency = 5980000.0;  // Hz, uncoated crystal at time 0
    double depositRate = 2.0;           // A/s of deposited material
    double density = 1.0;               // g/cm3 of the deposited material
    double noise = 0.0;                 // Hz, standard deviation of the frequency noise
    Fault fault = Fault::None;
    int64_t faultCount = 0;      // exchanges before Unplug / Vanish / Replug
    double delayMs = 0.0;        // reply delay of Slow
    double splitMs = 0.0;        // pause before Split's second piece; 0: none, two reads
    double replugSeconds = 0.0;  // time off the bus of Replug
    double faultAt = 0.0;        // simulated time Hop and Erratic begin, s
    double faultAmount = 0.0;    // Hz of Hop, % of Erratic
    bool hasReply = false;       // reading replies replaced by `reply`
    std::string reply;
};

struct BusConfig {
    int devices = 4;
    uint64_t seed = 1;
    std::vector<SensorConfig> sensors;  // one per device
};

inline constexpr int kMaxSimDevices = 64;

// Noise seed of the sensor at bus index `index`: each sensor draws its own
// sequence from the bus seed, wherever the sensors are served.
inline uint64_t SensorSeed(uint64_t busSeed, size_t index) {
    return busSeed * 1000003ull + index;
}

// Parses a configuration text; on a mistake returns false with a message naming it.
bool ParseBusConfig(const std::string& text, BusConfig& config, std::string& message);

}  // namespace vdsim
