// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "SimControl.hpp"

#include <dlfcn.h>

#include <stdexcept>
#include <vector>

#include "Numbers.hpp"

namespace zelvo::testing {

std::string SimControl::LibraryPath() {
    return ZELVO_SIM_LIBRARY_PATH;
}

std::string SimControl::LibraryWithoutSetBaudRate() {
    return ZELVO_SIM_WITHOUT_SET_BAUD_RATE_PATH;
}

std::string SimControl::LibraryWithoutRead() {
    return ZELVO_SIM_WITHOUT_READ_PATH;
}

SimControl::SimControl() : SimControl(LibraryPath()) {}

SimControl::SimControl(const std::string& libraryPath) {
    library_ = dlopen(libraryPath.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (library_ == nullptr) {
        const char* why = dlerror();
        throw std::runtime_error("cannot load the simulator: " +
                                 (why != nullptr ? std::string(why) : libraryPath));
    }
    control_ = reinterpret_cast<ControlFn>(dlsym(library_, "VDSim_Control"));
    if (control_ == nullptr) {
        if (dlclose(library_) != 0) library_ = nullptr;
        library_ = nullptr;
        throw std::runtime_error("the simulator lacks VDSim_Control");
    }
}

SimControl::~SimControl() {
    // Unloading can only fail for a handle that is not loaded; nothing to report here.
    if (library_ != nullptr && dlclose(library_) != 0) library_ = nullptr;
}

std::string SimControl::Control(const std::string& command) {
    std::vector<char> output(4096, '\0');
    int status = control_(command.c_str(), output.data(), static_cast<int>(output.size()));
    std::string text(output.data());
    if (status != 0) throw std::invalid_argument(text);
    return text;
}

void SimControl::Configure(const std::string& config) {
    Control("configure " + config);
}

void SimControl::SetTime(double seconds) {
    Control("time " + ShortestNumberText(seconds));
}

void SimControl::AdvanceTime(double seconds) {
    Control("advance " + ShortestNumberText(seconds));
}

std::string SimControl::LastCommand(int device) {
    return Control("lastcommand " + std::to_string(device));
}

int SimControl::CommandCount(int device) {
    return std::stoi(Control("commandcount " + std::to_string(device)));
}

}  // namespace zelvo::testing
