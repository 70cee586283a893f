#include <tuple>

#include <QPainter>
#include <QPainterPath>

#include "Artwork.h"

namespace quoravel {
namespace {

// The colours of the scene; the picture is drawn in these alone, and the few
// blended edge pixels are taken to the nearest of them.
enum Colour : int {
    Sky1,
    Sky2,
    Sky3,
    Sky4,
    Sky5,
    Sky6,
    Sun,
    SunHalo,
    Cloud,
    CloudShade,
    FarHill,
    NearHill,
    Meadow,
    MeadowShade,
    Leaves,
    LeavesShade,
    Trunk,
    Wall,
    WallShade,
    Roof,
    RoofShade,
    Door,
    Window,
    Frame,
    Path,
    ColourCount
};

QColor Of(Colour colour) { return QColor::fromRgb(CoverPalette()[colour]); }

void DrawSky(QPainter& painter) {
    // Flat bands rather than a gradient: calm, and exact in a small palette.
    constexpr int kBand = 30;
    for (int band = 0; band < 6; ++band)
        painter.fillRect(0, band * kBand, kCoverWidth, kBand, Of(static_cast<Colour>(Sky1 + band)));
    painter.setBrush(Of(SunHalo));
    painter.drawEllipse(QPointF(598, 60), 36, 36);
    painter.setBrush(Of(Sun));
    painter.drawEllipse(QPointF(598, 60), 25, 25);
    for (const auto& [x, y, scale] :
         {std::tuple{110.0, 52.0, 1.0}, std::tuple{300.0, 34.0, 0.8}, std::tuple{186.0, 100.0, 0.6}}) {
        painter.setBrush(Of(CloudShade));
        painter.drawRoundedRect(QRectF(x - 46 * scale, y + 4 * scale, 92 * scale, 18 * scale), 9 * scale,
                                9 * scale);
        painter.setBrush(Of(Cloud));
        painter.drawEllipse(QPointF(x - 18 * scale, y + 6 * scale), 24 * scale, 14 * scale);
        painter.drawEllipse(QPointF(x + 12 * scale, y), 26 * scale, 18 * scale);
    }
}

void DrawLand(QPainter& painter) {
    QPainterPath far(QPointF(0, 168));
    far.cubicTo(130, 128, 290, 136, 420, 160);
    far.cubicTo(540, 142, 630, 136, 690, 150);
    far.lineTo(690, 276);
    far.lineTo(0, 276);
    painter.setBrush(Of(FarHill));
    painter.drawPath(far);
    QPainterPath near(QPointF(0, 200));
    near.cubicTo(200, 176, 460, 178, 690, 196);
    near.lineTo(690, 276);
    near.lineTo(0, 276);
    painter.setBrush(Of(NearHill));
    painter.drawPath(near);
    painter.setBrush(Of(Meadow));
    painter.drawRect(0, 218, kCoverWidth, 58);
    painter.setBrush(Of(MeadowShade));
    painter.drawRect(0, 256, kCoverWidth, 20);
}

void DrawHouse(QPainter& painter) {
    painter.setBrush(Of(Roof));
    painter.drawRect(342, 78, 16, 40);  // chimney
    painter.setBrush(Of(Wall));
    painter.drawRect(246, 128, 128, 88);
    painter.setBrush(Of(WallShade));
    painter.drawRect(246, 208, 128, 8);
    painter.setBrush(Of(Roof));
    painter.drawPolygon(QPolygonF({QPointF(232, 132), QPointF(310, 72), QPointF(388, 132)}));
    painter.setBrush(Of(RoofShade));
    painter.drawRect(232, 128, 156, 6);
    painter.setBrush(Of(Door));
    painter.drawRect(298, 168, 24, 48);
    for (const double left : {258.0, 338.0}) {
        painter.setBrush(Of(Frame));
        painter.drawRect(QRectF(left - 3, 149, 30, 30));
        painter.setBrush(Of(Window));
        painter.drawRect(QRectF(left, 152, 24, 24));
        painter.setBrush(Of(Frame));
        painter.drawRect(QRectF(left + 11, 152, 2, 24));
        painter.drawRect(QRectF(left, 163, 24, 2));
    }
    // The path from the door runs off the bottom of the picture.
    QPainterPath path(QPointF(300, 216));
    path.lineTo(320, 216);
    path.cubicTo(326, 242, 352, 256, 366, 276);
    path.lineTo(312, 276);
    path.cubicTo(304, 252, 294, 238, 300, 216);
    painter.setBrush(Of(Path));
    painter.drawPath(path);
}

void DrawTree(QPainter& painter) {
    painter.setBrush(Of(Trunk));
    painter.drawRect(442, 132, 12, 84);
    painter.setBrush(Of(LeavesShade));
    painter.drawEllipse(QPointF(428, 130), 30, 28);
    painter.drawEllipse(QPointF(472, 126), 32, 30);
    painter.setBrush(Of(Leaves));
    painter.drawEllipse(QPointF(448, 102), 40, 38);
    painter.drawEllipse(QPointF(432, 116), 22, 20);
}

}  // namespace

const QList<QRgb>& CoverPalette() {
    static const QList<QRgb> palette = {
        qRgb(0x9C, 0xC3, 0xE0), qRgb(0xA9, 0xCC, 0xE4), qRgb(0xB6, 0xD5, 0xE8), qRgb(0xC3, 0xDD, 0xEC),
        qRgb(0xD0, 0xE5, 0xF0), qRgb(0xDD, 0xED, 0xF3), qRgb(0xF6, 0xE3, 0xA1), qRgb(0xF3, 0xEC, 0xCA),
        qRgb(0xFF, 0xFF, 0xFF), qRgb(0xE6, 0xEE, 0xF3), qRgb(0x9D, 0xBF, 0x8E), qRgb(0x84, 0xAD, 0x72),
        qRgb(0x6E, 0x9A, 0x5C), qRgb(0x5F, 0x8C, 0x4F), qRgb(0x56, 0x86, 0x4B), qRgb(0x3F, 0x6B, 0x3A),
        qRgb(0x6B, 0x4A, 0x32), qRgb(0xF1, 0xE6, 0xD0), qRgb(0xD8, 0xC8, 0xAA), qRgb(0xA4, 0x55, 0x3F),
        qRgb(0x83, 0x42, 0x33), qRgb(0x5A, 0x6E, 0x8C), qRgb(0xFB, 0xF3, 0xD6), qRgb(0xFA, 0xFA, 0xF7),
        qRgb(0xD9, 0xC7, 0xA0),
    };
    static_assert(ColourCount == 25);
    return palette;
}

QImage DrawCoverPicture() {
    QImage image(kCoverWidth, kCoverHeight, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    DrawSky(painter);
    DrawLand(painter);
    DrawTree(painter);
    DrawHouse(painter);
    painter.end();
    return image.convertToFormat(QImage::Format_Indexed8, CoverPalette(), Qt::ThresholdDither);
}

}  // namespace quoravel
