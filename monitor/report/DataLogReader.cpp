// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "DataLogReader.hpp"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <memory>

#include "DataLogFormat.hpp"
#include "TimeOfDay.hpp"
#include "Windows1252.hpp"
#include "ZelvoError.hpp"

namespace zelvo::report {
namespace {

constexpr double kMissing = std::numeric_limits<double>::quiet_NaN();
constexpr size_t kMaxChannels = 8;
constexpr size_t kFieldsPerChannel = 3;

bool SkipPrefix(std::string_view& text, std::string_view prefix) {
    if (!text.starts_with(prefix)) return false;
    text.remove_prefix(prefix.size());
    return true;
}

bool IsBlank(std::string_view text) {
    return text.find_first_not_of(' ') == std::string_view::npos;
}

std::string_view TrimBlanks(std::string_view text) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// "<run>\tDate: <date>   Time: <time>" after the word of a start or stop line.
std::optional<std::pair<int32_t, LogStamp>> ParseStamp(std::string_view rest) {
    if (!SkipPrefix(rest, kLogRunLabel)) return std::nullopt;
    const size_t tab = rest.find('\t');
    if (tab == std::string_view::npos) return std::nullopt;
    int32_t run = 0;
    const std::string_view runText = rest.substr(0, tab);
    const auto [end, ec] = std::from_chars(runText.data(), runText.data() + runText.size(), run);
    if (ec != std::errc() || end != runText.data() + runText.size()) return std::nullopt;
    rest.remove_prefix(tab);
    if (!SkipPrefix(rest, kLogDateLabel)) return std::nullopt;
    const size_t at = rest.rfind(kLogTimeLabel);
    if (at == std::string_view::npos) return std::nullopt;
    LogStamp stamp;
    stamp.date = AsUtf8(rest.substr(0, at));
    stamp.time = AsUtf8(TrimBlanks(rest.substr(at + std::string_view(kLogTimeLabel).size())));
    return std::make_pair(run, stamp);
}

std::string RunName(int32_t run) {
    return "run " + std::to_string(run);
}

}  // namespace

std::optional<double> LogNumber(std::string_view text) {
    text = TrimBlanks(text);
    if (text.empty() || text.size() > 40) return std::nullopt;
    char copy[41];
    for (size_t i = 0; i < text.size(); ++i) copy[i] = text[i] == ',' ? '.' : text[i];
    double value = 0;
    const auto [end, ec] =
        std::from_chars(copy, copy + text.size(), value, std::chars_format::fixed);
    if (ec != std::errc() || end != copy + text.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

void DataLogReader::Line(std::string_view line, bool ended) {
    ++lineNumber_;
    ended_ = ended;
    if (line.ends_with('\r')) line.remove_suffix(1);
    std::string_view rest = line;
    if (line.find('\0') != std::string_view::npos) {
        Notice("holds zero bytes (a power cut while the line was written); left out");
    } else if (SkipPrefix(rest, kLogStartWord)) {
        StartLine(rest);
    } else if (SkipPrefix(rest, kLogStopWord)) {
        StopLine(rest);
    } else if (line.starts_with("Time,")) {
        HeaderLine(line);
    } else if (!line.empty()) {
        RecordLine(line);
    }
}

void DataLogReader::StartLine(std::string_view rest) {
    auto stamp = ParseStamp(rest);
    if (!stamp) return Unreadable("a start line without its run number, date or time; left out");
    stamp->second.line = lineNumber_;
    LoggedRun* run = Current();
    // The log switched off and on again during a run opens a new block of that run;
    // every Start advances the run number.
    if (!run || run->number != stamp->first) {
        CloseRun();
        contents_.runs.emplace_back();
        contents_.runs.back().number = stamp->first;
        open_ = true;
        dayOffset_ = 0;
    }
    Current()->blocks.push_back(LogBlock{stamp->second, std::nullopt});
    wantHeader_ = true;
}

void DataLogReader::StopLine(std::string_view rest) {
    auto stamp = ParseStamp(rest);
    if (!stamp) return Unreadable("a stop line without its run number, date or time; left out");
    stamp->second.line = lineNumber_;
    LoggedRun* run = Current();
    if (!run || run->number != stamp->first || run->blocks.back().stop) {
        return Notice("a stop line of " + RunName(stamp->first) + " without its start line");
    }
    run->blocks.back().stop = stamp->second;
    wantHeader_ = false;
}

void DataLogReader::HeaderLine(std::string_view line) {
    LoggedRun* run = Current();
    if (!run || !wantHeader_) return Notice("a column header without a start line; left out");
    wantHeader_ = false;
    for (int32_t units = 0; units <= 2; ++units) {
        if (line == LogColumnHeader(units)) {
            if (run->blocks.size() == 1) run->units = units;
            return;
        }
    }
    Notice("an unknown column header; thickness in kA taken");
}

void DataLogReader::Unreadable(const std::string& why) {
    Notice(ended_ ? why : "cut short (the log ends in the middle of a line); left out");
}

void DataLogReader::RecordLine(std::string_view line) {
    LoggedRun* run = Current();
    if (!run) return Notice("a record outside a run (no start line before it); left out");
    if (run->blocks.back().stop) return Notice("a record after the run's stop line; left out");
    values_.clear();
    std::string_view rest = line;
    for (size_t comma; (comma = rest.find(", ")) != std::string_view::npos;) {
        const std::string_view field = rest.substr(0, comma);
        const std::optional<double> value = LogNumber(field);
        if (!value && !(values_.size() > 0 && IsBlank(field))) break;
        values_.push_back(value.value_or(kMissing));
        rest.remove_prefix(comma + 2);
    }
    const size_t fields = values_.size();
    const bool whole = !values_.empty() && IsBlank(rest) && (fields - 1) % kFieldsPerChannel == 0 &&
                       (fields - 1) / kFieldsPerChannel <= kMaxChannels;
    if (!whole) {
        return Unreadable("not a record of the data log; left out");
    }
    const size_t count = (fields - 1) / kFieldsPerChannel;
    const size_t before = run->time.size();
    if (run->channels.size() < count) {
        run->channels.resize(count);
        for (ChannelColumns& c : run->channels) {
            c.rate.resize(before, kMissing);
            c.thickness.resize(before, kMissing);
            c.frequency.resize(before, kMissing);
        }
    }
    double time = values_[0] + dayOffset_;
    // The run time passes midnight of the seconds-since-midnight clock after a day.
    if (before > 0 && time < run->time.back() - kSecondsPerDay / 2) {
        dayOffset_ += kSecondsPerDay;
        time += kSecondsPerDay;
    }
    run->time.push_back(time);
    for (size_t c = 0; c < run->channels.size(); ++c) {
        const size_t at = 1 + c * kFieldsPerChannel;
        const bool has = c < count && !std::isnan(values_[at]) && !std::isnan(values_[at + 1]) &&
                         !std::isnan(values_[at + 2]);
        run->channels[c].rate.push_back(has ? values_[at] : kMissing);
        run->channels[c].thickness.push_back(has ? values_[at + 1] : kMissing);
        run->channels[c].frequency.push_back(has ? values_[at + 2] : kMissing);
    }
}

void DataLogReader::CloseRun() {
    LoggedRun* run = Current();
    if (run && !run->blocks.back().stop) {
        contents_.notices.push_back(
            {run->blocks.back().start.line,
             RunName(run->number) +
                 " has no stop line (the monitor was closed or lost power during the run); "
                 "it ends with its last record"});
    }
    open_ = false;
}

DataLogContents DataLogReader::Finish() {
    CloseRun();
    return std::move(contents_);
}

DataLogContents ReadDataLogText(std::string_view text) {
    DataLogReader reader;
    size_t at = 0;
    for (size_t end; (end = text.find('\n', at)) != std::string_view::npos; at = end + 1) {
        reader.Line(text.substr(at, end - at));
    }
    if (at < text.size()) reader.Line(text.substr(at), false);
    return reader.Finish();
}

DataLogContents ReadDataLogFile(const std::string& path) {
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"),
                                                         &std::fclose);
    if (!file) throw FileError(errno, path);
    DataLogReader reader;
    std::string pending;
    std::vector<char> buffer(1 << 20);
    size_t got = 0;
    while ((got = std::fread(buffer.data(), 1, buffer.size(), file.get())) > 0) {
        std::string_view piece(buffer.data(), got);
        for (size_t end; (end = piece.find('\n')) != std::string_view::npos;) {
            if (pending.empty()) {
                reader.Line(piece.substr(0, end));
            } else {
                reader.Line(pending.append(piece.substr(0, end)));
                pending.clear();
            }
            piece.remove_prefix(end + 1);
        }
        pending.append(piece);
    }
    if (std::ferror(file.get())) throw FileError(errno, path);
    if (!pending.empty()) reader.Line(pending, false);
    return reader.Finish();
}

}  // namespace zelvo::report
