// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileReplace.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>

#include "TextFile.hpp"

namespace zelvo {
namespace {

// The file a path finally names: links followed, or the path itself when it
// names nothing yet.
std::string TargetOf(const std::string& path) {
    char resolved[PATH_MAX];
    if (::realpath(path.c_str(), resolved) == nullptr) return path;
    return resolved;
}

// The mode of a file created anew: read and write for all, less the umask.
mode_t NewFileMode() {
    mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Makes a rename in the folder of `path` survive a power cut: until the folder
// itself is written out, the old name may come back. 0 or the errno; a file
// system that cannot sync folders (EINVAL) has nothing to write out.
int SyncFolderOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return errno;
    const int error = ::fsync(fd) == 0 || errno == EINVAL ? 0 : errno;
    return ::close(fd) == 0 ? error : (error != 0 ? error : errno);
}

// What became of a replacement through a new file.
struct Outcome {
    bool prepared = false;  // false: the new file could not be prepared, nothing changed
    int error = 0;          // errno of the failure, 0 when done
};

// A new file beside the target that takes its place once complete. `old` is the
// target's status, or null when there is no target yet.
Outcome ReplaceThroughNewFile(const std::string& target, const std::string& bytes,
                              const struct stat* old) {
    std::string temp = target + ".tmp-XXXXXX";
    int fd = ::mkstemp(temp.data());
    if (fd < 0) return {false, errno};
    auto discard = [&](bool prepared, int error) {
        ::close(fd);
        ::unlink(temp.c_str());
        return Outcome{prepared, error};
    };
    // Without the old owner the new file would change hands: then it is not used.
    if (old != nullptr && ::fchown(fd, old->st_uid, old->st_gid) != 0) {
        return discard(false, errno);
    }
    if (::fchmod(fd, old != nullptr ? (old->st_mode & 07777) : NewFileMode()) != 0) {
        return discard(false, errno);
    }
    if (int error = WriteAllBytes(fd, bytes); error != 0) return discard(true, error);
    if (::fsync(fd) != 0) return discard(true, errno);
    int error = ::close(fd) == 0 ? 0 : errno;
    if (error == 0 && ::rename(temp.c_str(), target.c_str()) != 0) error = errno;
    if (error != 0) {
        ::unlink(temp.c_str());
        return {true, error};
    }
    return {true, SyncFolderOf(target)};
}

// Rewrites the existing file in place once the space for the new content is
// reserved; 0 or the errno of the failure.
int RewriteInPlace(const std::string& target, const std::string& bytes) {
    // Read access too: where the file system cannot reserve space itself, the
    // reservation reads each block before it writes a zero into an empty one.
    int fd = ::open(target.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0) return errno;
    int error = bytes.empty() ? 0 : ::posix_fallocate(fd, 0, static_cast<off_t>(bytes.size()));
    if (error == 0) error = WriteAllBytes(fd, bytes);
    if (error == 0 && ::ftruncate(fd, static_cast<off_t>(bytes.size())) != 0) error = errno;
    if (::close(fd) != 0 && error == 0) error = errno;
    return error;
}

}  // namespace

std::optional<ZelvoError> ReplaceFileContent(const std::string& path, const std::string& bytes) {
    const std::string target = TargetOf(path);
    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (!exists && errno != ENOENT) return FileError(errno, path);
    if (exists && !S_ISREG(old.st_mode)) return FileError(EISDIR, path);
    Outcome outcome = ReplaceThroughNewFile(target, bytes, exists ? &old : nullptr);
    if (!outcome.prepared && exists) outcome.error = RewriteInPlace(target, bytes);
    if (outcome.error != 0) return FileError(outcome.error, path);
    return std::nullopt;
}

}  // namespace zelvo
