// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Reports of logs written by zelvomon-cli on the simulated sensors: the table says
// what the records say, and damaged or unusual copies of the same log are read
// with their notices.

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>

#include "DataLogFormat.hpp"
#include "Format.hpp"
#include "ReportJob.hpp"
#include "SimulatedLog.hpp"
#include "ZelvoError.hpp"

namespace {

using namespace zelvo;
using namespace zelvo::report;

struct Expected {
    size_t readings = 0;
    size_t failed = 0;
    std::vector<double> rates;
    double thickness = 0;
    double firstFrequency = NAN;
    double lastFrequency = 0;
};

// Each channel's values straight from the record lines.
std::vector<Expected> FromRecords(const std::string& text) {
    std::vector<Expected> channels(3);
    for (const std::string& line : zelvo::testing::Lines(text, "\r\n")) {
        if (line.starts_with("Start") || line.starts_with("Stop") || line.starts_with("Time"))
            continue;
        const std::vector<std::string> f = zelvo::testing::Lines(line, ", ");
        for (size_t c = 0; c < 3; ++c) {
            Expected& e = channels[c];
            if (f[1 + 3 * c].find_first_not_of(' ') == std::string::npos) {
                ++e.failed;
                continue;
            }
            ++e.readings;
            e.rates.push_back(std::stod(f[1 + 3 * c]));
            e.thickness = std::stod(f[2 + 3 * c]);
            if (std::isnan(e.firstFrequency)) e.firstFrequency = std::stod(f[3 + 3 * c]);
            e.lastFrequency = std::stod(f[3 + 3 * c]);
        }
    }
    return channels;
}

std::string Cell(const ReportTable& table, const std::string& label, size_t channel) {
    for (const auto& row : table.rows) {
        if (row[0] == label && row.size() > 1 + channel) return row[1 + channel];
    }
    return "no row " + label;
}

ReportTable TableOf(const std::string& text, const SetupInfo& setup = {}) {
    const DataLogContents log = ReadDataLogText(text);
    return SummaryTable(Summarize(log.runs.at(0), setup));
}

std::string Replace(std::string text, const std::string& from, const std::string& to) {
    for (size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size()) {
        text.replace(at, from.size(), to);
    }
    return text;
}

TEST(ReportTest, TheTableSaysWhatTheRecordsSay) {
    const zelvo::testing::SimulatedLog sim;
    ASSERT_EQ(sim.Status(), 0) << sim.Err();
    const DataLogContents log = ReadDataLogFile(sim.Path("run.log"));
    ASSERT_EQ(log.runs.size(), 1u);
    EXPECT_TRUE(log.notices.empty()) << log.notices[0].text;
    EXPECT_EQ(log.runs[0].number, 42);
    const ReportTable table =
        SummaryTable(Summarize(log.runs[0], ReadSetupInfo(sim.Path("zelvo.cfg"))));
    const std::vector<Expected> expected = FromRecords(sim.Text());
    EXPECT_GT(expected[1].failed, 0u) << "the second sensor never left";
    EXPECT_EQ(Cell(table, "Name", 0), "Gold \u00e9t\u00e9");
    for (size_t c = 0; c < 3; ++c) {
        const Expected& e = expected[c];
        SCOPED_TRACE("channel " + std::to_string(c + 1));
        double mean = 0;
        for (double r : e.rates) mean += r / static_cast<double>(e.rates.size());
        double squares = 0;
        for (double r : e.rates) squares += (r - mean) * (r - mean);
        EXPECT_EQ(Cell(table, "Serial number", c), "ZS000" + std::to_string(c + 1));
        EXPECT_EQ(Cell(table, "Readings", c), std::to_string(e.readings));
        EXPECT_EQ(Cell(table, "Failed readings", c), std::to_string(e.failed));
        EXPECT_EQ(Cell(table, "Final thickness (kA)", c), FormatNumber(e.thickness, "0.000"));
        EXPECT_EQ(Cell(table, "Mean rate (A/s)", c), FormatNumber(mean, "0.00"));
        EXPECT_EQ(Cell(table, "Rate std. dev. (A/s)", c),
                  FormatNumber(std::sqrt(squares / static_cast<double>(e.rates.size())), "0.00"));
        EXPECT_EQ(Cell(table, "Largest rate (A/s)", c),
                  FormatNumber(*std::max_element(e.rates.begin(), e.rates.end()), "0.00"));
        EXPECT_EQ(Cell(table, "Frequency at start (Hz)", c),
                  FormatNumber(e.firstFrequency, "0.00"));
        EXPECT_EQ(Cell(table, "Frequency at end (Hz)", c), FormatNumber(e.lastFrequency, "0.00"));
        // The setup file's limits: initial 6 MHz, minimum 5 MHz.
        EXPECT_EQ(Cell(table, "Crystal life used (%)", c),
                  FormatNumber((e.firstFrequency - e.lastFrequency) / 1e4, "0.00"));
    }
}

TEST(ReportTest, DamagedAndUnusualLogsAreReadWithTheirNotices) {
    const zelvo::testing::SimulatedLog sim;
    ASSERT_EQ(sim.Status(), 0) << sim.Err();
    const std::string text = sim.Text();
    const ReportTable whole = TableOf(text);
    const std::vector<std::string> lines = zelvo::testing::Lines(text, "\r\n");
    const size_t records = lines.size() - 3;

    // LF line ends and a decimal comma read the same.
    std::string comma;
    for (const std::string& line : lines)
        comma += (line.starts_with("S") ? line : Replace(line, ".", ",")) + "\n";
    EXPECT_EQ(TableOf(comma).rows, whole.rows);
    EXPECT_TRUE(ReadDataLogText(comma).notices.empty());

    // A power cut: no stop line, the last record cut short; named by file and line.
    std::string shorter;
    for (size_t i = 0; i + 2 < lines.size(); ++i) shorter += lines[i] + "\r\n";
    const std::string cut = shorter + lines[lines.size() - 2].substr(0, 20);
    std::ofstream(sim.Path("cut.log"), std::ios::binary) << cut;
    const PreparedReport prepared = PrepareReport({sim.Path("cut.log"), "", std::nullopt, false});
    ASSERT_EQ(prepared.notices.size(), 2u);
    EXPECT_EQ(prepared.notices[0],
              "cut.log, line " + std::to_string(records + 2) +
                  ": cut short (the log ends in the middle of a line); left out");
    EXPECT_TRUE(prepared.notices[1].starts_with("cut.log, line 1: run 42 has no stop line"));
    EXPECT_EQ(prepared.reports[0].table.rows, TableOf(shorter).rows);
    EXPECT_EQ(TableOf(cut).rows, TableOf(shorter).rows);

    // A minute more between start and stop than the run time was paused.
    const std::optional<double> start = ClockSeconds(lines[0].substr(lines[0].rfind(' ') + 1));
    ASSERT_TRUE(start);
    const std::string earlier = Replace(
        text, lines[0], lines[0].substr(0, lines[0].rfind(' ') + 1) + LogTimeOfDay(*start - 60));
    const RunSummary paused = Summarize(ReadDataLogText(earlier).runs.at(0), {});
    const RunSummary asRun = Summarize(ReadDataLogText(text).runs.at(0), {});
    ASSERT_TRUE(paused.paused && asRun.paused);
    EXPECT_NEAR(*paused.paused, *asRun.paused + 60, 1e-9);

    // Two runs appended; one asked for by number, or the last.
    std::ofstream(sim.Path("two.log"), std::ios::binary)
        << text + Replace(text, "Run: 42", "Run: 43");
    EXPECT_EQ(PrepareReport({sim.Path("two.log"), "", std::nullopt, false}).reports.size(), 2u);
    EXPECT_EQ(PrepareReport({sim.Path("two.log"), "", 42, false}).reports.at(0).title, "Run 42");
    EXPECT_EQ(PrepareReport({sim.Path("two.log"), "", std::nullopt, true}).reports.at(0).title,
              "Run 43");
    EXPECT_THROW(PrepareReport({sim.Path("two.log"), "", 44, false}), zelvo::ZelvoError);
}

}  // namespace
