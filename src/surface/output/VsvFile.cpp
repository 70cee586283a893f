#include "VsvFile.h"

#include <zlib.h>

#include <bit>
#include <climits>
#include <cmath>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "RuntimeError.h"
#include "TextFile.h"

namespace quoravel {
namespace {

constexpr std::string_view kMagic{"QVSV\r\n\x1a\n", 8};
// Version 1 keeps every picture with every item that draws it; version 2
// deflates the rest of the file and keeps each picture once, in a table.
constexpr std::uint32_t kTablelessVersion = 1;
constexpr std::uint32_t kVersion = 2;
constexpr std::size_t kHeaderSize = 8 + 4 + 4;  // signature, version, inflated size

enum Tag : std::uint8_t { kText = 1, kLine = 2, kRect = 3, kPicture = 4 };
enum FontBits : std::uint8_t { kBold = 1, kItalic = 2, kUnderline = 4 };

// The fewest bytes an item or a page can take: counts read from a damaged
// file are checked against them before anything is allocated.
// A picture: four numbers and a byte count of no data, or its table number.
constexpr std::size_t kSmallestItem = 1 + 4 * 8 + 4;
constexpr std::size_t kSmallestPage = 4;

// Pages are never larger than this; a damaged size would ask for huge images.
constexpr double kLargestPage = 100 * kTwipsPerInch;
constexpr double kLargestFont = 1000;  // points

// The inflated contents of a page file are never larger than this: a damaged
// size is refused before anything is allocated.
constexpr std::uint32_t kLargestBody = 64u << 20;
// Deflate stores at most 1,032 bytes in one; a size beyond that is refused
// before the contents are inflated.
constexpr std::uint64_t kDeflateRatio = 1032;
// One picture in the table may be drawn by any number of items, each of which
// gets its own copy: the pictures drawn, each counted every time, are bounded.
constexpr std::uint64_t kMostPictureBytesDrawn = 4ull * kLargestBody;

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
        Uint(pictureNumbers_.at(item.encoded), 4);
    }

    // Each distinct picture of the pages once, in the order they are first drawn.
    void PictureTable(const std::vector<const Page*>& pages) {
        std::vector<std::string_view> table;
        for (const Page* page : pages) {
            for (const DrawItem& item : page->items) {
                const auto* picture = std::get_if<PictureItem>(&item);
                if (!picture) continue;
                picturesDrawn_ += picture->encoded.size();
                const auto number = static_cast<std::uint32_t>(table.size());
                if (pictureNumbers_.emplace(picture->encoded, number).second)
                    table.push_back(picture->encoded);
            }
        }
        Uint(table.size(), 4);
        for (std::string_view picture : table) Text(picture);
    }
    std::uint64_t PicturesDrawn() const { return picturesDrawn_; }

private:
    std::string out_;
    std::unordered_map<std::string_view, std::uint32_t> pictureNumbers_;
    std::uint64_t picturesDrawn_ = 0;
};

class Reader {
public:
    // `where` follows the byte position in an error: what the position counts in.
    Reader(std::string_view bytes, const std::string& fileName, const char* where = "")
        : bytes_(bytes), fileName_(fileName), where_(where) {}

    [[noreturn]] void Fail(const std::string& what) const { FailAt(what, position_); }
    [[noreturn]] void FailAt(const std::string& what, std::size_t position) const {
        throw RuntimeError(ErrorNumber::BadFileFormat, "VsvFile",
                           "The page file " + fileName_ + " is damaged: " + what + " (at byte " +
                               std::to_string(position) + where_ + ").");
    }

    std::size_t Position() const { return position_; }
    std::string_view Rest() const { return bytes_.substr(position_); }

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
                if (!pictures_) {
                    item.encoded = Text();
                    return item;
                }
                const auto number = Uint(4);
                if (number >= pictures_->size()) {
                    Fail("picture " + std::to_string(number) + " is not in the table of " +
                         std::to_string(pictures_->size()) + " pictures");
                }
                const std::string& picture = (*pictures_)[static_cast<std::size_t>(number)];
                picturesDrawn_ += picture.size();
                if (picturesDrawn_ > kMostPictureBytesDrawn) {
                    Fail("the pages draw more than " + std::to_string(kMostPictureBytesDrawn >> 20) +
                         " MB of pictures");
                }
                item.encoded = picture;
                return item;
            }
            default:
                Fail("an unknown item type " + std::to_string(tag));
        }
    }

    // Picture items from now on name a picture of `table` instead of holding one.
    void UsePictureTable(const std::vector<std::string>& table) { pictures_ = &table; }

private:
    std::string_view bytes_;
    std::size_t position_ = 0;
    const std::string& fileName_;
    const char* where_;
    const std::vector<std::string>* pictures_ = nullptr;
    std::uint64_t picturesDrawn_ = 0;
};

// The pages after the signature and version: the same in both versions but
// for the picture table of version 2.
Document ReadPages(Reader& in, std::uint64_t version) {
    Document document;
    document.pageWidth = in.Number();
    document.pageHeight = in.Number();
    for (double side : {document.pageWidth, document.pageHeight}) {
        if (side <= 0 || side > kLargestPage) in.Fail("a page size out of range");
    }
    std::vector<std::string> pictures;
    if (version == kVersion) {
        pictures.resize(in.Count(4, "pictures"));
        for (std::string& picture : pictures) picture = in.Text();
        in.UsePictureTable(pictures);
    }
    document.pages.resize(in.Count(kSmallestPage, "pages"));
    for (Page& page : document.pages) {
        page.items.resize(in.Count(kSmallestItem, "items"));
        for (DrawItem& item : page.items) item = in.Item();
    }
    if (!in.AtEnd()) in.Fail("data after the last page");
    return document;
}

// The inflated contents of a version 2 file; `in` stands at their byte count.
std::string Inflate(Reader& in) {
    const auto size = in.Uint(4);
    const std::string_view packed = in.Rest();
    if (size > kLargestBody)
        in.Fail(std::to_string(size) + " bytes of contents, more than a page file holds");
    if (size > kDeflateRatio * packed.size() + 64 || packed.size() > UINT_MAX)
        in.Fail(std::to_string(size) + " bytes of contents, more than the file holds");
    // One byte more than declared, to tell contents that run longer.
    std::string body(size + 1, '\0');
    z_stream stream{};
    if (inflateInit(&stream) != Z_OK)
        throw RuntimeError(ErrorNumber::OutOfMemory, "VsvFile",
                           "There is not enough memory to read a page file.");
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(packed.data()));
    stream.avail_in = static_cast<uInt>(packed.size());
    stream.next_out = reinterpret_cast<Bytef*>(body.data());
    stream.avail_out = static_cast<uInt>(body.size());
    const int status = inflate(&stream, Z_FINISH);
    const std::string reason = stream.msg ? stream.msg : "";
    const std::size_t produced = stream.total_out, consumed = stream.total_in;
    inflateEnd(&stream);
    const std::size_t at = in.Position() + consumed;
    if (produced > size)
        in.FailAt("the contents inflate to more than the " + std::to_string(size) + " bytes declared", at);
    if (status == Z_MEM_ERROR)
        throw RuntimeError(ErrorNumber::OutOfMemory, "VsvFile",
                           "There is not enough memory to read a page file.");
    if (status == Z_DATA_ERROR || status == Z_NEED_DICT)
        in.FailAt("the compressed contents are damaged" + (reason.empty() ? "" : " (" + reason + ")"), at);
    if (status != Z_STREAM_END) in.FailAt("the compressed contents end early", at);
    if (produced != size) {
        in.FailAt("the contents inflate to " + std::to_string(produced) + " bytes, not the " +
                      std::to_string(size) + " declared",
                  at);
    }
    if (consumed != packed.size()) in.FailAt("data after the compressed contents", at);
    body.resize(size);
    return body;
}

}  // namespace

std::string EncodeVsv(const Document& document, int firstPage, int lastPage) {
    const int count = static_cast<int>(document.pages.size());
    if (firstPage < 1 || lastPage < firstPage || lastPage > count) {
        throw RuntimeError(ErrorNumber::SubscriptOutOfRange, "VsvFile",
                           "Pages " + std::to_string(firstPage) + " to " + std::to_string(lastPage) +
                               " are not in a document of " + std::to_string(count) + " pages.");
    }
    std::vector<const Page*> pages;
    for (int p = firstPage; p <= lastPage; ++p)
        pages.push_back(&document.pages[static_cast<std::size_t>(p - 1)]);
    Writer body;
    body.Number(document.pageWidth);
    body.Number(document.pageHeight);
    body.PictureTable(pages);
    body.Uint(pages.size(), 4);
    for (const Page* page : pages) {
        body.Uint(page->items.size(), 4);
        for (const DrawItem& item : page->items) std::visit([&](const auto& i) { body.Item(i); }, item);
    }
    // What a reader would refuse is not written.
    const std::string& contents = body.Bytes();
    if (contents.size() > kLargestBody || body.PicturesDrawn() > kMostPictureBytesDrawn) {
        throw RuntimeError(ErrorNumber::OutOfMemory, "VsvFile",
                           "Pages " + std::to_string(firstPage) + " to " + std::to_string(lastPage) +
                               " are too large for one page file.");
    }
    // The fastest compression: a page is written in well under a millisecond
    // and still shrinks to a fraction.
    uLongf packedSize = compressBound(static_cast<uLong>(contents.size()));
    std::string out(kHeaderSize + packedSize, '\0');
    const int status = compress2(reinterpret_cast<Bytef*>(out.data() + kHeaderSize), &packedSize,
                                 reinterpret_cast<const Bytef*>(contents.data()),
                                 static_cast<uLong>(contents.size()), Z_BEST_SPEED);
    if (status != Z_OK)
        throw RuntimeError(ErrorNumber::OutOfMemory, "VsvFile",
                           "There is not enough memory to write a page file.");
    out.resize(kHeaderSize + packedSize);
    Writer header;
    header.Bytes() += kMagic;
    header.Uint(kVersion, 4);
    header.Uint(contents.size(), 4);
    out.replace(0, kHeaderSize, header.Bytes());
    return out;
}

Document DecodeVsv(std::string_view bytes, const std::string& fileName) {
    Reader in(bytes, fileName);
    if (bytes.substr(0, kMagic.size()) != kMagic) in.Fail("it is not a page file");
    in.Take(kMagic.size());
    const auto version = in.Uint(4);
    if (version == kTablelessVersion) return ReadPages(in, version);
    if (version != kVersion) in.Fail("its format version " + std::to_string(version) + " is not known");
    const std::string contents = Inflate(in);
    Reader body(contents, fileName, " of the inflated contents");
    return ReadPages(body, version);
}

void SaveVsv(const Document& document, int firstPage, int lastPage, const std::string& path) {
    // Page files are a proposal run's: on the disk with its answer.
    WriteFileAtomically(path, EncodeVsv(document, firstPage, lastPage), Durability::WithTheRun);
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
