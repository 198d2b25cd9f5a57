// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// zelvomon-cli run as a lab runs it: from a shell, in a folder of its own, on the
// simulated sensors.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "CliRun.hpp"
#include "ZelvosimProcess.hpp"

namespace {

namespace fs = std::filesystem;
using zelvo::testing::CliRun;
using zelvo::testing::ZelvosimProcess;

size_t Occurrences(const std::string& text, const std::string& part) {
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

TEST(ConsoleProgramTest, ARelativeApplicationFolderKeepsItsSettings) {
    CliRun cli("cli_folder");
    ASSERT_EQ(cli.Run("--seconds 0.1"), 0) << cli.Err();
    EXPECT_TRUE(fs::exists(cli.Path("zelvo.cfg"))) << cli.Err();
    // The second run, on the simulator found beside the program, reads the run number
    // the first one wrote.
    ASSERT_EQ(cli.Run("--seconds 0.1 --simulate"), 0) << cli.Err();
    EXPECT_NE(cli.Err().find("Run # 3"), std::string::npos) << cli.Err();
    EXPECT_EQ(cli.Err().find("Not Found."), std::string::npos) << cli.Err();
}

TEST(ConsoleProgramTest, ARunThatCannotStartOrSettingsThatCannotBeSavedFail) {
    CliRun cli("cli_fail");
    // The sensor refuses its measurement period: no run, and the caller is told.
    EXPECT_EQ(cli.Run("--seconds 0.1", "devices=1;d0.fault=badc"), 1);
    EXPECT_NE(cli.Err().find("ZS0001): measurement period"), std::string::npos) << cli.Err();
    // The setup file is a folder: the settings cannot be written back.
    fs::remove_all(cli.Path(""));
    fs::create_directories(cli.Path("zelvo.cfg"));
    EXPECT_EQ(cli.Run("--seconds 0.1"), 1);
    EXPECT_NE(cli.Err().find("zelvomon-cli: the settings were not saved\n"), std::string::npos)
        << cli.Err();
}

TEST(ConsoleProgramTest, PortsHeldByAnotherProgramAreNamedOnceAndAloneStopTheRun) {
    // zelvosim holds the first sensor's port locked, as a second monitor would.
    ZelvosimProcess sim("devices=2;d0.fault=open");
    const std::string held = sim.Ports().substr(0, sim.Ports().find('='));
    const std::string told = held + " (ZS0001): in use by another program";
    const std::string bridge = "--bridge " + ZelvosimProcess::LibraryPath() + " --seconds ";
    CliRun cli("cli_held");
    // Only the held port: no sensor, no run; the settings are still written.
    const std::string first = "ZELVO_PORTS='" + sim.Ports().substr(0, sim.Ports().find(';')) + "'";
    EXPECT_EQ(cli.Run(bridge + "1", "", first), 1);
    EXPECT_EQ(Occurrences(cli.Err(), held), 1u) << cli.Err();
    EXPECT_NE(cli.Err().find(told), std::string::npos) << cli.Err();
    EXPECT_NE(cli.Err().find("zelvomon-cli: no displayed channel could be opened: its ports are "
                             "in use by another program\n"),
              std::string::npos)
        << cli.Err();
    EXPECT_EQ(cli.Out(), "");
    EXPECT_TRUE(fs::exists(cli.Path("zelvo.cfg")));
    // The other sensor is found and run; the held port, in no message, is still told once.
    EXPECT_EQ(cli.Run(bridge + "0.1", "", "ZELVO_PORTS='" + sim.Ports() + "'"), 0) << cli.Err();
    EXPECT_EQ(Occurrences(cli.Err(), held), 1u) << cli.Err();
    EXPECT_NE(cli.Err().find(told), std::string::npos) << cli.Err();
    // The sensor check beside the holder names the busy sensor and fails.
    const std::string list = "--bridge " + ZelvosimProcess::LibraryPath() + " --list";
    EXPECT_EQ(cli.Run(list, "", "ZELVO_PORTS='" + sim.Ports() + "'"), 1) << cli.Err();
    EXPECT_NE(cli.Err().find(told), std::string::npos) << cli.Err();
    // A port this user may not open is named with the reason. Root opens any file,
    // so it runs the check without that privilege.
    const std::string other = sim.Ports().substr(sim.Ports().find(';') + 1);
    const std::string closed = other.substr(0, other.find('='));
    ASSERT_EQ(::chmod(closed.c_str(), 0), 0);
    const std::string runner =
        ::geteuid() == 0 ? "setpriv --bounding-set=-dac_override,-dac_read_search " : "";
    EXPECT_EQ(cli.Run(list, "", "ZELVO_PORTS='" + other + "'", runner), 0) << cli.Err();
    EXPECT_NE(cli.Err().find("zelvomon-cli: " + closed +
                             ": no permission to open it (join the group zelvo)\n"),
              std::string::npos)
        << cli.Err();
}

TEST(ConsoleProgramTest, MaterialsAreListedWithTheUsersFileAddingAndOverriding) {
    CliRun cli("cli_list");
    fs::create_directories(cli.Path(""));
    std::ofstream(cli.Path("materials.txt"))
        << "Gold = Au; 19.32; 0.38\r\nMy alloy = AuPd; 15; 0.5\r\nGold plated\r\n";
    ASSERT_EQ(cli.Run("--materials"), 0) << cli.Err();
    const std::string out = cli.Out();
    EXPECT_NE(out.find("Al           2.700     1.080\n"), std::string::npos) << out;
    EXPECT_NE(out.find("Au          19.320     0.380\n"), std::string::npos) << out;
    EXPECT_NE(out.find("My alloy"), std::string::npos) << out;
    EXPECT_EQ(cli.Err(),
              "zelvomon-cli: materials.txt, line 3: not a material line (Name = Formula; "
              "Density; Z factor[; Acoustic impedance]) (skipped)\n");
    EXPECT_FALSE(fs::exists(cli.Path("zelvo.cfg")));  // nothing was run
}

TEST(ConsoleProgramTest, AMaterialChosenForAChannelReachesTheSetupFile) {
    CliRun cli("cli_choice");
    ASSERT_EQ(cli.Run("--seconds 0.1 --material 1=gold --material='2=Aluminium nitride'"), 0)
        << cli.Err();
    const std::string setup = cli.Read("zelvo.cfg");
    EXPECT_NE(setup.find("Sensor 1=Gold;19300;381;10000;"), std::string::npos) << setup;
    EXPECT_NE(setup.find("Sensor 2=Aluminium nitride;3260;428;10000;"), std::string::npos) << setup;
    for (const char* bad : {"--material 9=Gold", "--material 0=Gold", "--material 1.5=Gold",
                            "--material Gold", "--material 1=Kryptonite"}) {
        EXPECT_EQ(cli.Run(std::string("--seconds 0.1 ") + bad), 2) << bad;
        EXPECT_NE(cli.Err().find("zelvomon-cli: "), std::string::npos) << bad;
    }
    // Locked parameters refuse the choice as they refuse typing: no run.
    cli.Edit("zelvo.cfg", {{"Locked=0", "Locked=1"}});
    EXPECT_EQ(cli.Run("--seconds 0.1 --material 1=Silver"), 1);
    EXPECT_NE(cli.Err().find("channel 1 keeps its material: the parameters are locked"),
              std::string::npos)
        << cli.Err();
    EXPECT_NE(cli.Read("zelvo.cfg").find("Sensor 1=Gold;19300;"), std::string::npos);
}

}  // namespace
