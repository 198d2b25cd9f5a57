// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// zelvosim: serves the simulated Zelvo sensors on pseudo-terminals, one per
// device, so that the real bridge library can be tried without hardware.
//
//   zelvosim [--config TEXT]
//
// The sensors are configured like the simulated bridge library's (TEXT, else
// the environment variable ZELVO_SIM). The first line on standard output is
// the ZELVO_PORTS text that names the terminals; the program then serves them
// until SIGINT or SIGTERM. A sensor with the replug fault is named by a link in
// a private temporary folder, which follows its terminal across its absence.

#include <poll.h>
#include <signal.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
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
    "  or:  zelvosim --help | --version\n"
    "Serves simulated Zelvo sensors on pseudo-terminals. TEXT (default $ZELVO_SIM)\n"
    "configures them as for libvdlink-sim.so. The first line written is the value\n"
    "for ZELVO_PORTS; the sensors are served until SIGINT or SIGTERM.\n"
    "\n"
    "Options:\n"
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

// The private folder of the ports' links, made when first needed and removed
// with its links when the program ends.
class LinkFolder {
  public:
    LinkFolder() = default;
    LinkFolder(const LinkFolder&) = delete;
    LinkFolder& operator=(const LinkFolder&) = delete;
    ~LinkFolder() {
        std::error_code error;
        if (!path_.empty() &&
            std::filesystem::remove_all(path_, error) == static_cast<std::uintmax_t>(-1)) {
            std::cerr << "zelvosim: " << path_ << ": " << error.message() << "\n";
        }
    }

    // Path of a link named `name` in the folder; a message when the folder
    // cannot be made.
    std::optional<std::string> LinkPath(const std::string& name, std::string& path) {
        if (path_.empty()) {
            std::error_code error;
            const std::filesystem::path temporary = std::filesystem::temp_directory_path(error);
            if (error) return "temporary folder: " + error.message();
            std::string pattern = (temporary / "zelvosim-XXXXXX").string();
            if (::mkdtemp(pattern.data()) == nullptr) {
                return pattern + ": " + std::strerror(errno);
            }
            path_ = pattern;
        }
        path = path_ + "/" + name;
        return std::nullopt;
    }

  private:
    std::string path_;
};

bool CreateDevices(const vdsim::BusConfig& config, LinkFolder& links, Devices& devices) {
    for (size_t i = 0; i < config.sensors.size(); ++i) {
        const vdsim::SensorConfig& sensor = config.sensors[i];
        if (sensor.fault == vdsim::Fault::BaudFails) {
            std::cerr << "zelvosim: device " << i
                      << ": the host sets a terminal's line rate alone; fault \"baud\" is not "
                         "served\n";
        }
        std::string link;
        std::optional<std::string> failure;
        if (sensor.fault == vdsim::Fault::Replug) {
            failure = links.LinkPath("device" + std::to_string(i), link);
        }
        std::unique_ptr<PtyDevice> device;
        if (!failure) {
            failure = PtyDevice::Create(vdsim::SimSensor(sensor, vdsim::SensorSeed(config.seed, i)),
                                        link, device);
        }
        if (failure) {
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
        text += device->PortPath() + "=" + device->Sensor().Config().productId + "," +
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

// One device's turn: the host's bytes, the replies due, its leaving or coming
// back; false on a failure, said on standard error.
bool ServeDevice(PtyDevice& device, double now) {
    const std::string& serial = device.Sensor().Config().serial;
    const bool wasOpen = !device.Closed();
    std::optional<std::string> failure = device.OnInput(now);
    if (!failure) failure = device.Deliver(now);
    if (!failure && wasOpen && device.Closed()) {
        std::cerr << "zelvosim: " << serial << " left the bus; " << device.Path() << " closed\n";
        failure = device.RemoveLink();
    }
    if (!failure && device.DueBack(now)) {
        failure = device.ComeBack(now);
        if (!failure) {
            std::cerr << "zelvosim: " << serial << " back on the bus; " << device.PortPath()
                      << "\n";
        }
    }
    if (failure) std::cerr << "zelvosim: " << *failure << "\n";
    return !failure;
}

int Serve(Devices& devices, int signals) {
    const auto origin = std::chrono::steady_clock::now();
    auto seconds = [&] {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - origin).count();
    };
    while (ServeOnce(devices, signals, seconds())) {
        const double now = seconds();
        for (auto& device : devices) {
            if (!ServeDevice(*device, now)) return 1;
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
    LinkFolder links;
    Devices devices;
    if (!CreateDevices(config, links, devices)) return 1;
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
