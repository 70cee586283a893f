#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace quoravel {

// The page description every output replays: lengths in twips (1,440 per
// inch) from the page's top-left corner on US Letter paper, font sizes in
// points.
inline constexpr double kTwipsPerInch = 1440;
inline constexpr double kTwipsPerPoint = 20;
inline constexpr double kLetterWidth = 12240;
inline constexpr double kLetterHeight = 15840;

struct FontStyle {
    std::string family = "Liberation Sans";
    double size = 10;  // points
    bool bold = false;
    bool italic = false;
    bool underline = false;
    friend bool operator==(const FontStyle&, const FontStyle&) = default;
};

// A run of text on one line: `x` is its left edge, `baseline` its baseline,
// `width` its measured advance (with `advances` per character, for the
// outputs that place characters one by one).
struct TextItem {
    double x = 0;
    double baseline = 0;
    double width = 0;
    std::string text;  // UTF-8
    FontStyle font;
    std::vector<double> advances;  // one per character (code point)
    friend bool operator==(const TextItem&, const TextItem&) = default;
};

struct LineItem {
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    double penWidth = 15;  // twips
    friend bool operator==(const LineItem&, const LineItem&) = default;
};

struct RectItem {
    double x = 0, y = 0, width = 0, height = 0;
    double penWidth = 15;
    bool filled = false;  // filled black, else outlined
    friend bool operator==(const RectItem&, const RectItem&) = default;
};

// A picture drawn into a rectangle; the encoded file (BMP, JPEG, GIF, PNG)
// travels with the page so every output can draw it.
struct PictureItem {
    double x = 0, y = 0, width = 0, height = 0;
    std::string encoded;
    friend bool operator==(const PictureItem&, const PictureItem&) = default;
};

using DrawItem = std::variant<TextItem, LineItem, RectItem, PictureItem>;

struct Page {
    std::vector<DrawItem> items;
    friend bool operator==(const Page&, const Page&) = default;
};

// What a reader's document properties show of a document (UTF-8).
struct DocumentInfo {
    std::string title;
    std::string author;
    std::string subject;
    std::string creator;
    // An XMP packet the document carries as its metadata, as it is; empty: none.
    std::string metadata;
    friend bool operator==(const DocumentInfo&, const DocumentInfo&) = default;
};

struct Document {
    double pageWidth = kLetterWidth;
    double pageHeight = kLetterHeight;
    std::vector<Page> pages;
    DocumentInfo info;
    friend bool operator==(const Document&, const Document&) = default;
};

}  // namespace quoravel
