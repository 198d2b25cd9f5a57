// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// A shared library for LD_PRELOAD that makes one file's disk fill up: writes to
// files whose name is ZELVO_DISKFULL_NAME take ZELVO_DISKFULL_FREE bytes in all,
// the write that crosses that point writes what fits, and the following writes
// fail with ENOSPC. After ZELVO_DISKFULL_REFUSALS refused writes, space returns
// and every later write succeeds. Writes to other files are not touched.
#include <dlfcn.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

using WriteFn = ssize_t (*)(int, const void*, size_t);

long long Setting(const char* name, long long fallback) {
    const char* text = std::getenv(name);
    return text != nullptr && *text != '\0' ? std::atoll(text) : fallback;
}

bool IsTargetFile(int fd) {
    const char* name = std::getenv("ZELVO_DISKFULL_NAME");
    if (name == nullptr || *name == '\0') return false;
    char link[64];
    std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    char path[PATH_MAX];
    const ssize_t length = ::readlink(link, path, sizeof path - 1);
    if (length <= 0) return false;
    path[length] = '\0';
    const char* base = std::strrchr(path, '/');
    return std::strcmp(base != nullptr ? base + 1 : path, name) == 0;
}

long long freeBytes = -1;  // -1 until the first write to the file
long long refusalsLeft = 0;

}  // namespace

extern "C" __attribute__((visibility("default"))) ssize_t write(int fd, const void* buffer,
                                                                size_t count) {
    static const auto realWrite = reinterpret_cast<WriteFn>(::dlsym(RTLD_NEXT, "write"));
    if (!IsTargetFile(fd)) return realWrite(fd, buffer, count);
    if (freeBytes < 0) {
        freeBytes = Setting("ZELVO_DISKFULL_FREE", LLONG_MAX);
        refusalsLeft = Setting("ZELVO_DISKFULL_REFUSALS", LLONG_MAX);
    }
    if (refusalsLeft <= 0) return realWrite(fd, buffer, count);  // space has returned
    if (freeBytes == 0) {
        --refusalsLeft;
        errno = ENOSPC;
        return -1;
    }
    const size_t fits = count < static_cast<size_t>(freeBytes) ? count : freeBytes;
    const ssize_t written = realWrite(fd, buffer, fits);
    if (written > 0) freeBytes -= written;
    return written;
}
