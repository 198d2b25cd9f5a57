#include "FormPlacement.hpp"

#include <QScreen>
#include <QWidget>
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

FormPlace PlaceOf(const QWidget* window) {
    const double tpp = Tpp(window);
    FormPlace place;
    place.left = ToTwips(window->x(), tpp);
    place.top = ToTwips(window->y(), tpp);
    place.width = ToTwips(window->width(), tpp);
    place.height = ToTwips(window->height(), tpp);
    place.state = window->isMinimized()   ? kStateMinimised
                  : window->isMaximized() ? kStateMaximised
                                          : kStateNormal;
    return place;
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
    if (place->state == kStateMinimised) {
        window->showMinimized();
        return true;
    }
    if (place->state == kStateMaximised) {
        window->showMaximized();
        return true;
    }
    const double tpp = Tpp(window);
    if (keepOnScreen) {
        const QRect area = ScreenArea(window);
        *place =
            KeepOnScreen(*place, ToTwips(area.right() + 1, tpp), ToTwips(area.bottom() + 1, tpp));
    }
    window->move(ToPixels(place->left, tpp), ToPixels(place->top, tpp));
    window->resize(ToPixels(place->width, tpp), ToPixels(place->height, tpp));
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
