#include "PictureStore.h"

#include <QBuffer>
#include <QByteArray>

namespace quoravel {
namespace {

bool IsBitmapFile(const std::string& encoded) { return encoded.starts_with("BM"); }

}  // namespace

QImage DecodePicture(const std::string& encoded) {
    static PerPicture<QImage> decoded;
    return decoded.Get(encoded, [](const std::string& bytes) {
        return QImage::fromData(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    });
}

std::string CompactPicture(const std::string& encoded) {
    if (!IsBitmapFile(encoded)) return encoded;
    static PerPicture<std::string> compacted;
    return compacted.Get(encoded, [](const std::string& bytes) {
        const QImage image = DecodePicture(bytes);
        QByteArray png;
        QBuffer buffer(&png);
        if (image.isNull() || !buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG")) return bytes;
        return png.toStdString();
    });
}

}  // namespace quoravel
