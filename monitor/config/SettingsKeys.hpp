// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one table of setup-file keys: section, key, default text per layout, how
// the text becomes a setting and how the setting is written. IniRead reads the
// keys in the table's order, IniWrite writes them in the same order; adding a
// key is one row of the table (SettingsKeys.cpp).

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "MainState.hpp"
#include "MainView.hpp"
#include "ZelvoError.hpp"

namespace zelvo {

class cIniFile;

// Layout versions of setup files, chosen by the IniVer read.
inline constexpr int32_t kLayoutHundredths = 105;   // from here on: hundredths, Hz, ";"
inline constexpr int32_t kLayoutThousandths = 109;  // from here on: density in thousandths
enum class Layout { Oldest, Hundredths, Thousandths };
Layout LayoutOf(int32_t iniVer);

// The layout version written: major x 100 + minor x 10 + revision.
int32_t WrittenIniVer();

// One pass of reading: what a key's conversion needs, and the first failure.
class KeyReading {
  public:
    KeyReading(cIniFile& ini, MainState& state, IMainWindow& window)
        : ini_(ini), state_(state), window_(window) {}

    MainState& State() { return state_; }
    IMainWindow& Window() { return window_; }
    Layout FileLayout() const { return LayoutOf(state_.IniVer); }
    // The key's name ("RunNum", "Sensor 3") and its channel (per-channel keys).
    const std::string& Key() const { return key_; }
    size_t Channel() const { return channel_; }
    // The key's text, or the layout's default when missing or empty; with an
    // element above 0 that field between the layout's separators.
    std::string Text(int16_t element = 0);
    // The whole value of a key of the current section as the file holds it (never
    // cut to the store's value limit, no default), or nothing when the key is missing.
    std::optional<std::string> Stored(const std::string& key) const;

    // Keeps the first failure of the pass for the report; the pass goes on, and
    // the variable of a failed conversion keeps what it had.
    void Record(const std::optional<ZelvoError>& failure) {
        if (failure && !failure_) failure_ = failure;
    }
    // Record, and true when the conversion succeeded.
    bool Passed(const std::optional<ZelvoError>& failure) {
        Record(failure);
        return !failure;
    }
    const std::optional<ZelvoError>& Failure() const { return failure_; }

    // Makes the key current (called by the pass for each key and channel).
    void Select(const char* section, std::string key, std::string defaultText, size_t channel);

  private:
    cIniFile& ini_;
    MainState& state_;
    IMainWindow& window_;
    const char* section_ = "";
    std::string key_;
    std::string default_;
    size_t channel_ = 0;
    std::optional<ZelvoError> failure_;
};

struct SettingKey {
    const char* section;
    // The key; for a per-channel key the start of it, followed by the channel number 1 to 8.
    const char* key;
    // Default text by layout (oldest, hundredths, thousandths); for a per-channel
    // key the text that follows the key in its default.
    std::array<const char*, 3> defaults;
    bool perChannel;
    std::function<void(KeyReading&)> read;
    // The written form of the setting of a channel (0 for single keys), or the
    // reason it cannot be written so that it reads back whole.
    std::function<std::optional<ZelvoError>(const MainState&, size_t channel, std::string& text)>
        write;

    // The key of a channel ("Sensor 3" for channel 2); the key itself for single keys.
    std::string KeyOf(size_t channel) const;
    std::string DefaultOf(Layout layout, size_t channel) const;
    size_t Channels() const { return perChannel ? kChannelCount : 1; }
};

// Every key of a setup file, in reading and writing order.
const std::vector<SettingKey>& SettingKeys();

// The setup file of the settings' defaults in the written layout, as carried by
// the program for a first start.
std::string DefaultSetupFileText();

}  // namespace zelvo
