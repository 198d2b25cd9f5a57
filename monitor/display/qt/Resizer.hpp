// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The proportional resizer: every registered control has a design rectangle (in
// pixels at 96 DPI on the design-size window) and a design font size. While the
// resizer is on, a change of the host's size places each control at its design
// rectangle scaled by the host's size over the reference size, and scales its
// font by the smaller of the two factors. Before a control's font changes, the
// pre-resize hook may take the font over (the grids apply their cell rules).

#include <QObject>
#include <QRect>
#include <QSize>
#include <QString>
#include <functional>
#include <map>

class QWidget;

namespace zelvo::qt {

class Resizer : public QObject {
  public:
    // The hook: control name and new font size; true when it set the font itself.
    using PreResize = std::function<bool(const QString& name, double newSize)>;

    explicit Resizer(QWidget* host);

    // Registers or moves a control (design pixels relative to its parent).
    void Place(QWidget* control, const QRect& design, double fontPt);
    // Changes a control's design rectangle and applies it.
    void SetDesignRect(QWidget* control, const QRect& design);
    QRect DesignRect(QWidget* control) const;
    // The design size of the host for the current layout.
    void SetReference(QSize design);
    QSize Reference() const { return reference_; }
    void SetEnabled(bool enabled);
    bool Enabled() const { return enabled_; }
    void SetPreResize(PreResize hook) { preResize_ = std::move(hook); }

    // Horizontal and vertical factors of the host's present size.
    double ScaleX() const;
    double ScaleY() const;
    double FontScale() const;
    // Places and sizes every control for the host's present size (or at design
    // size times the screen factor while the resizer is off).
    void Apply();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    struct Design {
        QRect rect;
        double fontPt = 0;
    };
    void ApplyTo(QWidget* control, const Design& design, double sx, double sy, double sf);
    double ScreenFactor() const;

    QWidget* host_;
    std::map<QWidget*, Design> controls_;
    QSize reference_{591, 436};
    bool enabled_ = false;
    PreResize preResize_;
};

}  // namespace zelvo::qt
