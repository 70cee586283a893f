#include <filesystem>

#include <QPainter>
#include <QPainterPath>

#include "Artwork.h"
#include "TextFile.h"

namespace quoravel {
namespace {

// The sheet's paper and ruling, beside the carriers' inks.
const QColor kPaper(0xFB, 0xFA, 0xF6);
const QColor kRule(0xC9, 0xD6, 0xE3);

// The icon is laid out on a 256-unit square. A proposal sheet with its
// ledger of premiums, and the carrier's shield over its corner.
void DrawSheet(QPainter& painter, bool small) {
    // The sheet, its top right corner folded down.
    QPainterPath sheet;
    sheet.moveTo(40, 16);
    sheet.lineTo(164, 16);
    sheet.lineTo(212, 64);
    sheet.lineTo(212, 236);
    sheet.lineTo(40, 236);
    sheet.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 40));
    painter.drawPath(sheet.translated(4, 6));
    painter.setPen(QPen(kNavy, small ? 12 : 8, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.setBrush(kPaper);
    painter.drawPath(sheet);
    QPainterPath fold;
    fold.moveTo(164, 16);
    fold.lineTo(164, 64);
    fold.lineTo(212, 64);
    painter.setBrush(kRule);
    painter.drawPath(fold);

    // The ledger: a gold heading band, then rows of figures in two columns.
    painter.setPen(Qt::NoPen);
    painter.setBrush(kGold);
    painter.drawRect(QRectF(62, 44, 86, small ? 24 : 16));
    if (small) {
        // Three bold rows stay legible at 16 and 32 pixels; thin rules do not.
        painter.setBrush(kWater);
        for (int row = 0; row < 3; ++row) painter.drawRect(QRectF(62, 92 + row * 36, 128, 18));
        return;
    }
    painter.setBrush(kRule);
    for (int row = 0; row < 7; ++row) {
        if (row % 2 == 0) painter.drawRect(QRectF(58, 80 + row * 20, 136, 20));
    }
    painter.setBrush(kWater);
    for (int row = 0; row < 7; ++row) {
        const double y = 86 + row * 20;
        painter.drawRect(QRectF(64, y, 22, 8));                                   // the policy year
        painter.drawRect(QRectF(118 - (row % 3) * 6, y, 30 + (row % 3) * 6, 8));  // the premium
        painter.drawRect(QRectF(160, y, 28, 8));                                  // the death benefit
    }
}

// The shield of the page headers, with a gold "Q" for Quoravel in its field.
void DrawShield(QPainter& painter, bool small) {
    QPainterPath shield;
    shield.moveTo(128, 132);
    shield.lineTo(236, 132);
    shield.lineTo(236, 190);
    shield.cubicTo(236, 222, 212, 240, 182, 252);
    shield.cubicTo(152, 240, 128, 222, 128, 190);
    shield.closeSubpath();
    painter.setPen(QPen(Qt::white, small ? 10 : 8, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.setBrush(kNavy);
    painter.drawPath(shield);
    if (!small) {
        painter.setPen(QPen(kGold, 4));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(
            QTransform::fromTranslate(182, 185).scale(0.82, 0.82).translate(-182, -185).map(shield));
    }

    // The Q: a ring and its tail, stroked rather than set in a font, so that
    // the icon does not depend on the fonts of the build machine.
    painter.setPen(QPen(kGold, small ? 16 : 12, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(QPointF(182, 184), small ? 24 : 26, small ? 26 : 28);
    painter.drawLine(QPointF(190, 196), QPointF(small ? 212 : 210, small ? 222 : 218));
}

}  // namespace

QImage DrawAppIcon(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 256.0, size / 256.0);
    const bool small = size <= 32;
    DrawSheet(painter, small);
    DrawShield(painter, small);
    painter.end();
    return image;
}

void WriteAppIcons(const std::string& themeFolder, const std::vector<int>& sizes) {
    for (int size : sizes) {
        const std::string name = std::to_string(size) + "x" + std::to_string(size);
        const std::filesystem::path folder = std::filesystem::path(themeFolder) / name / "apps";
        std::filesystem::create_directories(folder);
        WriteFileAtomically((folder / "quoravel.png").string(), EncodePicture(DrawAppIcon(size), "PNG"));
    }
}

}  // namespace quoravel
