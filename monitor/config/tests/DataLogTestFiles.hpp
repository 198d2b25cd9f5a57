#pragma once
// A scratch folder for the data-log and file-routine tests, and a guard that
// drops root's right to write any file, so that read-only files refuse writes.

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "TextFile.hpp"

namespace zelvo::testing {

class ScratchFolder {
  public:
    explicit ScratchFolder(const std::string& tag)
        : dir_(std::filesystem::temp_directory_path() /
               ("zelvo-" + tag + "-" + std::to_string(::getpid()))) {
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_);
        std::filesystem::permissions(dir_, std::filesystem::perms::all);
    }
    ~ScratchFolder() { std::filesystem::remove_all(dir_); }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    std::string Path(const std::string& name) const { return (dir_ / name).string(); }
    std::string Folder() const { return dir_.string(); }
    std::string Read(const std::string& name) const { return ReadFileBytes(Path(name)); }

  private:
    std::filesystem::path dir_;
};

// While alive, a process running as root acts as an unprivileged user.
class WithoutRootRights {
  public:
    WithoutRootRights() : wasRoot_(::geteuid() == 0) {
        if (wasRoot_ && ::seteuid(65534) != 0) wasRoot_ = false;
    }
    ~WithoutRootRights() {
        if (wasRoot_ && ::seteuid(0) != 0) std::abort();
    }
    WithoutRootRights(const WithoutRootRights&) = delete;
    WithoutRootRights& operator=(const WithoutRootRights&) = delete;

  private:
    bool wasRoot_;
};

}  // namespace zelvo::testing
