#include "cZelvo.hpp"

#include <cmath>

#include "Numbers.hpp"
#include "Strings.hpp"
#include "ZelvoError.hpp"
#include "cErrHandler.hpp"
#include "modUSB.hpp"

namespace zelvo {
namespace {

constexpr double kPi = 3.14159265358979;
// AT-cut frequency constant (166800 Hz cm) x quartz density (2.648 g/cm3) x 1e8 A/cm.
constexpr double kQuartzConstant = 44168640000000.0;
// Reference clock of the sensor's counter, ticks per second.
constexpr double kTicksPerSecond = 199065600.0;
constexpr const char* kZelvoProductId = "5C3E";
constexpr int32_t kLineRate = 115200;
constexpr int32_t kReplyBytes = 252;
constexpr uint32_t kReplyLimitMs = 100;

// A finite value, or a run-time error for an arithmetic fault.
double Finite(double value) {
    if (std::isnan(value)) throw ZelvoError(err::InvalidCall, "Invalid procedure call or argument");
    if (std::isinf(value)) throw ZelvoError(err::Overflow, "Overflow");
    return value;
}

double Divide(double numerator, double denominator) {
    if (denominator == 0.0) throw ZelvoError(err::DivisionByZero, "Division by zero");
    return Finite(numerator / denominator);
}

bool StartsWithNoCase(const std::string& text, const char* echo) {
    return text.size() >= 2 && EqualsNoCase(std::string_view(text).substr(0, 2), echo);
}

// Leading and trailing spaces removed (only spaces: the reply keeps its CR LF).
std::string TrimSpaces(const std::string& text) {
    size_t begin = text.find_first_not_of(' ');
    if (begin == std::string::npos) return "";
    return text.substr(begin, text.find_last_not_of(' ') - begin + 1);
}

// The reading number of a reply text after its echo: an optional sign, digits and
// an optional fraction, with blanks, tabs and line feeds skipped wherever they
// stand. Reading stops at the first other character that cannot continue the
// number (an exponent is not part of a reading); text without a number reads as 0.
double ReplyNumber(const std::string& text) {
    std::string number;
    bool point = false;
    for (char c : text) {
        if (c == ' ' || c == '\t' || c == '\n') continue;
        if ((c == '+' || c == '-') && number.empty()) {
            number += c;
        } else if (c >= '0' && c <= '9') {
            number += c;
        } else if (c == '.' && !point) {
            point = true;
            number += c;
        } else {
            break;
        }
    }
    return LeadingNumber(number);
}

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

}  // namespace

cZelvo::cZelvo() : cZelvo(VdLibrary()) {}

cZelvo::cZelvo(VdBridge& bridge) : bridge_(bridge) {
    RunProcedure("Zelvo_Initialize", [this] { Initialize(); });
}

void cZelvo::Initialize() {
    // The millisecond clock is steady_clock based; there is no timer resolution to
    // raise on this platform.
    foundCount_ = 0;
    minFrequency_ = 5000000.0;
    initialFrequency_ = 6000000.0;
    maxFrequency_ = 6100000.0;
    commState_ = 0;
    inRangeFlag_ = 0;
    readingInterval_ = 0;
    records_.fill(ZelvoRecord{});
    zelvoTimer_ = Desktop().CreateTimer();
    if (!zelvoTimer_) throw ZelvoError(err::InvalidCall, "The desktop could not create a timer");
    zelvoTimer_->SetInterval(0);
    zelvoTimer_->SetEnabled(false);
    zelvoTimer_->SetOnTick([this] { ZelvoTimer_Timer(); });
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

std::string cZelvo::CommZelvo(const std::string& command, int32_t handle) {
    ProcScope scope("Zelvo_CommZelvo");
    if (commState_ == ZelvoStatus::Busy) return "";  // the running exchange keeps its mark
    if (handle < 1) {
        commState_ = ZelvoStatus::NotFound;
        return "";
    }
    commState_ = ZelvoStatus::Busy;
    try {
        int32_t written = 0;
        if (bridge_.VD_FlushBuffers(handle, 1, 1) != 0 ||
            bridge_.VD_Write(handle, command + "\r\n", written) != 0) {
            commState_ = ZelvoStatus::CommFailure;
            return "";
        }
        const uint32_t start = Desktop().Milliseconds();
        std::vector<char> buffer;
        for (;;) {
            Desktop().ProcessEvents();
            // Unsigned difference: correct across the counter's wrap, never negative.
            if (Desktop().Milliseconds() - start > kReplyLimitMs) break;
            int32_t returned = 0;
            // A failed read means the device is gone: no reply can come.
            if (bridge_.VD_Read(handle, buffer, kReplyBytes, returned) != 0) break;
            std::string reply;
            for (char c : buffer) {
                if (c != '\0') reply += c;
            }
            if (!reply.empty()) {
                commState_ = ZelvoStatus::Success;
                return TrimSpaces(reply);
            }
            Desktop().Sleep(1);
        }
        commState_ = ZelvoStatus::CommFailure;
        return "";
    } catch (...) {
        commState_ = ZelvoStatus::CommFailure;
        ErrHandler().HandleError();
        return "";
    }
}

int16_t cZelvo::FindZelvos(ZelvoSerialList& serialNumbers) {
    ProcScope scope("Zelvo_FindZelvos");
    serialNumbers.fill("");
    try {
        for (int i = 1; i < kZelvoRecordCount; ++i) {
            ZelvoRecord& record = records_[static_cast<size_t>(i)];
            if (record.Handle > 0) {
                int32_t handle = record.Handle;
                record.Handle = 0;
                bridge_.VD_Close(handle);  // the handle is given up whatever the status
            }
        }
        foundCount_ = 0;
        int32_t count = 0;
        bridge_.VD_GetNumDevices(count);  // the count alone is relied on
        for (int32_t device = 0; device < count && foundCount_ < kMaxZelvos; ++device) {
            std::string productId;
            bridge_.VD_GetProductString(device, productId, VD_PRODUCT_ID);
            if (ToUpper(productId) != kZelvoProductId) continue;
            int32_t handle = 0;
            if (bridge_.VD_Open(device, handle) != 0 || handle < 1) continue;
            if (bridge_.VD_SetBaudRate(handle, kLineRate) != 0) {
                bridge_.VD_Close(handle);  // not used, so not kept open
                continue;
            }
            ++foundCount_;
            std::string serial;
            bridge_.VD_GetProductString(device, serial, VD_PRODUCT_SERIAL_NUMBER);
            serial = ToUpper(serial);

            int index = 0;
            for (int i = 1; i < kZelvoRecordCount && index == 0; ++i) {
                if (records_[static_cast<size_t>(i)].SerialNumber == serial) index = i;
            }
            if (index != 0) {
                ZelvoRecord& record = records_[static_cast<size_t>(index)];
                // A second device with the same serial number takes the record over;
                // the first one's handle is closed rather than lost.
                if (record.Handle > 0) bridge_.VD_Close(record.Handle);
                record.Handle = handle;
            } else {
                for (int i = 1; i < kZelvoRecordCount && index == 0; ++i) {
                    if (records_[static_cast<size_t>(i)].Handle == 0) index = i;
                }
                if (index != 0) {
                    records_[static_cast<size_t>(index)].SerialNumber = serial;
                    records_[static_cast<size_t>(index)].Handle = handle;
                }
            }
            if (index != 0) {
                const ZelvoRecord& record = records_[static_cast<size_t>(index)];
                serialNumbers[static_cast<size_t>(index - 1)] = record.SerialNumber;
                // The sensor starts with the record's period; its status stays in
                // CommState and discovery goes on either way.
                Period(record.SerialNumber, record.GatePeriod);
            }
        }
        for (ZelvoRecord& record : records_) {
            if (record.Handle == 0) record.SerialNumber.clear();
        }
    } catch (...) {
        ErrHandler().HandleError();
    }
    return foundCount_;
}

int32_t cZelvo::Revision(const std::string& serialNumber, std::string& revision) {
    revision.clear();
    return RunStatusProcedure("Zelvo_Revision", [&]() -> int32_t {
        int index = ZelvoIndex(serialNumber);
        if (index == 0) return ZelvoStatus::NotFound;
        std::string reply = CommZelvo("!@", records_[static_cast<size_t>(index)].Handle);
        if (commState_ != ZelvoStatus::Success) return commState_;
        if (!StartsWithNoCase(reply, "!@")) return ZelvoStatus::BadEcho;
        // The text between the echo and the two closing characters.
        if (reply.size() > 4) revision = reply.substr(2, reply.size() - 4);
        return ZelvoStatus::Success;
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
    std::string reply = CommZelvo("!A" + std::to_string(inRangeFlag_), record.Handle);
    if (commState_ != ZelvoStatus::Success) return commState_;
    if (!StartsWithNoCase(reply, "!A")) return ZelvoStatus::BadReadingEcho;
    const double number = ReplyNumber(reply.substr(2));
    if (number == -1.0) return ZelvoStatus::SensorMinus1;
    if (number == -2.0) return ZelvoStatus::SensorMinus2;
    if (number <= 0.0) return ZelvoStatus::BadReadingValue;

    const double f = Divide(record.GateCycles * kTicksPerSecond, number);
    record.Frequency = f;
    result[kResultFrequency] = f;
    if (f > maxFrequency_ || f < minFrequency_) {
        result[kResultFrequency] = -1.0;
        inRangeFlag_ = 0;
        return ZelvoStatus::OutOfLimits;
    }
    inRangeFlag_ = 1;
    const double f0 = initialFrequency_;
    result[kResultLife] =
        f0 != minFrequency_ ? Finite(100.0 - (f0 - f) * 100.0 / (f0 - minFrequency_)) : 0.0;

    if (record.Density == 0 || record.ZRatio == 0 || record.GatePeriod == 0 || f == 0 || f0 == 0) {
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
        record.LastReadingTime = static_cast<double>(now);
        record.RateBaseThickness = 0;
        record.LastRate = 0;
    }
    const double rel = t - record.ZeroOffset;
    result[kResultThickness] = rel * 0.001;

    // The rate is taken over at least one whole measurement period: the window polls
    // at half the period, so a reading that comes sooner repeats the last rate and
    // leaves the interval open (the counter wraps at 2^32).
    const uint32_t since = static_cast<uint32_t>(record.LastReadingTime);
    const double elapsed = static_cast<double>(now - since) * 0.001;
    if (std::floor(elapsed / record.GatePeriod) == 0.0) {
        result[kResultRate] = record.LastRate;
    } else {
        result[kResultRate] = Divide(rel - record.RateBaseThickness, elapsed);
        record.LastRate = result[kResultRate];
        record.LastReadingTime = static_cast<double>(now);
        record.RateBaseThickness = rel;
    }
    record.LastThickness = rel;
    return ZelvoStatus::Success;
}

ReadingResult cZelvo::GetReadingVariant(const std::string& serialNumber) {
    ReadingResult result{};
    GetReading(serialNumber, result);  // the status is not part of this form's answer
    return result;
}

int32_t cZelvo::Period(const std::string& serialNumber, double period) {
    return RunStatusProcedure("Zelvo_Period", [&]() -> int32_t {
        if (!(period >= 0.1 && period <= 2.0) ||
            !(minFrequency_ >= 1000000.0 && minFrequency_ <= 30000000.0)) {
            return ZelvoStatus::BadArgument;
        }
        int index = ZelvoIndex(serialNumber);
        if (index == 0) return ZelvoStatus::NotFound;
        return PeriodBody(index, period);
    });
}

int32_t cZelvo::PeriodBody(int index, double period) {
    ZelvoRecord& record = records_[static_cast<size_t>(index)];
    const int32_t cycles = RoundToInt32(period * minFrequency_);
    std::string reply = CommZelvo("!B" + std::to_string(cycles), record.Handle);
    if (commState_ != ZelvoStatus::Success) return commState_;
    if (!StartsWithNoCase(reply, "!B")) return ZelvoStatus::BadEcho;
    record.GateCycles = cycles;

    const int32_t gateTime = RoundToInt32(period * 50000000.0);
    reply = CommZelvo("!C" + std::to_string(gateTime), record.Handle);
    if (commState_ != ZelvoStatus::Success) return commState_;
    if (!StartsWithNoCase(reply, "!C")) return ZelvoStatus::BadEcho;
    record.GateTime = gateTime;
    record.GatePeriod = period;
    return ZelvoStatus::Success;
}

int32_t cZelvo::Material(const std::string& serialNumber, double density, double zRatio,
                         double tooling) {
    return RunStatusProcedure("Zelvo_Material", [&]() -> int32_t {
        if (!(density >= 0.2 && density <= 99.99) || !(zRatio >= 0.1 && zRatio <= 9.99) ||
            !(tooling >= 0.0 && tooling <= 999.0)) {
            return ZelvoStatus::BadArgument;
        }
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
            updated.LastThickness =
                Finite(Thickness(updated, updated.Frequency) - updated.ZeroOffset);
            // A new material changes the thickness scale: the rate starts a new interval.
            updated.RateBaseThickness = updated.LastThickness;
            updated.LastReadingTime = static_cast<double>(Desktop().Milliseconds());
            updated.LastRate = 0;
        }
        record = updated;  // all or nothing: an arithmetic fault above changes nothing
        return ZelvoStatus::Success;
    });
}

int32_t cZelvo::InitFreq(double maxFrequency, double minFrequency, double initialFrequency) {
    return RunStatusProcedure("Zelvo_Init", [&]() -> int32_t {
        commState_ = ZelvoStatus::Success;
        auto inRange = [](double f) { return f >= 1000000.0 && f <= 30000000.0; };
        if (!inRange(maxFrequency) || !inRange(minFrequency) || !inRange(initialFrequency) ||
            !(minFrequency <= initialFrequency && initialFrequency <= maxFrequency)) {
            return ZelvoStatus::BadArgument;
        }
        maxFrequency_ = maxFrequency;
        minFrequency_ = minFrequency;
        initialFrequency_ = initialFrequency;
        return ZelvoStatus::Success;
    });
}

int32_t cZelvo::Zero(const std::string& serialNumber) {
    return RunStatusProcedure("Zelvo_Zero", [&]() -> int32_t {
        int index = ZelvoIndex(serialNumber);
        if (index == 0) return ZelvoStatus::NotFound;
        ZelvoRecord& record = records_[static_cast<size_t>(index)];
        ZeroRecord(record);
        return ZelvoStatus::Success;
    });
}

int32_t cZelvo::ZeroAll() {
    return RunStatusProcedure("Zelvo_ZeroAll", [&]() -> int32_t {
        for (ZelvoRecord& record : records_) ZeroRecord(record);
        return ZelvoStatus::Success;
    });
}

void cZelvo::ZeroRecord(ZelvoRecord& record) {
    record.ZeroFrequency = record.Frequency;
    record.ZeroOffset = record.ZeroOffset + record.LastThickness;
    // Thickness is now counted from the new zero point; so is the open rate interval.
    record.RateBaseThickness = record.RateBaseThickness - record.LastThickness;
    record.LastThickness = 0;
    record.LastRate = 0;
}

double cZelvo::Thickness(const ZelvoRecord& record, double frequency) const {
    const double f0 = initialFrequency_;
    const double a = Finite(record.Density * kPi * frequency * record.ZRatio);
    double t = Divide(kQuartzConstant, a);
    const double b = Divide((f0 - frequency) * kPi, f0);
    t = Finite(t * std::atan(record.ZRatio * std::tan(b)));
    return Finite(record.Tooling * t * 0.01);
}

void cZelvo::SetReadingTimer(int32_t milliseconds) {
    if (milliseconds < 0) {
        throw ZelvoError(err::InvalidCall, "Invalid procedure call or argument");
    }
    readingInterval_ = milliseconds;
    if (!zelvoTimer_) return;
    if (milliseconds != 0) {
        zelvoTimer_->SetInterval(milliseconds);
        zelvoTimer_->SetEnabled(true);
    } else {
        zelvoTimer_->SetEnabled(false);
    }
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
