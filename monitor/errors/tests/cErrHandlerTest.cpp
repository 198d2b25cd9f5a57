// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "AppInfo.hpp"
#include "FakeDesktop.hpp"
#include "TextFile.hpp"
#include "cErrHandler.hpp"

using namespace zelvo;

namespace {

class ErrHandlerTest : public ::testing::Test {
  protected:
    ErrHandlerTest() {
        std::filesystem::create_directories(dir_);
        SetAppInfo({.folder = dir_.string()});
    }
    ~ErrHandlerTest() override { std::filesystem::remove_all(dir_); }
    std::string Report() { return ReadFileBytes(handler_.Destination()); }

    std::filesystem::path dir_ =
        std::filesystem::temp_directory_path() / ("zelvo-err-" + std::to_string(::getpid()));
    zelvo::testing::FakeDesktop desktop_;
    cErrHandler handler_;
};

}  // namespace

TEST_F(ErrHandlerTest, ReportNamesTheNestedProceduresWithIndentation) {
    for (const char* name : {"frmMain_Load", "frmMain_IniRead"}) handler_.Push(name);
    handler_.HandleError(13, "Type mismatch");
    EXPECT_EQ(ReadFileBytes((dir_ / "ERRORS.TXT").string()),  // in the application folder
              "Zelvo Application Error Information\r\n====================================\r\n"
              "Current Time   : 12/6/2026 10:00:00 AM\r\nError String   : Type mismatch\r\n"
              "Error Number   : 13\r\nError Line     : 0\r\nError Procedure: frmMain_IniRead\r\n"
              "\r\nProcedure Stack\r\n---------------\r\n"
              "01  frmMain_Load\r\n02    frmMain_IniRead\r\n\r\n"
              "\r\nAdditional Information\r\n----------------------\r\nCurrent Directory: " +
                  std::filesystem::current_path().string() +
                  "\r\nApp Title: Zelvo\r\nApp CompanyName: Zelvo Instruments\r\n" +
                  "App Major: 1\r\nApp Minor: 0\r\nApp Revision: 9\r\nApp Path: " + dir_.string() +
                  "\r\nApp ProductName: Zelvo\r\n");
    const auto& m = desktop_.Messages().at(0);
    EXPECT_EQ(m.text,
              "The following error has occurred in procedure: \r\nfrmMain_IniRead on line 0\r\n"
              "Error (13) Type mismatch");
    EXPECT_EQ(m.title, "Zelvo");
    EXPECT_EQ(m.icon, MsgIcon::Critical);
    EXPECT_EQ(desktop_.Beeps(), 1);
}

TEST_F(ErrHandlerTest, OnlyTheLatestReportIsKeptAndClearLogDeletesIt) {
    handler_.IncludeExpandedInfo(false);
    handler_.HandleError(11, "Division by zero");
    EXPECT_TRUE(Report().ends_with("Procedure Stack\r\n---------------\r\n\r\n"));
    handler_.CurrentOperation("Reading sensors");
    handler_.HandleError(6, "Overflow");
    EXPECT_EQ(Report().find("Division by zero"), std::string::npos);
    EXPECT_TRUE(Report().ends_with("-\r\n\r\nCurrent Operation: Reading sensors\r\n"));
    EXPECT_TRUE(desktop_.Messages().back().text.ends_with(
        "Error (6) Overflow\r\nCurrent Operation: Reading sensors"));
    EXPECT_TRUE(handler_.ClearLog());
    EXPECT_FALSE(FileExists(handler_.Destination()));
    EXPECT_TRUE(handler_.ClearLog());  // nothing to delete is not a failure

    // The report keeps the first 255 characters of a long description; the message all.
    const std::string longText = std::string(255, 'a') + "bc";
    handler_.HandleError(75, longText);
    EXPECT_NE(Report().find("Error String   : " + std::string(255, 'a') + "\r\n"),
              std::string::npos);
    EXPECT_NE(desktop_.Messages().back().text.find(longText), std::string::npos);

    handler_.Destination((dir_ / "no-such-folder" / "ERRORS.TXT").string());
    handler_.HandleError(53, "File not found");  // unwritable: the message still shows
    EXPECT_EQ(desktop_.Messages().size(), 4u);
}

TEST_F(ErrHandlerTest, CancelledByListenerSuppressesReportMessageAndSecondEvent) {
    int before = 0, after = 0;
    handler_.OnBeforeHandlerCalled([&](bool& cancel) { cancel = ++before == 1; });
    handler_.OnAfterHandlerCalled([&] { ++after; });
    handler_.HandleError(6, "Overflow");
    EXPECT_EQ(after, 0);
    EXPECT_TRUE(desktop_.Messages().empty());
    EXPECT_FALSE(FileExists(handler_.Destination()));
    EXPECT_EQ(handler_.ErrorNumber(), 6);  // recorded before the event
    handler_.HandleError(6, "Overflow");
    EXPECT_EQ(before + after, 3);
}

TEST_F(ErrHandlerTest, StackStaysBalancedBeyondItsCapacity) {
    handler_.Pop();
    EXPECT_EQ(handler_.StackPointer(), 0);
    handler_.MaxProcStackItems(2);
    for (const char* name : {"a", "b", "c"}) handler_.Push(name);  // "c" is not kept
    handler_.HandleError(6, "Overflow");
    EXPECT_EQ(handler_.ErrorProc(), "");
    handler_.Pop();
    handler_.HandleError(6, "Overflow");
    EXPECT_EQ(handler_.ErrorProc(), "b");
    for (int i = 0; i < 3; ++i) handler_.Pop();
    EXPECT_EQ(handler_.StackPointer(), 0);
}

TEST_F(ErrHandlerTest, TraceRecordsEveryProcedureEnteredOrReportsItsFile) {
    handler_.TraceExecution(true);
    for (const char* name : {"frmMain_Load", "frmMain_IniRead"}) handler_.Push(name);
    handler_.TraceExecution(false);
    handler_.Push("not traced");
    EXPECT_EQ(ReadFileBytes((dir_ / "trace.log").string()), "frmMain_Load\r\nfrmMain_IniRead\r\n");

    SetAppInfo({.folder = (dir_ / "missing").string()});
    handler_.TraceExecution(true);
    EXPECT_FALSE(handler_.TraceExecution());
    EXPECT_EQ(desktop_.Messages().at(0).title, "TraceExecution");
    EXPECT_TRUE(desktop_.Messages()[0].text.starts_with("Error: 53. "));
}

TEST_F(ErrHandlerTest, RunProcedureHandsAFailureToTheHandlerAndPops) {
    ErrHandler().Destination(handler_.Destination());
    EXPECT_TRUE(RunProcedure("frmMain_Load", [] {
        EXPECT_FALSE(RunProcedure("frmMain_IniRead", [] { throw std::runtime_error("boom"); }));
    }));  // the caller carries on
    EXPECT_EQ(ErrHandler().ErrorProc(), "frmMain_IniRead");
    EXPECT_EQ(ErrHandler().ErrorNumber(), 51);  // a failure of no known number
    EXPECT_EQ(ErrHandler().StackPointer(), 0);
}
