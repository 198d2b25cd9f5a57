// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Drives the wizard as a user would, with a scripted desktop and folder browser
// and the data files of the source tree. When KITFORGE_SCREENSHOT_DIR names a
// folder and the harness has a name, every page it visits is saved there.

#include <QTest>
#include <QtWidgets>
#include <optional>

#include "CWizardController.hpp"
#include "DataFiles.hpp"
#include "FakeDesktop.hpp"
#include "FolderBrowser.hpp"
#include "PageChecks.hpp"

namespace kitforge::testing {

class WizardHarness {
  public:
    explicit WizardHarness(QString shotName = {}) : m_shotName(std::move(shotName)) {
        SetDataFiles(&m_dataFiles);
        SetFolderBrowser([this](QWidget*) { return m_browseAnswer; });
        QObject::connect(&m_wizard, &CWizardController::Ended, [this] { m_ended = true; });
        m_wizard.Start();
        Settle();
    }
    ~WizardHarness() {
        SetFolderBrowser({});
        SetDataFiles(nullptr);
    }

    zelvo::testing::FakeDesktop& Desk() { return m_desktop; }
    CWizardPage* Page() const {
        if (m_wizard.CurrentPage() == nullptr) qFatal("the wizard shows no page");
        return m_wizard.CurrentPage();
    }
    QString PageName() const { return m_ended ? QString() : Page()->objectName(); }
    const CWizardData& Data() const { return Page()->Data(); }
    bool Ended() const { return m_ended; }
    // Ended with the package written (not cancelled).
    bool Completed() const { return m_ended && m_wizard.Completed(); }

    // A control of the page on screen; a missing one stops the run.
    template <typename T>
    T* Find(const char* name) const {
        T* widget = Page()->findChild<T*>(QString::fromLatin1(name));
        if (widget == nullptr) qFatal("control %s not on page %s", name, qPrintable(PageName()));
        return widget;
    }
    void Click(const char* button) {
        QTest::mouseClick(Find<QAbstractButton>(button), Qt::LeftButton);
        Settle();
    }
    void Next() { Click("cmdNext"); }
    void Back() { Click("cmdBack"); }
    // Replaces an edit field's text by typing.
    void Type(const char* edit, const QString& text) {
        QLineEdit* field = Find<QLineEdit>(edit);
        field->setFocus();
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Backspace);
        for (const QChar c : text) {
            if (c.unicode() < 0x80) {
                QTest::keyClick(field, c.toLatin1());
            } else {  // as from an input method
                QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, QString(c), {});
            }
        }
    }
    QString Text(const char* edit) const { return Find<QLineEdit>(edit)->text(); }
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
        Settle();
    }
    // The answer of the next folder browser (nothing: the user cancels).
    void BrowseAnswer(std::optional<QString> folder) { m_browseAnswer = std::move(folder); }
    QStringList Messages() const {
        QStringList texts;
        for (const auto& m : m_desktop.Messages()) texts << QString::fromStdString(m.text);
        return texts;
    }
    void ClearMessages() { m_desktop.ClearMessages(); }

    // From the first page to the output-folder page with the driver set's defaults.
    void WalkToOutputFolder(const char* driverSet, bool installer) {
        Click(driverSet);
        Click(installer ? "optInstaller" : "optInfOnly");
        for (int page = installer ? 6 : 4; page > 0; --page) Next();
    }

  private:
    void Settle() {
        // Closed pages are deleted once their handlers have returned.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
        const QString folder = qEnvironmentVariable("KITFORGE_SCREENSHOT_DIR");
        if (m_ended || m_shotName.isEmpty() || folder.isEmpty() || PageName() == m_shotPage) return;
        m_shotPage = PageName();
        const QString file = QString("%1-%2-%3.png").arg(m_shotName).arg(++m_shots).arg(m_shotPage);
        if (!QDir().mkpath(folder) || !Page()->grab().save(QDir(folder).filePath(file)))
            QTest::qFail("screenshot not saved", __FILE__, __LINE__);
    }

    zelvo::testing::FakeDesktop m_desktop;
    FolderDataFiles m_dataFiles{KITFORGE_DATA_DIR};
    CWizardController m_wizard;
    bool m_ended = false;
    std::optional<QString> m_browseAnswer;
    QString m_shotName, m_shotPage;
    int m_shots = 0;
};

// A file's bytes ("" when missing).
inline QByteArray ReadBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace kitforge::testing
