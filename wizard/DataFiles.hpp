// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The thirteen carried data files: their numbers, the names they are written
// under, their sizes, and where their bytes come from. The program installs a
// provider (the compiled-in resources, or a folder given with --data-dir); the
// package sequence reads through DataFiles().

#include <array>
#include <cstddef>
#include <optional>
#include <string>

#include "ZelvoError.hpp"

namespace kitforge {

struct DataFileInfo {
    int number;
    // Name as written into the package and listed in setup.ini (".\x86\ostxbus.sys");
    // empty for the installer program, which takes the user's installer name.
    const char* writtenName;
    // Name of the file inside a data folder (--data-dir) and in wizard/data/.
    const char* folderName;
    // Size of the carried stand-in in bytes.
    std::size_t size;
};

inline constexpr int kInstallerDataFile = 234;

const std::array<DataFileInfo, 13>& DataFileTable();
// The entry of a number, or nullptr when no data file has that number.
const DataFileInfo* FindDataFile(int number);

class IDataFiles {
  public:
    virtual ~IDataFiles() = default;
    // Reads all bytes of data file `number` into `bytes`; empty on success, else the
    // failure, whose description says what could not be read.
    virtual std::optional<zelvo::ZelvoError> Read(int number, std::string& bytes) = 0;
};

// The installed provider (nullptr until one is installed; not owned).
IDataFiles* DataFiles();
void SetDataFiles(IDataFiles* provider);

// Reads data files from a folder laid out like wizard/data/: x86/..., x64/...,
// installer.exe.
class FolderDataFiles : public IDataFiles {
  public:
    explicit FolderDataFiles(std::string folder) : folder_(std::move(folder)) {}
    std::optional<zelvo::ZelvoError> Read(int number, std::string& bytes) override;

  private:
    std::string folder_;
};

}  // namespace kitforge
