// Walks the whole wizard for both driver sets and both output kinds, typing and
// clicking as a user does, and checks the package that Finish writes.

#include <QtTest>

#include "PageChecks.hpp"
#include "WizardHarness.hpp"

using kitforge::testing::FilesBelow;
using kitforge::testing::ReadPackageFile;
using kitforge::testing::WizardHarness;

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
    QTest::addColumn<QStringList>("files");

    const QStringList vcpDrivers{"x64/ostxbus.sys",  "x64/ostxcmnt.sys", "x64/ostxser.sys",
                                 "x64/ostxwhnt.sys", "x86/ostxbus.sys",  "x86/ostxcmnt.sys",
                                 "x86/ostxser.sys",  "x86/ostxwhnt.sys"};
    const QStringList linkvaneDrivers{"x64/Vdcore.sys", "x64/Vdlink.sys", "x86/Vdcore.sys",
                                      "x86/Vdlink.sys"};
    QTest::newRow("VCP set with installer")
        << "optVcp" << true
        << QStringList{"AcmeSetup.exe", "ostxbus.inf", "ostxw2k.inf", "setup.ini"} + vcpDrivers;
    QTest::newRow("VCP set, INF files only")
        << "optVcp" << false << QStringList{"ostxbus.inf", "ostxw2k.inf"} + vcpDrivers;
    QTest::newRow("Linkvane set with installer")
        << "optLinkvane" << true
        << QStringList{"AcmeSetup.exe", "Vdlink.inf", "setup.ini"} + linkvaneDrivers;
    QTest::newRow("Linkvane set, INF files only")
        << "optLinkvane" << false << QStringList{"Vdlink.inf"} + linkvaneDrivers;
}

void WizardWalkTest::walkWritesThePackage() {
    QFETCH(QString, driverSet);
    QFETCH(bool, installer);
    QFETCH(QStringList, files);
    const bool vcp = driverSet == "optVcp";
    const QString shotPrefix = QString(vcp ? "vcp" : "linkvane") + (installer ? "-exe-" : "-inf-");
    QTemporaryDir temp;
    QVERIFY(temp.isValid());
    const QString folder = temp.filePath("out/package");

    WizardHarness h;
    h.Shot(shotPrefix + "1-install-type-empty");
    h.Click(driverSet.toLatin1().constData());
    h.Click(installer ? "optInstaller" : "optInfOnly");
    h.Shot(shotPrefix + "1-install-type");
    h.Next();
    QCOMPARE(h.PageName(), "CCertificationPage");
    h.Shot(shotPrefix + "2-certification");
    h.Next();

    QCOMPARE(h.PageName(), "CCompanyPage");
    h.Shot(shotPrefix + "3-company");
    // Text beyond ASCII is shown as typed and written as single-byte text.
    h.Type("txtCompanyName", QStringLiteral("Acme Ger\u00e4tebau"));
    h.Type("txtVid", "2e1a");
    h.Type("txtPid", "c0de");
    QCOMPARE(h.Text("txtVid"), "2E1A");
    QCOMPARE(h.Text("txtPid"), "C0DE");
    h.Next();

    QCOMPARE(h.PageName(), "CDeviceNamesPage");
    h.Shot(shotPrefix + "4-device-names");
    h.Type("txtUsbDeviceName", "Acme Thickness Sensor");
    h.Next();

    if (installer) {
        QCOMPARE(h.PageName(), "CInstallerNamesPage");
        h.Shot(shotPrefix + "5-installer-names");
        h.Type("txtInstallerName", "AcmeSetup");
        h.Next();
        QCOMPARE(h.PageName(), "CInstallerOptionsPage");
        h.Shot(shotPrefix + "6-installer-options");
        h.Click("chkDisplayInstall");  // quiet install
        h.Next();
    }

    QCOMPARE(h.PageName(), "COutputFolderPage");
    h.Shot(shotPrefix + "7-output-folder");
    h.Type("txtGenerationDir", folder);
    h.Next();  // the missing folder: the scripted desktop answers Yes
    QCOMPARE(h.PageName(), "CSummaryPage");
    QVERIFY(QFileInfo(folder).isDir());
    h.Shot(shotPrefix + "8-summary");

    const QString values = h.Find<QPlainTextEdit>("txtSummaryValues")->toPlainText();
    QVERIFY(values.contains(QStringLiteral("\nAcme Ger\u00e4tebau\n")));
    QVERIFY(values.contains("2E1A/C0DE\n"));
    QVERIFY(values.endsWith(folder + "/"));
    if (installer) {
        QVERIFY(values.contains("\nYes\nOstrelix "));
        QVERIFY(values.contains("\nAcmeSetup\nNo\nYes\n"));  // quiet install, files copied
    } else {
        // Without an installer every installer line reads "-".
        QVERIFY(values.contains("\nNo\n-\n-\n-\n-\n-\n-\n-\n\n"));
    }

    h.Next();  // Finish
    QVERIFY(h.Ended());
    QVERIFY(h.Wizard().Completed());
    QCOMPARE(h.Messages(),
             QStringList({kitforge::text::kDirectoryMissing, kitforge::text::kGenerated}));
    for (const auto& message : h.Desk().Messages()) QCOMPARE(message.title, kitforge::kProgramName);
    QCOMPARE(h.Desk().Messages()[0].buttons, zelvo::MsgButtons::YesNo);
    QCOMPARE(h.Desk().Messages()[0].icon, zelvo::MsgIcon::Question);

    QCOMPARE(FilesBelow(folder), files);
    const QByteArray inf = ReadPackageFile(folder + (vcp ? "/ostxbus.inf" : "/Vdlink.inf"));
    QVERIFY(inf.contains("USB\\VID_2E1A&PID_C0DE\r\n"));
    QVERIFY(inf.contains("\"Acme Ger\xe4tebau\"\r\n"));
    QVERIFY(inf.contains("\"Acme Thickness Sensor\"\r\n"));
    if (installer) {
        const QByteArray ini = ReadPackageFile(folder + "/setup.ini");
        QVERIFY(ini.contains("[Company Name]\r\nAcme Ger\xe4tebau\r\n"));
        QVERIFY(ini.contains("[VID]\r\n2E1A\r\n\r\n[PID]\r\nC0DE\r\n"));
        QVERIFY(ini.contains("[Install Quiet Mode]\r\nOn\r\n"));
        QVERIFY(ini.contains("[Uninstall Quiet Mode]\r\nOff\r\n"));
        // The installer program is the carried one, byte for byte.
        QCOMPARE(ReadPackageFile(folder + "/AcmeSetup.exe"),
                 ReadPackageFile(KITFORGE_DATA_DIR "/installer.exe"));
    }
}

void WizardWalkTest::finishFailureKeepsSummaryForAnotherTry() {
    QTemporaryDir temp;
    QVERIFY(temp.isValid());
    // A file where the x86 subfolder belongs makes the generation fail.
    const QString blocked = temp.filePath("blocked");
    QVERIFY(QDir().mkpath(blocked));
    QFile obstacle(blocked + "/x86");
    QVERIFY(obstacle.open(QIODevice::WriteOnly));
    obstacle.close();

    WizardHarness h;
    h.WalkToOutputFolder("optVcp", false);
    h.Type("txtGenerationDir", blocked);
    h.Next();
    QCOMPARE(h.PageName(), "CSummaryPage");
    h.Next();  // Finish fails
    QVERIFY(!h.Ended());
    QCOMPARE(h.PageName(), "CSummaryPage");
    QCOMPARE(h.Messages().last(), kitforge::text::kCouldNotGenerate);
    QCOMPARE(h.Desk().Messages().back().icon, zelvo::MsgIcon::Critical);

    // Back to the folder page, another folder, and Finish again.
    h.Back();
    QCOMPARE(h.PageName(), "COutputFolderPage");
    QCOMPARE(h.Text("txtGenerationDir"), blocked + "/");
    h.Type("txtGenerationDir", temp.filePath("second"));
    h.Next();
    h.ClearMessages();
    h.Next();
    QVERIFY(h.Ended());
    QCOMPARE(h.Messages(), QStringList({kitforge::text::kGenerated}));
    QCOMPARE(FilesBelow(temp.filePath("second")).size(), 10);
}

QTEST_MAIN(WizardWalkTest)
#include "WizardWalkTest.moc"
