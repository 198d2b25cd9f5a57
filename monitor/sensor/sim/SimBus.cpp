// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "SimBus.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "VdLink.h"

namespace vdsim {

SimBus::SimBus() {
    const char* text = std::getenv("ZELVO_SIM");
    std::string message;
    if (!Configure(text != nullptr ? text : "", message)) {
        std::fprintf(stderr, "libvdlink-sim: ZELVO_SIM: %s; no devices simulated\n",
                     message.c_str());
        sensors_.clear();
    }
}

bool SimBus::Configure(const std::string& text, std::string& message) {
    BusConfig config;
    if (!ParseBusConfig(text, config, message)) return false;
    sensors_.clear();
    handles_.clear();
    for (size_t i = 0; i < config.sensors.size(); ++i) {
        sensors_.emplace_back(config.sensors[i], SensorSeed(config.seed, i));
    }
    origin_ = std::chrono::steady_clock::now();
    manualSeconds_ = 0.0;
    return true;
}

double SimBus::Now() const {
    if (manualClock_) return manualSeconds_;
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - origin_).count();
}

void SimBus::ComeBackDue() {
    // A sensor back is a new device: the handles of its earlier plug stay dead.
    for (SimSensor& sensor : sensors_) sensor.ComeBack(Now());
}

const SimSensor* SimBus::Enumerated(int32_t index) const {
    if (index < 0) return nullptr;
    for (const SimSensor& sensor : sensors_) {
        if (sensor.Gone()) continue;
        if (index-- == 0) return &sensor;
    }
    return nullptr;
}

SimSensor* SimBus::Enumerated(int32_t index) {
    return const_cast<SimSensor*>(static_cast<const SimBus*>(this)->Enumerated(index));
}

const SimSensor* SimBus::ByHandle(int32_t handle) const {
    auto it = handles_.find(handle);
    return it == handles_.end() ? nullptr : &sensors_[it->second.sensor];
}

bool SimBus::Stale(int32_t handle) const {
    auto it = handles_.find(handle);
    return it != handles_.end() && it->second.plug != sensors_[it->second.sensor].Plug();
}

SimSensor* SimBus::ByHandle(int32_t handle) {
    return const_cast<SimSensor*>(static_cast<const SimBus*>(this)->ByHandle(handle));
}

int32_t SimBus::GetNumDevices(int32_t& count) {
    ComeBackDue();
    count = 0;
    for (const SimSensor& sensor : sensors_) {
        if (!sensor.Gone()) ++count;
    }
    return VD_OK;
}

int32_t SimBus::GetProductString(int32_t index, char* buffer, int32_t option) {
    if (buffer == nullptr) return VD_INVALID_PARAMETER;
    ComeBackDue();
    buffer[0] = '\0';
    const SimSensor* sensor = Enumerated(index);
    if (sensor == nullptr) return VD_DEVICE_NOT_FOUND;
    const std::string* text = nullptr;
    if (option == VD_PRODUCT_SERIAL_NUMBER) {
        text = &sensor->Config().serial;
    } else if (option == VD_PRODUCT_ID) {
        text = &sensor->Config().productId;
    } else {
        return VD_INVALID_PARAMETER;
    }
    size_t n = std::min<size_t>(text->size(), VD_PRODUCT_STRING_SIZE - 2);
    std::memcpy(buffer, text->data(), n);
    buffer[n] = '\0';
    return VD_OK;
}

int32_t SimBus::Open(int32_t index, int32_t& handle) {
    handle = 0;
    ComeBackDue();
    SimSensor* sensor = Enumerated(index);
    if (sensor == nullptr) return VD_DEVICE_NOT_FOUND;
    if (sensor->Config().fault == Fault::OpenFails) return VD_DEVICE_NOT_OPENED;
    handle = nextHandle_++;
    if (nextHandle_ <= 0) nextHandle_ = 1;
    handles_[handle] = {static_cast<size_t>(sensor - sensors_.data()), sensor->Plug()};
    return VD_OK;
}

int32_t SimBus::CheckHandle(int32_t handle) const {
    const SimSensor* sensor = ByHandle(handle);
    if (sensor == nullptr) return VD_INVALID_HANDLE;
    return sensor->Gone() || Stale(handle) ? VD_IO_ERROR : VD_OK;
}

int32_t SimBus::SetBaudRate(int32_t handle, int32_t baudRate) {
    if (int32_t status = CheckHandle(handle); status != VD_OK) return status;
    SimSensor* sensor = ByHandle(handle);
    if (sensor->Config().fault == Fault::BaudFails) return VD_IO_ERROR;
    if (baudRate <= 0) return VD_INVALID_BAUD_RATE;
    sensor->SetLineRate(baudRate);
    return VD_OK;
}

int32_t SimBus::FlushBuffers(int32_t handle, int32_t transmit, int32_t receive) {
    SimSensor* sensor = ByHandle(handle);
    if (sensor == nullptr) return VD_INVALID_HANDLE;
    if (Stale(handle)) return VD_IO_ERROR;
    return sensor->Flush(transmit != 0, receive != 0);
}

int32_t SimBus::Write(int32_t handle, const void* bytes, int32_t count, int32_t& written) {
    written = 0;
    SimSensor* sensor = ByHandle(handle);
    if (sensor == nullptr) return VD_INVALID_HANDLE;
    if (Stale(handle)) return VD_IO_ERROR;
    int32_t status = sensor->Write(static_cast<const char*>(bytes), count, Now());
    if (status == VD_OK) written = count;
    return status;
}

int32_t SimBus::Read(int32_t handle, void* buffer, int32_t capacity, int32_t& returned) {
    returned = 0;
    SimSensor* sensor = ByHandle(handle);
    if (sensor == nullptr) return VD_INVALID_HANDLE;
    if (Stale(handle)) return VD_IO_ERROR;
    return sensor->Read(static_cast<char*>(buffer), capacity, returned, Now());
}

int32_t SimBus::WaitForData(int32_t handle, int32_t timeoutMs, double& seconds) {
    seconds = 0.0;
    if (timeoutMs < 0) return VD_INVALID_PARAMETER;
    if (int32_t status = CheckHandle(handle); status != VD_OK) return status;
    const double due = ByHandle(handle)->NextReplyAt() - Now();
    if (due <= 0.0) return VD_OK;
    if (manualClock_) return VD_WAIT_TIMEOUT;
    const double limit = timeoutMs * 0.001;
    seconds = std::min(due, limit);
    return due <= limit ? VD_OK : VD_WAIT_TIMEOUT;
}

int32_t SimBus::Close(int32_t handle) {
    return handles_.erase(handle) == 1 ? VD_OK : VD_INVALID_HANDLE;
}

SimSensor* SimBus::ByBusIndex(const std::string& text, std::string& output) {
    char* end = nullptr;
    long index = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || index < 0 || index >= static_cast<long>(sensors_.size())) {
        output = "no device \"" + text + "\"";
        return nullptr;
    }
    return &sensors_[static_cast<size_t>(index)];
}

bool SimBus::Control(const std::string& command, std::string& output) {
    output.clear();
    size_t space = command.find(' ');
    std::string verb = command.substr(0, space);
    std::string argument = space == std::string::npos ? "" : command.substr(space + 1);
    auto seconds = [&](double& value) {
        const char* end = argument.data() + argument.size();
        auto [ptr, ec] = std::from_chars(argument.data(), end, value);
        if (argument.empty() || ec != std::errc() || ptr != end || !std::isfinite(value)) {
            output = "\"" + verb + "\" needs a number of seconds";
            return false;
        }
        return true;
    };
    double value = 0;
    if (verb == "configure") return Configure(argument, output);
    if (verb == "time" || verb == "advance") {
        if (!seconds(value)) return false;
        manualSeconds_ = verb == "time" ? value : Now() + value;
        manualClock_ = true;
        return true;
    }
    if (verb == "realtime") {
        manualClock_ = false;
        return true;
    }
    if (verb == "handles") {
        output = std::to_string(handles_.size());
        return true;
    }
    if (verb == "lastcommand" || verb == "commandcount" || verb == "frequency" ||
        verb == "unplug" || verb == "replug" || verb == "linerate") {
        SimSensor* sensor = ByBusIndex(argument, output);
        if (sensor == nullptr) return false;
        if (verb == "lastcommand") output = sensor->LastCommand();
        if (verb == "commandcount") output = std::to_string(sensor->CommandCount());
        if (verb == "linerate") output = std::to_string(sensor->LineRate());
        if (verb == "replug") sensor->Replug();
        if (verb == "unplug") {
            // Its handles die with the device; a replugged device is opened afresh.
            sensor->Unplug();
            std::erase_if(handles_, [&](const auto& entry) {
                return &sensors_[entry.second.sensor] == sensor;
            });
        }
        if (verb == "frequency") {
            char text[64];
            auto [end, ec] = std::to_chars(text, text + sizeof text, sensor->TrueFrequency(Now()),
                                           std::chars_format::fixed, 6);
            output = ec == std::errc() ? std::string(text, end) : std::string("nan");
        }
        return true;
    }
    output = "unknown command \"" + verb + "\"";
    return false;
}

}  // namespace vdsim
