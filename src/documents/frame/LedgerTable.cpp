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

// The lines a ledger page has for its page header, heading footnotes and rows.
constexpr int kPageLines = 30;
constexpr int kYearColumnWidth = 720;
constexpr int kAmountColumnWidth = 1800;

[[noreturn]] void RaiseOutOfRange(const std::string& what) {
    throw RuntimeError(ErrorNumber::SubscriptOutOfRange, "clsPLedgerFrame",
                       "Subscript out of range: " + what);
}

bool PrintedOnPage(const LedgerHeadingCell& cell, bool firstPage) { return !cell.FirstPageOnly || firstPage; }

}  // namespace

void LedgerTable::Surface(PrintSurface& surface) {
    surface_ = &surface;
    self_ = std::make_shared<LedgerTable*>(this);
    surface.AddNewPageHandler([ledger = std::weak_ptr<LedgerTable*>(self_)] {
        if (auto alive = ledger.lock()) (*alive)->OnNewPage();
    });
}

void LedgerTable::OnNewPage() {
    if (print_) print_->PrintBodyHeader();
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
    Surface().NewPage();
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
    for (int i = 1; i <= pageRows; i += rowsPerBlock_) {
        PrintSpacerRow();
        const int blockRows = std::min<int>(PageRowsToPrint(), rowsPerBlock_);
        for (int j = 0; j < blockRows; ++j) PrintDataRow(++rowsPrinted_);
    }
    PrintClosingRule();

    PrintSurface& surface = Surface();
    if (deliveryState_ == "MA") surface.SetFontSize(10);
    PrintFootnotes();
    surface.SetFontSize(8.25);

    const bool rowsRemain = rowsPrinted_ < rowCount_;
    Header().PrintFooter(Print(), !rowsRemain);
    if (rowsRemain) surface.NewPage();
    for (LedgerFootnote& footnote : footnotes_) footnote.Printed = false;
    return rowsRemain;
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

void LedgerTable::PrintDataRow(int row) {
    const auto& values = values_[static_cast<std::size_t>(row - 1)];
    std::string body = "0";
    for (int column = 1; column <= columns_; ++column)
        body += "|" + values[static_cast<std::size_t>(column - 1)];
    Surface().SetTableBorder(0);
    Surface().AddTable(DataRowFormat(), "", body);
}

void LedgerTable::PrintSpacerRow() {
    Surface().SetTableBorder(0);
    Surface().AddTable(DataRowFormat(), "", std::string(static_cast<std::size_t>(columns_), '|'));
}

void LedgerTable::PrintClosingRule() {
    std::string format = "0";
    for (int column = 1; column <= columns_; ++column) format += "|+>" + std::to_string(ColumnWidth(column));
    Surface().SetTableBorder(2);
    Surface().AddTable(format, "", std::string(static_cast<std::size_t>(columns_), '|'));
    // The rule closes the table; nothing after it is ruled, and the
    // footnotes keep clear of it.
    Surface().SetTableBorder(0);
    Surface().SetCurrentY(Surface().CurrentY() + kGapBelowRule);
}

void LedgerTable::PrintFootnotes() {
    for (const LedgerFootnote& footnote : footnotes_) {
        if (!footnote.Printed) continue;
        Surface().SetTableBorder(0);
        Surface().AddTable("<360|=10440", "",
                           (footnote.SymbolVisible ? footnote.Symbol : " ") + "|" + footnote.Def);
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
