#pragma once

#include <QImage>
#include <string>
#include <unordered_map>

#include "DisplayList.h"

class QPainter;

namespace quoravel {

// Decoded pictures by their encoded bytes. The carrier picture is drawn on
// every page: shared across the pages of a document it is decoded once, and
// the PDF, handed the same image each time, stores it once.
class PictureCache {
public:
    // A null image when the bytes are no picture.
    const QImage& Decode(const std::string& encoded);

private:
    std::unordered_map<std::string, QImage> images_;
};

// Paints a page with `scale` device units per twip, its top-left corner at
// the painter's origin: the one drawing code behind the preview, the page
// images, the printer and the PDF. Pictures that cannot be decoded are left
// out.
void PaintPage(QPainter& painter, const Page& page, double scale);
void PaintPage(QPainter& painter, const Page& page, double scale, PictureCache& pictures);

// Whether the font family is installed: a missing family falls back to
// another one silently, and every measured width would then be wrong.
bool FontInstalled(const std::string& family);

}  // namespace quoravel
