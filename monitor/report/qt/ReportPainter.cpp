// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ReportPainter.hpp"

#include <QFile>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <algorithm>

namespace zelvo::report::qt {
namespace {

// Page coordinates: tenths of a millimetre on A4 portrait.
constexpr double kPageWidth = 2100;
constexpr double kPageHeight = 2970;
constexpr double kMargin = 100;
constexpr int kFont = 28;
constexpr int kTitleFont = 50;
constexpr int kResolution = 300;

QColor Colour(Rgb rgb) {
    return QColor(rgb.r, rgb.g, rgb.b);
}

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

void SetFont(QPainter& painter, double pixels, bool bold = false) {
    QFont font("DejaVu Sans");
    font.setPixelSize(std::max(1, static_cast<int>(pixels)));
    font.setBold(bold);
    painter.setFont(font);
}

void DrawAxes(QPainter& p, const PlotModel& m, const PlotArea& a, double font) {
    p.setPen(QPen(Colour(kPlotGrid), 0, Qt::DotLine));
    for (double tick : m.x.ticks)
        p.drawLine(QPointF(PlaceX(m, a, tick), a.top),
                   QPointF(PlaceX(m, a, tick), a.top + a.height));
    for (double tick : m.y.ticks)
        p.drawLine(QPointF(a.left, PlaceY(m, a, tick)),
                   QPointF(a.left + a.width, PlaceY(m, a, tick)));
    p.setPen(QPen(Colour(kPlotForeground), 0));
    p.drawRect(QRectF(a.left, a.top, a.width, a.height));
    SetFont(p, font);
    const double wide = font * 6;
    for (size_t i = 0; i < m.x.ticks.size(); ++i) {
        const QRectF box(PlaceX(m, a, m.x.ticks[i]) - wide / 2, a.top + a.height + font * 0.2, wide,
                         font * 1.3);
        p.drawText(box, Qt::AlignHCenter | Qt::AlignTop, Q(m.x.labels[i]));
    }
    for (size_t i = 0; i < m.y.ticks.size(); ++i) {
        const QRectF box(a.left - wide - font * 0.4, PlaceY(m, a, m.y.ticks[i]) - font, wide,
                         font * 2);
        p.drawText(box, Qt::AlignRight | Qt::AlignVCenter, Q(m.y.labels[i]));
    }
    p.drawText(QRectF(a.left, a.top + a.height + font * 1.6, a.width, font * 1.5), Qt::AlignHCenter,
               Q(m.x.title));
    p.save();
    p.translate(a.left - font * 4.6, a.top + a.height / 2);
    p.rotate(-90);
    p.drawText(QRectF(-a.height / 2, 0, a.height, font * 1.5), Qt::AlignHCenter, Q(m.y.title));
    p.restore();
    SetFont(p, font * 1.2);
    p.drawText(QRectF(a.left, a.top - font * 1.8, a.width, font * 1.6), Qt::AlignHCenter,
               Q(m.title));
}

void DrawLines(QPainter& p, const PlotModel& m, const PlotArea& a, double font) {
    SetFont(p, font);
    double legendY = a.top + font * 0.5;
    p.setRenderHint(QPainter::Antialiasing, false);
    for (const PlotLine& line : m.lines) {
        const QPen pen(Colour(line.colour), std::max(1.0, font / 8));
        p.setPen(pen);
        for (const auto& piece : line.pieces) {
            QPolygonF points;
            points.reserve(static_cast<qsizetype>(piece.size()));
            for (const auto& [x, y] : piece) points << QPointF(PlaceX(m, a, x), PlaceY(m, a, y));
            if (points.size() == 1) points << points.front();
            p.drawPolyline(points);
        }
        const double x = a.left + a.width + font * 0.8;
        p.drawLine(QPointF(x, legendY), QPointF(x + font * 1.5, legendY));
        p.setPen(Colour(kPlotForeground));
        p.drawText(QRectF(x + font * 2, legendY - font, font * 20, font * 2), Qt::AlignVCenter,
                   Q(line.label));
        legendY += font * 1.4;
    }
}

// The facts and the table from the top of the page down; returns where they end.
double DrawText(QPainter& p, const RunReport& report, double top) {
    SetFont(p, kTitleFont, true);
    p.drawText(QRectF(kMargin, top, kPageWidth - 2 * kMargin, kTitleFont * 1.4), Q(report.title));
    top += kTitleFont * 1.6;
    SetFont(p, kFont);
    for (const std::string& fact : report.facts) {
        p.drawText(QRectF(kMargin, top, kPageWidth - 2 * kMargin, kFont * 1.4), Q(fact));
        top += kFont * 1.4;
    }
    top += kFont;
    const double label = 520;
    const size_t channels = report.table.header.size() - 1;
    const double cell =
        channels == 0 ? 0 : (kPageWidth - 2 * kMargin - label) / static_cast<double>(channels);
    auto row = [&](const std::vector<std::string>& cells, bool bold) {
        SetFont(p, kFont, bold);
        for (size_t i = 0; i < cells.size(); ++i) {
            const QRectF box(i == 0 ? kMargin : kMargin + label + cell * static_cast<double>(i - 1),
                             top, i == 0 ? label : cell - 10, kFont * 1.4);
            p.drawText(box, (i == 0 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter,
                       Q(cells[i]));
        }
        top += kFont * 1.5;
    };
    row(report.table.header, true);
    for (const auto& cells : report.table.rows) row(cells, false);
    return top;
}

void DrawPage(QPainter& p, const RunReport& report) {
    double top = DrawText(p, report, kMargin) + kFont;
    const double height = (kPageHeight - kMargin - top - kFont) / 2;
    const QRectF first(kMargin, top, kPageWidth - 2 * kMargin, height);
    DrawPlot(p, report.thickness, first);
    DrawPlot(p, report.rate, first.translated(0, height + kFont));
}

std::optional<ZelvoError> Failed(const std::string& path, const std::string& why) {
    return ZelvoError(err::PathFileAccess, path + ": " + why);
}

}  // namespace

void DrawPlot(QPainter& painter, const PlotModel& model, const QRectF& rect) {
    painter.save();
    painter.translate(rect.topLeft());
    painter.fillRect(QRectF(0, 0, rect.width(), rect.height()), Colour(kPlotBackground));
    const PlotArea area = AreaOf(rect.width(), rect.height());
    const double font = std::min(rect.width(), rect.height()) / 30.0;
    DrawAxes(painter, model, area, font);
    DrawLines(painter, model, area, font);
    painter.restore();
}

std::optional<ZelvoError> WritePdf(const std::vector<RunReport>& reports,
                                   const std::vector<std::string>& notices,
                                   const std::string& path) {
    QPdfWriter writer(Q(path));
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setResolution(kResolution);
    writer.setTitle("Run report");
    QPainter painter;
    if (!painter.begin(&writer)) return Failed(path, "cannot be written");
    painter.scale(kResolution / 254.0, kResolution / 254.0);
    for (size_t i = 0; i < reports.size(); ++i) {
        if (i > 0) writer.newPage();
        DrawPage(painter, reports[i]);
    }
    if (!notices.empty()) {
        writer.newPage();
        SetFont(painter, kFont);
        double top = kMargin;
        for (const std::string& notice : notices) {
            if (top > kPageHeight - kMargin) {
                writer.newPage();
                top = kMargin;
            }
            const QRectF box(kMargin, top, kPageWidth - 2 * kMargin, kPageHeight);
            const QRectF used = painter.boundingRect(box, Qt::TextWordWrap, Q(notice));
            painter.drawText(box, Qt::TextWordWrap, Q(notice));
            top += used.height() + kFont * 0.4;
        }
    }
    if (!painter.end()) return Failed(path, "cannot be written");
    return std::nullopt;
}

std::optional<ZelvoError> WritePng(const RunReport& report, const std::string& path) {
    constexpr int kWidth = 1200;
    constexpr int kHeight = 500;
    QImage image(kWidth, 2 * kHeight, QImage::Format_RGB32);
    image.fill(Colour(kPlotBackground));
    QPainter painter(&image);
    DrawPlot(painter, report.thickness, QRectF(0, 0, kWidth, kHeight));
    DrawPlot(painter, report.rate, QRectF(0, kHeight, kWidth, kHeight));
    painter.end();
    if (!image.save(Q(path), "PNG")) return Failed(path, "cannot be written");
    return std::nullopt;
}

}  // namespace zelvo::report::qt
