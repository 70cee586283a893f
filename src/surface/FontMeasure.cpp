#include "FontMeasure.h"

#include <QFont>
#include <QFontMetricsF>
#include <QString>
#include <cmath>
#include <map>
#include <memory>
#include <mutex>
#include <tuple>

namespace quoravel {
namespace {

// Metrics objects are costly to make and the pages use a handful of fonts.
const QFontMetricsF& MetricsOf(const FontStyle& style) {
    using Key = std::tuple<std::string, int, bool, bool>;
    static std::mutex mutex;
    static std::map<Key, std::unique_ptr<QFontMetricsF>> cache;
    const int pixels = static_cast<int>(std::lround(style.size * kTwipsPerPoint));
    const Key key{style.family, pixels, style.bold, style.italic};
    std::lock_guard lock(mutex);
    auto& metrics = cache[key];
    if (!metrics) metrics = std::make_unique<QFontMetricsF>(MakeQFont(style));
    return *metrics;
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
    return MetricsOf(font).horizontalAdvance(
        QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

std::vector<double> FontMeasure::Advances(const FontStyle& font, std::string_view text) const {
    const QFontMetricsF& metrics = MetricsOf(font);
    const QString string = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    std::vector<double> advances;
    advances.reserve(static_cast<std::size_t>(string.size()));
    for (qsizetype i = 0; i < string.size(); ++i) {
        const qsizetype length = string.at(i).isHighSurrogate() && i + 1 < string.size() ? 2 : 1;
        advances.push_back(metrics.horizontalAdvance(string.mid(i, length)));
        i += length - 1;
    }
    return advances;
}

double FontMeasure::Ascent(const FontStyle& font) const { return MetricsOf(font).ascent(); }

double FontMeasure::Descent(const FontStyle& font) const { return MetricsOf(font).descent(); }

double FontMeasure::LineHeight(const FontStyle& font) const { return MetricsOf(font).lineSpacing(); }

}  // namespace quoravel
