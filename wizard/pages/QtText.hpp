// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Text between the record (Windows-1252) and the widgets: what the pages show is
// decoded from the record, what the user typed goes to the core's checks as UTF-8.

#include <QString>
#include <string>

#include "Windows1252.hpp"

namespace kitforge {

inline QString FromRecord(const std::string& text) {
    return QString::fromStdString(zelvo::FromWindows1252(text));
}

inline std::string Typed(const QString& text) {
    return text.toStdString();
}

inline QString Literal(const char* text) {
    return QString::fromUtf8(text);
}

}  // namespace kitforge
