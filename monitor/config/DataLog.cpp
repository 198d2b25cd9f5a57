// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "DataLog.hpp"

#include <algorithm>
#include <optional>
#include <vector>

#include "AppInfo.hpp"
#include "DataLogFormat.hpp"
#include "Desktop.hpp"
#include "FileUtil.hpp"
#include "MonitorTexts.hpp"
#include "Numbers.hpp"
#include "RunClock.hpp"
#include "TimeOfDay.hpp"

namespace zelvo {

std::string LogDialogDefaultExt(const std::string& logFile) {
    if (logFile.size() > 3 && logFile[logFile.size() - 4] == '.') {
        return logFile.substr(logFile.size() - 3);
    }
    return "LOG";
}

std::string LogFileForChoice(const std::string& chosenPath) {
    return IsInAppFolder(chosenPath) ? GetNamePart(chosenPath) : chosenPath;
}

void DataLog::WriteLine(const std::string& line) {
    if (writer_.WriteLine(state_.LogPath, line)) {
        SayLostLines();
        return;
    }
    if (writer_.Refused(state_.LogPath)) return;
    if (lost_.count == 0) {
        lost_.path = state_.LogPath;
        lost_.first = TimeText();
    }
    ++lost_.count;
    lost_.last = TimeText();
}

void DataLog::SayLostLines() {
    if (lost_.count == 0) return;
    const std::string text = std::to_string(lost_.count) +
                             (lost_.count == 1 ? texts::kLostLine : texts::kLostLines) +
                             lost_.path + " (" + lost_.first + " to " + lost_.last + ").";
    lost_ = LostLines{};
    Desktop().MessageBox(text, GetAppInfo().title, MsgButtons::OK, MsgIcon::Exclamation);
}

void DataLog::ChooseLogPath() {
    // Losses of the last run's file are said before the next run's file is chosen.
    SayLostLines();
    state_.LogPath = LogPathFor(state_.LogType, state_.LogFile, state_.RunNum);
    writer_.ForgetFailure();
    // A file the log did not write is neither deleted nor written.
    if (!writer_.Admit(state_.LogPath)) return;
    if (state_.LogType == kLogOverwrite) KillFile(state_.LogPath);
}

std::string DataLog::DateText() const {
    return Desktop().ShortDateNow();
}

std::string DataLog::TimeText() const {
    return LogTimeOfDay(Desktop().SecondsSinceMidnight());
}

void DataLog::StartLog() {
    // The header follows even when the start line failed: each line is tried.
    WriteLine(LogStartLine(state_.RunNum, DateText(), TimeText()));
    WriteLine(LogColumnHeader(state_.Units));
}

void DataLog::StopLog() {
    WriteLine(LogStopLine(state_.RunNum, DateText(), TimeText()));
    SayLostLines();
}

void DataLog::LogRecord() {
    const double elapsed = RunClockSeconds(state_);
    int last = std::clamp(state_.ShowLast, 0, kChannelCount - 1);
    std::vector<std::optional<LogChannelValues>> channels;
    channels.reserve(static_cast<size_t>(last) + 1);
    for (int c = 0; c <= last; ++c) {
        auto i = static_cast<size_t>(c);
        if (!state_.ChannelValid[i] || !state_.ChannelReadInSweep[i]) {
            channels.emplace_back(std::nullopt);
            continue;
        }
        channels.push_back(LogChannelValues{FilterOf(state_, c).Average(),
                                            state_.ChannelValues[kValueThickness][i],
                                            state_.ChannelValues[kValueFrequency][i]});
    }
    WriteLine(LogRecordLine(elapsed, channels));
}

void DataLog::optLog_Click(int index) {
    if (state_.StartingUp) return;
    state_.LogEnabled = index;
    if (state_.RunMode == kStopped) return;
    if (state_.LogEnabled != 0) {
        StartLog();
    } else {
        StopLog();
    }
}

void DataLog::optLogType_Click(int index) {
    if (state_.StartingUp) return;
    state_.LogType = CheckedInt16(index);
}

bool DataLog::cmdView_Click() {
    std::string file = state_.LogFile.empty() ? std::string(kDefaultLogFileName) : state_.LogFile;
    return LaunchDocument(file, "");
}

}  // namespace zelvo
