// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PtyDevice.hpp"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstring>

#include "BaudRates.hpp"

namespace zelvosim {
namespace {

constexpr double kBitsPerByte = 10.0;
constexpr int32_t kRateBeforeHostSetsOne = 115200;
// How often a due piece looks again whether the host has read the one before.
constexpr double kTakeCheckSeconds = 0.001;
// Least time between the pieces of one reply: the terminal hands written bytes
// on to the host's queue a moment after the write, and only then does the
// queue show them.
constexpr double kPieceGapSeconds = 0.005;

std::string Failure(const std::string& what) {
    return what + ": " + std::strerror(errno);
}

}  // namespace

std::optional<std::string> PtyDevice::Create(vdsim::SimSensor sensor, std::string link,
                                             std::unique_ptr<PtyDevice>& device) {
    std::unique_ptr<PtyDevice> made(new PtyDevice(std::move(sensor), std::move(link)));
    if (auto failure = made->Open()) return failure;
    device = std::move(made);
    return std::nullopt;
}

std::optional<std::string> PtyDevice::Open() {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (master_ < 0) return Failure("pseudo-terminal");
    char name[128];
    if (::grantpt(master_) != 0 || ::unlockpt(master_) != 0 ||
        ::ptsname_r(master_, name, sizeof name) != 0) {
        return Failure("pseudo-terminal");
    }
    path_ = name;
    slave_ = ::open(path_.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (slave_ < 0) return Failure(path_);
    // Raw from the start, so that nothing the host sends is echoed or changed
    // before it sets the line up itself.
    termios t{};
    if (::tcgetattr(slave_, &t) != 0) return Failure(path_);
    ::cfmakeraw(&t);
    if (::tcsetattr(slave_, TCSANOW, &t) != 0) return Failure(path_);
    // Packet mode: the host's flushes arrive as notices among its bytes.
    int on = 1;
    if (::ioctl(master_, TIOCPKT, &on) != 0) return Failure(path_ + ": packet mode");
    if (sensor_.Config().fault == vdsim::Fault::OpenFails) {
        // Another holder of the port's lock: the host's open is refused.
        lock_ = ::open(path_.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        if (lock_ < 0 || ::flock(lock_, LOCK_EX | LOCK_NB) != 0) return Failure(path_ + ": lock");
    }
    return link_.empty() ? std::nullopt : PointLink();
}

std::optional<std::string> PtyDevice::PointLink() {
    // A new link renamed over the old one: the path never names a half-made link.
    const std::string made = link_ + ".new";
    if (::symlink(path_.c_str(), made.c_str()) != 0) return Failure(made);
    if (::rename(made.c_str(), link_.c_str()) != 0) return Failure(link_);
    return std::nullopt;
}

std::optional<std::string> PtyDevice::RemoveLink() {
    if (link_.empty() || ::unlink(link_.c_str()) == 0) return std::nullopt;
    return Failure(link_);
}

std::optional<std::string> PtyDevice::ComeBack(double now) {
    sensor_.ComeBack(now);
    inputFreeAt_ = outputFreeAt_ = now;
    lastReady_ = lastWriteAt_ = -1.0;
    return Open();
}

PtyDevice::~PtyDevice() {
    CloseTerminal();
}

void PtyDevice::CloseTerminal() {
    // The master goes first: the host then sees the line hung up.
    for (int* fd : {&master_, &slave_, &lock_}) {
        if (*fd >= 0) ::close(*fd);
        *fd = -1;
    }
    outgoing_.clear();
}

double PtyDevice::ByteSeconds() const {
    termios t{};
    int32_t rate = 0;
    if (slave_ >= 0 && ::tcgetattr(slave_, &t) == 0) rate = vdserial::RateForSpeed(cfgetospeed(&t));
    return kBitsPerByte / (rate > 0 ? rate : kRateBeforeHostSetsOne);
}

bool PtyDevice::MustWait(const Piece& piece, double now) const {
    // The later pieces of a reply that left the sensor at once (split) appear
    // only once the host has read the one before, so that they reach it in
    // reads of their own. A piece sent after a pause (split:MS) is a bridge's
    // next transfer: it goes when due, read or not.
    if (!piece.follows) return false;
    int queued = 0;
    return now < lastWriteAt_ + kPieceGapSeconds ||
           (::ioctl(slave_, FIONREAD, &queued) == 0 && queued > 0);
}

std::optional<std::string> PtyDevice::OnInput(double now) {
    char buffer[4096];
    while (!Closed()) {
        const ssize_t n = ::read(master_, buffer, sizeof buffer);
        if (n < 0 && (errno == EAGAIN || errno == EINTR)) break;
        if (n <= 0) return Failure(path_);
        // Packet mode: a leading 0 marks data, anything else is a notice alone.
        if (buffer[0] == TIOCPKT_DATA) {
            TakeBytes(buffer + 1, static_cast<size_t>(n - 1), now);
        } else {
            TakeFlush(static_cast<unsigned char>(buffer[0]));
        }
    }
    return std::nullopt;
}

void PtyDevice::TakeBytes(const char* bytes, size_t count, double now) {
    // The bytes cross the wire one after another, behind any still crossing.
    inputFreeAt_ = std::max(inputFreeAt_, now) + static_cast<double>(count) * ByteSeconds();
    if (sensor_.Write(bytes, static_cast<int32_t>(count), inputFreeAt_) != 0 || sensor_.Gone()) {
        CloseTerminal();
    }
}

void PtyDevice::TakeFlush(unsigned char notice) {
    const bool receive = (notice & TIOCPKT_FLUSHREAD) != 0;
    const bool transmit = (notice & TIOCPKT_FLUSHWRITE) != 0;
    if (!receive && !transmit) return;
    if (receive) outgoing_.clear();
    if (sensor_.Flush(transmit, receive) != 0) CloseTerminal();
}

std::optional<std::string> PtyDevice::Deliver(double now) {
    if (Closed()) return std::nullopt;
    // Replies leave the sensor when due and then take their time on the wire.
    while (sensor_.NextReplyAt() <= now) {
        const double ready = sensor_.NextReplyAt();
        char buffer[4096];
        int32_t n = 0;
        if (sensor_.Read(buffer, sizeof buffer, n, now) != 0) {
            CloseTerminal();
            return std::nullopt;
        }
        outputFreeAt_ = std::max(outputFreeAt_, ready) + n * ByteSeconds();
        const bool follows = ready == lastReady_;
        lastReady_ = ready;
        outgoing_.push_back({std::string(buffer, static_cast<size_t>(n)), outputFreeAt_, follows});
    }
    while (!outgoing_.empty() && outgoing_.front().at <= now && !MustWait(outgoing_.front(), now)) {
        Piece& piece = outgoing_.front();
        const ssize_t n = ::write(master_, piece.bytes.data(), piece.bytes.size());
        if (n < 0 && errno == EAGAIN) break;
        if (n < 0) return Failure(path_);
        piece.bytes.erase(0, static_cast<size_t>(n));
        lastWriteAt_ = now;
        if (piece.bytes.empty()) outgoing_.pop_front();
    }
    return std::nullopt;
}

double PtyDevice::NextWake(double now) const {
    if (Closed()) return std::max(sensor_.BackAt() - now, 0.0);
    double wake = sensor_.NextReplyAt() - now;
    if (!outgoing_.empty()) {
        const double due = outgoing_.front().at - now;
        wake = std::min(wake, due > 0 ? due : kTakeCheckSeconds);
    }
    return std::max(wake, 0.0);
}

}  // namespace zelvosim
