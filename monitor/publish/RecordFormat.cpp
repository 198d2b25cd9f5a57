// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "RecordFormat.hpp"

#include <array>
#include <cstdio>

#include "Format.hpp"

namespace zelvo {
namespace {

// Unit names by the Units setting: 0 kA, 1 areal mass, 2 A.
struct UnitNames {
    const char* rate;
    const char* thickness;
};
UnitNames UnitsOf(int32_t units) {
    switch (units) {
        case 1:
            return {"mass_rate_ng_per_cm2_s", "mass_ug_per_cm2"};
        case 2:
            return {"rate_A_per_s", "thickness_A"};
        default:
            return {"rate_A_per_s", "thickness_kA"};
    }
}
constexpr const char* kFrequencyName = "frequency_Hz";
constexpr const char* kLifeName = "life_pct";

struct ValueTexts {
    std::string rate, thickness, frequency, life;
};
ValueTexts TextsOf(const ChannelRecord& c) {
    return {FormatNumber(c.rate, "0.00"), FormatNumber(c.thickness, "0.000"),
            FormatNumber(c.frequency, "0.00"), FormatNumber(c.life, "0.0")};
}

// A CSV field, quoted when it holds a comma, a quote or a line break.
std::string CsvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string quoted = "\"";
    for (char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

std::string SweepFields(const SweepRecord& record) {
    return "\"time\":" + JsonString(IsoUtc(record.time)) +
           ",\"run_time_s\":" + FormatNumber(record.runTime, "0.000") +
           ",\"run\":" + std::to_string(record.run);
}

std::string ChannelFields(const SweepRecord& record, const ChannelRecord& c) {
    const UnitNames units = UnitsOf(record.units);
    std::string fields = "\"channel\":" + std::to_string(c.channel) +
                         ",\"name\":" + JsonString(c.name) + ",\"serial\":" + JsonString(c.serial);
    const ValueTexts v = TextsOf(c);
    auto value = [&](const char* name, const std::string& text) {
        fields += ",\"" + std::string(name) + "\":" + (c.valid ? text : "null");
    };
    value(units.rate, v.rate);
    value(units.thickness, v.thickness);
    value(kFrequencyName, v.frequency);
    value(kLifeName, v.life);
    return fields + ",\"status\":" + JsonString(c.status);
}

// An event's value and limit: thickness or mass to the thousandth, the others to the tenth.
std::string EventFields(const RaisedEvent& event) {
    return "\"event\":" + JsonString(EventName(event.event)) +
           ",\"value\":" + EventValueText(event.event, event.value) +
           ",\"limit\":" + EventValueText(event.event, event.limit);
}

}  // namespace

std::optional<RecordFormat> RecordFormatNamed(std::string_view name) {
    if (name == "text") return RecordFormat::Text;
    if (name == "csv") return RecordFormat::Csv;
    if (name == "jsonl") return RecordFormat::Jsonl;
    return std::nullopt;
}

std::string TextLine(const SweepRecord& record) {
    std::string line = FormatNumber(record.runTime, "0.00") + "s";
    for (const ChannelRecord& c : record.channels) {
        const ValueTexts v = c.valid ? TextsOf(c) : ValueTexts{};
        line += " | " + c.name + ": rate=" + v.rate + " thick=" + v.thickness +
                " freq=" + v.frequency + " life=" + v.life + " status=" + c.status;
    }
    return line;
}

std::string CsvHeader(const SweepRecord& record) {
    const UnitNames units = UnitsOf(record.units);
    std::string header = "time,run_time_s,run";
    for (const ChannelRecord& c : record.channels) {
        const std::string p = ",ch" + std::to_string(c.channel) + "_";
        header += p + "name" + p + "serial" + p + units.rate + p + units.thickness + p +
                  kFrequencyName + p + kLifeName + p + "status";
    }
    return header + ",events";
}

std::string CsvLine(const SweepRecord& record) {
    std::string line = IsoUtc(record.time) + "," + FormatNumber(record.runTime, "0.000") + "," +
                       std::to_string(record.run);
    for (const ChannelRecord& c : record.channels) {
        const ValueTexts v = c.valid ? TextsOf(c) : ValueTexts{};
        line += "," + CsvField(c.name) + "," + CsvField(c.serial) + "," + v.rate + "," +
                v.thickness + "," + v.frequency + "," + v.life + "," + CsvField(c.status);
    }
    std::string events;
    for (const ChannelRecord& c : record.channels) {
        for (const RaisedEvent& event : c.events) {
            events += (events.empty() ? "" : ";") + std::to_string(c.channel) + ":" +
                      std::string(EventName(event.event));
        }
    }
    return line + "," + events;
}

std::string JsonLine(const SweepRecord& record) {
    std::string line = "{" + SweepFields(record) + ",\"channels\":[";
    for (size_t i = 0; i < record.channels.size(); ++i) {
        if (i > 0) line += ",";
        line += "{" + ChannelFields(record, record.channels[i]) + "}";
    }
    line += "],\"events\":[";
    bool first = true;
    for (const ChannelRecord& c : record.channels) {
        for (const RaisedEvent& event : c.events) {
            line += (first ? "{" : ",{") + std::string("\"channel\":") + std::to_string(c.channel) +
                    "," + EventFields(event) + "}";
            first = false;
        }
    }
    return line + "]}";
}

std::string ChannelJson(const SweepRecord& record, const ChannelRecord& channel) {
    return "{" + SweepFields(record) + "," + ChannelFields(record, channel) + "}";
}

std::string EventJson(const SweepRecord& record, const ChannelRecord& channel,
                      const RaisedEvent& event) {
    return "{\"time\":" + JsonString(IsoUtc(record.time)) +
           ",\"run\":" + std::to_string(record.run) +
           ",\"channel\":" + std::to_string(channel.channel) +
           ",\"serial\":" + JsonString(channel.serial) + "," + EventFields(event) + "}";
}

std::string EventLine(const SweepRecord& record, const ChannelRecord& channel,
                      const RaisedEvent& event) {
    return channel.name + " (" + channel.serial + ") " + std::string(EventName(event.event)) +
           " at " + FormatNumber(record.runTime, "0.00") +
           " s: " + EventValueText(event.event, event.value) + " (limit " +
           EventValueText(event.event, event.limit) + ")";
}

std::string JsonString(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20) {
            std::array<char, 8> escaped{};
            std::snprintf(escaped.data(), escaped.size(), "\\u%04x", byte);
            out += escaped.data();
        } else {
            out += c;
        }
    }
    return out + "\"";
}

}  // namespace zelvo
