#include "VsvFile.h"

#include <bit>
#include <cmath>
#include <cstdint>

#include "RuntimeError.h"
#include "TextFile.h"

namespace quoravel {
namespace {

constexpr std::string_view kMagic{"QVSV\r\n\x1a\n", 8};
constexpr std::uint32_t kVersion = 1;

enum Tag : std::uint8_t { kText = 1, kLine = 2, kRect = 3, kPicture = 4 };
enum FontBits : std::uint8_t { kBold = 1, kItalic = 2, kUnderline = 4 };

// The fewest bytes an item or a page can take: counts read from a damaged
// file are checked against them before anything is allocated.
constexpr std::size_t kSmallestItem = 1 + 4 * 8 + 4;  // a picture with no data
constexpr std::size_t kSmallestPage = 4;

// Pages are never larger than this; a damaged size would ask for huge images.
constexpr double kLargestPage = 100 * kTwipsPerInch;
constexpr double kLargestFont = 1000;  // points

class Writer {
public:
    void Uint(std::uint64_t v, int bytes) {
        for (int i = 0; i < bytes; ++i) out_ += static_cast<char>((v >> (8 * i)) & 0xFF);
    }
    void Number(double v) { Uint(std::bit_cast<std::uint64_t>(v), 8); }
    void Text(std::string_view text) {
        Uint(text.size(), 4);
        out_ += text;
    }
    std::string& Bytes() { return out_; }

    void Item(const TextItem& item) {
        Uint(kText, 1);
        Number(item.x);
        Number(item.baseline);
        Number(item.width);
        Text(item.font.family);
        Number(item.font.size);
        Uint((item.font.bold ? kBold : 0) | (item.font.italic ? kItalic : 0) |
                 (item.font.underline ? kUnderline : 0),
             1);
        Text(item.text);
        Uint(item.advances.size(), 4);
        for (double advance : item.advances) Number(advance);
    }
    void Item(const LineItem& item) {
        Uint(kLine, 1);
        for (double v : {item.x1, item.y1, item.x2, item.y2, item.penWidth}) Number(v);
    }
    void Item(const RectItem& item) {
        Uint(kRect, 1);
        for (double v : {item.x, item.y, item.width, item.height, item.penWidth}) Number(v);
        Uint(item.filled ? 1 : 0, 1);
    }
    void Item(const PictureItem& item) {
        Uint(kPicture, 1);
        for (double v : {item.x, item.y, item.width, item.height}) Number(v);
        Text(item.encoded);
    }

private:
    std::string out_;
};

class Reader {
public:
    Reader(std::string_view bytes, const std::string& fileName) : bytes_(bytes), fileName_(fileName) {}

    [[noreturn]] void Fail(const std::string& what) const {
        throw RuntimeError(ErrorNumber::BadFileFormat, "VsvFile",
                           "The page file " + fileName_ + " is damaged: " + what + " (at byte " +
                               std::to_string(position_) + ").");
    }

    std::size_t Remaining() const { return bytes_.size() - position_; }
    bool AtEnd() const { return position_ == bytes_.size(); }

    std::string_view Take(std::size_t count) {
        if (count > Remaining()) Fail("the file ends early");
        const std::string_view taken = bytes_.substr(position_, count);
        position_ += count;
        return taken;
    }
    std::uint64_t Uint(int bytes) {
        const std::string_view raw = Take(static_cast<std::size_t>(bytes));
        std::uint64_t v = 0;
        for (int i = bytes - 1; i >= 0; --i)
            v = (v << 8) | static_cast<unsigned char>(raw[static_cast<std::size_t>(i)]);
        return v;
    }
    double Number() {
        const double v = std::bit_cast<double>(Uint(8));
        if (!std::isfinite(v)) Fail("a number that is not finite");
        return v;
    }
    // A count of things each at least `smallest` bytes long.
    std::size_t Count(std::size_t smallest, const char* what) {
        const auto count = static_cast<std::size_t>(Uint(4));
        if (count > Remaining() / smallest)
            Fail(std::to_string(count) + " " + what + ", more than the file holds");
        return count;
    }
    std::string Text() { return std::string(Take(Count(1, "bytes of text"))); }

    DrawItem Item() {
        const auto tag = Uint(1);
        switch (tag) {
            case kText: {
                TextItem item;
                item.x = Number();
                item.baseline = Number();
                item.width = Number();
                item.font.family = Text();
                item.font.size = Number();
                if (item.font.size <= 0 || item.font.size > kLargestFont) Fail("a font size out of range");
                const auto bits = Uint(1);
                if (bits & ~std::uint64_t{kBold | kItalic | kUnderline}) Fail("unknown font style bits");
                item.font.bold = bits & kBold;
                item.font.italic = bits & kItalic;
                item.font.underline = bits & kUnderline;
                item.text = Text();
                item.advances.resize(Count(8, "character advances"));
                for (double& advance : item.advances) advance = Number();
                return item;
            }
            case kLine: {
                LineItem item;
                for (double* v : {&item.x1, &item.y1, &item.x2, &item.y2, &item.penWidth}) *v = Number();
                return item;
            }
            case kRect: {
                RectItem item;
                for (double* v : {&item.x, &item.y, &item.width, &item.height, &item.penWidth}) *v = Number();
                const auto filled = Uint(1);
                if (filled > 1) Fail("a rectangle fill flag of " + std::to_string(filled));
                item.filled = filled == 1;
                return item;
            }
            case kPicture: {
                PictureItem item;
                for (double* v : {&item.x, &item.y, &item.width, &item.height}) *v = Number();
                item.encoded = Text();
                return item;
            }
            default:
                Fail("an unknown item type " + std::to_string(tag));
        }
    }

private:
    std::string_view bytes_;
    std::size_t position_ = 0;
    const std::string& fileName_;
};

}  // namespace

std::string EncodeVsv(const Document& document, int firstPage, int lastPage) {
    const int count = static_cast<int>(document.pages.size());
    if (firstPage < 1 || lastPage < firstPage || lastPage > count) {
        throw RuntimeError(ErrorNumber::SubscriptOutOfRange, "VsvFile",
                           "Pages " + std::to_string(firstPage) + " to " + std::to_string(lastPage) +
                               " are not in a document of " + std::to_string(count) + " pages.");
    }
    Writer out;
    out.Bytes() += kMagic;
    out.Uint(kVersion, 4);
    out.Number(document.pageWidth);
    out.Number(document.pageHeight);
    out.Uint(static_cast<std::uint64_t>(lastPage - firstPage + 1), 4);
    for (int p = firstPage; p <= lastPage; ++p) {
        const Page& page = document.pages[static_cast<std::size_t>(p - 1)];
        out.Uint(page.items.size(), 4);
        for (const DrawItem& item : page.items) std::visit([&](const auto& i) { out.Item(i); }, item);
    }
    return std::move(out.Bytes());
}

Document DecodeVsv(std::string_view bytes, const std::string& fileName) {
    Reader in(bytes, fileName);
    if (bytes.substr(0, kMagic.size()) != kMagic) in.Fail("it is not a page file");
    in.Take(kMagic.size());
    const auto version = in.Uint(4);
    if (version != kVersion) in.Fail("its format version " + std::to_string(version) + " is not known");
    Document document;
    document.pageWidth = in.Number();
    document.pageHeight = in.Number();
    for (double side : {document.pageWidth, document.pageHeight}) {
        if (side <= 0 || side > kLargestPage) in.Fail("a page size out of range");
    }
    document.pages.resize(in.Count(kSmallestPage, "pages"));
    for (Page& page : document.pages) {
        page.items.resize(in.Count(kSmallestItem, "items"));
        for (DrawItem& item : page.items) item = in.Item();
    }
    if (!in.AtEnd()) in.Fail("data after the last page");
    return document;
}

void SaveVsv(const Document& document, int firstPage, int lastPage, const std::string& path) {
    WriteFileAtomically(path, EncodeVsv(document, firstPage, lastPage));
}

Document LoadVsv(const std::string& path) {
    const auto bytes = ReadFileBytes(path);
    if (!bytes)
        throw RuntimeError(ErrorNumber::FileNotFound, "VsvFile",
                           "The page file " + path + " does not exist.");
    return DecodeVsv(*bytes, path);
}

void AppendVsv(Document& document, const std::string& path) {
    Document more = LoadVsv(path);
    if (document.pages.empty()) {
        document.pageWidth = more.pageWidth;
        document.pageHeight = more.pageHeight;
    } else if (more.pageWidth != document.pageWidth || more.pageHeight != document.pageHeight) {
        throw RuntimeError(ErrorNumber::BadFileFormat, "VsvFile",
                           "The page file " + path + " has another page size than the pages before it.");
    }
    for (Page& page : more.pages) document.pages.push_back(std::move(page));
}

}  // namespace quoravel
