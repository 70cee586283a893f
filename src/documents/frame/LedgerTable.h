#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace quoravel {

class PrintSurface;
class ProposalPrinter;
class PageFrame;

// The page object that opens and closes every ledger page (the premium
// breakdown on the first, the cost indices on the last).
class LedgerPageHeader {
public:
    virtual ~LedgerPageHeader() = default;
    // Answers the number of lines it printed.
    virtual int PrintHeader(ProposalPrinter& print, bool firstPage) = 0;
    virtual void PrintFooter(ProposalPrinter& print, bool lastPage) = 0;
};

struct LedgerHeadingCell {
    std::string Text;
    std::string Symbol;       // empty when the cell refers to no footnote
    std::int16_t Row = 0;     // 1 to 5
    std::int16_t Column = 0;  // from 1
    bool FirstPageOnly = false;
    std::string TextAlign;  // the column's alignment prefix in a table format, such as "+^"
};

struct LedgerFootnote {
    std::string Symbol;
    std::string Def;
    bool SymbolVisible = true;
    bool Printed = false;  // a heading cell of the page being printed refers to it
    std::int16_t NoLines = 0;
};

// A year-by-year ledger: heading rows, data rows grouped in blocks with a
// blank row before each, footnotes for the heading symbols. It breaks the
// pages itself so that every page keeps room for its header and footnotes.
class LedgerTable {
public:
    static constexpr int kMaxColumns = 7;
    static constexpr int kMaxRows = 120;
    static constexpr int kMaxHeadingRows = 5;
    static constexpr std::int16_t kDefaultBlock = 5;

    LedgerTable() = default;
    LedgerTable(const LedgerTable&) = delete;
    LedgerTable& operator=(const LedgerTable&) = delete;

    void HeaderObject(LedgerPageHeader& header) { header_ = &header; }
    // Binds the surface: from now on every page it begins opens with the
    // print handle's body header.
    void Surface(PrintSurface& surface);
    void Frame(PageFrame& frame) { frame_ = &frame; }
    // Massachusetts prints its footnotes larger.
    void SetDeliveryState(std::string state) { deliveryState_ = std::move(state); }

    void SetColumnCount(std::int16_t columns);
    // A count below 1 keeps the default block of 5.
    void SetRowBlockLines(std::int16_t rows) { rowsPerBlock_ = rows > 0 ? rows : kDefaultBlock; }
    void SetRowFormat(const std::vector<std::int16_t>& codes);
    void AddHeaderRow(bool firstPageOnly, const std::string& textAlign,
                      const std::vector<std::string>& texts);
    void SetHeaderSymbol(std::int16_t row, std::int16_t column, const std::string& symbol);
    void AddFootnote(std::string symbol, std::string def, std::int16_t lines, bool symbolVisible);
    void AddRowValues(const std::vector<std::string>& values);

    void start(ProposalPrinter& print);
    void finish() { PrintTable(); }
    void PrintTable();
    // Prints one page; true while rows remain.
    bool PrintTablePage();

    std::int16_t getHeaderFootnoteLines() const;
    std::int16_t PageRowsToPrint() const;

private:
    void OnNewPage();
    // A page of the ledger's own: not a continuation of the page before.
    void NewLedgerPage();
    void PrintContinuedHeading();
    // Of the page's blocks of rows, how many fit above the closing rule
    // and the footnotes; at least one, so that the ledger always ends.
    int BlocksThatFit(int pageRows) const;
    double ClosingHeight() const;
    int ColumnWidth(int column) const;
    int TableWidth() const;
    void PrintHeadingTable(bool firstPage);
    void MarkFootnotes(bool firstPage);
    std::string DataRowFormat() const;
    std::string DataRowBody(int row) const;
    std::string SpacerBody() const;
    std::string ClosingRuleFormat() const;
    double FootnoteFontSize() const;
    void PrintDataRow(int row);
    void PrintSpacerRow();
    void PrintClosingRule();
    void PrintFootnotes();

    PrintSurface& Surface() const;
    PageFrame& Frame() const;
    ProposalPrinter& Print() const;
    LedgerPageHeader& Header() const;

    PrintSurface* surface_ = nullptr;
    PageFrame* frame_ = nullptr;
    ProposalPrinter* print_ = nullptr;
    LedgerPageHeader* header_ = nullptr;
    // Lets the surface's page handler outlive this ledger harmlessly.
    std::shared_ptr<LedgerTable*> self_;
    std::string deliveryState_;

    std::int16_t columns_ = 0;
    std::int16_t rowsPerBlock_ = kDefaultBlock;
    std::array<std::int16_t, kMaxColumns> columnCodes_{};
    std::vector<LedgerHeadingCell> headingCells_;
    std::int16_t headingRows_ = 0;
    std::vector<LedgerFootnote> footnotes_;
    std::array<std::array<std::string, kMaxColumns>, kMaxRows> values_;
    std::int16_t rowCount_ = 0;
    std::int16_t rowsPrinted_ = 0;
    std::int16_t startPage_ = 0;
    std::int16_t headerLines_ = 0;
    bool openingPage_ = false;
};

}  // namespace quoravel
