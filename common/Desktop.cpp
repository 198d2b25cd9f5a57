// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Desktop.hpp"

#include "ConsoleDesktop.hpp"

namespace zelvo {
namespace {
IDesktop* installed = nullptr;
}  // namespace

IDesktop& Desktop() {
    static ConsoleDesktop console;
    return installed ? *installed : console;
}

void SetDesktop(IDesktop* desktop) {
    installed = desktop;
}

}  // namespace zelvo
