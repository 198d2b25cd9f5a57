// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The ports discovery skipped, on the console: each is said once on standard
// error (a discovery message may already have named it), and a run whose
// displayed channels could not be opened because their ports are held by another
// program is not started.

#include <iosfwd>
#include <string>
#include <vector>

#include "Desktop.hpp"
#include "MainView.hpp"

namespace zelvo::cli {

// From its creation it stands in front of the installed desktop, which does the
// work, and keeps the texts of the messages shown.
class ConsolePorts : public IDesktop {
  public:
    explicit ConsolePorts(MainContext& ctx);
    // Puts the desktop it stood in front of back.
    ~ConsolePorts() override;
    ConsolePorts(const ConsolePorts&) = delete;
    ConsolePorts& operator=(const ConsolePorts&) = delete;

    // After discovery: tells on `err` the skipped ports no message named and steps
    // aside. False, said on `err`, when no displayed channel with a serial number
    // is present and a skipped port is in use by another program.
    bool AllowRun(std::ostream& err);

    MsgResult MessageBox(const std::string& text, const std::string& title, MsgButtons buttons,
                         MsgIcon icon, int defaultButton) override;
    void Beep() override { desktop_.Beep(); }
    void ProcessEvents() override { desktop_.ProcessEvents(); }
    void Sleep(int milliseconds) override { desktop_.Sleep(milliseconds); }
    double SecondsSinceMidnight() override { return desktop_.SecondsSinceMidnight(); }
    uint32_t Milliseconds() override { return desktop_.Milliseconds(); }
    std::string GeneralDateTimeNow() override { return desktop_.GeneralDateTimeNow(); }
    std::string ShortDateNow() override { return desktop_.ShortDateNow(); }
    std::unique_ptr<ITimer> CreateTimer() override { return desktop_.CreateTimer(); }
    bool OpenDocument(const std::string& path) override { return desktop_.OpenDocument(path); }
    std::string GetSetting(const std::string& app, const std::string& section,
                           const std::string& key, const std::string& defaultValue) override;
    void SaveSetting(const std::string& app, const std::string& section, const std::string& key,
                     const std::string& value) override;

  private:
    void StepAside();

    MainContext& ctx_;
    IDesktop& desktop_;
    bool inFront_ = true;
    std::vector<std::string> shown_;
};

}  // namespace zelvo::cli
