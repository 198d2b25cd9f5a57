// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ReportDocument.hpp"

#include <cmath>
#include <cstdio>
#include <filesystem>

#include "Format.hpp"

namespace zelvo::report {
namespace {

std::string Escape(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::string Colour(Rgb rgb) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", rgb.r, rgb.g, rgb.b);
    return text;
}

std::string Num(double value) {
    return FormatNumber(value, "0.0");
}

std::string Text(double x, double y, const std::string& text, const char* anchor, double size,
                 const std::string& extra = "") {
    return "<text x=\"" + Num(x) + "\" y=\"" + Num(y) + "\" text-anchor=\"" + anchor +
           "\" font-size=\"" + Num(size) + "\"" + extra + ">" + Escape(text) + "</text>\n";
}

std::string Line(double x1, double y1, double x2, double y2, const std::string& colour) {
    return "<line x1=\"" + Num(x1) + "\" y1=\"" + Num(y1) + "\" x2=\"" + Num(x2) + "\" y2=\"" +
           Num(y2) + "\" stroke=\"" + colour + "\"/>\n";
}

std::string Axes(const PlotModel& m, const PlotArea& a, double font) {
    const std::string grid = Colour(kPlotGrid);
    std::string svg;
    for (size_t i = 0; i < m.x.ticks.size(); ++i) {
        const double x = PlaceX(m, a, m.x.ticks[i]);
        svg += Line(x, a.top, x, a.top + a.height, grid);
        svg += Text(x, a.top + a.height + font * 1.3, m.x.labels[i], "middle", font);
    }
    for (size_t i = 0; i < m.y.ticks.size(); ++i) {
        const double y = PlaceY(m, a, m.y.ticks[i]);
        svg += Line(a.left, y, a.left + a.width, y, grid);
        svg += Text(a.left - font * 0.4, y + font * 0.35, m.y.labels[i], "end", font);
    }
    svg += "<rect x=\"" + Num(a.left) + "\" y=\"" + Num(a.top) + "\" width=\"" + Num(a.width) +
           "\" height=\"" + Num(a.height) + "\" fill=\"none\" stroke=\"" + Colour(kPlotForeground) +
           "\"/>\n";
    svg += Text(a.left + a.width / 2, a.top + a.height + font * 2.8, m.x.title, "middle", font);
    const double yTitleX = a.left - font * 3.6;
    const double yTitleY = a.top + a.height / 2;
    svg += Text(yTitleX, yTitleY, m.y.title, "middle", font,
                " transform=\"rotate(-90 " + Num(yTitleX) + " " + Num(yTitleY) + ")\"");
    svg += Text(a.left + a.width / 2, a.top - font * 0.6, m.title, "middle", font * 1.2);
    return svg;
}

std::string Lines(const PlotModel& m, const PlotArea& a, double font) {
    std::string svg;
    double legendY = a.top + font;
    for (const PlotLine& line : m.lines) {
        const std::string colour = Colour(line.colour);
        for (const auto& piece : line.pieces) {
            svg +=
                "<polyline fill=\"none\" stroke-width=\"1.5\" stroke=\"" + colour + "\" points=\"";
            for (const auto& [x, y] : piece) {
                svg += Num(PlaceX(m, a, x)) + "," + Num(PlaceY(m, a, y)) + " ";
            }
            svg += "\"/>\n";
        }
        const double legendX = a.left + a.width + font * 0.8;
        svg += Line(legendX, legendY - font * 0.35, legendX + font * 1.5, legendY - font * 0.35,
                    colour);
        svg += Text(legendX + font * 2, legendY, line.label, "start", font);
        legendY += font * 1.4;
    }
    return svg;
}

}  // namespace

RunReport MakeRunReport(const LoggedRun& run, const SetupInfo& setup, const std::string& logName) {
    const RunSummary summary = Summarize(run, setup);
    const std::string setupName = std::filesystem::path(setup.file).filename().string();
    RunReport report{RunTitle(summary),
                     RunFacts(summary, logName, setupName),
                     SummaryTable(summary),
                     MakePlot(run, PlotQuantity::Thickness),
                     MakePlot(run, PlotQuantity::Rate),
                     run.number};
    for (PlotModel* plot : {&report.thickness, &report.rate}) {
        for (PlotLine& line : plot->lines) line.label = setup.names[line.channel];
    }
    return report;
}

std::string PlotSvg(const PlotModel& model, int width, int height) {
    const PlotArea area = AreaOf(width, height);
    const double font = std::min(width, height) / 30.0;
    std::string svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + std::to_string(width) +
                      "\" height=\"" + std::to_string(height) + "\" font-family=\"sans-serif\">\n";
    svg += "<rect width=\"100%\" height=\"100%\" fill=\"" + Colour(kPlotBackground) + "\"/>\n";
    svg += "<g fill=\"" + Colour(kPlotForeground) + "\">\n" + Axes(model, area, font) + "</g>\n";
    svg += "<g fill=\"" + Colour(kPlotForeground) + "\">\n" + Lines(model, area, font) + "</g>\n";
    return svg + "</svg>\n";
}

std::string ReportHtml(const std::vector<RunReport>& reports,
                       const std::vector<std::string>& notices) {
    std::string html =
        "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>Run report</title>\n"
        "<style>body{font-family:sans-serif}table{border-collapse:collapse}"
        "td,th{border:1px solid #999;padding:2px 6px;text-align:right}"
        "td:first-child{text-align:left}</style></head><body>\n";
    for (const RunReport& report : reports) {
        html += "<h1>" + Escape(report.title) + "</h1>\n<ul>\n";
        for (const std::string& fact : report.facts) html += "<li>" + Escape(fact) + "</li>\n";
        html += "</ul>\n<table>\n<tr>";
        for (const std::string& cell : report.table.header) html += "<th>" + Escape(cell) + "</th>";
        html += "</tr>\n";
        for (const auto& row : report.table.rows) {
            html += "<tr>";
            for (const std::string& cell : row) html += "<td>" + Escape(cell) + "</td>";
            html += "</tr>\n";
        }
        html += "</table>\n<p>\n" + PlotSvg(report.thickness, 900, 420) +
                PlotSvg(report.rate, 900, 420) + "</p>\n";
    }
    if (!notices.empty()) {
        html += "<h2>About the log</h2>\n<ul>\n";
        for (const std::string& notice : notices) html += "<li>" + Escape(notice) + "</li>\n";
        html += "</ul>\n";
    }
    return html + "</body></html>\n";
}

}  // namespace zelvo::report
