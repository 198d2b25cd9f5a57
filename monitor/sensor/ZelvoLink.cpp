// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ZelvoLink.hpp"

#include <algorithm>
#include <optional>
#include <vector>

#include "Desktop.hpp"
#include "ZelvoError.hpp"
#include "ZelvoProtocol.hpp"
#include "cErrHandler.hpp"
#include "modUSB.hpp"

namespace zelvo {
namespace {

// The longest single wait for a reply's bytes: pending events run between waits.
constexpr uint32_t kWaitSliceMs = 5;

bool BindingFailure(const ZelvoError& error) {
    return error.Number() == err::LibraryNotFound || error.Number() == err::EntryPointNotFound;
}

}  // namespace

Exchange ZelvoLink::Run(const std::string& command, int32_t handle) {
    ProcScope scope("Zelvo_CommZelvo");
    Exchange result;
    if (state_ == ZelvoStatus::Busy) {
        result.status = ZelvoStatus::Busy;  // the running exchange keeps its mark
        return result;
    }
    if (handle < 1) {
        state_ = result.status = ZelvoStatus::NotFound;
        return result;
    }
    state_ = ZelvoStatus::Busy;
    try {
        result = Transfer(command, handle);
    } catch (...) {
        result.sent = true;
        result.status = Failed(CurrentError());
    }
    if (result.status == ZelvoStatus::NotFound) {
        GiveUp(handle);
        result.handleClosed = true;
    }
    state_ = result.status;
    return result;
}

Exchange ZelvoLink::Transfer(const std::string& command, int32_t handle) {
    Exchange result;
    result.sent = true;
    // Until a reply comes, a failing bridge call means the device is gone.
    result.status = ZelvoStatus::NotFound;
    const uint32_t begin = Desktop().Milliseconds();
    int32_t written = 0;
    if (bridge_.VD_FlushBuffers(handle, 1, 1) != 0 ||
        bridge_.VD_Write(handle, protocol::CommandLine(command), written) != 0) {
        result.elapsedMs = Desktop().Milliseconds() - begin;
        return result;
    }
    // The reply limit counts from the end of the write; unsigned differences stay
    // correct across the counter's wrap and never go negative.
    const uint32_t start = Desktop().Milliseconds();
    std::vector<char> buffer;
    bool promised = false;  // the last wait said bytes were waiting
    for (;;) {
        Desktop().ProcessEvents();
        const uint32_t now = Desktop().Milliseconds();
        result.elapsedMs = now - begin;
        if (now - start > protocol::kReplyLimitMs) {
            result.status = ZelvoStatus::CommFailure;
            return result;
        }
        int32_t returned = 0;
        if (bridge_.VD_Read(handle, buffer, protocol::kReplyBytes, returned) != 0) return result;
        std::string reply = protocol::ReplyText(buffer);
        if (!reply.empty()) {
            result.status = ZelvoStatus::Success;
            result.reply = protocol::TrimSpaces(reply);
            result.received = std::move(buffer);
            return result;
        }
        // Until just past the limit; a wait that promised bytes the read did not
        // find is not trusted with the next.
        const uint32_t remaining = protocol::kReplyLimitMs + 1 - (now - start);
        promised = AwaitBytes(handle, remaining, promised && returned == 0);
    }
}

bool ZelvoLink::AwaitBytes(int32_t handle, uint32_t remainingMs, bool sleepOnly) {
    if (!sleepOnly) {
        const uint32_t before = Desktop().Milliseconds();
        const int32_t slice = static_cast<int32_t>(std::min(remainingMs, kWaitSliceMs));
        const std::optional<int32_t> waited = bridge_.VD_WaitForData(handle, slice);
        if (waited == VD_OK) return true;
        // A wait that took no time (a simulator's manual clock) would make the loop spin.
        if (waited == VD_WAIT_TIMEOUT && Desktop().Milliseconds() != before) return false;
    }
    Desktop().Sleep(1);
    return false;
}

int32_t ZelvoLink::Failed(const ZelvoError& error) {
    if (!BindingFailure(error)) {
        ErrHandler().HandleError();
        return ZelvoStatus::CommFailure;
    }
    // A library without an exchange entry point cannot reach any sensor: reported
    // once, then every sensor is treated as not found.
    if (!bindingReported_) {
        bindingReported_ = true;
        ErrHandler().HandleError();
    }
    return ZelvoStatus::NotFound;
}

void ZelvoLink::GiveUp(int32_t handle) {
    try {
        bridge_.VD_Close(handle);  // the handle is given up whatever the status
    } catch (...) {
        Failed(CurrentError());
    }
}

}  // namespace zelvo
