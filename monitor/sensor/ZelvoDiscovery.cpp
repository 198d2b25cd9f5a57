// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Discovery: closes and reopens every Zelvo sensor on the bus and places each in
// a device record. Connected sensors get their own records back first, with their
// material, gate and zero point; new sensors then take records that no connected
// sensor claims. The ports left out (held by another program, or named by the
// bridge library) are kept for the operator.

#include <sstream>
#include <vector>

#include "Strings.hpp"
#include "cErrHandler.hpp"
#include "cZelvo.hpp"
#include "modUSB.hpp"

namespace zelvo {

std::string cZelvo::ProductString(int32_t device, int32_t option) {
    std::string text;
    if (bridge_.VD_GetProductString(device, text, option) != VD_OK) text.clear();
    return text;
}

std::string cZelvo::InUseReason(int32_t device) {
    int32_t pid = 0;
    std::string name;
    if (!bridge_.VD_GetPortOpener(device, pid, name) || pid <= 0) return kPortInUse;
    return std::string(kPortInUse) + " (" + (name.empty() ? "" : name + ", ") + "PID " +
           std::to_string(pid) + ")";
}

void cZelvo::AddLibrarySkippedPorts() {
    std::string text;
    if (!bridge_.VD_GetSkippedPorts(text)) return;  // a library without the list
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        if (line.empty()) continue;
        const size_t tab = line.find('\t');
        skippedPorts_.push_back(
            {line.substr(0, tab), "", tab == std::string::npos ? "" : line.substr(tab + 1)});
    }
}

bool cZelvo::TakeLineRate(int32_t& handle) {
    int32_t status = 0;
    try {
        status = bridge_.VD_SetBaudRate(handle, protocol::kLineRate);
    } catch (...) {
        bridge_.VD_Close(handle);  // opened for nothing: not left open
        handle = 0;
        throw;
    }
    if (status == 0) return true;
    bridge_.VD_Close(handle);  // not used, so not kept open
    handle = 0;
    return false;
}

std::vector<cZelvo::Opened> cZelvo::OpenZelvos() {
    std::vector<Opened> opened;
    int32_t count = 0;
    bridge_.VD_GetNumDevices(count);  // the count alone is relied on
    for (int32_t device = 0; device < count && foundCount_ < kMaxZelvos; ++device) {
        std::string productId;
        bridge_.VD_GetProductString(device, productId, VD_PRODUCT_ID);
        if (ToUpper(productId) != protocol::kProductId) continue;
        int32_t handle = 0;
        const int32_t openStatus = bridge_.VD_Open(device, handle);
        if (openStatus == VD_DEVICE_IN_USE) {
            skippedPorts_.push_back({ProductString(device, VD_PRODUCT_PORT),
                                     ToUpper(ProductString(device, VD_PRODUCT_SERIAL_NUMBER)),
                                     InUseReason(device)});
            continue;
        }
        if (openStatus != 0 || handle < 1 || !TakeLineRate(handle)) continue;
        ++foundCount_;
        std::string serial;
        bridge_.VD_GetProductString(device, serial, VD_PRODUCT_SERIAL_NUMBER);
        opened.push_back({ToUpper(serial), handle, ProductString(device, VD_PRODUCT_PORT)});
    }
    AddLibrarySkippedPorts();
    return opened;
}

int cZelvo::PlaceZelvo(const Opened& sensor) {
    for (int i = 1; i < kZelvoRecordCount; ++i) {
        ZelvoRecord& record = records_[static_cast<size_t>(i)];
        if (record.SerialNumber != sensor.serial) continue;
        // A second device with the same serial number takes the record over; the
        // first one's handle is closed rather than lost.
        if (record.Handle > 0) bridge_.VD_Close(record.Handle);
        record.Handle = sensor.handle;
        record.Port = sensor.port;
        return i;
    }
    for (int i = 1; i < kZelvoRecordCount; ++i) {
        ZelvoRecord& record = records_[static_cast<size_t>(i)];
        if (record.Handle != 0) continue;  // connected sensors were placed first
        record.SerialNumber = sensor.serial;
        record.Handle = sensor.handle;
        record.Port = sensor.port;
        return i;
    }
    return 0;  // no free record: the sensor stays open but unrecorded
}

int16_t cZelvo::FindZelvos(DiscoveryList& serialNumbers) {
    ProcScope scope("Zelvo_FindZelvos");
    if (link_.InProgress()) {
        // An exchange waits for its reply on one of the handles: nothing is closed
        // or renumbered; the caller sees the sensors as they are.
        for (int i = 1; i < kZelvoRecordCount; ++i) {
            const ZelvoRecord& record = records_[static_cast<size_t>(i)];
            serialNumbers[static_cast<size_t>(i - 1)] =
                record.Handle > 0 ? record.SerialNumber : "";
        }
        return foundCount_;
    }
    serialNumbers.fill("");
    try {
        CloseAll();
        foundCount_ = 0;
        skippedPorts_.clear();
        const std::vector<Opened> opened = OpenZelvos();
        // Known serial numbers first, so that a new sensor never takes the record of
        // a sensor that is still connected.
        std::vector<int> placed(opened.size(), 0);
        for (bool known : {true, false}) {
            for (size_t k = 0; k < opened.size(); ++k) {
                if (placed[k] != 0 || (known && ZelvoIndex(opened[k].serial) == 0)) continue;
                placed[k] = PlaceZelvo(opened[k]);
            }
        }
        for (size_t k = 0; k < opened.size(); ++k) {
            if (placed[k] == 0) continue;
            const ZelvoRecord& record = records_[static_cast<size_t>(placed[k])];
            serialNumbers[static_cast<size_t>(placed[k] - 1)] = record.SerialNumber;
            // The sensor starts with the record's period; its status stays in
            // CommState and discovery goes on either way.
            Period(record.SerialNumber, record.GatePeriod);
        }
        for (ZelvoRecord& record : records_) {
            if (record.Handle != 0) continue;
            record.SerialNumber.clear();
            record.Port.clear();
        }
    } catch (...) {
        ErrHandler().HandleError();
    }
    return foundCount_;
}

}  // namespace zelvo
