#pragma once
// A scratch folder for the data-log and file-routine tests, and a guard under
// which a test running as root acts as an unprivileged user, so that read-only
// files refuse writes.

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "TextFile.hpp"

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

class WithoutRootRights {
  public:
    WithoutRootRights() : wasRoot_(::geteuid() == 0 && ::seteuid(65534) == 0) {}
    ~WithoutRootRights() {
        if (wasRoot_ && ::seteuid(0) != 0) std::abort();
    }

  private:
    bool wasRoot_;
};

}  // namespace zelvo::testing
