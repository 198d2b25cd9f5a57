#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "AppInfo.hpp"
#include "FakeDesktop.hpp"
#include "TextFile.hpp"
#include "cErrHandler.hpp"

using namespace zelvo;

namespace {

bool EndsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() &&
           text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

class ErrHandlerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() / ("zelvo-err-" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir_);
        AppInfo info;
        info.folder = dir_.string();
        SetAppInfo(info);
        handler_ = std::make_unique<cErrHandler>();
    }
    void TearDown() override {
        handler_.reset();
        std::filesystem::remove_all(dir_);
    }
    std::string Report() { return ReadFileBytes(handler_->Destination()); }

    zelvo::testing::FakeDesktop desktop_;
    std::filesystem::path dir_;
    std::unique_ptr<cErrHandler> handler_;
};

}  // namespace

TEST_F(ErrHandlerTest, DefaultsAndReportPathInTheApplicationFolder) {
    EXPECT_EQ(handler_->Destination(), (dir_ / "ERRORS.TXT").string());
    EXPECT_TRUE(handler_->DisplayMsgOnError());
    EXPECT_TRUE(handler_->IncludeExpandedInfo());
    EXPECT_FALSE(handler_->TraceExecution());
    EXPECT_EQ(handler_->MaxProcStackItems(), 100);
    EXPECT_EQ(handler_->Title(), "");

    // The default follows the application folder until a path is set.
    AppInfo moved;
    moved.folder = "/var/tmp/zelvo";
    SetAppInfo(moved);
    EXPECT_EQ(handler_->Destination(), "/var/tmp/zelvo/ERRORS.TXT");
    handler_->Destination("/tmp/report.txt");
    SetAppInfo(AppInfo{});
    EXPECT_EQ(handler_->Destination(), "/tmp/report.txt");
}

TEST_F(ErrHandlerTest, ReportNamesTheNestedProceduresWithIndentation) {
    handler_->Push("frmMain_Load");
    handler_->Push("frmMain_IniRead");
    handler_->HandleError(13, "Type mismatch");

    const std::string expectedHead =
        "Zelvo Application Error Information\r\n"
        "====================================\r\n"
        "Current Time   : 12/6/2026 10:00:00 AM\r\n"
        "Error String   : Type mismatch\r\n"
        "Error Number   : 13\r\n"
        "Error Line     : 0\r\n"
        "Error Procedure: frmMain_IniRead\r\n"
        "\r\n"
        "Procedure Stack\r\n"
        "---------------\r\n"
        "01  frmMain_Load\r\n"
        "02    frmMain_IniRead\r\n"
        "\r\n"
        "\r\n"
        "Additional Information\r\n"
        "----------------------\r\n";
    std::string report = Report();
    EXPECT_EQ(report.substr(0, expectedHead.size()), expectedHead);
    EXPECT_NE(report.find("App Title: Zelvo\r\nApp CompanyName: "), std::string::npos);
    EXPECT_NE(report.find("App Major: 1\r\nApp Minor: 0\r\nApp Revision: 9\r\nApp Path: " +
                          dir_.string() + "\r\nApp ProductName: Zelvo\r\n"),
              std::string::npos);

    ASSERT_EQ(desktop_.Messages().size(), 1u);
    const auto& m = desktop_.Messages()[0];
    EXPECT_EQ(m.text,
              "The following error has occurred in procedure: \r\nfrmMain_IniRead on line 0\r\n"
              "Error (13) Type mismatch");
    EXPECT_EQ(m.title, "Zelvo");
    EXPECT_EQ(m.icon, MsgIcon::Critical);
    EXPECT_EQ(m.buttons, MsgButtons::OK);
    EXPECT_EQ(desktop_.Beeps(), 1);
    EXPECT_EQ(handler_->ErrorProc(), "frmMain_IniRead");
}

TEST_F(ErrHandlerTest, WithoutExpandedInfoTheReportEndsAfterTheStackOrCurrentOperation) {
    handler_->IncludeExpandedInfo(false);
    handler_->HandleError(5, "Invalid procedure call");
    std::string report = Report();
    EXPECT_TRUE(EndsWith(report, "Procedure Stack\r\n---------------\r\n\r\n"));

    handler_->CurrentOperation("Reading sensors");
    handler_->HandleError(5, "Invalid procedure call");
    report = Report();
    EXPECT_TRUE(EndsWith(report, "---------------\r\n\r\nCurrent Operation: Reading sensors\r\n"));
    EXPECT_NE(desktop_.Messages().back().text.find("\r\nCurrent Operation: Reading sensors"),
              std::string::npos);
}

TEST_F(ErrHandlerTest, OnlyTheLatestReportIsKept) {
    handler_->HandleError(11, "Division by zero");
    handler_->HandleError(6, "Overflow");
    std::string report = Report();
    EXPECT_EQ(report.find("Division by zero"), std::string::npos);
    EXPECT_NE(report.find("Error String   : Overflow"), std::string::npos);
    EXPECT_TRUE(handler_->ClearLog());
    EXPECT_FALSE(FileExists(handler_->Destination()));
    EXPECT_TRUE(handler_->ClearLog());  // nothing to delete is not a failure
}

TEST_F(ErrHandlerTest, UnwritableReportStillShowsTheMessage) {
    handler_->Destination((dir_ / "no-such-folder" / "ERRORS.TXT").string());
    handler_->HandleError(53, "File not found");
    EXPECT_EQ(desktop_.Messages().size(), 1u);
}

TEST_F(ErrHandlerTest, CancelledByListenerSuppressesReportMessageAndSecondEvent) {
    int before = 0, after = 0;
    handler_->OnBeforeHandlerCalled([&](bool& cancel) {
        ++before;
        cancel = true;
    });
    handler_->OnAfterHandlerCalled([&] { ++after; });
    handler_->HandleError(6, "Overflow");
    EXPECT_EQ(before, 1);
    EXPECT_EQ(after, 0);
    EXPECT_TRUE(desktop_.Messages().empty());
    EXPECT_FALSE(FileExists(handler_->Destination()));
    EXPECT_EQ(handler_->ErrorNumber(), 6);  // recorded before the event

    handler_->OnBeforeHandlerCalled(nullptr);
    handler_->HandleError(6, "Overflow");
    EXPECT_EQ(after, 1);
}

TEST_F(ErrHandlerTest, StackStaysBalancedBeyondItsCapacity) {
    handler_->Pop();
    EXPECT_EQ(handler_->StackPointer(), 0);
    handler_->MaxProcStackItems(2);
    handler_->Push("a");
    handler_->Push("b");
    handler_->Push("c");  // not kept
    EXPECT_EQ(handler_->StackPointer(), 3);
    handler_->HandleError(6, "Overflow");
    EXPECT_EQ(handler_->ErrorProc(), "");
    handler_->Pop();
    EXPECT_EQ(handler_->ErrorProc(), "");
    handler_->HandleError(6, "Overflow");
    EXPECT_EQ(handler_->ErrorProc(), "b");
    handler_->Pop();
    handler_->Pop();
    EXPECT_EQ(handler_->StackPointer(), 0);
    EXPECT_EQ(handler_->StackEntry(1), "");
}

TEST_F(ErrHandlerTest, TraceRecordsEveryProcedureEntered) {
    handler_->TraceExecution(true);
    handler_->Push("frmMain_Load");
    handler_->Push("frmMain_IniRead");
    handler_->Pop();
    handler_->TraceExecution(false);
    handler_->Push("not traced");
    EXPECT_EQ(ReadFileBytes((dir_ / "trace.log").string()), "frmMain_Load\r\nfrmMain_IniRead\r\n");
}

TEST_F(ErrHandlerTest, TraceFileThatCannotBeOpenedIsReported) {
    AppInfo info;
    info.folder = (dir_ / "missing").string();
    SetAppInfo(info);
    handler_->TraceExecution(true);
    EXPECT_FALSE(handler_->TraceExecution());
    ASSERT_EQ(desktop_.Messages().size(), 1u);
    EXPECT_EQ(desktop_.Messages()[0].title, "TraceExecution");
    EXPECT_EQ(desktop_.Messages()[0].text.rfind("Error: 53. ", 0), 0u);
}

TEST_F(ErrHandlerTest, RunProcedureReportsAFailureUnderItsNameAndPops) {
    ErrHandler().Destination((dir_ / "ERRORS.TXT").string());
    bool finished = RunProcedure("frmMain_Load", [] {
        RunProcedure("frmMain_IniRead",
                     [] { throw ZelvoError(err::TypeMismatch, "Type mismatch"); });
    });
    EXPECT_TRUE(finished);  // the caller carries on
    EXPECT_EQ(ErrHandler().StackPointer(), 0);
    EXPECT_EQ(ErrHandler().ErrorProc(), "frmMain_IniRead");
    EXPECT_NE(ReadFileBytes(ErrHandler().Destination())
                  .find("01  frmMain_Load\r\n02    frmMain_IniRead\r\n"),
              std::string::npos);
    EXPECT_FALSE(RunProcedure("x", [] { throw std::runtime_error("boom"); }));
    EXPECT_EQ(ErrHandler().ErrorNumber(), 51);
}
