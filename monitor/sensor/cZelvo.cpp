// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "cZelvo.hpp"

#include "Strings.hpp"
#include "ZelvoError.hpp"
#include "cErrHandler.hpp"
#include "modUSB.hpp"

namespace zelvo {
namespace {

// The status a procedure returns after its failure went to the error handler:
// an unbindable bridge library means the sensor could not be reached.
int32_t StatusAfterFailure(const ZelvoError& error) {
    if (error.Number() == err::LibraryNotFound || error.Number() == err::EntryPointNotFound) {
        return ZelvoStatus::CommFailure;
    }
    return ZelvoStatus::BadArgument;
}

// Runs a procedure body that returns a status under the handler's convention.
template <class Body>
int32_t RunStatusProcedure(const char* name, Body&& body) {
    ProcScope scope(name);
    try {
        return body();
    } catch (...) {
        ZelvoError error = CurrentError();
        ErrHandler().HandleError();
        return StatusAfterFailure(error);
    }
}

// Appends one exchange to the wire trace with the result its operation returns;
// a trace that fails is reported once, then left off.
void TraceExchange(std::unique_ptr<WireTrace>& trace, const std::string& serialNumber,
                   const std::string& command, const Exchange& exchange, int32_t result) {
    if (!trace || !exchange.sent) return;
    if (auto error = trace->Write(serialNumber, command, exchange, result)) {
        trace.reset();
        ErrHandler().HandleError(error->Number(), error->Description());
    }
}

}  // namespace

cZelvo::cZelvo() : cZelvo(VdLibrary()) {}

cZelvo::cZelvo(VdBridge& bridge) : bridge_(bridge), link_(bridge) {
    RunProcedure("Zelvo_Initialize", [this] { Initialize(); });
}

void cZelvo::Initialize() {
    // The millisecond clock is steady_clock based; there is no timer resolution to
    // raise on this platform.
    foundCount_ = 0;
    limits_ = protocol::CrystalLimits{};
    link_.ClearState();
    inRangeFlag_ = 0;
    readingInterval_ = 0;
    records_.fill(ZelvoRecord{});
    zelvoTimer_ = Desktop().CreateTimer();
    if (!zelvoTimer_) throw ZelvoError(err::InvalidCall, "The desktop could not create a timer");
    zelvoTimer_->SetInterval(0);
    zelvoTimer_->SetEnabled(false);
    zelvoTimer_->SetOnTick([this] { ZelvoTimer_Timer(); });
    if (auto error = WireTrace::FromEnvironment(trace_)) throw *error;
}

cZelvo::~cZelvo() {
    if (zelvoTimer_) zelvoTimer_->SetEnabled(false);
    try {
        CloseAll();
    } catch (...) {
        ErrHandler().HandleError();
    }
}

const ZelvoRecord& cZelvo::Record(int index) const {
    if (index < 0 || index >= kZelvoRecordCount) {
        throw ZelvoError(err::SubscriptOutOfRange, "Subscript out of range");
    }
    return records_[static_cast<size_t>(index)];
}

void cZelvo::CloseAll() {
    for (ZelvoRecord& record : records_) {
        if (record.Handle > 0) {
            int32_t handle = record.Handle;
            record.Handle = 0;
            // The close status is not acted on: the handle is given up either way.
            bridge_.VD_Close(handle);
        }
    }
}

int cZelvo::ZelvoIndex(const std::string& serialNumber) {
    ProcScope scope("Zelvo_ZelvoIndex");
    // An empty text names no sensor (free records carry an empty serial number).
    if (serialNumber.empty()) return 0;
    for (int i = 1; i < kZelvoRecordCount; ++i) {
        if (EqualsNoCase(records_[static_cast<size_t>(i)].SerialNumber, serialNumber)) return i;
    }
    return 0;
}

template <class Judge>
int32_t cZelvo::Command(ZelvoRecord& record, const std::string& command, Judge&& judge) {
    const Exchange exchange = link_.Run(command, record.Handle);
    if (exchange.handleClosed) record.Handle = 0;
    if (exchange.status != ZelvoStatus::Success) {
        TraceExchange(trace_, record.SerialNumber, command, exchange, exchange.status);
        return exchange.status;
    }
    // The judge gives the operation's result from the reply, so the line is
    // written once that result is known; a judge that fails is traced with the
    // status its caller then gets.
    int32_t status = ZelvoStatus::Success;
    try {
        status = judge(exchange.reply);
    } catch (...) {
        TraceExchange(trace_, record.SerialNumber, command, exchange,
                      StatusAfterFailure(CurrentError()));
        throw;
    }
    TraceExchange(trace_, record.SerialNumber, command, exchange, status);
    return status;
}

int32_t cZelvo::Revision(const std::string& serialNumber, std::string& revision) {
    revision.clear();
    return RunStatusProcedure("Zelvo_Revision", [&]() -> int32_t {
        int index = ZelvoIndex(serialNumber);
        if (index == 0) return ZelvoStatus::NotFound;
        return Command(
            records_[static_cast<size_t>(index)], protocol::RevisionCommand(),
            [&](const std::string& reply) { return protocol::RevisionText(reply, revision); });
    });
}

int32_t cZelvo::GetReading(const std::string& serialNumber, ReadingResult& result) {
    result.fill(0.0);
    return RunStatusProcedure("Zelvo_GetReading", [&]() -> int32_t {
        int index = ZelvoIndex(serialNumber);
        if (index == 0) return ZelvoStatus::NotFound;
        return ReadingBody(index, result);
    });
}

int32_t cZelvo::ReadingBody(int index, ReadingResult& result) {
    ZelvoRecord& record = records_[static_cast<size_t>(index)];
    // The whole reading judges the reply: its status is known only once the
    // frequency has been checked against the crystal's limits.
    const auto reading = [&](const std::string& reply) -> int32_t {
        double ticks = 0.0;
        const int32_t status = protocol::ReadingTicks(reply, ticks);
        if (status != ZelvoStatus::Success) return status;

        const double f = protocol::Frequency(record.GateCycles, ticks);
        record.Frequency = f;
        result[kResultFrequency] = f;
        if (!protocol::WithinLimits(f, limits_)) {
            result[kResultFrequency] = -1.0;
            inRangeFlag_ = 0;
            return ZelvoStatus::OutOfLimits;
        }
        inRangeFlag_ = 1;
        result[kResultLife] = protocol::Life(f, limits_);

        if (record.Density == 0 || record.ZRatio == 0 || record.GatePeriod == 0 || f == 0 ||
            limits_.initial == 0) {
            result[kResultRate] = 0.0;
            result[kResultThickness] = 0.0;
            return ZelvoStatus::BadArgument;
        }
        const double t = Thickness(record, f);
        const uint32_t now = Desktop().Milliseconds();
        if (record.ZeroOffset == 0) {
            record.ZeroOffset = t;
            record.ZeroFrequency = f;
            // A record that zeroes itself starts its first rate interval here.
            RestartRateInterval(record, 0, now);
        }
        const double rel = t - record.ZeroOffset;
        result[kResultThickness] = rel * 0.001;
        result[kResultRate] = RateStep(record, rel, now);
        record.LastThickness = rel;
        return ZelvoStatus::Success;
    };
    return Command(record, protocol::ReadingCommand(inRangeFlag_), reading);
}

double cZelvo::RateStep(ZelvoRecord& record, double thickness, uint32_t now) {
    // The rate is taken over at least one whole measurement period: the window polls
    // at half the period, so a reading that comes sooner repeats the last rate and
    // leaves the interval open.
    const double elapsed =
        protocol::ElapsedSeconds(static_cast<uint32_t>(record.LastReadingTime), now);
    if (!protocol::WholePeriodElapsed(elapsed, record.GatePeriod)) return record.LastRate;
    record.LastRate = protocol::Rate(thickness, record.RateBaseThickness, elapsed);
    record.LastReadingTime = static_cast<double>(now);
    record.RateBaseThickness = thickness;
    return record.LastRate;
}

void cZelvo::RestartRateInterval(ZelvoRecord& record, double thickness, uint32_t now) {
    record.LastReadingTime = static_cast<double>(now);
    record.RateBaseThickness = thickness;
    record.LastRate = 0;
}

ReadingResult cZelvo::GetReadingVariant(const std::string& serialNumber) {
    ReadingResult result{};
    GetReading(serialNumber, result);  // the status is not part of this form's answer
    return result;
}

int32_t cZelvo::Period(const std::string& serialNumber, double period) {
    return RunStatusProcedure("Zelvo_Period", [&]() -> int32_t {
        if (!protocol::ValidPeriod(period) || !protocol::ValidCrystalFrequency(limits_.minimum)) {
            return ZelvoStatus::BadArgument;
        }
        int index = ZelvoIndex(serialNumber);
        if (index == 0) return ZelvoStatus::NotFound;
        return PeriodBody(index, period);
    });
}

int32_t cZelvo::PeriodBody(int index, double period) {
    ZelvoRecord& record = records_[static_cast<size_t>(index)];
    const auto echo = [](const std::string& command) {
        return [command](const std::string& reply) { return protocol::CheckEcho(reply, command); };
    };
    const int32_t cycles = protocol::GateCycles(period, limits_.minimum);
    const std::string cyclesCommand = protocol::GateCyclesCommand(cycles);
    int32_t status = Command(record, cyclesCommand, echo(cyclesCommand));
    if (status != ZelvoStatus::Success) return status;
    record.GateCycles = cycles;

    const int32_t gateTime = protocol::GateTime(period);
    const std::string timeCommand = protocol::GateTimeCommand(gateTime);
    status = Command(record, timeCommand, echo(timeCommand));
    if (status != ZelvoStatus::Success) return status;
    record.GateTime = gateTime;
    record.GatePeriod = period;
    return ZelvoStatus::Success;
}

int32_t cZelvo::Material(const std::string& serialNumber, double density, double zRatio,
                         double tooling) {
    return RunStatusProcedure("Zelvo_Material", [&]() -> int32_t {
        if (!protocol::ValidMaterial(density, zRatio, tooling)) return ZelvoStatus::BadArgument;
        int index = ZelvoIndex(serialNumber);
        if (index == 0) return ZelvoStatus::NotFound;
        ZelvoRecord& record = records_[static_cast<size_t>(index)];
        ZelvoRecord updated = record;
        updated.Density = density;
        updated.ZRatio = zRatio;
        updated.Tooling = tooling;
        if (updated.ZeroFrequency != 0) {
            // Keep the zero point at the same frequency under the new material.
            updated.ZeroOffset = Thickness(updated, updated.ZeroFrequency);
            updated.LastThickness = Thickness(updated, updated.Frequency) - updated.ZeroOffset;
            // A new material changes the thickness scale: the rate starts a new interval.
            RestartRateInterval(updated, updated.LastThickness, Desktop().Milliseconds());
        }
        record = updated;  // all or nothing: an arithmetic fault above changes nothing
        return ZelvoStatus::Success;
    });
}

int32_t cZelvo::InitFreq(double maxFrequency, double minFrequency, double initialFrequency) {
    return RunStatusProcedure("Zelvo_Init", [&]() -> int32_t {
        link_.ClearState();
        const protocol::CrystalLimits limits{minFrequency, initialFrequency, maxFrequency};
        if (!protocol::ValidLimits(limits)) return ZelvoStatus::BadArgument;
        limits_ = limits;
        return ZelvoStatus::Success;
    });
}

int32_t cZelvo::Zero(const std::string& serialNumber) {
    return RunStatusProcedure("Zelvo_Zero", [&]() -> int32_t {
        int index = ZelvoIndex(serialNumber);
        if (index == 0) return ZelvoStatus::NotFound;
        ZeroRecord(records_[static_cast<size_t>(index)], Desktop().Milliseconds());
        return ZelvoStatus::Success;
    });
}

int32_t cZelvo::ZeroAll() {
    return RunStatusProcedure("Zelvo_ZeroAll", [&]() -> int32_t {
        const uint32_t now = Desktop().Milliseconds();
        for (ZelvoRecord& record : records_) ZeroRecord(record, now);
        return ZelvoStatus::Success;
    });
}

void cZelvo::ZeroRecord(ZelvoRecord& record, uint32_t now) {
    record.ZeroFrequency = record.Frequency;
    record.ZeroOffset = record.ZeroOffset + record.LastThickness;
    record.LastThickness = 0;
    RestartRateInterval(record, 0, now);
}

double cZelvo::Thickness(const ZelvoRecord& record, double frequency) const {
    return protocol::Thickness({record.Density, record.ZRatio, record.Tooling}, limits_.initial,
                               frequency);
}

int32_t cZelvo::SetReadingTimer(int32_t milliseconds) {
    if (milliseconds < 0) return ZelvoStatus::BadArgument;
    readingInterval_ = milliseconds;
    if (!zelvoTimer_) return ZelvoStatus::Success;
    if (milliseconds != 0) {
        zelvoTimer_->SetInterval(milliseconds);
        zelvoTimer_->SetEnabled(true);
    } else {
        zelvoTimer_->SetEnabled(false);
    }
    return ZelvoStatus::Success;
}

void cZelvo::ZelvoTimer_Timer() {
    for (int i = 0; i < kZelvoRecordCount; ++i) {
        if (records_[static_cast<size_t>(i)].Handle <= 0) continue;
        const std::string serial = records_[static_cast<size_t>(i)].SerialNumber;
        ReadingResult result{};
        int32_t status = GetReading(serial, result);
        if ((status == ZelvoStatus::Success || status == ZelvoStatus::OutOfLimits) &&
            zelvoReading_) {
            zelvoReading_(serial, result);
        }
    }
}

}  // namespace zelvo
