// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Records that kitforge accepts, drawn from an input: the driver set and output
// kind, then typed values passed through the pages' checks in the pages' order.
// Shared by the fields fuzz target and the package check's property test. The
// input offers ConsumeBool() and ConsumeRandomLengthString(max), as libFuzzer's
// FuzzedDataProvider does.

#include <string>

#include "CWizardData.hpp"
#include "PageChecks.hpp"

namespace kitforge::fuzzing {

template <class Input>
bool ApplyPages(CWizardData& data, Input& input) {
    CompanyFields company;
    company.companyName = input.ConsumeRandomLengthString(40);
    company.abbreviation = input.ConsumeRandomLengthString(40);
    company.infPrefix = input.ConsumeRandomLengthString(12);
    company.vid = input.ConsumeRandomLengthString(6);
    company.pid = input.ConsumeRandomLengthString(6);
    if (!ApplyCompanyPage(data, company, PageMove::Next).empty()) return false;
    DeviceNameFields names;
    names.usbDeviceName = input.ConsumeRandomLengthString(80);
    names.comDeviceName = input.ConsumeRandomLengthString(80);
    if (!ApplyDeviceNamesPage(data, names, PageMove::Next).empty()) return false;
    if (SkipsInstallerPages(data)) return true;
    InstallerNameFields installer;
    installer.productName = input.ConsumeRandomLengthString(80);
    installer.installerName = input.ConsumeRandomLengthString(40);
    if (!ApplyInstallerNamesPage(data, installer, PageMove::Next).empty()) return false;
    InstallerOptionFields options = InstallerOptionsOf(data);
    options.displayInstall = input.ConsumeBool();
    options.copyFiles = input.ConsumeBool();
    options.displayUninstall = input.ConsumeBool();
    options.removeFiles = input.ConsumeBool();
    options.targetDir = input.ConsumeRandomLengthString(80);
    return ApplyInstallerOptionsPage(data, options, PageMove::Next).empty();
}

// A record of either driver set and output kind that generates into `folder`;
// false when a page refused the values drawn.
template <class Input>
bool AcceptedRecord(CWizardData& record, Input& input, const std::string& folder) {
    ChooseInstallType(record, input.ConsumeBool() ? INSTALL_VCP : INSTALL_LINKVANE);
    record.m_bGenerateInstaller = input.ConsumeBool() ? 1 : 0;
    record.m_strGenerationDir = folder;
    return ApplyPages(record, input);
}

}  // namespace kitforge::fuzzing
