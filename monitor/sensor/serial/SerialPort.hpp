// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One serial port opened for the bridge library: exclusive, raw, 8N1 without
// flow control. Every call returns a bridge status (VD_OK or a failure); a port
// whose device is gone fails every call that touches the line, without waiting.

#include <cstdint>
#include <memory>
#include <string>

namespace vdserial {

class SerialPort {
  public:
    // Opens `path` for this process alone: a port that another program (or
    // another handle of this one) holds is refused with VD_DEVICE_IN_USE, a
    // missing or forbidden one or one that is not a terminal with
    // VD_DEVICE_NOT_OPENED. `openError` is the system's error of a refused open
    // (EACCES for a port this user may not open), 0 otherwise.
    static int32_t Open(const std::string& path, std::unique_ptr<SerialPort>& port, int& openError);
    ~SerialPort();
    SerialPort(const SerialPort&) = delete;
    SerialPort& operator=(const SerialPort&) = delete;

    // A standard rate in bits per second; another fails with VD_INVALID_BAUD_RATE.
    int32_t SetBaudRate(int32_t bitsPerSecond);
    int32_t Flush(bool transmit, bool receive);
    // Writes all bytes, waiting for room at most the write timeout.
    int32_t Write(const void* bytes, int32_t count, int32_t& written);
    // What has arrived, at most `capacity` bytes; with a read timeout above 0 it
    // waits that long for the first byte, otherwise it returns at once. Once
    // bytes have come it collects the rest of their line, until its LF, a full
    // buffer, or ten characters' time (at least 20 ms) without a byte.
    int32_t Read(void* buffer, int32_t capacity, int32_t& returned);
    int32_t SetTimeouts(int32_t readMs, int32_t writeMs);
    void GetTimeouts(int32_t& readMs, int32_t& writeMs) const;
    // dataBits 5 to 8; parity 0 none, 1 odd, 2 even, 3 mark, 4 space; stopBits 0
    // or 1 for one stop bit, 2 for two.
    int32_t SetLineControl(uint8_t dataBits, uint8_t parity, uint8_t stopBits);
    // flowMode 0 none, 1 RTS/CTS, 3 XON/XOFF with the two characters; DTR/DSR (2)
    // has no termios equivalent and is refused.
    int32_t SetFlowControl(uint16_t flowMode, uint8_t xonChar, uint8_t xoffChar);
    // Bits 0x10 CTS, 0x20 DSR, 0x40 RI, 0x80 DCD; a port without modem lines
    // (a pseudo-terminal) reports none.
    int32_t ModemStatus(uint8_t& status);
    int32_t QueuedBytes(uint32_t& count);
    // Blocks until bytes wait to be read (VD_OK) or `timeoutMs` pass without any
    // (VD_WAIT_TIMEOUT, also when a signal cut the wait short).
    int32_t WaitForData(int32_t timeoutMs);

  private:
    explicit SerialPort(int fd) : fd_(fd) {}
    // VD_OK while the device is there, VD_IO_ERROR once it is gone.
    int32_t CheckLine() const;

    int fd_;
    int32_t readTimeoutMs_ = 0;
    int32_t writeTimeoutMs_ = 1000;
};

}  // namespace vdserial
