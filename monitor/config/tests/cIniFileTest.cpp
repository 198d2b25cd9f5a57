#include <gtest/gtest.h>
#include <sys/stat.h>

#include "FakeDesktop.hpp"
#include "ScratchFolder.hpp"
#include "cIniFile.hpp"

using namespace zelvo;

namespace {

class IniFileTest : public ::testing::Test {
  protected:
    cIniFile Bound(const std::string& content) {
        WriteFileBytes(path_, content);
        cIniFile ini;
        ini.IniFile(path_);
        return ini;
    }

    zelvo::testing::FakeDesktop desktop_;
    zelvo::testing::ScratchFolder dir_{"ini"};
    std::string path_ = dir_.Path("zelvo.cfg");
};

}  // namespace

TEST_F(IniFileTest, ReadsFieldsDefaultsAndTypes) {
    const std::string v300(300, 'v'), v253(253, 'v');
    cIniFile ini = Bound(
        "[application]\r\nFreq=6100000;5000000;6000000;1\r\nMid=a;;c\r\n"
        "One=whole\r\nPERIOD = 25 \r\nEmpty=\r\nLong=" +
        v300 +
        "\r\nyes=yes\r\non=On\r\nminus=-1\r\ntwo=2\r\nfalse=FALSE\r\n"
        "unit=12.5 nm\r\nletters=abc\r\nbig=40000\r\nneg=-32768\r\n"
        "[Graph]\r\nPeriod=99\r\n");
    auto field = [&](const char* key, const std::string& dflt, int16_t element) {
        return ini.ReadIniStr("APPLICATION", key, dflt, element, ";");
    };
    EXPECT_EQ(field("Missing", "6100000;5000000;6000000;1", 2), "5000000");
    EXPECT_EQ(field("Freq", "", 4), "1");
    EXPECT_EQ(field("Mid", "", 2), "");
    EXPECT_EQ(field("Mid", "", 3), "c");
    EXPECT_EQ(field("Mid", "", 7), "c");
    EXPECT_EQ(field("Mid", "", 0), "a;;c");
    EXPECT_EQ(field("One", "", 3), "whole");
    EXPECT_EQ(field("period", "x", 0), "25");
    EXPECT_EQ(field("Empty", "dflt", 0), "dflt");
    EXPECT_EQ(field("Long", "", 0), v253);
    EXPECT_EQ(field("Missing", v300, 0), v253);
    EXPECT_EQ(ini.ReadIniStr("graph", "Period", "x"), "99");

    const char* a = "Application";
    EXPECT_FLOAT_EQ(ini.ReadIniSingle(a, "Empty", 2.5f), 2.5f);
    EXPECT_FALSE(ini.ReadIniBool(a, "Empty", "TRUE"));
    EXPECT_TRUE(ini.ReadIniBool(a, "Missing", "TRUE"));
    for (const char* key : {"yes", "on"}) EXPECT_TRUE(ini.ReadIniBool(a, key, "FALSE")) << key;
    for (const char* key : {"minus", "two", "false"}) EXPECT_FALSE(ini.ReadIniBool(a, key, "TRUE"));
    EXPECT_FLOAT_EQ(ini.ReadIniSingle(a, "unit", 0), 12.5f);
    EXPECT_FLOAT_EQ(ini.ReadIniSingle(a, "letters", 9), 0);
    EXPECT_FLOAT_EQ(ini.ReadIniSingle(a, "Missing", -1.5f), -1.5f);
    EXPECT_EQ(ini.ReadIniInt(a, "neg", 0), -32768);
    EXPECT_EQ(ini.ReadIniInt(a, "Missing", 7), 7);
    EXPECT_TRUE(desktop_.Messages().empty());

    EXPECT_EQ(ini.ReadIniInt(a, "big", 5), 0);
    ASSERT_EQ(desktop_.Messages().size(), 1u);
    EXPECT_EQ(desktop_.Messages()[0].title, "ReadIniInt");
    EXPECT_EQ(desktop_.Messages()[0].text, "Error: 6. Overflow");
    EXPECT_EQ(desktop_.Messages()[0].buttons, MsgButtons::OK);
}

TEST_F(IniFileTest, WritesKeepEverythingElseAndAddWhatIsMissing) {
    const std::string garbage = "\x01\xff\x7f no equals here\r\nkey outside=1\r\n";
    const std::string binary("\0bin=2\r\n", 8);
    cIniFile ini = Bound("; notes\r\n" + garbage + "[Application]\r\nRunNum=1\r\n" + binary +
                         "Period=25\r\n\r\n[Graph]\r\nYMax=10\r\n");
    EXPECT_EQ(ini.ReadIniStr("Application", "key outside", "d"), "d");
    EXPECT_NE(ini.WriteIniStr("application", "RUNNUM", "2"), 0);
    EXPECT_NE(ini.WriteIniStr("Application", "Units", "0"), 0);
    EXPECT_NE(ini.WriteIniStr("DataLog", "LogFile", "run.log"), 0);
    EXPECT_EQ(ReadFileBytes(path_), "; notes\r\n" + garbage + "[Application]\r\nRUNNUM=2\r\n" +
                                        binary +
                                        "Period=25\r\nUnits=0\r\n\r\n"
                                        "[Graph]\r\nYMax=10\r\n[DataLog]\r\nLogFile=run.log\r\n");
    EXPECT_EQ(ini.ReadIniStr("Application", "RunNum", ""), "2");
}

TEST_F(IniFileTest, MissingReadOnlyAndFolderFilesAreNeverWritten) {
    cIniFile ini;
    ini.IniFile(dir_.Path("none.cfg"));
    EXPECT_EQ(ini.IniFile(), "");
    EXPECT_EQ(ini.ReadIniStr("A", "k", "d"), "d");
    EXPECT_EQ(ini.ReadIniInt("A", "k", 3), 3);
    EXPECT_EQ(ini.WriteIniStr("A", "k", "v"), 0);
    EXPECT_FALSE(std::filesystem::exists(dir_.Path("none.cfg")));
    ini.IniFile(dir_.Folder());  // a folder is not a file
    EXPECT_EQ(ini.IniFile(), "");

    ini = Bound("[A]\r\nx=1\r\n");
    ASSERT_EQ(::chmod(path_.c_str(), 0444), 0);
    {
        zelvo::testing::WithoutRootRights asUser;
        EXPECT_EQ(ini.WriteIniStr("A", "x", "2"), 0);
    }
    EXPECT_EQ(ReadFileBytes(path_), "[A]\r\nx=1\r\n");
    std::filesystem::remove(path_);
    std::filesystem::create_directory(path_);  // a folder now stands where the file was
    EXPECT_EQ(ini.WriteIniStr("A", "x", "2"), 0);
    EXPECT_TRUE(std::filesystem::is_directory(path_));
    EXPECT_TRUE(desktop_.Messages().empty());
}
