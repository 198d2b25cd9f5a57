// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The main window with the desktop around it: the about box and help, the
// stored position, one instance per user, and the desktop's file dialog.

#include <QFileDialog>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <vector>

#include "AboutRules.hpp"
#include "QtDesktop.hpp"
#include "QtFileChooser.hpp"
#include "WindowHarness.hpp"
#include "frmAbout.hpp"

using zelvo::testing::WindowHarness;

namespace zelvo {

class WindowDesktopTest : public QObject {
    Q_OBJECT

  private slots:
    void aboutBoxAndHelp();
    void positionSavedRestoredAndOneInstance();
    void fileDialogTakesTheRequest();
    void messageBoxesBelongToTheWindow();
    void aTicksMessageLetsTheTimerGoOn();
};

void WindowDesktopTest::aboutBoxAndHelp() {
    WindowHarness h;
    h.StartUp();
    h.W().mnuHelpAbout->trigger();
    qt::frmAbout* about = h.W().AboutBox();
    QVERIFY(about != nullptr && about->isVisible() && !about->isModal());
    QCOMPARE(about->windowTitle(), QString("About Zelvo"));
    QVERIFY(h.W().windowIcon().availableSizes().contains(QSize(48, 48)));
    QCOMPARE(about->lblAbout(0)->text(), QString("Zelvo"));
    std::string program;
    QVERIFY(!ProgramFile(program));
    std::time_t written = 0;
    QVERIFY(!FileWriteTime(program, written));
    const CivilDate utc = UtcDate(written);
    QCOMPARE(about->lblAbout(1)->text(),
             "Version 1.09\n" + QLocale::system().toString(QDate(utc.year, utc.month, utc.day),
                                                           QLocale::ShortFormat));
    QCOMPARE(about->lblAbout(2)->text(), QString::fromStdString(GetAppInfo().legalNotice));
    QVERIFY(about->lblAbout(7)->text().endsWith(QString::fromStdString(KernelRelease())));
    QCOMPARE(about->lblAbout(9)->text(),
             "Directory: " +
                 QString::fromStdString(std::filesystem::path(program).parent_path().string()));
    QCOMPARE(about->cmdOK->text(), QString("OK"));
    h.Shot("about", about);
    QTest::mouseClick(about->cmdOK, Qt::LeftButton);
    QVERIFY(!about->isVisible());

    // A missing manual is the browser's to report; no program at all to open it
    // is the window's, or Help would do nothing without a word.
    const size_t messages = h.desktop.Messages().size();
    h.W().mnuHelpHelp->trigger();
    QVERIFY(
        QString::fromStdString(h.desktop.OpenedDocuments().back()).endsWith("/manual/index.html"));
    QCOMPARE(h.desktop.Messages().size(), messages);
    h.desktop.SetOpenDocumentResult(false);
    h.W().mnuHelpHelp->trigger();
    QCOMPARE(h.desktop.Messages().size(), messages + 1);
    QVERIFY(QString::fromStdString(h.desktop.Messages().back().text)
                .contains("The desktop could not open the document: "));
    QVERIFY(
        QString::fromStdString(h.desktop.Messages().back().text).endsWith("/manual/index.html"));
}

void WindowDesktopTest::positionSavedRestoredAndOneInstance() {
    WindowHarness h;
    h.StartUp();
    // A second instance is refused while the first runs.
    ZelvoSensors otherSensors;
    {
        qt::frmMain second(otherSensors);
        QVERIFY(!second.Load());
        QCOMPARE(h.desktop.Messages().back().text,
                 std::string("Only one instance of this application at a time."));
        QCOMPARE(h.desktop.Messages().back().icon, MsgIcon::Critical);
    }
    h.W().move(40, 30);
    h.W().mnuExit->trigger();
    QVERIFY(h.W().Unloaded());
    h.Close();
    const std::string stored = h.desktop.GetSetting("Zelvo", "Form Positions", "frmMain", "");
    QVERIFY(QRegularExpression("^L=\\d+;T=\\d+;W=\\d+;H=\\d+;S=0;$")
                .match(QString::fromStdString(stored))
                .hasMatch());
    QVERIFY(std::filesystem::exists(h.folder.Path("lab.cfg")));

    // Twips become pixels, and a left edge beyond the screen comes back by the width.
    h.desktop.SaveSetting("Zelvo", "Form Positions", "frmMain", "L=90000;T=150;W=9000;H=6600;S=0;");
    QVERIFY(h.Load());
    h.FirstTick();
    QCOMPARE(h.W().pos(), QPoint(h.W().screen()->availableGeometry().width() - 600, 10));
    QCOMPARE(h.W().size(), QSize(600, 440));
    h.Close();

    // A maximised window comes back maximised over its normal place, and is saved
    // with that place, not the screen's size.
    const std::string maximised = "L=600;T=450;W=9000;H=6600;S=2;";
    h.desktop.SaveSetting("Zelvo", "Form Positions", "frmMain", maximised);
    QVERIFY(h.Load());
    h.FirstTick();
    QVERIFY(h.W().isMaximized());
    QCOMPARE(h.W().normalGeometry().size(), QSize(600, 440));
    h.W().mnuExit->trigger();
    h.Close();
    QCOMPARE(QString::fromStdString(h.desktop.GetSetting("Zelvo", "Form Positions", "frmMain", "")),
             QString::fromStdString(maximised));
}

void WindowDesktopTest::fileDialogTakesTheRequest() {
    testing::ScratchFolder folder("chooser");
    FileRequest request;
    request.open = false;
    request.title = "Save Setup As";
    request.filters = FilterPairs("Setup files (*.cfg)|*.cfg|All Files (*.*)|*.*");
    request.defaultSuffix = "dat";
    request.startFolder = folder.Folder();
    request.initialName = "zelvo.cfg";
    request.confirmOverwrite = true;
    QString title, directory;
    QStringList filters;
    bool confirms = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog != nullptr);
        title = dialog->windowTitle();
        filters = dialog->nameFilters();
        directory = dialog->directory().absolutePath();
        confirms = !dialog->testOption(QFileDialog::DontConfirmOverwrite);
        dialog->selectFile("line3");
        static_cast<QDialog*>(dialog)->accept();
    });
    qt::QtFileChooser chooser(nullptr);
    const std::optional<std::string> chosen = chooser.Choose(request);
    QCOMPARE(title, QString("Save Setup As"));
    QCOMPARE(filters, QStringList({"Setup files (*.cfg)", "All Files (*.*)"}));
    QCOMPARE(directory, QString::fromStdString(folder.Folder()));
    QVERIFY(confirms);
    QVERIFY(chosen.has_value());
    QCOMPARE(*chosen, folder.Path("line3.dat"));

    QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
    request.open = true;
    QCOMPARE(chooser.Choose(request), std::nullopt);  // cancelled
}

// The desktop's message boxes are owned by the main window, shown or not yet,
// so that a window kept on top never hides them.
void WindowDesktopTest::messageBoxesBelongToTheWindow() {
    WindowHarness h;
    QVERIFY(h.Load());
    h.W().setWindowFlag(Qt::WindowStaysOnTopHint, true);
    QtDesktop desktop;
    struct Shown {
        QWidget* owner = nullptr;
        Qt::WindowFlags flags;
        MsgResult answer = MsgResult::OK;
    };
    auto nextBox = [&desktop] {
        Shown shown;
        QTimer::singleShot(0, [&shown] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr) return;
            shown.owner = box->parentWidget();
            shown.flags = box->windowFlags();
            box->button(QMessageBox::No)->click();
        });
        shown.answer =
            desktop.MessageBox("Use it?", "Zelvo", MsgButtons::YesNo, MsgIcon::Question, 1);
        return shown;
    };
    for (int shownYet = 0; shownYet < 2; ++shownYet) {
        if (shownYet == 1) h.FirstTick();
        const Shown shown = nextBox();
        QCOMPARE(shown.answer, MsgResult::No);
        QCOMPARE(shown.owner, &h.W());
        QVERIFY(shown.flags.testFlag(Qt::CustomizeWindowHint));
        QVERIFY(!shown.flags.testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(!shown.flags.testFlag(Qt::WindowMaximizeButtonHint));
        QVERIFY(shown.flags.testFlag(Qt::WindowStaysOnTopHint));
    }
}

// A message of a timer's tick (a data log the full disk refuses, sweep after sweep)
// is shown once after the tick, and the timer goes on firing while it is open.
void WindowDesktopTest::aTicksMessageLetsTheTimerGoOn() {
    QtDesktop desktop;
    QTimer sweep;
    int ticks = 0;
    QObject::connect(&sweep, &QTimer::timeout, [&] {
        const QtDesktop::MessagesAfterTick later;
        ++ticks;
        desktop.MessageBox("Error: 61.", "AppendToTextFile", MsgButtons::OK, MsgIcon::Exclamation,
                           1);
    });
    std::vector<int> ticksAtBoxes;  // the ticks counted at each box open after half a second
    QTimer::singleShot(500, [&] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* box = qobject_cast<QMessageBox*>(widget); box && box->isVisible()) {
                ticksAtBoxes.push_back(ticks);
                box->button(QMessageBox::Ok)->click();
            }
        }
        sweep.stop();
    });
    sweep.start(5);
    QTRY_VERIFY(!sweep.isActive());
    QCOMPARE(ticksAtBoxes.size(), size_t{1});
    QVERIFY(ticksAtBoxes[0] > 10);
}
}  // namespace zelvo

QTEST_MAIN(zelvo::WindowDesktopTest)
#include "WindowDesktopTest.moc"
