// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// zelvosim as a program: its configuration checks, the ports it names, a clean
// stop that closes the terminals, and a replugged sensor found again under the
// path it was first named by.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "PortList.hpp"
#include "ZelvosimProcess.hpp"
#include "modUSB.hpp"

namespace zelvo::testing {
namespace {

TEST(ZelvosimTest, RefusesConfigurationsItCannotServe) {
    const std::pair<std::string, std::string> cases[] = {
        {"--config 'devices=x'", "needs a whole number"},
        {"--config 'devices=1;d0.pid=ZZ'", "cannot be named in ZELVO_PORTS"},
        {"--config 'devices=2;d1.pid=5C3E0'", "cannot be named in ZELVO_PORTS"},
        {"--bogus", "Usage: zelvosim"},
    };
    for (const auto& [arguments, message] : cases) {
        const std::string command = ZelvosimProcess::ProgramPath() + " " + arguments + " 2>&1";
        FILE* pipe = ::popen(command.c_str(), "r");
        ASSERT_NE(pipe, nullptr);
        std::string output;
        char buffer[256];
        while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) output += buffer;
        const int status = ::pclose(pipe);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 2) << arguments;
        EXPECT_NE(output.find(message), std::string::npos) << arguments << ": " << output;
    }
}

TEST(ZelvosimTest, NamesOneTerminalPerDeviceAndClosesThemWhenStopped) {
    ZelvosimProcess sim("devices=3;d1.pid=6001;d2.serial=QC-A17");
    std::vector<vdserial::PortInfo> ports;
    ASSERT_FALSE(vdserial::ParsePortList(sim.Ports(), ports)) << sim.Ports();
    ASSERT_EQ(ports.size(), 3u);
    EXPECT_EQ(ports[1].productId, "6001");
    EXPECT_EQ(ports[2].serial, "QC-A17");
    for (const auto& port : ports) {
        struct stat info {};
        ASSERT_EQ(::stat(port.path.c_str(), &info), 0) << port.path;
        EXPECT_TRUE(S_ISCHR(info.st_mode)) << port.path;
    }
    EXPECT_EQ(sim.Stop(SIGINT), 0);
    for (const auto& port : ports) {
        struct stat info {};
        EXPECT_NE(::stat(port.path.c_str(), &info), 0) << port.path;
    }
}

TEST(ZelvosimTest, AReplugIsReachedAgainUnderThePathFirstNamed) {
    ZelvosimProcess sim("devices=2;d1.fault=replug:0:0.2");
    std::vector<vdserial::PortInfo> ports;
    ASSERT_FALSE(vdserial::ParsePortList(sim.Ports(), ports)) << sim.Ports();
    ASSERT_EQ(ports.size(), 2u);
    EXPECT_EQ(ports[0].path.rfind("/dev/pts/", 0), 0u) << ports[0].path;
    PortsEnvironment environment(sim.Ports());
    VdBridge bridge(ZelvosimProcess::LibraryPath());
    int32_t count = 0, old = 0, fresh = 0, n = 0;
    std::vector<char> reply;
    auto eventually = [](auto done) {
        for (int i = 0; i < 10000; ++i, ::usleep(1000)) {
            if (done()) return true;
        }
        return false;
    };
    ASSERT_EQ(bridge.VD_GetNumDevices(count), VD_OK);
    ASSERT_EQ(bridge.VD_Open(1, old), VD_OK);
    EXPECT_EQ(bridge.VD_Write(old, "!@\r\n", n), VD_OK);  // taken; the terminal hangs up
    ASSERT_TRUE(eventually([&] { return bridge.VD_Read(old, reply, 252, n) == VD_IO_ERROR; }));
    ASSERT_TRUE(eventually([&] { return bridge.VD_GetNumDevices(count) == VD_OK && count == 2; }));
    ASSERT_EQ(bridge.VD_Open(1, fresh), VD_OK);
    EXPECT_EQ(bridge.VD_Write(fresh, "!@\r\n", n), VD_OK);
    ASSERT_TRUE(eventually([&] { return bridge.VD_Read(fresh, reply, 252, n) == VD_OK && n > 0; }));
    EXPECT_EQ(std::string(reply.data(), static_cast<size_t>(n)), "!@1.07\r\n");
    EXPECT_EQ(bridge.VD_Close(fresh), VD_OK);
    // The link goes with its folder when the program stops.
    EXPECT_EQ(sim.Stop(SIGTERM), 0);
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::path(ports[1].path).parent_path()));
}

}  // namespace
}  // namespace zelvo::testing
