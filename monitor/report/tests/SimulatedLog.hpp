// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A data log written by zelvomon-cli on three simulated sensors depositing at
// different rates, the second one gone for a while; its setup file names the
// first channel in Windows-1252.

#include <string>

#include "CliRun.hpp"

namespace zelvo::testing {

inline constexpr const char* kSimulatedSensors =
    "devices=3;noise=0.5;d0.rate=1;d1.rate=3;d2.rate=6;d1.fault=replug:8:1";

class SimulatedLog {
  public:
    SimulatedLog() : cli_("report") {
        cli_.EightSensors("run.log");
        cli_.Edit("zelvo.cfg",
                  {{"ShowLast=7", "ShowLast=2"}, {"Sensor 1=Sensor 1", "Sensor 1=Gold \xe9t\xe9"}});
        status_ = cli_.Run("--seconds 3", kSimulatedSensors);
    }
    int Status() const { return status_; }
    std::string Err() const { return cli_.Err(); }
    std::string Path(const std::string& name) const { return cli_.Path(name).string(); }
    std::string Text() const { return cli_.Read("run.log"); }

  private:
    CliRun cli_;
    int status_ = -1;
};

}  // namespace zelvo::testing
