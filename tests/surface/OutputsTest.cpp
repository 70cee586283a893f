#include <gtest/gtest.h>
#include <uemf.h>
#include <uemf_safe.h>

#include <QBuffer>
#include <QFontMetricsF>
#include <QImage>
#include <QSet>
#include <cstdio>
#include <memory>

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

std::string RedSquarePng() {
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::red);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return buffer.data().toStdString();
}

// Two pages with every kind of item: text in two fonts, a rule, boxes
// outlined and filled, and a picture.
Document Sample() {
    Document document;
    Page first;
    first.items.emplace_back(Text("Level Term Proposal", 1440, 1800, {"Liberation Sans", 14, true}));
    first.items.emplace_back(
        Text("Prepared for Zoë Smith", 1440, 2200, {"Liberation Serif", 10, false, true, true}));
    first.items.emplace_back(LineItem{700, 2400, 11520, 2400, 15});
    first.items.emplace_back(RectItem{1440, 3000, 2880, 1440, 15, true});
    first.items.emplace_back(RectItem{5000, 3000, 1440, 1440, 30, false});
    first.items.emplace_back(PictureItem{8000, 3000, 1440, 1440, RedSquarePng()});
    Page second;
    second.items.emplace_back(Text("Page two of the ledger", 1440, 1800));
    document.pages = {first, second};
    return document;
}

}  // namespace

TEST(OutputsFonts, ThePageFontsAreInstalledAndAMissingOneIsNoticed) {
    EXPECT_TRUE(FontInstalled("Liberation Sans"));
    EXPECT_TRUE(FontInstalled("Liberation Serif"));
    EXPECT_FALSE(FontInstalled("Quoravel No Such Family"));
}

TEST(VsvFile, PagesLoadBackEqualAndFilesAppendIntoOneDocument) {
    const TempFolder folder;
    const Document document = Sample();
    EXPECT_EQ(DecodeVsv(EncodeVsv(document, 1, 2), "memory"), document);

    SaveVsv(document, 1, 1, (folder.path() / "page1.vsv").string());
    SaveVsv(document, 2, 2, (folder.path() / "page2.vsv").string());
    Document second = LoadVsv((folder.path() / "page2.vsv").string());
    ASSERT_EQ(second.pages.size(), 1u);
    EXPECT_EQ(second.pages[0], document.pages[1]);

    Document joined;
    AppendVsv(joined, (folder.path() / "page1.vsv").string());
    AppendVsv(joined, (folder.path() / "page2.vsv").string());
    EXPECT_EQ(joined, document);
    EXPECT_EQ(Raised([&] { SaveVsv(document, 2, 3, (folder.path() / "x.vsv").string()); }),
              "9 VsvFile: Pages 2 to 3 are not in a document of 2 pages.");
}

TEST(VsvFile, DamagedFilesAreRefusedWithTheFileAndTheFault) {
    const std::string good = EncodeVsv(Sample(), 1, 2);
    auto patched = [&](std::size_t at, std::string bytes) {
        return std::string(good).replace(at, bytes.size(), bytes);
    };
    const std::size_t firstItem = 8 + 4 + 8 + 8 + 4 + 4;  // magic, version, page size, page count, item count
    const struct {
        std::string bytes;
        std::string fault;
    } cases[] = {
        {"", "it is not a page file"},
        {patched(0, "PK"), "it is not a page file"},
        {patched(8, std::string("\x07\0\0\0", 4)), "its format version 7 is not known"},
        {patched(28, "\xff\xff\xff\xff"), "4294967295 pages, more than the file holds"},
        {patched(32, "\xff\xff\xff\x0f"), "268435455 items, more than the file holds"},
        {patched(firstItem, "\x09"), "an unknown item type 9"},
        {patched(firstItem + 1, std::string("\0\0\0\0\0\0\xf0\x7f", 8)), "a number that is not finite"},
        {good + "x", "data after the last page"},
    };
    for (const auto& c : cases) {
        const std::string raised = Raised([&] { DecodeVsv(c.bytes, "/tmp/page7.vsv"); });
        EXPECT_NE(raised.find("321 VsvFile: The page file /tmp/page7.vsv is damaged: " + c.fault),
                  std::string::npos)
            << raised;
    }
    // Cut anywhere, the file is refused, never read past its end.
    for (std::size_t size = 0; size < good.size(); ++size) {
        EXPECT_THROW(DecodeVsv(std::string_view(good).substr(0, size), "cut.vsv"), RuntimeError) << size;
    }
    EXPECT_EQ(Raised([] { LoadVsv("/nonexistent/page1.vsv"); }),
              "53 VsvFile: The page file /nonexistent/page1.vsv does not exist.");
}

TEST(PdfOutput, PagesAreWrittenWithTheirTextSearchableAndFontsEmbedded) {
    const TempFolder folder;
    const std::string pdf = (folder.path() / "proposal.pdf").string();
    folder.Write("proposal.pdf", "an older file");
    WritePdf(Sample(), pdf);

    const std::string info = CommandOutput("pdfinfo " + pdf);
    EXPECT_NE(info.find("Pages:           2"), std::string::npos) << info;
    EXPECT_NE(info.find("612 x 792 pts (letter)"), std::string::npos) << info;
    const std::string text = CommandOutput("pdftotext -layout " + pdf + " -");
    for (const char* expected : {"Level Term Proposal", "Prepared for Zoë Smith", "Page two of the ledger"}) {
        EXPECT_NE(text.find(expected), std::string::npos) << text;
    }
    const std::string images = CommandOutput("pdfimages -list " + pdf);
    EXPECT_EQ(images.find("jpeg"), std::string::npos) << "the picture lost its exact colours:\n" << images;
    const QStringList fonts =
        QString::fromStdString(CommandOutput("pdffonts " + pdf)).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(fonts.size(), 5) << "two heading lines and three fonts";
    for (const QString& font : fonts.mid(2)) {
        EXPECT_TRUE(font.startsWith("Liberation")) << font.toStdString();
        EXPECT_EQ(font.split(' ', Qt::SkipEmptyParts).at(4), "yes") << "not embedded: " << font.toStdString();
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1)
        << "a temporary file was left";
}

TEST(OutputsFailures, AFolderThatCannotBeWrittenIsNamedInTheError) {
    const TempFolder folder;
    // A file where the folder should be: not even the superuser can write there.
    const std::string blocked = folder.Write("blocked", "").string() + "/page1";
    const Document document = Sample();
    const std::function<void()> writes[] = {
        [&] { WritePdf(document, blocked + ".pdf"); },
        [&] { WriteEmf(document.pages[0], document, blocked + ".emf"); },
        [&] { SaveVsv(document, 1, 1, blocked + ".vsv"); },
        [&] { WritePng(document.pages[0], document, 96, blocked + ".png"); },
    };
    for (const auto& write : writes) {
        const std::string raised = Raised(write);
        EXPECT_NE(raised.find("75 "), std::string::npos) << raised;
        EXPECT_NE(raised.find(blocked), std::string::npos) << raised;
        EXPECT_NE(raised.find("cannot be written"), std::string::npos) << raised;
    }
}

TEST(EmfOutput, LibUemfReadsThePageBackWithItsTextAndDrawing) {
    const TempFolder folder;
    const Document document = Sample();
    const std::string path = (folder.path() / "page1.emf").string();
    WriteEmf(document.pages[0], document, path);

    char* raw = nullptr;
    std::size_t length = 0;
    ASSERT_EQ(emf_readdata(path.c_str(), &raw, &length), 0);
    const std::unique_ptr<char, decltype(&std::free)> contents(raw, &std::free);
    const char* end = raw + length;
    std::vector<std::string> texts;
    std::vector<std::uint32_t> types;
    std::vector<std::int32_t> heights;
    for (const char* record = raw; record < end;) {
        std::uint32_t size = 0, type = 0;
        // emf_readdata has put the records in the host's byte order.
        ASSERT_TRUE(U_emf_record_sizeok(record, end, &size, &type, 1)) << "record " << types.size();
        ASSERT_TRUE(U_emf_record_safe(record)) << "record " << types.size();
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
        record += size;
    }
    const auto* header = reinterpret_cast<const U_EMRHEADER*>(raw);
    EXPECT_EQ(header->nBytes, length);
    EXPECT_EQ(header->nRecords, types.size());
    EXPECT_EQ(header->szlDevice.cx, 12240);
    EXPECT_EQ(types.front(), static_cast<std::uint32_t>(U_EMR_HEADER));
    EXPECT_EQ(types.back(), static_cast<std::uint32_t>(U_EMR_EOF));
    EXPECT_EQ(texts, (std::vector<std::string>{"Level Term Proposal", "Prepared for Zoë Smith"}));
    EXPECT_EQ(heights, (std::vector<std::int32_t>{-280, -200})) << "em sizes in twips";
    for (std::uint32_t type : {U_EMR_LINETO, U_EMR_RECTANGLE, U_EMR_STRETCHDIBITS, U_EMR_DELETEOBJECT}) {
        EXPECT_NE(std::find(types.begin(), types.end(), type), types.end()) << U_emr_names(type);
    }
}

TEST(PngOutput, PixelsShowTheBoxesTextAndPicture) {
    const Document document = Sample();
    const QImage image = PageImage(document.pages[0], document, 96);
    ASSERT_EQ(image.size(), QSize(816, 1056));
    auto at = [&](double x, double y) {
        return image.pixelColor(static_cast<int>(x / 15), static_cast<int>(y / 15));
    };
    EXPECT_EQ(at(2880, 3720), QColor(Qt::black)) << "inside the filled box";
    EXPECT_EQ(at(5720, 3720), QColor(Qt::white)) << "inside the outlined box";
    EXPECT_LT(at(5000, 3720).lightness(), 128) << "on the outlined box's edge";
    EXPECT_EQ(at(8720, 3720), QColor(Qt::red)) << "inside the picture";
    EXPECT_EQ(at(6000, 8000), QColor(Qt::white)) << "an empty part of the page";
    int dark = 0;
    for (int x = 96; x < 300; ++x) dark += image.pixelColor(x, 118).lightness() < 128;
    EXPECT_GT(dark, 10) << "the heading's letters on its baseline";

    const TempFolder folder;
    WritePng(document.pages[0], document, 96, (folder.path() / "page1.png").string());
    EXPECT_EQ(QImage((folder.path() / "page1.png").string().c_str()).size(), QSize(816, 1056));
    EXPECT_THROW(PageImage(document.pages[0], document, 0), RuntimeError);
}

TEST(PdfOutput, APictureOnEveryPageIsStoredOnce) {
    Document document;
    for (int page = 0; page < 3; ++page) {
        document.pages.emplace_back();
        document.pages.back().items.emplace_back(PictureItem{1350, 10800, 275, 250, RedSquarePng()});
    }
    const TempFolder folder;
    const std::string pdf = (folder.path() / "logo.pdf").string();
    WritePdf(document, pdf);
    // pdfimages -list: two heading lines, then one line per drawn picture
    // with the number of the PDF object that holds its pixels.
    const QStringList lines =
        QString::fromStdString(CommandOutput("pdfimages -list " + pdf)).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 5) << "one picture on each of three pages";
    QSet<QString> objects;
    for (const QString& line : lines.mid(2)) objects.insert(line.split(' ', Qt::SkipEmptyParts).at(10));
    EXPECT_EQ(objects.size(), 1) << lines.join('\n').toStdString();
}

TEST(PictureStore, DecodesOnceAndLeavesOutBytesThatAreNoPicture) {
    const QImage first = DecodePicture(RedSquarePng());
    EXPECT_EQ(first.size(), QSize(8, 8));
    EXPECT_EQ(DecodePicture(RedSquarePng()).cacheKey(), first.cacheKey());
    EXPECT_TRUE(DecodePicture("not a picture").isNull());
}

// A bitmap on a page is kept as a PNG of the very same pixels; a picture
// file that is already compressed, or no picture, is kept byte for byte.
TEST(PictureStore, KeepsABitmapAsAPngOfTheSamePixels) {
    QImage banner(300, 40, QImage::Format_RGB32);
    for (int y = 0; y < banner.height(); ++y)
        for (int x = 0; x < banner.width(); ++x) banner.setPixel(x, y, qRgb(x % 256, 40 + y, 255 - x % 200));
    QBuffer bmp;
    bmp.open(QIODevice::WriteOnly);
    banner.save(&bmp, "BMP");
    const std::string compact = CompactPicture(bmp.data().toStdString());
    ASSERT_TRUE(compact.starts_with("\x89PNG"));
    EXPECT_LT(compact.size(), static_cast<std::size_t>(bmp.data().size()) / 2);
    EXPECT_EQ(QImage::fromData(QByteArray::fromStdString(compact)).convertToFormat(QImage::Format_RGB32),
              banner);
    EXPECT_EQ(CompactPicture(RedSquarePng()), RedSquarePng());
    EXPECT_EQ(CompactPicture("BM but no bitmap"), "BM but no bitmap");
}
