// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The carried materials file: every entry readable and within the parameter
// grid's limits, no name twice, and each Z factor the quartz impedance over the
// entry's stated acoustic impedance.

#include <gtest/gtest.h>

#include <cmath>

#include "MaterialLibrary.hpp"
#include "ValidationChecks.hpp"

using namespace zelvo;

namespace {

// The value to three significant figures, the precision of the quartz impedance.
double ThreeFigures(double value) {
    const double scale = std::pow(10.0, 2 - std::floor(std::log10(value)));
    return std::round(value * scale) / scale;
}

}  // namespace

TEST(CarriedMaterialsTest, EveryLineIsAMaterialWithinTheLimitsFromItsStatedImpedance) {
    const MaterialsFile file = ReadMaterialsText(CarriedMaterialsText(), "carried");
    // Skipped lines, values outside the limits and repeated names all show here.
    EXPECT_TRUE(file.problems.empty()) << ::testing::PrintToString(file.problems);
    EXPECT_GE(file.entries.size(), 60U);
    for (const Material& m : file.entries) {
        EXPECT_TRUE(m.density >= kDensityMin && m.density <= kDensityMax) << m.name;
        EXPECT_TRUE(m.zFactor >= kZFactorMin && m.zFactor <= kZFactorMax) << m.name;
        EXPECT_FALSE(m.formula.empty()) << m.name;
        ASSERT_TRUE(m.impedance) << m.name << " states no acoustic impedance";
        EXPECT_NEAR(m.zFactor, ThreeFigures(kQuartzImpedance / *m.impedance), 1e-9)
            << m.name << " (line " << m.line << ")";
    }
}
