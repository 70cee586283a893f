#include "Artwork.h"

#include <QBuffer>

#include "GifWriter.h"
#include "PdfOutput.h"
#include "RuntimeError.h"
#include "TextFile.h"

namespace quoravel {

std::string EncodePicture(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, format)) {
        throw RuntimeError(ErrorNumber::InternalError, "WriteArtwork",
                           std::string("A picture cannot be encoded as ") + format + ".");
    }
    return bytes.toStdString();
}

const std::vector<Carrier>& Carriers() {
    static const std::vector<Carrier> carriers = {
        {"BRN", "Castmere Life and Annuity Insurance Company", "CSMCLAIC.bmp", "BRLNUW.PDF"},
        {"QNB", "Castmere Life Insurance Company of New York", "CSMCLICNY.bmp", "QNBYUW.PDF"},
        {"TVNY", "Castmere Life Insurance Company", "125CLIC.bmp", "TVNYUW.PDF"},
    };
    return carriers;
}

void WriteArtwork(const std::string& folder) {
    const std::string prefix = WithTrailingSeparator(folder);
    for (const Carrier& carrier : Carriers()) {
        WriteFileAtomically(prefix + carrier.headerFile, EncodePicture(DrawCarrierHeader(carrier), "BMP"));
        WritePdf(DrawUnderwritingGuidelines(carrier), prefix + carrier.formFile);
    }
    WriteFileAtomically(prefix + kCoverFile, EncodeGif(DrawCoverPicture()));
}

}  // namespace quoravel
