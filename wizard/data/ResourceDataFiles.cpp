// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ResourceDataFiles.hpp"

#include <QFile>
#include <QString>

// Q_INIT_RESOURCE must be used outside any namespace.
static void InitKitforgeDataResources() {
    Q_INIT_RESOURCE(kitforge_data);
}

namespace kitforge {

ResourceDataFiles::ResourceDataFiles() {
    static const bool registered = [] {
        InitKitforgeDataResources();
        return true;
    }();
    (void)registered;
}

std::optional<zelvo::ZelvoError> ResourceDataFiles::Read(int number, std::string& bytes) {
    QFile file(QStringLiteral(":/DATAFILE/%1").arg(number));
    if (!file.open(QIODevice::ReadOnly)) {
        return zelvo::ZelvoError(zelvo::err::FileNotFound, "data file " + std::to_string(number) +
                                                               " is not compiled into the program");
    }
    QByteArray data = file.readAll();
    bytes.assign(data.constData(), static_cast<std::size_t>(data.size()));
    return std::nullopt;
}

}  // namespace kitforge
