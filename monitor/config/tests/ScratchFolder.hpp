// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A scratch folder open to every user, so that tests can drop root rights in it.

#include <unistd.h>

#include <filesystem>

#include "TextFile.hpp"
#include "WithoutRootRights.hpp"

namespace zelvo::testing {

class ScratchFolder {
  public:
    explicit ScratchFolder(const std::string& tag)
        : dir_(std::filesystem::temp_directory_path() /
               ("zelvo-" + tag + "-" + std::to_string(::getpid()))) {
        std::filesystem::create_directories(dir_);
        std::filesystem::permissions(dir_, std::filesystem::perms::all);
    }
    ~ScratchFolder() { std::filesystem::remove_all(dir_); }
    std::string Path(const std::string& name) const { return (dir_ / name).string(); }
    std::string Folder() const { return dir_.string(); }
    std::string Read(const std::string& name) const { return ReadFileBytes(Path(name)); }

  private:
    std::filesystem::path dir_;
};

}  // namespace zelvo::testing
