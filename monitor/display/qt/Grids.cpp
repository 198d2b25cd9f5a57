// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Grids.hpp"

#include <QApplication>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPalette>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyledItemDelegate>
#include <QTimer>

#include "GridRules.hpp"
#include "QtText.hpp"

namespace zelvo::qt {
namespace {

const QColor kGridBack(224, 224, 224);

// Draws the zero column's cells as push buttons in the button face.
class PushCellDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex&) const override {
        QStyleOptionButton button;
        button.rect = option.rect.adjusted(1, 1, -1, -1);
        button.palette = option.palette;
        button.state = QStyle::State_Enabled | QStyle::State_Raised;
        const QWidget* widget = option.widget;
        QStyle* style = widget != nullptr ? widget->style() : QApplication::style();
        style->drawControl(QStyle::CE_PushButtonBevel, &button, painter, widget);
    }
};

std::vector<int> Widths(const auto& percents) {
    return std::vector<int>(percents.begin(), percents.end());
}

void SetBackground(QWidget* grid, const QColor& color) {
    QPalette p = grid->palette();
    p.setColor(QPalette::Base, color);
    grid->setPalette(p);
}

}  // namespace

ReadingsGrid::ReadingsGrid(QWidget* parent)
    : MonitorGrid("grdRdgs", kReadingsFontPt, parent), fontSize_(kReadingsFontPt) {
    SetBackground(this, kGridBack);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::NoSelection);
    setFocusPolicy(Qt::NoFocus);
    setItemDelegateForColumn(2, new PushCellDelegate(this));
}

void ReadingsGrid::Init(int32_t units) {
    SetShape(rowCount(), kReadingsColumns);
    SetWidths(Widths(kReadingsWidths));
    for (int c = 0; c < kReadingsColumns; ++c) SetText(kHeaderRow, c, Q(ReadingsHeader(units, c)));
    for (int c = 0; c < kReadingsColumns; ++c) SetEditable(c, false);
    StyleZeroColumn();
    ApplyFontSize(fontSize_);
}

void ReadingsGrid::SetRows(int rows) {
    SetShape(rows, kReadingsColumns);
    for (int c = 0; c < kReadingsColumns; ++c) SetEditable(c, false);
    StyleZeroColumn();
    ApplyFontSize(fontSize_);
}

// The zero column's cells are push cells drawn in the button face.
void ReadingsGrid::StyleZeroColumn() {
    const QColor face = QApplication::palette().color(QPalette::Button);
    for (int r = 0; r < rowCount(); ++r) {
        if (QTableWidgetItem* cell = item(r, 2)) cell->setBackground(face);
    }
}

void ReadingsGrid::ApplyFontSize(double size) {
    fontSize_ = size;
    QFont f = font();
    f.setPointSizeF(size);
    setFont(f);
    for (int c = 0; c < kReadingsColumns; ++c) SetCellFontSize(kHeaderRow, c, BaseCellFont(size));
    for (int r = 0; r < rowCount(); ++r) {
        SetCellFontSize(r, kRowHeaderColumn, BaseCellFont(size));
        for (int c = 0; c < kReadingsColumns; ++c) {
            SetCellFontSize(r, c, ReadingsCellFont(size, r, c));
        }
    }
}

void ReadingsGrid::SetCellText(int row, int column, const std::string& text) {
    SetText(row, column, FromFileText(text));
}

void ReadingsGrid::SetRowHeaderText(int row, const std::string& text) {
    SetText(row, kRowHeaderColumn, FromFileText(text));
}

ParamsGrid::ParamsGrid(QWidget* parent)
    : MonitorGrid("grdParams", kParamsFontPt, parent), fontSize_(kParamsFontPt) {
    SetBackground(this, kGridBack);
}

void ParamsGrid::Init() {
    SetShape(rowCount(), kParamsColumns);
    SetWidths(Widths(kParamsWidths));
    for (int c = 0; c < kParamsColumns; ++c) SetText(kHeaderRow, c, Q(ParamsHeader(c)));
    SetLocked(locked_);
    ApplyFontSize(fontSize_);
}

void ParamsGrid::SetRows(int rows) {
    SetShape(rows, kParamsColumns);
    SetLocked(locked_);
    ApplyFontSize(fontSize_);
}

void ParamsGrid::SetLocked(bool locked) {
    locked_ = locked;
    for (int c = 0; c < kParamsColumns; ++c) SetEditable(c, !locked);
}

void ParamsGrid::ApplyFontSize(double size) {
    fontSize_ = size;
    QFont f = font();
    f.setPointSizeF(size);
    setFont(f);
    for (int r = kHeaderRow; r < rowCount(); ++r) {
        for (int c = 0; c < kParamsColumns; ++c) SetCellFontSize(r, c, BaseCellFont(size));
    }
}

std::string ParamsGrid::CellText(int row, int column) const {
    return ToFileText(Text(row, column));
}

void ParamsGrid::SetCellText(int row, int column, const std::string& text) {
    SetText(row, column, FromFileText(text));
}

void ParamsGrid::SetToolTip(const std::string& text) {
    setToolTip(Q(text));
}

bool ParamsGrid::IsEditing() const {
    return Editor() != nullptr;
}

int ParamsGrid::CurrentRow() const {
    return currentRow();
}

int ParamsGrid::CurrentColumn() const {
    return currentColumn();
}

void ParamsGrid::EndEdit() {
    EndEditing();
}

void ParamsGrid::SelectEditorText(int length) {
    if (auto* line = qobject_cast<QLineEdit*>(Editor())) line->setSelection(0, length);
}

void ParamsGrid::ResumeEdit(int row) {
    const int column = std::max(0, currentColumn());
    QTimer::singleShot(0, this, [this, row, column] {
        setCurrentCell(row, column);
        editItem(item(row, column));
    });
}

void ParamsGrid::contextMenuEvent(QContextMenuEvent* event) {
    event->accept();
    if (event->reason() == QContextMenuEvent::Mouse) {
        OpenRowMenu(rowAt(event->pos().y()), viewport()->mapToGlobal(event->pos()));
        return;
    }
    OpenRowMenu(currentRow(), std::nullopt);
}

void ParamsGrid::keyPressEvent(QKeyEvent* event) {
    const bool shiftF10 = event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier;
    if (event->key() != Qt::Key_Menu && !shiftF10) return MonitorGrid::keyPressEvent(event);
    event->accept();
    OpenRowMenu(currentRow(), std::nullopt);
}

// From the keyboard the menu opens under the row's first cell; without a current
// row, on the first row.
void ParamsGrid::OpenRowMenu(int row, std::optional<QPoint> where) {
    if (locked_ || !onRowMenu) return;
    if (!where) row = std::max(row, 0);
    if (row < 0 || row >= rowCount()) return;
    if (where) return onRowMenu(row, *where);
    const QRect cell = visualItemRect(item(row, 0));
    onRowMenu(row, viewport()->mapToGlobal(cell.bottomLeft()));
}

AssignmentGrid::AssignmentGrid(QWidget* parent)
    : MonitorGrid("grdSN", kAssignmentFontPt, parent), fontSize_(kAssignmentFontPt) {
    SetBackground(this, QApplication::palette().color(QPalette::Dark));
}

void AssignmentGrid::Init() {
    SetShape(kAssignmentRows, kAssignmentColumns);
    SetWidths(Widths(kAssignmentWidths));
    for (int c = kRowHeaderColumn; c < kAssignmentColumns; ++c) {
        SetText(kHeaderRow, c, Q(AssignmentHeader(c)));
    }
    for (int r = 0; r < kAssignmentRows; ++r) {
        SetText(r, kRowHeaderColumn, QString::number(r + 1));
        for (int c = 0; c < kAssignmentColumns; ++c) {
            item(r, c)->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        }
    }
    SetEditable(0, true);
    SetEditable(1, true);
    // A typed name or serial number shows what the setup file will hold of it.
    SetKeptText([](const QString& typed) { return FromFileText(ToFileText(typed)); });
    ApplyFontSize(fontSize_);
}

void AssignmentGrid::ApplyFontSize(double size) {
    fontSize_ = size;
    QFont f = font();
    f.setPointSizeF(size);
    setFont(f);
    for (int r = kHeaderRow; r < rowCount(); ++r) {
        for (int c = kRowHeaderColumn; c < kAssignmentColumns; ++c) {
            SetCellFontSize(r, c, BaseCellFont(size));
        }
    }
}

void AssignmentGrid::SetCellText(int row, int column, const std::string& text) {
    SetText(row, column, FromFileText(text));
}

std::string AssignmentGrid::CellText(int row, int column) const {
    return ToFileText(Text(row, column));
}

void AssignmentGrid::SetStrikeThrough(int row, int column, bool on) {
    QTableWidgetItem* cell = item(row, column);
    if (cell == nullptr) return;
    QFont f = cell->font();
    f.setStrikeOut(on);
    cell->setFont(f);
}

bool AssignmentGrid::StrikeThrough(int row, int column) const {
    QTableWidgetItem* cell = item(row, column);
    return cell != nullptr && cell->font().strikeOut();
}

}  // namespace zelvo::qt
