#include "DataLogFormat.hpp"

#include "Format.hpp"
#include "TimeOfDay.hpp"

namespace zelvo {
namespace {

std::string StampLine(const char* word, int32_t runNumber, const std::string& date,
                      const std::string& time) {
    return std::string(word) + kLogRunLabel + std::to_string(runNumber) + kLogDateLabel + date +
           kLogTimeLabel + time;
}

}  // namespace

std::string LogTimeOfDay(double secondsSinceMidnight) {
    return TimeOfDayText(secondsSinceMidnight, "0");
}

std::string LogStartLine(int32_t runNumber, const std::string& date, const std::string& time) {
    return StampLine(kLogStartWord, runNumber, date, time);
}

std::string LogStopLine(int32_t runNumber, const std::string& date, const std::string& time) {
    return StampLine(kLogStopWord, runNumber, date, time);
}

std::string LogColumnHeader(int32_t units) {
    switch (units) {
        case 1:
            return kLogHeaderMass;
        case 2:
            return kLogHeaderAngstrom;
        default:
            return kLogHeaderKiloAngstrom;
    }
}

std::string LogRecordLine(double elapsedSeconds,
                          const std::vector<std::optional<LogChannelValues>>& channels) {
    std::string line = FormatNumber(elapsedSeconds, "0.00") + kLogFieldEnd;
    for (const auto& channel : channels) {
        if (!channel) {
            line += kLogInvalidChannel;
            continue;
        }
        line += FormatNumber(channel->rate, "00.00") + kLogFieldEnd;
        line += FormatNumber(channel->thickness, "00.000") + kLogFieldEnd;
        line += FormatNumber(channel->frequency, "0.00") + kLogFieldEnd;
    }
    return line;
}

std::string LogPathFor(int16_t logType, const std::string& logFile, int32_t runNumber) {
    if (logType != kLogRunNumbered) return logFile;
    std::string run = "_" + std::to_string(runNumber);
    // Only the name part is searched, so that a dotted folder keeps its name.
    size_t nameStart = logFile.rfind('/');
    nameStart = nameStart == std::string::npos ? 0 : nameStart + 1;
    size_t dot = logFile.find('.', nameStart);
    if (dot == std::string::npos || dot == nameStart) return logFile + run;
    return logFile.substr(0, dot) + run + logFile.substr(dot);
}

}  // namespace zelvo
