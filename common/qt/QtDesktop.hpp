// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The desktop interface on Qt: QMessageBox, QTimer, QSettings, QLocale dates.

#include "Desktop.hpp"

namespace zelvo {

class QtDesktop : public IDesktop {
  public:
    MsgResult MessageBox(const std::string& text, const std::string& title, MsgButtons buttons,
                         MsgIcon icon, int defaultButton) override;
    void Beep() override;
    void ProcessEvents() override;
    void Sleep(int milliseconds) override;
    double SecondsSinceMidnight() override;
    uint32_t Milliseconds() override;
    std::string GeneralDateTimeNow() override;
    std::string ShortDateNow() override;
    std::unique_ptr<ITimer> CreateTimer() override;
    bool OpenDocument(const std::string& path) override;
    std::string GetSetting(const std::string& app, const std::string& section,
                           const std::string& key, const std::string& defaultValue) override;
    void SaveSetting(const std::string& app, const std::string& section, const std::string& key,
                     const std::string& value) override;
};

}  // namespace zelvo
