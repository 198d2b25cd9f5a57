// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The three INF generators of the record.

#include "CWizardData.hpp"
#include "InfTemplates.hpp"
#include "PackageFiles.hpp"

namespace kitforge {

bool CWizardData::WriteBusInf() const {
    return WritePackageFile(PackagePath(*this, m_strInfPrefix + "bus.inf"),
                            FillInfTemplate(kBusInfTemplate, *this));
}

bool CWizardData::WriteSerialInf() const {
    return WritePackageFile(PackagePath(*this, m_strInfPrefix + "w2k.inf"),
                            FillInfTemplate(kSerialInfTemplate, *this));
}

bool CWizardData::WriteLinkvaneInf() const {
    return WritePackageFile(PackagePath(*this, m_strInfPrefix + ".inf"),
                            FillInfTemplate(kLinkvaneInfTemplate, *this));
}

}  // namespace kitforge
