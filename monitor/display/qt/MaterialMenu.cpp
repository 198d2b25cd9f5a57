// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "MaterialMenu.hpp"

#include <QCoreApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QVBoxLayout>

#include "AppInfo.hpp"
#include "Format.hpp"
#include "MaterialChoice.hpp"
#include "MaterialTexts.hpp"
#include "QtText.hpp"
#include "TextFile.hpp"
#include "UtilityError.hpp"

namespace zelvo::qt {
namespace {

constexpr int kVisibleRows = 12;

}  // namespace

MaterialMenu::MaterialMenu(MainContext& ctx, Validation& checks, QWidget* parent)
    : QFrame(parent, Qt::Popup),
      lblTitle(new QLabel(this)),
      txtSearch(new QLineEdit(this)),
      lstMaterials(new QTreeWidget(this)),
      cmdSupervision(new QPushButton("Supervision...", this)),
      ctx_(ctx),
      checks_(checks) {
    setObjectName("mnuMaterial");
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    txtSearch->setPlaceholderText(Q(texts::kMaterialSearchHint));
    QStringList columns;
    for (const char* column : texts::kMaterialColumns) columns << Q(column);
    lstMaterials->setColumnCount(static_cast<int>(columns.size()));
    lstMaterials->setHeaderLabels(columns);
    lstMaterials->setRootIsDecorated(false);
    lstMaterials->setFocusPolicy(Qt::NoFocus);
    lstMaterials->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(lblTitle);
    layout->addWidget(txtSearch);
    layout->addWidget(lstMaterials);
    cmdSupervision->setObjectName("cmdSupervision");
    cmdSupervision->setToolTip("Target, crystal life, quality and stability of this channel.");
    layout->addWidget(cmdSupervision, 0, Qt::AlignLeft);
    connect(cmdSupervision, &QPushButton::clicked, this, [this] {
        hide();
        if (onSupervision) onSupervision(row_);
    });
    txtSearch->installEventFilter(this);
    connect(txtSearch, &QLineEdit::textChanged, this, [this] { Refill(); });
    connect(lstMaterials, &QTreeWidget::itemClicked, this, [this] { ChooseCurrent(); });
}

void MaterialMenu::Open(int row, const QPoint& where) {
    if (ctx_.state.Locked || !IsChannel(row)) return;
    row_ = row;
    if (const auto failure = library_.Load(GetAppInfo().folder)) {
        ShowUtilityError("MaterialLibrary_Load", *failure);
    }
    ReportProblems();
    lblTitle->setText(Q(texts::kMaterialMenuTitle) +
                      FromFileText(ctx_.state.ChannelName[static_cast<size_t>(row)]));
    txtSearch->clear();
    Refill();
    const int rowHeight = std::max(lstMaterials->sizeHintForRow(0), 16);
    const int width = lstMaterials->header()->length() + 2 * lstMaterials->frameWidth() + 24;
    lstMaterials->setMinimumSize(width, rowHeight * kVisibleRows);
    adjustSize();
    move(where);
    show();
    txtSearch->setFocus(Qt::PopupFocusReason);
}

void MaterialMenu::ReportProblems() {
    std::string report;
    for (const std::string& problem : library_.Problems()) report += kCrLf + problem;
    if (report == reported_) return;
    reported_ = report;
    if (report.empty()) return;
    Desktop().MessageBox(texts::kMaterialsProblems + report, GetAppInfo().title, MsgButtons::OK,
                         MsgIcon::Exclamation);
}

void MaterialMenu::Refill() {
    shown_.clear();
    lstMaterials->clear();
    for (const Material* m : library_.Search(ToFileText(txtSearch->text()))) {
        shown_.push_back(*m);
        auto* item = new QTreeWidgetItem({FromFileText(m->name), FromFileText(m->formula),
                                          Q(FormatNumber(m->density, "0.000")),
                                          Q(FormatNumber(m->zFactor, "0.000"))});
        for (int column : {2, 3}) item->setTextAlignment(column, Qt::AlignRight | Qt::AlignVCenter);
        lstMaterials->addTopLevelItem(item);
    }
    if (lstMaterials->topLevelItemCount() > 0)
        lstMaterials->setCurrentItem(lstMaterials->topLevelItem(0));
}

void MaterialMenu::ChooseCurrent() {
    const int index = lstMaterials->indexOfTopLevelItem(lstMaterials->currentItem());
    if (index < 0 || index >= static_cast<int>(shown_.size())) return;
    const Material chosen = shown_[static_cast<size_t>(index)];
    hide();
    mnuMaterial_Click(ctx_, checks_, row_, chosen);
}

// Keys typed into the search box that move in or choose from the list.
bool MaterialMenu::eventFilter(QObject* watched, QEvent* event) {
    if (watched != txtSearch || event->type() != QEvent::KeyPress)
        return QFrame::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    switch (key->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
            QCoreApplication::sendEvent(lstMaterials, event);
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            ChooseCurrent();
            return true;
        case Qt::Key_Escape:
            hide();
            return true;
        default:
            return QFrame::eventFilter(watched, event);
    }
}

}  // namespace zelvo::qt
