// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ReportText.hpp"

#include <cmath>

#include "Format.hpp"
#include "TimeOfDay.hpp"

namespace zelvo::report {
namespace {

std::string Stamp(const LogStamp& stamp) {
    return stamp.date + " " + stamp.time;
}

// "1:02:03 (3723.00 s)"
std::string Span(double seconds, const char* pattern = "0.00") {
    std::string text = FormatNumber(seconds, pattern) + " s";
    if (seconds < 60) return text;
    const double days = std::floor(seconds / kSecondsPerDay);
    std::string clock = TimeOfDayText(seconds, "0");
    if (days > 0) clock = FormatNumber(days, "0") + " d " + clock;
    return clock + " (" + text + ")";
}

using Value = std::string (*)(const ChannelSummary&);

struct Row {
    std::string label;
    Value value;
    bool needsReadings;
};

std::string Fixed(double value, const char* pattern) {
    return FormatNumber(value, pattern);
}

std::vector<Row> Rows(int32_t units) {
    const std::string rate = " (" + RateUnit(units) + ")";
    const std::string thick = units == 1 ? "Final mass (" : "Final thickness (";
    return {
        {"Name", [](const ChannelSummary& c) { return c.name; }, false},
        {"Serial number", [](const ChannelSummary& c) { return c.serial; }, false},
        {"First reading (s)", [](const ChannelSummary& c) { return Fixed(c.firstTime, "0.00"); },
         true},
        {"Last reading (s)", [](const ChannelSummary& c) { return Fixed(c.lastTime, "0.00"); },
         true},
        {"Duration (s)",
         [](const ChannelSummary& c) { return Fixed(c.lastTime - c.firstTime, "0.00"); }, true},
        {thick + ThicknessUnit(units) + ")",
         [](const ChannelSummary& c) { return Fixed(c.finalThickness, "0.000"); }, true},
        {"Mean rate" + rate, [](const ChannelSummary& c) { return Fixed(c.meanRate, "0.00"); },
         true},
        {"Rate std. dev." + rate,
         [](const ChannelSummary& c) { return Fixed(c.rateDeviation, "0.00"); }, true},
        {"Largest rate" + rate, [](const ChannelSummary& c) { return Fixed(c.maxRate, "0.00"); },
         true},
        {"Frequency at start (Hz)",
         [](const ChannelSummary& c) { return Fixed(c.startFrequency, "0.00"); }, true},
        {"Frequency at end (Hz)",
         [](const ChannelSummary& c) { return Fixed(c.endFrequency, "0.00"); }, true},
        {"Crystal life used (%)", [](const ChannelSummary& c) { return Fixed(c.lifeUsed, "0.00"); },
         true},
        {"Readings", [](const ChannelSummary& c) { return std::to_string(c.readings); }, false},
        {"Failed readings", [](const ChannelSummary& c) { return std::to_string(c.failed); },
         false},
    };
}

}  // namespace

std::string RateUnit(int32_t units) {
    return units == 1 ? "ng/cm2/s" : "A/s";
}

std::string ThicknessUnit(int32_t units) {
    if (units == 1) return "ug/cm2";
    return units == 2 ? "A" : "kA";
}

std::string RunTitle(const RunSummary& summary) {
    return "Run " + std::to_string(summary.run);
}

std::vector<std::string> RunFacts(const RunSummary& summary, const std::string& logName,
                                  const std::string& setupName) {
    std::vector<std::string> facts;
    facts.push_back("Log file: " + logName);
    facts.push_back("Setup file: " + (setupName.empty() ? std::string("none read") : setupName));
    facts.push_back("Start: " + Stamp(summary.start));
    facts.push_back(summary.stop
                        ? "Stop: " + Stamp(*summary.stop)
                        : std::string("Stop: no stop line (the run ends with its last record)"));
    facts.push_back("Run time: " + Span(summary.runTime));
    if (summary.paused) {
        // The start and stop lines give whole seconds.
        facts.push_back("Paused: " + Span(*summary.paused, "0") +
                        " in all (clock time from start to stop less the run time)");
    }
    if (summary.blocks > 1) {
        facts.push_back("Log switched off and on again: " + std::to_string(summary.blocks) +
                        " start blocks");
    }
    return facts;
}

ReportTable SummaryTable(const RunSummary& summary) {
    ReportTable table;
    table.header.push_back("");
    for (const ChannelSummary& c : summary.channels) {
        table.header.push_back("Channel " + std::to_string(c.channel + 1));
    }
    for (const Row& row : Rows(summary.units)) {
        std::vector<std::string> cells{row.label};
        for (const ChannelSummary& c : summary.channels) {
            cells.push_back(row.needsReadings && c.readings == 0 ? "-" : row.value(c));
        }
        table.rows.push_back(std::move(cells));
    }
    return table;
}

}  // namespace zelvo::report
