// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ConsoleOptions.hpp"

#include <filesystem>
#include <iostream>

#include "AppInfo.hpp"
#include "Numbers.hpp"

namespace zelvo::cli {

const char* const kUsage =
    "Usage: zelvomon-cli [--app-dir DIR] [--bridge PATH | --simulate] [--seconds N] "
    "[--format text|csv|jsonl] [--material N=NAME]... [--reassign] "
    "[--target N=VALUE[:MARGIN]]... [--life-warning N=PCT]... [--quality N=LEVEL]... "
    "[--stability N=HZ[:THRESHOLD]]...\n"
    "  or:  zelvomon-cli [--app-dir DIR] [--bridge PATH | --simulate] --list\n"
    "  or:  zelvomon-cli [--app-dir DIR] --materials\n"
    "  or:  zelvomon-cli --help | --version\n"
    "Runs the monitor without a window: reads the current setup file of the application\n"
    "folder, discovers the sensors and runs one measurement, writing one record per sweep\n"
    "to standard output, until SIGINT or SIGTERM (or for N seconds); then stops the run\n"
    "and writes the settings back. One monitor runs per application folder.\n"
    "\n"
    "Options:\n"
    "  --app-dir DIR   application folder (default $ZELVO_APP_DIR, else\n"
    "                  $XDG_DATA_HOME/zelvomon, else ~/.local/share/zelvomon)\n"
    "  --bridge PATH   bridge library (default $ZELVO_BRIDGE or libvdlink.so)\n"
    "  --simulate      simulated sensors: the libvdlink-sim.so built and installed with the\n"
    "                  programs, configured by ZELVO_SIM\n"
    "  --seconds N     length of the run, over 0 up to 86400 (default: until stopped by a\n"
    "                  signal)\n"
    "  --format F      records on standard output: text (default), csv or jsonl\n"
    "  --material N=NAME  channel N (1 to 8) takes material NAME's density and Z factor\n"
    "                     (and its name while the channel's name is the default), as a\n"
    "                     choice in the window's parameter grid does; kept in the setup\n"
    "                     file\n"
    "  --target N=VALUE[:MARGIN]  channel N's layer ends at VALUE (kA, or ug/cm2 in the\n"
    "                             areal-mass unit mode; 0 to 9999.999, 0 off): the event\n"
    "                             \"target\" on the first reading that reaches it,\n"
    "                             \"target-near\" MARGIN before it\n"
    "  --life-warning N=PCT  the event \"life\" when channel N's crystal life falls to PCT %\n"
    "                        (0 to 99, 0 off; default 10)\n"
    "  --quality N=LEVEL  the event \"quality\" when channel N's rate keeps deviating from\n"
    "                     its rolling average; LEVEL 1 (30 %) to 9 (2.5 %), 0 off\n"
    "  --stability N=HZ[:THRESHOLD]  the event \"stability\" when the run's upward frequency\n"
    "                                jumps of channel N larger than THRESHOLD Hz (default\n"
    "                                25) add up to HZ (0 to 1000000, 0 off)\n"
    "  --reassign      discovery answers Yes to removing the assignment of a missing\n"
    "                  sensor, so that a new sensor may take its channel (sensors swapped\n"
    "                  on purpose); without it, assignments are kept and only channels\n"
    "                  without a serial number take new sensors\n"
    "  --list          finds the sensors and lists each (serial number, product ID, port,\n"
    "                  channel) without starting a run or writing any file; exit status 1\n"
    "                  when sensors are busy in another program\n"
    "  --materials     lists the materials (name, formula, density, Z factor): the\n"
    "                  carried ones and those of materials.txt in the application folder\n"
    "  --help          this text\n"
    "  --version       the program's name and version\n"
    "\n"
    "Supervision settings are kept in the setup file; events go to standard error, the\n"
    "records' events field and MQTT.\n"
    "Sensors that leave during a run are looked for again and come back by themselves.\n"
    "SIGHUP ends the run as SIGINT and SIGTERM do.\n"
    "\n"
    "Exit status:\n"
    "  0 after the run with the settings written back (also when the reader of the\n"
    "  records went away); 1 when the run did not start, another monitor holds the\n"
    "  application folder, the records could not be written (a full disk) or the\n"
    "  settings could not be written; 2 for a bad option or an application folder\n"
    "  that cannot be made.\n";

namespace {

struct OptionRule {
    const char* name;
    bool takesValue;
};

// Every accepted option, one line each.
constexpr OptionRule kOptions[] = {
    {"--app-dir", true},   {"--bridge", true},   {"--simulate", false},    {"--seconds", true},
    {"--format", true},    {"--material", true}, {"--materials", false},   {"--list", false},
    {"--reassign", false}, {"--target", true},   {"--life-warning", true}, {"--quality", true},
    {"--stability", true},
};

bool Fail(const std::string& why) {
    std::cerr << "zelvomon-cli: " << why << "\n";
    return false;
}

// Collects "--name VALUE" and "--name=VALUE" into values; false on an unknown or
// incomplete option.
bool Collect(const std::vector<std::string>& args,
             std::vector<std::pair<std::string, std::string>>& values) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        bool known = false;
        for (const OptionRule& rule : kOptions) {
            const std::string name = rule.name;
            if (arg == name && (!rule.takesValue || i + 1 < args.size())) {
                values.emplace_back(name, rule.takesValue ? args[++i] : "");
                known = true;
            } else if (rule.takesValue && arg.rfind(name + "=", 0) == 0) {
                values.emplace_back(name, arg.substr(name.size() + 1));
                known = true;
            }
            if (known) break;
        }
        if (!known) {
            std::cerr << "zelvomon-cli: unknown or incomplete option \"" << arg << "\"\n" << kUsage;
            return false;
        }
    }
    return true;
}

bool Apply(const std::string& name, const std::string& value, ConsoleOptions& options) {
    if (name == "--app-dir") {
        options.appDir = value;
    } else if (name == "--seconds") {
        const std::optional<double> seconds = ParseNumber(value);
        if (seconds && *seconds == 0) {
            return Fail(
                "--seconds 0 would start a run (a run number, a data log) and stop it; "
                "to see the sensors that are found, use --list");
        }
        if (!seconds || *seconds < 0 || *seconds > 86400)
            return Fail("--seconds needs a number over 0 up to 86400, not \"" + value + "\"");
        options.seconds = *seconds;
    } else if (name == "--material") {
        options.materials.push_back(value);
    } else if (name == "--target" || name == "--life-warning" || name == "--quality" ||
               name == "--stability") {
        options.supervision.emplace_back(name, value);
    } else if (name == "--materials") {
        options.listMaterials = true;
    } else if (name == "--list") {
        options.listSensors = true;
    } else if (name == "--reassign") {
        options.reassign = true;
    } else if (name == "--format") {
        const std::optional<RecordFormat> format = RecordFormatNamed(value);
        if (!format) return Fail("--format needs text, csv or jsonl, not \"" + value + "\"");
        options.format = *format;
    }
    return true;
}

}  // namespace

bool ParseConsoleOptions(const std::vector<std::string>& args, ConsoleOptions& options) {
    std::vector<std::pair<std::string, std::string>> values;
    if (!Collect(args, values)) return false;
    options.appDir = DefaultAppFolder();
    for (const auto& [name, value] : values) {
        if (!Apply(name, value, options)) return false;
    }
    // Absolute before anything else: the program changes into the folder and then
    // names its files from there.
    std::error_code error;
    options.appDir = std::filesystem::absolute(options.appDir, error).lexically_normal().string();
    if (error) return Fail("application folder: " + error.message());
    return true;
}

}  // namespace zelvo::cli
