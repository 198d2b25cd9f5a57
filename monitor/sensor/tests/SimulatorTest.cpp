// The simulated bridge library through the bridge binding: configuration text,
// product strings, the protocol, deposition and deterministic noise.

#include <dlfcn.h>
#include <gmock/gmock.h>

#include "SensorFixture.hpp"

namespace zelvo::testing {
namespace {

class SimulatorTest : public SensorTest {
  protected:
    // Sends one line (if any) and returns the first read after it.
    std::string Exchange(int32_t handle, const std::string& line) {
        std::vector<char> buffer;
        int32_t n = 0;
        if (!line.empty()) {
            EXPECT_EQ(bridge_.VD_Write(handle, line, n), 0);
        }
        EXPECT_EQ(bridge_.VD_Read(handle, buffer, 252, n), 0);
        return std::string(buffer.data(), static_cast<size_t>(n));
    }
};

TEST_F(SimulatorTest, ExportsAllFifteenEntryPoints) {
    void* library = dlopen(SimControl::LibraryPath().c_str(), RTLD_NOW);
    ASSERT_NE(library, nullptr);
    for (const char* name :
         {"VD_GetNumDevices", "VD_GetProductString", "VD_Open", "VD_SetBaudRate", "VD_FlushBuffers",
          "VD_Write", "VD_Read", "VD_Close", "VD_GetPartNumber", "VD_SetTimeouts", "VD_GetTimeouts",
          "VD_SetLineControl", "VD_SetFlowControl", "VD_GetModemmlStatus", "VD_CheckRXQueue"}) {
        EXPECT_NE(dlsym(library, name), nullptr) << name;
    }
    EXPECT_EQ(dlclose(library), 0);
}

TEST_F(SimulatorTest, BadConfigurationTextsAreRefusedWithAReason) {
    for (const char* bad :
         {"devices=65", "devices=x", "d4.serial=A", "dx.pid=1", "fault=bogus", "fault=unplug",
          "fault=slow:-1", "serial=A", "colour=red", "freq=0", "noise", "d0.reply=%4"}) {
        EXPECT_THROW(sim_.Configure(bad), std::invalid_argument) << bad;
    }
    EXPECT_THAT([&] { sim_.Configure("devices=2;d3.pid=1"); },
                ::testing::ThrowsMessage<std::invalid_argument>(
                    "\"d3.pid\": there is no device 3 (devices=2)"));
    EXPECT_THROW(sim_.Control("teleport 1"), std::invalid_argument);
}

TEST_F(SimulatorTest, DefaultBusOfFourZelvosAnswersTheFourCommandsAndDeposits) {
    sim_.Configure("");
    int32_t count = 0;
    ASSERT_EQ(bridge_.VD_GetNumDevices(count), 0);
    EXPECT_EQ(count, 4);
    std::string text;
    ASSERT_EQ(bridge_.VD_GetProductString(3, text, VD_PRODUCT_SERIAL_NUMBER), 0);
    EXPECT_EQ(text, "ZS0004");
    ASSERT_EQ(bridge_.VD_GetProductString(0, text, VD_PRODUCT_ID), 0);
    EXPECT_EQ(text, "5C3E");
    EXPECT_NE(bridge_.VD_GetProductString(4, text, VD_PRODUCT_ID), 0);
    EXPECT_NE(bridge_.VD_GetProductString(0, text, 2), 0);
    int32_t h = 0;
    EXPECT_NE(bridge_.VD_Open(4, h), 0);

    // The four commands; the reading is in ticks at the current frequency.
    sim_.Configure("devices=1;freq=6000000;rate=2;density=1;revision=R9");
    sim_.SetTime(0);
    ASSERT_EQ(bridge_.VD_Open(0, h), 0);
    EXPECT_EQ(Exchange(h, "!@\r\n"), "!@R9\r\n");
    EXPECT_EQ(Exchange(h, "!B12000000\r\n"), "!B12000000\r\n");
    EXPECT_EQ(Exchange(h, "!C100000000\r\n"), "!C100000000\r\n");
    // 12e6 cycles at 6 MHz take 2 s = 398131200 ticks.
    EXPECT_EQ(Exchange(h, "!A1\r\n"), "!A398131200\r\n");
    EXPECT_EQ(Exchange(h, "!B-5\r\n"), "!?\r\n");
    EXPECT_EQ(Exchange(h, "!Z\r\n"), "!?\r\n");
    EXPECT_EQ(Exchange(h, ""), "");  // a read with no data returns at once with nothing
    // Deposition lowers the frequency: 1000 A at density 1 after 500 s at 2 A/s are
    // about 815 Hz at 6 MHz.
    EXPECT_EQ(sim_.Control("frequency 0"), "6000000.000000");
    sim_.SetTime(500);
    EXPECT_NEAR(std::stod(sim_.Control("frequency 0")), 5999185.0, 1.0);
}

TEST_F(SimulatorTest, NoiseIsRepeatableForAGivenSeed) {
    auto readings = [&](const std::string& config) {
        sim_.Configure(config);
        sim_.SetTime(0);
        int32_t h = 0;
        EXPECT_EQ(bridge_.VD_Open(0, h), 0);
        std::vector<std::string> replies;
        for (int i = 0; i < 5; ++i) replies.push_back(Exchange(h, "!A1\r\n"));
        return replies;
    };
    const auto a = readings("devices=1;noise=50;seed=7");
    EXPECT_EQ(a, readings("devices=1;noise=50;seed=7"));
    EXPECT_NE(a, readings("devices=1;noise=50;seed=8"));
    EXPECT_NE(a[0], a[1]);
}

}  // namespace
}  // namespace zelvo::testing
