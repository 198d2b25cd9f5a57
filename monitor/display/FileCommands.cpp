// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileCommands.hpp"

#include "AppInfo.hpp"
#include "DataLog.hpp"
#include "DisplayTexts.hpp"
#include "FileUtil.hpp"
#include "Settings.hpp"
#include "SetupFile.hpp"
#include "cErrHandler.hpp"
#include "cFileDialog.hpp"

namespace zelvo {
namespace {

constexpr int32_t kSetupFlags = kOfnOverwritePrompt | kOfnHideReadOnly | kOfnNoChangeDir;
constexpr int32_t kLogFlags = kOfnOverwritePrompt | kOfnHideReadOnly | kOfnPathMustExist;
constexpr int32_t kMaxFileSize = 255;

std::string ProcName(const char* procedure) {
    return std::string(kFormName) + "_" + procedure;
}

}  // namespace

std::string ChooseSetupFile(bool save) {
    cFileDialog dialog;
    dialog.DialogTitle = save ? texts::kSaveSetupTitle : texts::kOpenSetupTitle;
    dialog.DefaultExt = texts::kSetupDefaultExt;
    dialog.Filter = texts::kSetupFilter;
    dialog.FilterIndex = 0;
    dialog.Flags = kSetupFlags;
    dialog.MaxFileSize = kMaxFileSize;
    dialog.InitialDir = GetAppInfo().folder;
    dialog.FileName = GetSetupFile();
    return dialog.Show(!save) ? dialog.FileTitle : "";
}

void mnuOpen_Click(MainState& state, IMainWindow& window, const ISensorManager& sensors) {
    RunProcedure(ProcName("mnuOpen_Click"), [&] {
        if (sensors.ExchangeInProgress()) {
            Desktop().Beep();
            return;
        }
        const std::string name = ChooseSetupFile(false);
        IniRead(state, window, name);
        window.SetCaption(SetupFileCaption());
        window.FormInit();
        window.LoadData();
    });
}

void mnuSave_Click(const MainState& state) {
    RunProcedure(ProcName("mnuSave_Click"), [&] { IniWrite(state, GetSetupFile()); });
}

void mnuSaveAS_Click(const MainState& state, IMainWindow& window) {
    RunProcedure(ProcName("mnuSaveAS_Click"), [&] {
        const std::string name = ChooseSetupFile(true);
        IniWrite(state, name);
        window.SetCaption(SetupFileCaption());
    });
}

void cmdSelect_Click(MainState& state, const std::function<void(const std::string&)>& showName) {
    RunProcedure(ProcName("cmdSelect_Click"), [&] {
        cFileDialog dialog;
        dialog.DialogTitle = texts::kSaveLogTitle;
        dialog.DefaultExt = LogDialogDefaultExt(state.LogFile);
        dialog.Filter = texts::kLogFilter;
        dialog.FilterIndex = 0;
        dialog.Flags = kLogFlags;
        dialog.InitialDir = GetAppInfo().folder;
        dialog.MaxFileSize = kMaxFileSize;
        dialog.FileName = state.LogFile.empty() ? texts::kDefaultLogName : state.LogFile;
        if (dialog.Show(false) && !dialog.FileName.empty()) {
            state.LogFile = LogFileForChoice(dialog.FileName);
        }
        showName(ShowFileName(state.LogFile));
    });
}

}  // namespace zelvo
