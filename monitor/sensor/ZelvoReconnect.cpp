// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Listing the sensors on the bus, and a sensor that left the bus and came back: the same serial
// number is opened again and goes back into its own record, so that its material, zero point, gate
// and rate interval carry on. Any other sensor waits for discovery.

#include "Strings.hpp"
#include "cErrHandler.hpp"
#include "cZelvo.hpp"
#include "modUSB.hpp"

namespace zelvo {

int cZelvo::FreeRecordFor(const std::string& serial) const {
    for (int i = 1; i < kZelvoRecordCount; ++i) {
        if (EqualsNoCase(records_[static_cast<size_t>(i)].SerialNumber, serial)) return i;
    }
    // A record without a serial number: one that still names a sensor that left
    // is kept for that sensor's return.
    for (int i = 1; i < kZelvoRecordCount; ++i) {
        const ZelvoRecord& record = records_[static_cast<size_t>(i)];
        if (record.Handle == 0 && record.SerialNumber.empty()) return i;
    }
    return 0;
}

int32_t cZelvo::OpenBySerial(const std::string& serialNumber, int32_t& handle, std::string& port) {
    handle = 0;
    int32_t count = 0;
    bridge_.VD_GetNumDevices(count);  // the count alone is relied on, as in discovery
    for (int32_t device = 0; device < count; ++device) {
        std::string serial;
        std::string productId;
        bridge_.VD_GetProductString(device, serial, VD_PRODUCT_SERIAL_NUMBER);
        if (!EqualsNoCase(serial, serialNumber)) continue;
        bridge_.VD_GetProductString(device, productId, VD_PRODUCT_ID);
        if (ToUpper(productId) != protocol::kProductId) continue;
        if (bridge_.VD_Open(device, handle) != 0 || handle < 1 || !TakeLineRate(handle)) continue;
        port = ProductString(device, VD_PRODUCT_PORT);
        return ZelvoStatus::Success;
    }
    return ZelvoStatus::NotFound;
}

int32_t cZelvo::Reconnect(const std::string& serialNumber) {
    ProcScope scope("Zelvo_Reconnect");
    if (serialNumber.empty()) return ZelvoStatus::NotFound;
    // Enumerating while an exchange waits could renumber the handle it waits on.
    if (link_.InProgress()) return ZelvoStatus::Busy;
    try {
        const int index = FreeRecordFor(serialNumber);
        if (index == 0) return ZelvoStatus::NotFound;
        ZelvoRecord& record = records_[static_cast<size_t>(index)];
        if (record.Handle > 0) return ZelvoStatus::Success;  // it never left
        int32_t handle = 0;
        std::string port;
        if (OpenBySerial(serialNumber, handle, port) != ZelvoStatus::Success) {
            return ZelvoStatus::NotFound;
        }
        // A record given up by discovery holds another crystal's zero point, gate and
        // rate interval: the sensor starts it afresh and zeroes at its first reading.
        if (!EqualsNoCase(record.SerialNumber, serialNumber)) record = ZelvoRecord{};
        record.SerialNumber = ToUpper(serialNumber);
        record.Handle = handle;
        record.Port = port;
        // A plugged-in sensor counts with its firmware's gate: it gets the record's
        // period again, or it is given up and looked for at the next search.
        const int32_t status = PeriodBody(index, record.GatePeriod);
        if (status != ZelvoStatus::Success && record.Handle > 0) {
            bridge_.VD_Close(record.Handle);
            record.Handle = 0;
        }
        return status;
    } catch (...) {
        ErrHandler().HandleError();
        return ZelvoStatus::CommFailure;
    }
}

std::vector<ListedZelvo> cZelvo::ListZelvos() {
    ProcScope scope("Zelvo_ListZelvos");
    std::vector<ListedZelvo> listed;
    if (link_.InProgress()) return listed;
    try {
        CloseAll();
        foundCount_ = 0;
        skippedPorts_.clear();
        for (const Opened& sensor : OpenZelvos()) {
            listed.push_back({sensor.serial, protocol::kProductId, sensor.port});
            bridge_.VD_Close(sensor.handle);  // listed only: given back at once
        }
    } catch (...) {
        ErrHandler().HandleError();
    }
    return listed;
}

}  // namespace zelvo
