// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What input validation needs of the main window: the settings boxes it checks
// and the parameter grid grdParams. The desktop layer implements them; tests use
// doubles.

#include <string>

namespace zelvo {

// The boxes that Validate checks; any other control is Other.
enum class EntryBox { Run, Period, Filter, FreqMax, FreqMin, FreqInitial, Other };

// txtRun, txtPeriod, txtFilter and the three txtInit boxes.
class IEntryBoxes {
  public:
    virtual ~IEntryBoxes() = default;
    virtual std::string Text(EntryBox box) const = 0;
    virtual void SetText(EntryBox box, const std::string& text) = 0;
    virtual void Focus(EntryBox box) = 0;
    // Selects `length` characters of the box's text from `start`.
    virtual void Select(EntryBox box, int start, int length) = 0;
};

// The parameter grid: row n is channel n; column -1 the channel name, 0 density,
// 1 Z factor, 2 tooling.
class IParamsGrid {
  public:
    virtual ~IParamsGrid() = default;
    virtual std::string CellText(int row, int column) const = 0;
    virtual void SetCellText(int row, int column, const std::string& text) = 0;
    virtual void SetToolTip(const std::string& text) = 0;
    virtual bool IsEditing() const = 0;
    virtual int CurrentRow() const = 0;
    virtual int CurrentColumn() const = 0;
    // Ends the edit in progress.
    virtual void EndEdit() = 0;
    // Selects `length` characters of the editor's text from the start.
    virtual void SelectEditorText(int length) = 0;
    // Takes up editing again on the row (after a refused entry).
    virtual void ResumeEdit(int row) = 0;
};

}  // namespace zelvo
