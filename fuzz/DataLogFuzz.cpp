// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The run report's reading of any data log: the fuzzer's bytes are read as a log.
// Every run keeps one value per record in each channel's columns, every channel's
// readings and failed readings add up to the records, the pictures' points lie
// within their axes, and the table, pictures and HTML page are made without fault.
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>

#include "FuzzCheck.hpp"
#include "ReportDocument.hpp"

namespace {

using namespace zelvo::report;
using zelvo::fuzz::Check;

void CheckPlot(const PlotModel& plot) {
    for (const PlotLine& line : plot.lines) {
        for (const auto& piece : line.pieces) {
            for (const auto& [x, y] : piece) {
                Check(x >= plot.x.min && x <= plot.x.max, "a point beyond the X axis");
                Check(y >= plot.y.min && y <= plot.y.max, "a point beyond the Y axis");
            }
        }
    }
    Check(!plot.x.ticks.empty() && !plot.y.ticks.empty(), "an axis without ticks");
}

void CheckRun(const LoggedRun& run) {
    Check(!run.blocks.empty(), "a run without its start line");
    for (const ChannelColumns& c : run.channels) {
        Check(c.rate.size() == run.Records() && c.thickness.size() == run.Records() &&
                  c.frequency.size() == run.Records(),
              "a channel's columns differ from the records in length");
    }
    const RunSummary summary = Summarize(run, SetupInfo{});
    for (const ChannelSummary& c : summary.channels) {
        Check(c.readings + c.failed == run.Records(), "readings and failed readings miss records");
    }
    const RunReport report = MakeRunReport(run, SetupInfo{}, "fuzz.log");
    Check(report.table.rows.size() == 14, "a table row missing");
    CheckPlot(report.thickness);
    CheckPlot(report.rate);
    Check(!ReportHtml({report}, {}).empty(), "an empty page");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const DataLogContents log = ReadDataLogText(text);
    for (const LoggedRun& run : log.runs) CheckRun(run);
    for (const LogNotice& notice : log.notices)
        Check(notice.line >= 1, "a notice without its line");
    return 0;
}
