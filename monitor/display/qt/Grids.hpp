// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The three grids of the main window: readings grdRdgs, parameters grdParams and
// assignment grdSN, each implementing the core's view of it.

#include <functional>
#include <optional>

#include "MainView.hpp"
#include "MonitorGrid.hpp"
#include "ValidationView.hpp"

namespace zelvo::qt {

class ReadingsGrid : public MonitorGrid, public IReadingsGrid {
  public:
    explicit ReadingsGrid(QWidget* parent);
    // FormInit's part: columns, widths, headers for the unit mode, edit modes and
    // the push cells of the zero column.
    void Init(int32_t units);
    // FormSize's part: the number of rows, with their fonts.
    void SetRows(int rows);
    // The resizer's font rule: the grid font and every cell's font from it.
    void ApplyFontSize(double size);

    void SetCellText(int row, int column, const std::string& text) override;
    void SetRowHeaderText(int row, const std::string& text) override;

  private:
    void StyleZeroColumn();
    double fontSize_;
};

class ParamsGrid : public MonitorGrid, public IParamsGrid {
  public:
    explicit ParamsGrid(QWidget* parent);
    void Init();
    void SetRows(int rows);
    void SetLocked(bool locked);
    void ApplyFontSize(double size);

    std::string CellText(int row, int column) const override;
    void SetCellText(int row, int column, const std::string& text) override;
    void SetToolTip(const std::string& text) override;
    bool IsEditing() const override;
    int CurrentRow() const override;
    int CurrentColumn() const override;
    void EndEdit() override;
    void SelectEditorText(int length) override;
    void ResumeEdit(int row) override;

    // The row menu asked for on a channel's row: right click, the menu key or
    // Shift+F10 (current row); where is the menu's global position. Not while locked.
    std::function<void(int row, const QPoint& where)> onRowMenu;

  protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void OpenRowMenu(int row, std::optional<QPoint> where);

    bool locked_ = false;
    double fontSize_;
};

class AssignmentGrid : public MonitorGrid, public IAssignmentGrid {
  public:
    explicit AssignmentGrid(QWidget* parent);
    void Init();
    void ApplyFontSize(double size);

    void SetCellText(int row, int column, const std::string& text) override;
    std::string CellText(int row, int column) const override;
    void SetStrikeThrough(int row, int column, bool on) override;
    bool StrikeThrough(int row, int column) const;

  private:
    double fontSize_;
};

}  // namespace zelvo::qt
