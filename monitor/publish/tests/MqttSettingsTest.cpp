// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The [Mqtt] settings of a setup file as publishing takes them: a value the
// publisher cannot use is refused with its key and value named, publishing stays
// off, and the setup file keeps the value as the operator wrote it; the status line.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <tuple>
#include <vector>

#include "../../config/tests/ScratchFolder.hpp"
#include "AppInfo.hpp"
#include "FakeDesktop.hpp"
#include "MqttSettingsCheck.hpp"
#include "Settings.hpp"
#include "SweepPublishing.hpp"
#include "cErrHandler.hpp"
#include "testing/MainViewDoubles.hpp"

namespace zelvo {
namespace {

class MqttSettingsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        AppInfo app;
        app.folder = folder_.Folder();
        SetAppInfo(app);
        ErrHandler().Destination(folder_.Path("ERRORS.TXT"));
    }
    // The settings of a setup file whose [Mqtt] section holds the lines.
    MainState Read(const std::string& section) {
        WriteFileBytes(folder_.Path("lab.cfg"), section);
        MainState state;
        IniRead(state, window_, "lab.cfg");
        return state;
    }
    void PasswordFile(mode_t mode) {
        WriteFileBytes(folder_.Path("pw.txt"), "s3cret word\r\nnot this\r\n");
        ASSERT_EQ(::chmod(folder_.Path("pw.txt").c_str(), mode), 0);
    }

    testing::FakeDesktop desktop_;
    testing::ScratchFolder folder_{"mqtt"};
    testing::RecordingWindow window_;
};

TEST_F(MqttSettingsTest, RefusedSettingsKeepPublishingOffAndStayInTheSetupFileAsWritten) {
    const std::string topic300 = "lab/" + std::string(296, 't');
    const std::string notFound = " cannot be read: No such file or directory";
    // The case's own lines come first: the first of two equal keys decides.
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"Port=0", "Port=0 is not a port (1 to 65535)"},
        {"Port=abc", "Port=abc is not a port (1 to 65535)"},
        {"Topic=lab/+/x", "Topic=lab/+/x is not a topic (no \"+\", \"#\" or NUL)"},
        {std::string("Topic=lab\0x", 11),
         "Topic=lab\\x00x is not a topic (no \"+\", \"#\" or NUL)"},
        {"Topic=" + topic300, "Topic=" + topic300.substr(0, 60) +
                                  "... is 300 characters long, more than the 253 a setup file's "
                                  "value holds"},
        {"Qos=2", "Qos=2 is not 0 or 1"},
        {"KeepAlive=2", "KeepAlive=2 is not a number of seconds (5 to 65535)"},
        {"Tls=1\r\nCaFile=ca.pem", "CaFile=ca.pem" + notFound},
        {"Username=op\r\nPasswordFile=pw.txt", "PasswordFile=pw.txt" + notFound},
        {"Username=op\r\nPassword=s3cret",
         "Password is refused: a password does not belong in the setup file; put it in a file "
         "readable only by its owner and name that file with PasswordFile"},
    };
    for (const auto& [lines, refusal] : cases) {
        const std::string section = "[Mqtt]\r\n" + lines + "\r\nEnabled=1\r\n";
        const MainState state = Read(section);
        SweepPublishing publishing;
        const auto failure = publishing.Apply(state, "lab.cfg");
        EXPECT_EQ(failure ? failure->Description() : "", "[Mqtt] " + refusal);
        EXPECT_FALSE(publishing.Active()) << lines;
        EXPECT_TRUE(desktop_.Messages().empty()) << lines;  // not a failure of the reading

        ASSERT_TRUE(IniWrite(state, "lab.cfg"));
        const std::string written = folder_.Read("lab.cfg");
        EXPECT_TRUE(written.starts_with(section)) << written;
        EXPECT_NE(written.find("\r\nKeyFile=\r\n"), std::string::npos);  // the table's last
    }
}

TEST_F(MqttSettingsTest, ThePasswordFileIsReadableOnlyByItsOwnerAndGivesItsFirstLine) {
    const MainState state =
        Read("[Mqtt]\r\nEnabled=1\r\nHost=\r\nUsername=op\r\nPasswordFile=pw.txt\r\n");
    for (mode_t open : {0640, 0604}) {
        PasswordFile(open);
        EXPECT_EQ(CheckMqttSettings(state, "lab.cfg").refusal,
                  "[Mqtt] PasswordFile=pw.txt may be read by others than its owner (make it "
                  "readable only by its owner: chmod 600)");
    }
    PasswordFile(0600);
    const MqttSettingsCheck check = CheckMqttSettings(state, "lab.cfg");
    ASSERT_TRUE(check.on) << check.refusal;
    EXPECT_EQ(std::tie(check.settings.host, check.settings.username, check.settings.password),
              std::make_tuple("localhost", "op", "s3cret word"));  // an empty Host is the default
    PasswordFile(0200);
    {
        testing::WithoutRootRights asUser;
        EXPECT_EQ(CheckMqttSettings(state, "lab.cfg").refusal,
                  "[Mqtt] PasswordFile=pw.txt cannot be read: Permission denied");
    }

    // The client id: letters and digits, the same after a restart, another for another file.
    const std::string& id = check.settings.clientId;
    EXPECT_TRUE(id.size() <= 23 && std::all_of(id.begin(), id.end(), ::isalnum)) << id;
    EXPECT_EQ(CheckMqttSettings(state, "lab.cfg").settings.clientId, id);
    EXPECT_NE(CheckMqttSettings(state, "other.cfg").settings.clientId, id);
}

}  // namespace
}  // namespace zelvo
