// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Directory names: the validity rule of the two kinds of path, and the typed
// output folder as an absolute path on this computer.

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>
#include <string_view>

#include "CWizardData.hpp"

namespace kitforge {
namespace {

std::string_view TrimWhiteSpace(std::string_view text) {
    constexpr std::string_view kWhite = " \t\r\n\v\f";
    std::size_t first = text.find_first_not_of(kWhite);
    if (first == std::string_view::npos) return {};
    std::size_t last = text.find_last_not_of(kWhite);
    return text.substr(first, last - first + 1);
}

}  // namespace

bool IsValidDirectoryName(const std::string& name, PathKind kind) {
    std::string_view copy = TrimWhiteSpace(name);
    if (copy.empty()) return false;
    if (kind == PathKind::Host) return copy.find_first_of("\\:*?\"<>|") == std::string_view::npos;
    for (std::size_t i = 0; i < copy.size(); ++i) {
        char c = copy[i];
        if (std::string_view("/*?\"<>|").find(c) != std::string_view::npos) return false;
        if (c == ':' && (i + 1 >= copy.size() || copy[i + 1] != '\\')) return false;
    }
    return true;
}

const std::string& InvalidDirectoryMessage(PathKind kind) {
    static const std::string kHost = "Directory cannot contain: \\ : * ? \" < > |";
    static const std::string kTarget = "Directory cannot contain: / : * ? \" < > |";
    return kind == PathKind::Host ? kHost : kTarget;
}

std::optional<zelvo::ZelvoError> AbsoluteHostFolder(const std::string& typed, std::string& folder) {
    std::string_view text = TrimWhiteSpace(typed);
    std::string base;
    if (text == "~" || text.starts_with("~/")) {
        base = SystemDriveRoot();
        text.remove_prefix(std::min<std::size_t>(2, text.size()));
    } else if (!text.starts_with('/')) {
        std::string cwd(4096, '\0');
        if (::getcwd(cwd.data(), cwd.size()) == nullptr) {
            return zelvo::ZelvoError(zelvo::err::PathNotFound,
                                     std::string("The current folder cannot be determined (") +
                                         std::strerror(errno) + "); type the folder's full path.");
        }
        base = cwd.c_str();
        if (base.back() != '/') base += '/';
    } else {
        folder = text;
        return std::nullopt;
    }
    // Leading "." and ".." steps are taken here: the base is a real folder (the
    // current folder as the system reports it, or the home folder).
    for (;;) {
        if (text == "." || text.starts_with("./")) {
            text.remove_prefix(std::min<std::size_t>(2, text.size()));
        } else if (text == ".." || text.starts_with("../")) {
            text.remove_prefix(std::min<std::size_t>(3, text.size()));
            const std::size_t parent = base.rfind('/', base.size() - 2);
            if (parent != std::string::npos) base.resize(parent + 1);
        } else if (text.starts_with('/')) {
            text.remove_prefix(1);
        } else {
            break;
        }
    }
    folder = base + std::string(text);
    return std::nullopt;
}

}  // namespace kitforge
