// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ZelvoError.hpp"

#include <cerrno>
#include <cstring>
#include <new>

namespace zelvo {

ZelvoError FileError(int errnoValue, const std::string& path) {
    int number = err::PathFileAccess;
    switch (errnoValue) {
        case ENOENT:
            number = err::FileNotFound;
            break;
        case ENOTDIR:
            number = err::PathNotFound;
            break;
        case EACCES:
        case EPERM:
        case EROFS:
            number = err::PermissionDenied;
            break;
        case ENOSPC:
        case EDQUOT:
            number = err::DiskFull;
            break;
        case ENAMETOOLONG:
            number = err::BadFileName;
            break;
        case EIO:
            number = err::DeviceIoError;
            break;
        default:
            break;
    }
    std::string text = std::strerror(errnoValue);
    if (!path.empty()) text += ": " + path;
    return ZelvoError(number, text);
}

std::string ShortErrorText(int number, const std::string& description) {
    return "Error: " + std::to_string(number) + ". " + description;
}

}  // namespace zelvo

namespace zelvo {
ZelvoError CurrentError() {
    try {
        throw;
    } catch (const ZelvoError& e) {
        return e;
    } catch (const std::bad_alloc&) {
        return ZelvoError(7, "Out of memory");
    } catch (const std::exception& e) {
        return ZelvoError(51, std::string("Internal error: ") + e.what());
    } catch (...) {
        return ZelvoError(51, "Internal error");
    }
}
}  // namespace zelvo
