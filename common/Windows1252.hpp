#pragma once
// The system's single-byte text (Windows-1252) and UTF-8. Setup files, the data
// log, materials files and kitforge's record hold Windows-1252; the desktop, the
// command line and the outputs for other programs (JSON, CSV, MQTT) use UTF-8.

#include <string>
#include <string_view>

namespace zelvo {

// Encodes UTF-8 text as Windows-1252. Returns false when the text is not valid
// UTF-8 or holds a character that Windows-1252 cannot hold; `refused` then receives
// that character (UTF-8) or the offending bytes. `out` is only set on success.
bool ToWindows1252(std::string_view utf8, std::string& out, std::string& refused);

// Decodes Windows-1252 text into UTF-8 (for display and host file names).
std::string FromWindows1252(std::string_view text);

}  // namespace zelvo
