// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One channel's supervision settings, opened from the parameter grid's row menu:
// the layer's target and its early warning, the crystal life warning, the quality
// level and the stability threshold and alarm. OK checks each entry as the other
// settings boxes are checked (the message names the range, the box keeps the
// focus with its text selected) and stores them all only when all are good.

#include <QDialog>
#include <QLineEdit>
#include <array>

#include "MainState.hpp"
#include "SupervisionChecks.hpp"

namespace zelvo::qt {

inline constexpr size_t kSupervisionFields = 6;

class SupervisionDialog : public QDialog {
  public:
    // For channel `channel` (0 to 7) of the state, owned by the window.
    SupervisionDialog(MainState& state, size_t channel, QWidget* owner);

    void accept() override;

    std::array<QLineEdit*, kSupervisionFields> txtField{};

  private:
    MainState& state_;
    size_t channel_;
};

}  // namespace zelvo::qt
