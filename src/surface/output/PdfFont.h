#pragma once

#include <array>
#include <memory>
#include <string>

#include "DisplayList.h"

namespace quoravel {

// A font of the pages as a PDF embeds it: a TrueType font whose codes are
// Windows-1252 bytes, the text of every proposal. The subset of the face's
// Windows-1252 glyphs is made and compressed once per process and face, then
// copied into every document; Qt's writer subsets and compresses each face
// anew for every document.
class PdfFont {
public:
    // The font of a style; nothing when the face cannot be found (fontconfig
    // gives another family) or cannot be subset. Safe from any thread.
    static std::shared_ptr<const PdfFont> For(const FontStyle& style);

    std::string postScriptName;
    std::string fontFile;  // the subset, deflated
    std::size_t fontFileLength = 0;
    // Advance of each code from 32 to 255, in thousandths of the font size;
    // negative for a character the face has no glyph for.
    std::array<double, 224> widths{};
    double ascent = 0, descent = 0, capHeight = 0, italicAngle = 0;
    std::array<double, 4> boundingBox{};
    // Below the baseline (positive) and thickness of an underline, in
    // thousandths of the font size.
    double underlineOffset = 0, underlineThickness = 0;

    bool Has(unsigned char code) const { return code >= 32 && widths[code - 32] >= 0; }
    double Width(unsigned char code) const { return Has(code) ? widths[code - 32] : 0; }
};

}  // namespace quoravel
