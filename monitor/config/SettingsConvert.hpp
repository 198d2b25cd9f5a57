#pragma once
// Conversions of setup-file texts into settings. Each throws ZelvoError naming the
// key when the text cannot be taken: TypeMismatch for text that is not a number
// (or flag), Overflow for a number that does not fit its variable.

#include <cstdint>
#include <string>

namespace zelvo {

// Any decimal number.
double NumberSetting(const std::string& key, const std::string& text);
// Any decimal number, made whole: nearest integer, halves to even.
int32_t WholeSetting(const std::string& key, const std::string& text);
int16_t Whole16Setting(const std::string& key, const std::string& text);
// true or false in any letter case, or any number (non-zero is true).
bool FlagSetting(const std::string& key, const std::string& text);
// A value that must lie in [low, high]; Overflow naming the key otherwise.
void RequireRange(const std::string& key, double value, double low, double high);

}  // namespace zelvo
