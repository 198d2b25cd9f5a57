// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Appends the data log's lines to the file of the current run, one
// open-append-close per line so that the file is complete after every line.
//
// A line that cannot be written is lost and the run goes on. Its failure is shown
// once ("Error: <number>. <description>" titled "AppendToTextFile"); while the
// failure lasts the following lines are tried silently, so that a sweep at 0.1 s
// does not flood the operator with boxes. After a line is written again, or when
// a new run chooses its file, the next failure is shown again.
//
// The log deletes or writes only its own files: before a run uses its file, Admit
// checks that the file is missing, empty or begins with a data log's start line.
// Any other file (a document named as the log by mistake) is left untouched, the
// operator is told once, and no line goes to it until another file is admitted.

#include <optional>
#include <string>

namespace zelvo {

class DataLogWriter {
  public:
    // Appends one line to the file; true when it was written. Nothing is written
    // to a refused file.
    bool WriteLine(const std::string& path, const std::string& line);

    // Checks the file a run is about to delete or write: true when it may serve as
    // the data log. Otherwise the file is refused, and named in a message unless it
    // was refused last time already.
    bool Admit(const std::string& path);

    // Forgets a shown failure, so that the next one is shown (a new run's file).
    void ForgetFailure() { failureShown_ = false; }

    // True while a failure has been shown and no line was written since.
    bool FailureShown() const { return failureShown_; }

    // True when the file was refused by Admit: its lines are not lost, the log is off.
    bool Refused(const std::string& path) const { return refused_ == path; }

  private:
    bool failureShown_ = false;
    std::optional<std::string> refused_;
};

}  // namespace zelvo
