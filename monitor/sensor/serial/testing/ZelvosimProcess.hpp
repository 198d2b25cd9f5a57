// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// zelvosim run as a child process for tests and benchmarks: started with a
// configuration text, its ZELVO_PORTS line read, stopped with SIGTERM.

#include <signal.h>
#include <sys/types.h>

#include <string>

namespace zelvo::testing {

class ZelvosimProcess {
  public:
    // Starts zelvosim with `config` and waits for its ports line; throws
    // std::runtime_error when it does not come.
    explicit ZelvosimProcess(const std::string& config);
    // Stops it if still running.
    ~ZelvosimProcess();
    ZelvosimProcess(const ZelvosimProcess&) = delete;
    ZelvosimProcess& operator=(const ZelvosimProcess&) = delete;

    // The ZELVO_PORTS text it printed.
    const std::string& Ports() const { return ports_; }
    // Sends `signal` (SIGTERM unless given) and waits; the exit status (-1 when
    // killed by the signal).
    int Stop(int signal = SIGTERM);

    static std::string ProgramPath();
    static std::string LibraryPath();

  private:
    pid_t pid_ = -1;
    std::string ports_;
};

// Sets ZELVO_PORTS for this process for its lifetime, restoring the old value after.
class PortsEnvironment {
  public:
    explicit PortsEnvironment(const std::string& ports);
    ~PortsEnvironment();
    PortsEnvironment(const PortsEnvironment&) = delete;
    PortsEnvironment& operator=(const PortsEnvironment&) = delete;

  private:
    bool had_ = false;
    std::string old_;
};

}  // namespace zelvo::testing
