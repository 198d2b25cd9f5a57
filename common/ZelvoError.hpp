// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The run-time error type of the suite: a number and a description, shown to the
// operator as "Error: <number>. <description>" or by the error handler.

#include <stdexcept>
#include <string>

namespace zelvo {

// Error numbers used throughout the suite.
namespace err {
inline constexpr int InvalidCall = 5;           // invalid procedure call or argument
inline constexpr int Overflow = 6;              // number does not fit its variable
inline constexpr int SubscriptOutOfRange = 9;   // index outside a table
inline constexpr int DivisionByZero = 11;       // arithmetic without a finite result
inline constexpr int TypeMismatch = 13;         // text that is not the expected kind of value
inline constexpr int LibraryNotFound = 48;      // shared library cannot be loaded
inline constexpr int BadFileName = 52;          // file name not usable
inline constexpr int FileNotFound = 53;         // file does not exist
inline constexpr int DeviceIoError = 57;        // device input/output error
inline constexpr int DiskFull = 61;             // no space left
inline constexpr int PermissionDenied = 70;     // no permission
inline constexpr int PathFileAccess = 75;       // path or file access error
inline constexpr int PathNotFound = 76;         // folder does not exist
inline constexpr int EntryPointNotFound = 453;  // entry point missing from a library
}  // namespace err

class ZelvoError : public std::runtime_error {
  public:
    ZelvoError(int number, const std::string& description)
        : std::runtime_error(description), number_(number) {}
    int Number() const { return number_; }
    std::string Description() const { return what(); }

  private:
    int number_;
};

// A file-system failure described from errno (ENOENT, EACCES, ENOSPC ...).
ZelvoError FileError(int errnoValue, const std::string& path);

// "Error: <number>. <description>", the short message of the utility routines.
std::string ShortErrorText(int number, const std::string& description);

}  // namespace zelvo

namespace zelvo {
// The number and description of the exception being handled (call inside a catch
// block): ZelvoError as it is, out of memory as 7, anything else as 51 "Internal error".
ZelvoError CurrentError();
}  // namespace zelvo
