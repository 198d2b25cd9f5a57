// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// frmMain: building the grids and layout from the settings (FormInit, FormSize,
// LoadData), the view region, the lock, and the controls that rebuild them.

#include <QLayout>
#include <QMenuBar>
#include <QResizeEvent>
#include <QTimer>
#include <cmath>

#include "DisplayTexts.hpp"
#include "FindZelvos.hpp"
#include "FormLayout.hpp"
#include "Format.hpp"
#include "GridRules.hpp"
#include "KeyboardReach.hpp"
#include "QtText.hpp"
#include "ViewRules.hpp"
#include "cErrHandler.hpp"
#include "frmMain.hpp"

namespace zelvo::qt {
namespace {

// How long a window restored from maximised waits for the window manager's normal
// size before it is laid out all the same.
constexpr int kRestoreWaitMs = 500;

QRect Rect(const DesignRect& r) {
    return {r.left, r.top, r.width, r.height};
}

std::string Proc(const char* name) {
    return std::string(kFormName) + "_" + name;
}

template <class Widget, class Body>
void Quietly(Widget* widget, Body body) {
    const bool blocked = widget->blockSignals(true);
    body();
    widget->blockSignals(blocked);
}

}  // namespace

void frmMain::FormInit() {
    RunProcedure(Proc("FormInit"), [&] {
        grdRdgs->Init(state_.Units);
        grdParams->Init();
        EditLocked(state_.Locked);
        setup.grdSN->Init();
        FillZelvoGrid(state_, *setup.grdSN);
        chart.FillLists();
    });
}

void frmMain::FormSize() {
    FormSizeAt(size());
}

void frmMain::FormSizeAt(QSize outer) {
    RunProcedure(Proc("FormSize"), [&] {
        // The horizontal factor of the given size carries over to the new height.
        const int sides = width() - central_->width();
        const double scale = resizer_->Enabled()
                                 ? (outer.width() - sides) / static_cast<double>(kDesignInnerWidth)
                                 : 1.0;
        if (!state_.StartingUp) resizer_->SetEnabled(false);
        const int rows = state_.ShowLast + 1;
        grdRdgs->SetRows(rows);
        grdParams->SetRows(rows);
        const GridBand band = PlaceGrids(state_.ShowLast, kDesignRowHeightPx);
        resizer_->SetDesignRect(grdRdgs, Rect(band.readings));
        resizer_->SetDesignRect(grdParams, Rect(band.params));
        const LowerRegion lower = PlaceLowerRegion(band);
        resizer_->SetDesignRect(setup.fraSetup, Rect(lower.setup));
        resizer_->SetDesignRect(chart.fraGraph, Rect(lower.graph));
        resizer_->SetDesignRect(chart.fraGraphSetup, Rect(lower.graphSetup));
        runBar.StretchLine(kDesignInnerWidth);
        const int inner = InnerHeight(band);
        resizer_->SetReference({kDesignInnerWidth, inner});
        if (!isMaximized()) {
            // The frame allowance: the window's outer height less its inner height.
            if (layout() != nullptr) layout()->activate();
            const int allowance = height() - central_->height();
            const double factor = state_.StartingUp ? resizer_->ScaleY() : scale;
            resize(outer.width(), static_cast<int>(std::lround(inner * factor)) + allowance);
        }
        for (int r = 0; r <= state_.ShowLast && r < kChannelCount; ++r) {
            const size_t ch = static_cast<size_t>(r);
            grdRdgs->SetRowHeaderText(r, state_.ChannelName[ch]);
            // Hidden, but names the row's cells for a screen reader.
            grdParams->SetText(r, kRowHeaderColumn, grdRdgs->Text(r, kRowHeaderColumn));
            grdParams->SetCellText(r, 0, FormatNumber(state_.ChannelDensity[ch], "0.000"));
            grdParams->SetCellText(r, 1, FormatNumber(state_.ChannelZFactor[ch], "0.000"));
            grdParams->SetCellText(r, 2, FormatNumber(state_.ChannelTooling[ch], "0.00"));
        }
        if (!state_.StartingUp) resizer_->SetEnabled(true);
    });
}

void frmMain::LoadData() {
    RunProcedure(Proc("LoadData"), [&] {
        Quietly(setup.cboRows, [&] {
            setup.cboRows->clear();
            for (int n = 1; n <= kChannelCount; ++n) setup.cboRows->addItem(QString::number(n));
            setup.cboRows->setCurrentIndex(-1);
        });
        for (int r = 0; r < kChannelCount; ++r) {
            setup.grdSN->SetCellText(r, 0, state_.ChannelName[static_cast<size_t>(r)]);
            setup.grdSN->SetCellText(r, 1, state_.ChannelSerial[static_cast<size_t>(r)]);
        }
        if (state_.LogEnabled >= 0 && state_.LogEnabled <= 1)
            runBar.optLog[static_cast<size_t>(state_.LogEnabled)]->setChecked(true);
        runBar.txtRun->setText(QString::number(state_.RunNum));
        if (state_.Units >= 0 && state_.Units <= 2)
            setup.optUnits[static_cast<size_t>(state_.Units)]->setChecked(true);
        setup.txtPeriod->setText(Q(FormatNumber(state_.Period, "#.00")));
        setup.txtFilter->setText(QString::number(FilterOf(state_, 0).Size()));
        const double hz[] = {state_.FreqMax, state_.FreqMin, state_.FreqInit};
        for (size_t i = 0; i < 3; ++i)
            setup.txtInit[i]->setText(Q(FormatNumber(hz[i] / 1000000, "0.000")));
        setup.cboRows->setCurrentIndex(state_.ShowLast);
        setup.cboRate->setCurrentIndex(state_.Rate);
        setup.chkOnTop->setChecked(state_.OnTop != 0);
        setup.chkLock->setChecked(state_.Locked);
        if (state_.LogType >= 0 && state_.LogType <= 2)
            setup.optLogType[static_cast<size_t>(state_.LogType)]->setChecked(true);
        setup.lblFileName->setText(Q(state_.LogFile));
        chart.txtXAxis->setText(QString::number(state_.XRange));
        chart.cboXUnits->setCurrentIndex(state_.XUnits);
        chart.cboXScroll->setCurrentIndex(state_.XScroll);
        chart.ShowSeries(state_.ShowLast + 1);
        chart.LoadData();
    });
}

void frmMain::ApplyView(int16_t v) {
    const ViewLayout layout = LayoutForView(v);
    for (QAction* item : mnuView) item->setChecked(false);
    chart.ShowChart(0);
    if (!layout.changesFrames) return;
    mnuView[static_cast<size_t>(layout.checked)]->setChecked(true);
    setup.fraSetup->setVisible(layout.setupVisible);
    chart.fraGraph->setVisible(layout.graphVisible);
    chart.fraGraphSetup->setVisible(layout.graphVisible);
    chart.ShowChart(layout.chart);
}

void frmMain::EditLocked(bool locked) {
    grdParams->SetLocked(locked);
    runBar.txtRun->setReadOnly(locked);
    runBar.fraDataLog->setEnabled(!locked);
}

bool frmMain::PreResize(const QString& name, double size) {
    if (name == "grdRdgs") {
        grdRdgs->ApplyFontSize(size);
    } else if (name == "grdParams") {
        grdParams->ApplyFontSize(size);
    } else if (name == "grdSN") {
        setup.grdSN->ApplyFontSize(size);
    } else {
        return false;
    }
    return true;
}

void frmMain::cboRows_Click() {
    if (!state_.StartingUp) {
        state_.ShowLast = std::max(0, setup.cboRows->currentIndex());
        if (isMaximized()) {
            // Restored first, laid out at the normal size when the window manager has
            // given it back (a size set before would be lost under the maximised
            // window), then maximised again around it.
            restoring_ = size();
            showNormal();
            QTimer::singleShot(kRestoreWaitMs, this, [this] { LayOutRestored(); });
        } else {
            FormSizeAt(size());
        }
    }
    chart.ShowSeries(state_.ShowLast + 1);
}

void frmMain::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    if (restoring_.isValid() && event->size() != restoring_) {
        QTimer::singleShot(0, this, [this] { LayOutRestored(); });
    }
}

void frmMain::LayOutRestored() {
    if (!restoring_.isValid()) return;
    restoring_ = QSize();
    FormSizeAt(normalGeometry().size());
    showMaximized();
}

void frmMain::optUnits_Click(int index) {
    if (state_.StartingUp) return;
    state_.Units = index;
    FormInit();
}

void frmMain::chkLock_Click() {
    if (state_.StartingUp) return;
    state_.Locked = setup.chkLock->isChecked();
    EditLocked(state_.Locked);
}

void frmMain::chkOnTop_Click() {
    if (state_.StartingUp) return;
    state_.OnTop = setup.chkOnTop->isChecked() ? 1 : 0;
    FormOnTop(state_.OnTop >= 1);
}

// Reading order: the run bar, the parameter grid, then the setup frames column by
// column (or the chart's settings strip, whichever is shown). Alt+F, Alt+V and
// Alt+H open the menus and Alt+S presses the run button; View, Select and Find keep
// their letters for when the focus is in their frame.
void frmMain::SetKeyboardReach() {
    SetTabChain({runBar.cmdFSwitch[0], runBar.cmdFSwitch[1], runBar.txtRun,
                 runBar.optLog[0],     runBar.optLog[1],     grdParams,
                 setup.optLogType[0],  setup.optLogType[1],  setup.optLogType[2],
                 setup.cmdView,        setup.cmdSelect,      setup.txtPeriod,
                 setup.txtInit[0],     setup.txtInit[1],     setup.txtInit[2],
                 setup.optUnits[0],    setup.optUnits[1],    setup.optUnits[2],
                 setup.txtFilter,      setup.cboRate,        setup.cboRows,
                 setup.chkLock,        setup.chkOnTop,       setup.grdSN,
                 setup.cmdFind,        chart.txtYMax,        chart.txtYMin,
                 chart.txtXAxis,       chart.cboXUnits,      chart.cboXScroll});
    auto* mnemonics = new FrameMnemonics(this);
    mnemonics->Add(setup.cmdView, setup.fraFile);
    mnemonics->Add(setup.cmdSelect, setup.fraFile);
    mnemonics->Add(setup.cmdFind, setup.fraZelvo);
}

}  // namespace zelvo::qt
