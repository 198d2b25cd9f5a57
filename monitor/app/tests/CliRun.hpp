// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// zelvomon-cli run from a shell in a scratch folder, with its application folder
// "lab" there, on the simulated sensors, and the pieces of its output the tests read.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <regex>
#include <sstream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace zelvo::testing {

inline std::string Slurp(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The lines of a text ended by `end`; an unended last line is kept as it is.
inline std::vector<std::string> Lines(const std::string& text, const std::string& end) {
    std::vector<std::string> lines;
    size_t at = 0;
    for (size_t stop; (stop = text.find(end, at)) != std::string::npos; at = stop + end.size()) {
        lines.push_back(text.substr(at, stop - at));
    }
    if (at < text.size()) lines.push_back(text.substr(at));
    return lines;
}

// Waits (up to a generous limit) until the condition holds.
inline bool Eventually(const std::function<bool()>& condition) {
    for (int i = 0; i < 6000 && !condition(); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return condition();
}

// A whole record line of eight channels: elapsed time, then per channel its rate,
// thickness and frequency or the filler of a channel without a reading.
inline bool IsWholeRecord(const std::string& line) {
    static const std::regex record(
        "[0-9]+\\.[0-9]{2}, ((     ,       ,           , )|"
        "(-?[0-9]+\\.[0-9]{2}, -?[0-9]+\\.[0-9]{3}, -?[0-9]+\\.[0-9]{2}, )){8}");
    return std::regex_match(line, record);
}

class CliRun {
  public:
    explicit CliRun(const std::string& tag)
        : folder_(std::filesystem::temp_directory_path() /
                  ("zelvo_" + tag + "_" + std::to_string(::getpid()))) {
        std::filesystem::create_directories(folder_);
    }
    ~CliRun() {
        if (pid_ > 0) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
        std::filesystem::remove_all(folder_);
    }
    CliRun(const CliRun&) = delete;
    CliRun& operator=(const CliRun&) = delete;

    // The shell command that runs the program from the scratch folder under a
    // locale with a decimal comma, on the simulator configured by `sim` (the one
    // beside the program with --simulate; options with --bridge name another
    // library), with the extra environment `env` ("NAME=value ...") and `options`
    // after the application folder.
    std::string Command(const std::string& options, const std::string& sim = "devices=1",
                        const std::string& env = "", const std::string& runner = "") const {
        const bool chosen = options.find("--simulate") != std::string::npos ||
                            options.find("--bridge") != std::string::npos;
        const std::string bridge =
            chosen ? std::string() : std::string(" --bridge ") + ZELVO_SIM_LIBRARY_PATH;
        return "cd '" + folder_.string() + "' && LC_ALL=de_DE.UTF-8 ZELVO_SIM='" + sim + "' " +
               env + " exec " + runner + ZELVO_CLI_PATH + bridge + " --app-dir lab " + options;
    }

    // Runs the program to its end, its output kept in out.txt and err.txt; returns
    // its exit status. A run still going after two minutes is killed and counts as
    // hung (128 + 9).
    int Run(const std::string& options, const std::string& sim = "devices=1",
            const std::string& env = "", const std::string& runner = "") {
        const std::string command =
            Command(options, sim, env, runner + "timeout -s KILL 120 ") + " >out.txt 2>err.txt";
        return ExitStatus(std::system(command.c_str()));
    }
    // Starts the program in the background, its output kept as Run keeps it.
    void Spawn(const std::string& options, const std::string& sim = "devices=1") {
        const std::string command = Command(options, sim) + " >out.txt 2>err.txt";
        std::filesystem::remove(folder_ / "out.txt");
        pid_ = ::fork();
        if (pid_ == 0) {
            ::execl("/bin/sh", "sh", "-c", command.c_str(), nullptr);
            ::_exit(127);
        }
        ASSERT_GT(pid_, 0);
    }
    void Signal(int signal) const { ::kill(pid_, signal); }
    // The exit status of the spawned program, once it has ended.
    int Wait() {
        int status = 0;
        EXPECT_EQ(::waitpid(pid_, &status, 0), pid_);
        pid_ = -1;
        return ExitStatus(status);
    }

    // The setup file of eight sensors ZS0001 to ZS0008, all displayed, run number
    // 41, logging to `logFile` (overwritten by each run).
    void EightSensors(const std::string& logFile) const {
        std::string text =
            "[Application]\r\nIniVer=109\r\nRunNum=41\r\nShowLast=7\r\n"
            "[DataLog]\r\nLogEnabled=1\r\nLogType=0\r\nLogFile=" +
            logFile + "\r\n[Zelvo]\r\n";
        for (int i = 1; i <= 8; ++i) {
            const std::string n = std::to_string(i);
            text += "Sensor " + n + "=Sensor " + n + ";1000;1000;10000;ZS000" + n + "\r\n";
        }
        std::filesystem::create_directories(folder_ / "lab");
        std::ofstream(Path("zelvo.cfg"), std::ios::binary) << text;
    }
    // Replaces the first `from` of each edit in the application folder's file.
    void Edit(const std::string& name,
              const std::vector<std::pair<std::string, std::string>>& edits) {
        std::string text = Read(name);
        for (const auto& [from, to] : edits) {
            const size_t at = text.find(from);
            ASSERT_NE(at, std::string::npos) << from << " in " << text;
            text.replace(at, from.size(), to);
        }
        std::ofstream(Path(name), std::ios::binary) << text;
    }

    std::string Out() const { return Slurp(folder_ / "out.txt"); }
    std::string Err() const { return Slurp(folder_ / "err.txt"); }
    // Sweeps the program printed as text records.
    size_t Sweeps() const {
        static const std::regex sweep("^[0-9]+\\.[0-9]{2}s");
        size_t count = 0;
        for (const std::string& line : Lines(Out(), "\n")) {
            count += std::regex_search(line, sweep) ? 1 : 0;
        }
        return count;
    }
    // The run number the setup file holds.
    int RunNumber() const {
        std::smatch m;
        const std::string setup = Read("zelvo.cfg");
        return std::regex_search(setup, m, std::regex("RunNum=(\\d+)")) ? std::stoi(m[1]) : -1;
    }

    std::filesystem::path Folder() const { return folder_; }
    std::filesystem::path Path(const std::string& name) const { return folder_ / "lab" / name; }
    std::string Read(const std::string& name) const { return Slurp(Path(name)); }

    // The exit status of a command std::system ran; 128 + the signal that ended it.
    static int ExitStatus(int status) {
        if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

  private:
    std::filesystem::path folder_;
    pid_t pid_ = -1;
};

}  // namespace zelvo::testing
