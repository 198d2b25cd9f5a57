// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One exchange with a sensor over the bridge binding: empty both queues, write
// the command line, then read until the first non-empty read or 0.1 s, letting
// pending events run between reads. Between reads the exchange blocks on the
// port until bytes come (at most 5 ms at a time) where the library can wait,
// else it sleeps 1 ms. Exchanges never overlap: one started while
// another waits is refused as busy with nothing sent.

#include <cstdint>
#include <string>
#include <vector>

#include "SensorStatus.hpp"

namespace zelvo {

class VdBridge;
class ZelvoError;

// What one exchange did.
struct Exchange {
    int32_t status = ZelvoStatus::Success;
    std::string reply;           // the trimmed reply text with status Success, else empty
    std::vector<char> received;  // the buffer of the first non-empty read, as read
    uint32_t elapsedMs = 0;
    bool sent = false;          // false when nothing reached the bridge
    bool handleClosed = false;  // the device was gone and its handle is closed
};

class ZelvoLink {
  public:
    explicit ZelvoLink(VdBridge& bridge) : bridge_(bridge) {}

    // Sends the command (text without CR LF) to the open handle and waits for its
    // reply. Statuses: Success, Busy, CommFailure (no reply in 0.1 s), NotFound
    // (no handle, or the bridge reports the device gone: flush, write or read
    // failed, or the library lacks one of them; the handle is then closed).
    Exchange Run(const std::string& command, int32_t handle);

    // Status of the last exchange; Busy while one waits.
    int32_t State() const { return state_; }
    bool InProgress() const { return state_ == ZelvoStatus::Busy; }
    // Clears the state of the last exchange. An exchange that waits right now keeps
    // its mark: clearing it would let a second exchange in.
    void ClearState() {
        if (!InProgress()) state_ = ZelvoStatus::Success;
    }

  private:
    Exchange Transfer(const std::string& command, int32_t handle);
    // Waits for bytes on the handle, at most a slice of remainingMs; true when the
    // library says some are waiting. Sleeps 1 ms instead with sleepOnly, without
    // the library's wait, or when that failed or returned at once with none.
    bool AwaitBytes(int32_t handle, uint32_t remainingMs, bool sleepOnly);
    // Reports a failure inside an exchange and returns its status; a library that
    // lacks an entry point is reported once only.
    int32_t Failed(const ZelvoError& error);
    // Closes the handle of a device that is gone.
    void GiveUp(int32_t handle);

    VdBridge& bridge_;
    int32_t state_ = ZelvoStatus::Success;
    bool bindingReported_ = false;
};

}  // namespace zelvo
