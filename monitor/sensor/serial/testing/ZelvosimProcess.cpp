// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ZelvosimProcess.hpp"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

namespace zelvo::testing {

std::string ZelvosimProcess::ProgramPath() {
    return ZELVOSIM_PATH;
}
std::string ZelvosimProcess::LibraryPath() {
    return ZELVO_VDLINK_PATH;
}

ZelvosimProcess::ZelvosimProcess(const std::string& config) {
    int out[2];
    if (::pipe2(out, O_CLOEXEC) != 0) throw std::runtime_error(std::strerror(errno));
    pid_ = ::fork();
    if (pid_ < 0) throw std::runtime_error(std::strerror(errno));
    if (pid_ == 0) {
        ::dup2(out[1], STDOUT_FILENO);
        const std::string program = ProgramPath();
        ::execl(program.c_str(), program.c_str(), "--config", config.c_str(),
                static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(out[1]);
    // The first line; the pipe's far end then stays unread (zelvosim writes no more).
    char c = 0;
    ssize_t n = 0;
    while ((n = ::read(out[0], &c, 1)) == 1 && c != '\n') ports_ += c;
    ::close(out[0]);
    if (n != 1) {
        Stop();
        throw std::runtime_error("zelvosim gave no ports line for \"" + config + "\"");
    }
}

ZelvosimProcess::~ZelvosimProcess() {
    if (pid_ > 0) Stop();
}

int ZelvosimProcess::Stop(int signal) {
    if (pid_ <= 0) return -1;
    int status = 0;
    if (::kill(pid_, signal) != 0 || ::waitpid(pid_, &status, 0) != pid_) status = -1;
    pid_ = -1;
    return status >= 0 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

PortsEnvironment::PortsEnvironment(const std::string& ports) {
    if (const char* old = std::getenv("ZELVO_PORTS")) {
        had_ = true;
        old_ = old;
    }
    ::setenv("ZELVO_PORTS", ports.c_str(), 1);
}

PortsEnvironment::~PortsEnvironment() {
    if (had_) {
        ::setenv("ZELVO_PORTS", old_.c_str(), 1);
    } else {
        ::unsetenv("ZELVO_PORTS");
    }
}

}  // namespace zelvo::testing
