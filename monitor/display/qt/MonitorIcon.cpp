#include "MonitorIcon.hpp"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace zelvo::qt {
namespace {

// One size of the icon, drawn on the 64-unit grid of the scalable icon.
QPixmap IconPixmap(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 64.0, size / 64.0);
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
    return pixmap;
}

}  // namespace

QIcon MonitorIcon() {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128}) icon.addPixmap(IconPixmap(size));
    return icon;
}

}  // namespace zelvo::qt
