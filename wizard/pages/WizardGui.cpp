// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "WizardGui.hpp"

#include <QApplication>

#include "CWizardController.hpp"
#include "Desktop.hpp"
#include "PageChecks.hpp"
#include "WizardBitmap.hpp"
#include "WizardDesktop.hpp"

int RunWizardGui(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(kitforge::kProgramName));
    QApplication::setWindowIcon(kitforge::WizardIcon());
    QGuiApplication::setDesktopFileName(QStringLiteral("kitforge"));
    // The wizard ends when its last page closes, not when no window is visible for
    // the moment between two pages.
    QApplication::setQuitOnLastWindowClosed(false);

    const std::unique_ptr<zelvo::IDesktop> desktop = kitforge::NewWizardDesktop();
    zelvo::SetDesktop(desktop.get());

    kitforge::CWizardController wizard;
    QObject::connect(&wizard, &kitforge::CWizardController::Ended, &app, &QApplication::quit);
    wizard.Start();
    const int status = QApplication::exec();
    zelvo::SetDesktop(nullptr);
    return status;
}
