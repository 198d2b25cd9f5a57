#include "SimControl.hpp"

#include <dlfcn.h>

#include <stdexcept>
#include <vector>

#include "Numbers.hpp"

namespace zelvo::testing {

std::string SimControl::LibraryPath() {
    return ZELVO_SIM_LIBRARY_PATH;
}

SimControl::SimControl() {
    library_ = dlopen(ZELVO_SIM_LIBRARY_PATH, RTLD_NOW | RTLD_LOCAL);
    if (library_ == nullptr) {
        const char* why = dlerror();
        throw std::runtime_error(std::string("cannot load the simulator: ") +
                                 (why != nullptr ? why : ZELVO_SIM_LIBRARY_PATH));
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
