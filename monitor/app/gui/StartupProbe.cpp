// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "StartupProbe.hpp"

#include <QDateTime>
#include <QTimer>
#include <cstdlib>
#include <iostream>
#include <string>

#include "frmMain.hpp"

namespace zelvo::gui {

void WatchStartup(qt::frmMain& window) {
    const char* probe = std::getenv("ZELVO_STARTUP_PROBE");
    if (probe == nullptr || *probe == '\0') return;
    const bool quit = std::string(probe) == "quit";
    auto* timer = new QTimer(&window);
    timer->setInterval(2);
    QObject::connect(timer, &QTimer::timeout, &window, [&window, timer, quit] {
        if (!window.isVisible() || window.grdRdgs->Text(0, 3).isEmpty()) return;
        timer->stop();
        std::cout << "zelvomon: window shown with readings at "
                  << QDateTime::currentMSecsSinceEpoch() << " ms" << std::endl;
        if (quit) window.close();
    });
    timer->start();
}

}  // namespace zelvo::gui
