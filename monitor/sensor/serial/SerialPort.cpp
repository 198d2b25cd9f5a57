// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "SerialPort.hpp"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>

#include "BaudRates.hpp"
#include "LowLatency.hpp"
#include "PortOpeners.hpp"
#include "VdLink.h"

namespace vdserial {
namespace {

constexpr int32_t kDefaultRate = 115200;

// Raw bytes, 8N1, receiver on, modem lines ignored, no flow control, reads that
// never wait in the driver.
bool MakeRaw(int fd) {
    termios t{};
    if (::tcgetattr(fd, &t) != 0) return false;
    ::cfmakeraw(&t);
    t.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | CSTOPB | CRTSCTS);
    t.c_cflag |= CS8 | CLOCAL | CREAD;
    t.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
    t.c_cc[VMIN] = 0;
    t.c_cc[VTIME] = 0;
    const speed_t speed = *SpeedForRate(kDefaultRate);
    return ::cfsetispeed(&t, speed) == 0 && ::cfsetospeed(&t, speed) == 0 &&
           ::tcsetattr(fd, TCSANOW, &t) == 0;
}

// A reply may reach the host in pieces: a USB bridge hands the bytes on in
// transfers of its own, a millisecond or more apart, more when its driver's
// latency could not be lowered. A line counts as ended after ten characters'
// time at the port's line rate without a byte, and never sooner than
// kLeastQuietMs, which outlasts those pauses by a margin.
constexpr int kQuietCharacters = 10;
constexpr int kBitsPerCharacter = 10;  // start, 8 data bits, stop
constexpr int kLeastQuietMs = 20;
// A line still arriving after this long is returned as it stands: a device that
// trickles bytes without ending its line never holds a sweep up for longer.
constexpr auto kLongestLine = std::chrono::milliseconds(250);

int QuietMilliseconds(int fd) {
    termios t{};
    int32_t rate = 0;
    if (::tcgetattr(fd, &t) == 0) rate = RateForSpeed(::cfgetispeed(&t));
    if (rate <= 0) return kLeastQuietMs;
    const int64_t bits = int64_t{kQuietCharacters} * kBitsPerCharacter * 1000;
    return std::max(kLeastQuietMs, static_cast<int>((bits + rate - 1) / rate));
}

// Adds the rest of a line whose first bytes `returned` has: waits for more
// until the line's LF, a full buffer, or a quiet line.
int32_t FinishLine(int fd, char* bytes, int32_t capacity, int32_t& returned) {
    const int quietMs = QuietMilliseconds(fd);
    const auto giveUp = std::chrono::steady_clock::now() + kLongestLine;
    int32_t searched = 0;
    const auto ended = [&] {
        return std::memchr(bytes + searched, '\n', static_cast<size_t>(returned - searched)) !=
               nullptr;
    };
    while (returned < capacity && !ended()) {
        searched = returned;
        const auto left =
            std::chrono::ceil<std::chrono::milliseconds>(giveUp - std::chrono::steady_clock::now());
        if (left.count() <= 0) break;
        pollfd p{fd, POLLIN, 0};
        const int ready = ::poll(&p, 1, std::min(quietMs, static_cast<int>(left.count())));
        if (ready == 0) break;  // quiet for long enough: the line is what came
        if (ready < 0) {
            if (errno == EINTR) continue;
            return VD_IO_ERROR;
        }
        const ssize_t n = ::read(fd, bytes + returned, static_cast<size_t>(capacity - returned));
        if (n > 0) {
            returned += static_cast<int32_t>(n);
        } else if ((p.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0) {
            break;  // gone mid-line: these bytes now, the failure on the next call
        } else if (n < 0 && errno != EAGAIN && errno != EINTR) {
            return VD_IO_ERROR;
        }
    }
    return VD_OK;
}

// Changes the port's settings through `change`; false when it refuses them.
template <typename Change>
int32_t Modify(int fd, Change change) {
    termios t{};
    if (::tcgetattr(fd, &t) != 0) return VD_IO_ERROR;
    if (int32_t status = change(t); status != VD_OK) return status;
    return ::tcsetattr(fd, TCSANOW, &t) == 0 ? VD_OK : VD_IO_ERROR;
}

}  // namespace

int32_t SerialPort::Open(const std::string& path, std::unique_ptr<SerialPort>& port,
                         int& openError) {
    port.reset();
    openError = 0;
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    // A terminal in another's exclusive mode refuses the open itself.
    if (fd < 0) {
        openError = errno;
        return openError == EBUSY ? VD_DEVICE_IN_USE : VD_DEVICE_NOT_OPENED;
    }
    // The lock refuses a second opener even where the exclusive mode does not
    // (a privileged program); the exclusive mode refuses openers that do not lock.
    int32_t refused = VD_OK;
    if (::isatty(fd) == 0) {
        refused = VD_DEVICE_NOT_OPENED;
    } else if (::flock(fd, LOCK_EX | LOCK_NB) != 0 || ::ioctl(fd, TIOCEXCL) != 0) {
        refused = errno == EWOULDBLOCK || errno == EBUSY ? VD_DEVICE_IN_USE : VD_DEVICE_NOT_OPENED;
    } else if (FindOtherOpener(path)) {
        // Opened without its lock by another program, the port is in use all the
        // same; found before the line is touched, so that program keeps its settings.
        refused = VD_DEVICE_IN_USE;
    }
    if (refused != VD_OK) {
        ::close(fd);
        return refused;
    }
    std::unique_ptr<SerialPort> opened(new SerialPort(fd));
    if (!MakeRaw(fd) || ::tcflush(fd, TCIOFLUSH) != 0) return VD_IO_ERROR;
    RequestLowLatency(fd);
    port = std::move(opened);
    return VD_OK;
}

SerialPort::~SerialPort() {
    // Exclusive mode outlives this descriptor while another holds the terminal
    // open (as the server of a pseudo-terminal does): give it up first. A port
    // that is gone refuses; there is nothing left to release then.
    (void)::ioctl(fd_, TIOCNXCL);
    ::close(fd_);
}

int32_t SerialPort::CheckLine() const {
    pollfd p{fd_, 0, 0};
    if (::poll(&p, 1, 0) < 0) return VD_IO_ERROR;
    return (p.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0 ? VD_IO_ERROR : VD_OK;
}

int32_t SerialPort::SetBaudRate(int32_t bitsPerSecond) {
    const std::optional<speed_t> speed = SpeedForRate(bitsPerSecond);
    if (!speed) return VD_INVALID_BAUD_RATE;
    if (int32_t status = CheckLine(); status != VD_OK) return status;
    return Modify(fd_, [&](termios& t) {
        return ::cfsetispeed(&t, *speed) == 0 && ::cfsetospeed(&t, *speed) == 0
                   ? VD_OK
                   : VD_INVALID_BAUD_RATE;
    });
}

int32_t SerialPort::Flush(bool transmit, bool receive) {
    if (int32_t status = CheckLine(); status != VD_OK) return status;
    if (!transmit && !receive) return VD_OK;
    const int queues = transmit && receive ? TCIOFLUSH : transmit ? TCOFLUSH : TCIFLUSH;
    return ::tcflush(fd_, queues) == 0 ? VD_OK : VD_IO_ERROR;
}

int32_t SerialPort::Write(const void* bytes, int32_t count, int32_t& written) {
    written = 0;
    if (count < 0 || (bytes == nullptr && count > 0)) return VD_INVALID_PARAMETER;
    if (int32_t status = CheckLine(); status != VD_OK) return status;
    const char* next = static_cast<const char*>(bytes);
    while (written < count) {
        const ssize_t n = ::write(fd_, next + written, static_cast<size_t>(count - written));
        if (n > 0) {
            written += static_cast<int32_t>(n);
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else if (n < 0 && errno == EAGAIN) {
            // The driver's queue is full: wait for room, but not for ever.
            pollfd p{fd_, POLLOUT, 0};
            const int ready = ::poll(&p, 1, writeTimeoutMs_);
            if (ready <= 0 || (p.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0) return VD_IO_ERROR;
        } else {
            return VD_IO_ERROR;
        }
    }
    return VD_OK;
}

int32_t SerialPort::Read(void* buffer, int32_t capacity, int32_t& returned) {
    returned = 0;
    if (capacity < 0 || (buffer == nullptr && capacity > 0)) return VD_INVALID_PARAMETER;
    if (int32_t status = CheckLine(); status != VD_OK) return status;
    if (capacity == 0) return VD_OK;
    if (readTimeoutMs_ > 0) {
        pollfd p{fd_, POLLIN, 0};
        if (::poll(&p, 1, readTimeoutMs_) < 0 && errno != EINTR) return VD_IO_ERROR;
    }
    // With no byte counts or waits set, the terminal returns 0 when nothing has
    // arrived; a hung-up line was caught above.
    const ssize_t n = ::read(fd_, buffer, static_cast<size_t>(capacity));
    if (n > 0) {
        returned = static_cast<int32_t>(n);
        return FinishLine(fd_, static_cast<char*>(buffer), capacity, returned);
    }
    return n == 0 || errno == EAGAIN || errno == EINTR ? VD_OK : VD_IO_ERROR;
}

int32_t SerialPort::SetTimeouts(int32_t readMs, int32_t writeMs) {
    if (readMs < 0 || writeMs < 0) return VD_INVALID_PARAMETER;
    if (int32_t status = CheckLine(); status != VD_OK) return status;
    readTimeoutMs_ = readMs;
    writeTimeoutMs_ = writeMs;
    return VD_OK;
}

void SerialPort::GetTimeouts(int32_t& readMs, int32_t& writeMs) const {
    readMs = readTimeoutMs_;
    writeMs = writeTimeoutMs_;
}

int32_t SerialPort::SetLineControl(uint8_t dataBits, uint8_t parity, uint8_t stopBits) {
    static constexpr tcflag_t kSizes[] = {CS5, CS6, CS7, CS8};
    if (dataBits < 5 || dataBits > 8 || parity > 4 || stopBits > 2) return VD_INVALID_PARAMETER;
    if (int32_t status = CheckLine(); status != VD_OK) return status;
    return Modify(fd_, [&](termios& t) {
        t.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | PARODD | CMSPAR | CSTOPB);
        t.c_cflag |= kSizes[dataBits - 5];
        if (parity != 0) t.c_cflag |= PARENB;
        if (parity == 1 || parity == 3) t.c_cflag |= PARODD;  // mark is "odd" with CMSPAR
        if (parity >= 3) t.c_cflag |= CMSPAR;
        if (stopBits == 2) t.c_cflag |= CSTOPB;
        return VD_OK;
    });
}

int32_t SerialPort::SetFlowControl(uint16_t flowMode, uint8_t xonChar, uint8_t xoffChar) {
    if (flowMode > 3 || flowMode == 2 || (flowMode == 3 && xonChar == xoffChar)) {
        return VD_INVALID_PARAMETER;
    }
    if (int32_t status = CheckLine(); status != VD_OK) return status;
    return Modify(fd_, [&](termios& t) {
        t.c_cflag &= ~static_cast<tcflag_t>(CRTSCTS);
        t.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF);
        if (flowMode == 1) t.c_cflag |= CRTSCTS;
        if (flowMode == 3) {
            t.c_iflag |= IXON | IXOFF;
            t.c_cc[VSTART] = static_cast<cc_t>(xonChar);
            t.c_cc[VSTOP] = static_cast<cc_t>(xoffChar);
        }
        return VD_OK;
    });
}

int32_t SerialPort::ModemStatus(uint8_t& status) {
    status = 0;
    if (int32_t line = CheckLine(); line != VD_OK) return line;
    int lines = 0;
    if (::ioctl(fd_, TIOCMGET, &lines) != 0) {
        // A pseudo-terminal has no modem lines to report.
        return errno == ENOTTY || errno == EINVAL ? VD_OK : VD_IO_ERROR;
    }
    if ((lines & TIOCM_CTS) != 0) status |= 0x10;
    if ((lines & TIOCM_DSR) != 0) status |= 0x20;
    if ((lines & TIOCM_RI) != 0) status |= 0x40;
    if ((lines & TIOCM_CD) != 0) status |= 0x80;
    return VD_OK;
}

int32_t SerialPort::QueuedBytes(uint32_t& count) {
    count = 0;
    if (int32_t status = CheckLine(); status != VD_OK) return status;
    int queued = 0;
    if (::ioctl(fd_, FIONREAD, &queued) != 0) return VD_IO_ERROR;
    count = static_cast<uint32_t>(queued);
    return VD_OK;
}

int32_t SerialPort::WaitForData(int32_t timeoutMs) {
    if (timeoutMs < 0) return VD_INVALID_PARAMETER;
    pollfd p{fd_, POLLIN, 0};
    const int ready = ::poll(&p, 1, timeoutMs);
    if (ready < 0) return errno == EINTR ? VD_WAIT_TIMEOUT : VD_IO_ERROR;
    if ((p.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0) return VD_IO_ERROR;
    return ready == 0 ? VD_WAIT_TIMEOUT : VD_OK;
}

}  // namespace vdserial
