// The rules of the first six pages as a user meets them: defaults per driver set,
// refused moves and their messages, what Back keeps, field limits, the help
// buttons, and a walk with the keyboard alone.

#include <QApplication>
#include <QMessageBox>
#include <QtTest>
#include <memory>

#include "PageChecks.hpp"
#include "PageTexts.hpp"
#include "WizardDesktop.hpp"
#include "WizardHarness.hpp"

using kitforge::testing::WizardHarness;

class PageRulesTest : public QObject {
    Q_OBJECT
  private slots:
    void firstPageRefusesNextSilentlyWithoutType();
    void rechoosingTheChosenSetKeepsEditsOtherSetLoadsDefaults();
    void outputKindNeverReloadsDefaults();
    void companyPageRefusesBadIdsAndEmptyFields();
    void backStoresWhatThePageReadWithoutChecks();
    void fieldLimitsFollowTheDriverSet();
    void linkvaneHidesTheComPort();
    void emptyNamesAreRefused();
    void displayBoxesShowInverseOfQuietFlags();
    void helpButtonsExplainEachOption();
    void helpBoxesKeepTheirOwnLineBreaks();
    void invalidTargetDirectoryIsRefused();
    void infFilesOnlySkipsInstallerPagesBothWays();
    void keyboardAloneWalksAndEscapeCancels();
};

void PageRulesTest::firstPageRefusesNextSilentlyWithoutType() {
    WizardHarness h;
    QVERIFY(h.Find<QRadioButton>("optInstaller")->isChecked());
    QVERIFY(!h.Find<QRadioButton>("optVcp")->isChecked());
    QVERIFY(!h.Find<QRadioButton>("optLinkvane")->isChecked());
    h.Next();
    QCOMPARE(h.PageName(), "CInstallTypePage");
    QVERIFY(h.Messages().isEmpty());
    h.Key(Qt::Key_Return);
    QCOMPARE(h.PageName(), "CInstallTypePage");
}

void PageRulesTest::rechoosingTheChosenSetKeepsEditsOtherSetLoadsDefaults() {
    WizardHarness h;
    h.Click("optVcp");
    h.Next();
    h.Next();
    QCOMPARE(h.Text("txtCompanyName"), "Ostrelix");
    h.Type("txtCompanyName", "Acme");
    h.Back();
    h.Back();
    QCOMPARE(h.PageName(), "CInstallTypePage");
    QVERIFY(h.Find<QRadioButton>("optVcp")->isChecked());

    h.Click("optVcp");  // already chosen: the edit stays
    h.Next();
    h.Next();
    QCOMPARE(h.Text("txtCompanyName"), "Acme");
    h.Back();
    h.Back();

    h.Click("optLinkvane");
    h.Click("optVcp");  // the other set and back: fresh VCP defaults
    h.Next();
    h.Next();
    QCOMPARE(h.Text("txtCompanyName"), "Ostrelix");
    QCOMPARE(h.Text("txtInfName"), "ostx");
    QCOMPARE(h.Text("txtPid"), "B3A0");
}

void PageRulesTest::outputKindNeverReloadsDefaults() {
    WizardHarness h;
    h.Click("optLinkvane");
    h.Next();
    h.Next();
    h.Type("txtCompanyName", "Acme");
    h.Back();
    h.Back();
    h.Click("optInfOnly");
    h.Click("optInstaller");
    h.Click("optInfOnly");
    QCOMPARE(h.Page()->Data().m_bGenerateInstaller, 0);
    h.Next();
    h.Next();
    QCOMPARE(h.Text("txtCompanyName"), "Acme");
}

void PageRulesTest::companyPageRefusesBadIdsAndEmptyFields() {
    WizardHarness h;
    h.Click("optVcp");
    h.Next();
    h.Next();
    const kitforge::CWizardData before = h.Page()->Data();

    const struct {
        const char* field;
        const char* text;
    } refusals[] = {{"txtVid", "2G1A"},
                    {"txtPid", "B3"},
                    {"txtInfName", ""},
                    {"txtAbbreviation", ""},
                    {"txtCompanyName", ""}};
    for (const auto& refusal : refusals) {
        const QString kept = h.Text(refusal.field);
        h.Type(refusal.field, refusal.text);
        h.Type("txtCompanyName", refusal.field == std::string("txtCompanyName") ? "" : "Acme");
        h.ClearMessages();
        h.Next();
        QCOMPARE(h.PageName(), "CCompanyPage");
        QCOMPARE(h.Messages(), QStringList{kitforge::text::kFillInAllBlanks});
        const auto& box = h.Desk().Messages().front();
        QCOMPARE(box.title, kitforge::kProgramName);
        QCOMPARE(box.buttons, zelvo::MsgButtons::OK);
        QCOMPARE(box.icon, zelvo::MsgIcon::None);
        // A refused Next leaves the record as the page found it.
        const kitforge::CWizardData& now = h.Page()->Data();
        QCOMPARE(now.m_strCompanyName, before.m_strCompanyName);
        QCOMPARE(now.m_strAbbreviation, before.m_strAbbreviation);
        QCOMPARE(now.m_strInfPrefix, before.m_strInfPrefix);
        QCOMPARE(now.m_strVid, before.m_strVid);
        QCOMPARE(now.m_strPid, before.m_strPid);
        h.Type(refusal.field, kept);
    }
    h.ClearMessages();
    h.Next();
    QCOMPARE(h.PageName(), "CDeviceNamesPage");
    QVERIFY(h.Messages().isEmpty());
    QCOMPARE(h.Page()->Data().m_strCompanyName, "Acme");
}

void PageRulesTest::backStoresWhatThePageReadWithoutChecks() {
    WizardHarness h;
    h.Click("optVcp");
    h.Next();
    h.Next();
    h.Type("txtCompanyName", "");
    h.Type("txtVid", "ZZ");  // letters outside hex are still upper-cased and kept
    h.Back();
    QCOMPARE(h.PageName(), "CCertificationPage");
    QVERIFY(h.Messages().isEmpty());
    QCOMPARE(h.Page()->Data().m_strCompanyName, "");
    h.Next();
    QCOMPARE(h.Text("txtCompanyName"), "");
    QCOMPARE(h.Text("txtVid"), "ZZ");

    // Text the package cannot hold is refused even by Back, and the page stays.
    h.Type("txtCompanyName", QStringLiteral("Acme \u03A9"));
    h.Back();
    QCOMPARE(h.PageName(), "CCompanyPage");
    QCOMPARE(h.Messages().size(), 1);
    QCOMPARE(h.Page()->Data().m_strCompanyName, "");
}

void PageRulesTest::fieldLimitsFollowTheDriverSet() {
    for (const char* set : {"optVcp", "optLinkvane"}) {
        WizardHarness h;
        h.Click(set);
        h.Next();
        h.Next();
        const bool vcp = std::string(set) == "optVcp";
        h.Type("txtInfName", "abcdefghijk");
        QCOMPARE(h.Text("txtInfName"), vcp ? "abcd" : "abcdefgh");
        QCOMPARE(h.Find<QLabel>("lblInfName")->text(),
                 vcp ? kitforge::kVcpInfLabel : kitforge::kLinkvaneInfLabel);
        QCOMPARE(h.Find<QLabel>("lblInfExample")->text(),
                 vcp ? "Example: \"ostxxxxx.inf\"" : "Example: \"Vdlink.inf\"");
        QCOMPARE(h.Find<QLabel>("lblPidExample")->text(),
                 vcp ? "Example: B3A0 (Hex value)" : "Example: B3A1 (Hex value)");
        h.Type("txtVid", "abcde");
        QCOMPARE(h.Text("txtVid"), "ABCD");
        h.Type("txtAbbreviation", QString(40, 'x'));
        QCOMPARE(h.Text("txtAbbreviation").size(), 31);
    }
}

void PageRulesTest::linkvaneHidesTheComPort() {
    WizardHarness h;
    h.Click("optLinkvane");
    h.Next();
    h.Next();
    h.Next();
    QCOMPARE(h.PageName(), "CDeviceNamesPage");
    QVERIFY(!h.Find<QLineEdit>("txtComDeviceName")->isVisible());
    QVERIFY(!h.Find<QLabel>("lblComDeviceName")->isVisible());
    QVERIFY(h.Find<QLabel>("lblUsbExample")->text().startsWith("Example: \"Linkvane Device\"\n"));
    // The hidden field keeps "-", so Next passes.
    h.Next();
    QCOMPARE(h.PageName(), "CInstallerNamesPage");
    QCOMPARE(h.Page()->Data().m_strComDeviceName, "-");
}

void PageRulesTest::emptyNamesAreRefused() {
    WizardHarness h;
    h.Click("optVcp");
    h.Next();
    h.Next();
    h.Next();
    h.Type("txtComDeviceName", "");
    h.Next();
    QCOMPARE(h.PageName(), "CDeviceNamesPage");
    QCOMPARE(h.Messages(), QStringList{kitforge::text::kFillInAllBlanks});
    h.Type("txtComDeviceName", "Acme Port");
    h.Next();
    h.Type("txtInstallerName", "");
    h.ClearMessages();
    h.Next();
    QCOMPARE(h.PageName(), "CInstallerNamesPage");
    QCOMPARE(h.Messages(), QStringList{kitforge::text::kFillInAllBlanks});
    QCOMPARE(h.Find<QLineEdit>("txtInstallerName")->maxLength(), 32);
}

void PageRulesTest::displayBoxesShowInverseOfQuietFlags() {
    WizardHarness h;
    h.WalkToOutputFolder("optVcp", true);
    h.Back();
    QCOMPARE(h.PageName(), "CInstallerOptionsPage");
    // Defaults: not quiet, so both display boxes are ticked.
    QVERIFY(h.Find<QCheckBox>("chkDisplayInstall")->isChecked());
    QVERIFY(h.Find<QCheckBox>("chkDisplayUninstall")->isChecked());
    h.Click("chkDisplayUninstall");
    h.Click("chkRemoveFiles");
    h.Next();
    QCOMPARE(h.Page()->Data().m_bQuietInstall, 0);
    QVERIFY(h.Page()->Data().m_bQuietUninstall != 0);
    QCOMPARE(h.Page()->Data().m_bRemoveFiles, 0);
    h.Back();
    QVERIFY(h.Find<QCheckBox>("chkDisplayInstall")->isChecked());
    QVERIFY(!h.Find<QCheckBox>("chkDisplayUninstall")->isChecked());
    QVERIFY(!h.Find<QCheckBox>("chkRemoveFiles")->isChecked());
}

void PageRulesTest::helpButtonsExplainEachOption() {
    WizardHarness h;
    h.WalkToOutputFolder("optLinkvane", true);
    h.Back();
    const struct {
        const char* button;
        const char* firstLine;
    } helps[] = {
        {"cmdHelpDisplayInstall", "Display GUI window during Install:\n\n"},
        {"cmdHelpCopyFiles", "Copy Files to Target Directory during Install:\n\n"},
        {"cmdHelpTargetDir", "Target Directory:\n\n"},
        {"cmdHelpDisplayUninstall", "Display GUI window during Uninstall:\n\n"},
        {"cmdHelpRemoveFiles", "Remove Files from Target Directory during Uninstall:\n\n"}};
    for (const auto& help : helps) {
        h.ClearMessages();
        h.Click(help.button);
        QCOMPARE(h.Messages().size(), 1);
        QVERIFY2(h.Messages()[0].startsWith(help.firstLine), help.button);
        QCOMPARE(h.Desk().Messages()[0].buttons, zelvo::MsgButtons::OK);
        QCOMPARE(h.Desk().Messages()[0].icon, zelvo::MsgIcon::None);
        QCOMPARE(h.Desk().Messages()[0].title, kitforge::kProgramName);
        QCOMPARE(h.PageName(), "CInstallerOptionsPage");
    }
}

void PageRulesTest::helpBoxesKeepTheirOwnLineBreaks() {
    // The help texts break their own lines; the box shown on the desktop is wide
    // enough that none of them is wrapped once more.
    const std::unique_ptr<zelvo::IDesktop> desktop = kitforge::NewWizardDesktop();
    for (const char* help :
         {kitforge::kDisplayInstallHelp, kitforge::kCopyFilesHelp, kitforge::kTargetDirHelp,
          kitforge::kDisplayUninstallHelp, kitforge::kRemoveFilesHelp}) {
        const QString text = QString::fromUtf8(help);
        QStringList wrapped;
        bool shown = false;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr) return;
            shown = true;
            for (QLabel* label : box->findChildren<QLabel*>()) {
                if (label->text() != text) continue;
                for (const QString& line : text.split('\n')) {
                    if (label->fontMetrics().horizontalAdvance(line) >
                        label->contentsRect().width())
                        wrapped << line;
                }
            }
            box->done(QMessageBox::Ok);
        });
        desktop->MessageBox(help, kitforge::kProgramName, zelvo::MsgButtons::OK,
                            zelvo::MsgIcon::None);
        QVERIFY(shown);
        QVERIFY2(wrapped.isEmpty(), qPrintable(wrapped.join(" | ")));
    }
}

void PageRulesTest::invalidTargetDirectoryIsRefused() {
    WizardHarness h;
    h.WalkToOutputFolder("optVcp", true);
    h.Back();
    // Tested even when no files are copied.
    h.Click("chkCopyFiles");
    for (const char* bad : {"C:\\Out:x", "   ", "C:\\a|b", "C:/Out"}) {
        h.Type("txtTargetDir", bad);
        h.ClearMessages();
        h.Next();
        QCOMPARE(h.PageName(), "CInstallerOptionsPage");
        QCOMPARE(h.Messages(), QStringList{QString::fromStdString(
                                   kitforge::InvalidDirectoryMessage(kitforge::PathKind::Target))});
    }
    QCOMPARE(h.Messages()[0], "Directory cannot contain: / : * ? \" < > |");
    h.Type("txtTargetDir", "D:\\Acme\\Drivers\\");
    h.Next();
    QCOMPARE(h.PageName(), "COutputFolderPage");
    QCOMPARE(h.Page()->Data().m_strTargetDir, "D:\\Acme\\Drivers\\");
    QCOMPARE(h.Page()->Data().m_bCopyFiles, 0);
}

void PageRulesTest::infFilesOnlySkipsInstallerPagesBothWays() {
    WizardHarness h;
    h.WalkToOutputFolder("optVcp", false);
    QCOMPARE(h.PageName(), "COutputFolderPage");
    h.Back();
    QCOMPARE(h.PageName(), "CDeviceNamesPage");
    h.Next();
    QCOMPARE(h.PageName(), "COutputFolderPage");

    WizardHarness withInstaller;
    withInstaller.WalkToOutputFolder("optVcp", true);
    withInstaller.Back();
    QCOMPARE(withInstaller.PageName(), "CInstallerOptionsPage");
}

void PageRulesTest::keyboardAloneWalksAndEscapeCancels() {
    WizardHarness h;
    // The first control has the focus; Tab order follows the page's layout.
    QCOMPARE(QApplication::focusWidget(), h.Find<QRadioButton>("optVcp"));
    h.Key(Qt::Key_Space);
    QVERIFY(h.Find<QRadioButton>("optVcp")->isChecked());
    h.Key(Qt::Key_Return);  // Next is the default button
    QCOMPARE(h.PageName(), "CCertificationPage");
    h.Key(Qt::Key_Return);
    QCOMPARE(h.PageName(), "CCompanyPage");
    QCOMPARE(QApplication::focusWidget(), h.Find<QLineEdit>("txtCompanyName"));
    h.Key(Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), h.Find<QLineEdit>("txtAbbreviation"));
    h.Key(Qt::Key_Tab);
    h.Key(Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), h.Find<QLineEdit>("txtVid"));
    h.Key(Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), h.Find<QLineEdit>("txtPid"));
    h.Key(Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), h.Find<QPushButton>("cmdCancel"));
    h.Key(Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), h.Find<QPushButton>("cmdBack"));
    h.Key(Qt::Key_Tab, Qt::ShiftModifier);
    h.Key(Qt::Key_Tab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), h.Find<QLineEdit>("txtPid"));
    h.Key(Qt::Key_Return);  // Enter in a field presses Next, the default button
    QCOMPARE(h.PageName(), "CDeviceNamesPage");
    h.Key(Qt::Key_Escape);
    QVERIFY(h.Ended());
    QVERIFY(!h.Wizard().Completed());
}

QTEST_MAIN(PageRulesTest)
#include "PageRulesTest.moc"
