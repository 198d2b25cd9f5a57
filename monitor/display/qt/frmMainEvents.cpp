// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// frmMain: the controls' events forwarded to the core's handlers, the keyboard
// hooks, and the settings boxes as the input checks see them.

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QTimer>

#include "FileCommands.hpp"
#include "FileUtil.hpp"
#include "FindZelvos.hpp"
#include "GridRules.hpp"
#include "HelpFile.hpp"
#include "QtText.hpp"
#include "RunControl.hpp"
#include "SupervisionDialog.hpp"
#include "frmMain.hpp"

namespace zelvo::qt {
namespace {
constexpr int kEnter = 13;
}

void frmMain::ConnectRunBar() {
    for (int i = 0; i < 2; ++i) {
        connect(runBar.cmdFSwitch[static_cast<size_t>(i)], &QPushButton::clicked, this,
                [this, i] { cmdFSwitch_Click(*ctx_, i); });
        connect(runBar.optLog[static_cast<size_t>(i)], &QRadioButton::toggled, this,
                [this, i](bool on) {
                    if (on) dataLog_.optLog_Click(i);
                });
    }
    connect(mnuOpen, &QAction::triggered, this, [this] { mnuOpen_Click(state_, *this, sensors_); });
    connect(mnuSave, &QAction::triggered, this, [this] { mnuSave_Click(state_); });
    connect(mnuSaveAs, &QAction::triggered, this, [this] { mnuSaveAS_Click(state_, *this); });
    connect(mnuExit, &QAction::triggered, this, [this] { close(); });
    connect(mnuPrint, &QAction::triggered, this, [this] {
        const bool printed = mnuPrint_Click(pageSetup_, printing_, printing_, S(windowTitle()));
        static_cast<void>(printed);  // a page not printed has been told to the operator
    });
    for (int v = 0; v < 4; ++v) {
        connect(mnuView[static_cast<size_t>(v)], &QAction::triggered, this,
                [this, v] { SetView(state_, *this, static_cast<int16_t>(v)); });
    }
    connect(mnuHelpHelp, &QAction::triggered, this, [this] { mnuHelpHelp_Click(); });
    connect(mnuHelpAbout, &QAction::triggered, this, [this] { mnuHelpAbout_Click(); });
}

void frmMain::ConnectSetup() {
    for (int i = 0; i < 3; ++i) {
        const size_t at = static_cast<size_t>(i);
        connect(setup.optLogType[at], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on) dataLog_.optLogType_Click(i);
        });
        connect(setup.optUnits[at], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on) optUnits_Click(i);
        });
    }
    // A refused launch is shown by LaunchDocument itself.
    connect(setup.cmdView, &QPushButton::clicked, this, [this] { dataLog_.cmdView_Click(); });
    connect(setup.cmdSelect, &QPushButton::clicked, this, [this] {
        cmdSelect_Click(state_,
                        [this](const std::string& text) { setup.lblFileName->setText(Q(text)); });
    });
    connect(setup.cboRows, &QComboBox::currentIndexChanged, this, [this] { cboRows_Click(); });
    connect(setup.cboRate, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0) state_.Rate = index;
    });
    connect(setup.chkLock, &QCheckBox::toggled, this, [this] { chkLock_Click(); });
    connect(setup.chkOnTop, &QCheckBox::toggled, this, [this] { chkOnTop_Click(); });
    connect(setup.cmdFind, &QPushButton::clicked, this, [this] { cmdFind_Click(*ctx_); });
}

void frmMain::ConnectGrids() {
    grdRdgs->onClick = [this](int row, int column) { grdRdgs_Click(*ctx_, row, column); };
    grdRdgs->onHover = [this](int, int column) { grdRdgs->setToolTip(Q(ReadingsToolTip(column))); };
    grdParams->onHover = [this](int row, int column) {
        validation_->grdParams_CellOver(row, column);
    };
    grdParams->onBeforeEdit = [this](int row, int column) {
        validation_->grdParams_BeforeEdit(row, column);
    };
    grdParams->onAfterEdit = [this](int row, int column) {
        validation_->grdParams_AfterEdit(row, column);
    };
    mnuMaterial = new MaterialMenu(*ctx_, *validation_, this);
    grdParams->onRowMenu = [this](int row, const QPoint& where) { mnuMaterial->Open(row, where); };
    mnuMaterial->onSupervision = [this](int row) {
        SupervisionDialog dialog(state_, static_cast<size_t>(row), this);
        dialog.exec();
    };
    AssignmentGrid* grdSN = setup.grdSN;
    grdSN->onHover = [grdSN](int, int column) {
        grdSN->setToolTip(Q(AssignmentToolTip(column, S(grdSN->toolTip()))));
    };
    grdSN->onAfterEdit = [this](int row, int column) { grdSN_AfterEdit(*ctx_, row, column); };
}

// Keys and the focus of the settings boxes are watched for the whole window.
void frmMain::WatchBoxes() {
    QCoreApplication::instance()->installEventFilter(this);
}

QLineEdit* frmMain::BoxWidget(EntryBox box) const {
    switch (box) {
        case EntryBox::Run:
            return runBar.txtRun;
        case EntryBox::Period:
            return setup.txtPeriod;
        case EntryBox::Filter:
            return setup.txtFilter;
        case EntryBox::FreqMax:
            return setup.txtInit[0];
        case EntryBox::FreqMin:
            return setup.txtInit[1];
        case EntryBox::FreqInitial:
            return setup.txtInit[2];
        case EntryBox::Other:
            break;
    }
    return nullptr;
}

EntryBox frmMain::BoxOf(const QWidget* control) const {
    for (EntryBox box : {EntryBox::Run, EntryBox::Period, EntryBox::Filter, EntryBox::FreqMax,
                         EntryBox::FreqMin, EntryBox::FreqInitial}) {
        if (control != nullptr && BoxWidget(box) == control) return box;
    }
    return EntryBox::Other;
}

std::string frmMain::Text(EntryBox box) const {
    QLineEdit* edit = BoxWidget(box);
    return edit != nullptr ? S(edit->text()) : "";
}

void frmMain::SetText(EntryBox box, const std::string& text) {
    if (QLineEdit* edit = BoxWidget(box)) edit->setText(Q(text));
}

void frmMain::Focus(EntryBox box) {
    if (QLineEdit* edit = BoxWidget(box)) edit->setFocus();
}

void frmMain::Select(EntryBox box, int start, int length) {
    if (QLineEdit* edit = BoxWidget(box)) edit->setSelection(start, length);
}

void frmMain::Form_KeyPress(int character) {
    if (character != kEnter) return;
    const EntryBox box = BoxOf(focusWidget());
    if (box == EntryBox::Other || validating_) return;
    validating_ = true;
    if (!validation_->Validate(box)) BoxWidget(box)->selectAll();
    validating_ = false;
}

void frmMain::Form_Deactivate() {
    const EntryBox box = BoxOf(focusWidget());
    if (box == EntryBox::Other || validating_) return;
    validating_ = true;
    if (!validation_->Validate(box)) BoxWidget(box)->setFocus();
    validating_ = false;
}

void frmMain::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && !isActiveWindow()) Form_Deactivate();
    QMainWindow::changeEvent(event);
}

// Shift and Ctrl held, Ctrl+0, and Enter, from any control of the window.
void frmMain::FilterKeys(QEvent* event) {
    auto* key = static_cast<QKeyEvent*>(event);
    const bool down = event->type() == QEvent::KeyPress;
    Key which = Key::Other;
    if (key->key() == Qt::Key_Shift) which = Key::Shift;
    if (key->key() == Qt::Key_Control) which = Key::Control;
    if (key->key() == Qt::Key_0) which = Key::Digit0;
    if (down && !key->isAutoRepeat()) {
        Form_KeyDown(*ctx_, which);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) Form_KeyPress(kEnter);
    } else if (!down) {
        Form_KeyUp(*ctx_, which);
    }
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if ((type == QEvent::KeyPress || type == QEvent::KeyRelease) && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->window() == this) {
        // A key a control ignores travels up to its parents; act on it only once.
        auto* widget = static_cast<QWidget*>(watched);
        const bool passedUp = event == lastKey_ && lastKeyReceiver_ != nullptr &&
                              widget != lastKeyReceiver_ && widget->isAncestorOf(lastKeyReceiver_);
        if (!passedUp) {
            lastKey_ = event;
            lastKeyReceiver_ = widget;
            FilterKeys(event);
        }
    }
    auto* edit = qobject_cast<QLineEdit*>(watched);
    const EntryBox box = BoxOf(edit);
    if (box != EntryBox::Other && type == QEvent::FocusIn && box == EntryBox::Run) {
        validation_->txtRun_GotFocus();
    }
    // Losing the focus to another window or a popup is no focus change inside the
    // window: the window's deactivation checks the box then.
    const bool leftTheBox =
        type == QEvent::FocusOut &&
        static_cast<QFocusEvent*>(event)->reason() != Qt::ActiveWindowFocusReason &&
        static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason;
    if (box != EntryBox::Other && leftTheBox && !validating_ && !state_.StartingUp) {
        // Checked once the focus has moved on: the box clears its selection as it
        // loses the focus, and a refusal must leave its text selected.
        QTimer::singleShot(0, this, [this, box] {
            if (validating_) return;
            validating_ = true;
            validation_->ValidateControl(box);
            validating_ = false;
        });
    }
    return QMainWindow::eventFilter(watched, event);
}

void frmMain::mnuHelpHelp_Click() {
    // A missing manual is the browser's to report. When no program at all takes
    // the manual, the operator is told so, as for any document that cannot be opened.
    static_cast<void>(LaunchDocument(ManualFile(), ""));
}

}  // namespace zelvo::qt
