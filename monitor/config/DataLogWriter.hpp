#pragma once
// Appends the data log's lines to the file of the current run, one
// open-append-close per line so that the file is complete after every line.
//
// A line that cannot be written is lost and the run goes on. Its failure is shown
// once ("Error: <number>. <description>" titled "AppendToTextFile"); while the
// failure lasts the following lines are tried silently, so that a sweep at 0.1 s
// does not flood the operator with boxes. After a line is written again, or when
// a new run chooses its file, the next failure is shown again.

#include <string>

namespace zelvo {

class DataLogWriter {
  public:
    // Appends one line to the file; true when it was written.
    bool WriteLine(const std::string& path, const std::string& line);

    // Forgets a shown failure, so that the next one is shown (a new run's file).
    void ForgetFailure() { failureShown_ = false; }

    // True while a failure has been shown and no line was written since.
    bool FailureShown() const { return failureShown_; }

  private:
    bool failureShown_ = false;
};

}  // namespace zelvo
