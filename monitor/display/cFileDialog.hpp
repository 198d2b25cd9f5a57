// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// cFileDialog: the open and save file dialogs behind properties. The caller sets
// title, filter, default extension, start folder, initial name and option flags,
// calls Show, and reads back the chosen path and name. The dialog itself is the
// desktop's, reached through IFileChooser.

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace zelvo {

// Option flags of the callers, translated to the chooser's features.
inline constexpr int32_t kOfnOverwritePrompt = 0x2;  // ask before overwriting
inline constexpr int32_t kOfnHideReadOnly = 0x4;     // no read-only box
inline constexpr int32_t kOfnNoChangeDir = 0x8;      // the current folder stays
inline constexpr int32_t kOfnPathMustExist = 0x800;  // the folder must exist

// Buffer size of the file name and file title, characters.
inline constexpr int kFileBufferSize = 260;

// One description and pattern pair of a filter ("Setup files (*.cfg)", "*.cfg").
using FilterPair = std::pair<std::string, std::string>;

// What the desktop's dialog is asked for.
struct FileRequest {
    bool open = true;
    std::string title;
    std::vector<FilterPair> filters;
    int filterIndex = 0;  // counted from 1; 0 picks the first
    std::string defaultSuffix;
    std::string startFolder;
    std::string initialName;
    bool confirmOverwrite = false;
    bool folderMustExist = false;
    bool operator==(const FileRequest&) const = default;
};

// The desktop's file dialog: the chosen full path, or nothing when cancelled.
class IFileChooser {
  public:
    virtual ~IFileChooser() = default;
    virtual std::optional<std::string> Choose(const FileRequest& request) = 0;
};

// The installed chooser. Without one, Choose throws ZelvoError: a program
// without a desktop has no dialog to show.
IFileChooser& FileChooser();
// Installs a chooser (not owned; nullptr removes it).
void SetFileChooser(IFileChooser* chooser);

// "desc|pattern|desc|pattern" as pairs; a trailing part without its pattern is dropped.
std::vector<FilterPair> FilterPairs(const std::string& filter);
// The platform form of a filter: every "|" a NUL, two NULs appended.
std::string FilterBuffer(const std::string& filter);
// The part of a text before its first NUL.
std::string TrimNulls(const std::string& text);
// The request for the properties below.
FileRequest RequestFor(bool open, const std::string& title, const std::string& filter,
                       int32_t filterIndex, const std::string& defaultExt,
                       const std::string& initialDir, const std::string& fileName, int32_t flags);

class cFileDialog {
  public:
    std::string DefaultExt;
    std::string DialogTitle;
    std::string FileName;   // in: initial name; out: full path chosen
    std::string FileTitle;  // out: name and extension chosen, without folder
    std::string Filter;
    int32_t FilterIndex = 0;
    int32_t Flags = 0;
    int32_t hWndParent = 0;
    std::string InitialDir;
    int32_t MaxFileSize = 0;  // stored only

    // Shows the open (true) or save (false) dialog; true when a file was
    // confirmed. A cancel keeps FileName and FileTitle as they were.
    bool Show(bool open);
};

}  // namespace zelvo
