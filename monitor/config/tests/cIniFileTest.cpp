#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "FakeDesktop.hpp"
#include "TextFile.hpp"
#include "WithoutRootRights.hpp"
#include "cIniFile.hpp"

using zelvo::cIniFile;
using zelvo::ReadFileBytes;
using zelvo::WriteFileBytes;

namespace {

class IniFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() / ("zelvo-ini-" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir_);
        path_ = (dir_ / "zelvo.cfg").string();
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    cIniFile Bound(const std::string& content) {
        WriteFileBytes(path_, content);
        cIniFile ini;
        ini.IniFile(path_);
        return ini;
    }

    zelvo::testing::FakeDesktop desktop_;
    std::filesystem::path dir_;
    std::string path_;
};

}  // namespace

TEST_F(IniFileTest, FieldsOfADelimitedValue) {
    cIniFile ini =
        Bound("[Application]\r\nFreq=6100000;5000000;6000000;1\r\nMid=a;;c\r\nOne=whole\r\n");
    EXPECT_EQ(ini.ReadIniStr("Application", "Missing", "6100000;5000000;6000000;1", 2, ";"),
              "5000000");
    EXPECT_EQ(ini.ReadIniStr("Application", "Freq", "", 4, ";"), "1");
    EXPECT_EQ(ini.ReadIniStr("Application", "Mid", "", 2, ";"), "");
    EXPECT_EQ(ini.ReadIniStr("Application", "Mid", "", 3, ";"), "c");
    EXPECT_EQ(ini.ReadIniStr("Application", "Mid", "", 7, ";"), "c");
    EXPECT_EQ(ini.ReadIniStr("Application", "Mid", "", 0, ";"), "a;;c");
    EXPECT_EQ(ini.ReadIniStr("Application", "One", "", 3, ";"), "whole");
    EXPECT_EQ(ini.ReadIniStr("Application", "Missing", "", 2, ";"), "");
    EXPECT_TRUE(desktop_.Messages().empty());
}

TEST_F(IniFileTest, SectionsAndKeysIgnoreLetterCase) {
    cIniFile ini = Bound("[application]\nPERIOD = 25 \n[Graph]\nPeriod=99\n");
    EXPECT_EQ(ini.ReadIniStr("APPLICATION", "period", "x"), "25");
    EXPECT_EQ(ini.ReadIniStr("graph", "Period", "x"), "99");
}

TEST_F(IniFileTest, EmptyValuesAndDefaults) {
    cIniFile ini = Bound("[A]\r\nEmpty=\r\n");
    EXPECT_EQ(ini.ReadIniStr("A", "Empty", "dflt"), "dflt");
    EXPECT_FLOAT_EQ(ini.ReadIniSingle("A", "Empty", 2.5f), 2.5f);
    EXPECT_FALSE(ini.ReadIniBool("A", "Empty", "TRUE"));
    EXPECT_TRUE(ini.ReadIniBool("A", "Missing", "TRUE"));
    EXPECT_FLOAT_EQ(ini.ReadIniSingle("A", "Missing", -1.5f), -1.5f);
    EXPECT_EQ(ini.ReadIniInt("A", "Missing", 7), 7);
}

TEST_F(IniFileTest, TypedReads) {
    cIniFile ini = Bound(
        "[A]\r\nyes=yes\r\non=On\r\nminus=-1\r\ntwo=2\r\nfalse=FALSE\r\n"
        "unit=12.5 nm\r\nletters=abc\r\nbig=40000\r\nneg=-32768\r\n");
    EXPECT_TRUE(ini.ReadIniBool("A", "yes", "FALSE"));
    EXPECT_TRUE(ini.ReadIniBool("A", "on", "FALSE"));
    EXPECT_FALSE(ini.ReadIniBool("A", "minus", "TRUE"));
    EXPECT_FALSE(ini.ReadIniBool("A", "two", "TRUE"));
    EXPECT_FALSE(ini.ReadIniBool("A", "false", "TRUE"));
    EXPECT_FLOAT_EQ(ini.ReadIniSingle("A", "unit", 0), 12.5f);
    EXPECT_FLOAT_EQ(ini.ReadIniSingle("A", "letters", 9), 0);
    EXPECT_EQ(ini.ReadIniInt("A", "neg", 0), -32768);
    EXPECT_TRUE(desktop_.Messages().empty());

    EXPECT_EQ(ini.ReadIniInt("A", "big", 5), 0);
    ASSERT_EQ(desktop_.Messages().size(), 1u);
    EXPECT_EQ(desktop_.Messages()[0].title, "ReadIniInt");
    EXPECT_EQ(desktop_.Messages()[0].text, "Error: 6. Overflow");
    EXPECT_EQ(desktop_.Messages()[0].buttons, zelvo::MsgButtons::OK);
}

TEST_F(IniFileTest, LongValuesAreCutAfter253Characters) {
    std::string value(300, 'v');
    cIniFile ini = Bound("[A]\r\nLong=" + value + "\r\n");
    EXPECT_EQ(ini.ReadIniStr("A", "Long", ""), value.substr(0, 253));
    EXPECT_EQ(ini.ReadIniStr("A", "Missing", value), value.substr(0, 253));
}

TEST_F(IniFileTest, UnboundObjectReadsDefaultsAndWritesNothing) {
    cIniFile ini;
    ini.IniFile((dir_ / "none.cfg").string());
    EXPECT_EQ(ini.IniFile(), "");
    EXPECT_EQ(ini.ReadIniStr("A", "k", "d"), "d");
    EXPECT_EQ(ini.ReadIniInt("A", "k", 3), 3);
    EXPECT_EQ(ini.WriteIniStr("A", "k", "v"), 0);
    EXPECT_FALSE(std::filesystem::exists(dir_ / "none.cfg"));
    ini.IniFile(dir_.string());  // a folder is not a file
    EXPECT_EQ(ini.IniFile(), "");
    EXPECT_TRUE(desktop_.Messages().empty());
}

TEST_F(IniFileTest, WritesKeepEverythingElseAndAddWhatIsMissing) {
    cIniFile ini =
        Bound("; notes\r\n[Application]\r\nRunNum=1\r\nPeriod=25\r\n\r\n[Graph]\r\nYMax=10\r\n");
    EXPECT_NE(ini.WriteIniStr("application", "RUNNUM", "2"), 0);
    EXPECT_NE(ini.WriteIniStr("Application", "Units", "0"), 0);
    EXPECT_NE(ini.WriteIniStr("DataLog", "LogFile", "run.log"), 0);
    EXPECT_EQ(
        ReadFileBytes(path_),
        "; notes\r\n[Application]\r\nRUNNUM=2\r\nPeriod=25\r\nUnits=0\r\n\r\n[Graph]\r\nYMax=10\r\n"
        "[DataLog]\r\nLogFile=run.log\r\n");
    EXPECT_EQ(ini.ReadIniStr("Application", "RunNum", ""), "2");
}

TEST_F(IniFileTest, GarbageLinesAreSkippedAndKept) {
    std::string garbage("\x01\xff\x7f no equals here\r\nkey outside=1\r\n[A]\r\nx=1\r\n\0bin=2\r\n",
                        52);
    cIniFile ini = Bound(garbage);
    EXPECT_EQ(ini.ReadIniStr("A", "x", ""), "1");
    EXPECT_EQ(ini.ReadIniStr("A", "key outside", "d"), "d");
    ini.WriteIniStr("A", "y", "2");
    std::string after = ReadFileBytes(path_);
    EXPECT_NE(after.find("\x01\xff\x7f no equals here\r\n"), std::string::npos);
    EXPECT_NE(after.find("x=1\r\n"), std::string::npos);
    EXPECT_NE(after.find("y=2\r\n"), std::string::npos);
}

TEST_F(IniFileTest, ReadOnlyFileIsNotWrittenAndStaysWhole) {
    cIniFile ini = Bound("[A]\r\nx=1\r\n");
    ASSERT_EQ(::chmod(path_.c_str(), 0444), 0);
    zelvo::testing::WithoutRootRights asUser;
    EXPECT_EQ(ini.WriteIniStr("A", "x", "2"), 0);
    EXPECT_EQ(ReadFileBytes(path_), "[A]\r\nx=1\r\n");
    EXPECT_EQ(ini.ReadIniStr("A", "x", ""), "1");
}

TEST_F(IniFileTest, FailedWriteLeavesTheFileWhole) {
    cIniFile ini = Bound("[A]\r\nx=1\r\n");
    std::filesystem::remove(path_);
    std::filesystem::create_directory(path_);  // a folder now stands where the file was
    EXPECT_EQ(ini.WriteIniStr("A", "x", "2"), 0);
    EXPECT_TRUE(std::filesystem::is_directory(path_));
}
