// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A broken invariant in a fuzz target: the message and the input's position go to
// standard error and the process aborts, so that libFuzzer keeps the reproducer.
#include <cstdio>
#include <cstdlib>
#include <string>

namespace zelvo::fuzz {

[[noreturn]] inline void Broken(const std::string& what) {
    std::fprintf(stderr, "invariant broken: %s\n", what.c_str());
    std::abort();
}

inline void Check(bool holds, const std::string& what) {
    if (!holds) Broken(what);
}

}  // namespace zelvo::fuzz
