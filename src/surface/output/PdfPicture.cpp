#include "PdfPicture.h"

#include <zlib.h>
#include <QImage>

#include "Deflate.h"
#include "PictureStore.h"

namespace quoravel {

std::shared_ptr<const PdfPicture> PdfPicture::For(const std::string& encoded) {
    static PerPicture<std::shared_ptr<const PdfPicture>> pictures;
    return pictures.Get(encoded, [](const std::string& bytes) -> std::shared_ptr<const PdfPicture> {
        const QImage decoded = DecodePicture(bytes);
        if (decoded.isNull()) return nullptr;
        const bool transparent = decoded.hasAlphaChannel();
        const QImage image =
            decoded.convertToFormat(transparent ? QImage::Format_RGBA8888 : QImage::Format_RGB888);
        auto picture = std::make_shared<PdfPicture>();
        picture->width = image.width();
        picture->height = image.height();
        std::string rgb, alpha;
        rgb.reserve(static_cast<std::size_t>(image.width()) * image.height() * 3);
        for (int y = 0; y < image.height(); ++y) {
            const auto* line = reinterpret_cast<const char*>(image.constScanLine(y));
            if (!transparent) {
                rgb.append(line, static_cast<std::size_t>(image.width()) * 3);
                continue;
            }
            for (int x = 0; x < image.width(); ++x) {
                rgb.append(line + 4 * x, 3);
                alpha += line[4 * x + 3];
            }
        }
        picture->rgb = Deflate(rgb, Z_DEFAULT_COMPRESSION);
        if (transparent) picture->alpha = Deflate(alpha, Z_DEFAULT_COMPRESSION);
        return picture;
    });
}

}  // namespace quoravel
