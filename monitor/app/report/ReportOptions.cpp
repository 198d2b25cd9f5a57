// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ReportOptions.hpp"

#include "Numbers.hpp"
#include "ReportJob.hpp"
#include "ReportOutput.hpp"

namespace zelvo::report {
namespace {

const char* const kUsage =
    "Usage: zelvomon-report LOGFILE [--run N] [--out FILE] [--setup FILE]\n"
    "Writes the report of the runs of a data log written by zelvomon or zelvomon-cli:\n"
    "for each run its start and stop, run time and time paused, a table per channel\n"
    "(name, serial number, first and last reading, final thickness or mass, mean rate\n"
    "and its standard deviation, largest rate, frequency at start and end, crystal\n"
    "life used, readings and failed readings) and the thickness and rate against run\n"
    "time. Lines of the log that cannot be read are named on standard error.\n"
    "  --run N         only run N of a log of several runs (default: every run)\n"
    "  --out FILE      FILE.pdf (default: the log's name with .pdf; one A4 page per\n"
    "                  run), FILE.html (pictures inside as SVG) or FILE.png (the\n"
    "                  pictures alone; FILE_N.png per run for several runs)\n"
    "  --setup FILE    setup file giving the channels' names, serial numbers and\n"
    "                  crystal limits (default: zelvo.cfg beside the log, if any)\n"
    "  --help          this text\n"
    "  --version       the program's name and version\n";

OptionsResult Refuse(std::ostream& err, const std::string& why) {
    err << "zelvomon-report: " << why << "\n" << kUsage;
    return OptionsResult::UsageError;
}

}  // namespace

OptionsResult ParseReportOptions(const std::vector<std::string>& args, ReportOptions& options,
                                 std::ostream& out, std::ostream& err) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help") {
            out << kUsage;
            return OptionsResult::Done;
        }
        if (arg == "--version") {
            out << "zelvomon-report (Zelvo) " << ZELVO_VERSION << "\n";
            return OptionsResult::Done;
        }
        const bool takesValue = arg == "--run" || arg == "--out" || arg == "--setup";
        if (takesValue && i + 1 >= args.size()) return Refuse(err, arg + " needs a value");
        if (arg == "--run") {
            const std::optional<double> run = ParseNumber(args[++i]);
            if (!run || *run != static_cast<int32_t>(*run) || *run < 1 || *run > 9999) {
                return Refuse(err, "--run takes a run number from 1 to 9999");
            }
            options.run = static_cast<int32_t>(*run);
        } else if (arg == "--out") {
            options.out = args[++i];
        } else if (arg == "--setup") {
            options.setup = args[++i];
        } else if (arg.starts_with("-") || !options.log.empty()) {
            return Refuse(err, "unknown or extra argument \"" + arg + "\"");
        } else {
            options.log = arg;
        }
    }
    if (options.log.empty()) return Refuse(err, "no data log named");
    if (options.out.empty()) options.out = ReportPathFor(options.log);
    if (!qt::FormOf(options.out)) return Refuse(err, "--out names a .pdf, .html or .png file");
    return OptionsResult::Run;
}

}  // namespace zelvo::report
