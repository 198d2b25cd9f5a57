// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "RunBar.hpp"

#include "DisplayTexts.hpp"
#include "MonitorTexts.hpp"
#include "QtText.hpp"
#include "WidgetFactory.hpp"

namespace zelvo::qt {

RunBar::RunBar(QWidget* host, Resizer& resizer) : resizer_(resizer) {
    WidgetFactory make(host, resizer);
    cmdFSwitch[0] =
        make.Button("cmdFSwitch_0", texts::kStartCaption, {12, 8, 61, 25}, texts::kStartStopTip);
    cmdFSwitch[1] =
        make.Button("cmdFSwitch_1", texts::kPauseCaption, {84, 8, 61, 25}, texts::kPauseTip);
    lblTimeLabel = make.Label("lblTimeLabel", texts::kRunTimeLabel, {160, 3, 76, 15});
    lblTime = make.Label("lblTime", texts::kRunTimeZero, {160, 19, 76, 18});
    lblRunLabel = make.Label("lblRunLabel", texts::kRunNumberLabel, {250, 3, 60, 15});
    txtRun = make.Edit("txtRun", {250, 17, 60, 21}, "");
    for (QLabel* label : {lblTimeLabel, lblTime, lblRunLabel}) label->setAlignment(Qt::AlignCenter);
    QFont timeFont = lblTime->font();
    timeFont.setBold(true);
    lblTime->setFont(timeFont);

    fraDataLog = make.Frame("fraDataLog", {392, 3, 109, 34});
    WidgetFactory inLog(fraDataLog, resizer);
    optLog[0] = inLog.Option("optLog_0", texts::kDataLogOff, {6, 1, 100, 16}, "");
    optLog[1] = inLog.Option("optLog_1", texts::kDataLogOn, {6, 17, 100, 16}, "");

    lblDateTime = make.Label("lblDateTime", "", {506, 4, 84, 15});
    lblDate = make.Label("lblDate", "", {506, 20, 84, 15});
    Line1 = make.Frame("Line1", {0, 39, 591, 2});
    Line1->setFrameShape(QFrame::HLine);
    Line1->setFrameShadow(QFrame::Sunken);
}

void RunBar::StretchLine(int designWidth) {
    resizer_.SetDesignRect(Line1, {0, 39, designWidth, 2});
}

void RunBar::SetButtonCaption(int index, const std::string& caption) {
    cmdFSwitch.at(static_cast<size_t>(index))->setText(Q(caption));
}

void RunBar::SetButtonBackColor(int index, Rgb color) {
    cmdFSwitch.at(static_cast<size_t>(index))
        ->setStyleSheet(QString("QPushButton { background-color: rgb(%1, %2, %3); color: black; "
                                "border: 1px solid #404040; border-radius: 2px; }")
                            .arg(color.r)
                            .arg(color.g)
                            .arg(color.b));
}

void RunBar::SetButtonVisible(int index, bool visible) {
    cmdFSwitch.at(static_cast<size_t>(index))->setVisible(visible);
}

void RunBar::FocusButton(int index) {
    cmdFSwitch.at(static_cast<size_t>(index))->setFocus();
}

void RunBar::SetRunNumberText(const std::string& text) {
    txtRun->setText(Q(text));
}

void RunBar::SetRunTimeText(const std::string& text) {
    lblTime->setText(Q(text));
}

void RunBar::SetClockText(const std::string& dateText, const std::string& timeText) {
    lblDateTime->setText(Q(dateText));
    lblDate->setText(Q(timeText));
}

}  // namespace zelvo::qt
