// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ConsolePorts.hpp"

#include <algorithm>
#include <ostream>

#include "FindZelvos.hpp"

namespace zelvo::cli {

ConsolePorts::ConsolePorts(MainContext& ctx) : ctx_(ctx), desktop_(Desktop()) {
    SetDesktop(this);
}

ConsolePorts::~ConsolePorts() {
    StepAside();
}

void ConsolePorts::StepAside() {
    if (inFront_) SetDesktop(&desktop_);
    inFront_ = false;
}

bool ConsolePorts::AllowRun(std::ostream& err) {
    StepAside();
    const std::vector<SkippedPort> skipped = ctx_.sensors.SkippedPorts();
    for (const SkippedPort& port : skipped) {
        const std::string line = SkippedPortLine(port);
        const bool said = std::any_of(shown_.begin(), shown_.end(), [&](const std::string& text) {
            return text.find(line) != std::string::npos;
        });
        if (!said) err << "zelvomon-cli: port skipped: " << line << "\n";
    }
    const MainState& s = ctx_.state;
    bool opened = false;
    for (size_t ch = 0; ch < kChannelCount && static_cast<int>(ch) <= s.ShowLast; ++ch) {
        opened = opened || (!s.ChannelSerial[ch].empty() && s.ChannelPresent[ch]);
    }
    const bool held = std::any_of(skipped.begin(), skipped.end(), PortInUse);
    if (opened || !held) return true;
    err << "zelvomon-cli: no displayed channel could be opened: its ports are in use by another "
           "program\n";
    return false;
}

MsgResult ConsolePorts::MessageBox(const std::string& text, const std::string& title,
                                   MsgButtons buttons, MsgIcon icon, int defaultButton) {
    shown_.push_back(text);
    return desktop_.MessageBox(text, title, buttons, icon, defaultButton);
}

std::string ConsolePorts::GetSetting(const std::string& app, const std::string& section,
                                     const std::string& key, const std::string& defaultValue) {
    return desktop_.GetSetting(app, section, key, defaultValue);
}

void ConsolePorts::SaveSetting(const std::string& app, const std::string& section,
                               const std::string& key, const std::string& value) {
    desktop_.SaveSetting(app, section, key, value);
}

}  // namespace zelvo::cli
