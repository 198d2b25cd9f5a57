// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The grid control of the main window over QTableWidget: row -1 is the header
// row, column -1 the row-header column; widths in percent of the grid's width;
// row heights that share the grid's height between the header and the rows;
// hover, click and edit events as callbacks; cell fonts by the grid's rules.

#include <QAbstractButton>
#include <QPointer>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <functional>
#include <vector>

namespace zelvo::qt {

// Opens and commits the cell editors of a grid, reporting both to the grid.
class GridDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    std::function<void(QWidget* editor, int row, int column)> opened;
    std::function<void(int row, int column)> committed;
    std::function<QString(const QString& typed)> kept;  // what a cell keeps of the typed text

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;
};

class MonitorGrid : public QTableWidget {
  public:
    MonitorGrid(const QString& name, double fontPt, QWidget* parent);

    // Rows and data columns; every cell gets an item.
    void SetShape(int rows, int columns);
    // Width percentages, row-header column first (0 hides the row-header column).
    void SetWidths(const std::vector<int>& percents);
    // Cell text, with row -1 for headers and column -1 for row headers (both: the
    // top-left cell).
    QString Text(int row, int column) const;
    void SetText(int row, int column, const QString& text);
    void SetCellFontSize(int row, int column, int points);
    void SetEditable(int column, bool editable);
    // What a cell keeps of the text typed into it (all of it unless set).
    void SetKeptText(std::function<QString(const QString& typed)> kept);
    // Height of one row (and of the header row) for this many rows in `height`.
    int RowHeightFor(int height) const;
    // The grid font's design size, points.
    double DesignFontPt() const { return designFontPt_; }

    std::function<void(int row, int column)> onHover;
    std::function<void(int row, int column)> onClick;
    std::function<void(int row, int column)> onBeforeEdit;
    std::function<void(int row, int column)> onAfterEdit;

    QWidget* Editor() const { return editor_; }
    // Ends the edit in progress, committing its text.
    void EndEditing();

  protected:
    void resizeEvent(QResizeEvent* event) override;
    // Tab moves cell to cell and leaves the grid after its last cell (Shift+Tab
    // before its first); Ctrl+Tab always leaves.
    bool focusNextPrevChild(bool next) override;
    void focusInEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
    bool viewportEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void ApplyGeometry();
    QTableWidgetItem* ItemAt(int row, int column) const;
    void SetCornerText(const QString& text);
    // Whether Tab (next) or Shift+Tab leaves the grid from the current cell.
    bool AtTabEnd(bool next) const;
    bool PaintCorner();

    std::vector<int> percents_;
    GridDelegate* delegate_;
    QPointer<QWidget> editor_;  // the open cell editor, if any
    double designFontPt_;
    QString cornerText_;                // the top-left header cell's text
    QPointer<QAbstractButton> corner_;  // the view's corner button showing it
};

}  // namespace zelvo::qt
