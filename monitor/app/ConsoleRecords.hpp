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
    // can no longer be written (a closed pipe).
    bool Write(const SweepRecord& record);

  private:
    RecordFormat format_;
    std::ostream& out_;
    bool headerWritten_ = false;
};

}  // namespace zelvo::cli
