#include <gtest/gtest.h>

#include "cFilter.hpp"

using zelvo::cFilter;

TEST(cFilter, NewAndClearedFiltersAverageZero) {
    cFilter f;
    EXPECT_EQ(f.Size(), 1);
    EXPECT_EQ(f.Average(), 0);
    f.Size(3);
    f.Push(5);
    f.Clear();
    EXPECT_EQ(f.Average(), 0);
    f.Push(2);
    EXPECT_EQ(f.Average(), 2);  // counts only what was pushed after clearing
}

TEST(cFilter, WindowOfOneFollowsTheLastValue) {
    cFilter f;
    for (double x : {3.0, -1.5, 8.0}) {
        f.Push(x);
        EXPECT_EQ(f.Average(), x);
    }
}

TEST(cFilter, AveragesOnlyWhatItHasUntilFullThenTheLastN) {
    cFilter f;
    f.Size(5);
    f.Push(1);
    f.Push(2);
    f.Push(3);
    EXPECT_DOUBLE_EQ(f.Average(), 2);
    for (int i = 0; i < 5; ++i) f.Push(10);
    EXPECT_DOUBLE_EQ(f.Average(), 10);
    f.Push(15);  // the oldest 10 leaves the window
    EXPECT_DOUBLE_EQ(f.Average(), 11);
}

TEST(cFilter, GrowingAFullWindowPadsWithTheAverage) {
    cFilter f;
    f.Size(5);
    for (int i = 0; i < 5; ++i) f.Push(4);
    f.Size(10);
    EXPECT_DOUBLE_EQ(f.Average(), 4);
    for (int i = 0; i < 5; ++i) f.Push(4);  // fills slots 6..10: they held 4 already
    EXPECT_DOUBLE_EQ(f.Average(), 4);

    cFilter g;
    g.Size(5);
    for (double x : {1.0, 2.0, 3.0, 4.0, 5.0}) g.Push(x);
    g.Size(10);
    EXPECT_DOUBLE_EQ(g.Average(), 3);  // the most recent value is kept, the rate does not jump
    EXPECT_EQ(g.Last(0), 5);
}

TEST(cFilter, GrowingAWindowStillFillingKeepsItsAverage) {
    cFilter f;
    f.Size(5);
    f.Push(1);
    f.Push(2);
    f.Size(10);
    EXPECT_DOUBLE_EQ(f.Average(), 1.5);
    f.Push(3);
    EXPECT_DOUBLE_EQ(f.Average(), 2);
}

TEST(cFilter, ShrinkingKeepsTheFirstSlotsAndIsFull) {
    cFilter f;
    f.Size(5);
    for (double x : {1.0, 2.0, 3.0, 4.0}) f.Push(x);
    f.Size(2);
    EXPECT_DOUBLE_EQ(f.Average(), 1.5);  // slots 1 and 2
    f.Push(9);                           // wraps to slot 1
    EXPECT_DOUBLE_EQ(f.Average(), 5.5);
}

TEST(cFilter, SizeBelowOneChangesNothing) {
    cFilter f;
    f.Size(3);
    f.Push(6);
    f.Size(0);
    f.Size(-4);
    EXPECT_EQ(f.Size(), 3);
    EXPECT_DOUBLE_EQ(f.Average(), 6);
}

TEST(cFilter, FillMakesAFullWindowOfOneValue) {
    cFilter f;
    f.Size(4);
    f.Fill(2.5);
    EXPECT_DOUBLE_EQ(f.Average(), 2.5);
    f.Push(6.5);  // replaces slot 2
    EXPECT_DOUBLE_EQ(f.Average(), 3.5);
}

TEST(cFilter, LastGivesTheNewestValueForIndicesInRange) {
    cFilter f;
    f.Size(3);
    f.Push(1);
    f.Push(7);
    EXPECT_EQ(f.Last(0), 7);
    EXPECT_EQ(f.Last(3), 7);
    EXPECT_FALSE(f.Last(4).has_value());
    EXPECT_FALSE(f.Last(-1).has_value());
}
