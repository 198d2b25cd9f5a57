// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "frmAbout.hpp"

#include <QDate>
#include <QFrame>
#include <QHBoxLayout>
#include <QLocale>
#include <QPainter>
#include <QVBoxLayout>

#include "AboutRules.hpp"
#include "AppInfo.hpp"
#include "DisplayTexts.hpp"
#include "FileUtil.hpp"
#include "QtText.hpp"
#include "UtilityError.hpp"

namespace zelvo::qt {
namespace {

// The product logo: a crystal disc with its electrode, drawn once.
QPixmap Logo() {
    QPixmap logo(48, 48);
    logo.fill(Qt::transparent);
    QPainter painter(&logo);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(QColor(200, 170, 60));
    painter.setPen(QPen(QColor(90, 70, 20), 2));
    painter.drawEllipse(4, 4, 40, 40);
    painter.setBrush(QColor(235, 235, 235));
    painter.drawEllipse(14, 14, 20, 20);
    return logo;
}

// The program file's last-write date in universal time, as a short date.
QString ProgramDate() {
    std::string program;
    std::time_t written = 0;
    std::optional<ZelvoError> failure = ProgramFile(program);
    if (!failure) failure = FileWriteTime(program, written);
    if (failure) {
        ShowUtilityError("frmAbout", *failure);
        return QString();
    }
    const CivilDate date = UtcDate(written);
    return QLocale::system().toString(QDate(date.year, date.month, date.day), QLocale::ShortFormat);
}

}  // namespace

frmAbout::frmAbout(QWidget* parent) : QDialog(parent) {
    setObjectName("frmAbout");
    auto* picture = new QLabel(this);
    picture->setObjectName("Picture1");
    picture->setPixmap(Logo());
    auto* panel = new QFrame(this);
    panel->setFrameShape(QFrame::StyledPanel);
    auto* texts = new QVBoxLayout(panel);
    for (int index : {0, 1, 2, 7, 9}) {
        auto* label = new QLabel(panel);
        label->setObjectName(QString("lblAbout_%1").arg(index));
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        if (index == 7) {
            auto* line = new QFrame(panel);
            line->setFrameShape(QFrame::HLine);
            texts->addWidget(line);
        }
        texts->addWidget(label);
        labels_[index] = label;
    }
    QFont big = labels_[0]->font();
    big.setPointSizeF(big.pointSizeF() * 1.5);
    big.setBold(true);
    labels_[0]->setFont(big);
    cmdOK = new QPushButton(Q(texts::kOk), this);
    cmdOK->setObjectName("cmdOK");
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::close);
    auto* top = new QHBoxLayout;
    top->addWidget(picture, 0, Qt::AlignTop);
    top->addWidget(panel, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(cmdOK, 0, Qt::AlignRight);
}

void frmAbout::Load() {
    const AppInfo& info = GetAppInfo();
    setWindowTitle(Q(AboutCaption(info)));
    labels_[0]->setText(Q(info.productName));
    // The version line's CR LF is a line break on the label.
    labels_[1]->setText(Q(VersionText(info)) + "\n" + ProgramDate());
    labels_[2]->setText(Q(info.legalNotice));
    labels_[7]->setText(Q(OsLine(OsReleaseText(), KernelRelease())));
    std::string program;
    const std::optional<ZelvoError> failure = ProgramFile(program);
    if (failure) ShowUtilityError("frmAbout", *failure);
    std::string folder = GetPathPart(program);
    if (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    labels_[9]->setText(Q(DirectoryLine(folder)));
    setModal(false);
    show();
    raise();
}

}  // namespace zelvo::qt
