// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The simulated bridge library through the bridge binding: configuration text,
// product strings, what is not a command and deterministic noise. Its answers to
// the four commands and its deposition are what the sensor manager's tests read.

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

TEST_F(SimulatorTest, BadConfigurationTextsAreRefusedWithAReason) {
    for (const char* bad :
         {"devices=65", "devices=x", "d4.serial=A", "dx.pid=1", "fault=bogus", "fault=unplug",
          "fault=slow:-1", "fault=replug:5", "serial=A", "colour=red", "freq=0", "noise",
          "d0.reply=%4", "fault=split:0", "fault=split:x"}) {
        EXPECT_THROW(sim_.Configure(bad), std::invalid_argument) << bad;
    }
    for (const char* bad : {"fault=hop:1:0", "fault=erratic:1:0", "fault=wear:101", "fault=wear"})
        EXPECT_THROW(sim_.Configure(bad), std::invalid_argument) << bad;
    EXPECT_THAT([&] { sim_.Configure("devices=2;d3.pid=1"); },
                ::testing::ThrowsMessage<std::invalid_argument>(
                    "\"d3.pid\": there is no device 3 (devices=2)"));
    EXPECT_THAT([&] { sim_.Configure("d0.fault=replug:5:0"); },
                ::testing::ThrowsMessage<std::invalid_argument>(
                    "fault \"replug\" needs a count of exchanges and seconds, e.g. replug:5:2"));
    EXPECT_THROW(sim_.Control("teleport 1"), std::invalid_argument);
}

TEST_F(SimulatorTest, DefaultBusOfFourZelvosAndWhatIsNotACommand) {
    sim_.Configure("");
    sim_.SetTime(0);
    int32_t count = 0, h = 0;
    ASSERT_EQ(bridge_.VD_GetNumDevices(count), 0);
    EXPECT_EQ(count, 4);
    std::string text;
    ASSERT_EQ(bridge_.VD_GetProductString(3, text, VD_PRODUCT_SERIAL_NUMBER), 0);
    EXPECT_EQ(text, "ZS0004");
    ASSERT_EQ(bridge_.VD_GetProductString(0, text, VD_PRODUCT_ID), 0);
    EXPECT_EQ(text, "5C3E");
    EXPECT_NE(bridge_.VD_GetProductString(4, text, VD_PRODUCT_ID), 0);
    EXPECT_NE(bridge_.VD_GetProductString(0, text, 2), 0);
    EXPECT_NE(bridge_.VD_Open(4, h), 0);
    ASSERT_EQ(bridge_.VD_Open(0, h), 0);
    EXPECT_EQ(Exchange(h, "!B-5\r\n"), "!?\r\n");
    EXPECT_EQ(Exchange(h, "!Z\r\n"), "!?\r\n");
    EXPECT_EQ(Exchange(h, ""), "");  // a read with no data returns at once with nothing
}

TEST_F(SimulatorTest, AReplugLeavesAfterNExchangesAndComesBackAfterSSecondsAsANewDevice) {
    sim_.Configure("devices=2;d0.fault=replug:1:5;rate=10");
    sim_.SetTime(0);
    int32_t count = 0, old = 0, fresh = 0, n = 0;
    ASSERT_EQ(bridge_.VD_Open(0, old), 0);
    EXPECT_EQ(Exchange(old, "!B2500000\r\n"), "!B2500000\r\n");
    EXPECT_NE(bridge_.VD_Write(old, "!A1\r\n", n), 0);  // the second exchange: gone
    for (auto [seconds, devices] : {std::pair{0.0, 1}, {4.9, 1}, {0.2, 2}}) {
        sim_.AdvanceTime(seconds);
        ASSERT_EQ(bridge_.VD_GetNumDevices(count), 0);
        EXPECT_EQ(count, devices) << seconds;
    }
    std::string serial;
    EXPECT_EQ(bridge_.VD_GetProductString(0, serial, VD_PRODUCT_SERIAL_NUMBER), 0);
    EXPECT_EQ(serial, "ZS0001");
    ASSERT_EQ(bridge_.VD_Open(0, fresh), 0);
    EXPECT_NE(fresh, old);
    EXPECT_NE(bridge_.VD_FlushBuffers(old, 1, 1), 0);
    // Here to stay, at the firmware's gate of 1250000 cycles, on the crystal's
    // curve: 5.1 s at 10 A/s.
    const std::string reply = Exchange(fresh, "!A1\r\n");
    ASSERT_EQ(reply.rfind("!A", 0), 0u) << reply;
    EXPECT_NEAR(1250000.0 * 199065600.0 / std::stod(reply.substr(2)), 5979958.7, 1.0);
}

TEST_F(SimulatorTest, ASplitReplyComesInTwoReadsTheSecondAfterItsPause) {
    for (auto [fault, pause] : {std::pair{"split", 0.0}, {"split:2", 0.002}}) {
        sim_.Configure(std::string("devices=1;fault=") + fault);
        sim_.SetTime(0);
        int32_t h = 0;
        ASSERT_EQ(bridge_.VD_Open(0, h), 0);
        EXPECT_EQ(Exchange(h, "!@\r\n"), "!@1.") << fault;
        if (pause > 0) {
            EXPECT_EQ(Exchange(h, ""), "") << fault;
            sim_.AdvanceTime(pause);
        }
        EXPECT_EQ(Exchange(h, ""), "07\r\n") << fault;
    }
}

// A hop's time and size are read by the supervision tests.
TEST_F(SimulatorTest, CrystalsThatAreWornOrDepositErraticallyFromTheirTime) {
    sim_.Configure("devices=3;d0.fault=wear:8;d1.fault=erratic:1:50");
    auto frequency = [&](int device) {
        return std::stod(sim_.Control("frequency " + std::to_string(device)));
    };
    sim_.SetTime(0);
    EXPECT_DOUBLE_EQ(frequency(0), 5080000);  // 8 % of the way from 5 MHz to 6 MHz
    std::vector<int32_t> h(3);
    for (int d = 0; d < 3; ++d) ASSERT_EQ(bridge_.VD_Open(d, h[d]), 0);
    auto read = [&](double time) {  // every sensor read at `time`
        sim_.SetTime(time);
        for (int d = 1; d < 3; ++d) Exchange(h[d], "!A1\r\n");
    };
    read(1);
    EXPECT_EQ(frequency(1), frequency(2));  // steady until its time
    read(2);
    const double erratic = frequency(1) - frequency(2);
    read(3);
    EXPECT_NE(frequency(1) - frequency(2), erratic);         // each reading its own rate
    EXPECT_NEAR(frequency(1), frequency(2), 1.6 * 2 * 0.5);  // within 50 % of 2 A/s for 2 s
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
