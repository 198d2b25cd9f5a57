// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "QtFileChooser.hpp"

#include <QDir>
#include <QFileDialog>

#include "Accessibility.hpp"
#include "QtText.hpp"

namespace zelvo::qt {

std::optional<std::string> QtFileChooser::Choose(const FileRequest& request) {
    QFileDialog dialog(owner_, Q(request.title), Q(request.startFolder));
    dialog.setObjectName("cFileDialog");
    dialog.setAcceptMode(request.open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog.setFileMode(request.open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    QStringList filters;
    for (const FilterPair& pair : request.filters) {
        // The description already names its patterns, as in "Setup files (*.cfg)".
        const QString description = Q(pair.first);
        const QString patterns = Q(pair.second).replace(';', ' ');
        filters << (description.contains('(') ? description : description + " (" + patterns + ")");
    }
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        const int index = request.filterIndex >= 1 ? request.filterIndex - 1 : 0;
        if (index < filters.size()) dialog.selectNameFilter(filters[index]);
    }
    dialog.setDefaultSuffix(Q(request.defaultSuffix));
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
    if (!request.initialName.empty()) dialog.selectFile(Q(request.initialName));
    NameControlsFromToolTips(&dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    const QString chosen = dialog.selectedFiles().front();
    // The folder must exist: the dialog only offers existing folders, but a typed
    // path can name a missing one.
    if (request.folderMustExist && !QFileInfo(chosen).dir().exists()) return std::nullopt;
    return S(QDir::toNativeSeparators(chosen));
}

}  // namespace zelvo::qt
