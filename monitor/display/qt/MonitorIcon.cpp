// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "MonitorIcon.hpp"

#include <QPainterPath>

#include "DrawnIcon.hpp"

namespace zelvo::qt {

QIcon MonitorIcon() {
    return DrawnIcon([](QPainter& p) {
        p.setPen(QPen(Qt::black, 3));
        p.setBrush(QColor(0x1f, 0x3b, 0x57));
        p.drawRoundedRect(QRectF(4, 8, 56, 48), 5, 5);
        QPainterPath trace;
        trace.moveTo(10, 48);
        trace.lineTo(22, 44);
        trace.lineTo(32, 36);
        trace.lineTo(42, 26);
        trace.lineTo(54, 16);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(0x7f, 0xd3, 0x6b), 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(trace);
        p.setPen(QPen(Qt::black, 3));
        p.setBrush(QColor(0xd8, 0xdd, 0xe3));
        p.drawEllipse(QPointF(20, 24), 10, 10);
        p.setPen(QPen(Qt::black, 2));
        p.setBrush(QColor(0xe0, 0xb2, 0x3c));
        p.drawEllipse(QPointF(20, 24), 5, 5);
    });
}

}  // namespace zelvo::qt
