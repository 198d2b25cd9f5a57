// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The calls the main window makes of the sensor manager. Every per-sensor call
// returns a sensor status code (SensorStatus.hpp).

#include <cstdint>
#include <string>
#include <vector>

#include "SensorStatus.hpp"

namespace zelvo {

// A port discovery left out, and why: kPortInUse (followed by the holding
// program's name and PID where known), or the bridge library's
// "not a terminal", "missing" or "duplicate" (a ZELVO_PORTS entry) or
// "no permission to open it ..." (a port this user may not open).
struct SkippedPort {
    std::string port;    // the port's path; empty when the library does not say
    std::string serial;  // the sensor's serial number; empty when unknown
    std::string reason;
    bool operator==(const SkippedPort&) const = default;
};
inline constexpr const char* kPortInUse = "in use by another program";
// Whether discovery left the port out as in use (its reason may name the program
// that holds it).
inline bool PortInUse(const SkippedPort& port) {
    return port.reason.rfind(kPortInUse, 0) == 0;
}

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
    // Opens again the sensor of this serial number after it left the bus, keeping its
    // record; NotFound while it is still gone, Busy while an exchange waits.
    virtual int Reconnect(const std::string& serial) {
        (void)serial;
        return ZelvoStatus::NotFound;
    }
    // The manager's own polling timer interval in ms; 0 stops it.
    virtual void ReadingTimer(int32_t milliseconds) = 0;
    // Closes every sensor and restores the timer resolution; later calls answer
    // ZelvoStatus::NotFound.
    virtual void Release() = 0;
    // True while an exchange waits for its reply and lets events run. Whatever would
    // close, reopen or renumber the sensors (discovery, another setup, shutdown) must
    // not run then. A manager without such a wait is never busy.
    virtual bool ExchangeInProgress() const { return false; }
    // The ports the last discovery skipped.
    virtual std::vector<SkippedPort> SkippedPorts() const { return {}; }
};

}  // namespace zelvo
