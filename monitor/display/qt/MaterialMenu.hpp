// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The parameter grid's row menu: the materials of the library for one channel,
// narrowed by what the operator types. A popup with a search box over a list of
// name, formula, density and Z factor; Up and Down move in the list, Enter or a
// click chooses, Escape or a click elsewhere closes it. Its Supervision button opens
// the channel's supervision settings.

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <functional>
#include <string>
#include <vector>

#include "MainView.hpp"
#include "MaterialLibrary.hpp"
#include "Validation.hpp"

namespace zelvo::qt {

class MaterialMenu : public QFrame {
  public:
    MaterialMenu(MainContext& ctx, Validation& checks, QWidget* parent);

    // Opens the menu for channel `row` at `where` (global): reads the materials
    // files again (reporting skipped lines once per change) and shows them all.
    // Locked parameters refuse it: nothing opens.
    void Open(int row, const QPoint& where);
    // Chooses the highlighted material, as Enter does.
    void ChooseCurrent();

    QLabel* lblTitle;
    QLineEdit* txtSearch;
    QTreeWidget* lstMaterials;
    // Beside the materials: the channel's supervision settings.
    QPushButton* cmdSupervision;
    std::function<void(int row)> onSupervision;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Refill();
    void ReportProblems();

    MainContext& ctx_;
    Validation& checks_;
    MaterialLibrary library_;
    std::vector<Material> shown_;  // the list's materials, in its order
    std::string reported_;         // the last report of skipped lines shown
    int row_ = 0;
};

}  // namespace zelvo::qt
