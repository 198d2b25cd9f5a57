// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Run reports drawn with Qt: a PDF of one A4 page per run (facts, table, the two
// pictures) through Qt's printing support, and a PNG of a run's pictures alone.

#include <optional>
#include <string>
#include <vector>

#include "ReportDocument.hpp"
#include "ZelvoError.hpp"

class QPainter;
class QRectF;

namespace zelvo::report::qt {

// Draws the picture into the rectangle, as the SVG draws it.
void DrawPlot(QPainter& painter, const PlotModel& model, const QRectF& rect);

// The failure, naming the file, when it cannot be written.
std::optional<ZelvoError> WritePdf(const std::vector<RunReport>& reports,
                                   const std::vector<std::string>& notices,
                                   const std::string& path);
std::optional<ZelvoError> WritePng(const RunReport& report, const std::string& path);

}  // namespace zelvo::report::qt
