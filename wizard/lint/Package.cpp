// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Package.hpp"

#include <algorithm>
#include <filesystem>

#include "Strings.hpp"
#include "TextFile.hpp"
#include "Windows1252.hpp"

namespace kitforge::lint {
namespace fs = std::filesystem;

namespace {

std::string FileName(std::string_view path) {
    const std::size_t slash = path.find_last_of('/');
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

}  // namespace

bool HasExtension(std::string_view path, std::string_view extension) {
    return path.size() > extension.size() &&
           zelvo::EqualsNoCase(path.substr(path.size() - extension.size()), extension);
}

std::string PackagePathOf(std::string_view written) {
    std::string path;
    for (const std::string& step : zelvo::Split(written, '\\')) {
        for (const std::string& part : zelvo::Split(step, '/')) {
            if (part.empty() || part == ".") continue;
            path += (path.empty() ? "" : "/") + part;
        }
    }
    return zelvo::FromWindows1252(path);
}

const PackageFile* Package::Find(std::string_view path) const {
    for (const PackageFile& file : files) {
        if (zelvo::EqualsNoCase(file.path, path)) return &file;
    }
    return nullptr;
}

std::vector<const PackageFile*> Package::Named(std::string_view name) const {
    std::vector<const PackageFile*> found;
    for (const PackageFile& file : files) {
        if (zelvo::EqualsNoCase(FileName(file.path), name)) found.push_back(&file);
    }
    return found;
}

bool Package::HasCatalogs() const {
    return std::any_of(files.begin(), files.end(),
                       [](const PackageFile& file) { return HasExtension(file.path, ".cat"); });
}

std::optional<zelvo::ZelvoError> ReadPackageFolder(const std::string& folder, Package& package,
                                                   LintReport& report) {
    std::error_code error;
    if (!fs::is_directory(folder, error)) {
        return zelvo::ZelvoError(zelvo::err::FileNotFound, folder + " is no folder");
    }
    fs::recursive_directory_iterator it(folder, error), end;
    for (; !error && it != end; it.increment(error)) {
        if (!it->is_regular_file(error)) continue;
        // Named as the folder holds it: a link stands for a file where the link is.
        PackageFile file{it->path().lexically_relative(folder).generic_string(), {}};
        if (HasExtension(file.path, ".inf") || zelvo::EqualsNoCase(file.path, "setup.ini")) {
            try {
                file.bytes = zelvo::ReadFileBytes(it->path().string());
            } catch (const zelvo::ZelvoError& failure) {
                report.Error(file.path, 0, "cannot be read: " + failure.Description());
            }
        }
        package.files.push_back(std::move(file));
    }
    if (error) return zelvo::ZelvoError(zelvo::err::FileNotFound, folder + ": " + error.message());
    std::sort(package.files.begin(), package.files.end(),
              [](const PackageFile& a, const PackageFile& b) { return a.path < b.path; });
    return std::nullopt;
}

}  // namespace kitforge::lint
