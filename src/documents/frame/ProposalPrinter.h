#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "clsPrintFrame.h"

namespace quoravel {

class PrintSurface;

// The print handle every proposal page is written through: it forwards
// text, font and table calls to the surface, owns the page frame and prints
// the body header that opens the content pages.
class clsPrint {
public:
    explicit clsPrint(PrintSurface& surface, FrameSources sources = SystemFrameSources());
    clsPrint(const clsPrint&) = delete;
    clsPrint& operator=(const clsPrint&) = delete;

    PrintSurface& printHandle() const { return surface_; }
    clsPrintFrame& frameHandle() { return frame_; }

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
    void addTable(std::string_view format, std::string_view header, std::string_view body);
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

    void setBodyHeaderProductName(std::string text) { productName_ = std::move(text); }
    void setBodyHeaderPolicyFormNo(std::string text) { policyFormNo_ = std::move(text); }
    void setBodyHeaderProductDescription(std::string text) { productDescription_ = std::move(text); }
    void setBodyHeaderClientName(std::string text) { clientName_ = std::move(text); }
    void setBodyHeaderClientAge(std::string text) { clientAge_ = std::move(text); }
    void setBodyHeaderClientSex(std::string text) { clientSex_ = std::move(text); }
    void setBodyHeaderClientClass(std::string text) { clientClass_ = std::move(text); }
    void setBodyHeaderPolicyFaceAmount(std::string text) { faceAmount_ = std::move(text); }
    void setBodyHeaderBrokerName(std::string text) { brokerName_ = std::move(text); }

    // Product, form and description centred, then who the proposal is for
    // and who prepared it; the caller's font size, underline and bold are kept.
    void printBodyHeader();

private:
    PrintSurface& surface_;
    clsPrintFrame frame_;
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
