#include "ProposalPrinter.h"

#include <algorithm>

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

double ProposalPrinter::LineWidth() const {
    return surface_.PageWidth() - surface_.MarginLeft() - surface_.MarginRight();
}

std::string ProposalPrinter::Shortened(std::string_view text, double width) const {
    return surface_.Measure().Shortened(surface_.Font(), text, width);
}

void ProposalPrinter::OneLineParagraph(std::string_view name) {
    surface_.Paragraph(Shortened(name, LineWidth()));
}

// A name longer than a name commonly is (two and a half inches) shares with
// the other what the line leaves, at least an inch each, so that however
// long the names the header takes no more lines than it does for short ones.
std::pair<std::string, std::string> ProposalPrinter::FittedNames(const std::string& details,
                                                                 const std::string& opening) const {
    constexpr double kCommonName = 3600, kLeastName = 1440;
    FontStyle bold = surface_.Font();
    bold.bold = true;
    const FontMeasure& measure = surface_.Measure();
    const double client = measure.Width(bold, clientName_),
                 broker = measure.Width(surface_.Font(), brokerName_);
    const bool longClient = client > kCommonName, longBroker = broker > kCommonName;
    if (!longClient && !longBroker) return {clientName_, brokerName_};
    double room = LineWidth() - measure.Width(surface_.Font(), "Prepared for: - " + details + opening + ")");
    if (!longClient) room -= client;
    if (!longBroker) room -= broker;
    const double share = std::max(kLeastName, room / (longClient + longBroker));
    return {longClient ? measure.Shortened(bold, clientName_, share) : clientName_,
            longBroker ? measure.Shortened(surface_.Font(), brokerName_, share) : brokerName_};
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
    const std::string details = "Age " + clientAge_ + ", " + (clientSex_.empty() ? "" : clientSex_ + ", ") +
                                clientClass_ + ", " + faceAmount_;
    const std::string opening = (faceAmount_.empty() ? "" : " ") + std::string("(Prepared by: ");
    const auto [client, broker] = FittedNames(details, opening);
    surface_.Text("Prepared for: ");
    // A case without a name starts at the age.
    if (!client.empty()) {
        surface_.SetFontBold(true);
        surface_.Text(client);
        surface_.SetFontBold(false);
        surface_.Text("- ");
    }
    surface_.Text(details);
    if (!broker.empty()) surface_.Text(opening + broker + ")");
    surface_.Text("\n\n");

    surface_.SetFontSize(size);
    surface_.SetFontUnderline(underline);
    surface_.SetFontBold(bold);
}

}  // namespace quoravel
