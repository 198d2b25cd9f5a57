// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ReportOutput.hpp"

#include <filesystem>

#include "ReportPainter.hpp"
#include "Strings.hpp"
#include "TextFile.hpp"

namespace zelvo::report::qt {

std::optional<ReportForm> FormOf(const std::string& path) {
    const std::string extension = ToLower(std::filesystem::path(path).extension().string());
    if (extension == ".pdf") return ReportForm::Pdf;
    if (extension == ".html" || extension == ".htm") return ReportForm::Html;
    if (extension == ".png") return ReportForm::Png;
    return std::nullopt;
}

std::optional<ZelvoError> WriteReport(const PreparedReport& report, const std::string& path,
                                      std::vector<std::string>& written) {
    const std::optional<ReportForm> form = FormOf(path);
    if (!form) return ZelvoError(err::BadFileName, path + ": not a .pdf, .html or .png file");
    if (*form == ReportForm::Pdf) {
        if (auto failure = WritePdf(report.reports, report.notices, path)) return failure;
        written.push_back(path);
    } else if (*form == ReportForm::Html) {
        try {
            WriteFileBytes(path, ReportHtml(report.reports, report.notices));
        } catch (const ZelvoError& e) {
            return e;
        }
        written.push_back(path);
    } else {
        for (const RunReport& run : report.reports) {
            std::string file = path;
            if (report.reports.size() > 1) {
                std::filesystem::path p(path);
                file = (p.parent_path() / (p.stem().string() + "_" + std::to_string(run.number) +
                                           p.extension().string()))
                           .string();
            }
            if (auto failure = WritePng(run, file)) return failure;
            written.push_back(file);
        }
    }
    return std::nullopt;
}

}  // namespace zelvo::report::qt
