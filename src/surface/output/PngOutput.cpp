#include "PngOutput.h"

#include <QBuffer>
#include <QPainter>
#include <cmath>

#include "PageRenderer.h"
#include "RuntimeError.h"
#include "TextFile.h"

namespace quoravel {
namespace {

constexpr double kLargestDpi = 1200;
// A gigabyte of pixels: more is a page size or resolution gone wrong.
constexpr double kLargestImage = 1 << 28;
constexpr double kInchesPerMetre = 39.37007874;

}  // namespace

QImage PageImage(const Page& page, const Document& document, double dpi) {
    const double scale = dpi / kTwipsPerInch;
    const double width = std::ceil(document.pageWidth * scale);
    const double height = std::ceil(document.pageHeight * scale);
    if (!(dpi > 0 && dpi <= kLargestDpi && width >= 1 && height >= 1 && width * height <= kLargestImage)) {
        throw RuntimeError(ErrorNumber::InvalidProcedureCall, "PageImage",
                           "A page image of " + std::to_string(document.pageWidth) + " by " +
                               std::to_string(document.pageHeight) + " twips at " + std::to_string(dpi) +
                               " dpi cannot be made.");
    }
    QImage image(static_cast<int>(width), static_cast<int>(height), QImage::Format_RGB32);
    if (image.isNull()) {
        throw RuntimeError(ErrorNumber::OutOfMemory, "PageImage",
                           "There is not enough memory for a page image at " + std::to_string(dpi) + " dpi.");
    }
    image.setDotsPerMeterX(static_cast<int>(std::lround(dpi * kInchesPerMetre)));
    image.setDotsPerMeterY(image.dotsPerMeterX());
    image.fill(Qt::white);
    QPainter painter(&image);
    PaintPage(painter, page, scale);
    painter.end();
    return image;
}

void WritePng(const Page& page, const Document& document, double dpi, const std::string& path) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (!PageImage(page, document, dpi).save(&buffer, "PNG")) {
        throw RuntimeError(ErrorNumber::InternalError, "WritePng",
                           "The page image " + path + " cannot be encoded.");
    }
    WriteFileAtomically(path,
                        std::string_view(buffer.data().constData(), static_cast<std::size_t>(buffer.size())));
}

}  // namespace quoravel
