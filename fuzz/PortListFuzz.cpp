// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The ZELVO_PORTS parser over any text: it either refuses the text with a message
// and leaves the list alone, or gives entries that are whole (a path, a product ID
// of 1 to 4 upper-case hexadecimal digits, a serial number of at most 255
// characters without ";") and that read back the same when written out again.
// The bus-path order is checked on two paths cut from the same input.
#include <cctype>
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzCheck.hpp"
#include "PortList.hpp"

namespace {

bool IsProductId(const std::string& id) {
    if (id.empty() || id.size() > 4) return false;
    for (char c : id) {
        if (!std::isxdigit(static_cast<unsigned char>(c)) ||
            std::islower(static_cast<unsigned char>(c)))
            return false;
    }
    return true;
}

std::string WrittenOut(const std::vector<vdserial::PortInfo>& ports) {
    std::string text;
    for (const vdserial::PortInfo& port : ports) {
        text += (text.empty() ? "" : ";") + port.path + "=" + port.productId + "," + port.serial;
    }
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using zelvo::fuzz::Check;
    const std::string text(reinterpret_cast<const char*>(data), size);
    const vdserial::PortInfo marker{"/marker", "1", "kept"};
    std::vector<vdserial::PortInfo> ports{marker};
    if (auto message = vdserial::ParsePortList(text, ports)) {
        Check(!message->empty(), "a refused text without a message");
        Check(ports.size() == 1 && ports[0].path == marker.path, "a refused text changed the list");
    } else {
        for (const vdserial::PortInfo& port : ports) {
            Check(!port.path.empty(), "an entry without a path");
            Check(IsProductId(port.productId), "a product ID that is not 1 to 4 upper-case digits");
            Check(port.serial.size() <= 255 && port.serial.find(';') == std::string::npos,
                  "a serial number that cannot be written back");
        }
        std::vector<vdserial::PortInfo> again;
        Check(!vdserial::ParsePortList(WrittenOut(ports), again), "written-out list refused");
        Check(WrittenOut(again) == WrittenOut(ports), "written-out list reads back differently");
    }
    // The order of bus paths is a strict order: never both ways, never a path before itself.
    const std::string a = text.substr(0, text.size() / 2);
    const std::string b = text.substr(text.size() / 2);
    Check(!(vdserial::BusPathBefore(a, b) && vdserial::BusPathBefore(b, a)), "order both ways");
    Check(!vdserial::BusPathBefore(a, a), "a path before itself");
    return 0;
}
