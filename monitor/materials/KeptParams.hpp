// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The parameter grid and settings boxes of a material choice made without a
// window (the console): the grid's cells are only kept, and no settings box
// takes part in a choice.

#include <map>
#include <string>
#include <utility>

#include "ValidationView.hpp"

namespace zelvo {

class KeptParamsGrid : public IParamsGrid {
  public:
    // The text set last, or "" for a cell never set.
    std::string CellText(int row, int column) const override {
        auto cell = cells_.find({row, column});
        return cell != cells_.end() ? cell->second : "";
    }
    void SetCellText(int row, int column, const std::string& text) override {
        cells_[{row, column}] = text;
    }
    void SetToolTip(const std::string&) override {}
    bool IsEditing() const override { return false; }
    int CurrentRow() const override { return 0; }
    int CurrentColumn() const override { return 0; }
    void EndEdit() override {}
    void SelectEditorText(int) override {}
    void ResumeEdit(int) override {}

  private:
    std::map<std::pair<int, int>, std::string> cells_;
};

class NoEntryBoxes : public IEntryBoxes {
  public:
    std::string Text(EntryBox) const override { return ""; }
    void SetText(EntryBox, const std::string&) override {}
    void Focus(EntryBox) override {}
    void Select(EntryBox, int, int) override {}
};

}  // namespace zelvo
