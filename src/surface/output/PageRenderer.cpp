#include "PageRenderer.h"

#include <QFont>
#include <QFontInfo>
#include <QGlyphRun>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <optional>

#include "FontMeasure.h"
#include "PictureStore.h"

namespace quoravel {
namespace {

// A pen of width 0 would be a hairline, as thin as each device can draw: the
// rules keep their width in twips, one twip at the least.
QPen RulePen(double width) {
    return QPen(Qt::black, std::max(width, 1.0), Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
}

class ItemPainter {
public:
    explicit ItemPainter(QPainter& painter) : painter_(painter) {}

    void operator()(const TextItem& item) {
        if (font_ != item.font) {
            font_ = item.font;
            painter_.setFont(MakeQFont(item.font));
        }
        painter_.setPen(Qt::black);
        if (const auto glyphs = PlacedGlyphs(item)) {
            painter_.drawGlyphRun(QPointF(item.x, item.baseline), *glyphs);
            return;
        }
        painter_.drawText(QPointF(item.x, item.baseline),
                          QString::fromUtf8(item.text.data(), static_cast<qsizetype>(item.text.size())));
    }
    void operator()(const LineItem& item) {
        painter_.setPen(RulePen(item.penWidth));
        painter_.drawLine(QPointF(item.x1, item.y1), QPointF(item.x2, item.y2));
    }
    void operator()(const RectItem& item) {
        const QRectF rect(item.x, item.y, item.width, item.height);
        if (item.filled) {
            painter_.fillRect(rect, Qt::black);
        } else {
            painter_.setPen(RulePen(item.penWidth));
            painter_.setBrush(Qt::NoBrush);
            painter_.drawRect(rect);
        }
    }
    void operator()(const PictureItem& item) {
        const QImage image = DecodePicture(item.encoded);
        if (!image.isNull()) painter_.drawImage(QRectF(item.x, item.y, item.width, item.height), image);
    }

private:
    QPainter& painter_;
    std::optional<FontStyle> font_;
};

}  // namespace

void PaintPage(QPainter& painter, const Page& page, double scale) {
    painter.save();
    // Lossless: a PDF would otherwise store pictures as JPEG and blur logos.
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                           QPainter::SmoothPixmapTransform | QPainter::LosslessImageRendering);
    painter.scale(scale, scale);
    ItemPainter paint(painter);
    for (const DrawItem& item : page.items) std::visit(paint, item);
    painter.restore();
}

bool FontInstalled(const std::string& family) {
    const QString wanted = QString::fromStdString(family);
    return QFontInfo(QFont(wanted)).family().compare(wanted, Qt::CaseInsensitive) == 0;
}

}  // namespace quoravel
