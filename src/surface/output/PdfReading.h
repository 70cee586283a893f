#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace quoravel {

// A PDF as a reader sees it: the document's metadata as its last revision
// holds it, and the text of each page.
struct PdfContents {
    std::string metadata;  // the catalog's XMP metadata stream; empty when it has none
    std::vector<std::string> pages;
};

// A file that does not parse as a PDF, or whose cross-reference data or
// streams are damaged; what() is the PDF library's reason.
class PdfDamaged : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reads the PDF strictly: a damaged file is refused, never rebuilt, so what
// is read is what the file's own structure says. Throws PdfDamaged.
PdfContents ReadPdf(std::string_view bytes);

}  // namespace quoravel
