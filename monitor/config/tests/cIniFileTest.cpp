// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "FakeDesktop.hpp"
#include "FileSizeLimit.hpp"
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

TEST_F(IniFileTest, ReadsLineEndsMarksAndQuotesAsThePlatformDoes) {
    struct Case {
        std::string content;
        const char* key;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {"[A]\rx=1\ry=2\r", "y", "2"},                   // CR only
        {"[A]\r\r\nx=1\r\r\ny=2\r\r\n", "x", "1"},       // CR CR LF
        {"[A]\n\rx=1\n\r", "x", "1"},                    // LF CR
        {"\xEF\xBB\xBF[A]\r\nx=1\r\n", "x", "1"},        // byte-order mark
        {"[A]\r\nx='hello'\r\n", "x", "hello"},          // single quotes
        {"[A]\r\nx=\"it's\"\r\n", "x", "it's"},          // double quotes
        {"[A]\r\nx='mixed\"\r\n", "x", "'mixed\""},      // no matching pair
        {"[A]\r\nx=1\x1A", "x", "1"},                    // DOS end-of-file mark
        {"[A]\r\n\x1Ax\x1A=\x1A 1 \x1A\r\n", "x", "1"},  // counts as a blank
    };
    for (const Case& c : cases) {
        cIniFile ini = Bound(c.content);
        EXPECT_EQ(ini.ReadIniStr("A", c.key, "<missing>"), c.expected) << c.content;
    }
    cIniFile ini = Bound("[A]\r\non='on'\r\n");
    EXPECT_TRUE(ini.ReadIniBool("A", "on", "FALSE"));
}

TEST_F(IniFileTest, WritesKeepUntouchedLinesByteForByte) {
    struct Case {
        std::string before;
        const char* key;
        const char* value;
        std::string after;
    };
    const std::vector<Case> cases = {
        {"[A]\rx=1\ry=2\r", "x", "5", "[A]\rx=5\ry=2\r"},
        {"[A]\rx=1\r\r[B]\rz=0\r", "y", "2", "[A]\rx=1\ry=2\r\r[B]\rz=0\r"},
        {"[A]\r\nx=1\ny=2\r", "z", "3", "[A]\r\nx=1\ny=2\rz=3\r\n"},  // the file's first line end
        {"[A]\r\r\nx=1\r\r\n", "y", "2", "[A]\r\r\nx=1\r\r\ny=2\r\r\n"},
        {"[A]\nx=1", "y", "2", "[A]\nx=1\ny=2\n"},
        {"\xEF\xBB\xBF[A]\r\nx=1\r\n", "x", "2", "\xEF\xBB\xBF[A]\r\nx=2\r\n"},
        {"[A]\r\nx=1\r\n\x1A", "y", "2", "[A]\r\nx=1\r\ny=2\r\n\x1A"},
        {"[B]\rz=0\r\x1A", "x", "1", "[B]\rz=0\r[A]\rx=1\r\x1A"},     // a new section too
        {"[A]\r\nx=\"same\"\n", "x", "same", "[A]\r\nx=\"same\"\n"},  // equal value: untouched
        {"; only a note", "x", "1", "; only a note\r\n[A]\r\nx=1\r\n"},
        {"", "x", "1", "[A]\r\nx=1\r\n"},
    };
    for (const Case& c : cases) {
        cIniFile ini = Bound(c.before);
        EXPECT_NE(ini.WriteIniStr("A", c.key, c.value), 0) << c.before;
        EXPECT_EQ(ReadFileBytes(path_), c.after) << c.before;
    }
    // An equal value leaves the file itself alone, not only its bytes.
    cIniFile ini = Bound("[A]\r\nx=1\r\n");
    struct stat before {
    }, after{};
    ASSERT_EQ(::stat(path_.c_str(), &before), 0);
    EXPECT_NE(ini.WriteIniStr("a", "X", "1"), 0);
    ASSERT_EQ(::stat(path_.c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino);
}

TEST_F(IniFileTest, RewriteReplacesTheFileKeepingLinkOwnerAndMode) {
    const std::string target = dir_.Path("real.cfg");
    WriteFileBytes(target, "[A]\r\nx=1\r\n");
    ASSERT_EQ(::chmod(target.c_str(), 0640), 0);
    const bool root = ::geteuid() == 0;
    if (root) {
        ASSERT_EQ(::chown(target.c_str(), 65534, 65534), 0);
    }
    std::filesystem::create_symlink("real.cfg", path_);
    struct stat before {};
    ASSERT_EQ(::stat(target.c_str(), &before), 0);

    cIniFile ini;
    ini.IniFile(path_);
    EXPECT_NE(ini.WriteIniStr("A", "x", "2"), 0);
    EXPECT_TRUE(std::filesystem::is_symlink(path_));
    EXPECT_EQ(ReadFileBytes(target), "[A]\r\nx=2\r\n");
    struct stat after {};
    ASSERT_EQ(::stat(target.c_str(), &after), 0);
    EXPECT_NE(after.st_ino, before.st_ino);  // a new file took the old one's place
    EXPECT_EQ(after.st_mode & 07777, 0640u);
    if (root) {
        EXPECT_EQ(std::make_pair(after.st_uid, after.st_gid), std::make_pair(65534u, 65534u));
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_.Folder()), {}), 2);
}

TEST_F(IniFileTest, AWriteThatCannotCompleteLeavesTheOldFileWhole) {
    const std::string old = "[A]\r\nx=1\r\n" + std::string(200, ';') + "\r\n";
    const std::string longer(400, 'v');
    // Writes the longer value as a user whose files may grow to `limit` bytes: 1 when written.
    auto writeWithin = [&](rlim_t limit) {
        return zelvo::testing::WithFileSizeLimit(limit, [&] {
            zelvo::testing::WithoutRootRights asUser;
            cIniFile ini;
            ini.IniFile(path_);
            return ini.WriteIniStr("A", "x", longer) != 0 ? 1 : 0;
        });
    };
    for (bool folderReadOnly : {false, true}) {
        SCOPED_TRACE(folderReadOnly ? "read-only folder" : "writable folder");
        WriteFileBytes(path_, old);
        ASSERT_EQ(::chmod(path_.c_str(), 0666), 0);
        if (folderReadOnly) {
            ASSERT_EQ(::chmod(dir_.Folder().c_str(), 0555), 0);
        }
        EXPECT_EQ(writeWithin(old.size() + 100), 0);
        EXPECT_EQ(ReadFileBytes(path_), old);
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_.Folder()), {}), 1);
        EXPECT_EQ(writeWithin(old.size() + 1000), 1);
        EXPECT_EQ(ReadFileBytes(path_),
                  "[A]\r\nx=" + longer + "\r\n" + std::string(200, ';') + "\r\n");
        ASSERT_EQ(::chmod(dir_.Folder().c_str(), 0777), 0);
    }
}
