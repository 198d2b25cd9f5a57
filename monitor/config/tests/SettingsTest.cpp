// Setup-file reading and writing: layouts, defaults, written forms, the current
// setup file, and bad files.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "AppInfo.hpp"
#include "FakeDesktop.hpp"
#include "Settings.hpp"
#include "SetupFile.hpp"
#include "TextFile.hpp"
#include "cErrHandler.hpp"
#include "testing/MainViewDoubles.hpp"

namespace zelvo {
namespace {

namespace fs = std::filesystem;
using testing::FakeDesktop;
using testing::RecordingWindow;

class SettingsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() /
                  ("zelvo_settings_" + std::to_string(::getpid()) + "_" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        AppInfo app;
        app.folder = folder_.string();
        SetAppInfo(app);
        ErrHandler().Destination((folder_ / "ERRORS.TXT").string());
        errorsBefore_ = CriticalCount();
    }
    void TearDown() override {
        fs::permissions(folder_, fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(folder_);
    }

    void WriteCfg(const std::string& name, const std::string& text) {
        WriteFileBytes((folder_ / name).string(), text);
    }
    std::string ReadCfg(const std::string& name) {
        return ReadFileBytes((folder_ / name).string());
    }
    int CriticalCount() const {
        int n = 0;
        for (const auto& m : desktop_.Messages()) n += m.icon == MsgIcon::Critical ? 1 : 0;
        return n;
    }
    int NewErrorReports() const { return CriticalCount() - errorsBefore_; }

    FakeDesktop desktop_;
    fs::path folder_;
    MainState state_;
    RecordingWindow window_;
    int errorsBefore_ = 0;
};

TEST_F(SettingsTest, MissingFileGivesMessageOldestDefaultsAndBecomesCurrent) {
    state_.ShowLast = 7;
    state_.ChannelSerial[2] = "ABC";
    IniRead(state_, window_, "nothere.cfg");

    ASSERT_EQ(desktop_.Messages().size(), 1u);
    EXPECT_EQ(desktop_.Messages()[0].text, "nothere.cfg Not Found.\r\nContinuing with defaults.");
    EXPECT_EQ(desktop_.Messages()[0].icon, MsgIcon::Information);
    EXPECT_EQ(desktop_.Messages()[0].buttons, MsgButtons::OK);
    EXPECT_EQ(desktop_.Messages()[0].title, "Zelvo");
    EXPECT_EQ(GetSetupFile(), "nothere.cfg");
    EXPECT_EQ(desktop_.GetSetting("Zelvo", "Setup File", "Setup", ""), "nothere.cfg");

    EXPECT_EQ(state_.IniVer, 0);
    EXPECT_DOUBLE_EQ(state_.FreqMax, 6000000);
    EXPECT_DOUBLE_EQ(state_.FreqMin, 4000000);
    EXPECT_DOUBLE_EQ(state_.FreqInit, 5000000);
    EXPECT_DOUBLE_EQ(state_.Period, 0.25);
    EXPECT_EQ(state_.ShowLast, 3);
    EXPECT_EQ(state_.RunNum, 1);
    EXPECT_EQ(state_.LogFile, "Zelvo.log");
    EXPECT_EQ(state_.YMaxFreq, 6000000);
    EXPECT_EQ(state_.XScroll, 1);
    for (size_t ch = 0; ch < kChannelCount; ++ch) {
        EXPECT_EQ(state_.ChannelName[ch], "Sensor " + std::to_string(ch + 1));
        EXPECT_DOUBLE_EQ(state_.ChannelDensity[ch], 1);
        EXPECT_DOUBLE_EQ(state_.ChannelZFactor[ch], 1);
        EXPECT_DOUBLE_EQ(state_.ChannelTooling[ch], 100);
        EXPECT_EQ(state_.ChannelSerial[ch], "0");
        EXPECT_EQ(FilterOf(state_, static_cast<int>(ch)).Size(), 1);
    }
    EXPECT_EQ(window_.views, std::vector<int16_t>{0});
    EXPECT_EQ(NewErrorReports(), 0);
}

TEST_F(SettingsTest, EmptyNameDoesNothing) {
    SetSetupFile("keep.cfg");
    IniRead(state_, window_, "");
    IniWrite(state_, "");
    EXPECT_TRUE(desktop_.Messages().empty());
    EXPECT_EQ(GetSetupFile(), "keep.cfg");
    EXPECT_TRUE(fs::is_empty(folder_));
}

TEST_F(SettingsTest, WrittenFileHoldsTheWrittenForms) {
    state_.Locked = true;
    state_.Period = 0.25;
    state_.RunNum = 12;
    state_.ChannelDensity[0] = 2.7;
    state_.ChannelZFactor[0] = 1.08;
    state_.ChannelSerial[0] = "ZS0001";
    state_.ChannelName[0] = "Al";
    FilterOf(state_, 0).Size(5);
    IniWrite(state_, "out.cfg");

    const std::string text = ReadCfg("out.cfg");
    EXPECT_EQ(text.substr(0, 22), "[Application]\r\nIniVer=");
    EXPECT_NE(text.find("IniVer=109\r\n"), std::string::npos);
    EXPECT_NE(text.find("Locked=-1\r\n"), std::string::npos);
    EXPECT_NE(text.find("Filter=5\r\n"), std::string::npos);
    EXPECT_NE(text.find("Freq=6100000;5000000;6000000\r\n"), std::string::npos);
    EXPECT_NE(text.find("Period=25\r\n"), std::string::npos);
    EXPECT_NE(text.find("RunNum=12\r\n"), std::string::npos);
    EXPECT_NE(text.find("Sensor 1=Al;2700;1080;10000;ZS0001\r\n"), std::string::npos);
    EXPECT_NE(text.find("Sensor 8=Sensor 8;1000;1000;10000;\r\n"), std::string::npos);
    // Order of the Application section as written.
    const char* order[] = {"IniVer=", "OnTop=",    "Locked=", "Units=",  "Rate=",  "Filter=",
                           "View=",   "ShowLast=", "Freq=",   "Period=", "RunNum="};
    size_t at = 0;
    for (const char* key : order) {
        size_t found = text.find(key, at);
        ASSERT_NE(found, std::string::npos) << key;
        at = found;
    }
    EXPECT_EQ(GetSetupFile(), "out.cfg");
}

TEST_F(SettingsTest, Layout109RoundTripRestoresEveryVariable) {
    MainState w;
    w.OnTop = 1;
    w.Locked = true;
    w.RunNum = 77;
    w.ShowLast = 5;
    w.Units = 2;
    w.Rate = 1;
    w.Period = 1.37;
    w.FreqMax = 6123456.4;
    w.FreqMin = 5012345.6;
    w.FreqInit = 6000001;
    w.GraphFile = "a.oc2";
    w.GraphFileThick = "b.oc2";
    w.GraphFileFreq = "c.oc2";
    w.YMin = -3;
    w.YMinThick = 4;
    w.YMinFreq = 5100000;
    w.YMax = 33;
    w.YMaxThick = 444;
    w.YMaxFreq = 6050000;
    w.XRange = 120;
    w.XUnits = 2;
    w.XScroll = 3;
    w.View = 2;
    w.LogEnabled = 1;
    w.LogType = 2;
    w.LogFile = "/tmp/run log.txt";
    for (size_t ch = 0; ch < kChannelCount; ++ch) {
        w.ChannelName[ch] = "Chan " + std::to_string(ch * 3);
        w.ChannelDensity[ch] = 2.7 + 0.1234 * static_cast<double>(ch);
        w.ChannelZFactor[ch] = 1.08 + 0.0111 * static_cast<double>(ch);
        w.ChannelTooling[ch] = 87.654 + static_cast<double>(ch);
        w.ChannelSerial[ch] = ch == 4 ? "" : "ZS000" + std::to_string(ch);
    }
    FilterOf(w, 0).Size(7);
    IniWrite(w, "round.cfg");
    ASSERT_EQ(NewErrorReports(), 0);

    IniRead(state_, window_, "round.cfg");
    EXPECT_TRUE(desktop_.Messages().empty());
    EXPECT_EQ(state_.IniVer, 109);
    EXPECT_EQ(state_.OnTop, 1);
    EXPECT_TRUE(state_.Locked);
    EXPECT_EQ(state_.RunNum, 77);
    EXPECT_EQ(state_.ShowLast, 5);
    EXPECT_EQ(state_.Units, 2);
    EXPECT_EQ(state_.Rate, 1);
    EXPECT_DOUBLE_EQ(state_.Period, 1.37);
    EXPECT_DOUBLE_EQ(state_.FreqMax, 6123456);
    EXPECT_DOUBLE_EQ(state_.FreqMin, 5012346);
    EXPECT_DOUBLE_EQ(state_.FreqInit, 6000001);
    EXPECT_EQ(state_.GraphFile, "a.oc2");
    EXPECT_EQ(state_.GraphFileThick, "b.oc2");
    EXPECT_EQ(state_.GraphFileFreq, "c.oc2");
    EXPECT_EQ(state_.YMin, -3);
    EXPECT_EQ(state_.YMinThick, 4);
    EXPECT_EQ(state_.YMinFreq, 5100000);
    EXPECT_EQ(state_.YMax, 33);
    EXPECT_EQ(state_.YMaxThick, 444);
    EXPECT_EQ(state_.YMaxFreq, 6050000);
    EXPECT_EQ(state_.XRange, 120);
    EXPECT_EQ(state_.XUnits, 2);
    EXPECT_EQ(state_.XScroll, 3);
    EXPECT_EQ(state_.View, 2);
    EXPECT_EQ(window_.views, std::vector<int16_t>{2});
    EXPECT_EQ(state_.LogEnabled, 1);
    EXPECT_EQ(state_.LogType, 2);
    EXPECT_EQ(state_.LogFile, "/tmp/run log.txt");
    for (size_t ch = 0; ch < kChannelCount; ++ch) {
        EXPECT_EQ(state_.ChannelName[ch], w.ChannelName[ch]);
        EXPECT_NEAR(state_.ChannelDensity[ch], w.ChannelDensity[ch], 0.0005);
        EXPECT_NEAR(state_.ChannelZFactor[ch], w.ChannelZFactor[ch], 0.0005);
        EXPECT_NEAR(state_.ChannelTooling[ch], w.ChannelTooling[ch], 0.005);
        EXPECT_EQ(state_.ChannelSerial[ch], w.ChannelSerial[ch]);
        EXPECT_EQ(FilterOf(state_, static_cast<int>(ch)).Size(), 7);
    }
    // Reference figures of the written precision.
    EXPECT_DOUBLE_EQ(state_.ChannelDensity[1], 2.823);
    EXPECT_DOUBLE_EQ(state_.ChannelTooling[0], 87.65);
}

TEST_F(SettingsTest, OldestLayoutReadsSecondsMegahertzAndPlainMaterial) {
    WriteCfg("old.cfg",
             "[Application]\r\nPeriod=0.5\r\nFreq=6.000,4.000,5.000\r\nLocked=TRUE\r\n"
             "[Zelvo]\r\nSensor 2= Gold ,19.3,0.381,95, zs0002 \r\n");
    IniRead(state_, window_, "old.cfg");
    EXPECT_EQ(NewErrorReports(), 0);
    EXPECT_DOUBLE_EQ(state_.Period, 0.5);
    EXPECT_DOUBLE_EQ(state_.FreqMax, 6000000);
    EXPECT_DOUBLE_EQ(state_.FreqMin, 4000000);
    EXPECT_DOUBLE_EQ(state_.FreqInit, 5000000);
    EXPECT_TRUE(state_.Locked);
    EXPECT_EQ(state_.ChannelName[1], "Gold");
    EXPECT_DOUBLE_EQ(state_.ChannelDensity[1], 19.3);
    EXPECT_DOUBLE_EQ(state_.ChannelZFactor[1], 0.381);
    EXPECT_DOUBLE_EQ(state_.ChannelTooling[1], 95);
    EXPECT_EQ(state_.ChannelSerial[1], "zs0002");
}

TEST_F(SettingsTest, DensityScaleFollowsTheLayoutVersion) {
    WriteCfg("v107.cfg",
             "[Application]\r\nIniVer=107\r\n[Zelvo]\r\nSensor 1=A;270;1000;10000;X\r\n");
    WriteCfg("v109.cfg",
             "[Application]\r\nIniVer=109\r\n[Zelvo]\r\nSensor 1=A;270;1000;10000;X\r\n");
    IniRead(state_, window_, "v107.cfg");
    EXPECT_DOUBLE_EQ(state_.ChannelDensity[0], 2.7);
    EXPECT_DOUBLE_EQ(state_.ChannelTooling[0], 100);
    EXPECT_DOUBLE_EQ(state_.Period, 0.25);  // default "25" hundredths
    EXPECT_DOUBLE_EQ(state_.FreqMax, 6100000);
    IniRead(state_, window_, "v109.cfg");
    EXPECT_DOUBLE_EQ(state_.ChannelDensity[0], 0.27);
}

TEST_F(SettingsTest, MissingSensorLineMeansUnitMaterialInEveryLayout) {
    for (const char* version : {"0", "105", "108", "109", "120"}) {
        const std::string name = std::string("v") + version + ".cfg";
        WriteCfg(name, std::string("[Application]\r\nIniVer=") + version +
                           "\r\n[Zelvo]\r\nSensor 3=\r\n");
        MainState s;
        s.ChannelDensity.fill(9);
        IniRead(s, window_, name);
        for (size_t ch = 0; ch < kChannelCount; ++ch) {
            EXPECT_DOUBLE_EQ(s.ChannelDensity[ch], 1) << version;
            EXPECT_DOUBLE_EQ(s.ChannelZFactor[ch], 1) << version;
            EXPECT_DOUBLE_EQ(s.ChannelTooling[ch], 100) << version;
            EXPECT_EQ(s.ChannelSerial[ch], "0") << version;
        }
        EXPECT_EQ(s.ChannelName[2], "Sensor 3");
    }
    EXPECT_EQ(NewErrorReports(), 0);
}

TEST_F(SettingsTest, FlagsAndWholeNumbers) {
    WriteCfg("f.cfg",
             "[Application]\r\nIniVer=109\r\nLocked=2\r\nRunNum=12.5\r\nUnits=1.5\r\n"
             "Filter=4.5\r\n[Graph]\r\nYMax=-2.5\r\n");
    IniRead(state_, window_, "f.cfg");
    EXPECT_TRUE(state_.Locked);
    EXPECT_EQ(state_.RunNum, 12);
    EXPECT_EQ(state_.Units, 2);
    EXPECT_EQ(FilterOf(state_, 3).Size(), 4);
    EXPECT_EQ(state_.YMax, -2);
    WriteCfg("g.cfg", "[Application]\r\nLocked=false\r\n");
    IniRead(state_, window_, "g.cfg");
    EXPECT_FALSE(state_.Locked);
    EXPECT_EQ(NewErrorReports(), 0);
}

TEST_F(SettingsTest, BadValuesAreReportedOnceAndTheRestIsStillRead) {
    WriteCfg("bad.cfg",
             "[Application]\r\nIniVer=109\r\nOnTop=abc\r\nRunNum=99999\r\nShowLast=12\r\n"
             "Period=5000\r\nUnits=7\r\nView=7\r\n[DataLog]\r\nLogFile=mine.log\r\n"
             "[Zelvo]\r\nSensor 1=Al;x;1080;10000;ZS0001\r\n");
    state_.OnTop = 1;
    state_.RunNum = 40;
    state_.ShowLast = 2;
    state_.Period = 0.5;
    state_.ChannelDensity[0] = 2.5;
    IniRead(state_, window_, "bad.cfg");

    ASSERT_EQ(NewErrorReports(), 1);
    EXPECT_EQ(ErrHandler().ErrorProc(), "frmMain_IniRead");
    EXPECT_EQ(ErrHandler().ErrorNumber(), err::TypeMismatch);
    EXPECT_EQ(ErrHandler().StackPointer(), 0);
    // Unreadable or out-of-range values keep what they had ...
    EXPECT_EQ(state_.OnTop, 1);
    EXPECT_EQ(state_.RunNum, 40);
    EXPECT_EQ(state_.ShowLast, 2);
    EXPECT_DOUBLE_EQ(state_.Period, 0.5);
    EXPECT_DOUBLE_EQ(state_.ChannelDensity[0], 2.5);
    // ... and everything else is read.
    EXPECT_EQ(state_.Units, 7);
    EXPECT_EQ(state_.View, 7);
    EXPECT_EQ(state_.LogFile, "mine.log");
    EXPECT_EQ(state_.ChannelSerial[0], "ZS0001");
    EXPECT_DOUBLE_EQ(state_.ChannelZFactor[0], 1.08);

    // Written back, no setting of the file is lost.
    IniWrite(state_, "bad.cfg");
    const std::string text = ReadCfg("bad.cfg");
    EXPECT_NE(text.find("LogFile=mine.log"), std::string::npos);
    EXPECT_NE(text.find("Sensor 1=Al;2500;1080;10000;ZS0001"), std::string::npos);
    EXPECT_NE(text.find("View=7"), std::string::npos);
}

TEST_F(SettingsTest, LongValuesAndBinaryGarbageNeverCrash) {
    WriteCfg("long.cfg",
             "[Application]\r\nIniVer=109\r\n[DataLog]\r\nLogFile=" + std::string(300, 'L') +
                 "\r\n[Zelvo]\r\nSensor 1=" + std::string(300, 'N') + "\r\n");
    IniRead(state_, window_, "long.cfg");
    EXPECT_EQ(state_.LogFile, std::string(253, 'L'));
    EXPECT_EQ(state_.ChannelName[0].size(), 253u);

    std::string garbage;
    for (int i = 0; i < 4096; ++i) garbage.push_back(static_cast<char>((i * 7919) % 256));
    WriteCfg("junk.cfg", garbage);
    MainState s;
    IniRead(s, window_, "junk.cfg");
    EXPECT_GE(s.ShowLast, 0);
    EXPECT_LT(s.ShowLast, kChannelCount);
}

TEST_F(SettingsTest, ReadOnlyFileIsRefusedAndStaysCurrentAsBefore) {
    WriteCfg("ro.cfg", "[Application]\r\nRunNum=5\r\n");
    fs::permissions(folder_ / "ro.cfg", fs::perms::owner_read | fs::perms::group_read);
    SetSetupFile("current.cfg");
    state_.RunNum = 9;
    IniWrite(state_, "ro.cfg");
    ASSERT_EQ(desktop_.Messages().size(), 1u);
    EXPECT_EQ(desktop_.Messages()[0].text, "ro.cfg is Read Only!");
    EXPECT_EQ(desktop_.Messages()[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(ReadCfg("ro.cfg"), "[Application]\r\nRunNum=5\r\n");
    EXPECT_EQ(GetSetupFile(), "current.cfg");
}

TEST_F(SettingsTest, FolderInPlaceOfTheFile) {
    fs::create_directories(folder_ / "dir.cfg");
    IniRead(state_, window_, "dir.cfg");
    ASSERT_EQ(desktop_.Messages().size(), 1u);
    EXPECT_EQ(desktop_.Messages()[0].text, "dir.cfg Not Found.\r\nContinuing with defaults.");
    desktop_.ClearMessages();
    errorsBefore_ = 0;
    IniWrite(state_, "dir.cfg");
    EXPECT_EQ(NewErrorReports(), 1);
    EXPECT_EQ(ErrHandler().ErrorProc(), "frmMain_IniWrite");
    EXPECT_TRUE(fs::is_directory(folder_ / "dir.cfg"));
}

TEST_F(SettingsTest, WriteKeepsOtherKeysAndCreatesMissingFile) {
    WriteCfg("keep.cfg", "[Custom]\r\nMine=1\r\n[Application]\r\nExtra=yes\r\n");
    IniWrite(state_, "keep.cfg");
    const std::string text = ReadCfg("keep.cfg");
    EXPECT_NE(text.find("[Custom]\r\nMine=1\r\n"), std::string::npos);
    EXPECT_NE(text.find("Extra=yes\r\n"), std::string::npos);
    IniWrite(state_, "fresh.cfg");
    EXPECT_TRUE(fs::exists(folder_ / "fresh.cfg"));
    EXPECT_EQ(NewErrorReports(), 0);
}

TEST_F(SettingsTest, StartUpNameAndCaption) {
    SetupFileAtStartUp();
    EXPECT_EQ(GetSetupFile(), "zelvo.cfg");
    EXPECT_EQ(SetupFileCaption(), "Zelvo - [zelvo.cfg]");
    desktop_.SaveSetting("Zelvo", "Setup File", "Setup", "lab.cfg");
    SetupFileAtStartUp();
    EXPECT_EQ(GetSetupFile(), "lab.cfg");
    EXPECT_EQ(SetupFileCaption(), "Zelvo - [lab.cfg]");
}

}  // namespace
}  // namespace zelvo
