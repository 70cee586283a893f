#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "PageFrame.h"

namespace quoravel {

class PrintSurface;

// The print handle every proposal page is written through: it forwards
// text, font and table calls to the surface, owns the page frame and prints
// the body header that opens the content pages.
class ProposalPrinter {
public:
    explicit ProposalPrinter(PrintSurface& surface, FrameSources sources = SystemFrameSources());
    ProposalPrinter(const ProposalPrinter&) = delete;
    ProposalPrinter& operator=(const ProposalPrinter&) = delete;

    PrintSurface& Surface() const { return surface_; }
    PageFrame& Frame() { return frame_; }

    void Paragraph(std::string_view text);
    void Text(std::string_view text);
    bool FontUnderline() const;
    void SetFontUnderline(bool on);
    bool FontBold() const;
    void SetFontBold(bool on);
    double FontSize() const;
    void SetFontSize(std::int16_t points);
    bool FontItalic() const;
    void SetFontItalic(bool on);
    int TextAlign() const;
    void SetTextAlign(int code);
    void AddTable(std::string_view format, std::string_view header, std::string_view body);
    int TableBorder() const;
    void SetTableBorder(int code);
    double PenWidth() const;
    void SetPenWidth(double twips);
    const std::string& TableSep() const;
    void SetTableSep(std::string separators);

    // The format is kept by the frame as the output file format.
    void StartDoc(std::int32_t format);
    // Ends the surface document, then lets the frame number, export and report the pages.
    void EndDoc();
    void NewPage() { frame_.NewPage(); }

    void SetBodyHeaderProductName(std::string text) { productName_ = std::move(text); }
    void SetBodyHeaderPolicyFormNo(std::string text) { policyFormNo_ = std::move(text); }
    void SetBodyHeaderProductDescription(std::string text) { productDescription_ = std::move(text); }
    void SetBodyHeaderClientName(std::string text) { clientName_ = std::move(text); }
    void SetBodyHeaderClientAge(std::string text) { clientAge_ = std::move(text); }
    void SetBodyHeaderClientSex(std::string text) { clientSex_ = std::move(text); }
    void SetBodyHeaderClientClass(std::string text) { clientClass_ = std::move(text); }
    void SetBodyHeaderPolicyFaceAmount(std::string text) { faceAmount_ = std::move(text); }
    void SetBodyHeaderBrokerName(std::string text) { brokerName_ = std::move(text); }

    // Product, form and description centred, then who the proposal is for
    // and who prepared it; the caller's font size, underline and bold are kept.
    void PrintBodyHeader();

    // A paragraph of one line at the current font, cut with an ellipsis
    // when wider: for names, which can be of any length, so that however
    // long a name the page gives it one line.
    void OneLineParagraph(std::string_view name);
    // The text cut with an ellipsis where it would run past `width` twips at the current font.
    std::string Shortened(std::string_view text, double width) const;

private:
    // Between the margins.
    double LineWidth() const;
    // The client's and the broker's names as the body header prints them
    // around the client's details.
    std::pair<std::string, std::string> FittedNames(const std::string& details,
                                                    const std::string& opening) const;

    PrintSurface& surface_;
    PageFrame frame_;
    std::string productName_;
    std::string policyFormNo_;
    std::string productDescription_;
    std::string clientName_;
    std::string clientAge_;
    std::string clientSex_;
    std::string clientClass_;
    std::string faceAmount_;
    std::string brokerName_;
};

}  // namespace quoravel
