#include <gtest/gtest.h>

#include "AppInfo.hpp"
#include "DataLogTestFiles.hpp"
#include "FakeDesktop.hpp"
#include "FileUtil.hpp"
#include "cErrHandler.hpp"

using namespace zelvo;
using zelvo::testing::FakeDesktop;
using zelvo::testing::ScratchFolder;

namespace {

class FileUtilTest : public ::testing::Test {
  protected:
    FakeDesktop desktop;
    ScratchFolder scratch{"fileutil"};

    // The one message shown, which must be a utility failure titled `title`.
    void ExpectOneFailure(const std::string& title, const std::string& start) {
        ASSERT_EQ(desktop.Messages().size(), 1u);
        EXPECT_EQ(desktop.Messages()[0].title, title);
        EXPECT_EQ(desktop.Messages()[0].text.rfind(start, 0), 0u) << desktop.Messages()[0].text;
        EXPECT_EQ(desktop.Messages()[0].buttons, MsgButtons::OK);
        desktop.ClearMessages();
    }
};

}  // namespace

TEST_F(FileUtilTest, AppendCreatesTheFileAndEndsEachLineWithCrLf) {
    EXPECT_TRUE(AppendToTextFile(scratch.Path("a.log"), "one"));
    EXPECT_TRUE(AppendToTextFile(scratch.Path("a.log"), ""));
    EXPECT_TRUE(AppendToTextFile(scratch.Path("a.log"), "three"));
    EXPECT_EQ(scratch.Read("a.log"), "one\r\n\r\nthree\r\n");
    EXPECT_TRUE(desktop.Messages().empty());
}

TEST_F(FileUtilTest, AppendFailuresAreShownAndLeaveNoPartOfTheLine) {
    EXPECT_FALSE(AppendToTextFile(scratch.Path("missing/a.log"), "x"));
    ExpectOneFailure("AppendToTextFile", "Error: 53. ");
    EXPECT_FALSE(AppendToTextFile("", "x"));
    ExpectOneFailure("AppendToTextFile", "Error: 53. ");
    EXPECT_FALSE(AppendToTextFile("/dev/full", std::string(100000, 'x')));
    ExpectOneFailure("AppendToTextFile", "Error: 61. ");
    EXPECT_FALSE(AppendToTextFile(scratch.Path(std::string(4000, 'n')), "x"));
    ExpectOneFailure("AppendToTextFile", "Error: 52. ");

    AppendToTextFile(scratch.Path("ro.log"), "kept");
    ::chmod(scratch.Path("ro.log").c_str(), 0444);
    {
        zelvo::testing::WithoutRootRights unprivileged;
        EXPECT_FALSE(AppendToTextFile(scratch.Path("ro.log"), "lost"));
    }
    ExpectOneFailure("AppendToTextFile", "Error: 70. ");
    EXPECT_EQ(scratch.Read("ro.log"), "kept\r\n");
}

TEST_F(FileUtilTest, KillFilePassesOverMissingFilesAndShowsOtherFailures) {
    AppendToTextFile(scratch.Path("k.log"), "x");
    EXPECT_TRUE(KillFile(scratch.Path("k.log")));
    EXPECT_FALSE(FileExists(scratch.Path("k.log")));
    EXPECT_TRUE(KillFile(scratch.Path("k.log")));
    EXPECT_TRUE(desktop.Messages().empty());
    EXPECT_TRUE(KillFile(scratch.Folder()));  // a folder is not a file to delete
    ExpectOneFailure("KillFile", "Error: ");
}

TEST_F(FileUtilTest, NameAndPathParts) {
    EXPECT_EQ(GetNamePart("/data/runs/Zelvo.log"), "Zelvo.log");
    EXPECT_EQ(GetPathPart("/data/runs/Zelvo.log"), "/data/runs/");
    EXPECT_EQ(GetNamePart("Zelvo.log"), "Zelvo.log");
    EXPECT_EQ(GetPathPart("Zelvo.log"), "");
    EXPECT_EQ(GetNamePart("/data/"), "");
}

TEST_F(FileUtilTest, ShowFileNameShortensLongPathsOutsideTheApplicationFolder) {
    AppInfo info = GetAppInfo();
    info.folder = "/home/op/.local/share/zelvomon";
    SetAppInfo(info);
    EXPECT_EQ(ShowFileName("/home/op/.local/share/zelvomon/run.log"), "run.log");
    EXPECT_EQ(ShowFileName("run.log"), "run.log");
    EXPECT_EQ(ShowFileName("/data/runs/deposits/zelvo1.log"), "/data/runs/deposits/zelvo1.log");
    EXPECT_EQ(ShowFileName("/data/runs/deposits/zelvo12.log"), "/data/runs.../zelvo12.log");
    // Folders differing by letter case are different folders here.
    EXPECT_EQ(ShowFileName("/HOME/OP/.local/share/zelvomon/run.log"), "/HOME/OP/..../run.log");
    EXPECT_EQ(ErrHandler().StackPointer(), 0);
    info.folder = ".";
    SetAppInfo(info);
}

TEST_F(FileUtilTest, LaunchDocumentOpensAbsolutePathsAndShowsARefusal) {
    EXPECT_TRUE(LaunchDocument("/data/x.log", ""));
    EXPECT_TRUE(LaunchDocument("x.log", "/data"));
    EXPECT_TRUE(LaunchDocument("x.log", ""));
    ASSERT_EQ(desktop.OpenedDocuments().size(), 3u);
    EXPECT_EQ(desktop.OpenedDocuments()[0], "/data/x.log");
    EXPECT_EQ(desktop.OpenedDocuments()[1], "/data/x.log");
    EXPECT_EQ(desktop.OpenedDocuments()[2], (std::filesystem::current_path() / "x.log").string());
    desktop.SetOpenDocumentResult(false);
    EXPECT_FALSE(LaunchDocument("/data/x.log", ""));
    ExpectOneFailure("LaunchDocument", "Error: 75. ");
}
