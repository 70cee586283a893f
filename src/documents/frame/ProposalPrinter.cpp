#include "ProposalPrinter.h"

#include "PrintSurface.h"

namespace quoravel {

ProposalPrinter::ProposalPrinter(PrintSurface& surface, FrameSources sources)
    : surface_(surface), frame_(std::move(sources)) {
    frame_.Reference(surface);
    frame_.InitFrame();
}

void ProposalPrinter::Paragraph(std::string_view text) { surface_.Paragraph(text); }
void ProposalPrinter::Text(std::string_view text) { surface_.Text(text); }
bool ProposalPrinter::FontUnderline() const { return surface_.FontUnderline(); }
void ProposalPrinter::SetFontUnderline(bool on) { surface_.SetFontUnderline(on); }
bool ProposalPrinter::FontBold() const { return surface_.FontBold(); }
void ProposalPrinter::SetFontBold(bool on) { surface_.SetFontBold(on); }
double ProposalPrinter::FontSize() const { return surface_.FontSize(); }
void ProposalPrinter::SetFontSize(std::int16_t points) { surface_.SetFontSize(points); }
bool ProposalPrinter::FontItalic() const { return surface_.FontItalic(); }
void ProposalPrinter::SetFontItalic(bool on) { surface_.SetFontItalic(on); }
int ProposalPrinter::TextAlign() const { return surface_.TextAlign(); }
void ProposalPrinter::SetTextAlign(int code) { surface_.SetTextAlign(code); }
void ProposalPrinter::AddTable(std::string_view format, std::string_view header, std::string_view body) {
    surface_.AddTable(format, header, body);
}
int ProposalPrinter::TableBorder() const { return surface_.TableBorder(); }
void ProposalPrinter::SetTableBorder(int code) { surface_.SetTableBorder(code); }
double ProposalPrinter::PenWidth() const { return surface_.PenWidth(); }
void ProposalPrinter::SetPenWidth(double twips) { surface_.SetPenWidth(twips); }
const std::string& ProposalPrinter::TableSep() const { return surface_.TableSep(); }
void ProposalPrinter::SetTableSep(std::string separators) { surface_.SetTableSep(std::move(separators)); }

void ProposalPrinter::StartDoc(std::int32_t format) {
    frame_.OutputFileFormat(format);
    surface_.StartDoc();
}

void ProposalPrinter::EndDoc() {
    surface_.EndDoc();
    frame_.RenderDocument();
}

void ProposalPrinter::PrintBodyHeader() {
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
