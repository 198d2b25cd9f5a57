// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "../../config/tests/ScratchFolder.hpp"
#include "AppInfo.hpp"
#include "FakeDesktop.hpp"
#include "FileCommands.hpp"
#include "ScriptedChooser.hpp"
#include "SetupFile.hpp"
#include "TextFile.hpp"
#include "cErrHandler.hpp"
#include "cFileDialog.hpp"
#include "testing/MainViewDoubles.hpp"

namespace zelvo {
namespace {

using namespace std::string_literals;

TEST(FileDialogTest, FilterTextNulsAndPairs) {
    EXPECT_EQ(FilterBuffer(""), "\0\0"s);
    EXPECT_EQ(FilterBuffer("Setup files (*.cfg)|*.cfg"), "Setup files (*.cfg)\0*.cfg\0\0"s);
    EXPECT_EQ(FilterBuffer("A|*.a|"), "A\0*.a\0\0\0"s);
    EXPECT_TRUE(FilterPairs("").empty());
    EXPECT_EQ(
        FilterPairs("Log files (*.LOG)|*.LOG|All Files (*.*)|*.*"),
        (std::vector<FilterPair>{{"Log files (*.LOG)", "*.LOG"}, {"All Files (*.*)", "*.*"}}));
    EXPECT_EQ(FilterPairs("A|*.a|B"), (std::vector<FilterPair>{{"A", "*.a"}}));
    EXPECT_EQ(TrimNulls("name.cfg\0junk"s), "name.cfg");
    EXPECT_EQ(TrimNulls("\0abc"s), "");
    EXPECT_EQ(TrimNulls("plain"), "plain");
}

TEST(FileDialogTest, ShowTranslatesTheFlagsAndReturnsPathAndTitle) {
    testing::ScriptedChooser chooser;
    cFileDialog dialog;
    dialog.DialogTitle = "Save LogFile As";
    dialog.Filter = "Log files (*.LOG)|*.LOG";
    dialog.DefaultExt = "LOG";
    dialog.InitialDir = "/data";
    dialog.FileName = "Zelvo.LOG";
    dialog.Flags = 0x806;
    chooser.answers = {"/data/run/today.LOG\0rest"s};
    ASSERT_TRUE(dialog.Show(false));
    EXPECT_EQ(dialog.FileName, "/data/run/today.LOG");
    EXPECT_EQ(dialog.FileTitle, "today.LOG");
    const FileRequest& save = chooser.requests.back();
    EXPECT_FALSE(save.open);
    EXPECT_TRUE(save.confirmOverwrite);
    EXPECT_TRUE(save.folderMustExist);
    EXPECT_EQ(save.startFolder, "/data");
    EXPECT_EQ(save.initialName, "Zelvo.LOG");
    EXPECT_EQ(save.defaultSuffix, "LOG");

    // Setup-file flags (&HE) on an open dialog: no overwrite question, any folder.
    dialog.Flags = 0xE;
    dialog.FileName = "kept.cfg";
    dialog.FileTitle = "kept.cfg";
    EXPECT_FALSE(dialog.Show(true));
    EXPECT_EQ(dialog.FileName, "kept.cfg");
    EXPECT_EQ(dialog.FileTitle, "kept.cfg");
    EXPECT_TRUE(chooser.requests.back().open);
    EXPECT_FALSE(chooser.requests.back().confirmOverwrite);
    EXPECT_FALSE(chooser.requests.back().folderMustExist);

    dialog.FileName = std::string(kFileBufferSize, 'x');
    EXPECT_THROW(dialog.Show(true), ZelvoError);
}

TEST(FileDialogTest, WithoutADesktopDialogShowFails) {
    cFileDialog dialog;
    EXPECT_THROW(dialog.Show(true), ZelvoError);
}

class FileCommandsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        AppInfo app;
        app.folder = folder_.Folder();
        SetAppInfo(app);
        ErrHandler().Destination(folder_.Path("ERRORS.TXT"));
        SetSetupFile("zelvo.cfg");
    }
    testing::FakeDesktop desktop_;
    testing::ScratchFolder folder_{"filecommands"};
    testing::ScriptedChooser chooser_;
    MainState state_;
    testing::RecordingWindow window_;
    testing::ScriptedSensors sensors_;
};

TEST_F(FileCommandsTest, SaveAsThenOpenUseTheAppFolderWhateverFolderWasChosen) {
    state_.RunNum = 77;
    chooser_.answers = {"/elsewhere/line2.cfg"};
    mnuSaveAS_Click(state_, window_);
    const FileRequest& save = chooser_.requests.back();
    EXPECT_EQ(save.title, "Save Setup As");
    EXPECT_EQ(save.defaultSuffix, "dat");
    EXPECT_EQ(save.filters, (std::vector<FilterPair>{{"Setup files (*.cfg)", "*.cfg"}}));
    EXPECT_EQ(save.startFolder, folder_.Folder());
    EXPECT_EQ(save.initialName, "zelvo.cfg");
    EXPECT_TRUE(save.confirmOverwrite);
    EXPECT_TRUE(std::filesystem::exists(folder_.Path("line2.cfg")));
    EXPECT_EQ(window_.caption, "Zelvo - [line2.cfg]");
    EXPECT_EQ(GetSetupFile(), "line2.cfg");

    state_.RunNum = 1;
    window_.steps.clear();
    chooser_.answers = {"/other/line2.cfg"};
    mnuOpen_Click(state_, window_, sensors_);
    EXPECT_EQ(chooser_.requests.back().title, "Open Setup File");
    EXPECT_EQ(state_.RunNum, 77);
    EXPECT_EQ(window_.steps, (std::vector<std::string>{"FormInit", "LoadData"}));

    // Cancelled: nothing read, the caption set again, the window rebuilt.
    state_.RunNum = 5;
    window_.caption.clear();
    mnuOpen_Click(state_, window_, sensors_);
    EXPECT_EQ(state_.RunNum, 5);
    EXPECT_EQ(window_.caption, "Zelvo - [line2.cfg]");
    EXPECT_TRUE(desktop_.Messages().empty());

    // While a sensor exchange waits, Open would change the sensors under it: refused
    // with a beep, nothing asked or read.
    sensors_.exchanging = true;
    const size_t asked = chooser_.requests.size();
    mnuOpen_Click(state_, window_, sensors_);
    EXPECT_EQ(chooser_.requests.size(), asked);
    EXPECT_EQ(desktop_.Beeps(), 1);
    EXPECT_EQ(state_.RunNum, 5);

    state_.RunNum = 9;
    mnuSave_Click(state_);
    EXPECT_NE(ReadFileBytes(folder_.Path("line2.cfg")).find("RunNum=9"), std::string::npos);
}

TEST_F(FileCommandsTest, SelectKeepsBareNamesInTheAppFolderAndFullPathsElsewhere) {
    std::string label;
    auto show = [&](const std::string& text) { label = text; };
    struct Row {
        const char* logFile;
        std::optional<std::string> answer;
        const char* defaultExt;
        const char* initialName;
        const char* storedAfter;
    };
    const std::string inApp = folder_.Path("Batch7.log");
    const std::string far = "/var/tmp/some/long/folder/name/run.log";
    for (const Row& r : {Row{"Zelvo.log", inApp, "log", "Zelvo.log", "Batch7.log"},
                         Row{"", far, "LOG", "Zelvo.LOG", far.c_str()},
                         Row{"data.text", std::nullopt, "LOG", "data.text", "data.text"}}) {
        SCOPED_TRACE(r.logFile);
        state_.LogFile = r.logFile;
        chooser_.answers = {r.answer};
        cmdSelect_Click(state_, show);
        const FileRequest& request = chooser_.requests.back();
        EXPECT_EQ(request.title, "Save LogFile As");
        EXPECT_EQ(request.defaultSuffix, r.defaultExt);
        EXPECT_EQ(request.initialName, r.initialName);
        EXPECT_TRUE(request.confirmOverwrite);
        EXPECT_TRUE(request.folderMustExist);
        EXPECT_EQ(state_.LogFile, r.storedAfter);
    }
    EXPECT_EQ(label, "data.text");
    state_.LogFile = far;
    chooser_.answers = {std::nullopt};
    cmdSelect_Click(state_, show);
    EXPECT_EQ(label, "/var/tmp/s.../run.log");
}

}  // namespace
}  // namespace zelvo
