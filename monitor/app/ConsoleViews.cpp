// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ConsoleViews.hpp"

#include <iostream>

#include "AppInfo.hpp"
#include "Windows1252.hpp"

namespace zelvo::cli {
namespace {

bool InGrid(int row, int column, int columns) {
    return IsChannel(row) && column >= 0 && column < columns;
}

}  // namespace

void ConsoleReadings::SetCellText(int row, int column, const std::string& text) {
    if (InGrid(row, column, 5))
        cells_[static_cast<size_t>(row)][static_cast<size_t>(column)] = text;
}

void ConsoleReadings::SetRowHeaderText(int, const std::string&) {}

std::string ConsoleReadings::Cell(int row, int column) const {
    return InGrid(row, column, 5) ? cells_[static_cast<size_t>(row)][static_cast<size_t>(column)]
                                  : "";
}

void ConsoleAssignment::SetCellText(int row, int column, const std::string& text) {
    if (InGrid(row, column, 2))
        cells_[static_cast<size_t>(row)][static_cast<size_t>(column)] = text;
}

std::string ConsoleAssignment::CellText(int row, int column) const {
    return InGrid(row, column, 2) ? cells_[static_cast<size_t>(row)][static_cast<size_t>(column)]
                                  : "";
}

void ConsoleRunBar::SetRunNumberText(const std::string& text) {
    std::cerr << "Run # " << text << "\n";
}

bool ConsoleWindow::AnotherInstanceRunning() {
    return lock_.AnotherHolds(GetAppInfo().folder);
}

void ConsoleWindow::SensorNotice(const std::string& text) {
    std::cerr << AsUtf8(text) << std::endl;
}

void ConsoleWindow::SetCaption(const std::string& caption) {
    std::cerr << caption << "\n";
}

}  // namespace zelvo::cli
