#pragma once

#include <string>

#include "DisplayList.h"

class QPainter;

namespace quoravel {

// Paints a page with `scale` device units per twip, its top-left corner at
// the painter's origin: the one drawing code behind the preview, the page
// images, the printer and the PDF. Pictures that cannot be decoded are left
// out.
void PaintPage(QPainter& painter, const Page& page, double scale);

// Whether the font family is installed: a missing family falls back to
// another one silently, and every measured width would then be wrong.
bool FontInstalled(const std::string& family);

}  // namespace quoravel
