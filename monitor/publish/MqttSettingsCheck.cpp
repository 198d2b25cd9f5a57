// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "MqttSettingsCheck.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <filesystem>

#include "AppInfo.hpp"
#include "SetupFile.hpp"
#include "SweepTopics.hpp"
#include "TextFile.hpp"
#include "Windows1252.hpp"
#include "cIniFile.hpp"

namespace zelvo {
namespace {

constexpr size_t kShownLength = 60;  // of a value in a refusal
constexpr int kPortMax = 65535;
constexpr int kKeepAliveMin = 5;  // the least the MQTT library takes
constexpr int kKeepAliveMax = 65535;

// A value as a refusal shows it: UTF-8, control characters as \xNN, a long value
// shortened.
std::string Shown(const std::string& text) {
    std::string shown;
    for (char c : text.substr(0, kShownLength)) {
        if (static_cast<unsigned char>(c) >= 0x20) {
            shown += c;
            continue;
        }
        static const char kHex[] = "0123456789ABCDEF";
        shown += std::string("\\x") + kHex[(c >> 4) & 0xF] + kHex[c & 0xF];
    }
    return AsUtf8(shown) + (text.size() > kShownLength ? "..." : "");
}

std::string Refused(const char* key, const std::string& text, const std::string& why) {
    return std::string("[Mqtt] ") + key + "=" + Shown(text) + " " + why;
}

// A whole number in digits only, within [low, high]; the default when empty.
bool WholeIn(const std::string& text, int defaultValue, int low, int high, int& value) {
    if (text.empty()) {
        value = defaultValue;
        return true;
    }
    constexpr size_t kDigitsMax = 9;  // fits an int
    if (text.size() > kDigitsMax ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return false;
    value = std::stoi(text);
    return value >= low && value <= high;
}

bool FlagIn(const std::string& text, bool defaultValue, bool& value) {
    int number = 0;
    if (!WholeIn(text, defaultValue ? 1 : 0, 0, 1, number)) return false;
    value = number == 1;
    return true;
}

// A file named by a setting: as written when absolute, else in the application folder.
std::string SettingPath(const std::string& name) {
    return name.starts_with('/') ? name : JoinPath(GetAppInfo().folder, name);
}

// Why the file cannot be read; empty when it can.
std::string Unreadable(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return std::string("cannot be read: ") + strerror(errno);
    if (!S_ISREG(st.st_mode)) return "is not a file";
    if (::faccessat(AT_FDCWD, path.c_str(), R_OK, AT_EACCESS) != 0)
        return std::string("cannot be read: ") + strerror(errno);
    return "";
}

std::string CheckLink(const MainState& s, MqttSettings& out) {
    out.host = s.MqttHost.empty() ? "localhost" : s.MqttHost;
    if (std::any_of(out.host.begin(), out.host.end(),
                    [](char c) { return static_cast<unsigned char>(c) <= ' '; }))
        return Refused("Host", s.MqttHost, "is not a host name");
    if (!WholeIn(s.MqttPort, 1883, 1, kPortMax, out.port))
        return Refused("Port", s.MqttPort, "is not a port (1 to 65535)");
    if (!WholeIn(s.MqttQos, 1, 0, 1, out.qos)) return Refused("Qos", s.MqttQos, "is not 0 or 1");
    if (!WholeIn(s.MqttKeepAlive, kKeepAliveMin, kKeepAliveMin, kKeepAliveMax,
                 out.keepAliveSeconds))
        return Refused("KeepAlive", s.MqttKeepAlive, "is not a number of seconds (5 to 65535)");
    return "";
}

// The prefix carries every topic of the monitor: no wildcard and no NUL, and never
// longer than a setup file's value may be, so that every reader sees it whole.
std::string CheckTopic(const MainState& s, const std::string& setupFile, MqttSettings& out) {
    if (s.MqttTopic.size() > cIniFile::kValueLimit) {
        return Refused("Topic", s.MqttTopic,
                       "is " + std::to_string(s.MqttTopic.size()) +
                           " characters long, more than the " +
                           std::to_string(cIniFile::kValueLimit) + " a setup file's value holds");
    }
    out.prefix = TopicPrefix(s, setupFile);
    if (out.prefix.find_first_of(std::string("+#\0", 3)) == std::string::npos) return "";
    if (!s.MqttTopic.empty())
        return Refused("Topic", s.MqttTopic, "is not a topic (no \"+\", \"#\" or NUL)");
    return Refused("Topic", "",
                   "takes the setup file's name " + Shown(setupFile) +
                       ", which a topic cannot hold (no \"+\", \"#\" or NUL): set a Topic");
}

// The first line of a file that only its owner may read.
std::string ReadPassword(const std::string& name, std::string& password) {
    const std::string path = SettingPath(name);
    if (std::string why = Unreadable(path); !why.empty()) return Refused("PasswordFile", name, why);
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || (st.st_mode & (S_IRGRP | S_IROTH)) != 0)
        return Refused("PasswordFile", name,
                       "may be read by others than its owner (make it readable only by its "
                       "owner: chmod 600)");
    try {
        const std::string bytes = ReadFileBytes(path);
        password = bytes.substr(0, bytes.find_first_of("\r\n"));
    } catch (const ZelvoError& failure) {
        return Refused("PasswordFile", name, "cannot be read: " + failure.Description());
    }
    if (password.empty())
        return Refused("PasswordFile", name, "holds no password on its first line");
    return "";
}

std::string CheckLogin(const MainState& s, MqttSettings& out) {
    if (s.MqttPasswordInFile)
        return "[Mqtt] Password is refused: a password does not belong in the setup file; put "
               "it in a file readable only by its owner and name that file with PasswordFile";
    out.username = FromWindows1252(s.MqttUsername);
    if (s.MqttPasswordFile.empty()) return "";
    if (s.MqttUsername.empty())
        return Refused("PasswordFile", s.MqttPasswordFile, "needs a Username");
    return ReadPassword(s.MqttPasswordFile, out.password);
}

std::string CheckTlsFile(const char* key, const std::string& name, std::string& path) {
    if (name.empty()) return "";
    path = SettingPath(name);
    const std::string why = Unreadable(path);
    return why.empty() ? "" : Refused(key, name, why);
}

std::string CheckTls(const MainState& s, MqttSettings& out) {
    if (!FlagIn(s.MqttTls, false, out.tls)) return Refused("Tls", s.MqttTls, "is not 0 or 1");
    if (!out.tls) return "";
    if (s.MqttCertFile.empty() != s.MqttKeyFile.empty()) {
        return s.MqttKeyFile.empty() ? Refused("CertFile", s.MqttCertFile, "needs a KeyFile")
                                     : Refused("KeyFile", s.MqttKeyFile, "needs a CertFile");
    }
    for (std::string why : {CheckTlsFile("CaFile", s.MqttCaFile, out.caFile),
                            CheckTlsFile("CertFile", s.MqttCertFile, out.certFile),
                            CheckTlsFile("KeyFile", s.MqttKeyFile, out.keyFile)}) {
        if (!why.empty()) return why;
    }
    return "";
}

// The client id from this machine's name and the setup file's full path.
std::string CheckClientId(const std::string& setupFile, MqttSettings& out) {
    char machine[256] = {};
    if (::gethostname(machine, sizeof machine - 1) != 0)
        return std::string("the name of this machine cannot be read: ") + strerror(errno);
    std::error_code error;
    const std::string path = SetupFilePath(setupFile);
    const std::filesystem::path full = std::filesystem::absolute(path, error);
    out.clientId = MqttClientId(machine, error ? path : full.string());
    return "";
}

}  // namespace

MqttSettingsCheck CheckMqttSettings(const MainState& state, const std::string& setupFile) {
    MqttSettingsCheck check;
    bool enabled = false;
    if (!FlagIn(state.MqttEnabled, false, enabled)) {
        check.refusal = Refused("Enabled", state.MqttEnabled, "is not 0 or 1");
        return check;
    }
    if (!enabled) return check;
    MqttSettings& out = check.settings;
    std::string& refusal = check.refusal;
    refusal = CheckLogin(state, out);
    if (refusal.empty()) refusal = CheckLink(state, out);
    if (refusal.empty()) refusal = CheckTopic(state, setupFile, out);
    if (refusal.empty()) refusal = CheckTls(state, out);
    if (refusal.empty()) refusal = CheckClientId(setupFile, out);
    check.on = refusal.empty();
    return check;
}

std::string Fingerprint(const MqttSettingsCheck& check) {
    if (!check.on) return check.refusal;
    const MqttSettings& s = check.settings;
    std::string text = "on";
    for (const std::string& part :
         {s.host, std::to_string(s.port), s.prefix, std::to_string(s.qos),
          std::to_string(s.keepAliveSeconds), s.clientId, s.username, s.password,
          std::string(s.tls ? "tls" : ""), s.caFile, s.certFile, s.keyFile})
        text += "\n" + part;
    return text;
}

std::string MqttClientId(const std::string& machine, const std::string& setupPath) {
    // FNV-1a: the same on every build, unlike std::hash.
    uint64_t hash = 14695981039346656037ull;
    for (unsigned char c : machine + '\n' + setupPath) {
        hash ^= c;
        hash *= 1099511628211ull;
    }
    static const char kHex[] = "0123456789abcdef";
    std::string id = "zelvo";  // and 16 digits: 21 characters
    for (int shift = 60; shift >= 0; shift -= 4) id += kHex[(hash >> shift) & 0xF];
    return id;
}

}  // namespace zelvo
