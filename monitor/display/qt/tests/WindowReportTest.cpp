// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// File > Run Report after a logged run: the PDF of the run beside the log, opened.

#include <QProcess>
#include <QTest>

#include "WindowHarness.hpp"

using zelvo::testing::WindowHarness;

namespace zelvo {

class WindowReportTest : public QObject {
    Q_OBJECT

  private slots:
    void runReportWritesTheLastRunBesideTheLogAndOpensIt();
};

void WindowReportTest::runReportWritesTheLastRunBesideTheLogAndOpensIt() {
    WindowHarness h;
    h.StartUp();
    QTest::mouseClick(h.W().runBar.optLog[1], Qt::LeftButton);
    QTest::mouseClick(h.W().setup.optLogType[1], Qt::LeftButton);  // Append: runs 2 and 3
    h.W().setup.cboRows->setCurrentIndex(1);
    for (int run = 0; run < 2; ++run) {
        QTest::mouseClick(h.W().runBar.cmdFSwitch[0], Qt::LeftButton);
        h.Sweep(3);
        QTest::mouseClick(h.W().runBar.cmdFSwitch[0], Qt::LeftButton);
    }
    h.desktop.ClearMessages();
    h.W().findChild<QAction*>("mnuRunReport")->trigger();
    QVERIFY2(h.desktop.Messages().empty(), h.LastMessage().c_str());
    const std::string pdf =
        h.folder.Path(h.State().LogFile.substr(0, h.State().LogFile.rfind('.')) + ".pdf");
    QCOMPARE(h.desktop.OpenedDocuments().back(), pdf);
    QProcess text;
    text.start("pdftotext", {QString::fromStdString(pdf), "-"});
    QVERIFY(text.waitForFinished(60000));
    const QString page = text.readAllStandardOutput();
    QVERIFY2(page.contains("Run 3") && !page.contains("Run 2"), qPrintable(page));
}

}  // namespace zelvo

QTEST_MAIN(zelvo::WindowReportTest)
#include "WindowReportTest.moc"
