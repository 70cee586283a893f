#include "PdfDocumentWriter.h"

#include <zlib.h>
#include <QString>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <map>
#include <memory>
#include <tuple>
#include <vector>

#include "Cp1252.h"
#include "Deflate.h"
#include "PdfFont.h"
#include "PdfPicture.h"

namespace quoravel {
namespace {

// A number as a PDF writes it: at most two decimals, no trailing zeros.
void AppendNumber(std::string& out, double value) {
    char text[32];
    const double rounded = std::isfinite(value) ? std::round(value * 100) / 100 : 0;
    auto [end, ec] =
        std::to_chars(text, text + sizeof text, rounded == 0 ? 0.0 : rounded, std::chars_format::fixed, 2);
    if (ec != std::errc()) end = text + std::snprintf(text, sizeof text, "0");
    char* last = end;
    if (std::string_view(text, end).find('.') != std::string_view::npos) {
        while (last[-1] == '0') --last;
        if (last[-1] == '.') --last;
    }
    out.append(text, last);
}

std::string Number(double value) {
    std::string out;
    AppendNumber(out, value);
    return out;
}

// The characters of a text as Windows-1252 codes; nothing when one has none
// or is a control character.
std::optional<std::string> Codes(const std::string& utf8) {
    auto codes = Utf8ToCp1252Exactly(utf8);
    if (codes &&
        std::any_of(codes->begin(), codes->end(), [](char c) { return static_cast<unsigned char>(c) < 32; }))
        return std::nullopt;
    return codes;
}

void AppendLiteral(std::string& out, std::string_view codes) {
    out += '(';
    for (char c : codes) {
        if (c == '(' || c == ')' || c == '\\') out += '\\';
        out += c;
    }
    out += ')';
}

// The fonts and pictures a document uses, each numbered once.
struct Resources {
    std::vector<std::shared_ptr<const PdfFont>> fonts;
    std::map<std::tuple<std::string, bool, bool>, std::size_t> fontIndex;
    std::vector<std::shared_ptr<const PdfPicture>> pictures;
    std::map<const PdfPicture*, std::size_t> pictureIndex;

    std::optional<std::size_t> Font(const FontStyle& style) {
        const auto key = std::tuple{style.family, style.bold, style.italic};
        if (const auto found = fontIndex.find(key); found != fontIndex.end()) return found->second;
        auto font = PdfFont::For(style);
        if (!font) return std::nullopt;
        fonts.push_back(std::move(font));
        return fontIndex.emplace(key, fonts.size() - 1).first->second;
    }
    std::size_t Picture(std::shared_ptr<const PdfPicture> picture) {
        const auto [found, added] = pictureIndex.emplace(picture.get(), pictures.size());
        if (added) pictures.push_back(std::move(picture));
        return found->second;
    }
};

// One page's drawing operators, in twips from the top-left corner.
class PageContent {
public:
    PageContent(Resources& resources, double pageHeight) : resources_(resources) {
        // One unit is one twip, y downwards; rules have square ends.
        out_ = "0.05 0 0 -0.05 0 ";
        AppendNumber(out_, pageHeight / kTwipsPerPoint);
        out_ += " cm 2 J 0 j\n";
    }
    bool Add(const DrawItem& item) { return std::visit(*this, item); }
    const std::string& Operators() const { return out_; }

    bool operator()(const TextItem& item) {
        const auto font = resources_.Font(item.font);
        const auto codes = Codes(item.text);
        if (!font || !codes) return false;
        const PdfFont& embedded = *resources_.fonts[*font];
        // A character the face lacks is left to Qt, which finds another font.
        for (char code : *codes)
            if (!embedded.Has(static_cast<unsigned char>(code))) return false;
        const double size = item.font.size * kTwipsPerPoint;
        if (font != font_ || size != size_) {
            font_ = font;
            size_ = size;
            out_ += "/F" + std::to_string(*font) + ' ';
            AppendNumber(out_, size);
            out_ += " Tf\n";
        }
        out_ += "BT 1 0 0 -1 ";
        AppendNumber(out_, item.x);
        out_ += ' ';
        AppendNumber(out_, item.baseline);
        out_ += " Tm [";
        // Each character goes where it was measured: where the font's own
        // advance differs, the pen is moved by what is left.
        const bool placed = item.advances.size() == codes->size();
        double pen = 0, wanted = 0;
        std::size_t runStart = 0;
        for (std::size_t i = 0; i < codes->size(); ++i) {
            if (placed && i > 0) {
                const double shift = std::round((pen - wanted) * 1000 / size * 100) / 100;
                if (shift != 0) {
                    AppendLiteral(out_, std::string_view(*codes).substr(runStart, i - runStart));
                    AppendNumber(out_, shift);
                    runStart = i;
                    pen -= shift * size / 1000;
                }
            }
            pen += embedded.Width(static_cast<unsigned char>((*codes)[i])) * size / 1000;
            if (placed) wanted += item.advances[i];
        }
        AppendLiteral(out_, std::string_view(*codes).substr(runStart));
        out_ += "] TJ ET\n";
        if (item.font.underline) {
            const double thickness = embedded.underlineThickness * size / 1000;
            Rectangle(item.x, item.baseline + embedded.underlineOffset * size / 1000 - thickness / 2,
                      item.width, thickness, " re f\n");
        }
        return true;
    }
    bool operator()(const LineItem& item) {
        Pen(item.penWidth);
        for (double value : {item.x1, item.y1}) AppendNumber(out_, value), out_ += ' ';
        out_ += "m ";
        for (double value : {item.x2, item.y2}) AppendNumber(out_, value), out_ += ' ';
        out_ += "l S\n";
        return true;
    }
    bool operator()(const RectItem& item) {
        if (!item.filled) Pen(item.penWidth);
        Rectangle(item.x, item.y, item.width, item.height, item.filled ? " re f\n" : " re S\n");
        return true;
    }
    bool operator()(const PictureItem& item) {
        // A picture that cannot be decoded is left out, as on every output.
        auto picture = PdfPicture::For(item.encoded);
        if (!picture) return true;
        const std::size_t index = resources_.Picture(std::move(picture));
        out_ += "q ";
        for (double value : {item.width, 0.0, 0.0, -item.height, item.x, item.y + item.height})
            AppendNumber(out_, value), out_ += ' ';
        out_ += "cm /Im" + std::to_string(index) + " Do Q\n";
        return true;
    }

private:
    // A rule keeps its width in twips, one twip at the least.
    void Pen(double width) {
        width = std::max(width, 1.0);
        if (width == pen_) return;
        pen_ = width;
        AppendNumber(out_, width);
        out_ += " w\n";
    }
    void Rectangle(double x, double y, double width, double height, const char* paint) {
        for (double value : {x, y, width}) AppendNumber(out_, value), out_ += ' ';
        AppendNumber(out_, height);
        out_ += paint;
    }

    Resources& resources_;
    std::string out_;
    std::optional<std::size_t> font_;
    double size_ = 0;
    double pen_ = -1;
};

// The file's bytes and where each object starts.
class PdfFile {
public:
    PdfFile() { out_ = "%PDF-1.4\n%\xE2\xE3\xCF\xD3\n"; }
    int Reserve() {
        offsets_.push_back(0);
        return static_cast<int>(offsets_.size());
    }
    void Object(int number, const std::string& body) {
        Begin(number);
        out_ += body;
        out_ += "\nendobj\n";
    }
    // A stream, `deflated` when its data is zlib-compressed; `extra` holds more dictionary keys.
    void Stream(int number, std::string_view data, bool deflated, const std::string& extra = {}) {
        Begin(number);
        out_ += "<< /Length " + std::to_string(data.size()) + (deflated ? " /Filter /FlateDecode" : "") +
                extra + " >>\nstream\n";
        out_ += data;
        out_ += "\nendstream\nendobj\n";
    }
    std::string Finish(int root, int info) {
        const std::size_t xref = out_.size();
        out_ += "xref\n0 " + std::to_string(offsets_.size() + 1) + "\n0000000000 65535 f \n";
        char entry[24];
        for (std::size_t offset : offsets_) {
            std::snprintf(entry, sizeof entry, "%010zu 00000 n \n", offset);
            out_ += entry;
        }
        out_ += "trailer\n<< /Size " + std::to_string(offsets_.size() + 1) + " /Root " +
                std::to_string(root) + " 0 R /Info " + std::to_string(info) + " 0 R >>\nstartxref\n" +
                std::to_string(xref) + "\n%%EOF\n";
        return std::move(out_);
    }

private:
    void Begin(int number) {
        offsets_[static_cast<std::size_t>(number - 1)] = out_.size();
        out_ += std::to_string(number) + " 0 obj\n";
    }
    std::string out_;
    std::vector<std::size_t> offsets_;
};

std::string Reference(int number) { return std::to_string(number) + " 0 R"; }

void WriteFont(PdfFile& file, int number, const PdfFont& font) {
    const int descriptor = file.Reserve();
    const int fontFile = file.Reserve();
    std::string widths;
    for (double width : font.widths) AppendNumber(widths, std::max(width, 0.0)), widths += ' ';
    // A subset's name carries a tag of six capitals before the font's own.
    const std::string name = "/QRVLWA+" + font.postScriptName;
    file.Object(number, "<< /Type /Font /Subtype /TrueType /BaseFont " + name +
                            " /FirstChar 32 /LastChar 255 /Widths [" + widths +
                            "] /Encoding /WinAnsiEncoding /FontDescriptor " + Reference(descriptor) + " >>");
    std::string box;
    for (double value : font.boundingBox) AppendNumber(box, value), box += ' ';
    // Flags: not symbolic (32), italic (64).
    file.Object(descriptor, "<< /Type /FontDescriptor /FontName " + name + " /Flags " +
                                std::to_string(32 + (font.italicAngle != 0 ? 64 : 0)) + " /FontBBox [" + box +
                                "] /ItalicAngle " + Number(font.italicAngle) + " /Ascent " +
                                Number(font.ascent) + " /Descent " + Number(font.descent) + " /CapHeight " +
                                Number(font.capHeight) + " /StemV 80 /FontFile2 " + Reference(fontFile) +
                                " >>");
    file.Stream(fontFile, font.fontFile, true, " /Length1 " + std::to_string(font.fontFileLength));
}

void WritePicture(PdfFile& file, int number, const PdfPicture& picture) {
    const std::string size =
        " /Width " + std::to_string(picture.width) + " /Height " + std::to_string(picture.height);
    std::string mask;
    if (!picture.alpha.empty()) {
        const int alpha = file.Reserve();
        file.Stream(
            alpha, picture.alpha, true,
            " /Type /XObject /Subtype /Image" + size + " /ColorSpace /DeviceGray /BitsPerComponent 8");
        mask = " /SMask " + Reference(alpha);
    }
    file.Stream(number, picture.rgb, true,
                " /Type /XObject /Subtype /Image" + size +
                    " /ColorSpace /DeviceRGB /BitsPerComponent 8 /Interpolate true" + mask);
}

}  // namespace

std::string PdfTextString(const std::string& utf8) {
    std::string hex = "<FEFF";
    for (const QChar c : QString::fromStdString(utf8)) {
        char unit[5];
        std::snprintf(unit, sizeof unit, "%04X", c.unicode());
        hex += unit;
    }
    return hex + ">";
}

std::optional<std::string> DirectPdf(const Document& document) {
    Resources resources;
    std::vector<std::string> contents;
    for (const Page& page : document.pages) {
        PageContent content(resources, document.pageHeight);
        for (const DrawItem& item : page.items) {
            if (!content.Add(item)) return std::nullopt;
        }
        contents.push_back(content.Operators());
    }
    // A document without pages gives one blank page.
    if (contents.empty()) contents.push_back(PageContent(resources, document.pageHeight).Operators());

    PdfFile file;
    const int catalog = file.Reserve();
    const int pages = file.Reserve();
    const int info = file.Reserve();
    const int shared = file.Reserve();
    const DocumentInfo& about = document.info;
    std::string catalogBody = "<< /Type /Catalog /Pages " + Reference(pages);
    if (!about.metadata.empty()) {
        const int metadata = file.Reserve();
        file.Stream(metadata, about.metadata, false, " /Type /Metadata /Subtype /XML");
        catalogBody += " /Metadata " + Reference(metadata);
    }
    file.Object(catalog, catalogBody + " >>");
    file.Object(info, "<< /Title " + PdfTextString(about.title) + " /Author " + PdfTextString(about.author) +
                          " /Subject " + PdfTextString(about.subject) + " /Creator " +
                          PdfTextString(about.creator.empty() ? "Quoravel" : about.creator) + " >>");

    std::string fonts, pictures;
    for (std::size_t i = 0; i < resources.fonts.size(); ++i) {
        const int number = file.Reserve();
        WriteFont(file, number, *resources.fonts[i]);
        fonts += " /F" + std::to_string(i) + ' ' + Reference(number);
    }
    for (std::size_t i = 0; i < resources.pictures.size(); ++i) {
        const int number = file.Reserve();
        WritePicture(file, number, *resources.pictures[i]);
        pictures += " /Im" + std::to_string(i) + ' ' + Reference(number);
    }
    file.Object(shared, "<< /ProcSet [/PDF /Text /ImageC] /Font <<" + fonts + " >> /XObject <<" + pictures +
                            " >> >>");

    const std::string mediaBox = "[0 0 " + Number(document.pageWidth / kTwipsPerPoint) + ' ' +
                                 Number(document.pageHeight / kTwipsPerPoint) + ']';
    std::string kids;
    for (const std::string& operators : contents) {
        const int page = file.Reserve();
        const int stream = file.Reserve();
        file.Object(page, "<< /Type /Page /Parent " + Reference(pages) + " /MediaBox " + mediaBox +
                              " /Resources " + Reference(shared) + " /Contents " + Reference(stream) + " >>");
        file.Stream(stream, Deflate(operators, Z_BEST_SPEED), true);
        kids += Reference(page) + ' ';
    }
    file.Object(pages,
                "<< /Type /Pages /Kids [" + kids + "] /Count " + std::to_string(contents.size()) + " >>");
    return file.Finish(catalog, info);
}

}  // namespace quoravel
