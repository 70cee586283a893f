#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "DisplayList.h"

class QFont;
class QGlyphRun;

namespace quoravel {

// The Qt font of a style: pixel size = points × 20, so that one pixel is one
// twip; no kerning and no hinting, so measured and drawn text agree.
QFont MakeQFont(const FontStyle& style);

// The glyphs of a text item, each at the advance it was measured with, to be
// drawn without shaping the text again; nothing when the font lacks one of
// its characters (drawing the text lets Qt take it from another font), when
// the item's advances do not match its characters, or when it is underlined
// (Qt scales a glyph run's underline twice on a scaled page).
std::optional<QGlyphRun> PlacedGlyphs(const TextItem& item);

// Text measured with the real metrics of the fonts the pages use, in twips.
// Needs a QGuiApplication for the font database.
class FontMeasure {
public:
    double Width(const FontStyle& font, std::string_view text) const;
    // Advance of each character (code point) of the text.
    std::vector<double> Advances(const FontStyle& font, std::string_view text) const;
    double Ascent(const FontStyle& font) const;
    double Descent(const FontStyle& font) const;
    // The distance from one line's top to the next.
    double LineHeight(const FontStyle& font) const;
    // The text whole when it is at most `width` wide, else as much of it as
    // fits with an ellipsis ("…") after it.
    std::string Shortened(const FontStyle& font, std::string_view text, double width) const;
};

}  // namespace quoravel
