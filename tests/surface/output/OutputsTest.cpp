#include <gtest/gtest.h>
#include <uemf.h>
#include <uemf_safe.h>
#include <zlib.h>

#include <QBuffer>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QImage>
#include <QSet>
#include <memory>
#include <random>

#include "EmfOutput.h"
#include "FontMeasure.h"
#include "PageRenderer.h"
#include "PdfOutput.h"
#include "PictureStore.h"
#include "PngOutput.h"
#include "TestSupport.h"
#include "VsvFile.h"

using namespace quoravel;

namespace {

TextItem Text(std::string text, double x, double baseline, FontStyle font = {}) {
    const QFontMetricsF metrics(MakeQFont(font));
    TextItem item{x, baseline, 0, std::move(text), font, {}};
    for (QChar c : QString::fromStdString(item.text)) item.advances.push_back(metrics.horizontalAdvance(c));
    for (double advance : item.advances) item.width += advance;
    return item;
}

// A picture of `width` x `height` pixels in `colours` colours (at most 1,024),
// every colour used; with `holes`, every third pixel is transparent.
QImage Colours(int width, int height, int colours, bool holes = false) {
    QImage image(width, height, QImage::Format_ARGB32);
    for (int i = 0; i < width * height; ++i) {
        const int c = i % colours;
        const QRgb colour =
            holes && i % 3 == 2 ? qRgba(0, 0, 0, 0) : qRgb(c % 4 * 60, c / 4 % 16 * 16, c / 64 * 16);
        image.setPixel(i % width, i / width, colour);
    }
    return image;
}

std::string Encoded(const QImage& image, const char* format = "PNG") {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return buffer.data().toStdString();
}

QImage RedSquare() {
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::red);
    return image;
}

// Noise that no compression shrinks.
QImage Noise() {
    QImage image(64, 64, QImage::Format_RGB32);
    std::mt19937 random(7);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) image.setPixel(x, y, random() | 0xFF000000u);
    return image;
}

// The dark pixels of a 96 dpi page image in one row, between two places in twips.
int Dark(const QImage& image, double fromTwips, double toTwips, double yTwips) {
    int dark = 0;
    for (int x = static_cast<int>(fromTwips) / 15; x <= static_cast<int>(toTwips) / 15; ++x)
        dark += image.pixelColor(x, static_cast<int>(yTwips) / 15).lightness() < 128;
    return dark;
}

// Two pages with every kind of item: text in two fonts, a rule, boxes
// outlined and filled, and a picture; and the same banner on both pages.
Document Sample() {
    Document document;
    Page first;
    first.items.emplace_back(Text("Level Term Proposal", 1440, 1800, {"Liberation Sans", 14, true}));
    first.items.emplace_back(
        Text("Prepared for Zoë Smith", 1440, 2200, {"Liberation Serif", 10, false, true, true}));
    first.items.emplace_back(LineItem{700, 2400, 11520, 2400, 15});
    first.items.emplace_back(RectItem{1440, 3000, 2880, 1440, 15, true});
    first.items.emplace_back(RectItem{5000, 3000, 1440, 1440, 30, false});
    first.items.emplace_back(PictureItem{8000, 3000, 1440, 1440, Encoded(RedSquare())});
    Page second;
    second.items.emplace_back(Text("Page two of the ledger", 1440, 1800));
    document.pages = {first, second};
    for (Page& page : document.pages)
        page.items.emplace_back(PictureItem{1350, 10800, 275, 250, Encoded(Noise())});
    return document;
}

}  // namespace

// The banner drawn on both pages is kept once in a file of several pages.
TEST(VsvFile, PagesLoadBackEqualAPictureStoredOnceAndFilesAppendIntoOneDocument) {
    const TempFolder folder;
    const Document document = Sample();
    const std::string file = EncodeVsv(document, 1, 2);
    EXPECT_EQ(DecodeVsv(file, "memory"), document);
    EXPECT_LT(file.size(), EncodeVsv(document, 1, 1).size() + 200) << "the banner is kept twice";

    Document joined;
    for (int page : {1, 2}) {
        SaveVsv(document, page, page, folder.folder() + "page" + std::to_string(page) + ".vsv");
        AppendVsv(joined, folder.folder() + "page" + std::to_string(page) + ".vsv");
    }
    EXPECT_EQ(joined, document);
    EXPECT_EQ(Raised([&] { SaveVsv(document, 2, 3, (folder.path() / "x.vsv").string()); }),
              "9 VsvFile: Pages 2 to 3 are not in a document of 2 pages.");
}

namespace {

// A version 1 page file, byte for byte: one Letter page with a text, a
// line, a filled box and a picture of four bytes.
constexpr char kVersionOneFile[] =
    "QVSV\r\n\x1a\n"
    "\x01\0\0\0"                                    // version 1
    "\0\0\0\0\0\xe8\xc7\x40\0\0\0\0\0\xf0\xce\x40"  // width 12240, height 15840
    "\x01\0\0\0\x04\0\0\0"                          // one page of four items
    "\x01"                                          // text at x 1440, baseline 1800, 600 wide
    "\0\0\0\0\0\x80\x96\x40\0\0\0\0\0\x20\x9c\x40\0\0\0\0\0\xc0\x82\x40"
    "\x0f\0\0\0Liberation Sans\0\0\0\0\0\0\x24\x40\x05"  // 10 points, bold, underlined
    "\x04\0\0\0Zo\xc3\xab\x03\0\0\0"                     // "Zoë", three advances of 200
    "\0\0\0\0\0\0\x69\x40\0\0\0\0\0\0\x69\x40\0\0\0\0\0\0\x69\x40"
    "\x02"  // line from 700, 2400 to 11520, 2400, 15 wide
    "\0\0\0\0\0\xe0\x85\x40\0\0\0\0\0\xc0\xa2\x40\0\0\0\0\0\x80\xc6\x40\0\0\0\0\0\xc0\xa2\x40"
    "\0\0\0\0\0\0\x2e\x40"
    "\x03"  // box at 1440, 3000, 2880 x 1440, 15 wide, filled
    "\0\0\0\0\0\x80\x96\x40\0\0\0\0\0\x70\xa7\x40\0\0\0\0\0\x80\xa6\x40\0\0\0\0\0\x80\x96\x40"
    "\0\0\0\0\0\0\x2e\x40\x01"
    "\x04"  // picture at 8000, 3000, 1440 x 1440
    "\0\0\0\0\0\x40\xbf\x40\0\0\0\0\0\x70\xa7\x40\0\0\0\0\0\x80\x96\x40\0\0\0\0\0\x80\x96\x40"
    "\x04\0\0\0\x89PNG";
constexpr std::size_t kVersionOneFirstItem = 8 + 4 + 8 + 8 + 4 + 4;

// The inflated contents of a version 2 file.
std::string Inflated(const std::string& file) {
    std::uint32_t declared = 0;
    for (int i = 3; i >= 0; --i) declared = declared << 8 | static_cast<unsigned char>(file[12 + i]);
    std::string body(declared, '\0');
    uLongf size = body.size();
    EXPECT_EQ(uncompress(reinterpret_cast<Bytef*>(body.data()), &size,
                         reinterpret_cast<const Bytef*>(file.data() + 16), file.size() - 16),
              Z_OK);
    return body;
}

// A version 2 file of these contents, declaring `declared` bytes of them.
std::string VersionTwo(const std::string& body, std::uint32_t declared) {
    std::string packed(compressBound(body.size()), '\0');
    uLongf size = packed.size();
    compress(reinterpret_cast<Bytef*>(packed.data()), &size, reinterpret_cast<const Bytef*>(body.data()),
             body.size());
    packed.resize(size);
    std::string file = std::string("QVSV\r\n\x1a\n\x02\0\0\0", 12);
    for (int i = 0; i < 4; ++i) file += static_cast<char>(declared >> (8 * i));
    return file + packed;
}

}  // namespace

// A version 1 file still loads; a damaged file is refused, naming the file and the fault.
TEST(VsvFile, AVersionOneFileStillLoadsAndDamagedFilesAreRefused) {
    const std::string one(kVersionOneFile, sizeof kVersionOneFile - 1);
    Document expected;
    expected.pages.emplace_back();
    expected.pages[0].items = {
        TextItem{1440, 1800, 600, "Zoë", {"Liberation Sans", 10, true, false, true}, {200, 200, 200}},
        LineItem{700, 2400, 11520, 2400, 15},
        RectItem{1440, 3000, 2880, 1440, 15, true},
        PictureItem{8000, 3000, 1440, 1440, "\x89PNG"},
    };
    EXPECT_EQ(DecodeVsv(one, "old.vsv"), expected);

    auto patched = [](const std::string& bytes, std::size_t at, std::string with) {
        return std::string(bytes).replace(at, with.size(), with);
    };
    // One page of one picture: its table number is the last four bytes.
    Document pictured;
    pictured.pages.emplace_back().items.emplace_back(PictureItem{0, 0, 10, 10, Encoded(RedSquare())});
    const std::string two = EncodeVsv(pictured, 1, 1);
    const std::string body = Inflated(two);
    const std::size_t size = body.size();
    const std::string at = std::to_string(size);
    const std::pair<std::string, std::string> cases[] = {
        {"", "it is not a page file"},
        {patched(one, 0, "PK"), "it is not a page file"},
        {patched(one, 8, std::string("\x07\0\0\0", 4)), "its format version 7 is not known"},
        {patched(one, 28, "\xff\xff\xff\xff"), "4294967295 pages, more than the file holds"},
        {patched(one, 32, "\xff\xff\xff\x0f"), "268435455 items, more than the file holds"},
        {patched(one, kVersionOneFirstItem, "\x09"), "an unknown item type 9"},
        {patched(one, kVersionOneFirstItem + 1, std::string("\0\0\0\0\0\0\xf0\x7f", 8)),
         "a number that is not finite"},
        {one + "x", "data after the last page"},
        // Version 2: the compressed contents and their declared size.
        {VersionTwo(body, size + 1),
         "the contents inflate to " + at + " bytes, not the " + std::to_string(size + 1) + " declared"},
        {VersionTwo(body, size - 1), "the contents inflate to more than the " + std::to_string(size - 1)},
        {VersionTwo(body, 64 << 20 | 1), "67108865 bytes of contents, more than a page file holds"},
        {VersionTwo(body, 1 << 25), "33554432 bytes of contents, more than the file holds"},
        {two.substr(0, two.size() - 3), "the compressed contents end early"},
        {patched(two, two.size() - 1, "?"), "the compressed contents are damaged (incorrect data check)"},
        {two + "x", "data after the compressed contents (at byte " + std::to_string(two.size())},
        // Version 2: the inflated contents, positions counted in them.
        {VersionTwo(patched(body, size - 4, "\x01"), size),
         "picture 1 is not in the table of 1 pictures (at byte " + at + " of the inflated contents)"},
        {VersionTwo(patched(body, size - 37, "\x09"), size),
         "an unknown item type 9 (at byte " + std::to_string(size - 36) + " of the inflated contents)"},
        {VersionTwo(body + "x", size + 1), "data after the last page"},
    };
    for (const auto& [bytes, fault] : cases) {
        const std::string raised = Raised([&] { DecodeVsv(bytes, "/tmp/page7.vsv"); });
        EXPECT_NE(raised.find("321 VsvFile: The page file /tmp/page7.vsv is damaged: " + fault),
                  std::string::npos)
            << raised;
    }
    // Cut anywhere, the file is refused, never read past its end.
    for (const std::string& good : {one, two})
        for (std::size_t size = 0; size < good.size(); ++size)
            EXPECT_THROW(DecodeVsv(std::string_view(good).substr(0, size), "cut.vsv"), RuntimeError) << size;
    EXPECT_EQ(Raised([] { LoadVsv("/nonexistent/page1.vsv"); }),
              "53 VsvFile: The page file /nonexistent/page1.vsv does not exist.");
}

TEST(OutputsFailures, AFolderThatCannotBeWrittenIsNamedInTheError) {
    const TempFolder folder;
    // A file where the folder should be: not even the superuser can write there.
    const std::string blocked = folder.Write("blocked", "").string() + "/page1";
    const Document document = Sample();
    const std::function<void()> writes[] = {
        [&] { WriteEmf(document.pages[0], document, blocked + ".emf"); },
        [&] { SaveVsv(document, 1, 1, blocked + ".vsv"); },
        [&] { WritePng(document.pages[0], document, 96, blocked + ".png"); },
    };
    for (const auto& write : writes) {
        const std::string raised = Raised(write);
        EXPECT_TRUE(raised.starts_with("75 ") && raised.find(blocked + ".") != std::string::npos &&
                    raised.ends_with(" cannot be written: the folder cannot be written to."))
            << raised;
    }
}

namespace {

// An EMF file read by libUEMF, its records each checked by libUEMF's own reader.
struct EmfFile {
    std::unique_ptr<char, decltype(&std::free)> contents{nullptr, &std::free};
    std::size_t length = 0;
    std::vector<const char*> records;
};

EmfFile ReadEmf(const std::string& path) {
    EmfFile emf;
    char* raw = nullptr;
    if (emf_readdata(path.c_str(), &raw, &emf.length) != 0) {
        ADD_FAILURE() << "libUEMF cannot read " << path;
        return emf;
    }
    emf.contents.reset(raw);
    const char* end = raw + emf.length;
    for (const char* record = raw; record < end;) {
        std::uint32_t size = 0, type = 0;
        // emf_readdata has put the records in the host's byte order.
        if (!U_emf_record_sizeok(record, end, &size, &type, 1) || !U_emf_record_safe(record)) {
            ADD_FAILURE() << "record " << emf.records.size() << " is damaged";
            break;
        }
        emf.records.push_back(record);
        record += size;
    }
    return emf;
}

std::uint32_t Type(const char* record) { return reinterpret_cast<const U_EMR*>(record)->iType; }

}  // namespace

// libUEMF reads the page back: its text at the measured widths, its drawing,
// and every picture in as few bits a pixel as hold its colours, with a table
// of exactly those colours, each pixel as drawn.
TEST(EmfOutput, LibUemfReadsThePageBackWithItsTextDrawingAndEveryPixel) {
    const struct {
        QImage image;
        std::uint32_t bits, colours;
    } pictures[] = {
        {RedSquare(), 1, 1},  // the sample's own two
        {Noise(), 24, 0},
        {Colours(37, 3, 1, true), 1, 2},  // black, and white where it is transparent
        {Colours(13, 5, 5), 4, 5},
        {Colours(20, 10, 200), 8, 200},
    };
    Document document = Sample();
    for (std::size_t i = 2; i < std::size(pictures); ++i)
        document.pages[0].items.emplace_back(PictureItem{1440, 1440, 1440, 1440, Encoded(pictures[i].image)});
    const TempFolder folder;
    const std::string path = (folder.path() / "page1.emf").string();
    WriteEmf(document.pages[0], document, path);

    const EmfFile emf = ReadEmf(path);
    ASSERT_FALSE(emf.records.empty());
    std::vector<std::string> texts;
    std::vector<std::uint32_t> types;
    std::vector<std::int32_t> heights;
    std::size_t drawn = 0;
    for (const char* record : emf.records) {
        const std::uint32_t type = Type(record);
        types.push_back(type);
        if (type == U_EMR_EXTTEXTOUTW) {
            const auto* text = reinterpret_cast<const U_EMREXTTEXTOUTW*>(record);
            const auto* units = reinterpret_cast<const char16_t*>(record + text->emrtext.offString);
            texts.push_back(QString::fromUtf16(units, text->emrtext.nChars).toStdString());
            // The rectangle follows the fixed part, then the offset of the advances.
            const char* offDx = record + sizeof(U_EMREXTTEXTOUTW) + sizeof(U_RECTL);
            const auto* dx = reinterpret_cast<const std::uint32_t*>(
                record + *reinterpret_cast<const std::uint32_t*>(offDx));
            std::uint32_t width = 0;
            for (std::uint32_t i = 0; i < text->emrtext.nChars; ++i) width += dx[i];
            const auto& item = std::get<TextItem>(document.pages[0].items[texts.size() - 1]);
            EXPECT_NEAR(width, item.width, 1) << texts.back();
        }
        if (type == U_EMR_EXTCREATEFONTINDIRECTW) {
            heights.push_back(
                reinterpret_cast<const U_EMREXTCREATEFONTINDIRECTW*>(record)->elfw.elfLogFont.lfHeight);
        }
        if (type != U_EMR_STRETCHDIBITS) continue;
        ASSERT_LT(drawn, std::size(pictures));
        const auto& c = pictures[drawn++];
        SCOPED_TRACE(testing::Message() << c.bits << " bits");
        const auto* stretch = reinterpret_cast<const U_EMRSTRETCHDIBITS*>(record);
        const char* pixels = nullptr;
        const U_RGBQUAD* table = nullptr;
        std::uint32_t colours = 0, width = 0, height = 0, bits = 0, invert = 0;
        get_DIB_params(record, stretch->offBitsSrc, stretch->offBmiSrc, &pixels, &table, &colours, &width,
                       &height, &bits, &invert);
        EXPECT_EQ(bits, c.bits);
        EXPECT_EQ(colours, c.colours);
        ASSERT_EQ(QSize(static_cast<int>(width), static_cast<int>(height)), c.image.size());
        char* raw = nullptr;
        ASSERT_EQ(DIB_to_RGBA(pixels, table, static_cast<int>(colours), &raw, static_cast<int>(width),
                              static_cast<int>(height), bits, colours > 0, static_cast<int>(invert)),
                  0);
        // Red, green, blue and a spare byte a pixel, the rows as the DIB keeps them: the bottom one first.
        const std::unique_ptr<char, decltype(&std::free)> rgba(raw, &std::free);
        const auto* bottomUp = reinterpret_cast<const unsigned char*>(rgba.get());
        for (int y = 0; y < c.image.height(); ++y) {
            for (int x = 0; x < c.image.width(); ++x) {
                const QRgb drawnOn = qAlpha(c.image.pixel(x, y)) ? c.image.pixel(x, y) : qRgb(255, 255, 255);
                const unsigned char* at = bottomUp + 4 * ((c.image.height() - 1 - y) * c.image.width() + x);
                ASSERT_EQ(qRgb(at[0], at[1], at[2]), drawnOn | 0xFF000000u) << "pixel " << x << ", " << y;
            }
        }
    }
    EXPECT_EQ(drawn, std::size(pictures));
    const auto* header = reinterpret_cast<const U_EMRHEADER*>(emf.contents.get());
    EXPECT_EQ(header->nBytes, emf.length);
    EXPECT_EQ(header->nRecords, types.size());
    EXPECT_EQ(header->szlDevice.cx, 12240);
    EXPECT_EQ(types.front(), static_cast<std::uint32_t>(U_EMR_HEADER));
    EXPECT_EQ(types.back(), static_cast<std::uint32_t>(U_EMR_EOF));
    EXPECT_EQ(texts, (std::vector<std::string>{"Level Term Proposal", "Prepared for Zoë Smith"}));
    EXPECT_EQ(heights, (std::vector<std::int32_t>{-280, -200})) << "em sizes in twips";
    for (std::uint32_t type : {U_EMR_LINETO, U_EMR_RECTANGLE, U_EMR_DELETEOBJECT})
        EXPECT_NE(std::find(types.begin(), types.end(), type), types.end()) << U_emr_names(type);
}

namespace {

const FontStyle font{"Liberation Sans", 24};
const FontStyle heading{"Liberation Sans", 24, true, false, true};

// The first page of the sample and a page of placed text: every character at
// the advance the layout measured for it, not where the font alone would put
// it, and an underline under the whole of its text.
Document DrawnAsMeasured() {
    Document document = Sample();
    // A picture with holes shows the page through them.
    document.pages[0].items.emplace_back(
        PictureItem{8000, 6000, 1440, 1440, Encoded(Colours(3, 1, 1, true))});
    const FontMeasure measure;
    const std::string text = "Narrative Summary";
    // A capital I is about 130 twips wide at 24 points: here the second one
    // is placed 2,880 twips after the first.
    document.pages[1].items = {
        TextItem{1440, 2880, 3080, "II", font, {2880, 200}},
        TextItem{1440, 5760, measure.Width(heading, text), text, heading, measure.Advances(heading, text)}};
    return document;
}

// What a page image of DrawnAsMeasured() shows at 96 dots an inch.
void ExpectDrawnAsMeasured(const QImage& first, const QImage& second) {
    ASSERT_EQ(first.size(), QSize(816, 1056));
    auto at = [&](double x, double y) {
        return first.pixelColor(static_cast<int>(x / 15), static_cast<int>(y / 15));
    };
    EXPECT_EQ(at(2880, 3720), QColor(Qt::black)) << "inside the filled box";
    EXPECT_EQ(at(5720, 3720), QColor(Qt::white)) << "inside the outlined box";
    EXPECT_LT(at(5000, 3720).lightness(), 128) << "on the outlined box's edge";
    EXPECT_EQ(at(8720, 3720), QColor(Qt::red)) << "inside the picture";
    EXPECT_EQ(at(8240, 6720), QColor(Qt::black)) << "the opaque third of the picture with holes";
    EXPECT_EQ(at(9200, 6720), QColor(Qt::white)) << "its transparent third";
    EXPECT_EQ(at(6000, 8000), QColor(Qt::white)) << "an empty part of the page";
    EXPECT_GT(Dark(first, 1440, 4485, 1770), 10) << "the heading's letters on its baseline";

    EXPECT_GT(Dark(second, 1440, 1600, 2800), 0) << "the first I";
    EXPECT_EQ(Dark(second, 1650, 4250, 2800), 0) << "nothing where the font alone would put the second I";
    EXPECT_GT(Dark(second, 4320, 4480, 2800), 0) << "the second I";
    const double width = std::get<TextItem>(DrawnAsMeasured().pages[1].items[1]).width;
    int longest = 0;  // the most dark pixels in one row just under the heading's baseline
    for (int y = 5760; y <= 5760 + 90; y += 15)
        longest = std::max(longest, Dark(second, 1440, 1440 + width - 15, y));
    EXPECT_GE(longest, static_cast<int>(width / 15) - 2) << "the heading's underline";
}

}  // namespace

// A character the font lacks leaves the text to Qt, which finds it another font.
TEST(PngOutput, PixelsShowTheBoxesTextAndPictureAndTextStandsWhereItWasMeasured) {
    const Document document = DrawnAsMeasured();
    ExpectDrawnAsMeasured(PageImage(document.pages[0], document, 96),
                          PageImage(document.pages[1], document, 96));
    EXPECT_THROW(PageImage(document.pages[0], document, 0), RuntimeError);
    EXPECT_TRUE(PlacedGlyphs(TextItem{0, 0, 0, "II", font, {2880, 200}}));
    EXPECT_FALSE(PlacedGlyphs(TextItem{0, 0, 0, "II", heading, {2880, 200}})) << "underlined";
    EXPECT_FALSE(PlacedGlyphs(TextItem{0, 0, 0, "I\uE000", font, {200, 200}})) << "no glyph in the font";
    EXPECT_FALSE(PlacedGlyphs(TextItem{0, 0, 0, "II", font, {200}})) << "an advance short";
}

// A PDF reader draws the pages as the page images show them, its text
// searchable, even text that Windows-1252 cannot hold. The banner drawn on
// both pages is kept once, as one object.
TEST(PdfOutput, PagesAreWrittenSearchableWithFontsEmbeddedPicturesOnceAndDrawnAsMeasured) {
    const TempFolder folder;
    const std::string pdf = (folder.path() / "drawn.pdf").string();
    EXPECT_TRUE(FontInstalled("Liberation Serif"));
    EXPECT_FALSE(FontInstalled("Quoravel No Such Family"));
    folder.Write("drawn.pdf", "an older file");
    WritePdf(Sample(), pdf);

    const std::string info = CommandOutput("pdfinfo " + pdf);
    EXPECT_NE(info.find("Pages:           2"), std::string::npos) << info;
    EXPECT_NE(info.find("612 x 792 pts (letter)"), std::string::npos) << info;
    const std::string text = CommandOutput("pdftotext -layout " + pdf + " -");
    for (const char* expected : {"Level Term Proposal", "Prepared for Zoë Smith", "Page two of the ledger"})
        EXPECT_NE(text.find(expected), std::string::npos) << text;
    // pdfimages -list: two heading lines, then one line per drawn picture
    // with the number of the PDF object that holds its pixels.
    const std::string images = CommandOutput("pdfimages -list " + pdf);
    EXPECT_EQ(images.find("jpeg"), std::string::npos) << "the picture lost its exact colours:\n" << images;
    const QStringList lines = QString::fromStdString(images).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 5) << "the red square, and the banner on each of two pages";
    QSet<QString> objects;
    for (const QString& line : lines.mid(2)) objects.insert(line.split(' ', Qt::SkipEmptyParts).at(10));
    EXPECT_EQ(objects.size(), 2) << images;
    const QStringList fonts =
        QString::fromStdString(CommandOutput("pdffonts " + pdf)).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(fonts.size(), 5) << "two heading lines and three fonts";
    for (const QString& font : fonts.mid(2)) {
        EXPECT_TRUE(font.contains("Liberation")) << font.toStdString();
        EXPECT_EQ(font.split(' ', Qt::SkipEmptyParts).at(4), "yes") << "not embedded: " << font.toStdString();
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1)
        << "a temporary file was left";

    WritePdf(DrawnAsMeasured(), pdf);
    const std::string pages = (folder.path() / "page").string();
    CommandOutput("pdftoppm -r 96 -png " + pdf + " " + pages);
    ExpectDrawnAsMeasured(QImage(QString::fromStdString(pages + "-1.png")),
                          QImage(QString::fromStdString(pages + "-2.png")));

    Document document;
    for (const std::string line : {"Ledger for Łukasz (Ω) \\ 20%", "Ledger for Zoë (a) \\ 20% €"}) {
        document.pages = {Page{{Text(line, 1440, 1440)}}};
        WritePdf(document, pdf);
        EXPECT_NE(CommandOutput("pdftotext " + pdf + " -").find(line), std::string::npos) << line;
    }
}

TEST(PictureStore, DecodesOnceAndKeepsABitmapAsAPngOfTheSamePixels) {
    const QImage first = DecodePicture(Encoded(RedSquare()));
    EXPECT_EQ(DecodePicture(Encoded(RedSquare())).cacheKey(), first.cacheKey());
    EXPECT_TRUE(DecodePicture("not a picture").isNull());

    // A bitmap on a page is kept as a PNG of the very same pixels; a picture
    // file that is already compressed, or no picture, is kept byte for byte.
    const QImage banner = Colours(300, 40, 1000).convertToFormat(QImage::Format_RGB32);
    const std::string bmp = Encoded(banner, "BMP"), compact = CompactPicture(bmp);
    ASSERT_TRUE(compact.starts_with("\x89PNG"));
    EXPECT_LT(compact.size(), bmp.size() / 2);
    EXPECT_EQ(QImage::fromData(QByteArray::fromStdString(compact)).convertToFormat(QImage::Format_RGB32),
              banner);
    EXPECT_EQ(CompactPicture(Encoded(RedSquare())), Encoded(RedSquare()));
    EXPECT_EQ(CompactPicture("BM but no bitmap"), "BM but no bitmap");
}
