// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "DataFiles.hpp"

#include "TextFile.hpp"
#include "ZelvoError.hpp"

namespace kitforge {
namespace {
IDataFiles* installed = nullptr;
}  // namespace

const std::array<DataFileInfo, 13>& DataFileTable() {
    static const std::array<DataFileInfo, 13> table = {{
        {222, ".\\x86\\ostxbus.sys", "x86/ostxbus.sys", 58368},
        {221, ".\\x86\\ostxcmnt.sys", "x86/ostxcmnt.sys", 5504},
        {227, ".\\x86\\ostxser.sys", "x86/ostxser.sys", 75776},
        {233, ".\\x86\\ostxwhnt.sys", "x86/ostxwhnt.sys", 5504},
        {239, ".\\x64\\ostxbus.sys", "x64/ostxbus.sys", 79872},
        {240, ".\\x64\\ostxcmnt.sys", "x64/ostxcmnt.sys", 8192},
        {241, ".\\x64\\ostxser.sys", "x64/ostxser.sys", 103936},
        {242, ".\\x64\\ostxwhnt.sys", "x64/ostxwhnt.sys", 8704},
        {238, ".\\x86\\Vdlink.sys", "x86/Vdlink.sys", 14848},
        {237, ".\\x86\\Vdcore.sys", "x86/Vdcore.sys", 18944},
        {236, ".\\x64\\Vdlink.sys", "x64/Vdlink.sys", 16384},
        {235, ".\\x64\\Vdcore.sys", "x64/Vdcore.sys", 24576},
        {234, "", "installer.exe", 298632},
    }};
    return table;
}

const DataFileInfo* FindDataFile(int number) {
    for (const DataFileInfo& info : DataFileTable()) {
        if (info.number == number) return &info;
    }
    return nullptr;
}

IDataFiles* DataFiles() {
    return installed;
}
void SetDataFiles(IDataFiles* provider) {
    installed = provider;
}

std::optional<zelvo::ZelvoError> FolderDataFiles::Read(int number, std::string& bytes) {
    const DataFileInfo* info = FindDataFile(number);
    if (info == nullptr) {
        return zelvo::ZelvoError(zelvo::err::SubscriptOutOfRange,
                                 "there is no data file " + std::to_string(number));
    }
    std::string path = folder_;
    if (path.empty() || path.back() != '/') path += '/';
    path += info->folderName;
    try {
        bytes = zelvo::ReadFileBytes(path);
    } catch (const zelvo::ZelvoError& error) {
        return error;  // its description names the path
    }
    return std::nullopt;
}

}  // namespace kitforge
