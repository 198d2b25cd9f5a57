// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "frmMain.hpp"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>

#include "Accessibility.hpp"
#include "AppInfo.hpp"
#include "DisplayTexts.hpp"
#include "FormLayout.hpp"
#include "FormPlacement.hpp"
#include "GridRules.hpp"
#include "MonitorIcon.hpp"
#include "QtDesktop.hpp"
#include "QtText.hpp"
#include "RunClock.hpp"
#include "SetupFile.hpp"
#include "StartUp.hpp"
#include "Sweep.hpp"
#include "WidgetFactory.hpp"
#include "frmAbout.hpp"

namespace zelvo::qt {
namespace {

// The design layout of four channels, until FormSize applies the settings.
constexpr int32_t kDesignShowLast = 3;
// The longest a sweep holds back the window's painting.
constexpr int kPaintHoldMs = 200;

QRect Rect(const DesignRect& r) {
    return {r.left, r.top, r.width, r.height};
}

}  // namespace

frmMain::frmMain(ISensorManager& sensors, QWidget* parent)
    : QMainWindow(parent),
      sensors_(sensors),
      tmrRun_(MakeTimer()),
      tmrDate_(MakeTimer()),
      central_(new QWidget(this)),
      resizer_(new Resizer(central_)),
      runBar(central_, *resizer_),
      grdRdgs(new ReadingsGrid(central_)),
      grdParams(new ParamsGrid(central_)),
      setup(central_, *resizer_),
      chart(central_, *resizer_, state_),
      publishStatus(*this),
      supervision(*this, *grdRdgs),
      dataLog_(state_),
      paintHold_(new QTimer(this)) {
    setObjectName(kFormName);
    paintHold_->setSingleShot(true);
    connect(paintHold_, &QTimer::timeout, this, [this] { ReleasePaint(); });
    setWindowTitle(Q(texts::kDesignCaption));
    setWindowIcon(MonitorIcon());
    setCentralWidget(central_);
    QFont font = this->font();
    font.setPointSizeF(kControlFontPt);
    setFont(font);
    const GridBand band = PlaceGrids(kDesignShowLast, kDesignRowHeightPx);
    resizer_->Place(grdRdgs, Rect(band.readings), kReadingsFontPt);
    resizer_->Place(grdParams, Rect(band.params), kParamsFontPt);
    resizer_->SetPreResize(
        [this](const QString& name, double size) { return PreResize(name, size); });
    ctx_ = std::make_unique<MainContext>(MainContext{
        state_, sensors_, MainViews{*this, *grdRdgs, *setup.grdSN, runBar, chart, dataLog_},
        *tmrRun_, *tmrDate_});
    validation_ = std::make_unique<Validation>(*ctx_, *this, *grdParams);
    BuildMenus();
    ConnectRunBar();
    ConnectSetup();
    ConnectGrids();
    WatchBoxes();
    SetKeyboardReach();
    NameControls(this);
    news_ = std::make_unique<ReadingsNews>(grdRdgs, grdParams);
    // The status bar comes below the design height, which the central widget keeps.
    resize(kDesignInnerWidth,
           InnerHeight(band) + menuBar()->sizeHint().height() + statusBar()->sizeHint().height());
}

frmMain::~frmMain() {
    QCoreApplication::instance()->removeEventFilter(this);
    delete about_;
}

bool frmMain::Load() {
    if (!Form_Load(*ctx_)) return false;
    // Every sweep is also offered for publishing (frmMainPublish.cpp).
    tmrRun_->SetOnTick([this] { Sweep(); });
    return true;
}

void frmMain::Sweep() {
    // A data log that cannot be written, or any other notice of the sweep, is shown
    // after it: the readings go on while the box is open.
    const QtDesktop::MessagesAfterTick messagesLater;
    sweeping_ = true;
    paintHold_->start(kPaintHoldMs);
    tmrRun_Timer(*ctx_);
    PublishSweep();
    supervision.AfterSweep(state_, RunClockSeconds(state_));
    sweeping_ = false;
    ReleasePaint();
}

void frmMain::ReleasePaint() {
    paintHold_->stop();
    if (!paintHeld_) return;
    paintHeld_ = false;
    QCoreApplication::postEvent(this, new QEvent(QEvent::UpdateRequest), Qt::LowEventPriority);
}

// The exchanges of a sweep let events run: the paint asked for by the cells and
// chart points changed so far waits for the sweep's end (or the hold's), unless a
// message box shown meanwhile needs the window painted under it.
bool frmMain::event(QEvent* event) {
    if (event->type() == QEvent::UpdateRequest && sweeping_ && paintHold_->isActive() &&
        QApplication::activeModalWidget() == nullptr) {
        paintHeld_ = true;
        return true;
    }
    return QMainWindow::event(event);
}

void frmMain::BuildMenus() {
    QMenu* file = menuBar()->addMenu(Q(texts::kFileMenu));
    file->setObjectName("mnuFile");
    mnuOpen = file->addAction(Q(texts::kOpenItem));
    mnuSave = file->addAction(Q(texts::kSaveItem));
    mnuSaveAs = file->addAction(Q(texts::kSaveAsItem));
    file->addSeparator();
    mnuPrint = file->addAction(Q(texts::kPrintItem));
    AddRunReportItem(file);
    file->addSeparator();
    mnuExit = file->addAction(Q(texts::kExitItem));

    QMenu* view = menuBar()->addMenu(Q(texts::kViewMenu));
    view->setObjectName("mnuViewMenu");
    mnuView[1] = view->addAction(Q(texts::kRateGraphItem));
    mnuView[2] = view->addAction(Q(texts::kThickGraphItem));
    mnuView[3] = view->addAction(Q(texts::kFreqGraphItem));
    view->addSeparator();
    mnuView[0] = view->addAction(Q(texts::kSetupItem));
    for (QAction* item : mnuView) item->setCheckable(true);

    QMenu* help = menuBar()->addMenu(Q(texts::kHelpMenu));
    help->setObjectName("mnuHelp");
    mnuHelpHelp = help->addAction(Q(texts::kHelpItem));
    help->addSeparator();
    mnuHelpAbout = help->addAction(Q(texts::kAboutItem));
}

void frmMain::SetCaption(const std::string& caption) {
    setWindowTitle(Q(caption));
}

bool frmMain::AnotherInstanceRunning() {
    return folderLock_.AnotherHolds(GetAppInfo().folder);
}

void frmMain::EndProgram() {
    // Ending at once: nothing of the shutdown runs, no settings are written.
    unloaded_ = true;
}

void frmMain::CreatePageSetup() {
    PageSetupAtStartUp(pageSetup_, printing_, printing_);
}

void frmMain::FormOnTop(bool on) {
    const bool shown = isVisible();
    const QRect frame = geometry();
    setWindowFlag(Qt::WindowStaysOnTopHint, on);
    if (shown) {
        setGeometry(frame);
        show();
    }
}

void frmMain::LoadChartFiles() {
    chart.LoadStateFiles({SetupFilePath(state_.GraphFile), SetupFilePath(state_.GraphFileThick),
                          SetupFilePath(state_.GraphFileFreq)});
}

void frmMain::ApplyColourDepthRule() {
    // At most 256 colours: eight bits a pixel or fewer.
    const bool fewColours = screen() != nullptr && screen()->depth() <= 8;
    chart.ColourStrip(fewColours);
    if (!fewColours) return;
    for (int r = 0; r < grdRdgs->rowCount(); ++r) {
        for (int c = 0; c < kReadingsColumns; ++c) {
            if (QTableWidgetItem* cell = grdRdgs->item(r, c)) cell->setBackground(Qt::white);
        }
    }
}

void frmMain::Show() {
    show();
}

void frmMain::SetResizerEnabled(bool enabled) {
    resizer_->SetEnabled(enabled);
}

void frmMain::RestorePosition() {
    if (!RestoreFormPosition(this, true)) CenterFormScreen(this);
}

void frmMain::SavePosition() {
    SaveFormPosition(this);
}

int frmMain::WindowState() const {
    if (isMinimized()) return 1;
    return isMaximized() ? 2 : 0;
}

std::unique_ptr<GuardedTimer> frmMain::MakeTimer() {
    return std::make_unique<GuardedTimer>(Desktop().CreateTimer(), ticksRunning_,
                                          [this] { AfterTick(); });
}

// A close asked for while a tick used the sensors happens once no tick runs.
void frmMain::AfterTick() {
    if (ticksRunning_ == 0 && news_ != nullptr)
        news_->Update(state_.RunMode, Desktop().Milliseconds());
    if (ticksRunning_ > 0 || !closePending_) return;
    closePending_ = false;
    QTimer::singleShot(0, this, [this] { close(); });
}

void frmMain::closeEvent(QCloseEvent* event) {
    if (ticksRunning_ > 0) {
        closePending_ = true;
        event->ignore();
        return;
    }
    if (!unloaded_) {
        unloaded_ = true;
        Form_Unload(*ctx_);
        publishing_.Close();  // the channels' statuses say "stopped", the link closes
    }
    if (about_ != nullptr) about_->close();
    event->accept();
}

void frmMain::mnuHelpAbout_Click() {
    if (about_ == nullptr) about_ = new frmAbout(nullptr);
    about_->Load();
}

}  // namespace zelvo::qt
