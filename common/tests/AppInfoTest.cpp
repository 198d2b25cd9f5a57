// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The application folder a program takes when no --app-dir is given.

#include <gtest/gtest.h>
#include <stdlib.h>

#include "AppInfo.hpp"

namespace zelvo {
namespace {

TEST(AppInfoTest, TheDefaultFolderIsZelvoAppDirElseTheXdgDataHomesElseHomes) {
    ::setenv("HOME", "/home/op", 1);
    ::unsetenv("ZELVO_APP_DIR");
    ::unsetenv("XDG_DATA_HOME");
    EXPECT_EQ(DefaultAppFolder(), "/home/op/.local/share/zelvomon");
    // Empty or relative, the variable is not a data folder and is passed over.
    for (const char* unusable : {"", "data"}) {
        ::setenv("XDG_DATA_HOME", unusable, 1);
        EXPECT_EQ(DefaultAppFolder(), "/home/op/.local/share/zelvomon") << unusable;
    }
    ::setenv("XDG_DATA_HOME", "/srv/data", 1);
    EXPECT_EQ(DefaultAppFolder(), "/srv/data/zelvomon");
    ::setenv("ZELVO_APP_DIR", "", 1);
    EXPECT_EQ(DefaultAppFolder(), "/srv/data/zelvomon");
    ::setenv("ZELVO_APP_DIR", "/lab/zelvo", 1);
    EXPECT_EQ(DefaultAppFolder(), "/lab/zelvo");
    ::unsetenv("ZELVO_APP_DIR");
    ::unsetenv("XDG_DATA_HOME");
}

}  // namespace
}  // namespace zelvo
