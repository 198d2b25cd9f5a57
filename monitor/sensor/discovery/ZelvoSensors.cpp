// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ZelvoSensors.hpp"

#include <string>

#include "ZelvoError.hpp"
#include "cErrHandler.hpp"

namespace zelvo {

ZelvoSensors::ZelvoSensors() : manager_(std::make_unique<cZelvo>()) {}

ZelvoSensors::ZelvoSensors(std::unique_ptr<cZelvo> manager) : manager_(std::move(manager)) {}

int ZelvoSensors::FindZelvos(DiscoveryList& serials) {
    if (!manager_) {
        serials.fill("");
        return 0;
    }
    return manager_->FindZelvos(serials);
}

int ZelvoSensors::GetReading(const std::string& serial, ReadingResult& result) {
    return manager_ ? manager_->GetReading(serial, result) : ZelvoStatus::NotFound;
}

int ZelvoSensors::Period(const std::string& serial, double seconds) {
    return manager_ ? manager_->Period(serial, seconds) : ZelvoStatus::NotFound;
}

int ZelvoSensors::Material(const std::string& serial, double density, double zRatio,
                           double tooling) {
    return manager_ ? manager_->Material(serial, density, zRatio, tooling) : ZelvoStatus::NotFound;
}

int ZelvoSensors::InitFreq(double maxHz, double minHz, double initHz) {
    return manager_ ? manager_->InitFreq(maxHz, minHz, initHz) : ZelvoStatus::NotFound;
}

int ZelvoSensors::Zero(const std::string& serial) {
    return manager_ ? manager_->Zero(serial) : ZelvoStatus::NotFound;
}

int ZelvoSensors::ZeroAll() {
    return manager_ ? manager_->ZeroAll() : ZelvoStatus::Success;
}

int ZelvoSensors::Reconnect(const std::string& serial) {
    return manager_ ? manager_->Reconnect(serial) : ZelvoStatus::NotFound;
}

void ZelvoSensors::ReadingTimer(int32_t milliseconds) {
    if (!manager_) return;
    RunProcedure("Zelvo_ReadingTimer", [&] {
        if (manager_->SetReadingTimer(milliseconds) != ZelvoStatus::Success) {
            throw ZelvoError(err::InvalidCall, "Reading timer interval refused: " +
                                                   std::to_string(milliseconds) + " ms");
        }
    });
}

bool ZelvoSensors::ExchangeInProgress() const {
    return manager_ && manager_->CommState() == ZelvoStatus::Busy;
}

std::vector<SkippedPort> ZelvoSensors::SkippedPorts() const {
    return manager_ ? manager_->SkippedPorts() : std::vector<SkippedPort>{};
}

void ZelvoSensors::Release() {
    manager_.reset();
}

}  // namespace zelvo
