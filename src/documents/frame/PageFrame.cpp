#include "PageFrame.h"

#include <QDate>
#include <algorithm>
#include <chrono>
#include <random>

#include "EmfOutput.h"
#include "PrintSurface.h"
#include "RuntimeError.h"
#include "Text.h"
#include "TextFile.h"
#include "VsvFile.h"

namespace quoravel {
namespace {

constexpr std::int32_t kHighestReference = 9'999'999;
constexpr double kFooterRuleEnd = 11520;
// The footer rule stands this far above the page's bottom edge; body text
// ends a clearance above it, so that no line sits on the rule.
constexpr double kFooterRuleFromBottom = 1440;
constexpr double kFooterClearance = 180;
// Separates the parts of a relay node entry; the outside system splits at it.

bool IsWholeNumber(std::string_view text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The picture file's bytes; empty when there is no such file.
std::string LoadPicture(const std::string& path) { return ReadFileBytes(path).value_or(std::string()); }

}  // namespace

FrameSources SystemFrameSources() {
    return {
        [] {
            // The clock alone would give two proposals begun at one tick, in
            // two processes of a batch, the same reference number.
            std::seed_seq seed{
                std::random_device{}(),
                static_cast<unsigned>(std::chrono::system_clock::now().time_since_epoch().count())};
            std::mt19937 engine(seed);
            return std::uniform_real_distribution<double>(0.0, 1.0)(engine);
        },
        [] {
            const QDate today = QDate::currentDate();
            return Date::FromYmd(today.year(), today.month(), today.day());
        },
    };
}

PageFrame::PageFrame(FrameSources sources) : sources_(std::move(sources)) {}

void PageFrame::Reference(PrintSurface& surface) {
    surface_ = &surface;
    // A handler left on a surface this frame no longer uses, or on one that
    // outlives the frame, finds its frame gone and does nothing.
    self_ = std::make_shared<PageFrame*>(this);
    surface.AddNewPageHandler([frame = std::weak_ptr<PageFrame*>(self_)] {
        if (auto alive = frame.lock()) (*alive)->OnNewPage();
    });
}

PrintSurface& PageFrame::Surface() const {
    if (!surface_)
        throw RuntimeError(ErrorNumber::InvalidProcedureCall, "clsPrintFrame", "No print surface bound");
    return *surface_;
}

void PageFrame::InitFrame() {
    PrintSurface& surface = Surface();
    surface.SetMargins(700, 1800, 700, kFooterRuleFromBottom + kFooterClearance);
    surface.SetPenWidth(15);
    const auto drawn = static_cast<std::int32_t>(sources_.random() * kHighestReference) + 1;
    reference_ = std::clamp(drawn, 1, kHighestReference);
    globalPage_ = 0;
    printHeader_ = true;
    printFooter_ = true;
}

void PageFrame::OnNewPage() {
    ++currentPage_;
    ++globalPage_;
}

void PageFrame::NewPage() { Surface().NewPage(); }

void PageFrame::SetHeaderGraphic(const std::string& source, std::int16_t a, std::int16_t b, std::int16_t c,
                                 std::int16_t d, std::int16_t type) {
    const std::string number(Trim(source));
    if (type == NoGraphic) {
        const std::string suffix = ToUpper(source.size() >= 3 ? source.substr(source.size() - 3) : source);
        if (suffix == "BMP")
            type = BitmapFile;
        else if (suffix == "JPG")
            type = JpegFile;
        else if (IsWholeNumber(number))
            type = BitmapResource;
    }
    graphicPicture_.clear();
    if (type == BitmapFile || type == JpegFile)
        graphicPicture_ = LoadPicture(source);
    else if (type == BitmapResource && !programFolder_.empty())
        graphicPicture_ = LoadPicture(WithTrailingSeparator(programFolder_) + number + ".bmp");
    graphicSource_ = source;
    graphicA_ = a;
    graphicB_ = b;
    graphicC_ = c;
    graphicD_ = d;
    graphicType_ = type;
}

void PageFrame::AddWinFlexNode(std::int16_t startPage, std::int16_t endPage, std::string nodeName) {
    relayNodes_.push_back({startPage, endPage, std::move(nodeName)});
}

void PageFrame::ResetPageNo() {
    pageRuns_.push_back({currentPage_, illusType_, additionalPages_, printFooter_, printHeader_});
    currentPage_ = 0;
    additionalPages_ = 0;
}

void PageFrame::RenderDocument() {
    ResetPageNo();
    PrintSurface& surface = Surface();
    int documentPage = 1;
    for (const PageRun& run : pageRuns_) {
        for (std::int16_t page = 1; page <= run.PageNo; ++page) {
            surface.StartOverlay(documentPage);
            if (run.PrintHeader) DrawHeaderGraphic();
            if (run.PrintFooter) PrintFooter(page, run.PageNo + run.AdditionalPages, run.IllusType);
            surface.EndOverlay();
            ExportPage(documentPage, filePage_);
            ++documentPage;
            ++filePage_;
        }
    }
    pageRuns_.clear();
    currentPage_ = 0;
    additionalPages_ = 0;
    lastFilePage_ = static_cast<std::int16_t>(filePage_ - 1);
}

void PageFrame::DrawHeaderGraphic() {
    if (graphicPicture_.empty()) return;
    // The placement values are the picture's width, the right edge it ends at,
    // its top and its height: the carrier's banner sits in the top margin,
    // ending where each carrier's layout wants it.
    Surface().DrawPictureData(graphicPicture_, graphicB_ - graphicA_, graphicC_, graphicA_, graphicD_);
}

void PageFrame::PrintFooter(std::int16_t page, int total, const std::string& illusType) {
    PrintSurface& surface = Surface();
    surface.SetFontSize(8);
    const double y = surface.PageHeight() - kFooterRuleFromBottom;
    surface.SetCurrentX(surface.MarginLeft());
    surface.SetCurrentY(y);
    surface.DrawLine(surface.MarginLeft(), y, kFooterRuleEnd, y);
    surface.SetTextAlign(PrintSurface::AlignLeft);
    surface.Text("Version: " + versionText_);
    surface.SetTextAlign(PrintSurface::AlignRight);
    surface.Text("Date Prepared: " + sources_.today().Text());
    surface.SetTextAlign(PrintSurface::AlignLeft);
    surface.Paragraph("State of Delivery: " + footerState_ + "\n" + illusType + ", Page " +
                      std::to_string(page) + " of " + std::to_string(total) + "\n" + "#" +
                      std::to_string(reference_) + "\n");
    surface.SetFontBold(true);
    surface.Text("This Quotation is Not Complete Without All Pages");
    surface.SetFontBold(false);
}

std::string PageFrame::RelayFile(const std::string& name) const {
    return WithTrailingSeparator(relayPath_) + name;
}

void PageFrame::ExportPage(int documentPage, std::int16_t filePage) const {
    const Document& document = Surface().GetDocument();
    const Page& page = document.pages.at(static_cast<std::size_t>(documentPage - 1));
    const std::string number = std::to_string(filePage);
    try {
        WriteEmf(page, document, RelayFile("page" + number + ".emf"));
        SaveVsv(document, documentPage, documentPage, RelayFile("page" + number + ".vsv"));
    } catch (const std::exception& error) {
        throw RuntimeError(
            ErrorNumber::PathFileAccessError, "clsPrintFrame",
            "The page files cannot be written to the folder " + relayPath_ + ": " + error.what());
    }
}

}  // namespace quoravel
