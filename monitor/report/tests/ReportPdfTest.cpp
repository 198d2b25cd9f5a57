// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The PDF of a simulated run: its text holds the table, its one page shows a line
// in each channel's series colour.

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <array>
#include <cstdlib>

#include "ChartStateFile.hpp"
#include "ReportOutput.hpp"
#include "SimulatedLog.hpp"

namespace {

using namespace zelvo;

std::string Output(const std::string& command) {
    std::string text;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) return text;
    std::array<char, 4096> buffer;
    for (size_t got; (got = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0;)
        text.append(buffer.data(), got);
    ::pclose(pipe);
    return text;
}

// Pixels of a binary PPM within a small distance of the colour.
size_t PixelsNear(const std::string& ppm, Rgb colour) {
    // Header: "P6\n<width> <height>\n255\n".
    size_t at = 0;
    for (int newlines = 0; newlines < 3 && at < ppm.size(); ++at) newlines += ppm[at] == '\n';
    size_t count = 0;
    for (; at + 2 < ppm.size(); at += 3) {
        const auto near = [&](size_t i, uint8_t want) {
            return std::abs(static_cast<uint8_t>(ppm[at + i]) - want) < 50;
        };
        count += near(0, colour.r) && near(1, colour.g) && near(2, colour.b) ? 1 : 0;
    }
    return count;
}

TEST(ReportPdfTest, ThePageHoldsTheTableAndALinePerChannelInItsColour) {
    int argc = 1;
    char name[] = "report_tests";
    char* argv[] = {name, nullptr};
    QGuiApplication app(argc, argv);
    const zelvo::testing::SimulatedLog sim;
    ASSERT_EQ(sim.Status(), 0) << sim.Err();
    const report::PreparedReport prepared =
        report::PrepareReport({sim.Path("run.log"), sim.Path("zelvo.cfg"), std::nullopt, false});
    std::vector<std::string> written;
    ASSERT_FALSE(report::qt::WriteReport(prepared, sim.Path("run.pdf"), written));

    const std::string text = Output("pdftotext -layout '" + sim.Path("run.pdf") + "' -");
    EXPECT_EQ(std::count(text.begin(), text.end(), '\f'), 1) << "one page";
    for (const auto& row : prepared.reports[0].table.rows) {
        for (const std::string& cell : row)
            EXPECT_NE(text.find(cell), std::string::npos) << cell << "\n" << text;
    }
    // The page left of the legends, at 150 dpi: the channels' lines alone carry their colours.
    const std::string picture =
        Output("pdftoppm -r 150 -W 1000 -H 1754 -singlefile '" + sim.Path("run.pdf") + "'");
    ASSERT_TRUE(picture.starts_with("P6")) << picture.substr(0, 100);
    const ChartStyle style = DesignChartStyle();
    for (size_t c = 0; c < 3; ++c)
        EXPECT_GT(PixelsNear(picture, style.line[c]), 50u) << "channel " << c + 1;
    EXPECT_EQ(PixelsNear(picture, style.line[3]), 0u) << "a fourth line";
}

}  // namespace
