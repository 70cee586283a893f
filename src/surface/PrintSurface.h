#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "DisplayList.h"
#include "FontMeasure.h"
#include "TableFormat.h"

namespace quoravel {

// The page-layout surface every proposal page is written on: text with word
// wrap and automatic page breaks, tables from a format string, lines and
// pictures, late drawing over finished pages. It builds a Document of
// display lists; the outputs (PDF, printer, preview, PNG, EMF, page files)
// replay that one document.
class PrintSurface {
public:
    // Text alignment codes.
    enum Align : int { AlignLeft = 0, AlignRight = 2, AlignCenter = 6, AlignJustify = 7 };

    PrintSurface();

    // Called each time a page begins, however it began (StartDoc, NewPage,
    // or text or a table running over the bottom margin). Handlers may print:
    // the running headers of the page are printed from here.
    void AddNewPageHandler(std::function<void()> handler);

    void StartDoc();
    void EndDoc();
    void NewPage();
    bool InDocument() const { return inDocument_; }

    // Text at the current position, wrapped by words at the right margin.
    void Text(std::string_view text);
    // Text followed by a line end.
    void Paragraph(std::string_view text);

    double FontSize() const { return font_.size; }
    void SetFontSize(double points) { font_.size = points; }
    bool FontBold() const { return font_.bold; }
    void SetFontBold(bool on) { font_.bold = on; }
    bool FontItalic() const { return font_.italic; }
    void SetFontItalic(bool on) { font_.italic = on; }
    bool FontUnderline() const { return font_.underline; }
    void SetFontUnderline(bool on) { font_.underline = on; }
    const std::string& FontName() const { return font_.family; }
    void SetFontName(std::string family) { font_.family = std::move(family); }
    const FontStyle& Font() const { return font_; }

    int TextAlign() const { return align_; }
    // Codes other than 0, 2, 6 and 7 are refused with an error naming the code.
    void SetTextAlign(int code);

    // A table from a format string (see TableFormat.h); `header` is one row
    // printed above the body and again at the top of every page the table
    // continues on; the body's rows and cells are split by TableSep.
    void AddTable(std::string_view format, std::string_view header, std::string_view body);
    // Two characters: the cell separator, then the row separator.
    const std::string& TableSep() const { return tableSep_; }
    void SetTableSep(std::string separators);
    int TableBorder() const { return tableBorder_; }
    // 0 none, 2 a rule under the table, 7 a box around it, 9 a full grid.
    void SetTableBorder(int code);
    double PenWidth() const { return penWidth_; }
    void SetPenWidth(double twips) { penWidth_ = twips; }
    // Starts a new page unless `lines` more lines of the current font, of
    // which `tableRows` rows of a table with their cell gaps, fit above the
    // bottom margin, so that a block that belongs together is not split
    // across pages.
    void KeepTogether(std::size_t lines, std::size_t tableRows = 0);
    // The height AddTable would give the table at the current font, its
    // rows on one page; for a layout that must know beforehand what fits.
    double TableHeight(std::string_view format, std::string_view body) const;
    // What is left of the page above the bottom margin.
    double RoomLeft() const { return ContentBottom() - y_; }
    // Font, alignment, table separators and border and pen as a new surface
    // has them; margins and position stay.
    void ResetStyle();

    // The cell-by-cell form of a table.
    enum TableProperty { Cols, Rows, ColWidth, ColAlign, CellBold, CellText };
    void StartTable();
    // `column` and `row` from 1; ColWidth takes twips or a text such as "1.5in".
    void SetTableCell(TableProperty property, int row, int column, std::string_view value);
    void EndTable();

    double MarginLeft() const { return marginLeft_; }
    double MarginTop() const { return marginTop_; }
    double MarginRight() const { return marginRight_; }
    double MarginBottom() const { return marginBottom_; }
    void SetMargins(double left, double top, double right, double bottom);
    double PageWidth() const { return document_.pageWidth; }
    double PageHeight() const { return document_.pageHeight; }
    double CurrentX() const { return x_; }
    double CurrentY() const { return y_; }
    void SetCurrentX(double x);
    void SetCurrentY(double y);

    void DrawLine(double x1, double y1, double x2, double y2);
    void DrawRectangle(double x, double y, double width, double height, bool filled = false);
    // A picture file (BMP, JPEG, GIF, PNG) drawn into the rectangle; a file
    // that is missing or cannot be read as a picture is not drawn and false
    // is returned.
    bool DrawPicture(const std::string& path, double x, double y, double width, double height);
    bool DrawPictureData(std::string encoded, double x, double y, double width, double height);

    // Late work: drawing goes to finished page `page` (from 1) until EndOverlay.
    void StartOverlay(int page);
    void EndOverlay();

    int PageCount() const { return static_cast<int>(document_.pages.size()); }
    // The page the preview shows and the page outputs take by default, from 1.
    int CurrentPage() const { return currentPage_; }
    void SetCurrentPage(int page);

    const Document& GetDocument() const { return document_; }
    void SetDocumentInfo(DocumentInfo info) { document_.info = std::move(info); }
    // Replaces the document (a loaded page file); pages keep their content.
    void SetDocument(Document document);
    void AppendDocument(const Document& other);

    const FontMeasure& Measure() const { return measure_; }

private:
    // A piece of text waiting on the current line until the line is placed.
    struct Run {
        std::string text;
        FontStyle font;
        double width;
    };

    Page& Target();
    void BeginPage();
    void LineEnd();
    double LineHeight() const;
    double ContentRight() const { return document_.pageWidth - marginRight_; }
    double ContentBottom() const { return document_.pageHeight - marginBottom_; }
    // Breaks the page when `height` more twips would cross the bottom margin.
    void NeedHeight(double height);
    void AddRun(const std::string& text);
    // Places the waiting text by the alignment; `wrapped` when the line
    // continues on the next (a justified line is then stretched).
    void FlushLine(bool wrapped);
    std::vector<std::string> WrapCell(const std::string& text, double width, const FontStyle& font) const;
    // A table row's cells wrapped to their columns, and the lines of its tallest cell.
    std::pair<std::vector<std::vector<std::string>>, std::size_t> WrapRow(const TableFormat& format,
                                                                          const std::vector<std::string>& row,
                                                                          const FontStyle& font) const;
    void PrintTableRows(const TableFormat& format, const std::vector<std::vector<std::string>>& rows,
                        const std::vector<bool>& bold, bool repeatFirstRow);
    void PrintTableRowsHeader(const TableFormat& format, const std::vector<std::vector<std::string>>& rows,
                              const std::vector<bool>& bold, double left);
    void DrawCellRules(Page& page, const TableColumn& column, double x, double y, double height,
                       bool topOfTable, bool lastRow, bool firstColumn, bool lastColumn);

    Document document_;
    FontMeasure measure_;
    std::vector<std::function<void()>> newPageHandlers_;
    FontStyle font_;
    int align_ = AlignLeft;
    static constexpr const char* kDefaultTableSep = "|;";
    static constexpr double kDefaultPenWidth = 15;
    std::string tableSep_ = kDefaultTableSep;
    int tableBorder_ = 0;
    double penWidth_ = kDefaultPenWidth;
    double marginLeft_ = 1440, marginTop_ = 1440, marginRight_ = 1440, marginBottom_ = 1440;
    double x_ = 0, y_ = 0;
    double lineStart_ = 0;   // where the waiting text of the line begins
    double lineHeight_ = 0;  // of the tallest font on the line
    std::vector<Run> pending_;
    bool inDocument_ = false;
    bool inNewPageEvent_ = false;
    int overlayPage_ = 0;
    double savedX_ = 0, savedY_ = 0;
    int currentPage_ = 0;
    // The table being built cell by cell.
    struct CellTable {
        int columns = 0;
        int rows = 0;
        std::vector<std::string> widths;
        std::vector<char> aligns;
        std::vector<std::vector<std::string>> cells;
        std::vector<bool> boldRows;
    } cellTable_;
};

}  // namespace quoravel
