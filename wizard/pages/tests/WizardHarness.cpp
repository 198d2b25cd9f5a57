#include "WizardHarness.hpp"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>

namespace kitforge::testing {
namespace {

QtMessageHandler g_previousHandler = nullptr;

// The offscreen platform warns about window features it lacks; those warnings
// say nothing about the wizard.
void DropPlatformNotes(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (text.startsWith(QLatin1String("This plugin does not support"))) return;
    g_previousHandler(type, context, text);
}

}  // namespace

WizardHarness::WizardHarness() : m_dataFiles(KITFORGE_DATA_DIR) {
    if (g_previousHandler == nullptr) g_previousHandler = qInstallMessageHandler(DropPlatformNotes);
    SetDataFiles(&m_dataFiles);
    SetFolderBrowser([this](QWidget*) { return m_browseAnswer; });
    QObject::connect(&m_wizard, &CWizardController::Ended, [this] { m_ended = true; });
    m_wizard.Start();
    Settle();
}

WizardHarness::~WizardHarness() {
    SetFolderBrowser({});
    SetDataFiles(nullptr);
}

CWizardPage* WizardHarness::Page() const {
    CWizardPage* page = m_wizard.CurrentPage();
    if (page == nullptr) qFatal("the wizard shows no page");
    return page;
}

QString WizardHarness::PageName() const {
    CWizardPage* page = m_wizard.CurrentPage();
    return page == nullptr ? QString() : page->objectName();
}

void WizardHarness::Settle() {
    // Closed pages are deleted once their handlers have returned.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

void WizardHarness::Click(const char* button) {
    QAbstractButton* target = Find<QAbstractButton>(button);
    QTest::mouseClick(target, Qt::LeftButton);
    Settle();
}

void WizardHarness::Type(const char* edit, const QString& text) {
    QLineEdit* field = Find<QLineEdit>(edit);
    field->setFocus();
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Backspace);
    for (const QChar c : text) {
        if (c.unicode() < 0x80) {
            QTest::keyClick(field, c.toLatin1());
        } else {
            // Keys beyond ASCII arrive as text, as from an input method.
            QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
    }
}

void WizardHarness::Key(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    QWidget* target = QApplication::focusWidget();
    if (target == nullptr) target = Page();
    QTest::keyClick(target, key, modifiers);
    Settle();
}

QStringList WizardHarness::Messages() const {
    QStringList texts;
    for (const auto& message : m_desktop.Messages()) texts << QString::fromStdString(message.text);
    return texts;
}

void WizardHarness::Shot(const QString& name) const {
    const QByteArray folder = qgetenv("KITFORGE_SCREENSHOT_DIR");
    if (folder.isEmpty()) return;
    QDir().mkpath(QString::fromLocal8Bit(folder));
    const QString path = QDir(QString::fromLocal8Bit(folder)).filePath(name + ".png");
    if (!Page()->grab().save(path)) QTest::qFail("screenshot not saved", __FILE__, __LINE__);
}

void WizardHarness::WalkToOutputFolder(const char* driverSet, bool installer) {
    Click(driverSet);
    Click(installer ? "optInstaller" : "optInfOnly");
    Next();  // certification
    Next();  // company
    Next();  // device names
    Next();  // installer names, or output folder
    if (installer) {
        Next();  // installer options
        Next();  // output folder
    }
}

QString FolderIn(const QTemporaryDir& dir, const QString& name) {
    return dir.filePath(name);
}

QByteArray ReadPackageFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

QStringList FilesBelow(const QString& folder) {
    QStringList names;
    QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
    const QDir base(folder);
    while (it.hasNext()) names << base.relativeFilePath(it.next());
    names.sort();
    return names;
}

}  // namespace kitforge::testing
