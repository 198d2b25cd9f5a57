// The simulated bridge library through its C interface: configuration text,
// product strings, the protocol, deterministic noise and the read behaviour.

#include <dlfcn.h>

#include "SensorFixture.hpp"
#include "VdLink.h"

namespace zelvo::testing {
namespace {

class SimulatorTest : public ::testing::Test {
  protected:
    template <class Fn>
    Fn Entry(const char* name) {
        void* symbol = dlsym(library_, name);
        EXPECT_NE(symbol, nullptr) << name;
        return reinterpret_cast<Fn>(symbol);
    }
    void SetUp() override {
        library_ = dlopen(SimControl::LibraryPath().c_str(), RTLD_NOW);
        ASSERT_NE(library_, nullptr);
        open_ = Entry<decltype(&VD_Open)>("VD_Open");
        write_ = Entry<decltype(&VD_Write)>("VD_Write");
        read_ = Entry<decltype(&VD_Read)>("VD_Read");
        product_ = Entry<decltype(&VD_GetProductString)>("VD_GetProductString");
    }
    void TearDown() override { EXPECT_EQ(dlclose(library_), 0); }

    // Sends one line and returns the first read after it.
    std::string Exchange(int32_t handle, const std::string& line) {
        int32_t n = 0;
        EXPECT_EQ(write_(handle, line.data(), static_cast<int32_t>(line.size()), &n, nullptr), 0);
        char buffer[252] = {};
        EXPECT_EQ(read_(handle, buffer, 252, &n, nullptr), 0);
        return std::string(buffer, static_cast<size_t>(n));
    }
    int32_t Open(int32_t index) {
        int32_t handle = 0;
        EXPECT_EQ(open_(index, &handle), 0);
        return handle;
    }

    SimControl sim_;
    void* library_ = nullptr;
    decltype(&VD_Open) open_ = nullptr;
    decltype(&VD_Write) write_ = nullptr;
    decltype(&VD_Read) read_ = nullptr;
    decltype(&VD_GetProductString) product_ = nullptr;
};

TEST_F(SimulatorTest, ExportsAllFifteenEntryPoints) {
    for (const char* name :
         {"VD_GetNumDevices", "VD_GetProductString", "VD_Open", "VD_SetBaudRate", "VD_FlushBuffers",
          "VD_Write", "VD_Read", "VD_Close", "VD_GetPartNumber", "VD_SetTimeouts", "VD_GetTimeouts",
          "VD_SetLineControl", "VD_SetFlowControl", "VD_GetModemmlStatus", "VD_CheckRXQueue"}) {
        EXPECT_NE(dlsym(library_, name), nullptr) << name;
    }
}

TEST_F(SimulatorTest, BadConfigurationTextsAreRefusedWithAReason) {
    for (const char* bad :
         {"devices=65", "devices=x", "d4.serial=A", "dx.pid=1", "fault=bogus", "fault=unplug",
          "fault=slow:-1", "serial=A", "colour=red", "freq=0", "noise", "d0.reply=%4"}) {
        EXPECT_THROW(sim_.Configure(bad), std::invalid_argument) << bad;
    }
    try {
        sim_.Configure("devices=2;d3.pid=1");
    } catch (const std::invalid_argument& e) {
        EXPECT_STREQ(e.what(), "\"d3.pid\": there is no device 3 (devices=2)");
    }
    EXPECT_THROW(sim_.Control("teleport 1"), std::invalid_argument);
}

TEST_F(SimulatorTest, DefaultBusHasFourZelvosWithNumberedSerials) {
    sim_.Configure("");
    int32_t count = 0;
    ASSERT_EQ(Entry<decltype(&VD_GetNumDevices)>("VD_GetNumDevices")(&count), 0);
    EXPECT_EQ(count, 4);
    char buffer[VD_PRODUCT_STRING_SIZE];
    ASSERT_EQ(product_(3, buffer, VD_PRODUCT_SERIAL_NUMBER), 0);
    EXPECT_STREQ(buffer, "ZS0004");
    ASSERT_EQ(product_(0, buffer, VD_PRODUCT_ID), 0);
    EXPECT_STREQ(buffer, "5C3E");
    EXPECT_NE(product_(4, buffer, VD_PRODUCT_ID), 0);
    EXPECT_NE(product_(0, buffer, 2), 0);
    int32_t handle = 0;
    EXPECT_NE(open_(4, &handle), 0);
}

TEST_F(SimulatorTest, AnswersTheFourCommandsWithTicksOfTheCurrentFrequency) {
    sim_.Configure("devices=1;freq=6000000;rate=0;revision=R9");
    sim_.SetTime(0);
    int32_t h = Open(0);
    EXPECT_EQ(Exchange(h, "!@\r\n"), "!@R9\r\n");
    EXPECT_EQ(Exchange(h, "!B12000000\r\n"), "!B12000000\r\n");
    EXPECT_EQ(Exchange(h, "!C100000000\r\n"), "!C100000000\r\n");
    // 12e6 cycles at 6 MHz take 2 s = 398131200 ticks.
    EXPECT_EQ(Exchange(h, "!A1\r\n"), "!A398131200\r\n");
    EXPECT_EQ(Exchange(h, "!B-5\r\n"), "!?\r\n");
    EXPECT_EQ(Exchange(h, "!Z\r\n"), "!?\r\n");
    // A read with no data returns at once with nothing.
    char buffer[252];
    int32_t n = -1;
    EXPECT_EQ(read_(h, buffer, 252, &n, nullptr), 0);
    EXPECT_EQ(n, 0);
}

TEST_F(SimulatorTest, DepositionLowersTheFrequencyOverSimulatedTime) {
    sim_.Configure("devices=1;freq=6000000;rate=2;density=1");
    sim_.SetTime(0);
    EXPECT_EQ(sim_.Control("frequency 0"), "6000000.000000");
    sim_.SetTime(500);  // 1000 A at density 1: about 815 Hz lower at 6 MHz
    EXPECT_NEAR(std::stod(sim_.Control("frequency 0")), 5999185.0, 1.0);
}

TEST_F(SimulatorTest, NoiseIsRepeatableForAGivenSeed) {
    auto readings = [&](const std::string& config) {
        sim_.Configure(config);
        sim_.SetTime(0);
        int32_t h = Open(0);
        std::vector<std::string> replies;
        for (int i = 0; i < 5; ++i) replies.push_back(Exchange(h, "!A1\r\n"));
        return replies;
    };
    auto a = readings("devices=1;noise=50;seed=7");
    auto b = readings("devices=1;noise=50;seed=7");
    auto c = readings("devices=1;noise=50;seed=8");
    EXPECT_EQ(a, b);
    EXPECT_NE(a, c);
    EXPECT_NE(a[0], a[1]);
}

TEST_F(SimulatorTest, FaultsShapeTheReads) {
    sim_.Configure("devices=3;d0.fault=nul;d1.fault=split;d2.fault=unplug:1");
    sim_.SetTime(0);
    int32_t nul = Open(0), split = Open(1), unplug = Open(2);
    std::string got = Exchange(nul, "!@\r\n");
    EXPECT_EQ(got, std::string(8, '\0'));
    EXPECT_EQ(Exchange(split, "!@\r\n"), "!@1.");
    char buffer[252];
    int32_t n = 0;
    EXPECT_EQ(read_(split, buffer, 252, &n, nullptr), 0);
    EXPECT_EQ(std::string(buffer, static_cast<size_t>(n)), "07\r\n");
    EXPECT_EQ(Exchange(unplug, "!@\r\n"), "!@1.07\r\n");
    EXPECT_NE(write_(unplug, "!@\r\n", 4, &n, nullptr), 0);
    EXPECT_NE(read_(unplug, buffer, 252, &n, nullptr), 0);
    int32_t count = 0;
    ASSERT_EQ(Entry<decltype(&VD_GetNumDevices)>("VD_GetNumDevices")(&count), 0);
    EXPECT_EQ(count, 2);
}

}  // namespace
}  // namespace zelvo::testing
