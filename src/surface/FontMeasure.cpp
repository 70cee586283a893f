#include "FontMeasure.h"

#include <QFont>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QList>
#include <QRawFont>
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
    explicit MeasuredFont(const QFont& font) : metrics(font), raw(QRawFont::fromFont(font)) {
        ascii.fill(-1);
        asciiGlyphs.fill(kUnknownGlyph);
    }
    QFontMetricsF metrics;
    QRawFont raw;                   // the font's own glyphs, for drawing without shaping again
    std::array<double, 128> ascii;  // -1 until measured
    std::unordered_map<char32_t, double> others;
    static constexpr quint32 kUnknownGlyph = ~quint32{0};
    std::array<quint32, 128> asciiGlyphs;
    std::unordered_map<char32_t, quint32> otherGlyphs;

    double Advance(char32_t c) {
        double& known = c < ascii.size() ? ascii[c] : others.try_emplace(c, -1).first->second;
        if (known < 0) known = metrics.horizontalAdvance(QString::fromUcs4(&c, 1));
        return known;
    }
    // The font's glyph of a character; 0 when the font has none.
    quint32 Glyph(char32_t c) {
        quint32& known =
            c < asciiGlyphs.size() ? asciiGlyphs[c] : otherGlyphs.try_emplace(c, kUnknownGlyph).first->second;
        if (known == kUnknownGlyph) {
            const QString text = QString::fromUcs4(&c, 1);
            quint32 glyphs[2] = {0, 0};
            int count = 2;
            known = raw.isValid() &&
                            raw.glyphIndexesForChars(text.constData(), static_cast<int>(text.size()), glyphs,
                                                     &count) &&
                            count == 1
                        ? glyphs[0]
                        : 0;
        }
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
    if (!font) font = std::make_unique<MeasuredFont>(MakeQFont(style));
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

std::optional<QGlyphRun> PlacedGlyphs(const TextItem& item) {
    if (item.font.underline) return std::nullopt;
    const QList<uint> characters =
        QString::fromUtf8(item.text.data(), static_cast<qsizetype>(item.text.size())).toUcs4();
    if (characters.size() != static_cast<qsizetype>(item.advances.size())) return std::nullopt;
    QList<quint32> glyphs;
    QList<QPointF> positions;
    glyphs.reserve(characters.size());
    positions.reserve(characters.size());
    std::lock_guard lock(fontsMutex);
    MeasuredFont& measured = FontOf(item.font);
    double x = 0;
    for (qsizetype i = 0; i < characters.size(); ++i) {
        const quint32 glyph = measured.Glyph(characters[i]);
        if (glyph == 0) return std::nullopt;
        glyphs.push_back(glyph);
        positions.push_back(QPointF(x, 0));
        x += item.advances[static_cast<std::size_t>(i)];
    }
    QGlyphRun run;
    run.setRawFont(measured.raw);
    run.setGlyphIndexes(glyphs);
    run.setPositions(positions);
    return run;
}

std::string FontMeasure::Shortened(const FontStyle& font, std::string_view text, double width) const {
    const std::vector<double> advances = Advances(font, text);
    double used = 0;
    for (double advance : advances) used += advance;
    if (used <= width) return std::string(text);
    const std::string ellipsis = "\u2026";
    used = Width(font, ellipsis);
    std::size_t kept = 0;
    while (kept < advances.size() && used + advances[kept] <= width) used += advances[kept++];
    // Cut by characters, as they were measured, so that none is split.
    const QList<uint> characters =
        QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).toUcs4();
    while (kept > 0 && characters[static_cast<qsizetype>(kept - 1)] == ' ') --kept;
    return QString::fromUcs4(reinterpret_cast<const char32_t*>(characters.constData()),
                             static_cast<qsizetype>(kept))
               .toStdString() +
           ellipsis;
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
