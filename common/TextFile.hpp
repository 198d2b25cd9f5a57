// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// 8-bit text files with CR LF line ends and no byte-order mark. Every write is
// complete or reported: failures throw ZelvoError with the system's reason.

#include <string>
#include <vector>

namespace zelvo {

inline constexpr const char* kCrLf = "\r\n";

// Lines joined with CR LF after each line (also after the last).
std::string JoinLinesCrLf(const std::vector<std::string>& lines);

// Replaces the file's content with the bytes given.
void WriteFileBytes(const std::string& path, const std::string& bytes);

// Appends the bytes to the file, creating it when missing. The bytes are written
// in one piece; on failure the file is cut back to its previous length so that
// no half-written line remains.
void AppendFileBytes(const std::string& path, const std::string& bytes);

// Writes all bytes to an open file descriptor at its offset, going on after
// interrupted and partial writes; 0 or the errno of the failure.
int WriteAllBytes(int fd, const std::string& bytes);

// Reads the whole file; throws ZelvoError when it cannot be read.
std::string ReadFileBytes(const std::string& path);

bool FileExists(const std::string& path);  // a regular file (or a link to one)
bool DirectoryExists(const std::string& path);
// Deletes a file; true when it is gone afterwards (also when it never existed).
bool RemoveFile(const std::string& path);

}  // namespace zelvo
