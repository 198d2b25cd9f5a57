// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The [Mqtt] settings of the setup file checked and made into the publisher's
// settings. A value the publisher cannot use is refused, never replaced by a
// default: publishing stays off, the refusal names the section, the key and the
// value ("[Mqtt] Port=70000 is not a port (1 to 65535)"), and the setting keeps
// the operator's text, which the setup file gets back unchanged. An empty value
// means the key's default, as everywhere in the setup file (an empty Host is
// localhost).

#include <string>

#include "MainState.hpp"
#include "MqttPublisher.hpp"

namespace zelvo {

struct MqttSettingsCheck {
    bool on = false;        // publishing is wanted and every setting was taken
    std::string refusal;    // why publishing stays off although the file turns it on
    MqttSettings settings;  // when on
};

// The settings of state for the setup file of that name (the default topic prefix
// and the client id follow from it). Files named by the settings are looked at
// now: the TLS files must be readable, the password file readable only by its
// owner; a relative name is taken in the application folder.
MqttSettingsCheck CheckMqttSettings(const MainState& state, const std::string& setupFile);

// What the check asks of publishing as one text: "" (off), the refusal, or every
// setting of the publisher; equal texts ask for the same.
std::string Fingerprint(const MqttSettingsCheck& check);

// The client id of a monitor: the same for the same machine and setup file across
// restarts, another for another setup file or folder, and at most 23 letters and
// digits, which every broker takes.
std::string MqttClientId(const std::string& machine, const std::string& setupPath);

}  // namespace zelvo
