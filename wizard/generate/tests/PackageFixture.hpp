// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A fresh generation folder per test, the scripted desktop, the compiled-in files.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "CWizardData.hpp"
#include "DataFiles.hpp"
#include "FakeDesktop.hpp"
#include "ResourceDataFiles.hpp"
#include "TextFile.hpp"

namespace kitforge::testing {

namespace fs = std::filesystem;

class PackageFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::remove_all(root_);
        fs::create_directories(root_);
        SetDataFiles(&resources_);
    }
    void TearDown() override {
        SetDataFiles(nullptr);
        fs::permissions(root_, fs::perms::owner_all);
        fs::remove_all(root_);
    }
    // A record with the defaults of the type, generating into the test folder.
    CWizardData Record(std::uint8_t type, bool installer) const {
        CWizardData data;
        data.m_bGenerateInstaller = installer ? 1 : 0;
        data.LoadDefaults(type, "/nonexistent/");
        data.m_strGenerationDir = root_.string() + "/";
        return data;
    }
    std::string Read(const std::string& rel) const { return zelvo::ReadFileBytes(root_ / rel); }
    std::vector<std::string> Files() const {
        std::vector<std::string> files;
        for (const auto& entry : fs::recursive_directory_iterator(root_))
            if (entry.is_regular_file()) files.push_back(fs::relative(entry.path(), root_));
        std::sort(files.begin(), files.end());
        return files;
    }
    std::vector<std::string> MessageTexts() const {
        std::vector<std::string> texts;
        for (const auto& m : desktop_.Messages()) texts.push_back(m.text);
        return texts;
    }
    // The committed stand-in of a data file, read independently of the program.
    static std::string StandIn(const std::string& rel) {
        return zelvo::ReadFileBytes(std::string(KITFORGE_DATA_DIR) + "/" + rel);
    }

    const fs::path root_ = fs::temp_directory_path() /
                           ("kitforge-" + std::to_string(::getpid()) + "-" +
                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    zelvo::testing::FakeDesktop desktop_;
    ResourceDataFiles resources_;
};

}  // namespace kitforge::testing
