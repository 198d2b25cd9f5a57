// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "MonitorGrid.hpp"

#include <QAbstractButton>
#include <QEvent>
#include <QFocusEvent>
#include <QHeaderView>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStyleOptionHeader>
#include <QStylePainter>
#include <QTimer>
#include <QToolTip>

#include "Accessibility.hpp"

namespace zelvo::qt {
namespace {
constexpr int kFrame = 1;

// A cell named for assistive technology by its row and column headers, its text
// read as its description.
class NamedCell : public QTableWidgetItem {
  public:
    QVariant data(int role) const override {
        if (role == Qt::AccessibleTextRole && tableWidget() != nullptr) {
            return CellName(*tableWidget(), row(), column());
        }
        if (role == Qt::AccessibleDescriptionRole) return text();
        return QTableWidgetItem::data(role);
    }
    QTableWidgetItem* clone() const override { return new NamedCell(*this); }
};
}  // namespace

QWidget* GridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                    const QModelIndex& index) const {
    QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
    if (opened) opened(editor, index.row(), index.column());
    return editor;
}

void GridDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    QStyledItemDelegate::setEditorData(editor, index);
    if (auto* line = qobject_cast<QLineEdit*>(editor)) line->selectAll();
}

void GridDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                const QModelIndex& index) const {
    QStyledItemDelegate::setModelData(editor, model, index);
    if (kept) model->setData(index, kept(model->data(index, Qt::EditRole).toString()));
    // The grid's after-edit rules may show a message and reopen the editor, which
    // must not happen while the editor is still closing: run them afterwards.
    const int row = index.row();
    const int column = index.column();
    QTimer::singleShot(0, const_cast<GridDelegate*>(this), [this, row, column] {
        if (committed) committed(row, column);
    });
}

MonitorGrid::MonitorGrid(const QString& name, double fontPt, QWidget* parent)
    : QTableWidget(parent), delegate_(new GridDelegate(this)), designFontPt_(fontPt) {
    setObjectName(name);
    setItemDelegate(delegate_);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFrameShape(QFrame::Box);
    setLineWidth(kFrame);
    setMouseTracking(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    verticalHeader()->installEventFilter(this);
    horizontalHeader()->installEventFilter(this);
    setTextElideMode(Qt::ElideNone);
    setWordWrap(false);
    // A narrow sans-serif where the desktop has one, so that seven-digit
    // frequencies fit their columns at the design size.
    QFont f = font();
    f.setFamilies({"Liberation Sans", "Arimo", "Nimbus Sans", "Arial", "Helvetica",
                   "DejaVu Sans Condensed", f.family()});
    f.setPointSizeF(fontPt);
    setFont(f);
    delegate_->opened = [this](QWidget* editor, int row, int column) {
        editor_ = editor;
        if (onBeforeEdit) onBeforeEdit(row, column);
    };
    delegate_->committed = [this](int row, int column) {
        if (onAfterEdit) onAfterEdit(row, column);
    };
    QObject::connect(this, &QTableWidget::cellClicked, this, [this](int row, int column) {
        if (onClick) onClick(row, column);
    });
    QObject::connect(this, &QTableWidget::cellEntered, this, [this](int row, int column) {
        if (onHover) onHover(row, column);
    });
}

void MonitorGrid::SetShape(int rows, int columns) {
    setColumnCount(columns);
    setRowCount(rows);
    for (int c = -1; c < columns; ++c) {
        for (int r = -1; r < rows; ++r) {
            if (r == -1 && c == -1) continue;
            if (ItemAt(r, c) != nullptr) continue;
            QTableWidgetItem* item = r >= 0 && c >= 0 ? new NamedCell() : new QTableWidgetItem();
            item->setFont(font());
            if (r >= 0 && c >= 0) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            if (r == -1) {
                setHorizontalHeaderItem(c, item);
            } else if (c == -1) {
                setVerticalHeaderItem(r, item);
            } else {
                setItem(r, c, item);
            }
        }
    }
    ApplyGeometry();
}

void MonitorGrid::SetWidths(const std::vector<int>& percents) {
    percents_ = percents;
    verticalHeader()->setVisible(!percents_.empty() && percents_[0] > 0);
    ApplyGeometry();
}

QTableWidgetItem* MonitorGrid::ItemAt(int row, int column) const {
    if (row == -1 && column >= 0) return horizontalHeaderItem(column);
    if (column == -1 && row >= 0) return verticalHeaderItem(row);
    return item(row, column);
}

QString MonitorGrid::Text(int row, int column) const {
    if (row == -1 && column == -1) return cornerText_;
    QTableWidgetItem* cell = ItemAt(row, column);
    return cell != nullptr ? cell->text() : QString();
}

void MonitorGrid::SetText(int row, int column, const QString& text) {
    if (row == -1 && column == -1) {
        SetCornerText(text);
        return;
    }
    QTableWidgetItem* cell = ItemAt(row, column);
    if (cell != nullptr && cell->text() != text) cell->setText(text);
}

void MonitorGrid::SetCellFontSize(int row, int column, int points) {
    QTableWidgetItem* cell = ItemAt(row, column);
    if (cell == nullptr) return;
    QFont f = cell->font();
    if (f.pointSize() == points) return;
    f.setPointSize(points);
    cell->setFont(f);
}

void MonitorGrid::SetEditable(int column, bool editable) {
    for (int r = 0; r < rowCount(); ++r) {
        QTableWidgetItem* cell = item(r, column);
        if (cell == nullptr) continue;
        Qt::ItemFlags flags = cell->flags();
        cell->setFlags(editable ? flags | Qt::ItemIsEditable : flags & ~Qt::ItemIsEditable);
    }
}

void MonitorGrid::SetKeptText(std::function<QString(const QString& typed)> kept) {
    delegate_->kept = std::move(kept);
}

int MonitorGrid::RowHeightFor(int height) const {
    return std::max(1, (height - 2 * kFrame) / (rowCount() + 1));
}

void MonitorGrid::EndEditing() {
    if (editor_ != nullptr) {
        commitData(editor_);
        closeEditor(editor_, QAbstractItemDelegate::NoHint);
    }
}

void MonitorGrid::resizeEvent(QResizeEvent* event) {
    QTableWidget::resizeEvent(event);
    ApplyGeometry();
}

// Column widths in percent of the grid's width, and every row as high as the
// header row, sharing the grid's height.
void MonitorGrid::ApplyGeometry() {
    const int inner = width() - 2 * kFrame;
    const int rowHeight = RowHeightFor(height());
    horizontalHeader()->setFixedHeight(rowHeight);
    verticalHeader()->setDefaultSectionSize(rowHeight);
    for (int r = 0; r < rowCount(); ++r) setRowHeight(r, rowHeight);
    if (percents_.empty()) return;
    int used = percents_[0] > 0 ? inner * percents_[0] / 100 : 0;
    verticalHeader()->setFixedWidth(used);
    for (int c = 0; c < columnCount() && c + 1 < static_cast<int>(percents_.size()); ++c) {
        const bool last = c == columnCount() - 1;
        const int w = last ? inner - used : inner * percents_[static_cast<size_t>(c) + 1] / 100;
        setColumnWidth(c, w);
        used += w;
    }
}

bool MonitorGrid::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        if (onHover) onHover(rowAt(help->pos().y()), columnAt(help->pos().x()));
        QToolTip::showText(help->globalPos(), toolTip(), this);
        return true;
    }
    return QTableWidget::viewportEvent(event);
}

bool MonitorGrid::AtTabEnd(bool next) const {
    const QModelIndex current = currentIndex();
    if (!current.isValid()) return false;
    return next ? current.row() == rowCount() - 1 && current.column() == columnCount() - 1
                : current.row() == 0 && current.column() == 0;
}

bool MonitorGrid::focusNextPrevChild(bool next) {
    if (AtTabEnd(next)) return QWidget::focusNextPrevChild(next);
    return QTableWidget::focusNextPrevChild(next);
}

// Entered backwards, the grid starts from its last cell.
void MonitorGrid::focusInEvent(QFocusEvent* event) {
    if (event->reason() == Qt::BacktabFocusReason && rowCount() > 0 && columnCount() > 0) {
        setCurrentCell(rowCount() - 1, columnCount() - 1);
    } else if (event->reason() == Qt::TabFocusReason && rowCount() > 0 && columnCount() > 0) {
        setCurrentCell(0, 0);
    }
    QTableWidget::focusInEvent(event);
}

void MonitorGrid::keyPressEvent(QKeyEvent* event) {
    const bool tab = event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab;
    if (tab && (event->modifiers() & Qt::ControlModifier)) {
        const bool next = event->key() == Qt::Key_Tab && !(event->modifiers() & Qt::ShiftModifier);
        QWidget::focusNextPrevChild(next);
        event->accept();
        return;
    }
    QTableWidget::keyPressEvent(event);
}

// Tab out of a cell editor at the grid's end commits the cell and leaves the grid.
void MonitorGrid::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
    const bool next = hint == QAbstractItemDelegate::EditNextItem;
    const bool previous = hint == QAbstractItemDelegate::EditPreviousItem;
    if ((next || previous) && AtTabEnd(next)) {
        QTableWidget::closeEditor(editor, QAbstractItemDelegate::NoHint);
        QWidget::focusNextPrevChild(next);
        return;
    }
    QTableWidget::closeEditor(editor, hint);
}

// The top-left cell is the view's corner button, which draws no text of its own:
// its text is drawn as a header section's.
void MonitorGrid::SetCornerText(const QString& text) {
    cornerText_ = text;
    auto* corner = findChild<QAbstractButton*>(QString(), Qt::FindDirectChildrenOnly);
    if (corner == nullptr) return;
    if (corner != corner_) {
        corner_ = corner;
        corner_->installEventFilter(this);
    }
    corner_->setAccessibleName(text);
    corner_->update();
}

bool MonitorGrid::PaintCorner() {
    QStyleOptionHeader option;
    option.initFrom(corner_);
    option.state |= QStyle::State_Raised | QStyle::State_Horizontal;
    option.rect = corner_->rect();
    option.text = cornerText_;
    option.textAlignment = Qt::AlignLeft | Qt::AlignVCenter;
    option.position = QStyleOptionHeader::OnlyOneSection;
    option.orientation = Qt::Horizontal;
    QStylePainter painter(corner_);
    painter.setFont(verticalHeader()->font());
    painter.drawControl(QStyle::CE_Header, option);
    return true;
}

bool MonitorGrid::eventFilter(QObject* watched, QEvent* event) {
    if (watched == corner_ && event->type() == QEvent::Paint && !cornerText_.isEmpty()) {
        return PaintCorner();
    }
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        if (watched == verticalHeader() && onHover) {
            onHover(rowAt(help->pos().y()), -1);
        } else if (watched == horizontalHeader() && onHover) {
            onHover(-1, columnAt(help->pos().x()));
        }
        QToolTip::showText(help->globalPos(), toolTip(), this);
        return true;
    }
    return QTableWidget::eventFilter(watched, event);
}

}  // namespace zelvo::qt
