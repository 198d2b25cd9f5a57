// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's single error handler: the stack of running procedures, the error
// report file, the operator's message and the optional trace file.

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "ZelvoError.hpp"

namespace zelvo {

class cErrHandler {
  public:
    cErrHandler();
    ~cErrHandler();
    cErrHandler(const cErrHandler&) = delete;
    cErrHandler& operator=(const cErrHandler&) = delete;

    // Registers entry into a procedure ("frmMain_IniRead", "Zelvo_GetReading" ...).
    void Push(const std::string& strProc);
    // Registers exit from the innermost procedure.
    void Pop();

    // Records, reports and shows the failure being handled. Call inside a catch block.
    void HandleError();
    // The same for a failure given by number, description and line.
    void HandleError(int number, const std::string& description, int32_t line = 0);

    // Deletes the report file; true unless something other than the deletion failed.
    bool ClearLog();

    // The report file; until set, "ERRORS.TXT" in the current application folder.
    std::string Destination() const;
    void Destination(const std::string& path) {
        destination_ = path;
        destinationSet_ = true;
    }
    bool DisplayMsgOnError() const { return displayMsgOnError_; }
    void DisplayMsgOnError(bool value) { displayMsgOnError_ = value; }
    bool IncludeExpandedInfo() const { return includeExpandedInfo_; }
    void IncludeExpandedInfo(bool value) { includeExpandedInfo_ = value; }
    int16_t MaxProcStackItems() const { return maxProcStackItems_; }
    // Also empties the stack to the new size.
    void MaxProcStackItems(int16_t value);
    bool TraceExecution() const { return traceExecution_; }
    // True starts a new trace file "trace.log" in the application folder.
    void TraceExecution(bool value);

    int32_t ErrorNumber() const { return errorNumber_; }
    int32_t ErrorLine() const { return errorLine_; }
    std::string ErrorString() const { return errorString_; }
    std::string ErrorProc() const { return errorProc_; }
    std::string Title() const { return title_; }
    void Title(const std::string& value) { title_ = value; }
    std::string CurrentOperation() const { return currentOperation_; }
    void CurrentOperation(const std::string& value) { currentOperation_ = value; }

    // Index of the innermost running procedure, 0 when none.
    int StackPointer() const { return stackPointer_; }
    // The stack entry at an index ("" outside the array).
    std::string StackEntry(int index) const;

    // Raised before the report with cancel = false; a listener that sets it to true
    // suppresses the report, the message and the second event.
    void OnBeforeHandlerCalled(std::function<void(bool& cancel)> listener) {
        beforeHandlerCalled_ = std::move(listener);
    }
    // Raised after the report and the message.
    void OnAfterHandlerCalled(std::function<void()> listener) {
        afterHandlerCalled_ = std::move(listener);
    }

    // The report text that HandleError writes for the current state.
    std::string ReportText() const;

  private:
    void WriteReport() const;
    void ShowMessage() const;
    void CloseTrace();

    int16_t maxProcStackItems_ = 100;
    std::vector<std::string> stack_;
    int stackPointer_ = 0;
    std::string destination_;
    bool destinationSet_ = false;
    bool displayMsgOnError_ = true;
    bool includeExpandedInfo_ = true;
    bool traceExecution_ = false;
    std::FILE* traceFile_ = nullptr;
    int32_t errorNumber_ = 0;
    int32_t errorLine_ = 0;
    std::string errorString_;
    std::string errorProc_;
    std::string title_;
    std::string currentOperation_;
    std::function<void(bool&)> beforeHandlerCalled_;
    std::function<void()> afterHandlerCalled_;
};

// The one program-wide handler, created on first use.
cErrHandler& ErrHandler();

// Registers a procedure with the handler for the lifetime of the scope:
// Push on entry, Pop on every way out.
class ProcScope {
  public:
    explicit ProcScope(const std::string& procedureName) { ErrHandler().Push(procedureName); }
    ~ProcScope() { ErrHandler().Pop(); }
    ProcScope(const ProcScope&) = delete;
    ProcScope& operator=(const ProcScope&) = delete;
};

// Runs an application procedure under the handler's calling convention: the name
// is pushed on entry; a failure is handed to HandleError, then the name is popped
// and the procedure ends. Returns true when the body finished without failure.
template <class Body>
bool RunProcedure(const std::string& procedureName, Body&& body) {
    ProcScope scope(procedureName);
    try {
        body();
        return true;
    } catch (...) {
        ErrHandler().HandleError();
        return false;
    }
}

}  // namespace zelvo
