// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ConsoleSupervision.hpp"

#include <cmath>
#include <ostream>

#include "Numbers.hpp"
#include "RecordFormat.hpp"

namespace zelvo::cli {
namespace {

// The field of an option's value and of its second value (after ":"), if it takes one.
struct OptionFields {
    SupervisionField first;
    std::optional<SupervisionField> second;
};

OptionFields FieldsOf(const std::string& option) {
    if (option == "--target") return {SupervisionField::Target, SupervisionField::Margin};
    if (option == "--life-warning") return {SupervisionField::LifeWarning, std::nullopt};
    if (option == "--quality") return {SupervisionField::Quality, std::nullopt};
    return {SupervisionField::StabilityAlarm, SupervisionField::StabilityThreshold};
}

}  // namespace

std::optional<std::string> ReadSupervisionChoices(
    const std::vector<std::pair<std::string, std::string>>& options,
    std::vector<SupervisionChoice>& choices) {
    for (const auto& [option, text] : options) {
        const OptionFields fields = FieldsOf(option);
        const size_t equals = text.find('=');
        const std::optional<double> number =
            equals == std::string::npos ? std::nullopt : ParseNumber(text.substr(0, equals));
        if (!number || *number < 1 || *number > kChannelCount || *number != std::floor(*number)) {
            return option + " needs N=" + (fields.second ? "VALUE[:SECOND]" : "VALUE") +
                   " with a channel N from 1 to 8, not \"" + text + "\"";
        }
        const auto channel = static_cast<size_t>(*number) - 1;
        std::string values = text.substr(equals + 1);
        const size_t colon = fields.second ? values.find(':') : std::string::npos;
        std::vector<std::pair<SupervisionField, std::string>> parts{
            {fields.first, values.substr(0, colon)}};
        if (colon != std::string::npos)
            parts.emplace_back(*fields.second, values.substr(colon + 1));
        for (const auto& [field, part] : parts) {
            const EntryCheck check = CheckSupervision(field, part);
            if (!check.accepted) return option + " " + text + ": " + std::string(check.message);
            choices.push_back({channel, field, check.value});
        }
    }
    return std::nullopt;
}

void ApplySupervisionChoices(MainState& state, const std::vector<SupervisionChoice>& choices) {
    for (const SupervisionChoice& choice : choices)
        SetSupervision(state.ChannelSupervision[choice.channel], choice.field, choice.value);
}

void WriteEventLines(const SweepRecord& record, std::ostream& err) {
    for (const ChannelRecord& channel : record.channels) {
        for (const RaisedEvent& event : channel.events)
            err << EventLine(record, channel, event) << "\n";
    }
}

}  // namespace zelvo::cli
