#pragma once
// A fresh generation folder per test, the scripted desktop and the compiled-in
// data files.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "CWizardData.hpp"
#include "DataFiles.hpp"
#include "FakeDesktop.hpp"
#include "ResourceDataFiles.hpp"
#include "TextFile.hpp"

namespace kitforge::testing {

class PackageFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        root_ = std::filesystem::temp_directory_path() /
                ("kitforge-" + std::to_string(::getpid()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(root_);
        std::filesystem::create_directories(root_);
        SetDataFiles(&resources_);
    }
    void TearDown() override {
        SetDataFiles(nullptr);
        std::filesystem::permissions(root_, std::filesystem::perms::owner_all);
        std::filesystem::remove_all(root_);
    }

    // A record with the defaults of the type, generating into the test folder.
    CWizardData Record(std::uint8_t type, bool installer) const {
        CWizardData data;
        data.m_bGenerateInstaller = installer ? 1 : 0;
        data.LoadDefaults(type, "/nonexistent/");
        data.m_strGenerationDir = root_.string() + "/";
        return data;
    }

    std::string Read(const std::string& relative) const {
        return zelvo::ReadFileBytes((root_ / relative).string());
    }

    // Every regular file under the folder, relative, sorted.
    std::vector<std::string> Files() const {
        std::vector<std::string> files;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(root_)) {
            if (entry.is_regular_file())
                files.push_back(std::filesystem::relative(entry.path(), root_).string());
        }
        std::sort(files.begin(), files.end());
        return files;
    }

    std::vector<std::string> MessageTexts() const {
        std::vector<std::string> texts;
        for (const auto& m : desktop_.Messages()) texts.push_back(m.text);
        return texts;
    }

    // The committed stand-in of a data file, read independently of the program.
    static std::string StandIn(const std::string& folderName) {
        return zelvo::ReadFileBytes(std::string(KITFORGE_DATA_DIR) + "/" + folderName);
    }

    std::filesystem::path root_;
    zelvo::testing::FakeDesktop desktop_;
    ResourceDataFiles resources_;
};

// The lines of a CR LF text; fails the test when a line end is a bare LF or the
// text does not end with CR LF.
inline std::vector<std::string> CrLfLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find("\r\n", start);
        if (end == std::string::npos) {
            ADD_FAILURE() << "text does not end with CR LF";
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    for (const auto& line : lines) EXPECT_EQ(line.find('\n'), std::string::npos) << line;
    return lines;
}

}  // namespace kitforge::testing
