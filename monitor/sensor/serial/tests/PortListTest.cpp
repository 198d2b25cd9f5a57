// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The ZELVO_PORTS text, the order of USB bus paths and the merge of the two
// sources of ports with the entries it leaves out.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "PortList.hpp"

namespace vdserial {
namespace {

TEST(PortListTest, EntriesAreReadWithTheirParts) {
    std::vector<PortInfo> ports;
    ASSERT_FALSE(ParsePortList(" /dev/pts/3 = 5c3e , ZS0001 ;;/dev/ttyS4=1,A,B; /x=00FF,", ports));
    ASSERT_EQ(ports.size(), 3u);
    EXPECT_EQ(ports[0].path, "/dev/pts/3");
    EXPECT_EQ(ports[0].productId, "5C3E");
    EXPECT_EQ(ports[0].serial, "ZS0001");
    EXPECT_EQ(ports[1].serial, "A,B");  // only the first comma separates
    EXPECT_EQ(ports[2].productId, "00FF");
    EXPECT_EQ(ports[2].serial, "");
    ASSERT_FALSE(ParsePortList("  ", ports));
    EXPECT_TRUE(ports.empty());
}

TEST(PortListTest, MistakesAreNamedAndLeaveTheListAlone) {
    const std::pair<std::string, std::string> cases[] = {
        {"/dev/pts/3", "\"/dev/pts/3\" is not path=product ID,serial number"},
        {"/dev/pts/3=5C3E", "\"/dev/pts/3=5C3E\" is not path=product ID,serial number"},
        {"=5C3E,A", "\"=5C3E,A\" names no port"},
        {"/a=5C3EE,A", "\"/a=5C3EE,A\": the product ID is 1 to 4 hexadecimal digits"},
        {"/a=XY,A", "\"/a=XY,A\": the product ID is 1 to 4 hexadecimal digits"},
        {"/a=,A", "\"/a=,A\": the product ID is 1 to 4 hexadecimal digits"},
        {"/a=1," + std::string(256, 's'),
         "\"/a=1," + std::string(256, 's') + "\": the serial number is over 255 characters"},
    };
    for (const auto& [text, message] : cases) {
        std::vector<PortInfo> ports{{"/keep", "1", "K"}};
        EXPECT_EQ(ParsePortList("/ok=1,A;" + text, ports), message) << text;
        ASSERT_EQ(ports.size(), 1u);
        EXPECT_EQ(ports[0].path, "/keep");
    }
}

TEST(PortListTest, BusPathsSortByTheirNumbers) {
    const std::vector<std::string> sorted = {"1-1", "1-1.2", "1-1.2:1.0", "1-1.2:1.1", "1-1.10",
                                             "1-2", "1-10",  "2-1",       "10-1.1"};
    for (size_t i = 0; i < sorted.size(); ++i) {
        for (size_t j = 0; j < sorted.size(); ++j) {
            EXPECT_EQ(BusPathBefore(sorted[i], sorted[j]), i < j) << sorted[i] << " " << sorted[j];
        }
    }
}

TEST(PortListTest, AddedPortsThatAreGoneNotTerminalsOrListedTwiceAreLeftOutAndNamed) {
    namespace fs = std::filesystem;
    const fs::path folder =
        fs::temp_directory_path() / ("zelvo-ports-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    // Two pseudo-terminals stand for ports: their terminals exist while they are open.
    const int a = ::posix_openpt(O_RDWR | O_NOCTTY), b = ::posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_TRUE(a >= 0 && b >= 0 && ::grantpt(a) == 0 && ::unlockpt(a) == 0 && ::grantpt(b) == 0 &&
                ::unlockpt(b) == 0);
    const std::string terminalA = ::ptsname(a), terminalB = ::ptsname(b);
    const std::string file = (folder / "file").string(), link = (folder / "link-to-a").string();
    const std::string gone = (folder / "gone").string();
    std::ofstream(file).put('f');
    fs::create_symlink(terminalA, link);
    const std::vector<PortInfo> found = {{terminalA, "5C3E", "U1"}};
    const std::vector<PortInfo> extra = {{link, "5C3E", "same"},
                                         {gone, "5C3E", "gone"},
                                         {file, "5C3E", "file"},
                                         {terminalB, "5C3E", "E1"},
                                         {terminalB, "5C3E", "twice"}};
    std::vector<SkippedEntry> skipped;
    const std::vector<PortInfo> merged = MergePorts(found, extra, skipped);
    ASSERT_EQ(merged.size(), 2u);
    EXPECT_EQ(merged[0].serial, "U1");
    EXPECT_EQ(merged[1].serial, "E1");
    EXPECT_EQ(skipped, (std::vector<SkippedEntry>{{link, "duplicate"},
                                                  {gone, "missing"},
                                                  {file, "not a terminal"},
                                                  {terminalB, "duplicate"}}));
    ::close(a);
    ::close(b);
    fs::remove_all(folder);
}

}  // namespace
}  // namespace vdserial
