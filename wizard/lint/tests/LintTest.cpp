// SPDX-License-Identifier: GPL-3.0-or-later
// The package check over packages that kitforge writes: each clean, and each
// broken by hand in one place found at its file and line.

#include <gtest/gtest.h>

#include <functional>
#include <random>

#include "KitforgePageInput.hpp"
#include "PackageFixture.hpp"
#include "PackageLint.hpp"
#include "Strings.hpp"

namespace fs = std::filesystem;
using namespace kitforge;

namespace {

class Lint : public kitforge::testing::PackageFixture {
  protected:
    void Write(CWizardData record) {
        fs::remove_all(root_);
        fs::create_directories(root_);
        ASSERT_TRUE(GeneratePackage(record)) << zelvo::Split(MessageTexts().back(), '\n')[0];
    }
    // The report's lines without the count line.
    std::vector<std::string> Problems() {
        lint::LintReport report;
        EXPECT_FALSE(lint::LintFolder(root_.string(), report));
        std::vector<std::string> lines = zelvo::Split(lint::FormatText(report), '\n');
        lines.resize(lines.size() - 2);
        return lines;
    }
    void Edit(const std::string& file, const std::string& from, const std::string& to,
              bool all = false) {
        std::string bytes = Read(file);
        std::size_t at = bytes.find(from);
        ASSERT_NE(at, std::string::npos) << file << ": " << from;
        for (; at != std::string::npos; at = all ? bytes.find(from, at + to.size()) : at) {
            bytes.replace(at, from.size(), to);
            if (!all) break;
        }
        zelvo::WriteFileBytes((root_ / file).string(), bytes);
    }
    void Move(const std::string& from, const std::string& to) {
        fs::rename(root_ / from, root_ / to);
    }
};

// Draws typed values as a person or a script might type them: a third four
// characters long (a VID's length), half of them hexadecimal digits, the rest
// from characters the INF files and setup.ini treat specially, now and then a
// control character that the pages refuse.
class RandomInput {
  public:
    explicit RandomInput(unsigned seed) : random_(seed) {}
    bool ConsumeBool() { return random_() % 2 == 0; }
    std::string ConsumeRandomLengthString(std::size_t max) {
        static const std::vector<std::string> pool = {
            "a",       "Z", "0", " ", "\t", "\"", "%", ";", ",",        "=",
            "\\",      "/", "[", "]", "&",  "$",  ".", "#", "\xC3\xA9", "\xE2\x82\xAC",
            "\xC2\xA0"};
        const std::size_t length =
            random_() % 3 == 0 ? std::min<std::size_t>(4, max) : random_() % (max + 1);
        const bool hex = ConsumeBool();
        std::string out;
        for (std::size_t i = 0; i < length; ++i) {
            if (random_() % 200 == 0) {
                out += "\xC2\x81";
            } else {
                out += hex ? std::string(1, "0123456789abcdef"[random_() % 16])
                           : pool[random_() % pool.size()];
            }
        }
        return out;
    }

  private:
    std::mt19937 random_;
};

}  // namespace

TEST_F(Lint, EveryPackageKitforgeWritesIsClean) {
    for (std::uint8_t type : {INSTALL_VCP, INSTALL_LINKVANE}) {
        for (int variant = 0; variant < 3; ++variant) {  // INF files only; copying or not
            CWizardData record = Record(type, variant != 0);
            record.m_bCopyFiles = variant == 1 ? 1 : 0;
            Write(record);
            EXPECT_EQ(Problems(), std::vector<std::string>()) << int(type) << "/" << variant;
        }
    }
    RandomInput input(7);
    int accepted = 0;
    for (int draw = 0; draw < 20000 && accepted < 100; ++draw) {
        CWizardData record;
        if (!fuzzing::AcceptedRecord(record, input, root_.string() + "/")) continue;
        ++accepted;
        Write(record);
        ASSERT_EQ(Problems(), std::vector<std::string>())
            << "company " << record.m_strCompanyName << ", INF " << record.m_strInfPrefix
            << ", USB " << record.m_strUsbDeviceName << ", product " << record.m_strProductName;
    }
    EXPECT_EQ(accepted, 100);
}
