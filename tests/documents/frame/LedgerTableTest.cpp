#include <gtest/gtest.h>

#include <memory>
#include <regex>

#include "LedgerTable.h"
#include "PageFixture.h"
#include "PrintSurface.h"
#include "ProposalPrinter.h"
#include "TestSupport.h"

using namespace quoravel;

namespace {

// A page object that prints its own lines on the first page and records
// what the ledger asked of it.
class FakePageHeader : public LedgerPageHeader {
public:
    explicit FakePageHeader(int firstPageLines, int printedLines = -1)
        : answered_(firstPageLines), printed_(printedLines < 0 ? firstPageLines : printedLines) {}
    int PrintHeader(ProposalPrinter& print, bool firstPage) override {
        headerCalls.push_back(firstPage);
        if (!firstPage) return 0;
        for (int line = 1; line <= printed_; ++line) print.Paragraph("breakdown line");
        return answered_;
    }
    void PrintFooter(ProposalPrinter&, bool lastPage) override { footerCalls.push_back(lastPage); }

    std::vector<bool> headerCalls, footerCalls;

private:
    int answered_, printed_;
};

class LedgerTableTest : public ::testing::Test {
protected:
    LedgerTableTest() {
        print.SetBodyHeaderProductName("Term Plan");
        print.StartDoc(4);
        print.Paragraph("cover page");
    }

    // A three-column ledger (year, age, premium) of `rows` rows, started on a new page.
    std::unique_ptr<LedgerTable> Ledger(LedgerPageHeader& header, int rows, std::int16_t block = 5) {
        auto ledger = std::make_unique<LedgerTable>();
        ledger->HeaderObject(header);
        ledger->Surface(surface);
        ledger->Frame(print.Frame());
        ledger->SetColumnCount(3);
        ledger->SetRowBlockLines(block);
        ledger->SetRowFormat({1, 1, 2});
        ledger->start(print);
        ledger->AddHeaderRow(false, "+^", {"Guaranteed Premiums and Benefits"});
        ledger->AddHeaderRow(false, "+^", {"Year", "Age", "Premium"});
        for (int row = 1; row <= rows; ++row)
            ledger->AddRowValues({"Y" + std::to_string(row), std::to_string(44 + row), "1,234.00"});
        return ledger;
    }

    int RowsOnPage(int page) const {
        static const std::regex year("^Y[0-9]+$");
        int rows = 0;
        for (const auto& item : surface.GetDocument().pages.at(static_cast<std::size_t>(page - 1)).items)
            if (const auto* text = std::get_if<TextItem>(&item); text && std::regex_match(text->text, year))
                ++rows;
        return rows;
    }

    PrintSurface surface;
    ProposalPrinter print{surface, FixedChance(0.25)};
};

// A page takes min(30 - 0 - (6 + 2), rows) = 22 rows, printed in whole blocks
// of 5: an exact fit ends on its page and one more row takes another page.
TEST_F(LedgerTableTest, RowsFillWholeBlocksOfTheLineBudgetPageByPage) {
    const struct {
        int rows;
        std::vector<int> rowsPerPage;
    } cases[] = {{40, {25, 15}}, {22, {22}}, {25, {25}}, {26, {25, 1}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.rows) + " rows");
        print.StartDoc(4);
        print.Paragraph("cover page");
        FakePageHeader header(6);
        Ledger(header, c.rows)->finish();
        std::vector<int> rows;
        for (int page = 2; page <= surface.PageCount(); ++page) rows.push_back(RowsOnPage(page));
        EXPECT_EQ(rows, c.rowsPerPage);
        EXPECT_TRUE(
            PageHasLine(surface.GetDocument(), surface.PageCount(),
                        "Y" + std::to_string(c.rows) + " " + std::to_string(44 + c.rows) + " 1,234.00"));
        // The page object prints its lines on the first page; its footer closes the last.
        std::vector<bool> firstOnly(c.rowsPerPage.size(), false), lastOnly(firstOnly);
        firstOnly.front() = lastOnly.back() = true;
        EXPECT_EQ(header.headerCalls, firstOnly);
        EXPECT_EQ(header.footerCalls, lastOnly);
    }
}

TEST_F(LedgerTableTest, FirstPageOnlyHeadingsAndTheirFootnotesStayOnTheFirstPage) {
    for (const std::string state : {"OH", "MA"}) {
        SCOPED_TRACE(state);
        print.StartDoc(4);
        FakePageHeader header(0);
        auto ledger = Ledger(header, 40);
        ledger->SetDeliveryState(state);
        ledger->AddHeaderRow(true, "+^", {"", "", "Initial"});
        ledger->SetHeaderSymbol(3, 3, "*");
        ledger->SetHeaderSymbol(2, 3, "#");
        ledger->AddFootnote("*", "Shown with the first year only.", 2, true);
        ledger->AddFootnote("#", "Premiums are annual.", 2, false);
        ledger->AddFootnote("", "Modal factors apply.", 2, true);
        // Two symbol cells take 4 lines: 30 - 4 - (0 + 2) = 24 rows a page, in whole blocks.
        EXPECT_EQ(ledger->getHeaderFootnoteLines(), 4);
        ledger->finish();

        const Document& document = surface.GetDocument();
        EXPECT_EQ(RowsOnPage(2), 25);
        EXPECT_EQ(RowsOnPage(3), 15);
        for (int page : {2, 3}) {
            EXPECT_EQ(PageHasLine(document, page, "Initial*"), page == 2);
            EXPECT_EQ(PageHasLine(document, page, page == 2 ? "* Shown with" : "Shown with"), page == 2);
            EXPECT_TRUE(PageHasLine(document, page, "Year Age Premium#"));
            EXPECT_TRUE(PageHasLine(document, page, "Modal factors apply."));
            // The invisible symbol leaves its cell blank; Massachusetts prints footnotes larger.
            EXPECT_EQ(FindText(document, page, "#"), nullptr);
            const TextItem* footnote = FindText(document, page, "Premiums are annual.");
            ASSERT_NE(footnote, nullptr);
            EXPECT_LT(footnote->x, 1400);
            EXPECT_EQ(footnote->font.size, state == "MA" ? 10 : 8);
            // The first footnote's letters keep 4 points (80 twips) clear of the closing rule above.
            const TextItem& first =
                page == 2 ? TextOn(document, page, "Shown with the first year only.") : *footnote;
            double rule = 0;
            for (const auto& item : document.pages.at(static_cast<std::size_t>(page - 1)).items)
                if (const auto* line = std::get_if<LineItem>(&item);
                    line && line->y1 == line->y2 && line->y1 < first.baseline)
                    rule = std::max(rule, line->y1);
            EXPECT_GE(first.baseline - first.font.size * 20, rule + 80);
        }
        EXPECT_EQ(surface.FontSize(), 8.25);
    }
}

TEST_F(LedgerTableTest, PagesTheSurfaceBreaksItselfOpenWithTheBodyHeaderWhileBound) {
    // A page header far longer than it says runs over the bottom margin.
    FakePageHeader header(0, 80);
    Ledger(header, 5)->finish();
    ASSERT_GE(surface.PageCount(), 3);
    for (int page = 2; page <= surface.PageCount(); ++page)
        EXPECT_TRUE(PageHasLine(surface.GetDocument(), page, "Term Plan")) << "page " << page;
    // Released, the ledger no longer answers the surface's new pages.
    print.NewPage();
    EXPECT_FALSE(PageHasLine(surface.GetDocument(), surface.PageCount(), "Term Plan"));
}

TEST_F(LedgerTableTest, ALedgerHoldsAtMost120RowsAndFiveHeadingRows) {
    FakePageHeader header(0);
    auto ledger = Ledger(header, 120);
    EXPECT_EQ(Raised([&] { ledger->AddRowValues({"Y121"}); }),
              "9 clsPLedgerFrame: Subscript out of range: a ledger has at most 120 rows");
    for (const char* row : {"a", "b", "c"}) ledger->AddHeaderRow(false, "+^", {row});
    EXPECT_EQ(Raised([&] { ledger->AddHeaderRow(false, "+^", {"d"}); }),
              "9 clsPLedgerFrame: Subscript out of range: a ledger has at most 5 heading rows");
}

}  // namespace
