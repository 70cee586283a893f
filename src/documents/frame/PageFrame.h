#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Date.h"
#include "ProposalRun.h"

namespace quoravel {

class PrintSurface;

// One section of a proposal, numbered from page 1 of its own total.
struct PageRun {
    std::int16_t PageNo = 0;
    std::string IllusType;
    std::int16_t AdditionalPages = 0;
    bool PrintFooter = true;
    bool PrintHeader = true;
};

// Where the frame takes chance and the calendar from; tests fix both.
struct FrameSources {
    std::function<double()> random;  // a value in [0, 1)
    std::function<Date()> today;     // the day the proposal is prepared
};
// A generator seeded from the clock and the local calendar.
FrameSources SystemFrameSources();

// The page frame of a proposal: counts the pages as the surface begins them,
// closes page runs, and once the document has ended draws the header picture
// and footer on every page and exports the pages.
class PageFrame {
public:
    enum GraphicType : std::int16_t { NoGraphic = 0, BitmapFile = 1, JpegFile = 2, BitmapResource = 3 };

    explicit PageFrame(FrameSources sources = SystemFrameSources());
    PageFrame(const PageFrame&) = delete;
    PageFrame& operator=(const PageFrame&) = delete;

    void Reference(PrintSurface& surface);
    void InitFrame();

    std::int16_t CurrentPage() const { return currentPage_; }
    // The total the current run's footers state if it ends on this page.
    int RunTotalSoFar() const { return currentPage_ + additionalPages_; }
    std::int16_t GlobalPage() const { return globalPage_; }
    void PrintHeader(bool on) { printHeader_ = on; }
    void PrintFooter(bool on) { printFooter_ = on; }
    std::int32_t OutputFileFormat() const { return outputFileFormat_; }
    void OutputFileFormat(std::int32_t format) { outputFileFormat_ = format; }
    void NewPage();

    // A numeric source names a program bitmap: the file "<number>.bmp" in the
    // program folder. A picture that is missing or cannot be classified is
    // not drawn.
    void SetHeaderGraphic(const std::string& source, std::int16_t a, std::int16_t b, std::int16_t c,
                          std::int16_t d, std::int16_t type);
    std::int16_t HeaderGraphicType() const { return graphicType_; }
    void SetProgramFolder(std::string folder) { programFolder_ = std::move(folder); }

    void AddWinFlexNode(std::int16_t startPage, std::int16_t endPage, std::string nodeName);
    void SetWinflexPath(std::string path) { relayPath_ = std::move(path); }
    void ResetPageNo();
    void AddToTotalPageNo(std::int16_t pages) { additionalPages_ = pages; }
    void SetFooterVersion(std::string text) { versionText_ = std::move(text); }
    void SetFooterState(std::string state) { footerState_ = std::move(state); }
    void SetFooterIllusType(std::string type) { illusType_ = std::move(type); }

    std::int32_t Reference() const { return reference_; }

    // Overlays header pictures and footers and writes page<N>.emf and
    // page<N>.vsv into the relay path.
    void RenderDocument();
    // What the answer reports of the ended document: the pages exported and
    // the named page ranges.
    std::int16_t LastFilePage() const { return lastFilePage_; }
    const std::vector<RelayNode>& RelayNodes() const { return relayNodes_; }

private:
    PrintSurface& Surface() const;
    void OnNewPage();
    void DrawHeaderGraphic();
    void PrintFooter(std::int16_t page, int total, const std::string& illusType);
    void ExportPage(int documentPage, std::int16_t filePage) const;
    std::string RelayFile(const std::string& name) const;

    FrameSources sources_;
    PrintSurface* surface_ = nullptr;
    // Lets the surface's page handler outlive this frame harmlessly.
    std::shared_ptr<PageFrame*> self_;

    std::int16_t currentPage_ = 0;
    std::int16_t globalPage_ = 0;
    std::int16_t additionalPages_ = 0;
    bool printHeader_ = true;
    bool printFooter_ = true;
    std::int32_t outputFileFormat_ = 0;
    std::string relayPath_;
    std::string programFolder_;

    std::string graphicSource_;
    std::string graphicPicture_;  // the encoded picture file; empty when not drawn
    std::int16_t graphicA_ = 0, graphicB_ = 0, graphicC_ = 0, graphicD_ = 0;
    std::int16_t graphicType_ = NoGraphic;

    std::string versionText_;
    std::string footerState_;
    std::string illusType_;
    std::int32_t reference_ = 0;

    std::vector<PageRun> pageRuns_;
    std::vector<RelayNode> relayNodes_;
    std::int16_t filePage_ = 1;
    std::int16_t lastFilePage_ = 0;
};

}  // namespace quoravel
