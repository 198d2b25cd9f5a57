// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ConsoleRecords.hpp"

#include <cerrno>
#include <iostream>

namespace zelvo::cli {

bool RecordOutput::Write(const SweepRecord& record) {
    errno = 0;
    switch (format_) {
        case RecordFormat::Text:
            out_ << TextLine(record) << '\n';
            break;
        case RecordFormat::Csv:
            if (!headerWritten_) out_ << CsvHeader(record) << '\n';
            headerWritten_ = true;
            out_ << CsvLine(record) << '\n';
            break;
        case RecordFormat::Jsonl:
            out_ << JsonLine(record) << '\n';
            break;
    }
    out_.flush();
    if (out_) return true;
    error_ = errno;
    return false;
}

}  // namespace zelvo::cli
