// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cmath>
#include <cstring>

#include "AppInfo.hpp"
#include "DataLog.hpp"
#include "DataLogFormat.hpp"
#include "FakeDesktop.hpp"
#include "FileSizeLimit.hpp"
#include "FileUtil.hpp"
#include "MonitorTexts.hpp"
#include "RunClock.hpp"
#include "ScratchFolder.hpp"
#include "cErrHandler.hpp"

using namespace zelvo;
using zelvo::testing::FakeDesktop;
using zelvo::testing::ScratchFolder;

namespace {

class DataLogTest : public ::testing::Test {
  protected:
    DataLogTest() {
        state.LogFile = scratch.Path("Zelvo.log");
        state.LogEnabled = 1;
        state.ShowLast = 1;
        desktop.SetShortDate("6/12/2026");
    }

    // Start as run control does it: run number advanced, file chosen, start block.
    void Start() {
        ++state.RunNum;
        log.ChooseLogPath();
        if (state.LogEnabled > 0) log.StartLog();
        state.RunMode = kRunning;
        StartRunClock(state);
    }
    // A sweep at the time of day `at`, reached by letting the clocks run.
    void Sweep(double at, bool secondValid) {
        const double step = at - desktop.SecondsSinceMidnight();
        desktop.AdvanceMs(static_cast<uint32_t>(std::lround(step * 1000)));
        desktop.SetSecondsSinceMidnight(at);
        // A channel that read before but failed in this sweep writes the filler.
        state.ChannelValid = {true, true};
        state.ChannelReadInSweep = {true, secondValid};
        log.LogRecord();
    }
    void Stop() {
        if (state.LogEnabled == 1) log.StopLog();
        state.RunMode = kStopped;
    }
    // The one message shown, a utility failure titled `title` starting with `start`.
    void ExpectOneFailure(const std::string& title, const std::string& start) {
        ASSERT_EQ(desktop.Messages().size(), 1u);
        EXPECT_EQ(desktop.Messages()[0].title, title);
        EXPECT_EQ(desktop.Messages()[0].text.rfind(start, 0), 0u) << desktop.Messages()[0].text;
        EXPECT_EQ(desktop.Messages()[0].buttons, MsgButtons::OK);
        desktop.ClearMessages();
    }

    FakeDesktop desktop;
    ScratchFolder scratch{"datalog"};
    MainState state;
    DataLog log{state};
};

}  // namespace

TEST_F(DataLogTest, TwoChannelRunWithAFailingSecondChannelMatchesTheExample) {
    state.RunNum = 11;
    desktop.SetSecondsSinceMidnight(9 * 3600 + 5 * 60 + 2.5);
    Start();
    FilterOf(state, 0).Size(2);  // the record carries the filtered rate
    FilterOf(state, 0).Push(1.27);
    state.ChannelValues[kValueThickness] = {0.004, 0};
    state.ChannelValues[kValueFrequency] = {5987654.32, 5999012.1};
    Sweep(9 * 3600 + 5 * 60 + 3, true);
    FilterOf(state, 0).Push(1.35);
    state.ChannelValues[kValueThickness][0] = 0.005;
    state.ChannelValues[kValueFrequency][0] = 5987641.07;
    Sweep(9 * 3600 + 5 * 60 + 3.5, false);
    desktop.SetSecondsSinceMidnight(9 * 3600 + 5 * 60 + 4);
    Stop();
    EXPECT_EQ(scratch.Read("Zelvo.log"),
              "Start Log\tRun: 12\tDate: 6/12/2026   Time: 9:05:02\r\n"
              "Time, Rate(A/s), Thick(kA), Frequency(Hz)\r\n"
              "0.50, 01.27, 00.004, 5987654.32, 00.00, 00.000, 5999012.10, \r\n"
              "1.00, 01.31, 00.005, 5987641.07,      ,       ,           , \r\n"
              "Stop Log\tRun: 12\tDate: 6/12/2026   Time: 9:05:04\r\n");
    EXPECT_TRUE(desktop.Messages().empty());
}

TEST_F(DataLogTest, LogTypesChooseTheFileOfEachRun) {
    state.LogType = kLogAppend;
    Start();
    Sweep(12 * 3600 + 1, true);
    Stop();
    Start();
    Stop();
    const std::string appended = scratch.Read("Zelvo.log");
    EXPECT_EQ(appended.find("Start Log\tRun: 2"), 0u);
    EXPECT_NE(
        appended.find("Stop Log\tRun: 2\tDate: 6/12/2026   Time: 12:00:01\r\nStart Log\tRun: 3"),
        std::string::npos);

    // Overwrite deletes the previous run's file at Start, also with the log off.
    state.LogType = kLogOverwrite;
    state.LogEnabled = 0;
    Start();
    EXPECT_FALSE(FileExists(scratch.Path("Zelvo.log")));
    Stop();

    state.LogType = kLogRunNumbered;
    state.LogEnabled = 1;
    state.RunNum = 6;
    Start();
    EXPECT_EQ(state.LogPath, scratch.Path("Zelvo_7.log"));
    EXPECT_EQ(scratch.Read("Zelvo_7.log").find("Start Log\tRun: 7"), 0u);
    // The view button opens the unnumbered name, or Zelvo.LOG without one.
    log.cmdView_Click();
    state.LogFile.clear();
    log.cmdView_Click();
    EXPECT_EQ(desktop.OpenedDocuments(),
              (std::vector<std::string>{scratch.Path("Zelvo.log"),
                                        (std::filesystem::current_path() / "Zelvo.LOG").string()}));
}

TEST_F(DataLogTest, LogSwitchDuringARunOpensAndClosesBlocks) {
    state.LogEnabled = 0;
    Start();
    state.RunMode = kPaused;
    log.optLog_Click(1);
    EXPECT_EQ(state.LogEnabled, 1);
    EXPECT_EQ(scratch.Read("Zelvo.log"),
              "Start Log\tRun: 2\tDate: 6/12/2026   Time: 12:00:00\r\n"
              "Time, Rate(A/s), Thick(kA), Frequency(Hz)\r\n");
    log.optLog_Click(0);
    EXPECT_EQ(scratch.Read("Zelvo.log").substr(94),
              "Stop Log\tRun: 2\tDate: 6/12/2026   Time: 12:00:00\r\n");

    state.RunMode = kStopped;
    log.optLog_Click(1);  // no run: nothing written
    log.optLogType_Click(2);
    state.StartingUp = true;  // clicks while the window loads change nothing
    log.optLog_Click(0);
    log.optLogType_Click(1);
    EXPECT_EQ(std::tie(state.LogEnabled, state.LogType), std::make_tuple(1, kLogRunNumbered));
    EXPECT_EQ(scratch.Read("Zelvo.log").size(), 144u);
}

// Deliberate: a lasting write failure is shown once, not on every sweep; the lines
// it cost are counted and said when the log is written again or left.
TEST_F(DataLogTest, AWriteFailureIsShownOnceAndTheLinesItCostAreCounted) {
    state.LogType = kLogAppend;
    state.LogFile = scratch.Path("gone/Zelvo.log");
    desktop.SetSecondsSinceMidnight(12 * 3600);
    Start();  // start line and header fail: one message
    for (int i = 0; i < 20; ++i) Sweep(12 * 3600 + 0.1 * i, true);
    ExpectOneFailure("AppendToTextFile", "Error: 53. ");
    EXPECT_TRUE(log.FailureShown());

    std::filesystem::create_directory(scratch.Path("gone"));
    Sweep(12 * 3600 + 3, true);  // written again
    EXPECT_FALSE(log.FailureShown());
    ExpectOneFailure("Zelvo", "22 lines of the data log could not be written to " +
                                  scratch.Path("gone/Zelvo.log") + " (12:00:00 to 12:00:01).");
    state.LogPath = "/dev/full";
    Sweep(12 * 3600 + 4, true);
    ExpectOneFailure("AppendToTextFile", "Error: 61. No space left on device");
    EXPECT_EQ(scratch.Read("gone/Zelvo.log"),
              "3.00, 00.00, 00.000, 0.00, 00.00, 00.000, 0.00, \r\n");
    Stop();  // the stop line fails too: the lines lost so far are said at the end
    ExpectOneFailure("Zelvo",
                     "2 lines of the data log could not be written to /dev/full "
                     "(12:00:04 to 12:00:04).");
    state.LogFile = scratch.Path("gone2/Zelvo.log");
    Start();  // a new run's file: its first failure is shown
    ExpectOneFailure("AppendToTextFile", "Error: 53. ");
    log.ChooseLogPath();  // the next run's file: this run's losses are said first
    ExpectOneFailure("Zelvo", "2 lines of the data log could not be written to " +
                                  scratch.Path("gone2/Zelvo.log") + " (12:00:04 to 12:00:04).");
}

// A LogFile naming a file the monitor did not write (a colleague's setup file
// naming a thesis) must not cost that file: it is neither deleted nor written, and
// the operator is told once.
TEST_F(DataLogTest, OnlyADataLogOfThisProgramIsDeletedOrWritten) {
    const std::string foreign = "Chapter 1\r\nStart Log\tRun: 1\r\n";
    // An earlier run's log, begun in the mass units (this run uses kA).
    const std::string own =
        LogStartLine(40, "1.2.2024", "23:59:59") + "\r\n" + LogColumnHeader(1) + "\r\n";
    for (int16_t type : {kLogOverwrite, kLogAppend, kLogRunNumbered}) {
        for (const std::string& content : {foreign, own, std::string()}) {
            SCOPED_TRACE(std::to_string(type) + ": " + content);
            state.LogType = type;
            const std::string file =
                scratch.Path(type == kLogRunNumbered ? "Zelvo_7.log" : "Zelvo.log");
            WriteFileBytes(file, content);
            // The second run starts with the log off (Overwrite deletes all the same).
            for (int16_t enabled : {1, 0}) {
                std::tie(state.RunNum, state.LogEnabled) = std::make_tuple(6, enabled);
                Start();
                log.optLog_Click(1);
                for (int i = 1; i <= 3; ++i) Sweep(12 * 3600 + i, true);
                Stop();
            }
            // A foreign file byte for byte; a log with the run's lines first or after it.
            const bool used = content != foreign;
            const std::string start =
                (type == kLogOverwrite ? "" : content) + "Start Log\tRun: 7\t";
            EXPECT_EQ(ReadFileBytes(file).substr(0, used ? start.size() : std::string::npos),
                      used ? start : foreign);
            ASSERT_EQ(desktop.Messages().size(), used ? 0u : 1u);
            for (const auto& m : desktop.Messages())
                EXPECT_EQ(std::make_tuple(m.title, m.text, m.icon),
                          std::make_tuple(GetAppInfo().title, file + texts::kNotADataLog,
                                          MsgIcon::Exclamation));
            desktop.ClearMessages();
        }
    }
}

TEST_F(DataLogTest, FileRoutinesShowTheirOwnFailures) {
    for (const char* text : {"one", "", "three"})
        EXPECT_TRUE(AppendToTextFile(state.LogFile, text));
    EXPECT_EQ(scratch.Read("Zelvo.log"), "one\r\n\r\nthree\r\n");
    EXPECT_TRUE(desktop.Messages().empty());
    EXPECT_FALSE(AppendToTextFile("", "x"));
    ExpectOneFailure("AppendToTextFile", "Error: 53. ");
    EXPECT_FALSE(AppendToTextFile(scratch.Path(std::string(4000, 'n')), "x"));
    ExpectOneFailure("AppendToTextFile", "Error: 52. ");
    ::chmod(state.LogFile.c_str(), 0444);
    {
        zelvo::testing::WithoutRootRights unprivileged;
        EXPECT_FALSE(AppendToTextFile(state.LogFile, "lost"));
    }
    ExpectOneFailure("AppendToTextFile", "Error: 70. ");
    EXPECT_EQ(scratch.Read("Zelvo.log"), "one\r\n\r\nthree\r\n");  // no part of the line
    ::chmod(state.LogFile.c_str(), 0644);
    // A disk that fills in the middle of a line: the part written is taken back.
    const std::string path = state.LogFile;
    int written = zelvo::testing::WithFileSizeLimit(
        20, [&] { return AppendToTextFile(path, std::string(30, 'x')) ? 1 : 0; });
    EXPECT_EQ(written, 0);
    EXPECT_EQ(scratch.Read("Zelvo.log"), "one\r\n\r\nthree\r\n");

    EXPECT_TRUE(KillFile(state.LogFile));
    EXPECT_FALSE(FileExists(state.LogFile));
    EXPECT_TRUE(KillFile(state.LogFile));  // already gone: nothing to say
    EXPECT_TRUE(desktop.Messages().empty());
    EXPECT_TRUE(KillFile(scratch.Folder()));  // a folder is not a file to delete
    ExpectOneFailure("KillFile", "Error: ");

    EXPECT_TRUE(LaunchDocument("/data/x.log", ""));
    EXPECT_TRUE(LaunchDocument("x.log", "/data"));
    EXPECT_TRUE(LaunchDocument("x.log", ""));
    EXPECT_EQ(desktop.OpenedDocuments(),
              (std::vector<std::string>{"/data/x.log", "/data/x.log",
                                        (std::filesystem::current_path() / "x.log").string()}));
    desktop.SetOpenDocumentResult(false);
    EXPECT_FALSE(LaunchDocument("/data/x.log", ""));
    ExpectOneFailure("LaunchDocument", "Error: 75. ");
}

TEST(DataLogTextTest, OnlyTheLogsOwnStartLineMarksADataLog) {
    // The date is the user's short date, of any form, even empty.
    for (auto [date, time] : {std::pair{"6/12/2026", 0.0}, {"12. 6. 2026", 86399.0}, {"", 3.0}})
        EXPECT_TRUE(IsDataLogStartLine(LogStartLine(12, date, LogTimeOfDay(time)))) << date;
    EXPECT_FALSE(IsDataLogStartLine("Time,Rate,Thickness,Frequency"));
    const std::string line = "Start Log\tRun: 12\tDate: 6/12/2026   Time: 9:05:03";
    // Near misses: a part of a good line replaced.
    const std::pair<const char*, const char*> misses[] = {
        {"Start", "Notes on the Start"}, {"\tR", " R"}, {"12", "012"}, {":03", ""}};
    for (auto [from, to] : misses) {
        std::string miss = line;
        miss.replace(miss.find(from), strlen(from), to);
        EXPECT_FALSE(IsDataLogStartLine(miss)) << miss;
    }
}

TEST(DataLogTextTest, LinesRunFilesDialogChoicesAndShortForms) {
    EXPECT_EQ(LogColumnHeader(1), "Time, MassRate, Mass, Frequency");
    EXPECT_EQ(LogColumnHeader(2), "Time, Rate(A/s), Thick(A), Frequency(Hz)");
    EXPECT_EQ(LogColumnHeader(7), LogColumnHeader(0));
    EXPECT_EQ(LogStopLine(3, "d", LogTimeOfDay(86399.99)),
              "Stop Log\tRun: 3\tDate: d   Time: 23:59:59");
    EXPECT_EQ(LogRecordLine(12.345, {LogChannelValues{-3.5, 123.4567, 5e6}}),
              "12.35, -03.50, 123.457, 5000000.00, ");
    EXPECT_EQ(LogPathFor(kLogRunNumbered, "Zelvo", 7), "Zelvo_7");
    EXPECT_EQ(LogPathFor(kLogRunNumbered, ".log", 7), ".log_7");
    EXPECT_EQ(LogPathFor(kLogRunNumbered, "run.a.b", 12), "run_12.a.b");
    // Deliberate: a dotted folder keeps its name; the file's own name is numbered.
    EXPECT_EQ(LogPathFor(kLogRunNumbered, "/home/op/.logs/run.log", 3), "/home/op/.logs/run_3.log");
    EXPECT_EQ(LogPathFor(kLogRunNumbered, "/home/op/.logs/.log", 3), "/home/op/.logs/.log_3");
    EXPECT_EQ(LogDialogDefaultExt("Zelvo.txt"), "txt");
    for (const char* name : {"Zelvo.text", "Zelvo", ".lo"})
        EXPECT_EQ(LogDialogDefaultExt(name), "LOG");

    AppInfo info = GetAppInfo();
    info.folder = "/home/op/zelvomon";
    SetAppInfo(info);
    EXPECT_EQ(LogFileForChoice("/home/op/zelvomon/run.log"), "run.log");
    EXPECT_EQ(LogFileForChoice("/home/op/zelvomon/old/run.log"), "/home/op/zelvomon/old/run.log");
    EXPECT_EQ(ShowFileName("/home/op/zelvomon/run.log"), "run.log");
    EXPECT_EQ(ShowFileName("run.log"), "run.log");
    EXPECT_EQ(ShowFileName("/data/runs/deposits/zelvo1.log"), "/data/runs/deposits/zelvo1.log");
    EXPECT_EQ(ShowFileName("/data/runs/deposits/zelvo12.log"), "/data/runs.../zelvo12.log");
    // Deliberate: folders differing by letter case are different folders here.
    EXPECT_EQ(ShowFileName("/HOME/OP/zelvomon/run.log"), "/HOME/OP/zelvomon/run.log");
    EXPECT_EQ(ErrHandler().StackPointer(), 0);
    info.folder = ".";
    SetAppInfo(info);
}
