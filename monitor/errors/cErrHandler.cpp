// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "cErrHandler.hpp"

#include <unistd.h>

#include <cerrno>
#include <climits>

#include "AppInfo.hpp"
#include "Desktop.hpp"
#include "Format.hpp"
#include "TextFile.hpp"
#include "UtilityError.hpp"

namespace zelvo {
namespace {

constexpr const char* kReportName = "ERRORS.TXT";
constexpr const char* kTraceName = "trace.log";

std::string CurrentDirectory() {
    char buffer[PATH_MAX];
    if (::getcwd(buffer, sizeof buffer) == nullptr) return "";
    return buffer;
}

}  // namespace

cErrHandler::cErrHandler() : stack_(static_cast<size_t>(maxProcStackItems_) + 3) {}

std::string cErrHandler::Destination() const {
    return destinationSet_ ? destination_ : JoinPath(GetAppInfo().folder, kReportName);
}

cErrHandler::~cErrHandler() {
    CloseTrace();
}

void cErrHandler::Push(const std::string& strProc) {
    ++stackPointer_;
    if (stackPointer_ <= maxProcStackItems_) stack_[static_cast<size_t>(stackPointer_)] = strProc;
    if (traceExecution_ && traceFile_ != nullptr) {
        std::string line = strProc + kCrLf;
        if (std::fwrite(line.data(), 1, line.size(), traceFile_) == line.size()) {
            std::fflush(traceFile_);
        }
    }
}

void cErrHandler::Pop() {
    if (stackPointer_ <= maxProcStackItems_) stack_[static_cast<size_t>(stackPointer_)].clear();
    if (stackPointer_ > 0) --stackPointer_;
}

std::string cErrHandler::StackEntry(int index) const {
    if (index < 0 || static_cast<size_t>(index) >= stack_.size()) return "";
    return stack_[static_cast<size_t>(index)];
}

void cErrHandler::MaxProcStackItems(int16_t value) {
    if (value < 0) throw ZelvoError(err::InvalidCall, "Invalid procedure call or argument");
    maxProcStackItems_ = value;
    stack_.assign(static_cast<size_t>(value) + 3, "");
}

void cErrHandler::TraceExecution(bool value) {
    if (!value) {
        traceExecution_ = false;
        return;
    }
    CloseTrace();
    std::string path = JoinPath(GetAppInfo().folder, kTraceName);
    RemoveFile(path);  // an old trace that cannot be deleted is overwritten below
    traceFile_ = std::fopen(path.c_str(), "wb");
    if (traceFile_ == nullptr) {
        traceExecution_ = false;
        ShowUtilityError("TraceExecution", FileError(errno, path));
        return;
    }
    traceExecution_ = true;
}

void cErrHandler::CloseTrace() {
    if (traceFile_ != nullptr) {
        std::fclose(traceFile_);
        traceFile_ = nullptr;
    }
}

void cErrHandler::HandleError() {
    ZelvoError e = CurrentError();
    HandleError(e.Number(), e.Description(), 0);
}

void cErrHandler::HandleError(int number, const std::string& description, int32_t line) {
    errorNumber_ = number;
    errorLine_ = line;
    errorString_ = description;
    errorProc_ = StackEntry(stackPointer_);
    if (title_.empty()) title_ = GetAppInfo().title;

    bool cancel = false;
    if (beforeHandlerCalled_) beforeHandlerCalled_(cancel);
    if (cancel) return;

    WriteReport();
    if (displayMsgOnError_) {
        Desktop().Beep();
        ShowMessage();
    }
    if (afterHandlerCalled_) afterHandlerCalled_();
}

std::string cErrHandler::ReportText() const {
    std::vector<std::string> lines;
    lines.push_back(title_ + " Application Error Information");
    lines.push_back(std::string(36, '='));
    lines.push_back("Current Time   : " + Desktop().GeneralDateTimeNow());
    lines.push_back("Error String   : " + errorString_.substr(0, 255));
    lines.push_back("Error Number   : " + std::to_string(errorNumber_));
    lines.push_back("Error Line     : " + std::to_string(errorLine_));
    lines.push_back("Error Procedure: " + errorProc_);
    lines.push_back("");
    lines.push_back("Procedure Stack");
    lines.push_back(std::string(15, '-'));
    for (size_t i = 0; i < stack_.size(); ++i) {
        if (stack_[i].empty()) continue;
        lines.push_back(FormatNumber(static_cast<double>(i), "00") + std::string(2 * i, ' ') +
                        stack_[i]);
    }
    lines.push_back("");
    if (!currentOperation_.empty()) lines.push_back("Current Operation: " + currentOperation_);
    if (includeExpandedInfo_) {
        const AppInfo& app = GetAppInfo();
        lines.push_back("");
        lines.push_back("Additional Information");
        lines.push_back(std::string(22, '-'));
        lines.push_back("Current Directory: " + CurrentDirectory());
        lines.push_back("App Title: " + app.title);
        lines.push_back("App CompanyName: " + app.companyName);
        lines.push_back("App Major: " + std::to_string(app.major));
        lines.push_back("App Minor: " + std::to_string(app.minor));
        lines.push_back("App Revision: " + std::to_string(app.revision));
        lines.push_back("App Path: " + app.folder);
        lines.push_back("App ProductName: " + app.productName);
    }
    return JoinLinesCrLf(lines);
}

void cErrHandler::WriteReport() const {
    // The handler does not report its own failures: an unwritable report leaves the
    // message box as the only trace of the failure.
    const std::string path = Destination();
    RemoveFile(path);
    try {
        WriteFileBytes(path, ReportText());
    } catch (const ZelvoError&) {
        return;
    }
}

void cErrHandler::ShowMessage() const {
    std::string text = "The following error has occurred in procedure: \r\n" + errorProc_ +
                       " on line " + std::to_string(errorLine_) + "\r\nError (" +
                       std::to_string(errorNumber_) + ") " + errorString_;
    if (!currentOperation_.empty()) text += "\r\nCurrent Operation: " + currentOperation_;
    Desktop().MessageBox(text, title_, MsgButtons::OK, MsgIcon::Critical);
}

bool cErrHandler::ClearLog() {
    const std::string path = Destination();
    if (path.empty()) return true;
    RemoveFile(path);  // a failed deletion is not a failure of ClearLog
    return true;
}

cErrHandler& ErrHandler() {
    static cErrHandler handler;
    return handler;
}

}  // namespace zelvo
