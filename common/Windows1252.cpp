// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Windows1252.hpp"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>

namespace zelvo {
namespace {

// Code points of bytes 0x80-0x9F. The five bytes Windows-1252 leaves unassigned
// map to the C1 control of the same value, as the desktop's conversion does.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// The byte for a code point, or -1 when Windows-1252 has none.
int ByteOf(char32_t code) {
    if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) return static_cast<int>(code);
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == code) return static_cast<int>(0x80 + i);
    }
    return -1;
}

void AppendUtf8(std::string& out, char32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// Decodes one UTF-8 sequence at `pos`; returns its length, 0 when malformed
// (overlong forms, surrogates and values beyond U+10FFFF included).
std::size_t DecodeUtf8(std::string_view text, std::size_t pos, char32_t& code) {
    auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(text[i]); };
    std::uint8_t lead = byte(pos);
    std::size_t length = 0;
    char32_t min = 0;
    if (lead < 0x80) {
        code = lead;
        return 1;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2, code = lead & 0x1F, min = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, code = lead & 0x0F, min = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, code = lead & 0x07, min = 0x10000;
    } else {
        return 0;
    }
    if (pos + length > text.size()) return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(pos + i) & 0xC0) != 0x80) return 0;
        code = (code << 6) | (byte(pos + i) & 0x3F);
    }
    if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
    return length;
}

// Encodes the UTF-8 text. A character Windows-1252 cannot hold (or a malformed
// byte) becomes `replacement`; without one, encoding stops with nothing and the
// character (or the byte) goes to `refused`.
std::optional<std::string> Encode(std::string_view utf8, std::optional<char> replacement,
                                  std::string& refused) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        char32_t code = 0;
        const std::size_t decoded = DecodeUtf8(utf8, pos, code);
        const int b = decoded == 0 ? -1 : ByteOf(code);
        const std::size_t length = std::max<std::size_t>(decoded, 1);
        if (b >= 0) {
            out += static_cast<char>(b);
        } else if (replacement) {
            out += *replacement;
        } else {
            refused = std::string(utf8.substr(pos, length));
            return std::nullopt;
        }
        pos += length;
    }
    return out;
}

bool IsUtf8(std::string_view text) {
    std::size_t pos = 0;
    char32_t code = 0;
    while (pos < text.size()) {
        const std::size_t length = DecodeUtf8(text, pos, code);
        if (length == 0) return false;
        pos += length;
    }
    return true;
}

}  // namespace

bool ToWindows1252(std::string_view utf8, std::string& out, std::string& refused) {
    std::optional<std::string> encoded = Encode(utf8, std::nullopt, refused);
    if (encoded) out = std::move(*encoded);
    return encoded.has_value();
}

std::string ToWindows1252Replacing(std::string_view utf8) {
    std::string unused;
    return Encode(utf8, '?', unused).value();
}

std::string FromWindows1252(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        auto b = static_cast<std::uint8_t>(c);
        char32_t code = (b >= 0x80 && b < 0xA0) ? kHighControls[b - 0x80] : char32_t{b};
        AppendUtf8(out, code);
    }
    return out;
}

std::string AsUtf8(std::string_view text) {
    return IsUtf8(text) ? std::string(text) : FromWindows1252(text);
}

}  // namespace zelvo
