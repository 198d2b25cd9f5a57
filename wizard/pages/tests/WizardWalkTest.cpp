// Walks the whole wizard for both driver sets and both output kinds, typing and
// clicking as a user does, and checks the package that Finish writes.

#include <QtTest>

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
    QTest::addColumn<int>("files");  // the exact lists are the core's to check
    QTest::newRow("vcp-exe") << "optVcp" << true << 12;
    QTest::newRow("vcp-inf") << "optVcp" << false << 10;
    QTest::newRow("linkvane-exe") << "optLinkvane" << true << 7;
    QTest::newRow("linkvane-inf") << "optLinkvane" << false << 5;
}

void WizardWalkTest::walkWritesThePackage() {
    QFETCH(QString, driverSet);
    QFETCH(bool, installer);
    QFETCH(int, files);
    const bool vcp = driverSet == "optVcp";
    QTemporaryDir temp;
    const QString folder = temp.filePath("out/package");  // two levels to create

    WizardHarness h(QTest::currentDataTag());
    h.Click(driverSet.toLatin1().constData());
    h.Click(installer ? "optInstaller" : "optInfOnly");
    h.Next();
    h.Next();
    // Text beyond ASCII is shown as typed and written as single-byte text.
    h.Type("txtCompanyName", QStringLiteral("Acme Ger\u00e4tebau"));
    h.Type("txtVid", "2e1a");
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
    QCOMPARE(h.PageName(), "CSummaryPage");

    const QString values = h.Find<QPlainTextEdit>("txtSummaryValues")->toPlainText();
    QVERIFY(values.contains(QStringLiteral("\nAcme Ger\u00e4tebau\n")));
    QVERIFY(values.contains("2E1A/C0DE\n"));
    QVERIFY(values.endsWith(folder + "/"));
    QCOMPARE(values.contains("\nAcmeSetup\nNo\nYes\n"), installer);
    QCOMPARE(values.contains("\nNo\n-\n-\n-\n-\n-\n-\n-\n\n"), !installer);

    h.Next();  // Finish
    QVERIFY(h.Completed());
    QCOMPARE(h.Messages(), QStringList({text::kDirectoryMissing, text::kGenerated}));
    for (const auto& message : h.Desk().Messages()) QCOMPARE(message.title, kitforge::kProgramName);
    QCOMPARE(h.Desk().Messages()[0].buttons, zelvo::MsgButtons::YesNo);
    QCOMPARE(h.Desk().Messages()[0].icon, zelvo::MsgIcon::Question);

    int found = 0;
    for (QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories); it.hasNext();
         it.next())
        ++found;
    QCOMPARE(found, files);
    const QByteArray inf = ReadBytes(folder + (vcp ? "/ostxbus.inf" : "/Vdlink.inf"));
    QVERIFY(inf.contains("USB\\VID_2E1A&PID_C0DE\r\n"));
    QVERIFY(inf.contains("\"Acme Ger\xe4tebau\"\r\n"));
    QVERIFY(inf.contains("\"Acme Thickness Sensor\"\r\n"));
    if (installer) {
        const QByteArray ini = ReadBytes(folder + "/setup.ini");
        QVERIFY(ini.contains("[Company Name]\r\nAcme Ger\xe4tebau\r\n"));
        QVERIFY(
            ini.contains("[Install Quiet Mode]\r\nOn\r\n\r\n[Uninstall Quiet Mode]\r\nOff\r\n"));
        QCOMPARE(ReadBytes(folder + "/AcmeSetup.exe"),
                 ReadBytes(KITFORGE_DATA_DIR "/installer.exe"));
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
    QCOMPARE(h.Desk().Messages().back().icon, zelvo::MsgIcon::Critical);
    h.Back();  // another folder, and Finish again
    QCOMPARE(h.Text("txtGenerationDir"), temp.path() + "/");
    h.Type("txtGenerationDir", temp.filePath("second"));
    h.Next();
    h.Next();
    QVERIFY(h.Completed());
}

QTEST_MAIN(WizardWalkTest)
#include "WizardWalkTest.moc"
