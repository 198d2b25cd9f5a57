// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The problems that the package check finds, and how they are printed: one line
// "FILE:LINE: error|warning: text" each and a count line, or one JSON document.

#include <string>
#include <vector>

namespace kitforge::lint {

enum class Severity { Error, Warning };

struct Problem {
    std::string file;  // relative to the package folder, "/" between folders
    int line = 0;      // 0: the file as a whole
    Severity severity = Severity::Error;
    std::string text;  // UTF-8
};

class LintReport {
  public:
    void Error(const std::string& file, int line, const std::string& text);
    void Warning(const std::string& file, int line, const std::string& text);

    // In the order of file names, then of lines; problems of one line in the order
    // they were found.
    std::vector<Problem> Sorted() const;
    int Errors() const { return errors_; }
    int Warnings() const { return warnings_; }
    bool Clean() const { return errors_ == 0 && warnings_ == 0; }

  private:
    std::vector<Problem> problems_;
    int errors_ = 0;
    int warnings_ = 0;
};

// "2 errors, 1 warning".
std::string CountLine(const LintReport& report);
// Every problem on a line of its own, then the count line.
std::string FormatText(const LintReport& report);
// {"folder": ..., "errors": N, "warnings": N, "problems": [{"file", "line",
// "severity", "text"}, ...]}, ending with a line break.
std::string FormatJson(const LintReport& report, const std::string& folder);
// 0 clean, 1 warnings only, 2 errors; with `strict` warnings count as errors.
int ExitStatus(const LintReport& report, bool strict);

}  // namespace kitforge::lint
