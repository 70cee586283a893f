#include "PdfOutput.h"

#include <QBuffer>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include "PageRenderer.h"
#include "RuntimeError.h"
#include "TextFile.h"

namespace quoravel {

void WritePdf(const Document& document, const std::string& path) {
    // Built in memory first, so the file is written whole or not at all.
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setCreator(QStringLiteral("Quoravel"));
        writer.setPageSize(
            QPageSize(QSizeF(document.pageWidth / kTwipsPerPoint, document.pageHeight / kTwipsPerPoint),
                      QPageSize::Point));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        // One device unit is one twip.
        writer.setResolution(static_cast<int>(kTwipsPerInch));
        QPainter painter;
        if (!painter.begin(&writer)) {
            throw RuntimeError(ErrorNumber::InternalError, "WritePdf",
                               "The PDF file " + path + " cannot be started.");
        }
        PictureCache pictures;
        for (std::size_t i = 0; i < document.pages.size(); ++i) {
            if (i > 0) writer.newPage();
            PaintPage(painter, document.pages[i], writer.resolution() / kTwipsPerInch, pictures);
        }
        painter.end();
    }
    WriteFileAtomically(path,
                        std::string_view(buffer.data().constData(), static_cast<std::size_t>(buffer.size())));
}

}  // namespace quoravel
