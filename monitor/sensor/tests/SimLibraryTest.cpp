// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Choosing the bridge library: --bridge, ZELVO_BRIDGE, or the simulator built and
// installed with the programs for --simulate.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "SimLibrary.hpp"
#include "modUSB.hpp"

namespace zelvo {
namespace {

TEST(SimLibraryTest, FoundBesideTheProgramInTheBuildTreeOrInstalledAndNamedWhenMissing) {
    struct Row {
        const char* existing;
        const char* expected;
    };
    for (const Row& r :
         {Row{"/b/monitor/app/gui/libvdlink-sim.so", "/b/monitor/app/gui/libvdlink-sim.so"},
          Row{"/b/monitor/app/gui/../../sensor/libvdlink-sim.so",
              "/b/monitor/app/gui/../../sensor/libvdlink-sim.so"},
          Row{"/b/monitor/app/gui/../" ZELVO_PLUGIN_DIR "/libvdlink-sim.so",
              "/b/monitor/app/gui/../" ZELVO_PLUGIN_DIR "/libvdlink-sim.so"}}) {
        std::string path;
        auto exists = [&](const std::string& p) { return p == r.existing; };
        EXPECT_EQ(FindSimLibrary("/b/monitor/app/gui", exists, path), std::nullopt);
        EXPECT_EQ(path, r.expected);
    }
    std::string path = "unchanged";
    std::optional<ZelvoError> none = FindSimLibrary(
        "/x", [](const std::string&) { return false; }, path);
    ASSERT_TRUE(none.has_value());
    EXPECT_EQ(none->Number(), err::FileNotFound);
    EXPECT_NE(none->Description().find("/x/../" ZELVO_PLUGIN_DIR "/libvdlink-sim.so"),
              std::string::npos);
    EXPECT_EQ(path, "unchanged");

    EXPECT_TRUE(WantsSimulator({"--app-dir", "/tmp", "--simulate"}));
    EXPECT_FALSE(WantsSimulator({"--simulated"}));
}

TEST(SimLibraryTest, TheBridgeIsTheArgumentThenTheEnvironmentThenTheDefault) {
    ::unsetenv("ZELVO_BRIDGE");
    EXPECT_EQ(BridgeLibraryFromArguments({"zelvomon"}), "libvdlink.so");
    ::setenv("ZELVO_BRIDGE", "/opt/libvdlink-sim.so", 1);
    EXPECT_EQ(BridgeLibraryFromArguments({"zelvomon"}), "/opt/libvdlink-sim.so");
    EXPECT_EQ(BridgeLibraryFromArguments({"zelvomon", "--bridge", "/a.so"}), "/a.so");
    EXPECT_EQ(BridgeLibraryFromArguments({"zelvomon", "--bridge=/b.so"}), "/b.so");
    ::setenv("ZELVO_BRIDGE", "", 1);
    EXPECT_EQ(BridgeLibraryFromArguments({"zelvomon", "--bridge"}), "libvdlink.so");
    ::unsetenv("ZELVO_BRIDGE");
    // A relative bridge is taken from the start folder; a bare name is looked up by
    // the loader.
    std::string path;
    ASSERT_EQ(ChooseBridgeLibrary({"--bridge", "lib/libx.so"}, path), std::nullopt);
    EXPECT_EQ(path, (std::filesystem::current_path() / "lib/libx.so").string());
    ASSERT_EQ(ChooseBridgeLibrary({"--bridge", "libvdlink.so"}, path), std::nullopt);
    EXPECT_EQ(path, "libvdlink.so");
}

}  // namespace
}  // namespace zelvo
