// The output-folder page: browsing, the name check, the question about a missing
// folder, its creation level by level, and the stored trailing separator.

#include <QtTest>

#include "PageChecks.hpp"
#include "WizardHarness.hpp"

using kitforge::testing::WizardHarness;

class OutputFolderTest : public QObject {
    Q_OBJECT
  private slots:
    void browseReplacesFolderCancelKeepsIt();
    void folderIsStoredWithOneTrailingSeparator();
    void invalidFolderNamesAreRefused();
    void missingFolderAnsweredNoStays();
    void missingFolderIsCreatedLevelByLevel();
    void folderThatCannotBeCreatedIsReported();
};

void OutputFolderTest::browseReplacesFolderCancelKeepsIt() {
    WizardHarness h;
    h.WalkToOutputFolder("optVcp", false);
    h.Type("txtGenerationDir", "/typed/folder");
    h.BrowseAnswer(std::nullopt);
    h.Click("cmdBrowse");
    QCOMPARE(h.Text("txtGenerationDir"), "/typed/folder");
    h.BrowseAnswer(QStringLiteral("/chosen/folder"));
    h.Click("cmdBrowse");
    QCOMPARE(h.Text("txtGenerationDir"), "/chosen/folder");
    // A folder that happens to carry the browser's old cancel marker is still a folder.
    h.BrowseAnswer(QStringLiteral("/tmp/_NoDirSelected_"));
    h.Click("cmdBrowse");
    QCOMPARE(h.Text("txtGenerationDir"), "/tmp/_NoDirSelected_");
    QVERIFY(h.Messages().isEmpty());
}

void OutputFolderTest::folderIsStoredWithOneTrailingSeparator() {
    QTemporaryDir temp;
    QVERIFY(temp.isValid());
    for (const QString& typed : {temp.path(), temp.path() + "/"}) {
        WizardHarness h;
        h.WalkToOutputFolder("optLinkvane", false);
        QVERIFY(h.Text("txtGenerationDir").endsWith("/CustomLinkvaneDriverInstall"));
        h.Type("txtGenerationDir", typed);
        h.Next();
        QCOMPARE(h.PageName(), "CSummaryPage");
        QVERIFY(h.Messages().isEmpty());  // the folder exists: no question
        QCOMPARE(QString::fromStdString(h.Page()->Data().m_strGenerationDir), temp.path() + "/");
        // Back stores in the same way, without any test.
        h.Back();
        h.Type("txtGenerationDir", "never/checked:*");
        h.Back();
        QCOMPARE(h.PageName(), "CDeviceNamesPage");
        QCOMPARE(h.Page()->Data().m_strGenerationDir, "never/checked:*/");
    }
}

void OutputFolderTest::invalidFolderNamesAreRefused() {
    WizardHarness h;
    h.WalkToOutputFolder("optVcp", true);
    const QString message =
        QString::fromStdString(kitforge::InvalidDirectoryMessage(kitforge::PathKind::Host));
    const kitforge::CWizardData before = h.Page()->Data();
    for (const char* bad : {"", "   ", "/tmp/a*b", "/tmp/a?b", "/tmp/a|b", "/tmp/a\"b"}) {
        h.Type("txtGenerationDir", bad);
        h.ClearMessages();
        h.Next();
        QCOMPARE(h.PageName(), "COutputFolderPage");
        QCOMPARE(h.Messages(), QStringList{message});
        QCOMPARE(h.Page()->Data().m_strGenerationDir, before.m_strGenerationDir);
    }
}

void OutputFolderTest::missingFolderAnsweredNoStays() {
    QTemporaryDir temp;
    QVERIFY(temp.isValid());
    const QString folder = temp.filePath("missing");
    WizardHarness h;
    h.WalkToOutputFolder("optVcp", false);
    h.Type("txtGenerationDir", folder);
    h.Desk().Answer(zelvo::MsgResult::No);
    h.Next();
    QCOMPARE(h.PageName(), "COutputFolderPage");
    QCOMPARE(h.Messages(), QStringList{kitforge::text::kDirectoryMissing});
    QVERIFY(!QFileInfo::exists(folder));
    QCOMPARE(h.Text("txtGenerationDir"), folder);
}

void OutputFolderTest::missingFolderIsCreatedLevelByLevel() {
    QTemporaryDir temp;
    QVERIFY(temp.isValid());
    QVERIFY(QDir().mkpath(temp.filePath("a")));
    const QString folder = temp.filePath("a/b/c/");
    WizardHarness h;
    h.WalkToOutputFolder("optVcp", false);
    h.Type("txtGenerationDir", folder);
    h.Desk().Answer(zelvo::MsgResult::Yes);
    h.Next();
    QCOMPARE(h.PageName(), "CSummaryPage");
    QVERIFY(QFileInfo(folder).isDir());
    QCOMPARE(QString::fromStdString(h.Page()->Data().m_strGenerationDir), folder);
}

void OutputFolderTest::folderThatCannotBeCreatedIsReported() {
    QTemporaryDir temp;
    QVERIFY(temp.isValid());
    QFile file(temp.filePath("plain-file"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    WizardHarness h;
    h.WalkToOutputFolder("optLinkvane", true);
    h.Type("txtGenerationDir", temp.filePath("plain-file/sub"));
    h.Next();  // answered Yes
    QCOMPARE(h.PageName(), "COutputFolderPage");
    QCOMPARE(h.Messages(), QStringList({kitforge::text::kDirectoryMissing,
                                        kitforge::text::kCouldNotCreateDirectory}));
    QCOMPARE(h.Desk().Messages()[1].icon, zelvo::MsgIcon::Exclamation);
    QCOMPARE(h.Desk().Messages()[1].title, kitforge::kProgramName);
}

QTEST_MAIN(OutputFolderTest)
#include "OutputFolderTest.moc"
