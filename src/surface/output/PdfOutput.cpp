#include "PdfOutput.h"

#include <QBuffer>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <cctype>
#include <charconv>
#include <cstdio>
#include <optional>

#include "PageRenderer.h"
#include "PdfDocumentWriter.h"
#include "RuntimeError.h"
#include "TextFile.h"

namespace quoravel {
namespace {

// The number after the last `key` in the text, or nothing.
std::optional<long> NumberAfter(const std::string& text, const std::string& key) {
    const std::size_t at = text.rfind(key);
    if (at == std::string::npos) return std::nullopt;
    std::size_t start = at + key.size();
    while (start < text.size() && std::isspace(static_cast<unsigned char>(text[start]))) ++start;
    long value = 0;
    const auto [end, ec] = std::from_chars(text.data() + start, text.data() + text.size(), value);
    if (ec != std::errc() || end == text.data() + start) return std::nullopt;
    return value;
}

// The writer's information dictionary holds a title and a creator only: an
// update appended to the file gives it a new one with every entry. A file
// whose trailer cannot be read keeps the writer's.
void AppendInformation(std::string& pdf, const DocumentInfo& info) {
    const auto previous = NumberAfter(pdf, "startxref");
    const auto size = NumberAfter(pdf, "/Size");
    const auto root = NumberAfter(pdf, "/Root");
    if (!previous || !size || !root) return;
    const long object = *size;
    const std::size_t objectOffset = pdf.size();
    pdf += std::to_string(object) + " 0 obj\n<<\n/Title " + PdfTextString(info.title) + "\n/Author " +
           PdfTextString(info.author) + "\n/Subject " + PdfTextString(info.subject) + "\n/Creator " +
           PdfTextString(info.creator) + "\n>>\nendobj\n";
    const std::size_t xrefOffset = pdf.size();
    char entry[32];
    std::snprintf(entry, sizeof entry, "%010zu 00000 n \n", objectOffset);
    pdf += "xref\n" + std::to_string(object) + " 1\n" + entry + "trailer\n<<\n/Size " +
           std::to_string(object + 1) + "\n/Root " + std::to_string(*root) + " 0 R\n/Info " +
           std::to_string(object) + " 0 R\n/Prev " + std::to_string(*previous) + "\n>>\nstartxref\n" +
           std::to_string(xrefOffset) + "\n%%EOF\n";
}

// The document through Qt's writer, for what the direct writer leaves: text
// beyond Windows-1252, a family or a character the fonts do not have.
std::string QtPdf(const Document& document, const std::string& path) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setCreator(
            QString::fromStdString(document.info.creator.empty() ? "Quoravel" : document.info.creator));
        writer.setTitle(QString::fromStdString(document.info.title));
        if (!document.info.metadata.empty())
            writer.setDocumentXmpMetadata(QByteArray(document.info.metadata.data(),
                                                     static_cast<qsizetype>(document.info.metadata.size())));
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
        for (std::size_t i = 0; i < document.pages.size(); ++i) {
            if (i > 0) writer.newPage();
            PaintPage(painter, document.pages[i], writer.resolution() / kTwipsPerInch);
        }
        painter.end();
    }
    std::string pdf(buffer.data().constData(), static_cast<std::size_t>(buffer.size()));
    AppendInformation(pdf, document.info);
    return pdf;
}

}  // namespace

void WritePdf(const Document& document, const std::string& path, Durability durability) {
    // Built in memory first, so the file is written whole or not at all.
    std::optional<std::string> pdf = DirectPdf(document);
    if (!pdf) pdf = QtPdf(document, path);
    WriteFileAtomically(path, *pdf, durability);
}

}  // namespace quoravel
