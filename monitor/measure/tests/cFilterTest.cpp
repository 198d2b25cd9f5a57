// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <vector>

#include "cFilter.hpp"

using zelvo::cFilter;

// Growing pads only a full window, with its average, and the slot of the old size
// keeps its pushed value: the rate neither jumps nor counts padding as readings.
TEST(cFilter, AveragesTheLastNValuesAndResizesWithoutAJump) {
    const struct {
        int size;
        std::vector<double> before;
        int resize;
        std::vector<double> after;
        double average;
    } cases[] = {
        {1, {3, -1.5}, 1, {}, -1.5},  // N = 1 follows the last value
        {5, {1, 2, 3}, 0, {}, 2},     // only what it has; size 0 changes nothing
        {5, {1, 2, 3}, -4, {10, 10, 10, 10, 10}, 10},
        {5, {1, 2, 3, 10, 10, 10, 10, 10}, 5, {15}, 11},  // the oldest 10 leaves the window
        {5, {4, 4, 4, 4, 4}, 10, {}, 4},
        {5, {4, 4, 4, 4, 4}, 10, {14}, 5},  // slot 6; the other nine hold 4, the window is full
        {5, {1, 2, 3, 4, 5}, 10, {}, 3},    // slot 5 keeps the newest value
        {5, {1, 2}, 10, {3}, 2},            // a window still filling is not padded
        {5, {1, 2, 3, 4}, 2, {9}, 5.5},     // shrinking keeps slots 1 and 2, now full
    };
    EXPECT_EQ(cFilter().Average(), 0);
    for (const auto& c : cases) {
        cFilter f;
        f.Size(c.size);
        for (double x : c.before) f.Push(x);
        f.Size(c.resize);
        for (double x : c.after) f.Push(x);
        EXPECT_EQ(f.Size(), c.resize < 1 ? c.size : c.resize);
        EXPECT_EQ(f.Average(), c.average)
            << c.size << " -> " << c.resize << " after " << c.after.size();
        f.Clear();
        EXPECT_EQ(f.Average(), 0);
    }
}
