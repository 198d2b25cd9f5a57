// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "WizardBitmap.hpp"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include "DrawnIcon.hpp"
#include "PageTexts.hpp"

namespace kitforge {
namespace {

// The design size of the picture in pixels: 57 wide, 306 high.
constexpr int kBitmapWidth = 57;
constexpr int kBitmapHeight = 306;
constexpr int kFrameWidth = 3;

}  // namespace

CWizardBitmap::CWizardBitmap(QWidget* parent) : QWidget(parent) {
    setObjectName("bmpTitle");
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
}

QSize CWizardBitmap::sizeHint() const {
    return {kBitmapWidth, kBitmapHeight};
}
QSize CWizardBitmap::minimumSizeHint() const {
    return {kBitmapWidth, kBitmapHeight};
}

void CWizardBitmap::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const QRectF outer = QRectF(rect());
    p.fillRect(outer, Qt::white);

    // Black frame, drawn inside the widget so that no part of it is clipped.
    QPen framePen(Qt::black, kFrameWidth);
    framePen.setJoinStyle(Qt::MiterJoin);
    p.setPen(framePen);
    p.setBrush(Qt::NoBrush);
    const double half = kFrameWidth / 2.0;
    p.drawRect(outer.adjusted(half, half, -half, -half));

    // The title runs bottom to top: rotate so that the text's baseline points up.
    const QRectF inner =
        outer.adjusted(kFrameWidth + 4, kFrameWidth + 6, -kFrameWidth - 4, -kFrameWidth - 6);
    QFont font("DejaVu Sans");
    font.setBold(true);
    font.setPixelSize(int(inner.width() * 0.62));
    // Shrink the font until the title fits the height of the column.
    while (font.pixelSize() > 6 && QFontMetricsF(font).horizontalAdvance(
                                       QString::fromLatin1(kWizardTitle)) > inner.height()) {
        font.setPixelSize(font.pixelSize() - 1);
    }
    p.setFont(font);
    p.setPen(Qt::black);
    p.translate(inner.center());
    p.rotate(-90);
    const QRectF rotated(-inner.height() / 2, -inner.width() / 2, inner.height(), inner.width());
    p.drawText(rotated, Qt::AlignCenter, QString::fromLatin1(kWizardTitle));
}

QIcon WizardIcon() {
    return zelvo::qt::DrawnIcon([](QPainter& p) {
        // Box of the driver package.
        p.setPen(QPen(Qt::black, 3));
        p.setBrush(QColor(0xf2, 0xc1, 0x4e));
        p.drawRect(QRectF(6, 22, 44, 36));
        p.setBrush(QColor(0xd9, 0x9a, 0x1f));
        QPainterPath lid;
        lid.moveTo(6, 22);
        lid.lineTo(16, 10);
        lid.lineTo(60, 10);
        lid.lineTo(50, 22);
        lid.closeSubpath();
        p.drawPath(lid);
        p.setBrush(QColor(0xb8, 0x7d, 0x12));
        QPainterPath side;
        side.moveTo(50, 22);
        side.lineTo(60, 10);
        side.lineTo(60, 46);
        side.lineTo(50, 58);
        side.closeSubpath();
        p.drawPath(side);
        // USB plug coming out of the box.
        p.setBrush(QColor(0x3a, 0x6e, 0xa5));
        p.drawRect(QRectF(30, 30, 28, 16));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(46, 34, 6, 3));
        p.drawRect(QRectF(46, 40, 6, 3));
    });
}

}  // namespace kitforge
