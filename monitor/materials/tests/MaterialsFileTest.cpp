// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Reading materials files: what a line must hold, what is reported, and how the
// user's file adds to and replaces the carried table.

#include <gtest/gtest.h>

#include "../../config/tests/ScratchFolder.hpp"
#include "MaterialLibrary.hpp"
#include "Strings.hpp"
#include "TextFile.hpp"

using namespace zelvo;

TEST(MaterialsFileTest, EachBadLineIsReportedWithItsNumberAndSkipped) {
    struct Case {
        const char* line;
        const char* report;  // after "my.txt, line 2: "
    };
    const Case cases[] = {
        {"Gold Au 19.3 0.381", "not a material line"},
        {"= Au; 19.3; 0.381", "not a material line"},
        {"Gold = Au; 19.3", "not a material line"},
        {"Gold = ; 19.3; 0.381", "not a material line"},
        {"Gold = Au; 19.3; 0.381; 23.18; 7", "not a material line"},
        {"Gold = Au; 19,3; 0.381", "the density is not a number"},
        {"Gold = Au; 19.3; z; 23.18", "the Z factor is not a number"},
        {"Gold = Au; 19.3; 0.381; high", "the acoustic impedance is not a number"},
        {"Gold = Au; 19.3; 0.381; -2", "not a material line"},
        {"[Elements]", "not a material line"},
        {"Gold = Au; 0.19; 0.381", "Density must be between 0.2 and 99.99."},
        {"Gold = Au; 100; 0.381", "Density must be between 0.2 and 99.99."},
        {"Gold = Au; 19.3; 0.09", "Z Factor must be between 0.1 and 9.99."},
        {"Gold = Au; 19.3; 10", "Z Factor must be between 0.1 and 9.99."},
        {"Gold;plated = Au; 19.3; 0.381",
         "Channel name must be at most 100 characters, without ; or control characters."},
    };
    for (const Case& c : cases) {
        const std::string text = std::string("Silver = Ag; 10.5; 0.529\r\n") + c.line +
                                 "\r\nCopper = Cu; 8.93; 0.437\r\n";
        const MaterialsFile file = ReadMaterialsText(text, "my.txt");
        ASSERT_EQ(file.problems.size(), 1U) << c.line;
        EXPECT_EQ(file.problems[0].rfind(std::string("my.txt, line 2: ") + c.report, 0), 0U)
            << file.problems[0];
        ASSERT_EQ(file.entries.size(), 2U) << c.line;
        EXPECT_EQ(file.entries[1].name, "Copper");
        EXPECT_EQ(file.entries[1].line, 3);
    }
}

TEST(MaterialsFileTest, GoodLinesWithCommentsBlanksAndEitherLineEnd) {
    const MaterialsFile file = ReadMaterialsText(
        "; comment\n# comment\n\n  [materials]  \n  Gold alloy  =  AuPd ;0.2; 9.99 \r\n"
        "Gold = Au; 19.3; 0.381; 23.18",
        "my.txt");
    EXPECT_TRUE(file.problems.empty());
    ASSERT_EQ(file.entries.size(), 2U);
    const Material& alloy = file.entries[0];
    EXPECT_EQ(alloy.name, "Gold alloy");
    EXPECT_EQ(alloy.formula, "AuPd");
    EXPECT_EQ(alloy.density, 0.2);  // the limits themselves are accepted
    EXPECT_EQ(alloy.zFactor, 9.99);
    EXPECT_FALSE(alloy.impedance);
    EXPECT_EQ(alloy.line, 5);
    EXPECT_EQ(file.entries[1].impedance, 23.18);
}

TEST(MaterialsFileTest, ANameGivenTwiceKeepsItsLaterEntryAndIsReported) {
    const MaterialsFile file = ReadMaterialsText(
        "Gold = Au; 19.3; 0.381\nSilver = Ag; 10.5; 0.529\nGOLD = Au; 19.32; 0.38\n", "my.txt");
    ASSERT_EQ(file.entries.size(), 2U);
    EXPECT_EQ(file.entries[0].name, "GOLD");
    EXPECT_EQ(file.entries[0].density, 19.32);
    EXPECT_EQ(file.problems,
              std::vector<std::string>{"my.txt, line 3: GOLD again, replacing line 1"});
}

TEST(MaterialsFileTest, TheUsersFileAddsToAndOverridesTheCarriedTable) {
    zelvo::testing::ScratchFolder folder("materials");
    MaterialLibrary library;
    ASSERT_FALSE(library.Load(folder.Folder()));  // no user file: the carried table alone
    const size_t carried = library.Entries().size();
    ASSERT_NE(library.Find("gold"), nullptr);
    EXPECT_EQ(library.Find("gold")->density, 19.3);

    WriteFileBytes(folder.Path("materials.txt"),
                   "gold = Au; 19.32; 0.38\r\nUnobtainium = Ub; 5; 1\r\nbad line\r\n");
    ASSERT_FALSE(library.Load(folder.Folder()));
    EXPECT_EQ(library.Entries().size(), carried + 1);
    EXPECT_EQ(library.Find("GOLD")->density, 19.32);
    EXPECT_EQ(library.Find(" Unobtainium ")->formula, "Ub");
    EXPECT_EQ(library.Problems(), std::vector<std::string>{"materials.txt, line 3: " +
                                                           std::string("not a material line "
                                                                       "(Name = Formula; Density; "
                                                                       "Z factor[; Acoustic "
                                                                       "impedance])")});
    for (size_t i = 1; i < library.Entries().size(); ++i) {
        EXPECT_LE(ToLower(library.Entries()[i - 1].name), ToLower(library.Entries()[i].name));
    }
}

TEST(MaterialsFileTest, SearchFindsNameStartsFirstThenNamesAndFormulasContainingTheText) {
    MaterialLibrary library;
    ASSERT_FALSE(library.Load("/nonexistent-folder"));
    auto names = [&](const char* typed) {
        std::vector<std::string> found;
        for (const Material* m : library.Search(typed)) found.push_back(m->name);
        return found;
    };
    EXPECT_EQ(names("TITAN"),
              (std::vector<std::string>{"Titanium", "Titanium dioxide", "Titanium nitride"}));
    EXPECT_EQ(names("tio2"), std::vector<std::string>{"Titanium dioxide"});
    EXPECT_EQ(names("gold"), std::vector<std::string>{"Gold"});
    const std::vector<std::string> nitride = names("nitride");
    EXPECT_EQ(nitride, (std::vector<std::string>{"Aluminium nitride", "Silicon nitride",
                                                 "Titanium nitride"}));
    EXPECT_EQ(names("").size(), library.Entries().size());
    EXPECT_TRUE(names("xyz").empty());
}
