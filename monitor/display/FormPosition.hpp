// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window position kept in the per-user store under "Form Positions": its
// text "L=..;T=..;W=..;H=..;S=..;", reading it back, and keeping it on screen.

#include <optional>
#include <string>

namespace zelvo {

inline constexpr const char* kFormPositionsSection = "Form Positions";

// Window states as stored: 0 normal, 1 minimised, 2 maximised.
inline constexpr int kStateNormal = 0;
inline constexpr int kStateMinimised = 1;
inline constexpr int kStateMaximised = 2;

struct FormPlace {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    int state = kStateNormal;
    bool operator==(const FormPlace&) const = default;
};

// "L=1200;T=900;W=8880;H=6540;S=0;" for that place.
std::string PositionText(const FormPlace& place);

// The place a stored text asks for, starting from the current one: each pair
// present replaces its value (its number rounded to a whole number); width and
// height stay as they are for a fixed-size window. Nothing for an empty text.
std::optional<FormPlace> ParsePosition(const std::string& text, const FormPlace& current,
                                       bool fixedSize);

// Keeps a normal window on a screen of the given size: a left or top edge at or
// beyond the screen's far edge is pulled back by the window's size, and a
// negative edge becomes 0.
FormPlace KeepOnScreen(FormPlace place, int screenWidth, int screenHeight);

// The centre of the screen for a window of the place's size.
FormPlace CenterOnScreen(FormPlace place, int screenWidth, int screenHeight);

}  // namespace zelvo
