// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Runs a piece of a test in a child process whose files may not grow beyond a
// size, so that a full disk can be met without filling one.

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <functional>

namespace zelvo::testing {

// The body's result as the child's exit status; -1 when the child did not exit.
inline int WithFileSizeLimit(rlim_t limit, const std::function<int()>& body) {
    pid_t pid = ::fork();
    if (pid == 0) {
        std::signal(SIGXFSZ, SIG_IGN);  // a write beyond the limit fails instead
        struct rlimit rl {
            limit, limit
        };
        ::_exit(::setrlimit(RLIMIT_FSIZE, &rl) == 0 ? body() : 100);
    }
    int status = 0;
    if (pid < 0 || ::waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
}

}  // namespace zelvo::testing
