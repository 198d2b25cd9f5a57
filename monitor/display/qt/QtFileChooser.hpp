// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The desktop's file dialog for cFileDialog: QFileDialog with the request's
// title, filters, default suffix, start folder and overwrite question.

#include <QWidget>

#include "cFileDialog.hpp"

namespace zelvo::qt {

class QtFileChooser : public IFileChooser {
  public:
    explicit QtFileChooser(QWidget* owner) : owner_(owner) {}
    std::optional<std::string> Choose(const FileRequest& request) override;

  private:
    QWidget* owner_;
};

}  // namespace zelvo::qt
