#include "PdfReading.h"

// qpdf 11 without its old pointer holder.
#define POINTERHOLDER_TRANSITION 4

#include <poppler-document.h>
#include <poppler-page.h>
#include <qpdf/Buffer.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>

#include <memory>

namespace quoravel {
namespace {

// qpdf checks the structure: with recovery off, damaged cross-reference
// data is an error rather than rebuilt from whatever objects the bytes
// hold, and every page's content is decoded, so a cut stream shows.
std::string CheckedMetadata(std::string_view bytes) {
    QPDF pdf;
    pdf.setAttemptRecovery(false);
    pdf.setSuppressWarnings(true);
    pdf.processMemoryFile("proposal", bytes.data(), bytes.size());
    for (QPDFPageObjectHelper& page : QPDFPageDocumentHelper(pdf).getAllPages()) {
        for (QPDFObjectHandle& content : page.getPageContents()) content.getStreamData(qpdf_dl_generalized);
    }
    std::string metadata;
    QPDFObjectHandle stream = pdf.getRoot().getKey("/Metadata");
    if (stream.isStream()) {
        const std::shared_ptr<Buffer> data = stream.getStreamData(qpdf_dl_generalized);
        metadata.assign(reinterpret_cast<const char*>(data->getBuffer()), data->getSize());
    }
    if (pdf.anyWarnings()) {
        const auto warnings = pdf.getWarnings();
        throw PdfDamaged(warnings.empty() ? "the PDF is damaged" : warnings.front().what());
    }
    return metadata;
}

}  // namespace

PdfContents ReadPdf(std::string_view bytes) {
    // A file cut inside its last revision may still hold a whole earlier
    // one, which a reader would take for the document: its end must be the
    // end of a revision.
    constexpr std::string_view kEnd = "%%EOF";
    const std::size_t last = bytes.find_last_not_of(" \t\r\n\f");
    if (last == std::string_view::npos || last + 1 < kEnd.size() ||
        bytes.substr(last + 1 - kEnd.size(), kEnd.size()) != kEnd)
        throw PdfDamaged(
            "the file does not end where a PDF ends (%%EOF): it is cut short or has more after its end");
    PdfContents contents;
    try {
        contents.metadata = CheckedMetadata(bytes);
    } catch (const PdfDamaged&) {
        throw;
    } catch (const std::exception& error) {
        throw PdfDamaged(error.what());
    }
    // Poppler gives each page's text in reading layout, as a viewer shows it;
    // what it finds wrong in a page is no message of ours.
    poppler::set_debug_error_function([](const std::string&, void*) {}, nullptr);
    const std::unique_ptr<poppler::document> document(
        poppler::document::load_from_raw_data(bytes.data(), static_cast<int>(bytes.size())));
    if (!document) throw PdfDamaged("the PDF cannot be opened");
    for (int index = 0; index < document->pages(); ++index) {
        const std::unique_ptr<poppler::page> page(document->create_page(index));
        if (!page) throw PdfDamaged("page " + std::to_string(index + 1) + " cannot be read");
        const poppler::byte_array text =
            page->text(poppler::rectf(), poppler::page::physical_layout).to_utf8();
        contents.pages.emplace_back(text.begin(), text.end());
    }
    return contents;
}

}  // namespace quoravel
