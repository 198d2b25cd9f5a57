// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The desktop interface on Qt: QMessageBox, QTimer, QSettings, QLocale dates.

#include "Desktop.hpp"

namespace zelvo {

class QtDesktop : public IDesktop {
  public:
    // While one lives (a timer's tick, such as the monitor's sweep), a message with
    // the OK button alone is shown once the tick has returned, and MessageBox returns
    // OK at once: Qt never fires a timer again inside its own tick, so a box shown
    // within it would stop the readings until someone closes it. A text already
    // waiting or open is not shown a second time.
    class MessagesAfterTick {
      public:
        MessagesAfterTick();
        ~MessagesAfterTick();
        MessagesAfterTick(const MessagesAfterTick&) = delete;
        MessagesAfterTick& operator=(const MessagesAfterTick&) = delete;
    };

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
