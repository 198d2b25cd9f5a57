// A run whose data log's disk fills up and later has space again, through a
// preloaded library that makes the log file's writes fail with ENOSPC. The
// operator is told once, the sweeps go on, the lines written before stay whole,
// and the log goes on once there is space again.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CliRun.hpp"

namespace {

using zelvo::testing::CliRun;
using zelvo::testing::IsWholeRecord;
using zelvo::testing::Lines;

size_t Count(const std::string& text, const std::string& what) {
    size_t count = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) {
        ++count;
    }
    return count;
}

// The environment that fills the disk of disk.log after `freeBytes` bytes and
// gives space back after `refusals` refused writes.
std::string DiskFull(size_t freeBytes, size_t refusals) {
    // A sanitized build checks that its runtime comes first; the shim needs none.
    return std::string("LD_PRELOAD=") + ZELVO_DISKFULL_SHIM_PATH +
           " ASAN_OPTIONS=\"${ASAN_OPTIONS:-}:verify_asan_link_order=0\"" +
           " ZELVO_DISKFULL_NAME=disk.log ZELVO_DISKFULL_FREE=" + std::to_string(freeBytes) +
           " ZELVO_DISKFULL_REFUSALS=" + std::to_string(refusals);
}

TEST(DiskTroubleTest, AFullDiskIsReportedOnceTheRunGoesOnAndTheLogResumes) {
    CliRun cli("disk", "disk.log");
    // Room for the start line, the header and some records; the one that crosses the
    // limit is written in part, then four lines are refused.
    constexpr size_t kFreeBytes = 1000;
    constexpr size_t kRefusals = 4;
    ASSERT_EQ(cli.Run("devices=8;noise=0.5", 4, DiskFull(kFreeBytes, kRefusals)), 0) << cli.err;
    EXPECT_EQ(Count(cli.err, "AppendToTextFile"), 1u) << cli.err;
    EXPECT_EQ(Count(cli.err, "No space left on device"), 1u) << cli.err;
    EXPECT_NE(cli.Read("zelvo.cfg").find("RunNum=42\r\n"), std::string::npos);

    const std::string log = cli.Read("disk.log");
    ASSERT_TRUE(log.ends_with("\r\n")) << log;
    const std::vector<std::string> lines = Lines(log, "\r\n");
    ASSERT_GE(lines.size(), 4u) << log;
    EXPECT_TRUE(lines.front().starts_with("Start Log\tRun: 42")) << log;
    EXPECT_EQ(lines[1], "Time, Rate(A/s), Thick(kA), Frequency(Hz)");
    EXPECT_TRUE(lines.back().starts_with("Stop Log\tRun: 42")) << log;
    // Every line between is a whole record: the one cut by the full disk was taken
    // back. The refused lines are lost (the cut one and three more); every other
    // sweep has its line, also after the disk had space again.
    size_t bytes = 0;
    size_t beforeFull = 0;
    for (size_t i = 0; i + 1 < lines.size(); ++i) {
        if (i >= 2) {
            EXPECT_TRUE(IsWholeRecord(lines[i])) << "line " << i << ": " << lines[i];
        }
        bytes += lines[i].size() + 2;
        if (i >= 2 && bytes <= kFreeBytes) ++beforeFull;
    }
    const size_t records = lines.size() - 3;
    EXPECT_EQ(records + kRefusals, cli.Sweeps()) << cli.out << log;
    EXPECT_GT(records, beforeFull) << "no line after the disk had space again";
}

TEST(DiskTroubleTest, ADiskThatStaysFullReportsOnceAndTheRunEndsCleanly) {
    CliRun cli("diskfull", "disk.log");
    ASSERT_EQ(cli.Run("devices=8", 2, DiskFull(0, 1000000)), 0) << cli.err;
    EXPECT_EQ(Count(cli.err, "AppendToTextFile"), 1u) << cli.err;
    EXPECT_GT(cli.Sweeps(), 2u) << cli.out;
    EXPECT_EQ(cli.Read("disk.log"), "");
    EXPECT_NE(cli.Read("zelvo.cfg").find("RunNum=42\r\n"), std::string::npos);
}

}  // namespace
