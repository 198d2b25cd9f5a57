// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One scratch folder per fuzzing process, made on first use and reused by every
// input (files in it are replaced, never accumulated).
#include <unistd.h>

#include <filesystem>
#include <string>

#include "FuzzCheck.hpp"

namespace zelvo::fuzz {

class Scratch {
  public:
    explicit Scratch(const std::string& tag)
        : dir_(std::filesystem::temp_directory_path() /
               ("zelvo-fuzz-" + tag + "-" + std::to_string(::getpid()))) {
        std::error_code error;
        std::filesystem::create_directories(dir_, error);
        Check(!error, "scratch folder " + dir_.string() + ": " + error.message());
    }
    ~Scratch() {
        std::error_code error;  // a folder left behind in the temporary folder harms nothing
        std::filesystem::remove_all(dir_, error);
    }
    std::string Folder() const { return dir_.string(); }
    std::string Path(const std::string& name) const { return (dir_ / name).string(); }

  private:
    std::filesystem::path dir_;
};

// The process's scratch folder, removed when the fuzzer exits normally.
inline const Scratch& ScratchFolder(const std::string& tag) {
    static const Scratch scratch(tag);
    return scratch;
}

}  // namespace zelvo::fuzz
