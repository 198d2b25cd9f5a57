// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "FormPosition.hpp"

#include <cmath>

#include "Numbers.hpp"

namespace zelvo {
namespace {

// The number after "X=" in the text, if the pair is present.
std::optional<int> PairValue(const std::string& text, const char* key) {
    const size_t at = text.find(key);
    if (at == std::string::npos) return std::nullopt;
    const double value = LeadingNumber(std::string_view(text).substr(at + 2));
    return static_cast<int>(std::nearbyint(value));
}

}  // namespace

std::string PositionText(const FormPlace& place) {
    return "L=" + std::to_string(place.left) + ";T=" + std::to_string(place.top) +
           ";W=" + std::to_string(place.width) + ";H=" + std::to_string(place.height) +
           ";S=" + std::to_string(place.state) + ";";
}

std::optional<FormPlace> ParsePosition(const std::string& text, const FormPlace& current,
                                       bool fixedSize) {
    if (text.empty()) return std::nullopt;
    FormPlace place = current;
    if (auto v = PairValue(text, "L=")) place.left = *v;
    if (auto v = PairValue(text, "T=")) place.top = *v;
    if (!fixedSize) {
        if (auto v = PairValue(text, "W=")) place.width = *v;
        if (auto v = PairValue(text, "H=")) place.height = *v;
    }
    if (auto v = PairValue(text, "S=")) place.state = *v;
    return place;
}

FormPlace KeepOnScreen(FormPlace place, int screenWidth, int screenHeight) {
    if (place.left >= screenWidth) place.left = screenWidth - place.width;
    if (place.top >= screenHeight) place.top = screenHeight - place.height;
    if (place.left < 0) place.left = 0;
    if (place.top < 0) place.top = 0;
    return place;
}

FormPlace CenterOnScreen(FormPlace place, int screenWidth, int screenHeight) {
    place.left = (screenWidth - place.width) / 2;
    place.top = (screenHeight - place.height) / 2;
    return place;
}

}  // namespace zelvo
