// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The folder browser of the output-folder page: the folder tree, opened on the
// desktop folder (the home folder when there is none), keeping no state between
// runs. Tests replace it with a scripted one so that no real dialog opens.

#include <QString>
#include <functional>
#include <optional>

class QWidget;

namespace kitforge {

// Returns the chosen folder, or nothing when the user cancelled.
using FolderBrowser = std::function<std::optional<QString>(QWidget* owner)>;

std::optional<QString> BrowseForFolder(QWidget* owner);

// Installs `browser` in place of the platform's dialog; an empty function restores it.
void SetFolderBrowser(FolderBrowser browser);

}  // namespace kitforge
