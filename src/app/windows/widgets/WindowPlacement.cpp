#include "WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace quoravel {
namespace {

// Room for the title bar and borders the desktop adds around the window.
constexpr int kFrameWidth = 16;
constexpr int kFrameHeight = 40;

// The start that keeps a span of `length` within [low, low + room), or at
// its start when it cannot fit.
int Within(int start, int length, int low, int room) {
    return std::max(low, std::min(start, low + room - length));
}

}  // namespace

void PlaceOnScreen(QWidget& window) {
    const QWidget* owner = window.parentWidget() ? window.parentWidget()->window() : nullptr;
    const QScreen* screen = owner ? owner->screen() : window.screen();
    if (!screen) screen = QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect area = screen->availableGeometry();
    const QSize size = window.size()
                           .boundedTo(area.size() - QSize(kFrameWidth, kFrameHeight))
                           .expandedTo(window.minimumSizeHint());
    window.resize(size);
    const QPoint centre = owner && owner->isVisible() ? owner->frameGeometry().center() : area.center();
    const int left =
        Within(centre.x() - size.width() / 2, size.width() + kFrameWidth, area.left(), area.width());
    const int top =
        Within(centre.y() - size.height() / 2, size.height() + kFrameHeight, area.top(), area.height());
    window.move(left, top);
}

}  // namespace quoravel
