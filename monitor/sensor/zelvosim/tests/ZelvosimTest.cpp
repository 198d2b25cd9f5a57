// zelvosim as a program: its configuration checks, the ports it names, and a
// clean stop that closes the terminals.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include "PortList.hpp"
#include "ZelvosimProcess.hpp"

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

}  // namespace
}  // namespace zelvo::testing
