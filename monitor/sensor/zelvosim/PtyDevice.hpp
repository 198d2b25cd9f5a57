// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One simulated sensor served on a pseudo-terminal. The host's bytes reach the
// sensor after their time on the wire at the line rate the host has set, and
// each reply piece appears on the terminal after its own wire time. Flushes by
// the host empty the sensor's queues as they would the bridge's. A sensor that
// leaves the bus closes its terminal; one that comes back gets a new terminal,
// named by a link that follows it (as udev's links name a real adapter).

#include <deque>
#include <memory>
#include <optional>
#include <string>

#include "SimSensor.hpp"

namespace zelvosim {

class PtyDevice {
  public:
    // Opens a pseudo-terminal for `sensor`, named also by the symbolic link
    // `link` unless empty; a message when that fails.
    static std::optional<std::string> Create(vdsim::SimSensor sensor, std::string link,
                                             std::unique_ptr<PtyDevice>& device);
    ~PtyDevice();
    PtyDevice(const PtyDevice&) = delete;
    PtyDevice& operator=(const PtyDevice&) = delete;

    // Path of the current terminal.
    const std::string& Path() const { return path_; }
    // Path the host opens: the link if there is one, else the terminal.
    const std::string& PortPath() const { return link_.empty() ? path_ : link_; }
    const vdsim::SimSensor& Sensor() const { return sensor_; }
    // Descriptor to wait on for the host's bytes; -1 once the terminal is closed.
    int InputFd() const { return master_; }
    bool Closed() const { return master_ < 0; }

    // Takes what the host wrote, and its flushes, at `now` (seconds); a message
    // when the terminal fails.
    std::optional<std::string> OnInput(double now);
    // Writes the reply pieces that are due at `now`.
    std::optional<std::string> Deliver(double now);
    // Seconds from `now` to the next piece of work; infinity when idle.
    double NextWake(double now) const;

    // Removes the link of a sensor that has left, so that the terminal number
    // it had, once taken by another, is not found under it.
    std::optional<std::string> RemoveLink();
    // Gone, and due back on the bus by `now`.
    bool DueBack(double now) const { return Closed() && Sensor().BackAt() <= now; }
    // Back on the bus as a fresh device: a new terminal, the link pointed at it.
    std::optional<std::string> ComeBack(double now);

  private:
    PtyDevice(vdsim::SimSensor sensor, std::string link)
        : sensor_(std::move(sensor)), link_(std::move(link)) {}
    std::optional<std::string> Open();
    std::optional<std::string> PointLink();
    void TakeBytes(const char* bytes, size_t count, double now);
    void TakeFlush(unsigned char notice);
    // Seconds one byte takes on the wire: start, 8 data bits, stop.
    double ByteSeconds() const;
    struct Piece {
        std::string bytes;
        double at;     // when its last byte has crossed the wire
        bool follows;  // a later piece of the same reply, ready with the one before
    };
    bool MustWait(const Piece& piece, double now) const;
    void CloseTerminal();

    vdsim::SimSensor sensor_;
    std::string path_;
    std::string link_;
    int master_ = -1;
    int slave_ = -1;  // kept open so that the terminal outlives the host's opens
    int lock_ = -1;   // holds the port's lock for a sensor that refuses to open
    double inputFreeAt_ = 0.0;
    double outputFreeAt_ = 0.0;
    double lastReady_ = -1.0;    // when the latest reply piece left the sensor
    double lastWriteAt_ = -1.0;  // when a piece was last written to the host
    std::deque<Piece> outgoing_;
};

}  // namespace zelvosim
