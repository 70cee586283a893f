#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>

#include "PageFixture.h"
#include "PrintSurface.h"
#include "ProposalPrinter.h"
#include "TestSupport.h"

using namespace quoravel;

namespace {

class PageFrameTest : public ::testing::Test {
protected:
    PageFrameTest() {
        frame().SetWinflexPath(path);
        frame().SetFooterVersion("Quoravel - V2.1");
        frame().SetFooterState("Ohio");
    }
    PageFrame& frame() { return print.Frame(); }
    const Document& document() const { return surface.GetDocument(); }
    bool Exported(const std::string& name) const { return std::filesystem::exists(folder.path() / name); }

    // A section of `pages` pages; the first section takes the page StartDoc began.
    void Section(const std::string& type, int pages, bool close = true) {
        frame().SetFooterIllusType(type);
        for (int page = 0; page < pages; ++page) {
            if (page > 0 || frame().CurrentPage() == 0) print.NewPage();
            print.Paragraph("section text");
        }
        if (close) frame().ResetPageNo();
    }

    TempFolder folder;
    const std::string path = folder.path().string();
    PrintSurface surface;
    ProposalPrinter print{surface, FixedChance()};
};

TEST_F(PageFrameTest, EachPageRunIsNumberedOnItsOwnAndEveryPageIsExported) {
    print.StartDoc(4);
    Section("Basic Quotation", 2);
    Section("Product Comparison", 3);
    Section("Class Comparison", 1, false);  // closed by EndDoc
    print.EndDoc();

    ASSERT_EQ(surface.PageCount(), 6);
    const char* footers[] = {"Basic Quotation, Page 1 of 2",    "Basic Quotation, Page 2 of 2",
                             "Product Comparison, Page 1 of 3", "Product Comparison, Page 2 of 3",
                             "Product Comparison, Page 3 of 3", "Class Comparison, Page 1 of 1"};
    for (int page = 1; page <= 6; ++page) {
        SCOPED_TRACE("page " + std::to_string(page));
        const auto lines = PageLines(document(), page);
        EXPECT_EQ(std::vector<std::string>(lines.end() - 5, lines.end()),
                  (std::vector<std::string>{"Version: Quoravel - V2.1 Date Prepared: 3/7/2024",
                                            "State of Delivery: Ohio", footers[page - 1], "#5000000",
                                            "This Quotation is Not Complete Without All Pages"}));
        const TextItem& notice = TextOn(document(), page, "Quotation");
        EXPECT_TRUE(notice.font.bold && notice.font.size == 8);
        for (const char* kind : {".emf", ".vsv"}) EXPECT_TRUE(Exported("page" + std::to_string(page) + kind));
    }
    EXPECT_FALSE(Exported("page7.emf"));
    EXPECT_EQ(frame().LastFilePage(), 6);
    // The footers' reference number is drawn by chance from 1 to 9,999,999.
    PrintSurface other;
    EXPECT_EQ(ProposalPrinter(other, FixedChance(0.0)).Frame().Reference(), 1);
    EXPECT_EQ(ProposalPrinter(other, FixedChance(0.99999999999)).Frame().Reference(), 9'999'999);
}

TEST_F(PageFrameTest, AFolderThatCannotTakeThePagesIsNamedInTheError) {
    frame().SetWinflexPath(path + "/no such folder");
    print.StartDoc(4);
    const std::string raised = Raised([&] { print.EndDoc(); });
    EXPECT_TRUE(raised.starts_with("75 clsPrintFrame: The page files cannot be written to the folder " +
                                   path + "/no such folder"))
        << raised;
}

TEST_F(PageFrameTest, HeaderGraphicIsClassifiedBySourceAndDrawnOnRunsWithHeaders) {
    QImage logo(4, 4, QImage::Format_RGB32);
    logo.fill(Qt::blue);
    for (const char* name : {"carrier.bmp", "125.bmp", "carrier.jpg"})
        ASSERT_TRUE(logo.save(QString::fromStdString(folder.folder() + name)));
    frame().SetProgramFolder(folder.folder());

    const struct {
        std::string source;
        std::int16_t type, expectedType;
        bool drawn;
    } cases[] = {
        {"carrier.bmp", 0, 1, true},  {"CARRIER.JPG", 0, 2, true},  {"125", 0, 3, true},
        {"carrier.png", 0, 0, false}, {"missing.bmp", 0, 1, false}, {"carrier.jpg", 2, 2, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.source);
        const std::string source = c.source == "125" ? c.source : folder.folder() + c.source;
        frame().SetHeaderGraphic(source, 1350, 10800, 275, 250, c.type);
        EXPECT_EQ(frame().HeaderGraphicType(), c.expectedType);
        print.StartDoc(4);
        frame().PrintHeader(false);
        Section("Notice", 1);
        frame().PrintHeader(true);
        print.NewPage();
        print.EndDoc();
        std::vector<PictureItem> pictures[2];
        for (int page = 0; page < 2; ++page)
            for (const auto& item : document().pages[static_cast<std::size_t>(page)].items)
                if (const auto* picture = std::get_if<PictureItem>(&item)) pictures[page].push_back(*picture);
        EXPECT_TRUE(pictures[0].empty());
        ASSERT_EQ(pictures[1].size(), c.drawn ? 1u : 0u);
        for (const PictureItem& picture : pictures[1])
            EXPECT_EQ(PictureItem({10800 - 1350, 275, 1350, 250, picture.encoded}), picture);
    }
}

// The whole body header, its client's name bold, is on every golden page.
TEST_F(PageFrameTest, BodyHeaderLeavesOutWhatIsNotGivenAndKeepsTheFont) {
    SetBodyHeader(print, {"Term Plan 20", " (Policy Form No. TL-20 et al)", "Level Premium Term Life",
                          "Ann Smith", "45", "Female", "Preferred", "$250,000", "Bo Agent"});
    print.StartDoc(4);
    surface.SetFontSize(8.25);
    surface.SetFontUnderline(true);
    // Without sex and face amount: no "Female, " and no blank before "(".
    print.SetBodyHeaderClientSex("");
    print.SetBodyHeaderPolicyFaceAmount("");
    print.PrintBodyHeader();
    EXPECT_TRUE(surface.FontSize() == 8.25 && surface.FontUnderline() && !surface.FontBold());
    // Without a broker: no "(Prepared by: )".
    print.SetBodyHeaderBrokerName("");
    print.PrintBodyHeader();
    // Without a name: no "- " before the age.
    print.SetBodyHeaderClientName("");
    print.PrintBodyHeader();

    EXPECT_EQ(
        PageLines(document(), 1),
        std::vector<std::string>({"Term Plan 20 (Policy Form No. TL-20 et al)", "Level Premium Term Life",
                                  "Prepared for: Ann Smith- Age 45, Preferred, (Prepared by: Bo Agent)",
                                  "Term Plan 20 (Policy Form No. TL-20 et al)", "Level Premium Term Life",
                                  "Prepared for: Ann Smith- Age 45, Preferred,",
                                  "Term Plan 20 (Policy Form No. TL-20 et al)", "Level Premium Term Life",
                                  "Prepared for: Age 45, Preferred,"}));
}

}  // namespace
