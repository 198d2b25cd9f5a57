// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// A run whose data log's disk fills up and later has space again, through a
// preloaded library that makes the log file's writes fail with ENOSPC. The
// operator is told once, the sweeps go on, the lines written before stay whole,
// and the log goes on once there is space again.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CliRun.hpp"

namespace {

size_t Count(const std::string& text, const std::string& what) {
    size_t count = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) {
        ++count;
    }
    return count;
}

TEST(DiskTroubleTest, AFullDiskIsReportedOnceTheRunGoesOnAndTheLogResumes) {
    zelvo::testing::CliRun cli("disk");
    cli.EightSensors("disk.log");
    // Room for the start line, the header and some records; the one that crosses the
    // limit is written in part, then four lines are refused and space returns.
    constexpr size_t kFreeBytes = 1000;
    constexpr size_t kRefusals = 4;
    // A sanitized build checks that its runtime comes first; the shim needs none.
    const std::string diskFull =
        std::string("LD_PRELOAD=") + ZELVO_DISKFULL_SHIM_PATH +
        " ASAN_OPTIONS=\"${ASAN_OPTIONS:-}:verify_asan_link_order=0\"" +
        " ZELVO_DISKFULL_NAME=disk.log ZELVO_DISKFULL_FREE=" + std::to_string(kFreeBytes) +
        " ZELVO_DISKFULL_REFUSALS=" + std::to_string(kRefusals);
    ASSERT_EQ(cli.Run("--seconds 4", "devices=8;noise=0.5", diskFull), 0) << cli.Err();
    EXPECT_EQ(Count(cli.Err(), "AppendToTextFile"), 1u) << cli.Err();
    EXPECT_EQ(Count(cli.Err(), "No space left on device"), 1u) << cli.Err();
    EXPECT_EQ(Count(cli.Err(), "Zelvo: 4 lines of the data log could not be written to "), 1u)
        << cli.Err();
    EXPECT_EQ(cli.RunNumber(), 42);

    const std::string log = cli.Read("disk.log");
    ASSERT_TRUE(log.ends_with("\r\n")) << log;
    const std::vector<std::string> lines = zelvo::testing::Lines(log, "\r\n");
    ASSERT_GE(lines.size(), 4u) << log;
    EXPECT_TRUE(lines.front().starts_with("Start Log\tRun: 42")) << log;
    EXPECT_TRUE(lines.back().starts_with("Stop Log\tRun: 42")) << log;
    // The line cut by the full disk was taken back: every line between is whole. The
    // refused lines are lost (the cut one and three more); every other sweep has its
    // line, also after the disk had space again.
    size_t bytes = lines[0].size() + lines[1].size() + 4;
    size_t beforeFull = 0;
    for (size_t i = 2; i + 1 < lines.size(); ++i) {
        EXPECT_TRUE(zelvo::testing::IsWholeRecord(lines[i])) << "line " << i << ": " << lines[i];
        bytes += lines[i].size() + 2;
        if (bytes <= kFreeBytes) ++beforeFull;
    }
    const size_t records = lines.size() - 3;
    EXPECT_EQ(records + kRefusals, cli.Sweeps()) << cli.Out() << log;
    EXPECT_GT(records, beforeFull) << "no line after the disk had space again";
}

}  // namespace
