// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "FormPlacement.hpp"

#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <cmath>

#include "AppInfo.hpp"
#include "Desktop.hpp"
#include "FormLayout.hpp"
#include "FormPosition.hpp"
#include "QtText.hpp"

namespace zelvo::qt {
namespace {

double Tpp(const QWidget* window) {
    return TwipsPerPixel(window->logicalDpiX());
}

int ToTwips(int pixels, double tpp) {
    return static_cast<int>(std::lround(pixels * tpp));
}

int ToPixels(int twips, double tpp) {
    return static_cast<int>(std::lround(twips / tpp));
}

QRect ScreenArea(const QWidget* window) {
    const QScreen* screen = window->screen();
    return screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
}

// The frame's corner and the client's size; a maximised or minimised window gives
// its normal place, so that restoring it and un-maximising brings back a usable size.
FormPlace PlaceOf(const QWidget* window) {
    const double tpp = Tpp(window);
    const bool normal = !window->isMinimized() && !window->isMaximized();
    const QRect client = normal || !window->normalGeometry().isValid() ? window->geometry()
                                                                       : window->normalGeometry();
    const QPoint frameOffset = window->geometry().topLeft() - window->pos();
    const QPoint corner = client.topLeft() - frameOffset;
    FormPlace place;
    place.left = ToTwips(corner.x(), tpp);
    place.top = ToTwips(corner.y(), tpp);
    place.width = ToTwips(client.width(), tpp);
    place.height = ToTwips(client.height(), tpp);
    place.state = window->isMinimized()   ? kStateMinimised
                  : window->isMaximized() ? kStateMaximised
                                          : kStateNormal;
    return place;
}

// Puts the frame's corner at the point. A window whose frame the window manager
// has not drawn yet (just shown) would get its client area there and come back
// one title bar higher on every start: its frame position goes to the window
// system, which places the frame once it is drawn.
void MoveFrameTo(QWidget* window, QPoint corner) {
    window->move(corner);
    const bool frameKnown = window->frameGeometry() != window->geometry();
    if (QWindow* handle = window->windowHandle(); handle != nullptr && !frameKnown) {
        handle->setFramePosition(corner);
    }
}

}  // namespace

void SaveFormPosition(QWidget* window) {
    Desktop().SaveSetting(GetAppInfo().title, kFormPositionsSection, S(window->objectName()),
                          PositionText(PlaceOf(window)));
}

bool RestoreFormPosition(QWidget* window, bool keepOnScreen) {
    const std::string text = Desktop().GetSetting(GetAppInfo().title, kFormPositionsSection,
                                                  S(window->objectName()), "");
    const bool fixedSize = window->minimumSize() == window->maximumSize();
    std::optional<FormPlace> place = ParsePosition(text, PlaceOf(window), fixedSize);
    if (!place) return false;
    const double tpp = Tpp(window);
    if (keepOnScreen) {
        // Kept on the screen's free area, so that the title bar stays reachable.
        const QRect area = ScreenArea(window);
        FormPlace local = *place;
        local.left -= ToTwips(area.x(), tpp);
        local.top -= ToTwips(area.y(), tpp);
        local = KeepOnScreen(local, ToTwips(area.width(), tpp), ToTwips(area.height(), tpp));
        place->left = local.left + ToTwips(area.x(), tpp);
        place->top = local.top + ToTwips(area.y(), tpp);
    }
    // The normal place first, also under a minimised or maximised state, so that
    // the window un-maximises to it.
    window->resize(ToPixels(place->width, tpp), ToPixels(place->height, tpp));
    MoveFrameTo(window, QPoint(ToPixels(place->left, tpp), ToPixels(place->top, tpp)));
    if (place->state == kStateMinimised) window->showMinimized();
    if (place->state == kStateMaximised) window->showMaximized();
    return true;
}

void CenterFormScreen(QWidget* window) {
    const QRect area = ScreenArea(window);
    const FormPlace size{0, 0, window->frameGeometry().width(), window->frameGeometry().height(),
                         kStateNormal};
    const FormPlace place = CenterOnScreen(size, area.width(), area.height());
    window->move(area.x() + place.left, area.y() + place.top);
}

}  // namespace zelvo::qt
