// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Walks the whole wizard for both driver sets and both output kinds, typing and
// clicking as a user does, and checks the package that Finish writes.

#include <QtTest>

#include "PageTexts.hpp"
#include "WizardHarness.hpp"

using namespace kitforge::testing;
namespace text = kitforge::text;

class WizardWalkTest : public QObject {
    Q_OBJECT
  private slots:
    void walkWritesThePackage_data();
    void walkWritesThePackage();
    void finishFailureKeepsSummaryForAnotherTry();
};

void WizardWalkTest::walkWritesThePackage_data() {
    QTest::addColumn<QString>("driverSet");
    QTest::addColumn<bool>("installer");
    QTest::newRow("vcp-exe") << "optVcp" << true;
    QTest::newRow("vcp-inf") << "optVcp" << false;
    QTest::newRow("linkvane-exe") << "optLinkvane" << true;
    QTest::newRow("linkvane-inf") << "optLinkvane" << false;
}

// The file lists and their bytes are the core's to check; here, that what is typed
// and clicked on each page reaches the package.
void WizardWalkTest::walkWritesThePackage() {
    QFETCH(QString, driverSet);
    QFETCH(bool, installer);
    const bool vcp = driverSet == "optVcp";
    QTemporaryDir temp;
    const QString folder = temp.filePath("out/package");  // two levels to create

    WizardHarness h(QTest::currentDataTag());
    h.Click(driverSet.toLatin1().constData());
    h.Click(installer ? "optInstaller" : "optInfOnly");
    h.Next();
    h.Next();
    // The INF name field and its labels follow the driver set.
    h.Type("txtInfName", "abcdefghijk");
    QCOMPARE(h.Text("txtInfName"), vcp ? "abcd" : "abcdefgh");
    QCOMPARE(h.Find<QLabel>("lblInfName")->text(),
             vcp ? kitforge::kVcpInfLabel : kitforge::kLinkvaneInfLabel);
    QCOMPARE(h.Find<QLabel>("lblInfExample")->text(),
             vcp ? "Example: \"ostxxxxx.inf\"" : "Example: \"Vdlink.inf\"");
    // Text beyond ASCII is shown as typed and written as single-byte text.
    h.Type("txtCompanyName", QStringLiteral("Acme Ger\u00e4tebau"));
    h.Type("txtPid", "c0de");
    h.Next();
    // The Linkvane set has no COM port; its hidden field keeps "-".
    QCOMPARE(h.Find<QLineEdit>("txtComDeviceName")->isVisible(), vcp);
    h.Type("txtUsbDeviceName", "Acme Thickness Sensor");
    h.Next();
    if (installer) {
        h.Type("txtInstallerName", "AcmeSetup");
        h.Next();
        QVERIFY(h.Find<QCheckBox>("chkDisplayInstall")->isChecked());
        h.Click("chkDisplayInstall");  // quiet install
        h.Next();
    }
    h.Back();  // "INF Files only" skips the installer pages both ways
    QCOMPARE(h.PageName(), installer ? "CInstallerOptionsPage" : "CDeviceNamesPage");
    h.Next();
    h.Type("txtGenerationDir", folder);
    h.Next();  // the missing folder: the scripted desktop answers Yes
    QVERIFY(h.Find<QPlainTextEdit>("txtSummaryValues")
                ->toPlainText()
                .contains(QStringLiteral("\nAcme Ger\u00e4tebau\n")));

    h.Next();  // Finish
    QVERIFY(h.Completed());
    QCOMPARE(h.Messages(), QStringList({text::kDirectoryMissing, text::kGenerated}));
    for (const auto& message : h.Desk().Messages()) QCOMPARE(message.title, kitforge::kProgramName);
    QCOMPARE(h.Desk().Messages()[0].buttons, zelvo::MsgButtons::YesNo);
    QCOMPARE(h.Desk().Messages()[0].icon, zelvo::MsgIcon::Question);
    const QByteArray inf = ReadBytes(folder + (vcp ? "/abcdbus.inf" : "/abcdefgh.inf"));
    QVERIFY(inf.contains("&PID_C0DE\r\n"));
    QVERIFY(inf.contains("\"Acme Ger\xe4tebau\"\r\n"));
    QVERIFY(inf.contains("\"Acme Thickness Sensor\"\r\n"));
    if (installer) {
        QVERIFY(ReadBytes(folder + "/setup.ini").contains("[Install Quiet Mode]\r\nOn\r\n"));
        QVERIFY(QFile::exists(folder + "/AcmeSetup.exe"));
    }
}

void WizardWalkTest::finishFailureKeepsSummaryForAnotherTry() {
    QTemporaryDir temp;
    QFile obstacle(temp.filePath("x86"));  // a file where the x86 subfolder belongs
    QVERIFY(obstacle.open(QIODevice::WriteOnly));
    WizardHarness h;
    h.WalkToOutputFolder("optVcp", false);
    h.Type("txtGenerationDir", temp.path());
    h.Next();
    h.Next();  // Finish fails
    QCOMPARE(h.PageName(), "CSummaryPage");
    QCOMPARE(h.Messages().last(), text::kCouldNotGenerate);
    h.Back();  // another folder, and Finish again
    QCOMPARE(h.Text("txtGenerationDir"), temp.path() + "/");
    h.Type("txtGenerationDir", temp.filePath("second"));
    h.Next();
    h.Next();
    QVERIFY(h.Completed());
}

QTEST_MAIN(WizardWalkTest)
#include "WizardWalkTest.moc"
