// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PortList.hpp"

#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <variant>

namespace vdserial {
namespace {

std::string Trim(const std::string& text) {
    size_t begin = text.find_first_not_of(" \t\r\n");
    if (begin == std::string::npos) return "";
    size_t end = text.find_last_not_of(" \t\r\n");
    return text.substr(begin, end - begin + 1);
}

std::optional<std::string> ParseEntry(const std::string& entry, PortInfo& port) {
    const size_t eq = entry.find('=');
    const size_t comma = entry.find(',', eq == std::string::npos ? 0 : eq);
    if (eq == std::string::npos || comma == std::string::npos) {
        return "\"" + entry + "\" is not path=product ID,serial number";
    }
    port.path = Trim(entry.substr(0, eq));
    port.productId = Trim(entry.substr(eq + 1, comma - eq - 1));
    port.serial = Trim(entry.substr(comma + 1));
    if (port.path.empty()) return "\"" + entry + "\" names no port";
    const bool hex = std::all_of(port.productId.begin(), port.productId.end(),
                                 [](unsigned char c) { return std::isxdigit(c) != 0; });
    if (port.productId.empty() || port.productId.size() > 4 || !hex) {
        return "\"" + entry + "\": the product ID is 1 to 4 hexadecimal digits";
    }
    for (char& c : port.productId)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (port.serial.size() > 255)
        return "\"" + entry + "\": the serial number is over 255 characters";
    return std::nullopt;
}

// A bus path as a list of numbers and the separators between them.
std::vector<std::variant<unsigned long, char>> Tokens(const std::string& path) {
    std::vector<std::variant<unsigned long, char>> tokens;
    for (size_t i = 0; i < path.size();) {
        if (std::isdigit(static_cast<unsigned char>(path[i])) != 0) {
            unsigned long number = 0;
            for (; i < path.size() && std::isdigit(static_cast<unsigned char>(path[i])) != 0; ++i) {
                number = number * 10 + static_cast<unsigned long>(path[i] - '0');
            }
            tokens.emplace_back(number);
        } else {
            tokens.emplace_back(path[i++]);
        }
    }
    return tokens;
}

}  // namespace

std::optional<std::string> ParsePortList(const std::string& text, std::vector<PortInfo>& ports) {
    std::vector<PortInfo> parsed;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = std::min(text.find(';', start), text.size());
        std::string entry = Trim(text.substr(start, end - start));
        start = end + 1;
        if (entry.empty()) continue;
        PortInfo port;
        if (auto mistake = ParseEntry(entry, port)) return mistake;
        parsed.push_back(std::move(port));
    }
    ports = std::move(parsed);
    return std::nullopt;
}

bool BusPathBefore(const std::string& a, const std::string& b) {
    // Numbers sort before separators, so "1-1" < "1-1.2" < "1-2" < "1-10".
    return Tokens(a) < Tokens(b);
}

std::vector<PortInfo> MergePorts(std::vector<PortInfo> found, const std::vector<PortInfo>& extra,
                                 std::vector<SkippedEntry>& skipped) {
    skipped.clear();
    // Ports are the same when their paths lead to the same file (links included).
    std::vector<std::pair<dev_t, ino_t>> nodes;
    for (const PortInfo& port : found) {
        struct stat info {};
        if (::stat(port.path.c_str(), &info) == 0) nodes.emplace_back(info.st_dev, info.st_ino);
    }
    for (const PortInfo& port : extra) {
        struct stat info {};
        // A port that is gone (unplugged, its terminal closed) is not offered. Whether
        // a character device is a terminal only its open can tell; the open refuses
        // one that is not.
        const char* reason = nullptr;
        if (::stat(port.path.c_str(), &info) != 0) {
            reason = "missing";
        } else if (!S_ISCHR(info.st_mode)) {
            reason = "not a terminal";
        } else if (std::find(nodes.begin(), nodes.end(), std::pair(info.st_dev, info.st_ino)) !=
                   nodes.end()) {
            reason = "duplicate";
        }
        if (reason != nullptr) {
            skipped.push_back({port.path, reason});
            continue;
        }
        nodes.emplace_back(info.st_dev, info.st_ino);
        found.push_back(port);
    }
    return found;
}

}  // namespace vdserial
