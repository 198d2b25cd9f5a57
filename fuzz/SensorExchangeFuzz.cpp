// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The sensor manager over a bridge whose sensors answer with the fuzzer's bytes.
// The fuzzer chooses the sensors' serial numbers (repeated ones too), their
// replies and how these are split into reads, the operations, and events that
// run while an exchange waits (a discovery, the polling timer stopped, the
// crystal limits set, a nested reading). Every status
// must be one of the sensor statuses, no call may use a closed handle, and no
// reading result may hold a NaN or an infinity.
#include <dlfcn.h>
#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "FakeDesktop.hpp"
#include "FuzzBridge.hpp"
#include "FuzzCheck.hpp"
#include "FuzzFolder.hpp"
#include "SensorStatus.hpp"
#include "TextFile.hpp"
#include "cErrHandler.hpp"
#include "cZelvo.hpp"
#include "modUSB.hpp"

namespace {

using zelvo::ReadingResult;
using zelvo::fuzz::Check;
namespace Status = zelvo::ZelvoStatus;

template <class Fn>
Fn Control(const char* name) {
    void* library = ::dlopen(ZELVO_FUZZ_BRIDGE_PATH, RTLD_NOW);
    if (library == nullptr) zelvo::fuzz::Broken(std::string("fuzzing bridge: ") + ::dlerror());
    void* entry = ::dlsym(library, name);
    if (entry == nullptr) zelvo::fuzz::Broken(std::string("fuzzing bridge lacks ") + name);
    return reinterpret_cast<Fn>(entry);
}

void CheckStatus(int32_t status, const char* operation) {
    const bool known = (status >= Status::Success && status <= Status::BadEcho) ||
                       status == Status::BadReadingValue;
    Check(known, std::string(operation) + " returned status " + std::to_string(status));
}

void CheckResult(const ReadingResult& result) {
    for (double value : result) Check(std::isfinite(value), "a reading result is not finite");
}

std::string SerialOf(uint8_t choice) {
    return "FZ000" + std::to_string(1 + choice % 4);
}

// Runs one operation chosen by `op` on the manager and checks what it returns.
void RunOperation(zelvo::cZelvo& zelvo, uint8_t op, uint8_t argument) {
    ReadingResult result{};
    switch (op % 9) {
        case 0: {
            zelvo::DiscoveryList found;
            const int16_t count = zelvo.FindZelvos(found);
            Check(count >= 0 && count <= zelvo::kMaxZelvos, "discovery count out of range");
            break;
        }
        case 1:
            CheckStatus(zelvo.GetReading(SerialOf(argument), result), "GetReading");
            CheckResult(result);
            break;
        case 2: {
            std::string revision;
            CheckStatus(zelvo.Revision(SerialOf(argument), revision), "Revision");
            break;
        }
        case 3:
            CheckStatus(zelvo.Period(SerialOf(argument), argument / 100.0), "Period");
            break;
        case 4:
            CheckStatus(zelvo.Material(SerialOf(argument), argument / 10.0, 1.0, 100), "Material");
            break;
        case 5:
            CheckStatus(zelvo.Zero(SerialOf(argument)), "Zero");
            break;
        case 6:
            zelvo.ZelvoTimer_Timer();
            break;
        case 7:
            CheckStatus(zelvo.InitFreq(6.1e6, 5e6 + argument * 1e4, 6e6), "InitFreq");
            break;
        default:
            CheckResult(zelvo.GetReadingVariant(SerialOf(argument)));
            break;
    }
}

// An event while an exchange waits: a discovery, the polling timer stopped, the
// crystal limits set (which also clears a stuck exchange), or a nested reading.
void RunEvent(zelvo::cZelvo& zelvo, uint8_t event) {
    ReadingResult result{};
    zelvo::DiscoveryList found;
    switch (event % 6) {
        case 1:
            zelvo.FindZelvos(found);
            break;
        case 2:
            CheckStatus(zelvo.SetReadingTimer(0), "SetReadingTimer");
            break;
        case 3:
            CheckStatus(zelvo.InitFreq(6.1e6, 5e6, 6e6), "InitFreq");
            break;
        case 4:
            CheckStatus(zelvo.GetReading(SerialOf(event / 6), result), "GetReading");
            CheckResult(result);
            break;
        case 5:
            CheckStatus(zelvo.ZeroAll(), "ZeroAll");
            break;
        default:
            break;  // no event this time
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const auto reset = Control<FuzzBridgeResetFn>("FuzzBridge_Reset");
    static const auto misuse = Control<FuzzBridgeMisuseFn>("FuzzBridge_Misuse");
    static const zelvo::fuzz::Scratch& folder = zelvo::fuzz::ScratchFolder("sensor");
    static zelvo::VdBridge bridge(ZELVO_FUZZ_BRIDGE_PATH);

    FuzzedDataProvider input(data, size);
    const int32_t devices = input.ConsumeIntegralInRange<int32_t>(0, 4);
    std::vector<uint8_t> serials(static_cast<size_t>(devices));
    for (uint8_t& serial : serials) serial = input.ConsumeIntegral<uint8_t>();
    const std::vector<uint8_t> operations =
        input.ConsumeBytes<uint8_t>(2 * input.ConsumeIntegralInRange<size_t>(0, 12));
    std::deque<uint8_t> events;
    for (uint8_t e : input.ConsumeBytes<uint8_t>(input.ConsumeIntegralInRange<size_t>(0, 16))) {
        events.push_back(e);
    }
    const std::vector<uint8_t> replies = input.ConsumeRemainingBytes<uint8_t>();

    zelvo::testing::FakeDesktop desktop;
    zelvo::ErrHandler().Destination(folder.Path("ERRORS.TXT"));
    Check(zelvo::RemoveFile(folder.Path("ERRORS.TXT")),
          "cannot remove ERRORS.TXT");  // reports of earlier inputs
    reset(devices, serials.data(), replies.data(), replies.size());
    {
        zelvo::cZelvo zelvo(bridge);
        desktop.SetOnProcessEvents([&] {
            if (events.empty()) return;
            const uint8_t event = events.front();
            events.pop_front();
            RunEvent(zelvo, event);
        });
        zelvo::DiscoveryList found;
        zelvo.FindZelvos(found);
        for (size_t i = 0; i + 1 < operations.size(); i += 2) {
            RunOperation(zelvo, operations[i], operations[i + 1]);
        }
        desktop.SetOnProcessEvents(nullptr);
    }
    char what[64] = {};
    Check(misuse(what) == 0, std::string("a call on a closed handle: ") + what);
    return 0;
}
