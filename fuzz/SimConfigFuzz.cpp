// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The simulator's ZELVO_SIM parser over any text: it either refuses the text with
// a message, or gives a bus of 0 to 64 devices with one configuration each whose
// numbers are all finite and whose fault counts and delays are not negative.
#include <cmath>
#include <cstdint>
#include <string>

#include "FuzzCheck.hpp"
#include "SimConfig.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using zelvo::fuzz::Check;
    const std::string text(reinterpret_cast<const char*>(data), size);
    vdsim::BusConfig config;
    std::string message;
    if (!vdsim::ParseBusConfig(text, config, message)) {
        Check(!message.empty(), "a refused text without a message");
        return 0;
    }
    Check(config.devices >= 0 && config.devices <= vdsim::kMaxSimDevices, "device count");
    Check(config.sensors.size() == static_cast<size_t>(config.devices), "one sensor per device");
    for (const vdsim::SensorConfig& sensor : config.sensors) {
        Check(std::isfinite(sensor.startFrequency) && std::isfinite(sensor.depositRate) &&
                  std::isfinite(sensor.density) && std::isfinite(sensor.noise) &&
                  std::isfinite(sensor.delayMs),
              "a sensor number is not finite");
        Check(sensor.faultCount >= 0 && sensor.delayMs >= 0, "a negative fault count or delay");
    }
    // The same text always gives the same bus.
    vdsim::BusConfig again;
    Check(vdsim::ParseBusConfig(text, again, message) && again.devices == config.devices &&
              again.seed == config.seed,
          "a second parse differs");
    return 0;
}
