#include "SettingsConvert.hpp"

#include <optional>

#include "Format.hpp"
#include "Numbers.hpp"
#include "Strings.hpp"
#include "ZelvoError.hpp"

namespace zelvo {
namespace {

// Values are quoted in descriptions; a long value is shortened so that the
// report stays readable.
std::string Quoted(const std::string& text) {
    constexpr size_t kShown = 40;
    std::string shown = text.size() > kShown ? text.substr(0, kShown) + "..." : text;
    return "\"" + shown + "\"";
}

ZelvoError Mismatch(const std::string& key, const std::string& text) {
    return ZelvoError(err::TypeMismatch, "Type mismatch: " + key + " = " + Quoted(text));
}

}  // namespace

double NumberSetting(const std::string& key, const std::string& text) {
    std::optional<double> number = ParseNumber(text);
    if (!number) throw Mismatch(key, text);
    return *number;
}

int32_t WholeSetting(const std::string& key, const std::string& text) {
    double number = NumberSetting(key, text);
    try {
        return RoundToInt32(number);
    } catch (const ZelvoError&) {
        throw ZelvoError(err::Overflow, "Overflow: " + key + " = " + Quoted(text));
    }
}

int16_t Whole16Setting(const std::string& key, const std::string& text) {
    double number = NumberSetting(key, text);
    try {
        return RoundToInt16(number);
    } catch (const ZelvoError&) {
        throw ZelvoError(err::Overflow, "Overflow: " + key + " = " + Quoted(text));
    }
}

bool FlagSetting(const std::string& key, const std::string& text) {
    std::string word = Trim(text);
    if (EqualsNoCase(word, "true")) return true;
    if (EqualsNoCase(word, "false")) return false;
    std::optional<double> number = ParseNumber(word);
    if (!number) throw Mismatch(key, text);
    return *number != 0;
}

void RequireRange(const std::string& key, double value, double low, double high) {
    if (value >= low && value <= high) return;
    throw ZelvoError(err::Overflow, "Overflow: " + key + " = " + ShortestNumberText(value) +
                                        " (allowed " + ShortestNumberText(low) + " to " +
                                        ShortestNumberText(high) + ")");
}

}  // namespace zelvo
