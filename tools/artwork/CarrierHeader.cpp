#include <tuple>

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include "Artwork.h"

namespace quoravel {
namespace {

// A shield holding a keep above the water of a mere: the company's name, drawn.
void DrawEmblem(QPainter& painter) {
    QPainterPath shield;
    shield.moveTo(140, 16);
    shield.lineTo(300, 16);
    shield.lineTo(300, 120);
    shield.cubicTo(300, 175, 262, 205, 220, 222);
    shield.cubicTo(178, 205, 140, 175, 140, 120);
    shield.closeSubpath();
    painter.setPen(QPen(kNavy, 8));
    painter.setBrush(Qt::white);
    painter.drawPath(shield);
    painter.setPen(QPen(kGold, 3));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(QTransform::fromTranslate(220, 120).scale(0.86, 0.86).translate(-220, -120).map(shield));

    painter.setPen(Qt::NoPen);
    painter.setBrush(kNavy);
    painter.drawRect(184, 62, 72, 92);
    for (int merlon = 0; merlon < 4; ++merlon) painter.drawRect(184 + merlon * 20, 46, 12, 18);
    QPainterPath door;
    door.moveTo(210, 154);
    door.arcTo(210, 118, 20, 24, 180, -180);
    door.lineTo(230, 154);
    door.closeSubpath();
    painter.setBrush(Qt::white);
    painter.drawPath(door);
    painter.drawRect(216, 82, 8, 20);

    // Two ripples, each a whole number of 16-pixel waves, the lower one narrower.
    painter.setPen(QPen(kWater, 6, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(Qt::NoBrush);
    for (const auto& [y, left, waves] : {std::tuple{172.0, 180.0, 5}, std::tuple{190.0, 188.0, 4}}) {
        QPainterPath ripple(QPointF(left, y));
        for (int wave = 0; wave < waves; ++wave) {
            const double x = left + wave * 16;
            ripple.quadTo(x + 4, y - 6, x + 8, y);
            ripple.quadTo(x + 12, y + 6, x + 16, y);
        }
        painter.drawPath(ripple);
    }
}

// The banner's paper and inks, and four blends of each ink into the paper:
// the anti-aliased edges fall on one of them, so the banner keeps 16 colours
// and is stored, and drawn on every page, as a small palette picture.
QList<QRgb> BannerPalette() {
    QList<QRgb> palette{qRgb(255, 255, 255)};
    for (const QColor& ink : {kNavy, kGold, kWater}) {
        for (int part = 1; part <= 5; ++part) {
            auto blend = [&](int channel) { return (255 * (5 - part) + channel * part + 2) / 5; };
            palette.push_back(qRgb(blend(ink.red()), blend(ink.green()), blend(ink.blue())));
        }
    }
    return palette;
}

// The largest pixel size, up to `largest`, at which `text` fits `width`.
QFont FittedFont(const QString& family, bool bold, double spacing, const QString& text, double width,
                 int largest) {
    QFont font(family);
    font.setBold(bold);
    font.setLetterSpacing(QFont::PercentageSpacing, spacing);
    for (int size = largest; size > 8; --size) {
        font.setPixelSize(size);
        if (QFontMetricsF(font).horizontalAdvance(text) <= width) break;
    }
    return font;
}

}  // namespace

constexpr int kDrawWidth = 2 * kHeaderWidth;
constexpr int kDrawHeight = 2 * kHeaderHeight;

QImage DrawCarrierHeader(const Carrier& carrier) {
    // A banner: the emblem at the left, the name beside it. Drawn at twice
    // the stored size and scaled down, which smooths the small print.
    QImage image(kDrawWidth, kDrawHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    painter.save();
    painter.translate(100, 100);
    painter.scale(0.88, 0.88);
    painter.translate(-220, -119);
    DrawEmblem(painter);
    painter.restore();

    const double textLeft = 210;
    const double textWidth = kDrawWidth - textLeft - 20;
    const QString brand = QStringLiteral("CASTMERE");
    painter.setPen(kNavy);
    painter.setFont(FittedFont(QStringLiteral("Liberation Serif"), true, 112, brand, textWidth, 96));
    painter.drawText(QRectF(textLeft, 8, textWidth, 112), Qt::AlignLeft | Qt::AlignVCenter, brand);
    painter.setPen(QPen(kGold, 4));
    painter.drawLine(QPointF(textLeft, 126), QPointF(kDrawWidth - 20, 126));

    // The rest of the name, in capitals under the rule.
    QString rest = QString::fromStdString(carrier.name).toUpper();
    rest.remove(0, rest.indexOf(' ') + 1);
    painter.setPen(kNavy);
    painter.setFont(FittedFont(QStringLiteral("Liberation Sans"), false, 106, rest, textWidth, 40));
    painter.drawText(QRectF(textLeft, 134, textWidth, 60), Qt::AlignLeft | Qt::AlignVCenter, rest);
    painter.end();
    // Each pixel takes the nearest colour of the palette, undithered: dots
    // would make the small print grainy.
    return image.scaled(kHeaderWidth, kHeaderHeight, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
        .convertToFormat(QImage::Format_Indexed8, BannerPalette(), Qt::ThresholdDither);
}

}  // namespace quoravel
