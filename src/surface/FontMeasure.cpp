#include "FontMeasure.h"

#include <QFont>
#include <QFontMetricsF>
#include <QList>
#include <QString>
#include <array>
#include <cmath>
#include <map>
#include <memory>
#include <mutex>
#include <tuple>
#include <unordered_map>

namespace quoravel {
namespace {

// A font of the pages with what has been measured of it. Pages are set from
// a handful of fonts and a few dozen characters: each character's advance
// is measured once per font and process, not once per line.
struct MeasuredFont {
    explicit MeasuredFont(const FontStyle& style) : metrics(MakeQFont(style)) { ascii.fill(-1); }
    QFontMetricsF metrics;
    std::array<double, 128> ascii;  // -1 until measured
    std::unordered_map<char32_t, double> others;

    double Advance(char32_t c) {
        double& known = c < ascii.size() ? ascii[c] : others.try_emplace(c, -1).first->second;
        if (known < 0) known = metrics.horizontalAdvance(QString::fromUcs4(&c, 1));
        return known;
    }
};

std::mutex fontsMutex;

// The measured font of a style; fontsMutex must be held.
MeasuredFont& FontOf(const FontStyle& style) {
    using Key = std::tuple<std::string, int, bool, bool>;
    static std::map<Key, std::unique_ptr<MeasuredFont>> fonts;
    const int pixels = static_cast<int>(std::lround(style.size * kTwipsPerPoint));
    auto& font = fonts[Key{style.family, pixels, style.bold, style.italic}];
    if (!font) font = std::make_unique<MeasuredFont>(style);
    return *font;
}

}  // namespace

QFont MakeQFont(const FontStyle& style) {
    QFont font(QString::fromStdString(style.family));
    // One pixel is one twip: the metrics are those of the printed page,
    // whatever the screen's resolution.
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(style.size * kTwipsPerPoint))));
    font.setBold(style.bold);
    font.setItalic(style.italic);
    font.setUnderline(style.underline);
    font.setKerning(false);  // characters advance one by one, as the page files place them
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

double FontMeasure::Width(const FontStyle& font, std::string_view text) const {
    double width = 0;
    for (double advance : Advances(font, text)) width += advance;
    return width;
}

std::vector<double> FontMeasure::Advances(const FontStyle& font, std::string_view text) const {
    // Invalid UTF-8 counts as Qt reads it, one replacement character a fault,
    // as every output converts the text the same way.
    const QList<uint> characters =
        QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).toUcs4();
    std::vector<double> advances;
    advances.reserve(static_cast<std::size_t>(characters.size()));
    std::lock_guard lock(fontsMutex);
    MeasuredFont& measured = FontOf(font);
    for (uint c : characters) advances.push_back(measured.Advance(c));
    return advances;
}

double FontMeasure::Ascent(const FontStyle& font) const {
    std::lock_guard lock(fontsMutex);
    return FontOf(font).metrics.ascent();
}

double FontMeasure::Descent(const FontStyle& font) const {
    std::lock_guard lock(fontsMutex);
    return FontOf(font).metrics.descent();
}

double FontMeasure::LineHeight(const FontStyle& font) const {
    std::lock_guard lock(fontsMutex);
    return FontOf(font).metrics.lineSpacing();
}

}  // namespace quoravel
