// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Sweep records as text: the console's line for people, CSV with the units named
// once in the header, and JSON objects with the units in the field names. Numbers
// always use "." as the decimal point.

#include <optional>
#include <string>
#include <string_view>

#include "SweepRecord.hpp"

namespace zelvo {

enum class RecordFormat { Text, Csv, Jsonl };

// "text", "csv" or "jsonl"; nothing for any other name.
std::optional<RecordFormat> RecordFormatNamed(std::string_view name);

// "1.25s | Sensor 1: rate=1.2 thick=0.123 freq=5999000.00 life=98.3 status=ok | ..."
std::string TextLine(const SweepRecord& record);

// The CSV header for the record's channels and units, and one record line. The last
// column, "events", lists the sweep's supervision events as "1:target;2:life".
std::string CsvHeader(const SweepRecord& record);
std::string CsvLine(const SweepRecord& record);

// One JSON object for the whole sweep: time, run time, run, the channels and the
// supervision events raised, [{"channel":1,"event":"target","value":..,"limit":..}].
std::string JsonLine(const SweepRecord& record);
// One channel's JSON object with the sweep's time, run time and run, as published.
std::string ChannelJson(const SweepRecord& record, const ChannelRecord& channel);

// An event as published: {"time":..,"run":..,"channel":..,"serial":..,"event":..,
// "value":..,"limit":..}.
std::string EventJson(const SweepRecord& record, const ChannelRecord& channel,
                      const RaisedEvent& event);
// An event for people: "Sensor 1 (ZS0001) target at 12.25 s: 0.500 (limit 0.500)".
std::string EventLine(const SweepRecord& record, const ChannelRecord& channel,
                      const RaisedEvent& event);

// A JSON string literal of text (quotes, backslashes and control characters escaped).
std::string JsonString(std::string_view text);

}  // namespace zelvo
