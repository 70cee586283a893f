#include <gtest/gtest.h>

#include "PrintSurface.h"
#include "TestSupport.h"

using namespace quoravel;

namespace {

std::vector<const TextItem*> Texts(const Page& page) {
    std::vector<const TextItem*> texts;
    for (const auto& item : page.items)
        if (auto* text = std::get_if<TextItem>(&item)) texts.push_back(text);
    return texts;
}

const TextItem* Find(const Page& page, const std::string& text) {
    for (auto* item : Texts(page))
        if (item->text == text) return item;
    return nullptr;
}

class Surface : public ::testing::Test {
protected:
    void SetUp() override {
        surface.SetMargins(700, 1800, 700, 1440);
        surface.StartDoc();
    }
    double Right() const { return surface.PageWidth() - surface.MarginRight(); }
    PrintSurface surface;
};

}  // namespace

TEST(TableFormat, ColumnsFlagsAndWidths) {
    const auto format = ParseTableFormat("0!|+>!1800|<360|=1.5in|+^2.54cm");
    std::string columns;  // each as its padding, alignment, rules and width in twips
    for (const TableColumn& c : format.columns)
        columns += (c.padded ? "+" : "") + std::string(1, c.align) + (c.noRules ? "!" : "") +
                   std::to_string(std::lround(c.width)) + "|";
    EXPECT_EQ(columns, "<!0|+>!1800|<360|=2160|+^1440|");
    EXPECT_DOUBLE_EQ(format.Width(), 1800 + 360 + 2160 + 1440);
    for (auto [bad, message] : {std::pair{"+^abc", "column 1: \"abc\" is not a width."},
                                {"", "column 0: the format has no columns."},
                                {"<100|*100", "column 2: \"*100\" is not a width."},
                                {"<100|", "column 2: no width."}}) {
        EXPECT_NE(Raised([&] { ParseTableFormat(bad); }).find(message), std::string::npos) << bad;
    }
}

TEST_F(Surface, TextAndTablesWrapBetweenTheMarginsAndBreakPages) {
    int pagesBegun = 1;  // StartDoc's page came before the handler
    surface.AddNewPageHandler([&] {
        ++pagesBegun;
        surface.SetFontBold(true);  // a running header's settings stay in the header
        surface.Paragraph("Running header");
    });
    const std::string sentence = "The premium is level for the guarantee period and renews yearly after it. ";
    for (int i = 0; i < 60; ++i) surface.Paragraph(sentence + sentence + sentence);
    std::string tall, rows;
    for (int i = 0; i < 200; ++i) tall += "line\n";
    surface.AddTable("<1440", "", tall);  // taller than a page: clipped at the bottom margin
    for (int i = 0; i < 150; ++i) rows += std::to_string(i) + "|x;";
    surface.AddTable("<720|<720", "Head|Er", rows);
    surface.EndDoc();
    const Document& document = surface.GetDocument();
    ASSERT_GT(document.pages.size(), 2u);
    EXPECT_EQ(pagesBegun, surface.PageCount());
    for (std::size_t p = 0; p < document.pages.size(); ++p) {
        for (auto* text : Texts(document.pages[p])) {
            EXPECT_GE(text->x, surface.MarginLeft() - 0.5);
            EXPECT_LE(text->x + text->width, Right() + 0.5) << text->text;
            EXPECT_LE(text->baseline, surface.PageHeight() - surface.MarginBottom()) << "page " << p + 1;
            EXPECT_FALSE(text->font.bold && text->text != "Running" && text->text != "header") << text->text;
        }
        EXPECT_TRUE(p == 0 || Find(document.pages[p], "Running")) << "page " << p + 1;
    }
    EXPECT_NE(Find(document.pages.back(), "Head"), nullptr);  // a table's header row repeats on every page
}

// An alignment or a border outside the known codes is refused.
TEST_F(Surface, AlignmentsShareALine) {
    EXPECT_EQ(Raised([&] { surface.SetTextAlign(3); }),
              "5 PrintSurface: Text alignment 3 is not one of 0, 2, 6 or 7.");
    EXPECT_EQ(Raised([&] { surface.SetTableBorder(5); }),
              "5 PrintSurface: Table border 5 is not one of 0, 2, 7 or 9.");
    surface.Text("Version: V1.0");
    surface.SetTextAlign(PrintSurface::AlignRight);
    surface.Text("Date Prepared: 12/6/2026");
    surface.SetTextAlign(PrintSurface::AlignCenter);
    surface.Paragraph("");
    surface.Text("Centred ");
    surface.SetFontBold(true);
    surface.Paragraph("title");
    const Page& page = surface.GetDocument().pages[0];
    const TextItem *version = Find(page, "Version:"), *prepared = Find(page, "12/6/2026");
    const TextItem *centred = Find(page, "Centred"), *title = Find(page, "title");
    ASSERT_TRUE(version && prepared && centred && title);
    EXPECT_EQ(version->baseline, prepared->baseline);
    EXPECT_DOUBLE_EQ(version->x, surface.MarginLeft());
    EXPECT_NEAR(prepared->x + prepared->width, Right(), 0.5);
    EXPECT_NEAR((centred->x + title->x + title->width) / 2, (surface.MarginLeft() + Right()) / 2, 1);
    EXPECT_GT(centred->baseline, version->baseline);
}

TEST_F(Surface, TableCellsWrapInsideTheirColumns) {
    surface.SetTableBorder(9);
    surface.AddTable("+<1440|+>1800", "Year|Premium",
                     "1|A cell text much wider than its column, which must wrap;2|$1,400.00");
    const Page& page = surface.GetDocument().pages[0];
    const double left = surface.MarginLeft();  // tables start at the left margin when aligned left
    for (auto* text : Texts(page)) {
        if (text->x < left + 1440)  // the first column
            EXPECT_LE(text->x + text->width, left + 1440) << text->text;
        else
            EXPECT_NEAR(text->x + text->width, left + 1440 + 1800 - 60, 0.5) << text->text;
    }
    int boxes = 0;
    for (const auto& item : page.items) boxes += std::holds_alternative<RectItem>(item);
    EXPECT_EQ(boxes, 6);  // the grid: three rows of two cells
}

TEST_F(Surface, PicturesOverlaysAndCellTables) {
    TempFolder folder;
    folder.Write("broken.bmp", "BM not really a bitmap");
    for (const char* name : {"missing.bmp", "broken.bmp"})
        EXPECT_FALSE(surface.DrawPicture(folder.folder() + name, 0, 0, 100, 100)) << name;
    surface.NewPage();
    surface.StartOverlay(1);
    surface.Paragraph("late");
    surface.EndOverlay();
    EXPECT_EQ(surface.PageCount(), 2);
    EXPECT_NE(Find(surface.GetDocument().pages[0], "late"), nullptr);
    EXPECT_THROW(surface.StartOverlay(3), RuntimeError);

    surface.StartTable();
    surface.SetTableCell(PrintSurface::Cols, 0, 0, "2");
    surface.SetTableCell(PrintSurface::Rows, 0, 0, "1");
    surface.SetTableCell(PrintSurface::ColWidth, 0, 2, "1.5in");
    surface.SetTableCell(PrintSurface::CellText, 1, 2, "cell");
    surface.SetTableCell(PrintSurface::CellBold, 1, 0, "1");
    EXPECT_THROW(surface.SetTableCell(PrintSurface::CellText, 2, 1, "x"), RuntimeError);
    surface.EndTable();
    const TextItem* cell = Find(surface.GetDocument().pages[1], "cell");
    ASSERT_NE(cell, nullptr);
    EXPECT_TRUE(cell->font.bold);
    EXPECT_DOUBLE_EQ(cell->x, surface.MarginLeft() + 1440 + 60);
}
