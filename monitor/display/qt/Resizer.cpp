// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Resizer.hpp"

#include <QEvent>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace zelvo::qt {
namespace {
constexpr double kDesignDpi = 96.0;
}

Resizer::Resizer(QWidget* host) : QObject(host), host_(host) {
    host_->installEventFilter(this);
}

void Resizer::Place(QWidget* control, const QRect& design, double fontPt) {
    controls_[control] = Design{design, fontPt};
    QObject::connect(control, &QObject::destroyed, this,
                     [this, control] { controls_.erase(control); });
    ApplyTo(control, controls_[control], ScaleX(), ScaleY(), FontScale());
}

void Resizer::SetDesignRect(QWidget* control, const QRect& design) {
    auto it = controls_.find(control);
    if (it == controls_.end()) return Place(control, design, control->font().pointSizeF());
    it->second.rect = design;
    ApplyTo(control, it->second, ScaleX(), ScaleY(), FontScale());
}

QRect Resizer::DesignRect(QWidget* control) const {
    auto it = controls_.find(control);
    return it == controls_.end() ? QRect() : it->second.rect;
}

void Resizer::SetReference(QSize design) {
    reference_ = design;
}

void Resizer::SetEnabled(bool enabled) {
    enabled_ = enabled;
    if (enabled_) Apply();
}

double Resizer::ScreenFactor() const {
    const double dpi = host_->logicalDpiY();
    return dpi > 0 ? dpi / kDesignDpi : 1.0;
}

double Resizer::ScaleX() const {
    if (!enabled_ || reference_.width() <= 0) return ScreenFactor();
    return host_->width() / static_cast<double>(reference_.width());
}

double Resizer::ScaleY() const {
    if (!enabled_ || reference_.height() <= 0) return ScreenFactor();
    return host_->height() / static_cast<double>(reference_.height());
}

double Resizer::FontScale() const {
    // Fonts are in points, which already follow the screen's resolution.
    return std::min(ScaleX(), ScaleY()) / ScreenFactor();
}

void Resizer::Apply() {
    const double sx = ScaleX();
    const double sy = ScaleY();
    const double sf = FontScale();
    for (auto& [control, design] : controls_) ApplyTo(control, design, sx, sy, sf);
}

void Resizer::ApplyTo(QWidget* control, const Design& design, double sx, double sy, double sf) {
    const QRect& r = design.rect;
    const int left = static_cast<int>(std::lround(r.x() * sx));
    const int top = static_cast<int>(std::lround(r.y() * sy));
    const int right = static_cast<int>(std::lround((r.x() + r.width()) * sx));
    const int bottom = static_cast<int>(std::lround((r.y() + r.height()) * sy));
    control->setGeometry(left, top, right - left, bottom - top);
    if (design.fontPt <= 0) return;
    const double size = design.fontPt * sf;
    if (preResize_ && preResize_(control->objectName(), size)) return;
    QFont font = control->font();
    if (std::abs(font.pointSizeF() - size) < 0.01) return;
    font.setPointSizeF(size);
    control->setFont(font);
}

bool Resizer::eventFilter(QObject* watched, QEvent* event) {
    if (watched == host_ && event->type() == QEvent::Resize && enabled_) Apply();
    return QObject::eventFilter(watched, event);
}

}  // namespace zelvo::qt
