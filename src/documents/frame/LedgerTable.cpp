#include "LedgerTable.h"

#include <algorithm>

#include "PageFrame.h"
#include "PrintSurface.h"
#include "ProposalPrinter.h"
#include "RuntimeError.h"

namespace quoravel {
namespace {

// Room between the closing rule and the first footnote, in twips.
constexpr double kGapBelowRule = 100;
constexpr const char* kFootnoteFormat = "<360|=10440";
constexpr double kMassachusettsFootnoteSize = 10;

// The lines a ledger page has for its page header, heading footnotes and rows.
constexpr int kPageLines = 30;
constexpr int kYearColumnWidth = 720;
constexpr int kAmountColumnWidth = 1800;

[[noreturn]] void RaiseOutOfRange(const std::string& what) {
    throw RuntimeError(ErrorNumber::SubscriptOutOfRange, "clsPLedgerFrame",
                       "Subscript out of range: " + what);
}

bool PrintedOnPage(const LedgerHeadingCell& cell, bool firstPage) { return !cell.FirstPageOnly || firstPage; }

std::string FootnoteBody(const LedgerFootnote& footnote) {
    return (footnote.SymbolVisible ? footnote.Symbol : " ") + "|" + footnote.Def;
}

}  // namespace

void LedgerTable::Surface(PrintSurface& surface) {
    surface_ = &surface;
    self_ = std::make_shared<LedgerTable*>(this);
    surface.AddNewPageHandler([ledger = std::weak_ptr<LedgerTable*>(self_)] {
        if (auto alive = ledger.lock()) (*alive)->OnNewPage();
    });
}

void LedgerTable::OnNewPage() {
    if (!print_) return;
    print_->PrintBodyHeader();
    // A page the surface began by itself takes what did not fit on the page
    // before (the cost indices, say): it says whose it is.
    if (!openingPage_) PrintContinuedHeading();
}

void LedgerTable::NewLedgerPage() {
    openingPage_ = true;
    Surface().NewPage();
    openingPage_ = false;
}

void LedgerTable::PrintContinuedHeading() {
    const auto title = std::find_if(headingCells_.begin(), headingCells_.end(),
                                    [](const LedgerHeadingCell& cell) { return cell.Row == 1; });
    if (title == headingCells_.end()) return;
    PrintSurface& surface = Surface();
    surface.SetFontSize(8);
    surface.SetFontBold(true);
    surface.SetTableBorder(0);
    surface.SetTextAlign(PrintSurface::AlignJustify);
    // The title's first line: a second one is a remark on the whole ledger.
    surface.AddTable("+^" + std::to_string(TableWidth()), "",
                     title->Text.substr(0, title->Text.find('\n')) + " (continued)");
    surface.SetFontBold(false);
}

void LedgerTable::SetColumnCount(std::int16_t columns) {
    columns_ = std::clamp<std::int16_t>(columns, 0, kMaxColumns);
}

void LedgerTable::SetRowFormat(const std::vector<std::int16_t>& codes) {
    const std::size_t count = std::min<std::size_t>(codes.size(), kMaxColumns);
    std::copy_n(codes.begin(), count, columnCodes_.begin());
}

void LedgerTable::AddHeaderRow(bool firstPageOnly, const std::string& textAlign,
                               const std::vector<std::string>& texts) {
    if (headingRows_ == kMaxHeadingRows) RaiseOutOfRange("a ledger has at most 5 heading rows");
    ++headingRows_;
    const std::size_t count = std::min<std::size_t>(texts.size(), kMaxColumns);
    for (std::size_t i = 0; i < count; ++i) {
        if (texts[i].empty()) continue;
        headingCells_.push_back(
            {texts[i], "", headingRows_, static_cast<std::int16_t>(i + 1), firstPageOnly, textAlign});
    }
}

void LedgerTable::SetHeaderSymbol(std::int16_t row, std::int16_t column, const std::string& symbol) {
    for (LedgerHeadingCell& cell : headingCells_) {
        if (cell.Row == row && cell.Column == column) cell.Symbol = symbol;
    }
}

void LedgerTable::AddFootnote(std::string symbol, std::string def, std::int16_t lines, bool symbolVisible) {
    footnotes_.push_back({std::move(symbol), std::move(def), symbolVisible, false, lines});
}

void LedgerTable::AddRowValues(const std::vector<std::string>& values) {
    if (rowCount_ == kMaxRows) RaiseOutOfRange("a ledger has at most 120 rows");
    auto& row = values_[static_cast<std::size_t>(rowCount_)];
    ++rowCount_;
    const std::size_t count = std::min<std::size_t>(values.size(), kMaxColumns);
    std::copy_n(values.begin(), count, row.begin());
    std::fill(row.begin() + static_cast<std::ptrdiff_t>(count), row.end(), std::string());
}

void LedgerTable::start(ProposalPrinter& print) {
    print_ = &print;
    headingRows_ = 0;
    rowCount_ = 0;
    NewLedgerPage();
    startPage_ = Frame().CurrentPage();
}

void LedgerTable::PrintTable() {
    while (PrintTablePage()) {
    }
}

std::int16_t LedgerTable::getHeaderFootnoteLines() const {
    const auto withSymbol = std::count_if(headingCells_.begin(), headingCells_.end(),
                                          [](const LedgerHeadingCell& cell) { return !cell.Symbol.empty(); });
    return static_cast<std::int16_t>(2 * withSymbol);
}

std::int16_t LedgerTable::PageRowsToPrint() const {
    const int room = kPageLines - getHeaderFootnoteLines() - headerLines_;
    return static_cast<std::int16_t>(std::min(room, rowCount_ - rowsPrinted_));
}

bool LedgerTable::PrintTablePage() {
    const bool firstPage = Frame().CurrentPage() == startPage_;
    headerLines_ = static_cast<std::int16_t>(Header().PrintHeader(Print(), firstPage) + 2);
    PrintHeadingTable(firstPage);
    MarkFootnotes(firstPage);

    const int pageRows = PageRowsToPrint();
    // Only the first page can give all its lines to the page header; a later
    // page without room for a row would never end the ledger.
    if (pageRows <= 0 && !firstPage) {
        throw RuntimeError(ErrorNumber::InvalidProcedureCall, "clsPLedgerFrame",
                           "The page header and footnotes leave no room for the ledger rows");
    }
    // Whole blocks only: the last block of a page may run past the page's
    // share of rows rather than split.
    const int blocks = BlocksThatFit(pageRows);
    for (int i = 1; i <= blocks * rowsPerBlock_; i += rowsPerBlock_) {
        PrintSpacerRow();
        const int blockRows = std::min<int>(PageRowsToPrint(), rowsPerBlock_);
        for (int j = 0; j < blockRows; ++j) PrintDataRow(++rowsPrinted_);
    }
    PrintClosingRule();

    PrintSurface& surface = Surface();
    surface.SetFontSize(FootnoteFontSize());
    PrintFootnotes();
    surface.SetFontSize(8.25);

    const bool rowsRemain = rowsPrinted_ < rowCount_;
    Header().PrintFooter(Print(), !rowsRemain);
    if (rowsRemain) NewLedgerPage();
    for (LedgerFootnote& footnote : footnotes_) footnote.Printed = false;
    return rowsRemain;
}

int LedgerTable::BlocksThatFit(int pageRows) const {
    if (pageRows <= 0) return 0;
    const PrintSurface& surface = Surface();
    const double room = surface.RoomLeft() - ClosingHeight();
    const double spacer = surface.TableHeight(DataRowFormat(), SpacerBody());
    const int planned = (pageRows + rowsPerBlock_ - 1) / rowsPerBlock_;
    double used = 0;
    int row = rowsPrinted_;
    for (int block = 0; block < planned; ++block) {
        double height = spacer;
        for (int j = 0; j < rowsPerBlock_ && row + j < rowCount_; ++j)
            height += surface.TableHeight(DataRowFormat(), DataRowBody(row + j + 1));
        if (block > 0 && used + height > room) return block;
        used += height;
        row += rowsPerBlock_;
    }
    return planned;
}

// The closing rule, the gap below it and the footnotes of the page.
double LedgerTable::ClosingHeight() const {
    PrintSurface& surface = Surface();
    double height = surface.TableHeight(ClosingRuleFormat(), SpacerBody()) + kGapBelowRule;
    const double size = surface.FontSize();
    surface.SetFontSize(FootnoteFontSize());
    for (const LedgerFootnote& footnote : footnotes_) {
        if (footnote.Printed) height += surface.TableHeight(kFootnoteFormat, FootnoteBody(footnote));
    }
    surface.SetFontSize(size);
    return height;
}

// Massachusetts prints its footnotes larger; elsewhere they keep the rows' size.
double LedgerTable::FootnoteFontSize() const {
    return deliveryState_ == "MA" ? kMassachusettsFootnoteSize : Surface().FontSize();
}

int LedgerTable::ColumnWidth(int column) const {
    return columnCodes_[static_cast<std::size_t>(column - 1)] == 1 ? kYearColumnWidth : kAmountColumnWidth;
}

int LedgerTable::TableWidth() const {
    int width = 0;
    for (int column = 1; column <= columns_; ++column) width += ColumnWidth(column);
    return width;
}

void LedgerTable::PrintHeadingTable(bool firstPage) {
    PrintSurface& surface = Surface();
    surface.SetFontSize(8);
    surface.SetFontBold(true);
    surface.SetTableBorder(9);
    surface.SetTextAlign(PrintSurface::AlignJustify);

    // Row 1 is the title across the whole table; rows 2 to 5 open with the
    // zero-width column that the data rows also have.
    std::array<std::string, kMaxHeadingRows> formats{"", "0!", "0!", "0!", "0!"};
    std::array<std::string, kMaxHeadingRows> texts;
    for (const LedgerHeadingCell& cell : headingCells_) {
        if (!PrintedOnPage(cell, firstPage)) continue;
        const auto row = static_cast<std::size_t>(cell.Row - 1);
        if (cell.Row == 1) {
            formats[row] += "+^" + std::to_string(TableWidth());
            texts[row] += "\n" + cell.Text + cell.Symbol + "\n\n";
        } else {
            formats[row] += "|" + cell.TextAlign + std::to_string(ColumnWidth(cell.Column));
            texts[row] += "|" + cell.Text + cell.Symbol;
        }
    }
    for (std::size_t row = 0; row < formats.size(); ++row) {
        if (!formats[row].empty()) surface.AddTable(formats[row], "", texts[row]);
    }
    surface.SetFontBold(false);
}

void LedgerTable::MarkFootnotes(bool firstPage) {
    for (const LedgerHeadingCell& cell : headingCells_) {
        if (!PrintedOnPage(cell, firstPage)) continue;
        for (LedgerFootnote& footnote : footnotes_) {
            if (footnote.Symbol == cell.Symbol) footnote.Printed = true;
        }
    }
}

// A zero-width first column, then the columns right-aligned.
std::string LedgerTable::DataRowFormat() const {
    std::string format = "0!";
    for (int column = 1; column <= columns_; ++column) format += "|+>!" + std::to_string(ColumnWidth(column));
    return format;
}

std::string LedgerTable::DataRowBody(int row) const {
    const auto& values = values_[static_cast<std::size_t>(row - 1)];
    std::string body = "0";
    for (int column = 1; column <= columns_; ++column)
        body += "|" + values[static_cast<std::size_t>(column - 1)];
    return body;
}

std::string LedgerTable::SpacerBody() const { return std::string(static_cast<std::size_t>(columns_), '|'); }

std::string LedgerTable::ClosingRuleFormat() const {
    std::string format = "0";
    for (int column = 1; column <= columns_; ++column) format += "|+>" + std::to_string(ColumnWidth(column));
    return format;
}

void LedgerTable::PrintDataRow(int row) {
    Surface().SetTableBorder(0);
    Surface().AddTable(DataRowFormat(), "", DataRowBody(row));
}

void LedgerTable::PrintSpacerRow() {
    Surface().SetTableBorder(0);
    Surface().AddTable(DataRowFormat(), "", SpacerBody());
}

void LedgerTable::PrintClosingRule() {
    Surface().SetTableBorder(2);
    Surface().AddTable(ClosingRuleFormat(), "", SpacerBody());
    // The rule closes the table; nothing after it is ruled, and the
    // footnotes keep clear of it.
    Surface().SetTableBorder(0);
    Surface().SetCurrentY(Surface().CurrentY() + kGapBelowRule);
}

void LedgerTable::PrintFootnotes() {
    for (const LedgerFootnote& footnote : footnotes_) {
        if (!footnote.Printed) continue;
        Surface().SetTableBorder(0);
        Surface().AddTable(kFootnoteFormat, "", FootnoteBody(footnote));
    }
}

PrintSurface& LedgerTable::Surface() const {
    if (!surface_)
        throw RuntimeError(ErrorNumber::InvalidProcedureCall, "clsPLedgerFrame", "No print surface bound");
    return *surface_;
}

PageFrame& LedgerTable::Frame() const {
    if (!frame_)
        throw RuntimeError(ErrorNumber::InvalidProcedureCall, "clsPLedgerFrame", "No page frame given");
    return *frame_;
}

ProposalPrinter& LedgerTable::Print() const {
    if (!print_) throw RuntimeError(ErrorNumber::InvalidProcedureCall, "clsPLedgerFrame", "Not started");
    return *print_;
}

LedgerPageHeader& LedgerTable::Header() const {
    if (!header_)
        throw RuntimeError(ErrorNumber::InvalidProcedureCall, "clsPLedgerFrame",
                           "No page header object given");
    return *header_;
}

}  // namespace quoravel
