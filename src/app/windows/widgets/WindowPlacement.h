#pragma once

class QWidget;

namespace quoravel {

// Fits a window to the free area of its screen (its minimum size allowing)
// and places it over the window it belongs to, else in the middle of the
// screen, so no part of it opens off screen, whatever the screen's size and
// scale. Called before the window is first shown.
void PlaceOnScreen(QWidget& window);

}  // namespace quoravel
