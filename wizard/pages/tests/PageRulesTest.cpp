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
    void keyboardAloneWalksAndEscapeCancels();
    void pagesCarryTheRecordAndRechoosingTheSetKeepsEdits();
    void fieldsAndLabelsFollowTheDriverSet();
    void helpButtonsExplainEachOptionWithoutRewrapping();
    void browseReplacesFolderCancelKeepsIt();
};

void PageRulesTest::keyboardAloneWalksAndEscapeCancels() {
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
    h.Key(Qt::Key_Escape);
    QVERIFY(h.Ended() && !h.Completed());
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

void PageRulesTest::fieldsAndLabelsFollowTheDriverSet() {
    for (const bool vcp : {true, false}) {
        WizardHarness h;
        h.Click(vcp ? "optVcp" : "optLinkvane");
        h.Next();
        h.Next();
        h.Type("txtInfName", "abcdefghijk");
        QCOMPARE(h.Text("txtInfName"), vcp ? "abcd" : "abcdefgh");
        QCOMPARE(h.Find<QLabel>("lblInfName")->text(),
                 vcp ? kitforge::kVcpInfLabel : kitforge::kLinkvaneInfLabel);
        QCOMPARE(h.Find<QLabel>("lblInfExample")->text(),
                 vcp ? "Example: \"ostxxxxx.inf\"" : "Example: \"Vdlink.inf\"");
    }
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

void PageRulesTest::browseReplacesFolderCancelKeepsIt() {
    WizardHarness h;
    h.WalkToOutputFolder("optVcp", false);
    h.Type("txtGenerationDir", "/typed/folder");
    h.BrowseAnswer(std::nullopt);
    h.Click("cmdBrowse");
    QCOMPARE(h.Text("txtGenerationDir"), "/typed/folder");
    // A folder that happens to carry the browser's old cancel marker is still a folder.
    h.BrowseAnswer(QStringLiteral("/tmp/_NoDirSelected_"));
    h.Click("cmdBrowse");
    QCOMPARE(h.Text("txtGenerationDir"), "/tmp/_NoDirSelected_");
    QVERIFY(h.Messages().isEmpty());
}

QTEST_MAIN(PageRulesTest)
#include "PageRulesTest.moc"
