// zelvosim: serves the simulated Zelvo sensors on pseudo-terminals, one per
// device, so that the real bridge library can be tried without hardware.
//
//   zelvosim [--config TEXT]
//
// The sensors are configured like the simulated bridge library's (TEXT, else
// the environment variable ZELVO_SIM). The first line on standard output is
// the ZELVO_PORTS text that names the terminals; the program then serves them
// until SIGINT or SIGTERM.

#include <poll.h>
#include <signal.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "PortList.hpp"
#include "PtyDevice.hpp"
#include "SimConfig.hpp"

namespace {

using zelvosim::PtyDevice;
using Devices = std::vector<std::unique_ptr<PtyDevice>>;

constexpr const char* kUsage =
    "Usage: zelvosim [--config TEXT]\n"
    "Serves simulated Zelvo sensors on pseudo-terminals. TEXT (default $ZELVO_SIM)\n"
    "configures them as for libvdlink-sim.so. The first line written is the value\n"
    "for ZELVO_PORTS; the sensors are served until SIGINT or SIGTERM.\n"
    "  --config TEXT   the sensors' configuration\n"
    "  --help          this text\n"
    "  --version       the program's name and version\n";

bool ConfigText(const std::vector<std::string>& args, std::string& text) {
    const char* env = std::getenv("ZELVO_SIM");
    text = env != nullptr ? env : "";
    if (args.empty()) return true;
    if (args.size() == 2 && args[0] == "--config") {
        text = args[1];
        return true;
    }
    if (args.size() == 1 && args[0].rfind("--config=", 0) == 0) {
        text = args[0].substr(9);
        return true;
    }
    return false;
}

bool CreateDevices(const vdsim::BusConfig& config, Devices& devices) {
    for (size_t i = 0; i < config.sensors.size(); ++i) {
        const vdsim::SensorConfig& sensor = config.sensors[i];
        if (sensor.fault == vdsim::Fault::BaudFails) {
            std::cerr << "zelvosim: device " << i
                      << ": the host sets a terminal's line rate alone; fault \"baud\" is not "
                         "served\n";
        }
        std::unique_ptr<PtyDevice> device;
        if (auto failure = PtyDevice::Create(
                vdsim::SimSensor(sensor, vdsim::SensorSeed(config.seed, i)), device)) {
            std::cerr << "zelvosim: device " << i << ": " << *failure << "\n";
            return false;
        }
        devices.push_back(std::move(device));
    }
    return true;
}

std::string PortsText(const Devices& devices) {
    std::string text;
    for (const auto& device : devices) {
        if (!text.empty()) text += ";";
        text += device->Path() + "=" + device->Sensor().Config().productId + "," +
                device->Sensor().Config().serial;
    }
    return text;
}

// Waits for the host's bytes, a due reply or a signal; false once a signal came.
bool ServeOnce(Devices& devices, int signals, double now) {
    double wait = INFINITY;
    std::vector<pollfd> fds{{signals, POLLIN, 0}};
    for (const auto& device : devices) {
        wait = std::min(wait, device->NextWake(now));
        fds.push_back({device->InputFd(), POLLIN, 0});  // a closed one (-1) is skipped
    }
    timespec timeout{};
    if (std::isfinite(wait)) {
        const double ns = std::ceil(wait * 1e9);
        timeout.tv_sec = static_cast<time_t>(ns / 1e9);
        timeout.tv_nsec = static_cast<long>(ns - static_cast<double>(timeout.tv_sec) * 1e9);
    }
    if (::ppoll(fds.data(), fds.size(), std::isfinite(wait) ? &timeout : nullptr, nullptr) < 0 &&
        errno != EINTR) {
        std::cerr << "zelvosim: waiting: " << std::strerror(errno) << "\n";
        return false;
    }
    return (fds[0].revents & POLLIN) == 0;
}

int Serve(Devices& devices, int signals) {
    const auto origin = std::chrono::steady_clock::now();
    auto seconds = [&] {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - origin).count();
    };
    while (ServeOnce(devices, signals, seconds())) {
        const double now = seconds();
        for (auto& device : devices) {
            const bool wasOpen = !device->Closed();
            std::optional<std::string> failure = device->OnInput(now);
            if (!failure) failure = device->Deliver(now);
            if (failure) {
                std::cerr << "zelvosim: " << *failure << "\n";
                return 1;
            }
            if (wasOpen && device->Closed()) {
                std::cerr << "zelvosim: " << device->Sensor().Config().serial << " left the bus; "
                          << device->Path() << " closed\n";
            }
        }
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    std::string text;
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        std::cout << kUsage;
        return 0;
    }
    if (args.size() == 1 && args[0] == "--version") {
        std::cout << "zelvosim (Zelvo) " << ZELVO_VERSION << "\n";
        return 0;
    }
    if (!ConfigText(args, text)) {
        std::cerr << kUsage;
        return 2;
    }
    vdsim::BusConfig config;
    std::string message;
    if (!vdsim::ParseBusConfig(text, config, message)) {
        std::cerr << "zelvosim: " << message << "\n";
        return 2;
    }
    // The signals arrive through a descriptor, beside the terminals.
    sigset_t stop;
    sigemptyset(&stop);
    sigaddset(&stop, SIGINT);
    sigaddset(&stop, SIGTERM);
    const int signals = ::signalfd(-1, &stop, SFD_CLOEXEC);
    if (::sigprocmask(SIG_BLOCK, &stop, nullptr) != 0 || signals < 0) {
        std::cerr << "zelvosim: signals: " << std::strerror(errno) << "\n";
        return 1;
    }
    Devices devices;
    if (!CreateDevices(config, devices)) return 1;
    // The text must read back as the library reads it (a product ID in hex, no
    // ";" in a serial number).
    const std::string ports = PortsText(devices);
    std::vector<vdserial::PortInfo> parsed;
    if (auto mistake = vdserial::ParsePortList(ports, parsed)) {
        std::cerr << "zelvosim: these sensors cannot be named in ZELVO_PORTS: " << *mistake << "\n";
        return 2;
    }
    std::cout << ports << std::endl;
    const int status = Serve(devices, signals);
    devices.clear();
    ::close(signals);
    return status;
}
