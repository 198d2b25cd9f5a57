// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "SimConfig.hpp"

#include <cctype>
#include <charconv>
#include <cstdlib>
#include <map>
#include <string_view>

namespace vdsim {
namespace {

std::string Trim(const std::string& text) {
    size_t begin = text.find_first_not_of(" \t\r\n");
    if (begin == std::string::npos) return "";
    size_t end = text.find_last_not_of(" \t\r\n");
    return text.substr(begin, end - begin + 1);
}

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

bool ToInteger(const std::string& text, int64_t& value) {
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && ptr == end && !text.empty();
}

// A decimal number with "." as the point whatever the process's locale.
bool ToDouble(const std::string& text, double& value) {
    std::string_view digits(text);
    if (!digits.empty() && digits.front() == '+') digits.remove_prefix(1);
    if (digits.empty()) return false;
    const char* end = digits.data() + digits.size();
    auto [ptr, ec] = std::from_chars(digits.data(), end, value);
    return ec == std::errc() && ptr == end && value == value && value < 1e300 && value > -1e300;
}

// "%HH" escapes a byte; "%%" is a percent sign.
bool Unescape(const std::string& text, std::string& out) {
    out.clear();
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            out += text[i];
        } else if (i + 1 < text.size() && text[i + 1] == '%') {
            out += '%';
            ++i;
        } else {
            if (i + 2 >= text.size() || !std::isxdigit(static_cast<unsigned char>(text[i + 1])) ||
                !std::isxdigit(static_cast<unsigned char>(text[i + 2]))) {
                return false;
            }
            out += static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16));
            i += 2;
        }
    }
    return true;
}

const std::map<std::string, Fault>& FaultNames() {
    static const std::map<std::string, Fault> names = {{"none", Fault::None},
                                                       {"open", Fault::OpenFails},
                                                       {"baud", Fault::BaudFails},
                                                       {"noreply", Fault::NoReply},
                                                       {"nul", Fault::NulOnly},
                                                       {"lower", Fault::LowerEcho},
                                                       {"minus1", Fault::Minus1},
                                                       {"minus2", Fault::Minus2},
                                                       {"zero", Fault::Zero},
                                                       {"letters", Fault::Letters},
                                                       {"noecho", Fault::NoEcho},
                                                       {"split", Fault::Split},
                                                       {"badb", Fault::BadGateCycles},
                                                       {"badc", Fault::BadGateTime},
                                                       {"unplug", Fault::Unplug},
                                                       {"vanish", Fault::Vanish},
                                                       {"slow", Fault::Slow},
                                                       {"replug", Fault::Replug},
                                                       {"hop", Fault::Hop},
                                                       {"erratic", Fault::Erratic},
                                                       {"wear", Fault::Wear}};
    return names;
}

// The faults that disturb the crystal rather than the link: hop:T:HZ, erratic:T:PCT, wear:PCT.
bool SetCrystalFault(const std::string& argument, SensorConfig& sensor, std::string& message) {
    if (sensor.fault == Fault::Wear) {
        double life = 0;
        if (!ToDouble(argument, life) || life < 0 || life > 100) {
            message = "fault \"wear\" needs the crystal's life left in %, 0 to 100, e.g. wear:8";
            return false;
        }
        sensor.startFrequency = kLifeEndHz + (kLifeFullHz - kLifeEndHz) * life / 100;
        return true;
    }
    const bool hop = sensor.fault == Fault::Hop;
    const size_t split = argument.find(':');
    const bool timed = split != std::string::npos &&
                       ToDouble(argument.substr(0, split), sensor.faultAt) && sensor.faultAt >= 0 &&
                       ToDouble(argument.substr(split + 1), sensor.faultAmount);
    if (!timed ||
        (hop ? sensor.faultAmount == 0 : sensor.faultAmount <= 0 || sensor.faultAmount > 100)) {
        message = hop ? "fault \"hop\" needs a time in s and a jump in Hz, e.g. hop:5:120"
                      : "fault \"erratic\" needs a time in s and a variation in % (above 0 up to "
                        "100), e.g. erratic:5:40";
        return false;
    }
    return true;
}

bool SetFault(const std::string& value, SensorConfig& sensor, std::string& message) {
    std::string name = Lower(value);
    std::string argument;
    size_t colon = name.find(':');
    if (colon != std::string::npos) {
        argument = name.substr(colon + 1);
        name = name.substr(0, colon);
    }
    auto it = FaultNames().find(name);
    if (it == FaultNames().end()) {
        message = "unknown fault \"" + value + "\"";
        return false;
    }
    sensor.fault = it->second;
    if (sensor.fault == Fault::Hop || sensor.fault == Fault::Erratic || sensor.fault == Fault::Wear)
        return SetCrystalFault(argument, sensor, message);
    if (sensor.fault == Fault::Unplug || sensor.fault == Fault::Vanish) {
        if (!ToInteger(argument, sensor.faultCount) || sensor.faultCount < 0) {
            message = "fault \"" + name + "\" needs a count of exchanges, e.g. " + name + ":5";
            return false;
        }
    } else if (sensor.fault == Fault::Replug) {
        const size_t split = argument.find(':');
        if (split == std::string::npos ||
            !ToInteger(argument.substr(0, split), sensor.faultCount) || sensor.faultCount < 0 ||
            !ToDouble(argument.substr(split + 1), sensor.replugSeconds) ||
            sensor.replugSeconds <= 0) {
            message = "fault \"replug\" needs a count of exchanges and seconds, e.g. replug:5:2";
            return false;
        }
    } else if (sensor.fault == Fault::Slow) {
        if (argument.empty()) {
            sensor.delayMs = 150.0;
        } else if (!ToDouble(argument, sensor.delayMs) || sensor.delayMs < 0) {
            message = "fault \"slow\" takes a delay in ms, e.g. slow:150";
            return false;
        }
    } else if (sensor.fault == Fault::Split) {
        sensor.splitMs = 0.0;
        if (!argument.empty() && (!ToDouble(argument, sensor.splitMs) || sensor.splitMs <= 0)) {
            message = "fault \"split\" takes a pause in ms above 0, e.g. split:2";
            return false;
        }
    } else if (!argument.empty()) {
        message = "fault \"" + name + "\" takes no argument";
        return false;
    }
    return true;
}

// Sets one sensor key; false with a message for an unknown key or a bad value.
bool SetSensorKey(const std::string& key, const std::string& value, SensorConfig& sensor,
                  std::string& message) {
    double number = 0;
    auto needNumber = [&](double low, double high) {
        if (!ToDouble(value, number) || number < low || number > high) {
            message = "\"" + key + "\" needs a number from " + std::to_string(low) + " to " +
                      std::to_string(high) + ", not \"" + value + "\"";
            return false;
        }
        return true;
    };
    if (key == "pid") {
        if (value.empty() || value.size() > 255) {
            message = "\"pid\" needs a text of 1 to 255 characters";
            return false;
        }
        sensor.productId = value;
    } else if (key == "serial") {
        if (value.size() > 255) {
            message = "\"serial\" is longer than 255 characters";
            return false;
        }
        sensor.serial = value;
    } else if (key == "revision") {
        sensor.revision = value;
    } else if (key == "freq") {
        if (!needNumber(1.0, 1e9)) return false;
        sensor.startFrequency = number;
    } else if (key == "rate") {
        if (!needNumber(-1e6, 1e6)) return false;
        sensor.depositRate = number;
    } else if (key == "density") {
        if (!needNumber(0.01, 100.0)) return false;
        sensor.density = number;
    } else if (key == "noise") {
        if (!needNumber(0.0, 1e6)) return false;
        sensor.noise = number;
    } else if (key == "fault") {
        return SetFault(value, sensor, message);
    } else if (key == "reply") {
        if (!Unescape(value, sensor.reply)) {
            message = "bad %-escape in \"reply\"";
            return false;
        }
        sensor.hasReply = true;
    } else {
        message = "unknown key \"" + key + "\"";
        return false;
    }
    return true;
}

}  // namespace

namespace {

using Items = std::vector<std::pair<std::string, std::string>>;

bool IsSensorKey(const std::string& key) {
    return !key.empty() && key[0] == 'd' && key.find('.') != std::string::npos;
}

// The key=value items of a configuration text, keys in lower case.
bool SplitItems(const std::string& text, Items& items, std::string& message) {
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find(';', start);
        if (end == std::string::npos) end = text.size();
        std::string item = Trim(text.substr(start, end - start));
        start = end + 1;
        if (item.empty()) continue;
        size_t eq = item.find('=');
        if (eq == std::string::npos) {
            message = "\"" + item + "\" is not key=value";
            return false;
        }
        items.emplace_back(Lower(Trim(item.substr(0, eq))), Trim(item.substr(eq + 1)));
    }
    return true;
}

// Bus keys and the defaults of every sensor.
bool SetBusKeys(const Items& items, BusConfig& result, SensorConfig& defaults,
                std::string& message) {
    for (const auto& [key, value] : items) {
        if (IsSensorKey(key)) continue;
        int64_t number = 0;
        if (key == "devices") {
            if (!ToInteger(value, number) || number < 0 || number > kMaxSimDevices) {
                message =
                    "\"devices\" needs a whole number from 0 to " + std::to_string(kMaxSimDevices);
                return false;
            }
            result.devices = static_cast<int>(number);
        } else if (key == "seed") {
            uint64_t seed = 0;
            const char* end = value.data() + value.size();
            auto [ptr, ec] = std::from_chars(value.data(), end, seed);
            if (ec != std::errc() || ptr != end || value.empty()) {
                message = "\"seed\" needs a whole number";
                return false;
            }
            result.seed = seed;
        } else if (key == "serial") {
            message = "\"serial\" belongs to one sensor: write dN.serial=...";
            return false;
        } else if (!SetSensorKey(key, value, defaults, message)) {
            return false;
        }
    }
    return true;
}

// The dN.key items over the sensors' defaults.
bool SetPerSensorKeys(const Items& items, BusConfig& result, std::string& message) {
    for (const auto& [key, value] : items) {
        if (!IsSensorKey(key)) continue;
        size_t dot = key.find('.');
        int64_t index = 0;
        if (!ToInteger(key.substr(1, dot - 1), index)) {
            message = "\"" + key + "\": a sensor key is dN.key with N the bus index";
            return false;
        }
        if (index < 0 || index >= result.devices) {
            message = "\"" + key + "\": there is no device " + std::to_string(index) +
                      " (devices=" + std::to_string(result.devices) + ")";
            return false;
        }
        if (!SetSensorKey(key.substr(dot + 1), value, result.sensors[static_cast<size_t>(index)],
                          message)) {
            return false;
        }
    }
    return true;
}

}  // namespace

bool ParseBusConfig(const std::string& text, BusConfig& config, std::string& message) {
    BusConfig result;
    SensorConfig defaults;
    Items items;
    // Bus keys and sensor defaults first, then the per-sensor keys over them.
    if (!SplitItems(text, items, message) || !SetBusKeys(items, result, defaults, message)) {
        return false;
    }
    result.sensors.assign(static_cast<size_t>(result.devices), defaults);
    for (int i = 0; i < result.devices; ++i) {
        std::string number = std::to_string(i + 1);
        result.sensors[static_cast<size_t>(i)].serial =
            "ZS" + std::string(4 - std::min<size_t>(4, number.size()), '0') + number;
    }
    if (!SetPerSensorKeys(items, result, message)) return false;
    config = std::move(result);
    return true;
}

}  // namespace vdsim
