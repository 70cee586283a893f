#include "clsPrint.h"

#include "PrintSurface.h"

namespace quoravel {

clsPrint::clsPrint(PrintSurface& surface, FrameSources sources)
    : surface_(surface), frame_(std::move(sources)) {
    frame_.getReference(surface);
    frame_.initFrame();
}

void clsPrint::Paragraph(std::string_view text) { surface_.Paragraph(text); }
void clsPrint::Text(std::string_view text) { surface_.Text(text); }
bool clsPrint::FontUnderline() const { return surface_.FontUnderline(); }
void clsPrint::SetFontUnderline(bool on) { surface_.SetFontUnderline(on); }
bool clsPrint::FontBold() const { return surface_.FontBold(); }
void clsPrint::SetFontBold(bool on) { surface_.SetFontBold(on); }
double clsPrint::FontSize() const { return surface_.FontSize(); }
void clsPrint::SetFontSize(std::int16_t points) { surface_.SetFontSize(points); }
bool clsPrint::FontItalic() const { return surface_.FontItalic(); }
void clsPrint::SetFontItalic(bool on) { surface_.SetFontItalic(on); }
int clsPrint::TextAlign() const { return surface_.TextAlign(); }
void clsPrint::SetTextAlign(int code) { surface_.SetTextAlign(code); }
void clsPrint::addTable(std::string_view format, std::string_view header, std::string_view body) {
    surface_.AddTable(format, header, body);
}
int clsPrint::TableBorder() const { return surface_.TableBorder(); }
void clsPrint::SetTableBorder(int code) { surface_.SetTableBorder(code); }
double clsPrint::PenWidth() const { return surface_.PenWidth(); }
void clsPrint::SetPenWidth(double twips) { surface_.SetPenWidth(twips); }
const std::string& clsPrint::TableSep() const { return surface_.TableSep(); }
void clsPrint::SetTableSep(std::string separators) { surface_.SetTableSep(std::move(separators)); }

void clsPrint::StartDoc(std::int32_t format) {
    frame_.OutputFileFormat(format);
    surface_.StartDoc();
}

void clsPrint::EndDoc() {
    surface_.EndDoc();
    frame_.renderDocument();
}

void clsPrint::printBodyHeader() {
    // Kept as the surface holds them: a ledger prints at 8.25 points.
    const double size = surface_.FontSize();
    const bool underline = surface_.FontUnderline();
    const bool bold = surface_.FontBold();

    surface_.SetTextAlign(PrintSurface::AlignCenter);
    surface_.SetFontSize(10);
    surface_.SetFontBold(true);
    surface_.SetFontUnderline(false);
    surface_.Text(productName_);
    surface_.SetFontBold(false);
    surface_.Paragraph(policyFormNo_);
    surface_.Paragraph(productDescription_);
    surface_.Text("Prepared for: ");
    // A case without a name starts at the age.
    if (!clientName_.empty()) {
        surface_.SetFontBold(true);
        surface_.Text(clientName_);
        surface_.SetFontBold(false);
        surface_.Text("- ");
    }
    surface_.Text("Age " + clientAge_ + ", ");
    if (!clientSex_.empty()) surface_.Text(clientSex_ + ", ");
    surface_.Text(clientClass_ + ", " + faceAmount_);
    if (!brokerName_.empty())
        surface_.Text((faceAmount_.empty() ? "" : " ") + std::string("(Prepared by: ") + brokerName_ + ")");
    surface_.Text("\n\n");

    surface_.SetFontSize(size);
    surface_.SetFontUnderline(underline);
    surface_.SetFontBold(bold);
}

}  // namespace quoravel
