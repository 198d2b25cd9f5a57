// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's one sensor manager cZelvo, seen through the calls the main
// window makes of it. Release closes every sensor; afterwards every per-sensor
// call answers ZelvoStatus::NotFound.

#include <memory>

#include "MainView.hpp"
#include "cZelvo.hpp"

namespace zelvo {

class ZelvoSensors : public ISensorManager {
  public:
    // Creates the manager on the program's bridge library.
    ZelvoSensors();
    // Uses a manager made elsewhere (tests).
    explicit ZelvoSensors(std::unique_ptr<cZelvo> manager);

    int FindZelvos(DiscoveryList& serials) override;
    int GetReading(const std::string& serial, ReadingResult& result) override;
    int Period(const std::string& serial, double seconds) override;
    int Material(const std::string& serial, double density, double zRatio, double tooling) override;
    int InitFreq(double maxHz, double minHz, double initHz) override;
    int Zero(const std::string& serial) override;
    int ZeroAll() override;
    int Reconnect(const std::string& serial) override;
    // A refused interval is reported through the error handler.
    void ReadingTimer(int32_t milliseconds) override;
    void Release() override;
    bool ExchangeInProgress() const override;
    std::vector<SkippedPort> SkippedPorts() const override;

    // The manager; nullptr after Release.
    cZelvo* Manager() { return manager_.get(); }

  private:
    std::unique_ptr<cZelvo> manager_;
};

}  // namespace zelvo
