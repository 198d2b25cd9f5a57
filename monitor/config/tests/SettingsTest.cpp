// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <tuple>

#include "AppInfo.hpp"
#include "FakeDesktop.hpp"
#include "FileSizeLimit.hpp"
#include "ScratchFolder.hpp"
#include "Settings.hpp"
#include "SetupFile.hpp"
#include "cErrHandler.hpp"
#include "testing/MainViewDoubles.hpp"

namespace zelvo {
namespace {

namespace fs = std::filesystem;

class SettingsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        AppInfo app;
        app.folder = folder_.Folder();
        SetAppInfo(app);
        ErrHandler().Destination(folder_.Path("ERRORS.TXT"));
    }
    void WriteCfg(const std::string& name, const std::string& text) {
        WriteFileBytes(folder_.Path(name), text);
    }
    // Failures handed to the error handler, which shows each with a critical icon.
    long Reports() const {
        return std::count_if(desktop_.Messages().begin(), desktop_.Messages().end(),
                             [](const auto& m) { return m.icon == MsgIcon::Critical; });
    }

    testing::FakeDesktop desktop_;
    testing::ScratchFolder folder_{"settings"};
    MainState state_;
    testing::RecordingWindow window_;
};

// Every variable that a setup file restores exactly.
auto ExactFields(MainState& s) {
    return std::tie(s.OnTop, s.Locked, s.RunNum, s.ShowLast, s.Units, s.Rate, s.GraphFile,
                    s.GraphFileThick, s.GraphFileFreq, s.YMin, s.YMinThick, s.YMinFreq, s.YMax,
                    s.YMaxThick, s.YMaxFreq, s.XRange, s.XUnits, s.XScroll, s.View, s.LogEnabled,
                    s.LogType, s.LogFile, s.ChannelName, s.ChannelSerial);
}

TEST_F(SettingsTest, FirstStartPlacesTheCarriedSetupFileInTheWrittenLayout) {
    SetupFileAtStartUp();
    EXPECT_EQ(SetupFileCaption(), "Zelvo - [zelvo.cfg]");
    EXPECT_EQ(desktop_.GetSetting("Zelvo", "Setup File", "Setup", ""), "zelvo.cfg");
    state_.FreqInit = 1;
    IniRead(state_, window_, GetSetupFile());
    EXPECT_TRUE(desktop_.Messages().empty());
    EXPECT_EQ(
        std::tie(state_.IniVer, state_.FreqMax, state_.FreqMin, state_.FreqInit, state_.Period),
        std::make_tuple(109, 6100000.0, 5000000.0, 6000000.0, 0.25));
    MainState defaults;
    EXPECT_EQ(ExactFields(state_), ExactFields(defaults));
    EXPECT_EQ(state_.ChannelDensity, defaults.ChannelDensity);
    EXPECT_EQ(state_.ChannelTooling, defaults.ChannelTooling);
    const std::string carried = folder_.Read("zelvo.cfg");
    EXPECT_TRUE(carried.starts_with("[Application]\r\nIniVer=109\r\n")) << carried;
    EXPECT_NE(carried.find("Sensor 8=Sensor 8;1000;1000;10000;\r\n"), std::string::npos);

    // A setup file already there is used as it is. The default name that every
    // shutdown stores is the program's own choice, not the user's: a new folder
    // gets the carried file also then. (A missing file the user named: below.)
    WriteCfg("zelvo.cfg", "[Application]\r\nRunNum=12\r\n");
    desktop_.SaveSetting("Zelvo", "Setup File", "Setup", "");
    SetupFileAtStartUp();
    EXPECT_EQ(folder_.Read("zelvo.cfg"), "[Application]\r\nRunNum=12\r\n");
    fs::remove(folder_.Path("zelvo.cfg"));
    desktop_.SaveSetting("Zelvo", "Setup File", "Setup", "zelvo.cfg");
    SetupFileAtStartUp();
    EXPECT_EQ(folder_.Read("zelvo.cfg"), carried);

    // A folder that takes no file: the failure is shown and the start goes on.
    fs::remove(folder_.Path("zelvo.cfg"));
    desktop_.SaveSetting("Zelvo", "Setup File", "Setup", "");
    fs::permissions(folder_.Folder(), fs::perms::owner_read | fs::perms::owner_exec);
    {
        testing::WithoutRootRights asUser;
        SetupFileAtStartUp();
    }
    fs::permissions(folder_.Folder(), fs::perms::all);
    ASSERT_EQ(desktop_.Messages().size(), 1u);
    EXPECT_EQ(desktop_.Messages()[0].title, "PlaceDefaultSetupFile");
    EXPECT_TRUE(desktop_.Messages()[0].text.starts_with("Error: 70. "))
        << desktop_.Messages()[0].text;
    EXPECT_EQ(GetSetupFile(), "zelvo.cfg");
}

TEST_F(SettingsTest, MissingNamedFileReadsOldestDefaults) {
    state_.ShowLast = 7;
    state_.ChannelSerial[2] = "ABC";
    desktop_.SaveSetting("Zelvo", "Setup File", "Setup", "lab.cfg");
    SetupFileAtStartUp();  // the next start continues with the stored name
    EXPECT_EQ(SetupFileCaption(), "Zelvo - [lab.cfg]");
    IniRead(state_, window_, GetSetupFile());

    ASSERT_EQ(desktop_.Messages().size(), 1u);
    const auto& message = desktop_.Messages()[0];
    EXPECT_EQ(message.text, "lab.cfg Not Found.\r\nContinuing with defaults.");
    EXPECT_EQ(std::tie(message.icon, message.buttons, message.title),
              std::make_tuple(MsgIcon::Information, MsgButtons::OK, std::string("Zelvo")));
    EXPECT_EQ(std::tie(state_.IniVer, state_.ShowLast, state_.RunNum, state_.YMaxFreq,
                       state_.XScroll, state_.LogFile),
              std::make_tuple(0, 3, 1, 6000000, 1, std::string("Zelvo.log")));
    EXPECT_EQ(std::tie(state_.FreqMax, state_.FreqMin, state_.FreqInit, state_.Period),
              std::make_tuple(6e6, 4e6, 5e6, 0.25));
    for (size_t ch = 0; ch < kChannelCount; ++ch) {
        EXPECT_EQ(std::tie(state_.ChannelName[ch], state_.ChannelSerial[ch]),
                  std::make_tuple("Sensor " + std::to_string(ch + 1), std::string("0")));
        EXPECT_EQ(std::tie(state_.ChannelDensity[ch], state_.ChannelZFactor[ch],
                           state_.ChannelTooling[ch]),
                  std::make_tuple(1.0, 1.0, 100.0));
        EXPECT_EQ(FilterOf(state_, static_cast<int>(ch)).Size(), 1);
    }
    EXPECT_EQ(window_.views, std::vector<int16_t>{0});

    desktop_.ClearMessages();
    IniRead(state_, window_, "");  // an empty name does nothing
    IniWrite(state_, "");
    EXPECT_TRUE(desktop_.Messages().empty());
    EXPECT_EQ(GetSetupFile(), "lab.cfg");
    EXPECT_TRUE(fs::is_empty(folder_.Folder()));
}

TEST_F(SettingsTest, CrystalLimitsOutsideTheirRangeKeepTheirValuesAndAreReportedOnce) {
    struct Case {
        std::string file;
        std::tuple<double, double, double> expected;  // maximum, minimum, initial
        long reports;
    };
    const std::vector<Case> cases = {
        {"Freq=6.000,4.000,4888888", {6e6, 4e6, 6e6}, 1},
        {"IniVer=109\r\nFreq=31000000;5000000;6000000", {6.1e6, 5e6, 6e6}, 1},
        {"IniVer=109\r\nFreq=6100000;999999;6000000", {6.1e6, 5e6, 6e6}, 1},
        {"IniVer=109\r\nFreq=6100000;6050000;6000000", {6.1e6, 5e6, 6e6}, 1},  // out of order
        {"IniVer=109\r\nFreq=6000000;5000000;6100000", {6.1e6, 5e6, 6e6}, 1},
        {"IniVer=109\r\nFreq=x;40000000;0", {6.1e6, 5e6, 6e6}, 1},
        {"IniVer=109\r\nFreq=30000000;1000000;1000000", {30e6, 1e6, 1e6}, 0},
        // Whole hertz, as they are written: MHz of the oldest layout read back exactly.
        {"Freq=6.000,4.015,5.000", {6e6, 4015000, 5e6}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        MainState s;
        desktop_.ClearMessages();
        WriteCfg("f.cfg", "[Application]\r\n" + c.file + "\r\nRunNum=5\r\n");
        IniRead(s, window_, "f.cfg");
        EXPECT_EQ(std::tie(s.FreqMax, s.FreqMin, s.FreqInit), c.expected);
        EXPECT_EQ(Reports(), c.reports);
        EXPECT_EQ(s.RunNum, 5);  // the keys after it are still read
    }
}

TEST_F(SettingsTest, SensorLinesThatWouldNotReadBackWholeAreNotWritten) {
    WriteCfg("s.cfg", "[Zelvo]\r\nSensor 3=Old;2700;1080;10000;ZS3\r\n");
    MainState w;
    for (size_t ch = 0; ch < kChannelCount; ++ch) w.ChannelSerial[ch] = "ZS" + std::to_string(ch);
    w.ChannelName[2] = "Gold;Silver";
    w.ChannelSerial[4] = std::string(240, 'S');
    w.ChannelName[6] = "two\r\nlines";
    w.ChannelName[7] = "'quoted";
    w.ChannelSerial[7] = "serial'";
    IniWrite(w, "s.cfg");
    ASSERT_EQ(Reports(), 1);
    EXPECT_EQ(ErrHandler().ErrorProc(), "frmMain_IniWrite");
    const std::string report = ErrHandler().ErrorString();
    for (const char* channel : {"Channel 3 ", "Channel 5 ", "Channel 7 ", "Channel 8 "}) {
        EXPECT_NE(report.find(channel), std::string::npos) << channel << report;
    }
    EXPECT_EQ(report.find("Channel 1 "), std::string::npos);
    const std::string text = folder_.Read("s.cfg");
    EXPECT_NE(text.find("Sensor 3=Old;2700;1080;10000;ZS3\r\n"), std::string::npos);
    EXPECT_EQ(text.substr(0, text.find("[Targets]")).find("Sensor 5="), std::string::npos);
    EXPECT_EQ(text.find("lines"), std::string::npos);

    IniRead(state_, window_, "s.cfg");
    EXPECT_EQ(std::tie(state_.ChannelName[2], state_.ChannelSerial[2]),
              std::make_tuple(std::string("Old"), std::string("ZS3")));
    for (size_t ch : {0u, 1u, 3u, 5u}) {
        EXPECT_EQ(std::tie(state_.ChannelName[ch], state_.ChannelSerial[ch]),
                  std::tie(w.ChannelName[ch], w.ChannelSerial[ch]));
    }
}

TEST_F(SettingsTest, Layout109WrittenFormsAndRoundTripRestoreEveryVariable) {
    MainState w;
    ExactFields(w) = std::make_tuple(1, true, 77, 5, 2, 1, "a.oc2", "b.oc2", "c.oc2", -3, 4,
                                     5100000, 33, 444, 6050000, 120, 2, 3, 2, 1, 2,
                                     "/tmp/run log.txt", w.ChannelName, w.ChannelSerial);
    w.Period = 1.37;
    w.FreqMax = 6123456.4;
    w.FreqMin = 5012345.6;
    w.FreqInit = 6000001;
    for (size_t ch = 0; ch < kChannelCount; ++ch) {
        w.ChannelName[ch] = "Chan " + std::to_string(ch * 3);
        w.ChannelDensity[ch] = 2.7 + 0.1234 * static_cast<double>(ch);
        w.ChannelZFactor[ch] = 1.08 + 0.0111 * static_cast<double>(ch);
        w.ChannelTooling[ch] = 87.654 + static_cast<double>(ch);
        w.ChannelSerial[ch] = ch == 4 ? "" : "ZS000" + std::to_string(ch);
    }
    FilterOf(w, 0).Size(7);
    w.ChannelSupervision[2] = {0.5, 0.05, 12.5, 7, 30, 400};
    IniWrite(w, "round.cfg");  // created when missing
    ASSERT_EQ(Reports(), 0);
    EXPECT_EQ(GetSetupFile(), "round.cfg");

    const std::string text = folder_.Read("round.cfg");
    for (const char* line :
         {"Locked=-1\r\n", "Filter=7\r\n", "Freq=6123456;5012346;6000001\r\n", "Period=137\r\n",
          "RunNum=77\r\n", "Sensor 1=Chan 0;2700;1080;8765;ZS0000\r\n",
          "Sensor 5=Chan 12;3194;1124;9165;\r\n", "[Targets]\r\nSensor 1=0;0;10;0;25;0\r\n",
          "Sensor 3=0.5;0.05;12.5;7;30;400\r\n"}) {
        EXPECT_NE(text.find(line), std::string::npos) << line;
    }
    size_t at = text.find("[Application]\r\n");
    for (const char* key : {"IniVer=109", "OnTop=", "Locked=", "Units=", "Rate=", "Filter=",
                            "View=", "ShowLast=", "Freq=", "Period=", "RunNum="}) {
        at = text.find(key, at);
        ASSERT_NE(at, std::string::npos) << key;
    }

    IniRead(state_, window_, "round.cfg");
    EXPECT_TRUE(desktop_.Messages().empty());
    EXPECT_EQ(state_.IniVer, 109);
    EXPECT_EQ(ExactFields(state_), ExactFields(w));
    EXPECT_EQ(state_.ChannelSupervision, w.ChannelSupervision);
    EXPECT_EQ(std::tie(state_.Period, state_.FreqMax, state_.FreqMin, state_.FreqInit),
              std::make_tuple(1.37, 6123456.0, 5012346.0, 6000001.0));
    EXPECT_EQ(window_.views, std::vector<int16_t>{2});
    for (size_t ch = 0; ch < kChannelCount; ++ch) {
        EXPECT_NEAR(state_.ChannelDensity[ch], w.ChannelDensity[ch], 0.0005);
        EXPECT_NEAR(state_.ChannelZFactor[ch], w.ChannelZFactor[ch], 0.0005);
        EXPECT_NEAR(state_.ChannelTooling[ch], w.ChannelTooling[ch], 0.005);
        EXPECT_EQ(FilterOf(state_, static_cast<int>(ch)).Size(), 7);
    }
    EXPECT_DOUBLE_EQ(state_.ChannelDensity[1], 2.823);  // to the written precision
    EXPECT_DOUBLE_EQ(state_.ChannelTooling[0], 87.65);
}

TEST_F(SettingsTest, LayoutVersionsScalesFlagsAndWholeNumbers) {
    WriteCfg("old.cfg",
             "[Application]\r\nPeriod=0.5\r\nFreq=6.000,4.000,5.000\r\nLocked=TRUE\r\n"
             "[Zelvo]\r\nSensor 2= Gold ,19.3,0.381,95, zs0002 \r\n");
    IniRead(state_, window_, "old.cfg");
    EXPECT_EQ(std::tie(state_.Period, state_.FreqMax, state_.FreqMin, state_.FreqInit),
              std::make_tuple(0.5, 6e6, 4e6, 5e6));
    EXPECT_EQ(std::tie(state_.Locked, state_.ChannelName[1], state_.ChannelSerial[1]),
              std::make_tuple(true, std::string("Gold"), std::string("zs0002")));
    EXPECT_EQ(
        std::tie(state_.ChannelDensity[1], state_.ChannelZFactor[1], state_.ChannelTooling[1]),
        std::make_tuple(19.3, 0.381, 95.0));
    // A file of an older program has no supervision: every check is off.
    EXPECT_EQ(state_.ChannelSupervision[1], SupervisionSettings{.lifeWarning = 0});

    for (const auto& [version, density] :
         std::vector<std::pair<std::string, double>>{{"107", 2.7}, {"109", 0.27}}) {
        WriteCfg(
            "v.cfg",
            "[Application]\r\nIniVer=" + version +
                "\r\nLocked=2\r\nRunNum=12.5\r\nUnits=1.5\r\nFilter=4.5\r\n"
                "[Graph]\r\nYMax=-2.5\r\n[Zelvo]\r\nSensor 1=A;270;1000;10000;X\r\nSensor 3=\r\n");
        state_.ChannelDensity.fill(9);
        IniRead(state_, window_, "v.cfg");
        EXPECT_EQ(std::tie(state_.ChannelDensity[0], state_.ChannelTooling[0], state_.Period,
                           state_.FreqMax),
                  std::make_tuple(density, 100.0, 0.25, 6100000.0));  // period in hundredths
        EXPECT_EQ(std::tie(state_.Locked, state_.RunNum, state_.Units, state_.YMax),
                  std::make_tuple(true, 12, 2, -2));  // halves to even
        EXPECT_EQ(FilterOf(state_, 3).Size(), 4);
        // Deliberate: a missing or empty sensor line means unit material in every layout,
        // since the scaled-down values of the newer layouts are refused by every sensor.
        for (size_t ch = 1; ch < kChannelCount; ++ch) {
            EXPECT_EQ(std::tie(state_.ChannelDensity[ch], state_.ChannelZFactor[ch],
                               state_.ChannelTooling[ch], state_.ChannelSerial[ch]),
                      std::make_tuple(1.0, 1.0, 100.0, std::string("0")));
        }
    }
    WriteCfg("v.cfg", "[Application]\r\nLocked=false\r\n");
    IniRead(state_, window_, "v.cfg");
    EXPECT_FALSE(state_.Locked);
    EXPECT_EQ(Reports(), 0);
}

TEST_F(SettingsTest, BadValuesAreReportedOnceAndTheRestIsStillRead) {
    WriteCfg("bad.cfg",
             "[Application]\r\nIniVer=109\r\nOnTop=abc\r\nRunNum=99999\r\nShowLast=12\r\n"
             "Period=5000\r\nUnits=7\r\nView=7\r\n[DataLog]\r\nLogFile=mine.log\r\n"
             "[Zelvo]\r\nSensor 1=Al;x;1080;10000;ZS0001\r\n[Custom]\r\nMine=1\r\n"
             "[Targets]\r\nSensor 1=2;x;20;10\r\n");
    state_.ChannelSupervision[0] = {.margin = 0.5, .quality = 3};
    auto kept = [](MainState& s) {
        return std::tie(s.OnTop, s.RunNum, s.ShowLast, s.Period, s.ChannelDensity[0]);
    };
    const auto before = std::make_tuple(1, 40, 2, 0.5, 2.5);
    kept(state_) = before;
    IniRead(state_, window_, "bad.cfg");

    ASSERT_EQ(Reports(), 1);
    EXPECT_EQ(ErrHandler().ErrorProc(), "frmMain_IniRead");
    EXPECT_EQ(ErrHandler().ErrorNumber(), err::TypeMismatch);
    EXPECT_EQ(ErrHandler().StackPointer(), 0);
    // Unreadable or out-of-range values keep what they had, everything else is read.
    EXPECT_EQ(kept(state_), before);
    EXPECT_EQ(std::tie(state_.Units, state_.View, state_.LogFile, state_.ChannelSerial[0],
                       state_.ChannelZFactor[0]),
              std::make_tuple(7, 7, std::string("mine.log"), std::string("ZS0001"), 1.08));
    EXPECT_EQ(state_.ChannelSupervision[0],
              (SupervisionSettings{2, 0.5, 20, 3, kDefaultStabilityThreshold, 0}));

    IniWrite(state_, "bad.cfg");  // written back, no setting of the file is lost
    const std::string text = folder_.Read("bad.cfg");
    for (const char* line :
         {"LogFile=mine.log", "Sensor 1=Al;2500;1080;10000;ZS0001", "View=7", "Mine=1"}) {
        EXPECT_NE(text.find(line), std::string::npos) << line;
    }
}

TEST_F(SettingsTest, ReadOnlyFileOrFolderInItsPlaceIsLeftAsItIs) {
    WriteCfg("ro.cfg", "[Application]\r\nRunNum=5\r\n");
    fs::permissions(folder_.Path("ro.cfg"), fs::perms::owner_read | fs::perms::group_read);
    SetSetupFile("current.cfg");
    IniWrite(state_, "ro.cfg");
    ASSERT_EQ(desktop_.Messages().size(), 1u);
    EXPECT_EQ(desktop_.Messages()[0].text, "ro.cfg is Read Only!");
    EXPECT_EQ(desktop_.Messages()[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(folder_.Read("ro.cfg"), "[Application]\r\nRunNum=5\r\n");
    EXPECT_EQ(GetSetupFile(), "current.cfg");

    // A folder in the file's place: the write is reported, the folder stays.
    fs::create_directories(folder_.Path("dir.cfg"));
    IniWrite(state_, "dir.cfg");
    EXPECT_EQ(Reports(), 1);
    EXPECT_EQ(ErrHandler().ErrorProc(), "frmMain_IniWrite");
    EXPECT_TRUE(fs::is_directory(folder_.Path("dir.cfg")));
}

TEST_F(SettingsTest, AFullDiskLeavesTheSetupFileWholeAndNamesTheKeysNotWritten) {
    MainState w;
    IniWrite(w, "full.cfg");
    const std::string old = folder_.Read("full.cfg");
    w.LogFile = std::string(100, 'L');  // the only key that changes, and it needs room
    int reported = testing::WithFileSizeLimit(old.size(), [&] {
        IniWrite(w, "full.cfg");
        return Reports() == 1 &&
               ErrHandler().ErrorString().ends_with("; keys not written: LogFile");
    });
    EXPECT_EQ(reported, 1);
    EXPECT_EQ(folder_.Read("full.cfg"), old);
    for (const auto& entry : fs::directory_iterator(folder_.Folder())) {
        EXPECT_FALSE(entry.path().filename().string().starts_with("full.cfg.")) << entry.path();
    }
}

}  // namespace
}  // namespace zelvo
