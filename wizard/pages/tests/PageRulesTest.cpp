// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The page rules as a user meets them; the checks themselves are tested in the
// core, the package written in the walk-throughs.

#include <QMessageBox>
#include <QtTest>
#include <memory>

#include "PageTexts.hpp"
#include "WizardDesktop.hpp"
#include "WizardHarness.hpp"

using kitforge::testing::WizardHarness;

class PageRulesTest : public QObject {
    Q_OBJECT
  private slots:
    void keyboardAloneWalksTheWizardAndEscapeCancels();
    void pagesCarryTheRecordAndRechoosingTheSetKeepsEdits();
    void helpButtonsExplainEachOptionWithoutRewrapping();
    void pagesKeepPlaceAndSizeWithoutMaximizeButton();
    void folderBrowserStartsAtHomeAndKeepsNoState();
    void summaryShowsALongFolderWhole();
};

// Enter presses the focused button, elsewhere Next (Finish on the last page).
void PageRulesTest::keyboardAloneWalksTheWizardAndEscapeCancels() {
    {
        WizardHarness h;
        h.Key(Qt::Key_Escape);
        QVERIFY(h.Ended() && !h.Completed());
    }
    QTemporaryDir temp;
    WizardHarness h;
    h.Key(Qt::Key_Return);  // no driver set yet: refused without a message
    QCOMPARE(h.PageName(), "CInstallTypePage");
    QVERIFY(h.Messages().isEmpty());
    // The first control has the focus; Tab order follows the page's layout.
    QCOMPARE(QApplication::focusWidget(), h.Find<QRadioButton>("optVcp"));
    h.Key(Qt::Key_Space);
    h.Key(Qt::Key_Return);  // Next is the default button
    h.Key(Qt::Key_Return);
    QCOMPARE(h.PageName(), "CCompanyPage");
    for (const char* field :
         {"txtCompanyName", "txtAbbreviation", "txtInfName", "txtVid", "txtPid"}) {
        QCOMPARE(QApplication::focusWidget(), h.Find<QLineEdit>(field));
        h.Key(Qt::Key_Tab);
    }
    QCOMPARE(QApplication::focusWidget(), h.Find<QPushButton>("cmdCancel"));
    h.Key(Qt::Key_Tab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), h.Find<QLineEdit>("txtPid"));
    h.Key(Qt::Key_Return);  // Enter in a field presses Next
    QCOMPARE(h.PageName(), "CDeviceNamesPage");
    h.Key(Qt::Key_Return);
    h.Key(Qt::Key_Return);
    h.Find<QPushButton>("cmdHelpCopyFiles")->setFocus();
    h.Key(Qt::Key_Return);
    QCOMPARE(h.PageName(), "CInstallerOptionsPage");
    QCOMPARE(h.Messages().size(), 1);
    QVERIFY(h.Messages()[0].startsWith("Copy Files to Target Directory during Install:"));
    h.Find<QCheckBox>("chkCopyFiles")->setFocus();
    h.Key(Qt::Key_Enter);
    QCOMPARE(h.PageName(), "COutputFolderPage");
    // A cancelled browser keeps the typed folder; a folder that happens to carry the
    // browser's old cancel marker is still a folder.
    h.Type("txtGenerationDir", "/typed/folder");
    h.Find<QPushButton>("cmdBrowse")->setFocus();
    h.Key(Qt::Key_Return);
    QCOMPARE(h.Text("txtGenerationDir"), "/typed/folder");
    h.BrowseAnswer(temp.filePath("_NoDirSelected_"));
    h.Find<QPushButton>("cmdBrowse")->setFocus();
    h.Key(Qt::Key_Return);
    QCOMPARE(h.PageName(), "COutputFolderPage");
    QCOMPARE(h.Text("txtGenerationDir"), temp.filePath("_NoDirSelected_"));
    QCOMPARE(h.Messages().size(), 1);
    h.Key(Qt::Key_Return);  // the focus went back to the field: Next
    QCOMPARE(h.PageName(), "CSummaryPage");
    h.Find<QPlainTextEdit>("txtSummaryValues")->setFocus();
    h.Key(Qt::Key_Return);  // Finish
    QVERIFY(h.Completed());
}

void PageRulesTest::pagesCarryTheRecordAndRechoosingTheSetKeepsEdits() {
    WizardHarness h;
    h.Click("optLinkvane");
    h.Next();
    h.Next();
    h.Type("txtVid", "2G1A");
    h.Next();  // refused: the record stays as the page found it
    QCOMPARE(h.Messages(), QStringList{kitforge::text::kFillInAllBlanks});
    QCOMPARE(h.Data().m_strVid, "2E1A");
    h.Type("txtCompanyName", "");
    h.Back();  // stores without checks
    h.Back();
    h.Click("optInstaller");  // neither the output kind nor the chosen set reloads
    h.Click("optInfOnly");
    h.Click("optLinkvane");
    h.Next();
    h.Next();
    QCOMPARE(h.Text("txtCompanyName") + h.Text("txtVid"), "2G1A");
    h.Back();
    h.Back();
    h.Click("optVcp");  // the other set loads its defaults and keeps the output kind
    h.Next();
    h.Next();
    QCOMPARE(h.Text("txtCompanyName") + h.Text("txtPid"), "OstrelixB3A0");
    QCOMPARE(h.Data().m_bGenerateInstaller, 0);
}

void PageRulesTest::helpButtonsExplainEachOptionWithoutRewrapping() {
    WizardHarness h;
    h.WalkToOutputFolder("optLinkvane", true);
    h.Back();
    const std::unique_ptr<zelvo::IDesktop> desktop = kitforge::NewWizardDesktop();
    const char* const helps[][2] = {
        {"cmdHelpDisplayInstall", "Display GUI window during Install:\n\n"},
        {"cmdHelpCopyFiles", "Copy Files to Target Directory during Install:\n\n"},
        {"cmdHelpTargetDir", "Target Directory:\n\n"},
        {"cmdHelpDisplayUninstall", "Display GUI window during Uninstall:\n\n"},
        {"cmdHelpRemoveFiles", "Remove Files from Target Directory during Uninstall:\n\n"}};
    for (const auto& [button, firstLine] : helps) {
        h.ClearMessages();
        h.Click(button);
        QCOMPARE(h.Messages().size(), 1);
        const QString text = h.Messages()[0];
        QVERIFY2(text.startsWith(firstLine), button);
        const auto& box = h.Desk().Messages()[0];
        QVERIFY(box.buttons == zelvo::MsgButtons::OK && box.icon == zelvo::MsgIcon::None);
        QCOMPARE(box.title, kitforge::kProgramName);

        // The help texts break their own lines; the box shown on the desktop is
        // wide enough that none of them is wrapped once more.
        QStringList wrapped;
        bool shown = false;
        QTimer::singleShot(0, [&] {
            auto* shownBox = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (shownBox == nullptr) return;
            shown = true;
            for (QLabel* label : shownBox->findChildren<QLabel*>()) {
                for (const QString& line : text.split('\n')) {
                    if (label->text() == text && label->fontMetrics().horizontalAdvance(line) >
                                                     label->contentsRect().width())
                        wrapped << line;
                }
            }
            shownBox->done(QMessageBox::Ok);
        });
        desktop->MessageBox(box.text, box.title, box.buttons, box.icon);
        QVERIFY(shown);
        QVERIFY2(wrapped.isEmpty(), qPrintable(wrapped.join(" | ")));
    }
}

// The place each page asks the window system for when its window is created. A
// real window manager reports the frame only after the window is mapped, so this
// is where the page lands; the offscreen platform knows its frame at once and would
// hide a frame position taken for the window's own.
class CreatedGeometry : public QObject {
  public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* page = qobject_cast<kitforge::CWizardPage*>(watched);
        if (page != nullptr && event->type() == QEvent::PlatformSurface &&
            static_cast<QPlatformSurfaceEvent*>(event)->surfaceEventType() ==
                QPlatformSurfaceEvent::SurfaceCreated)
            rects << page->geometry();
        return false;
    }
    QList<QRect> rects;
};

void PageRulesTest::pagesKeepPlaceAndSizeWithoutMaximizeButton() {
    WizardHarness h;
    h.Page()->move(300, 200);
    h.Click("optVcp");
    CreatedGeometry created;
    qApp->installEventFilter(&created);
    for (const bool next : {true, true, true, true, true, false, false, false, true}) {
        const QRect frame = h.Page()->frameGeometry(), client = h.Page()->geometry();
        const QString from = h.PageName();
        next ? h.Next() : h.Back();
        QVERIFY2(h.PageName() != from, qPrintable(from));
        QCOMPARE(created.rects.size(), 1);
        QCOMPARE(created.rects.takeFirst(), client);
        QCOMPARE(h.Page()->frameGeometry(), frame);
        QCOMPARE(h.Page()->geometry(), client);
        // A page of fixed size offers minimize (it has a task-bar button) and close.
        const Qt::WindowFlags flags = h.Page()->windowFlags();
        QVERIFY(flags.testFlag(Qt::CustomizeWindowHint));
        QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
        QVERIFY(flags.testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
    }
    qApp->removeEventFilter(&created);
}

void PageRulesTest::folderBrowserStartsAtHomeAndKeepsNoState() {
    // main() gives the test a home folder without a desktop folder and its own,
    // empty configuration folder.
    QVERIFY(!QDir(QDir::home().filePath("Desktop")).exists());
    WizardHarness h;
    h.WalkToOutputFolder("optVcp", false);
    kitforge::SetFolderBrowser({});  // the real browser
    // The browser is modal: look for it once it runs its own event loop. It takes
    // the folder it opened on; any other box it raises is closed and noted.
    QStringList boxes;
    QList<QPointer<QWidget>> handled;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget* box = QApplication::activeModalWidget();
        if (box == nullptr) return;
        const bool first = handled.isEmpty();
        if (!handled.contains(box)) {
            handled << box;
            boxes << box->windowTitle();
        }
        // Only the first look at the browser accepts; whatever stays open is closed.
        QMetaObject::invokeMethod(box, first ? "accept" : "reject", Qt::QueuedConnection);
    });
    poll.start(10);
    h.Click("cmdBrowse");
    poll.stop();
    QCOMPARE(boxes, QStringList{kitforge::kBrowseTitle});
    QCOMPARE(h.Text("txtGenerationDir"), QDir::homePath());
    QCOMPARE(QDirIterator(qEnvironmentVariable("XDG_CONFIG_HOME"),
                          QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                          QDirIterator::Subdirectories)
                 .hasNext(),
             false);
}

void PageRulesTest::summaryShowsALongFolderWhole() {
    QTemporaryDir temp;
    const QString folder = temp.filePath(QString(90, 'a') + "/" + QString(90, 'b')) + "/";
    WizardHarness h;
    h.WalkToOutputFolder("optVcp", false);
    h.Type("txtGenerationDir", folder);
    h.Next();
    QCOMPARE(h.PageName(), "CSummaryPage");
    auto* values = h.Find<QPlainTextEdit>("txtSummaryValues");
    // Every line fits the box; a line too long for it is shortened in the middle
    // and shows the whole value as its tool tip.
    const QStringList lines = values->toPlainText().split('\n');
    for (const QString& line : lines)
        QVERIFY2(values->fontMetrics().horizontalAdvance(line) <= values->viewport()->width(),
                 qPrintable(line));
    QVERIFY(lines.last().startsWith(folder.left(5)) && lines.last().endsWith("bbbb/"));
    QTextCursor last(values->document()->lastBlock());
    const QPoint at = values->cursorRect(last).center();
    QHelpEvent help(QEvent::ToolTip, at, values->viewport()->mapToGlobal(at));
    QCoreApplication::sendEvent(values->viewport(), &help);
    QCOMPARE(QToolTip::text(), folder);
}

int main(int argc, char** argv) {
    // The wizard keeps no configuration: the tests run with a home folder of their
    // own and a configuration folder that must stay empty.
    QTemporaryDir scratch;
    if (!scratch.isValid() || !QDir(scratch.path()).mkpath("home") ||
        !QDir(scratch.path()).mkpath("config"))
        return 1;
    qputenv("HOME", scratch.filePath("home").toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", scratch.filePath("config").toLocal8Bit());
    QApplication app(argc, argv);
    PageRulesTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "PageRulesTest.moc"
