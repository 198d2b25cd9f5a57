#pragma once
// Drives the wizard as a user would: finds the controls of the page on screen by
// name, types into them, clicks them and presses keys. Message boxes go to a
// scripted desktop, the folder browser to a scripted answer, and the carried data
// files come from the source tree.

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <optional>
#include <string>

#include "CWizardController.hpp"
#include "DataFiles.hpp"
#include "FakeDesktop.hpp"
#include "FolderBrowser.hpp"

namespace kitforge::testing {

class WizardHarness {
  public:
    WizardHarness();
    ~WizardHarness();

    CWizardController& Wizard() { return m_wizard; }
    zelvo::testing::FakeDesktop& Desk() { return m_desktop; }
    CWizardPage* Page() const;
    // The class name of the page on screen ("" once the wizard ended).
    QString PageName() const;
    bool Ended() const { return m_ended; }

    // A control of the page on screen; a missing one stops the test run, since
    // every later step would act on nothing.
    template <typename T>
    T* Find(const char* name) const {
        T* widget = Page()->findChild<T*>(QString::fromLatin1(name));
        if (widget == nullptr) {
            qFatal("control %s not on page %s", name, qPrintable(PageName()));
        }
        return widget;
    }

    void Click(const char* button);
    void Next() { Click("cmdNext"); }
    void Back() { Click("cmdBack"); }
    // Replaces an edit field's text by typing `text` after clearing it.
    void Type(const char* edit, const QString& text);
    QString Text(const char* edit) const { return Find<QLineEdit>(edit)->text(); }
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

    // The answer of the next folder browser (nothing: the user cancels).
    void BrowseAnswer(std::optional<QString> folder) { m_browseAnswer = std::move(folder); }

    // The message texts shown so far, and clearing them.
    QStringList Messages() const;
    void ClearMessages() { m_desktop.ClearMessages(); }

    // Saves a picture of the page on screen when KITFORGE_SCREENSHOT_DIR names a
    // folder (for looking at the pages; tests never compare pictures).
    void Shot(const QString& name) const;

    // From the first page to the output-folder page with the driver set's defaults.
    void WalkToOutputFolder(const char* driverSet, bool installer);

  private:
    void Settle();

    zelvo::testing::FakeDesktop m_desktop;
    FolderDataFiles m_dataFiles;
    CWizardController m_wizard;
    bool m_ended = false;
    std::optional<QString> m_browseAnswer;
};

// A fresh folder for one test's package; removed afterwards.
QString FolderIn(const QTemporaryDir& dir, const QString& name);
// Reads a file of the generated package as bytes ("" when missing).
QByteArray ReadPackageFile(const QString& path);
// The relative names of every file below `folder`, sorted, with "/" separators.
QStringList FilesBelow(const QString& folder);

}  // namespace kitforge::testing
