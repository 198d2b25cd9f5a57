// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "SettingsKeys.hpp"

#include "AppInfo.hpp"
#include "Format.hpp"
#include "IniStore.hpp"
#include "IniText.hpp"
#include "SettingsConvert.hpp"
#include "SettingsLines.hpp"
#include "ValidationChecks.hpp"
#include "cIniFile.hpp"

namespace zelvo {
namespace {

// A key whose written form cannot fail, with a default by layout.
SettingKey ByLayout(const char* section, const char* key, std::array<const char*, 3> defaults,
                    std::function<void(KeyReading&)> read,
                    std::function<std::string(const MainState&)> written) {
    return {
        .section = section,
        .key = key,
        .defaults = defaults,
        .perChannel = false,
        .read = std::move(read),
        .write = [written = std::move(written)](const MainState& s, size_t,
                                                std::string& text) -> std::optional<ZelvoError> {
            text = written(s);
            return std::nullopt;
        }};
}

// The same with one default for every layout.
SettingKey Same(const char* section, const char* key, const char* defaultText,
                std::function<void(KeyReading&)> read,
                std::function<std::string(const MainState&)> written) {
    return ByLayout(section, key, {defaultText, defaultText, defaultText}, std::move(read),
                    std::move(written));
}

// A whole number, optionally within [low, high].
SettingKey Whole(const char* section, const char* key, const char* defaultText,
                 int32_t MainState::*field, std::optional<std::pair<int32_t, int32_t>> range = {}) {
    return Same(
        section, key, defaultText,
        [field, range](KeyReading& r) {
            int32_t value = 0;
            if (!r.Passed(WholeSetting(r.Key(), r.Text(), value))) return;
            if (range && !r.Passed(RangeCheck(r.Key(), value, range->first, range->second))) return;
            r.State().*field = value;
        },
        [field](const MainState& s) { return std::to_string(s.*field); });
}

SettingKey Whole16(const char* section, const char* key, const char* defaultText,
                   int16_t MainState::*field) {
    return Same(
        section, key, defaultText,
        [field](KeyReading& r) { r.Record(Whole16Setting(r.Key(), r.Text(), r.State().*field)); },
        [field](const MainState& s) { return std::to_string(s.*field); });
}

SettingKey Text(const char* section, const char* key, const char* defaultText,
                std::string MainState::*field) {
    return Same(
        section, key, defaultText, [field](KeyReading& r) { r.State().*field = r.Text(); },
        [field](const MainState& s) { return s.*field; });
}

// The operator's text, whole, written back as read: checked where it is used
// (the MQTT settings), so that a refused value stays in the file as it was.
SettingKey AsWritten(const char* section, const char* key, const char* defaultText,
                     std::string MainState::*field) {
    return Same(
        section, key, defaultText,
        [field, defaultText](KeyReading& r) {
            r.State().*field = r.Stored(r.Key()).value_or(defaultText);
        },
        [field](const MainState& s) { return s.*field; });
}

// The name of the password file; a password in the setup file itself is noted so
// that publishing refuses it.
SettingKey MqttPasswordFile() {
    return Same(
        "Mqtt", "PasswordFile", "",
        [](KeyReading& r) {
            r.State().MqttPasswordFile = r.Stored(r.Key()).value_or("");
            r.State().MqttPasswordInFile = r.Stored("Password").has_value();
        },
        [](const MainState& s) { return s.MqttPasswordFile; });
}

// Read as stored; always written as this program's layout.
SettingKey IniVer() {
    return Same(
        "Application", "IniVer", "0",
        [](KeyReading& r) { r.Record(WholeSetting(r.Key(), r.Text(), r.State().IniVer)); },
        [](const MainState&) { return std::to_string(WrittenIniVer()); });
}

SettingKey Locked() {
    return Same(
        "Application", "Locked", "0",
        [](KeyReading& r) { r.Record(FlagSetting(r.Key(), r.Text(), r.State().Locked)); },
        [](const MainState& s) { return std::string(s.Locked ? "-1" : "0"); });
}

// Read once; sets the size of every channel's filter. Written from channel 0.
SettingKey Filter() {
    return Same(
        "Application", "Filter", "1",
        [](KeyReading& r) {
            int16_t size = 0;
            if (!r.Passed(Whole16Setting(r.Key(), r.Text(), size))) return;
            for (int c = 0; c < kChannelCount; ++c) FilterOf(r.State(), c).Size(size);
        },
        [](const MainState& s) {
            return std::to_string(s.ChannelFilter[0] ? s.ChannelFilter[0]->Size() : 1);
        });
}

SettingKey View() {
    return Same(
        "Application", "View", "0",
        [](KeyReading& r) {
            int16_t view = 0;
            if (r.Passed(Whole16Setting(r.Key(), r.Text(), view)))
                SetView(r.State(), r.Window(), view);
        },
        [](const MainState& s) { return std::to_string(s.View); });
}

SettingKey Period() {
    return ByLayout(
        "Application", "Period", {".25", "25", "25"},
        [](KeyReading& r) {
            double period = 0;
            if (!r.Passed(NumberSetting(r.Key(), r.Text(), period))) return;
            if (r.FileLayout() != Layout::Oldest) period /= 100;
            if (r.Passed(RangeCheck(r.Key(), period, kPeriodMin, kPeriodMax))) {
                r.State().Period = period;
            }
        },
        [](const MainState& s) { return FormatNumber(s.Period * 100, "#00"); });
}

SettingKey Freq() {
    return ByLayout(
        "Application", "Freq",
        {"6.000,4.000,5.000,1", "6100000;5000000;6000000;1", "6100000;5000000;6000000;1"},
        ReadCrystalLimits, [](const MainState& s) {
            return FormatNumber(s.FreqMax, "0000000") + ";" + FormatNumber(s.FreqMin, "0000000") +
                   ";" + FormatNumber(s.FreqInit, "0000000");
        });
}

// A missing sensor line means density 1, Z factor 1 and tooling 100 % in every
// layout, in the layout's own stored form.
SettingKey Sensor() {
    return {.section = "Zelvo",
            .key = "Sensor ",
            .defaults = {",1,1,100,0", ";100;1000;10000;0", ";1000;1000;10000;0"},
            .perChannel = true,
            .read = ReadSensorLine,
            .write = WriteSensorLine};
}

// One supervision line per channel, in a section older programs do not read.
SettingKey Targets() {
    return {.section = "Targets",
            .key = "Sensor ",
            .defaults = {"", "", ""},
            .perChannel = true,
            .read = ReadTargetsLine,
            .write = WriteTargetsLine};
}

}  // namespace

Layout LayoutOf(int32_t iniVer) {
    if (iniVer < kLayoutHundredths) return Layout::Oldest;
    return iniVer < kLayoutThousandths ? Layout::Hundredths : Layout::Thousandths;
}

int32_t WrittenIniVer() {
    const AppInfo& app = GetAppInfo();
    return app.major * 100 + app.minor * 10 + app.revision;
}

const std::vector<SettingKey>& SettingKeys() {
    using S = MainState;
    static const std::vector<SettingKey> keys = {
        IniVer(),
        Whole16("Application", "OnTop", "0", &S::OnTop),
        Locked(),
        Whole("Application", "Units", "0", &S::Units),
        Whole("Application", "Rate", "0", &S::Rate),
        Filter(),
        View(),
        Whole("Application", "ShowLast", "3", &S::ShowLast, {{0, kChannelCount - 1}}),
        Freq(),
        Period(),
        Whole("Application", "RunNum", "1", &S::RunNum, {{kRunNumberMin, kRunNumberMax}}),
        Text("Graph", "File", "zelvo.oc2", &S::GraphFile),
        Text("Graph", "FileThick", "zelvo_Thick.oc2", &S::GraphFileThick),
        Text("Graph", "FileFreq", "zelvo_Freq.oc2", &S::GraphFileFreq),
        Whole("Graph", "YMin", "0", &S::YMin),
        Whole("Graph", "YMinThick", "0", &S::YMinThick),
        Whole("Graph", "YMinFreq", "5000000", &S::YMinFreq),
        Whole("Graph", "YMax", "20", &S::YMax),
        Whole("Graph", "YMaxThick", "200", &S::YMaxThick),
        Whole("Graph", "YMaxFreq", "6000000", &S::YMaxFreq),
        Whole("Graph", "XRange", "60", &S::XRange),
        Whole("Graph", "XUnits", "0", &S::XUnits),
        Whole("Graph", "XScroll", "1", &S::XScroll),
        Whole("DataLog", "LogEnabled", "0", &S::LogEnabled),
        Whole16("DataLog", "LogType", "0", &S::LogType),
        Text("DataLog", "LogFile", "Zelvo.log", &S::LogFile),
        Sensor(),
        Targets(),
        AsWritten("Mqtt", "Enabled", "0", &S::MqttEnabled),
        AsWritten("Mqtt", "Host", "localhost", &S::MqttHost),
        AsWritten("Mqtt", "Port", "1883", &S::MqttPort),
        AsWritten("Mqtt", "Topic", "", &S::MqttTopic),
        AsWritten("Mqtt", "Qos", "1", &S::MqttQos),
        AsWritten("Mqtt", "KeepAlive", "5", &S::MqttKeepAlive),
        AsWritten("Mqtt", "Username", "", &S::MqttUsername),
        MqttPasswordFile(),
        AsWritten("Mqtt", "Tls", "0", &S::MqttTls),
        AsWritten("Mqtt", "CaFile", "", &S::MqttCaFile),
        AsWritten("Mqtt", "CertFile", "", &S::MqttCertFile),
        AsWritten("Mqtt", "KeyFile", "", &S::MqttKeyFile),
    };
    return keys;
}

std::string SettingKey::KeyOf(size_t channel) const {
    return perChannel ? key + std::to_string(channel + 1) : std::string(key);
}

std::string SettingKey::DefaultOf(Layout layout, size_t channel) const {
    const char* text = defaults[static_cast<size_t>(layout)];
    return perChannel ? KeyOf(channel) + text : std::string(text);
}

void KeyReading::Select(const char* section, std::string key, std::string defaultText,
                        size_t channel) {
    section_ = section;
    key_ = std::move(key);
    default_ = std::move(defaultText);
    channel_ = channel;
}

std::string KeyReading::Text(int16_t element) {
    const char* separator = FileLayout() == Layout::Oldest ? "," : ";";
    return ini_.ReadIniStr(section_, key_, default_, element, element == 0 ? "" : separator);
}

std::optional<std::string> KeyReading::Stored(const std::string& key) const {
    return ini::ReadValue(ini_.IniFile(), section_, key);
}

std::string DefaultSetupFileText() {
    const MainState defaults;
    ini::IniText file("");
    for (const SettingKey& key : SettingKeys()) {
        for (size_t ch = 0; ch < key.Channels(); ++ch) {
            std::string text;
            if (auto failure = key.write(defaults, ch, text)) throw *failure;
            file.Set(key.section, key.KeyOf(ch), text);
        }
    }
    return file.Bytes();
}

}  // namespace zelvo
