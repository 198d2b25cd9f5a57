#pragma once
// zelvomon-cli run from a shell in a scratch folder on eight simulated sensors
// with the data log on, and the pieces of its output the tests read.
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
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
    // A setup file of eight sensors ZS0001 to ZS0008, all displayed, run number 41,
    // logging to `logFile` (overwritten by each run).
    CliRun(const std::string& tag, const std::string& logFile)
        : folder_(std::filesystem::temp_directory_path() /
                  ("zelvo_" + tag + "_" + std::to_string(::getpid()))) {
        std::filesystem::create_directories(folder_);
        std::string text =
            "[Application]\r\nIniVer=109\r\nRunNum=41\r\nShowLast=7\r\n"
            "[DataLog]\r\nLogEnabled=1\r\nLogType=0\r\nLogFile=" +
            logFile + "\r\n[Zelvo]\r\n";
        for (int i = 1; i <= 8; ++i) {
            const std::string n = std::to_string(i);
            text += "Sensor " + n + "=Sensor " + n + ";1000;1000;10000;ZS000" + n + "\r\n";
        }
        std::ofstream(folder_ / "zelvo.cfg", std::ios::binary) << text;
    }
    ~CliRun() { std::filesystem::remove_all(folder_); }
    CliRun(const CliRun&) = delete;
    CliRun& operator=(const CliRun&) = delete;

    // Runs the program for `seconds` with the simulator configured by `sim` and the
    // extra environment `env` ("NAME=value ..."); returns its exit status. A run
    // still going after two minutes is killed and counts as hung (128 + 9).
    int Run(const std::string& sim, double seconds, const std::string& env = "") {
        const std::string command = "cd '" + folder_.string() + "' && ZELVO_SIM='" + sim + "' " +
                                    env + " timeout -s KILL 120 " + ZELVO_CLI_PATH +
                                    " --app-dir . --bridge " + ZELVO_SIM_LIBRARY_PATH +
                                    " --seconds " + std::to_string(seconds) + " >out.txt 2>err.txt";
        const int status = std::system(command.c_str());
        out = Slurp(folder_ / "out.txt");
        err = Slurp(folder_ / "err.txt");
        if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    // Sweeps the program printed.
    size_t Sweeps() const {
        static const std::regex sweep("^[0-9]+\\.[0-9]{2}s");
        size_t count = 0;
        for (const std::string& line : Lines(out, "\n")) {
            count += std::regex_search(line, sweep) ? 1 : 0;
        }
        return count;
    }

    std::filesystem::path Path(const std::string& name) const { return folder_ / name; }
    std::string Read(const std::string& name) const { return Slurp(folder_ / name); }

    std::string out, err;

  private:
    std::filesystem::path folder_;
};

}  // namespace zelvo::testing
