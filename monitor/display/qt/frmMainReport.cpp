// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The window's part in run reports: File > Run Report writes the report of the
// current data log's last run beside the log and opens it in the desktop's viewer.

#include <QGuiApplication>

#include "DataLogFormat.hpp"
#include "DisplayTexts.hpp"
#include "FileUtil.hpp"
#include "ReportOutput.hpp"
#include "SetupFile.hpp"
#include "UtilityError.hpp"
#include "frmMain.hpp"

namespace zelvo::qt {

void frmMain::AddRunReportItem(QMenu* file) {
    QAction* item = file->addAction(QString::fromUtf8(texts::kRunReportItem));
    item->setObjectName("mnuRunReport");
    connect(item, &QAction::triggered, this, [this] {
        const bool opened = mnuRunReport_Click();
        static_cast<void>(opened);  // a failure has been shown
    });
}

bool frmMain::mnuRunReport_Click() {
    // The run's file once a run has started, otherwise the file the next one takes.
    std::string log = state_.LogPath;
    if (log.empty())
        log = state_.LogFile.empty() ? std::string(kDefaultLogFileName) : state_.LogFile;
    report::ReportInput input{log, SetupFilePath(GetSetupFile()), std::nullopt, true};
    const std::string out = report::ReportPathFor(log);
    std::vector<std::string> written;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    std::optional<ZelvoError> failure;
    try {
        failure = report::qt::WriteReport(report::PrepareReport(input), out, written);
    } catch (const ZelvoError& e) {
        failure = e;
    }
    QGuiApplication::restoreOverrideCursor();
    if (failure) {
        ShowUtilityError("mnuRunReport_Click", *failure);
        return false;
    }
    // Opened as View opens the log (QDesktopServices); a refusal is shown there.
    return LaunchDocument(out, "");
}

}  // namespace zelvo::qt
