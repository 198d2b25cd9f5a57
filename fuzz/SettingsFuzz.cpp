// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The settings over any setup file: the fuzzer's bytes are read as a setup file
// and the settings are written to a new file. What IniWrite wrote, IniRead must
// read back without a failure report, and writing that again must give the same
// file and the same values (names, serial numbers, material, crystal limits).
// When the first write reported nothing, the names, serial numbers and limits
// are those of the fuzzer's file, and the material differs by no more than the
// rounding of its written form.
#include <cmath>
#include <cstdint>
#include <string>
#include <tuple>

#include "AppInfo.hpp"
#include "FakeDesktop.hpp"
#include "FuzzCheck.hpp"
#include "FuzzFolder.hpp"
#include "Settings.hpp"
#include "TextFile.hpp"
#include "cErrHandler.hpp"
#include "testing/MainViewDoubles.hpp"

namespace {

using zelvo::MainState;
using zelvo::fuzz::Check;

// Doubles compared as written and read: equal, or both not a number.
bool Same(double a, double b) {
    return a == b || (std::isnan(a) && std::isnan(b));
}

// Equal up to the rounding of a value written in steps of `step`.
bool Near(double a, double b, double step) {
    return Same(a, b) || std::fabs(a - b) <= step / 2 * (1 + 1e-9) + std::fabs(a) * 1e-12;
}

template <class Table, class Compare>
bool Tables(const Table& a, const Table& b, Compare compare) {
    for (size_t i = 0; i < a.size(); ++i) {
        if (!compare(a[i], b[i])) return false;
    }
    return true;
}

// The values a setup file restores, compared with `near` for the material.
void CheckSameValues(const MainState& a, const MainState& b, double step, const char* what) {
    const std::string context = std::string(what) + ": ";
    Check(a.ChannelName == b.ChannelName, context + "channel names differ");
    Check(a.ChannelSerial == b.ChannelSerial, context + "serial numbers differ");
    auto near = [step](double x, double y) { return Near(x, y, step); };
    auto nearTooling = [step](double x, double y) { return Near(x, y, step * 10); };
    Check(Tables(a.ChannelDensity, b.ChannelDensity, near), context + "densities differ");
    Check(Tables(a.ChannelZFactor, b.ChannelZFactor, near), context + "Z factors differ");
    Check(Tables(a.ChannelTooling, b.ChannelTooling, nearTooling), context + "tooling differs");
    Check(Same(a.FreqMax, b.FreqMax) && Same(a.FreqMin, b.FreqMin) && Same(a.FreqInit, b.FreqInit),
          context + "crystal limits differ");
    Check(std::tie(a.RunNum, a.Units, a.ShowLast, a.LogEnabled, a.LogType, a.LogFile) ==
              std::tie(b.RunNum, b.Units, b.ShowLast, b.LogEnabled, b.LogType, b.LogFile),
          context + "run and log settings differ");
}

std::string Reports(const zelvo::testing::FakeDesktop& desktop) {
    std::string text;
    for (const auto& message : desktop.Messages())
        text += message.title + ": " + message.text + "\n";
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const zelvo::fuzz::Scratch& folder = zelvo::fuzz::ScratchFolder("settings");
    zelvo::testing::FakeDesktop desktop;
    zelvo::AppInfo app;
    app.folder = folder.Folder();
    zelvo::SetAppInfo(app);
    zelvo::ErrHandler().Destination(folder.Path("ERRORS.TXT"));
    Check(zelvo::RemoveFile(folder.Path("ERRORS.TXT")),
          "cannot remove ERRORS.TXT");  // reports of earlier inputs
    zelvo::testing::RecordingWindow window;

    zelvo::WriteFileBytes(folder.Path("in.cfg"),
                          std::string(reinterpret_cast<const char*>(data), size));
    Check(zelvo::RemoveFile(folder.Path("first.cfg")), "cannot remove first.cfg");
    Check(zelvo::RemoveFile(folder.Path("second.cfg")), "cannot remove second.cfg");
    MainState read;
    zelvo::IniRead(read, window, "in.cfg");
    desktop.ClearMessages();
    const bool firstWritten = zelvo::IniWrite(read, "first.cfg");
    const bool firstReported = !desktop.Messages().empty();
    Check(firstWritten || firstReported, "a write failed without a report");
    desktop.ClearMessages();

    MainState back;
    zelvo::IniRead(back, window, "first.cfg");
    Check(desktop.Messages().empty(), "reading the written file failed:\n" + Reports(desktop));
    Check(zelvo::IniWrite(back, "second.cfg") && desktop.Messages().empty(),
          "writing what was read back failed:\n" + Reports(desktop));
    // A key the first write refused (reported) is missing from its file and
    // written the second time; otherwise both files are the same.
    Check(firstReported || zelvo::ReadFileBytes(folder.Path("first.cfg")) ==
                               zelvo::ReadFileBytes(folder.Path("second.cfg")),
          "the settings read back are written differently");
    MainState again;
    zelvo::IniRead(again, window, "second.cfg");
    Check(desktop.Messages().empty(), "reading the second file failed:\n" + Reports(desktop));
    CheckSameValues(back, again, 0, "read back twice");
    // Material is written in thousandths (tooling in hundredths of a percent).
    if (!firstReported) CheckSameValues(read, back, 0.001, "read back");
    return 0;
}
