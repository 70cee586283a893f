#include "PrintSurface.h"

#include <algorithm>

#include "PictureStore.h"
#include "RuntimeError.h"
#include "TableFormat.h"
#include "TextFile.h"

namespace quoravel {
namespace {

constexpr double kCellPadding = 60;  // left and right, in "+" columns
constexpr double kCellGap = 20;      // above and below the text of a table row
constexpr std::array<int, 4> kAlignCodes{PrintSurface::AlignLeft, PrintSurface::AlignRight,
                                         PrintSurface::AlignCenter, PrintSurface::AlignJustify};
constexpr std::array<int, 4> kBorderCodes{0, 2, 7, 9};

std::vector<std::string> Split(std::string_view text, char separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t at = text.find(separator, start);
        parts.emplace_back(text.substr(start, at == std::string_view::npos ? at : at - start));
        if (at == std::string_view::npos) return parts;
        start = at + 1;
    }
}

// Line ends inside a text: CR LF, LF or a lone CR.
std::vector<std::string> TextLines(std::string_view text) {
    std::vector<std::string> lines(1);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            lines.emplace_back();
        } else {
            lines.back() += text[i];
        }
    }
    return lines;
}

// Words with the blanks that follow them, so that wrapping keeps the spacing.
std::vector<std::string> Words(std::string_view text) {
    std::vector<std::string> words;
    std::size_t i = 0;
    while (i < text.size()) {
        std::size_t end = i;
        while (end < text.size() && text[end] != ' ') ++end;
        while (end < text.size() && text[end] == ' ') ++end;
        words.emplace_back(text.substr(i, end - i));
        i = end;
    }
    return words;
}

std::string_view TrimRight(std::string_view s) {
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return s;
}

// Breaks a word wider than the whole line into pieces that fit.
std::vector<std::string> BreakWord(const FontMeasure& measure, const FontStyle& font, const std::string& word,
                                   double width) {
    std::vector<std::string> pieces(1);
    for (std::size_t i = 0; i < word.size();) {
        std::size_t length = 1;
        while (i + length < word.size() && (static_cast<unsigned char>(word[i + length]) & 0xC0) == 0x80)
            ++length;
        const std::string next = pieces.back() + word.substr(i, length);
        if (!pieces.back().empty() && measure.Width(font, next) > width)
            pieces.emplace_back(word.substr(i, length));
        else
            pieces.back() = next;
        i += length;
    }
    return pieces;
}

}  // namespace

PrintSurface::PrintSurface() { document_.pages.clear(); }

void PrintSurface::AddNewPageHandler(std::function<void()> handler) {
    newPageHandlers_.push_back(std::move(handler));
}

void PrintSurface::KeepTogether(std::size_t lines, std::size_t tableRows) {
    FlushLine(false);
    NeedHeight(static_cast<double>(lines) * LineHeight() + static_cast<double>(tableRows) * 2 * kCellGap);
}

void PrintSurface::ResetStyle() {
    FlushLine(false);
    font_ = FontStyle{};
    align_ = AlignLeft;
    tableSep_ = kDefaultTableSep;
    tableBorder_ = 0;
    penWidth_ = kDefaultPenWidth;
}

void PrintSurface::StartDoc() {
    document_.pages.clear();
    pending_.clear();
    inDocument_ = true;
    overlayPage_ = 0;
    BeginPage();
}

void PrintSurface::EndDoc() {
    FlushLine(false);
    inDocument_ = false;
}

void PrintSurface::NewPage() {
    FlushLine(false);
    if (!inDocument_)
        StartDoc();
    else
        BeginPage();
}

Page& PrintSurface::Target() {
    if (!inDocument_ && overlayPage_ == 0) StartDoc();
    if (overlayPage_ > 0) return document_.pages[static_cast<std::size_t>(overlayPage_ - 1)];
    return document_.pages.back();
}

void PrintSurface::BeginPage() {
    document_.pages.emplace_back();
    currentPage_ = PageCount();
    x_ = marginLeft_;
    y_ = marginTop_;
    lineStart_ = x_;
    lineHeight_ = 0;
    if (inNewPageEvent_) return;
    // The running headers print from here; whatever they change of the text
    // settings does not leak into the text that broke the page.
    inNewPageEvent_ = true;
    const FontStyle font = font_;
    const int align = align_;
    const int border = tableBorder_;
    const std::string separators = tableSep_;
    const double pen = penWidth_;
    for (const auto& handler : newPageHandlers_) handler();
    FlushLine(false);
    font_ = font;
    align_ = align;
    tableBorder_ = border;
    tableSep_ = separators;
    penWidth_ = pen;
    inNewPageEvent_ = false;
}

void PrintSurface::SetTextAlign(int code) {
    if (std::find(kAlignCodes.begin(), kAlignCodes.end(), code) == kAlignCodes.end()) {
        throw RuntimeError(ErrorNumber::InvalidProcedureCall, "PrintSurface",
                           "Text alignment " + std::to_string(code) + " is not one of 0, 2, 6 or 7.");
    }
    // Text already on the line keeps the alignment it was written with.
    FlushLine(false);
    align_ = code;
}

void PrintSurface::SetTableBorder(int code) {
    if (std::find(kBorderCodes.begin(), kBorderCodes.end(), code) == kBorderCodes.end()) {
        throw RuntimeError(ErrorNumber::InvalidProcedureCall, "PrintSurface",
                           "Table border " + std::to_string(code) + " is not one of 0, 2, 7 or 9.");
    }
    tableBorder_ = code;
}

void PrintSurface::SetTableSep(std::string separators) {
    if (separators.size() != 2) {
        throw RuntimeError(ErrorNumber::InvalidProcedureCall, "PrintSurface",
                           "Table separators \"" + separators + "\" are not two characters.");
    }
    tableSep_ = std::move(separators);
}

void PrintSurface::SetMargins(double left, double top, double right, double bottom) {
    marginLeft_ = left;
    marginTop_ = top;
    marginRight_ = right;
    marginBottom_ = bottom;
}

void PrintSurface::SetCurrentX(double x) {
    FlushLine(false);
    x_ = lineStart_ = x;
}

void PrintSurface::SetCurrentY(double y) {
    FlushLine(false);
    y_ = y;
}

double PrintSurface::LineHeight() const { return std::max(lineHeight_, measure_.LineHeight(font_)); }

void PrintSurface::NeedHeight(double height) {
    if (overlayPage_ > 0 || inNewPageEvent_) return;
    if (y_ + height > ContentBottom() && y_ > marginTop_) BeginPage();
}

void PrintSurface::LineEnd() {
    FlushLine(false);
    y_ += LineHeight();
    x_ = lineStart_ = marginLeft_;
    lineHeight_ = 0;
}

void PrintSurface::Text(std::string_view text) {
    const auto lines = TextLines(text);
    for (std::size_t l = 0; l < lines.size(); ++l) {
        if (l > 0) LineEnd();
        for (const auto& word : Words(lines[l])) {
            const double available = ContentRight() - marginLeft_;
            const double wordWidth = measure_.Width(font_, TrimRight(word));
            if (x_ + wordWidth > ContentRight() + 0.5 && x_ > marginLeft_) {
                FlushLine(true);
                LineEnd();
            }
            if (wordWidth > available) {
                const auto pieces = BreakWord(measure_, font_, word, available);
                for (std::size_t p = 0; p < pieces.size(); ++p) {
                    if (p > 0) {
                        FlushLine(true);
                        LineEnd();
                    }
                    AddRun(pieces[p]);
                }
            } else {
                AddRun(word);
            }
        }
    }
}

void PrintSurface::Paragraph(std::string_view text) {
    Text(text);
    LineEnd();
}

void PrintSurface::AddRun(const std::string& text) {
    if (pending_.empty() && x_ <= lineStart_) NeedHeight(measure_.LineHeight(font_));
    Run run{text, font_, measure_.Width(font_, text)};
    x_ += run.width;
    lineHeight_ = std::max(lineHeight_, measure_.LineHeight(font_));
    pending_.push_back(std::move(run));
}

void PrintSurface::FlushLine(bool wrapped) {
    if (pending_.empty()) return;
    double ascent = 0;
    for (const auto& run : pending_) ascent = std::max(ascent, measure_.Ascent(run.font));
    const double baseline = y_ + ascent;
    // Trailing blanks do not count when the line is placed against a margin.
    double width = 0;
    for (const auto& run : pending_) width += run.width;
    const double trailing = measure_.Width(pending_.back().font, pending_.back().text) -
                            measure_.Width(pending_.back().font, TrimRight(pending_.back().text));
    const double used = width - trailing;
    double x = lineStart_;
    double extraPerGap = 0;
    switch (align_) {
        case AlignRight:
            x = ContentRight() - used;
            break;
        case AlignCenter:
            x = lineStart_ + (ContentRight() - lineStart_ - used) / 2;
            break;
        case AlignJustify:
            if (wrapped && pending_.size() > 1)
                extraPerGap = (ContentRight() - lineStart_ - used) / static_cast<double>(pending_.size() - 1);
            break;
        default:
            break;
    }
    Page& page = Target();
    for (std::size_t i = 0; i < pending_.size(); ++i) {
        const Run& run = pending_[i];
        // An underline runs on under the blank between two underlined words.
        const bool underlinedGap = run.font.underline && extraPerGap == 0 && i + 1 < pending_.size() &&
                                   pending_[i + 1].font.underline;
        const std::string_view shown = underlinedGap ? std::string_view(run.text) : TrimRight(run.text);
        if (!shown.empty()) {
            TextItem item;
            item.x = x;
            item.baseline = baseline;
            item.text = std::string(shown);
            item.font = run.font;
            item.advances = measure_.Advances(run.font, shown);
            item.width = measure_.Width(run.font, shown);
            page.items.emplace_back(std::move(item));
        }
        x += run.width + extraPerGap;
    }
    pending_.clear();
    x_ = lineStart_ = std::max(x - extraPerGap, lineStart_);
}

void PrintSurface::AddTable(std::string_view format, std::string_view header, std::string_view body) {
    const TableFormat table = ParseTableFormat(format);
    std::vector<std::vector<std::string>> rows;
    if (!header.empty()) rows.push_back(Split(header, tableSep_[0]));
    if (!body.empty()) {
        for (const auto& row : Split(body, tableSep_[1])) rows.push_back(Split(row, tableSep_[0]));
    }
    PrintTableRows(table, rows, std::vector<bool>(rows.size(), font_.bold), !header.empty());
}

double PrintSurface::TableHeight(std::string_view format, std::string_view body) const {
    if (body.empty()) return 0;
    const TableFormat table = ParseTableFormat(format);
    const double lineHeight = measure_.LineHeight(font_);
    double height = 0;
    for (const auto& row : Split(body, tableSep_[1])) {
        std::vector<std::string> cells;
        for (const auto& cell : Split(row, tableSep_[0])) cells.emplace_back(cell);
        height += static_cast<double>(WrapRow(table, cells, font_).second) * lineHeight + 2 * kCellGap;
    }
    return height;
}

std::pair<std::vector<std::vector<std::string>>, std::size_t> PrintSurface::WrapRow(
    const TableFormat& format, const std::vector<std::string>& row, const FontStyle& font) const {
    std::vector<std::vector<std::string>> cells(format.columns.size());
    std::size_t lines = 1;
    for (std::size_t c = 0; c < format.columns.size(); ++c) {
        const TableColumn& column = format.columns[c];
        const std::string text = c < row.size() ? row[c] : std::string();
        const double inner = std::max(0.0, column.width - (column.padded ? 2 * kCellPadding : 0));
        if (column.width > 0 && !text.empty()) cells[c] = WrapCell(text, inner, font);
        lines = std::max(lines, cells[c].size());
    }
    return {std::move(cells), lines};
}

std::vector<std::string> PrintSurface::WrapCell(const std::string& text, double width,
                                                const FontStyle& font) const {
    std::vector<std::string> lines;
    for (const auto& paragraph : TextLines(text)) {
        std::string line;
        for (const auto& word : Words(paragraph)) {
            const std::string candidate = line + word;
            if (!line.empty() && measure_.Width(font, TrimRight(candidate)) > width) {
                lines.emplace_back(TrimRight(line));
                line.clear();
            }
            if (measure_.Width(font, TrimRight(word)) > width) {
                for (const auto& piece : BreakWord(measure_, font, std::string(TrimRight(word)), width)) {
                    if (!line.empty()) lines.emplace_back(TrimRight(line));
                    line = piece;
                }
            } else {
                line += word;
            }
        }
        lines.emplace_back(TrimRight(line));
    }
    return lines;
}

void PrintSurface::PrintTableRows(const TableFormat& format,
                                  const std::vector<std::vector<std::string>>& rows,
                                  const std::vector<bool>& bold, bool repeatFirstRow) {
    FlushLine(false);
    if (x_ > marginLeft_) LineEnd();
    const double width = format.Width();
    double left = marginLeft_;
    if (align_ == AlignRight)
        left = ContentRight() - width;
    else if (align_ == AlignCenter || align_ == AlignJustify)
        left = marginLeft_ + (ContentRight() - marginLeft_ - width) / 2;

    // The outline of a boxed table runs round the columns that take rules.
    std::size_t firstRuled = format.columns.size();
    std::size_t lastRuled = 0;
    for (std::size_t c = 0; c < format.columns.size(); ++c) {
        if (format.columns[c].noRules || format.columns[c].width <= 0) continue;
        firstRuled = std::min(firstRuled, c);
        lastRuled = c;
    }
    const double lineHeight = measure_.LineHeight(font_);
    bool firstOnPage = false;  // true right after this table broke the page
    auto printRow = [&](std::size_t r) {
        FontStyle font = font_;
        font.bold = bold[r];
        auto [cells, lines] = WrapRow(format, rows[r], font);
        double height = static_cast<double>(lines) * lineHeight + 2 * kCellGap;
        // A row that does not fit goes to the next page; a row taller than a
        // whole page is clipped at the bottom margin there.
        if (y_ + height > ContentBottom() && y_ > marginTop_ && !firstOnPage && overlayPage_ == 0 &&
            !inNewPageEvent_) {
            BeginPage();
            firstOnPage = true;
            if (repeatFirstRow && r != 0) PrintTableRowsHeader(format, rows, bold, left);
        }
        if (overlayPage_ == 0 && y_ + height > ContentBottom()) {
            const auto fit =
                static_cast<std::size_t>(std::max(1.0, (ContentBottom() - y_ - 2 * kCellGap) / lineHeight));
            for (auto& cell : cells) {
                if (cell.size() > fit) cell.resize(fit);
            }
            height = static_cast<double>(std::min(lines, fit)) * lineHeight + 2 * kCellGap;
        }
        Page& page = Target();
        double x = left;
        const double ascent = measure_.Ascent(font);
        for (std::size_t c = 0; c < format.columns.size(); ++c) {
            const TableColumn& column = format.columns[c];
            const double inner = column.width - (column.padded ? 2 * kCellPadding : 0);
            const double cellLeft = x + (column.padded ? kCellPadding : 0);
            for (std::size_t l = 0; l < cells[c].size(); ++l) {
                const std::string& text = cells[c][l];
                if (text.empty()) continue;
                TextItem item;
                item.text = text;
                item.font = font;
                item.width = measure_.Width(font, text);
                item.advances = measure_.Advances(font, text);
                item.baseline = y_ + kCellGap + static_cast<double>(l) * lineHeight + ascent;
                switch (column.align) {
                    case '>':
                        item.x = cellLeft + inner - item.width;
                        break;
                    case '^':
                        item.x = cellLeft + (inner - item.width) / 2;
                        break;
                    default:
                        item.x = cellLeft;
                        break;
                }
                page.items.emplace_back(std::move(item));
            }
            DrawCellRules(page, column, x, y_, height, r == 0 || firstOnPage, r + 1 == rows.size(),
                          c == firstRuled, c == lastRuled);
            x += column.width;
        }
        y_ += height;
        firstOnPage = false;
    };
    for (std::size_t r = 0; r < rows.size(); ++r) printRow(r);
    x_ = lineStart_ = marginLeft_;
}

void PrintSurface::PrintTableRowsHeader(const TableFormat& format,
                                        const std::vector<std::vector<std::string>>& rows,
                                        const std::vector<bool>& bold, double) {
    PrintTableRows(format, {rows.front()}, {bold.front()}, false);
}

void PrintSurface::DrawCellRules(Page& page, const TableColumn& column, double x, double y, double height,
                                 bool topOfTable, bool lastRow, bool firstColumn, bool lastColumn) {
    if (column.noRules || column.width <= 0 || tableBorder_ == 0) return;
    auto line = [&](double x1, double y1, double x2, double y2) {
        page.items.emplace_back(LineItem{x1, y1, x2, y2, penWidth_});
    };
    switch (tableBorder_) {
        case 2:
            if (lastRow) line(x, y + height, x + column.width, y + height);
            break;
        case 7:
            if (topOfTable) line(x, y, x + column.width, y);
            if (lastRow) line(x, y + height, x + column.width, y + height);
            if (firstColumn) line(x, y, x, y + height);
            if (lastColumn) line(x + column.width, y, x + column.width, y + height);
            break;
        case 9:
            page.items.emplace_back(RectItem{x, y, column.width, height, penWidth_, false});
            break;
        default:
            break;
    }
}

void PrintSurface::StartTable() { cellTable_ = CellTable{}; }

void PrintSurface::SetTableCell(TableProperty property, int row, int column, std::string_view value) {
    auto number = [&] {
        double n = 0;
        if (!ParseLength(value, n)) {
            throw RuntimeError(ErrorNumber::InvalidProcedureCall, "PrintSurface",
                               "Table cell value \"" + std::string(value) + "\" is not a number.");
        }
        return static_cast<int>(n);
    };
    auto& t = cellTable_;
    auto fit = [&] {
        t.widths.resize(static_cast<std::size_t>(t.columns), "1440");
        t.aligns.resize(static_cast<std::size_t>(t.columns), '<');
        t.cells.resize(static_cast<std::size_t>(t.rows),
                       std::vector<std::string>(static_cast<std::size_t>(t.columns)));
        for (auto& cells : t.cells) cells.resize(static_cast<std::size_t>(t.columns));
        t.boldRows.resize(static_cast<std::size_t>(t.rows), false);
    };
    auto inRange = [&](int r, int c) {
        if (r < 1 || r > t.rows || c < 1 || c > t.columns) {
            throw RuntimeError(
                ErrorNumber::SubscriptOutOfRange, "PrintSurface",
                "Table cell " + std::to_string(r) + ", " + std::to_string(c) + " is outside the table.");
        }
    };
    switch (property) {
        case Cols:
            t.columns = std::clamp(number(), 0, 64);
            fit();
            break;
        case Rows:
            t.rows = std::clamp(number(), 0, 10000);
            fit();
            break;
        case ColWidth:
            inRange(1, column);
            t.widths[static_cast<std::size_t>(column - 1)] = std::string(value);
            break;
        case ColAlign:
            inRange(1, column);
            t.aligns[static_cast<std::size_t>(column - 1)] = value.empty() ? '<' : value.front();
            break;
        case CellBold:
            inRange(row, 1);
            t.boldRows[static_cast<std::size_t>(row - 1)] = number() != 0;
            break;
        case CellText:
            inRange(row, column);
            t.cells[static_cast<std::size_t>(row - 1)][static_cast<std::size_t>(column - 1)] =
                std::string(value);
            break;
    }
}

void PrintSurface::EndTable() {
    std::string format;
    for (int c = 0; c < cellTable_.columns; ++c) {
        if (c > 0) format += '|';
        format += std::string("+") + cellTable_.aligns[static_cast<std::size_t>(c)] +
                  cellTable_.widths[static_cast<std::size_t>(c)];
    }
    if (cellTable_.columns > 0)
        PrintTableRows(ParseTableFormat(format), cellTable_.cells, cellTable_.boldRows, false);
    cellTable_ = CellTable{};
}

void PrintSurface::DrawLine(double x1, double y1, double x2, double y2) {
    FlushLine(false);
    Target().items.emplace_back(LineItem{x1, y1, x2, y2, penWidth_});
}

void PrintSurface::DrawRectangle(double x, double y, double width, double height, bool filled) {
    FlushLine(false);
    Target().items.emplace_back(RectItem{x, y, width, height, penWidth_, filled});
}

bool PrintSurface::DrawPicture(const std::string& path, double x, double y, double width, double height) {
    try {
        auto bytes = ReadFileBytes(path);
        return bytes && DrawPictureData(std::move(*bytes), x, y, width, height);
    } catch (const RuntimeError&) {
        return false;  // an unreadable picture is simply not drawn
    }
}

bool PrintSurface::DrawPictureData(std::string encoded, double x, double y, double width, double height) {
    if (DecodePicture(encoded).isNull()) return false;
    FlushLine(false);
    Target().items.emplace_back(PictureItem{x, y, width, height, CompactPicture(encoded)});
    return true;
}

void PrintSurface::StartOverlay(int page) {
    if (page < 1 || page > PageCount()) {
        throw RuntimeError(ErrorNumber::SubscriptOutOfRange, "PrintSurface",
                           "Page " + std::to_string(page) + " is not a page of the document.");
    }
    FlushLine(false);
    savedX_ = x_;
    savedY_ = y_;
    overlayPage_ = page;
}

void PrintSurface::EndOverlay() {
    FlushLine(false);
    overlayPage_ = 0;
    x_ = lineStart_ = savedX_;
    y_ = savedY_;
}

void PrintSurface::SetCurrentPage(int page) {
    currentPage_ = std::clamp(page, PageCount() > 0 ? 1 : 0, PageCount());
}

void PrintSurface::SetDocument(Document document) {
    document_ = std::move(document);
    pending_.clear();
    inDocument_ = false;
    currentPage_ = PageCount() > 0 ? 1 : 0;
}

void PrintSurface::AppendDocument(const Document& other) {
    document_.pages.insert(document_.pages.end(), other.pages.begin(), other.pages.end());
    if (currentPage_ == 0 && PageCount() > 0) currentPage_ = 1;
}

}  // namespace quoravel
