// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Texts between the core (8-bit std::string) and Qt (QString).

#include <QString>
#include <string>

#include "Windows1252.hpp"

namespace zelvo::qt {

inline QString Q(const std::string& text) {
    return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size()));
}
inline QString Q(const char* text) {
    return QString::fromLocal8Bit(text);
}
inline std::string S(const QString& text) {
    return text.toLocal8Bit().toStdString();
}

// Names and serial numbers (and the materials' names, which become channel names)
// as the setup file holds them, in Windows-1252: shown as Unicode, and typed text
// taken back with '?' for each character Windows-1252 cannot hold.
inline QString FromFileText(const std::string& text) {
    return QString::fromStdString(FromWindows1252(text));
}
inline std::string ToFileText(const QString& text) {
    return ToWindows1252Replacing(text.toStdString());
}

}  // namespace zelvo::qt
