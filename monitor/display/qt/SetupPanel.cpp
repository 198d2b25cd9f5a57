// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "SetupPanel.hpp"

#include "DisplayTexts.hpp"
#include "GridRules.hpp"
#include "QtText.hpp"
#include "WidgetFactory.hpp"

namespace zelvo::qt {

SetupPanel::SetupPanel(QWidget* host, Resizer& resizer) {
    WidgetFactory make(host, resizer);
    fraSetup = make.Frame("fraSetup", {8, 163, 577, 265});
    BuildFile(resizer);
    BuildInit(resizer);
    BuildDisplay(resizer);
    BuildZelvo(resizer);
}

void SetupPanel::BuildFile(Resizer& resizer) {
    fraFile =
        WidgetFactory(fraSetup, resizer).Group("fraFile", texts::kFileFrame, {0, 0, 180, 128});
    WidgetFactory make(fraFile, resizer);
    optLogType[0] =
        make.Option("optLogType_0", texts::kOverwrite, {8, 18, 92, 18}, texts::kOverwriteTip);
    optLogType[1] = make.Option("optLogType_1", texts::kAppend, {8, 38, 92, 18}, texts::kAppendTip);
    optLogType[2] =
        make.Option("optLogType_2", texts::kRunNumbered, {8, 58, 92, 18}, texts::kRunNumberedTip);
    cmdView = make.Button("cmdView", texts::kView, {104, 18, 68, 24}, texts::kViewTip);
    cmdSelect = make.Button("cmdSelect", texts::kSelect, {104, 48, 68, 24}, texts::kSelectTip);
    lblFileName =
        make.Label("lblFileName", texts::kFileNameDesign, {8, 84, 164, 34}, texts::kFileNameTip);
    lblFileName->setFrameShape(QFrame::Panel);
    lblFileName->setFrameShadow(QFrame::Sunken);
    lblFileName->setWordWrap(true);
}

void SetupPanel::BuildInit(Resizer& resizer) {
    fraInit =
        WidgetFactory(fraSetup, resizer).Group("fraInit", texts::kInitFrame, {0, 134, 180, 131});
    WidgetFactory make(fraInit, resizer);
    lblPeriod =
        make.Label("lblPeriod", texts::kPeriodLabel, {8, 22, 44, 18}, texts::kPeriodLabelTip);
    txtPeriod = make.Edit("txtPeriod", {56, 20, 52, 21}, texts::kPeriodTip);
    lblSeconds =
        make.Label("lblSeconds", texts::kSecondsLabel, {112, 22, 40, 18}, texts::kPeriodLabelTip);
    lblCrystal = make.Label("lblCrystal", texts::kCrystalLabel, {8, 50, 166, 16});
    const char* captions[] = {texts::kMaxLabel, texts::kMinLabel, texts::kInitialLabel};
    const char* tips[] = {texts::kMaxTip, texts::kMinTip, texts::kInitialTip};
    for (int i = 0; i < 3; ++i) {
        const QString index = QString::number(i);
        lblInit[static_cast<size_t>(i)] =
            make.Label(qPrintable("lblInit_" + index), captions[i], {8 + 56 * i, 70, 52, 16});
        txtInit[static_cast<size_t>(i)] =
            make.Edit(qPrintable("txtInit_" + index), {8 + 56 * i, 88, 52, 21}, tips[i]);
    }
}

void SetupPanel::BuildDisplay(Resizer& resizer) {
    fraDisplay = WidgetFactory(fraSetup, resizer)
                     .Group("fraDisplay", texts::kDisplayFrame, {186, 0, 150, 265});
    WidgetFactory make(fraDisplay, resizer);
    optUnits[0] = make.Option("optUnits_0", texts::kUnitsKa, {8, 18, 136, 18}, texts::kUnitsKaTip);
    optUnits[1] =
        make.Option("optUnits_1", texts::kUnitsMass, {8, 38, 136, 18}, texts::kUnitsMassTip);
    optUnits[2] = make.Option("optUnits_2", texts::kUnitsA, {8, 58, 136, 18}, texts::kUnitsATip);
    make.Label("lblFilter", texts::kFilterLabel, {8, 88, 72, 18});
    txtFilter = make.Edit("txtFilter", {84, 86, 56, 21}, texts::kFilterTip);
    make.Label("lblResolution", texts::kResolutionLabel, {8, 116, 72, 18});
    cboRate = make.List("cboRate", {84, 114, 56, 22}, texts::kResolutionTip);
    for (const char* item : texts::kRateItems) cboRate->addItem(Q(item));
    make.Label("lblRows", texts::kRowsLabel, {8, 144, 72, 18});
    cboRows = make.List("cboRows", {84, 142, 56, 22}, texts::kRowsTip);
    chkLock = make.Check("chkLock", texts::kLock, {8, 178, 138, 20}, texts::kLockTip);
    chkOnTop = make.Check("chkOnTop", texts::kOnTop, {8, 204, 138, 20}, texts::kOnTopTip);
}

void SetupPanel::BuildZelvo(Resizer& resizer) {
    fraZelvo =
        WidgetFactory(fraSetup, resizer).Group("fraZelvo", texts::kZelvoFrame, {342, 0, 235, 265});
    WidgetFactory make(fraZelvo, resizer);
    grdSN = new AssignmentGrid(fraZelvo);
    resizer.Place(grdSN, {6, 18, 223, 207}, kAssignmentFontPt);
    cmdFind = make.Button("cmdFind", texts::kFind, {6, 232, 80, 25}, texts::kFindTip);
}

}  // namespace zelvo::qt
