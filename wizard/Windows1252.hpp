#pragma once
// The record's single-byte text: conversion between UTF-8 (what the desktop and
// the command line deliver) and Windows-1252 (what the record and the package hold).

#include <string>
#include <string_view>

namespace kitforge {

// Encodes UTF-8 text as Windows-1252. Returns false when the text is not valid
// UTF-8 or holds a character that Windows-1252 cannot hold; `refused` then receives
// that character (UTF-8) or the offending bytes. `out` is only set on success.
bool ToWindows1252(std::string_view utf8, std::string& out, std::string& refused);

// Decodes Windows-1252 text into UTF-8 (for display and host file names).
std::string FromWindows1252(std::string_view text);

}  // namespace kitforge
