#pragma once

#include <QImage>
#include <string>

#include "DisplayList.h"

namespace quoravel {

// A page as an image of the document's page size at `dpi` dots per inch, on
// white: for looking at pages and for tests that look at pixels.
QImage PageImage(const Page& page, const Document& document, double dpi);

// The page image saved as a PNG file; an existing file is replaced, and a
// failed write leaves the old file as it was.
void WritePng(const Page& page, const Document& document, double dpi, const std::string& path);

}  // namespace quoravel
