#include "clsPLedgerFrame.h"

#include <algorithm>

#include "PrintSurface.h"
#include "RuntimeError.h"
#include "clsPrint.h"
#include "clsPrintFrame.h"

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

void clsPLedgerFrame::printHandle(PrintSurface& surface) {
    surface_ = &surface;
    self_ = std::make_shared<clsPLedgerFrame*>(this);
    surface.AddNewPageHandler([ledger = std::weak_ptr<clsPLedgerFrame*>(self_)] {
        if (auto alive = ledger.lock()) (*alive)->OnNewPage();
    });
}

void clsPLedgerFrame::OnNewPage() {
    if (print_) print_->printBodyHeader();
}

void clsPLedgerFrame::setNoColumns(std::int16_t columns) {
    columns_ = std::clamp<std::int16_t>(columns, 0, kMaxColumns);
}

void clsPLedgerFrame::setRowFormat(const std::vector<std::int16_t>& codes) {
    const std::size_t count = std::min<std::size_t>(codes.size(), kMaxColumns);
    std::copy_n(codes.begin(), count, columnCodes_.begin());
}

void clsPLedgerFrame::addHeaderRow(bool firstPageOnly, const std::string& textAlign,
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

void clsPLedgerFrame::setHeaderSymbol(std::int16_t row, std::int16_t column, const std::string& symbol) {
    for (LedgerHeadingCell& cell : headingCells_) {
        if (cell.Row == row && cell.Column == column) cell.Symbol = symbol;
    }
}

void clsPLedgerFrame::addFootnote(std::string symbol, std::string def, std::int16_t lines,
                                  bool symbolVisible) {
    footnotes_.push_back({std::move(symbol), std::move(def), symbolVisible, false, lines});
}

void clsPLedgerFrame::addRowValues(const std::vector<std::string>& values) {
    if (rowCount_ == kMaxRows) RaiseOutOfRange("a ledger has at most 120 rows");
    auto& row = values_[static_cast<std::size_t>(rowCount_)];
    ++rowCount_;
    const std::size_t count = std::min<std::size_t>(values.size(), kMaxColumns);
    std::copy_n(values.begin(), count, row.begin());
    std::fill(row.begin() + static_cast<std::ptrdiff_t>(count), row.end(), std::string());
}

void clsPLedgerFrame::start(clsPrint& print) {
    print_ = &print;
    headingRows_ = 0;
    rowCount_ = 0;
    Surface().NewPage();
    startPage_ = Frame().getCurrentPage();
}

void clsPLedgerFrame::printLedger() {
    while (printLedgerPage()) {
    }
}

std::int16_t clsPLedgerFrame::getHeaderFootnoteLines() const {
    const auto withSymbol = std::count_if(headingCells_.begin(), headingCells_.end(),
                                          [](const LedgerHeadingCell& cell) { return !cell.Symbol.empty(); });
    return static_cast<std::int16_t>(2 * withSymbol);
}

std::int16_t clsPLedgerFrame::PageRowsToPrint() const {
    const int room = kPageLines - getHeaderFootnoteLines() - headerLines_;
    return static_cast<std::int16_t>(std::min(room, rowCount_ - rowsPrinted_));
}

bool clsPLedgerFrame::printLedgerPage() {
    const bool firstPage = Frame().getCurrentPage() == startPage_;
    headerLines_ = static_cast<std::int16_t>(Header().printHeader(Print(), firstPage) + 2);
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
    Header().printFooter(Print(), !rowsRemain);
    if (rowsRemain) surface.NewPage();
    for (LedgerFootnote& footnote : footnotes_) footnote.Printed = false;
    return rowsRemain;
}

int clsPLedgerFrame::ColumnWidth(int column) const {
    return columnCodes_[static_cast<std::size_t>(column - 1)] == 1 ? kYearColumnWidth : kAmountColumnWidth;
}

int clsPLedgerFrame::TableWidth() const {
    int width = 0;
    for (int column = 1; column <= columns_; ++column) width += ColumnWidth(column);
    return width;
}

void clsPLedgerFrame::PrintHeadingTable(bool firstPage) {
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

void clsPLedgerFrame::MarkFootnotes(bool firstPage) {
    for (const LedgerHeadingCell& cell : headingCells_) {
        if (!PrintedOnPage(cell, firstPage)) continue;
        for (LedgerFootnote& footnote : footnotes_) {
            if (footnote.Symbol == cell.Symbol) footnote.Printed = true;
        }
    }
}

// A zero-width first column, then the columns right-aligned.
std::string clsPLedgerFrame::DataRowFormat() const {
    std::string format = "0!";
    for (int column = 1; column <= columns_; ++column) format += "|+>!" + std::to_string(ColumnWidth(column));
    return format;
}

void clsPLedgerFrame::PrintDataRow(int row) {
    const auto& values = values_[static_cast<std::size_t>(row - 1)];
    std::string body = "0";
    for (int column = 1; column <= columns_; ++column)
        body += "|" + values[static_cast<std::size_t>(column - 1)];
    Surface().SetTableBorder(0);
    Surface().AddTable(DataRowFormat(), "", body);
}

void clsPLedgerFrame::PrintSpacerRow() {
    Surface().SetTableBorder(0);
    Surface().AddTable(DataRowFormat(), "", std::string(static_cast<std::size_t>(columns_), '|'));
}

void clsPLedgerFrame::PrintClosingRule() {
    std::string format = "0";
    for (int column = 1; column <= columns_; ++column) format += "|+>" + std::to_string(ColumnWidth(column));
    Surface().SetTableBorder(2);
    Surface().AddTable(format, "", std::string(static_cast<std::size_t>(columns_), '|'));
    // The rule closes the table; nothing after it is ruled, and the
    // footnotes keep clear of it.
    Surface().SetTableBorder(0);
    Surface().SetCurrentY(Surface().CurrentY() + kGapBelowRule);
}

void clsPLedgerFrame::PrintFootnotes() {
    for (const LedgerFootnote& footnote : footnotes_) {
        if (!footnote.Printed) continue;
        Surface().SetTableBorder(0);
        Surface().AddTable("<360|=10440", "",
                           (footnote.SymbolVisible ? footnote.Symbol : " ") + "|" + footnote.Def);
    }
}

PrintSurface& clsPLedgerFrame::Surface() const {
    if (!surface_)
        throw RuntimeError(ErrorNumber::InvalidProcedureCall, "clsPLedgerFrame", "No print surface bound");
    return *surface_;
}

clsPrintFrame& clsPLedgerFrame::Frame() const {
    if (!frame_)
        throw RuntimeError(ErrorNumber::InvalidProcedureCall, "clsPLedgerFrame", "No page frame given");
    return *frame_;
}

clsPrint& clsPLedgerFrame::Print() const {
    if (!print_) throw RuntimeError(ErrorNumber::InvalidProcedureCall, "clsPLedgerFrame", "Not started");
    return *print_;
}

LedgerPageHeader& clsPLedgerFrame::Header() const {
    if (!header_)
        throw RuntimeError(ErrorNumber::InvalidProcedureCall, "clsPLedgerFrame",
                           "No page header object given");
    return *header_;
}

}  // namespace quoravel
