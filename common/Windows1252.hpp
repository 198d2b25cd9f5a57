// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The system's single-byte text (Windows-1252) and UTF-8. The setup file, the data
// log, the materials files and kitforge's record hold Windows-1252; the desktop,
// the command line and the outputs for other programs (JSON, CSV, MQTT) use UTF-8.

#include <string>
#include <string_view>

namespace zelvo {

// Encodes UTF-8 text as Windows-1252. Returns false when the text is not valid
// UTF-8 or holds a character that Windows-1252 cannot hold; `refused` then receives
// that character (UTF-8) or the offending bytes. `out` is only set on success.
bool ToWindows1252(std::string_view utf8, std::string& out, std::string& refused);

// Encodes UTF-8 text as Windows-1252, putting '?' for each character that
// Windows-1252 cannot hold and for each byte that is not valid UTF-8.
std::string ToWindows1252Replacing(std::string_view utf8);

// Decodes Windows-1252 text into UTF-8. Bytes 0x80-0x9F follow the Windows-1252
// table; the five it leaves unassigned become the C1 control of the same value.
std::string FromWindows1252(std::string_view text);

// Text of either kind as UTF-8: unchanged when it is valid UTF-8 (ASCII, host
// file names, texts already converted), otherwise decoded from Windows-1252. For
// texts that may carry a name from a system file beside text of the desktop.
std::string AsUtf8(std::string_view text);

}  // namespace zelvo
