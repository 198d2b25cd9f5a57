// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// File routines of the monitor: appending a line to a text file, deleting a file,
// splitting a path into folder and name, the short display form of a path, and
// opening a document in its associated program. Unexpected failures are shown as
// "Error: <number>. <description>" titled with the routine's name.

#include <optional>
#include <string>

#include "ZelvoError.hpp"

namespace zelvo {

// Titles of the routines' failure messages.
inline constexpr const char* kAppendToTextFileTitle = "AppendToTextFile";
inline constexpr const char* kKillFileTitle = "KillFile";
inline constexpr const char* kLaunchDocumentTitle = "LaunchDocument";
// Registration name of ShowFileName with the error handler.
inline constexpr const char* kShowFileNameProc = "modUtil_ShowFileName";

// Appends the text and CR LF in one write, creating the file when missing. On
// failure nothing of the line remains in the file and the failure is returned.
std::optional<ZelvoError> TryAppendLine(const std::string& path, const std::string& text);

// TryAppendLine that shows a failure titled "AppendToTextFile"; true when written.
bool AppendToTextFile(const std::string& path, const std::string& text);

// Deletes the file. A missing file or one in use is passed over; any other failure
// is shown titled "KillFile". Always true.
bool KillFile(const std::string& path);

// The text after the last "/"; the whole text when there is none.
std::string GetNamePart(const std::string& path);
// The text up to and including the last "/"; "" when there is none.
std::string GetPathPart(const std::string& path);

// True when the path names a file directly inside the application folder.
bool IsInAppFolder(const std::string& path);

// Short display form: the bare name for a file in the application folder or
// without folder; else the first 10 characters, ".../" and the name for a path of
// 31 characters or more; else the path unchanged.
std::string ShowFileName(const std::string& path);

// Asks the desktop to open the file in its associated program. A relative file is
// taken in `folder`, or in the current folder when `folder` is empty. A refusal is
// shown titled "LaunchDocument"; true when the desktop opened it.
bool LaunchDocument(const std::string& file, const std::string& folder);

}  // namespace zelvo
