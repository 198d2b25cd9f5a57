// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The sensor manager: the one object through which the monitor reaches its Zelvo
// sensors. It discovers the sensors on the bus, keeps one record per opened
// sensor, addresses sensors by serial number, runs the sensor commands and turns a
// raw reading into frequency, thickness, rate and crystal life. The rules of the
// protocol live in ZelvoProtocol, the exchange over the bridge in ZelvoLink and
// the placement of discovered sensors in ZelvoDiscovery.cpp.
//
// Every per-sensor operation returns a sensor status code (ZelvoStatus). Each
// operation registers with the error handler under "Zelvo_<name>"; a failure
// inside it (an unbindable bridge library, an arithmetic fault) is reported
// through the handler and the operation returns a non-zero status.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Desktop.hpp"
#include "ISensorManager.hpp"
#include "SensorStatus.hpp"
#include "WireTrace.hpp"
#include "ZelvoLink.hpp"
#include "ZelvoProtocol.hpp"

namespace zelvo {

class VdBridge;

// Number of device records (indices 0 to 32; discovery uses 1 to 32).
inline constexpr int kZelvoRecordCount = 33;

// One opened sensor.
struct ZelvoRecord {
    std::string SerialNumber;        // upper case; empty when the record holds no sensor
    int32_t Handle = 0;              // bridge handle; > 0 while open
    double Density = 1.0;            // g/cm3 of the deposited material
    double ZRatio = 1.0;             // acoustic impedance ratio of the material
    double Tooling = 100.0;          // tooling factor, %
    double GatePeriod = 0.25;        // s, measurement period last acknowledged by the sensor
    int32_t GateTime = 0;            // last acknowledged "!C" argument
    int32_t GateCycles = 0;          // last acknowledged "!B" argument
    double Frequency = 0.0;          // Hz, last computed crystal frequency
    double LastThickness = 0.0;      // A, thickness of the last reading relative to the zero point
    double ZeroFrequency = 0.0;      // Hz, frequency at the zero point
    double ZeroOffset = 0.0;         // A, absolute thickness at the zero point
    double LastReadingTime = 0.0;    // ms, millisecond-clock value when the rate was last computed
    double RateBaseThickness = 0.0;  // A, relative thickness when the rate was last computed
    double LastRate = 0.0;           // A/s, the rate last computed
    std::string Port;                // port path of the opened sensor; empty when unknown
};

// A Zelvo on the bus as the bridge library describes it.
struct ListedZelvo {
    std::string serial;     // upper case
    std::string productId;  // hexadecimal, upper case
    std::string port;       // the port's path; empty when the library does not say
};

class cZelvo {
  public:
    // Class_Initialize ("Zelvo_Initialize"): manager defaults, 33 default records and
    // the polling timer (interval 0, stopped), created through the installed desktop.
    // The first constructor uses the program's bridge library (VdLibrary()).
    cZelvo();
    explicit cZelvo(VdBridge& bridge);
    // Class_Terminate: closes every open handle.
    ~cZelvo();
    cZelvo(const cZelvo&) = delete;
    cZelvo& operator=(const cZelvo&) = delete;

    // --- Manager-wide values ---------------------------------------------------
    // Sensors opened by the last discovery, 0 to 32.
    int16_t FoundCount() const { return foundCount_; }
    // End-of-life crystal frequency (Hz); lower limit of a valid reading. Default 5000000.
    double MinFrequency() const { return limits_.minimum; }
    // Frequency of an uncoated crystal (Hz). Default 6000000.
    double InitialFrequency() const { return limits_.initial; }
    // Upper limit of a valid reading (Hz). Default 6100000.
    double MaxFrequency() const { return limits_.maximum; }
    // Status of the last exchange; 1 while an exchange runs.
    int32_t CommState() const { return link_.State(); }
    // Digit sent with every reading command: 1 after a reading inside the limits,
    // 0 after one outside.
    int32_t InRangeFlag() const { return inRangeFlag_; }
    // Interval of the polling timer in ms; 0 = stopped.
    int32_t ReadingInterval() const { return readingInterval_; }
    // The polling timer; its tick runs ZelvoTimer_Timer.
    ITimer& ZelvoTimer() { return *zelvoTimer_; }

    // Device record 0 to 32 (throws ZelvoError SubscriptOutOfRange outside).
    const ZelvoRecord& Record(int index) const;
    // The ports the last discovery skipped: Zelvos whose port another program
    // holds, then the bridge library's own list.
    const std::vector<SkippedPort>& SkippedPorts() const { return skippedPorts_; }

    // --- Operations --------------------------------------------------------------
    // Closes and reopens every Zelvo sensor on the bus (at most 32), places them in
    // records 1 to 32, sends each its stored period and fills the serial list.
    // Returns the number of sensors opened. "Zelvo_FindZelvos".
    int16_t FindZelvos(DiscoveryList& serialNumbers);
    // Asks the sensor for its firmware revision text. "Zelvo_Revision".
    int32_t Revision(const std::string& serialNumber, std::string& revision);
    // Takes one reading. "Zelvo_GetReading".
    int32_t GetReading(const std::string& serialNumber, ReadingResult& result);
    // The reading result alone (status discarded).
    ReadingResult GetReadingVariant(const std::string& serialNumber);
    // Sends the measurement period (0.1 to 2.0 s). "Zelvo_Period".
    int32_t Period(const std::string& serialNumber, double period);
    // Sets the material: density (0.2 to 99.99), Z-ratio (0.1 to 9.99) and tooling %
    // (0 to 999). "Zelvo_Material".
    int32_t Material(const std::string& serialNumber, double density, double zRatio,
                     double tooling);
    // Sets the crystal limits shared by all sensors (each 1 MHz to 30 MHz,
    // minimum <= initial <= maximum); also clears a stuck exchange. "Zelvo_Init".
    int32_t InitFreq(double maxFrequency, double minFrequency, double initialFrequency);
    // Makes the current thickness the zero point of one sensor. "Zelvo_Zero".
    int32_t Zero(const std::string& serialNumber);
    // The same for all 33 records; always 0. "Zelvo_ZeroAll".
    int32_t ZeroAll();
    // Opens the sensor with this serial number again after it left the bus, into
    // its own record (material, zero point, gate and rate interval kept; a record of
    // its own when discovery did not find it), and sends it the record's period.
    // Busy while an exchange waits; NotFound while it is still gone. "Zelvo_Reconnect".
    int32_t Reconnect(const std::string& serialNumber);
    // Opens every Zelvo on the bus as discovery does, notes what the library tells of
    // it and closes it again: nothing is sent to a sensor and no record is kept.
    // "Zelvo_ListZelvos".
    std::vector<ListedZelvo> ListZelvos();

    // Polling timer interval in ms; non-zero starts the timer, 0 stops it.
    // A negative interval is refused with BadArgument and changes nothing.
    int32_t SetReadingTimer(int32_t milliseconds);
    int32_t ReadingTimer() const { return readingInterval_; }
    int32_t ReadingTimer(int32_t milliseconds) { return SetReadingTimer(milliseconds); }

    // Tick of the polling timer: reads every open sensor and raises ZelvoReading for
    // statuses 0 and 8.
    void ZelvoTimer_Timer();

    // --- Events ------------------------------------------------------------------
    using ZelvoReadingHandler =
        std::function<void(const std::string& serialNumber, const ReadingResult& result)>;
    void OnZelvoReading(ZelvoReadingHandler handler) { zelvoReading_ = std::move(handler); }
    // Declared for listeners; never raised.
    void OnZelvoError(std::function<void()> handler) { zelvoError_ = std::move(handler); }

    // Thickness in A of a record's material at crystal frequency f, with the
    // manager's initial frequency. Throws ZelvoError on an arithmetic fault.
    double Thickness(const ZelvoRecord& record, double frequency) const;

  private:
    void Initialize();
    // Serial number to record index 1 to 32 (case-insensitive), 0 when absent.
    int ZelvoIndex(const std::string& serialNumber);
    // Runs one command on a record's sensor and judges its reply; the wire trace
    // gets the exchange with the command's status. A sensor the bridge reports gone
    // loses its handle.
    template <class Judge>
    int32_t Command(ZelvoRecord& record, const std::string& command, Judge&& judge);
    // A sensor opened by discovery, with the line rate set.
    struct Opened {
        std::string serial;  // upper case
        int32_t handle = 0;
        std::string port;  // empty when the library does not say
    };
    // Opens every Zelvo on the bus, at most 32, counting them in FoundCount.
    std::vector<Opened> OpenZelvos();
    // A product string of a device; empty when the library has none.
    std::string ProductString(int32_t device, int32_t option);
    // kPortInUse for a device refused as in use, naming the program that holds it
    // where the library can tell: "in use by another program (minicom, PID 4242)".
    std::string InUseReason(int32_t device);
    // The bridge library's skipped entries, added to SkippedPorts.
    void AddLibrarySkippedPorts();
    // Places an opened sensor in the record with its serial number, else in the
    // first record without a handle; returns the record index, 0 for none.
    int PlaceZelvo(const Opened& sensor);
    void CloseAll();
    // The record a returning sensor goes back to: its own, else a free one; 0 for none.
    int FreeRecordFor(const std::string& serial) const;
    // Sets an opened handle to the line rate; a handle that refuses it is closed (0).
    bool TakeLineRate(int32_t& handle);
    // Opens the Zelvo with this serial number at the line rate; NotFound when absent.
    int32_t OpenBySerial(const std::string& serialNumber, int32_t& handle, std::string& port);
    int32_t PeriodBody(int index, double period);
    int32_t ReadingBody(int index, ReadingResult& result);
    // The rate of a reading at `thickness` (A), closing the open interval once it
    // spans a whole measurement period.
    static double RateStep(ZelvoRecord& record, double thickness, uint32_t now);
    static void RestartRateInterval(ZelvoRecord& record, double thickness, uint32_t now);
    // Moves the record's zero point to its last reading; the rate starts a new
    // interval there.
    static void ZeroRecord(ZelvoRecord& record, uint32_t now);

    VdBridge& bridge_;
    ZelvoLink link_;
    std::unique_ptr<WireTrace> trace_;
    int16_t foundCount_ = 0;
    protocol::CrystalLimits limits_;
    int32_t inRangeFlag_ = 0;
    int32_t readingInterval_ = 0;
    std::unique_ptr<ITimer> zelvoTimer_;
    std::array<ZelvoRecord, kZelvoRecordCount> records_{};
    std::vector<SkippedPort> skippedPorts_;
    ZelvoReadingHandler zelvoReading_;
    std::function<void()> zelvoError_;
};

}  // namespace zelvo
