#pragma once

#include <QImage>
#include <string>

namespace quoravel {

// Pictures are a handful of files (the carriers' banners, the cover) drawn
// on page after page and proposal after proposal: each is decoded once per
// process and handed out as the same image, so that a PDF that gets it on
// every page stores it once. Safe to call from any thread.

// The picture of the encoded bytes; a null image when they are no picture.
QImage DecodePicture(const std::string& encoded);

// The bytes a page keeps of a picture: an uncompressed bitmap (BMP) becomes a
// PNG of the very same pixels, a tenth of its size or less; every other
// picture file is kept as it is.
std::string CompactPicture(const std::string& encoded);

}  // namespace quoravel
