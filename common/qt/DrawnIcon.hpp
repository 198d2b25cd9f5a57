// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A program's icon drawn by code at every size a desktop asks for, from one drawing
// on a 64-unit square (the grid of the installed scalable icons).

#include <QIcon>
#include <QPainter>
#include <functional>

namespace zelvo::qt {

QIcon DrawnIcon(const std::function<void(QPainter&)>& draw);

}  // namespace zelvo::qt
