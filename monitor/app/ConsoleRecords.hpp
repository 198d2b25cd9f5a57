// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// zelvomon-cli's records on standard output, one per sweep in the chosen format,
// besides the data log.

#include <iosfwd>

#include "RecordFormat.hpp"

namespace zelvo::cli {

class RecordOutput {
  public:
    RecordOutput(RecordFormat format, std::ostream& out) : format_(format), out_(out) {}
    // Writes the record (the CSV header before the first); false once the output
    // can no longer be written (a closed pipe, a full disk).
    bool Write(const SweepRecord& record);
    // The system's error of the failed write (EPIPE for a reader that went away).
    int Error() const { return error_; }

  private:
    RecordFormat format_;
    std::ostream& out_;
    bool headerWritten_ = false;
    int error_ = 0;
};

}  // namespace zelvo::cli
