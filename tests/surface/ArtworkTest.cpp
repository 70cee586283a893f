#include <gtest/gtest.h>

#include <QImage>
#include <random>
#include <set>

#include "Artwork.h"
#include "GifWriter.h"
#include "TestSupport.h"

using namespace quoravel;

namespace {

QImage Load(const std::string& bytes) {
    return QImage::fromData(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

// Every pixel of the decoded picture is the palette colour of its index.
void ExpectSamePixels(const QImage& indexed, const QImage& decoded) {
    ASSERT_EQ(decoded.size(), indexed.size());
    for (int y = 0; y < indexed.height(); ++y) {
        for (int x = 0; x < indexed.width(); ++x) {
            ASSERT_EQ(decoded.pixel(x, y) | 0xFF000000u, indexed.color(indexed.pixelIndex(x, y)))
                << "pixel " << x << ", " << y;
        }
    }
}

QImage Noise(int width, int height, int colours, unsigned seed) {
    QImage image(width, height, QImage::Format_Indexed8);
    QList<QRgb> table;
    for (int i = 0; i < colours; ++i) table.push_back(qRgb(i, 255 - i, (i * 37) % 256));
    image.setColorTable(table);
    std::mt19937 random(seed);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) image.setPixel(x, y, static_cast<uint>(random() % colours));
    return image;
}

}  // namespace

TEST(ArtworkTest, WritesEveryPictureAndFormOfTheProgramFolder) {
    const TempFolder temp;
    WriteArtwork(temp.folder());
    // The frame draws the header into a 1,350 x 250 twip banner: the bitmap must have that shape.
    EXPECT_EQ(kHeaderWidth * 250, kHeaderHeight * 1350);
    std::set<std::string> headers;
    for (const Carrier& carrier : Carriers()) {
        const std::string bitmap = temp.Read(carrier.headerFile);
        ASSERT_GT(bitmap.size(), 30u) << carrier.headerFile;
        EXPECT_EQ(bitmap.substr(0, 2), "BM") << carrier.headerFile;
        EXPECT_EQ(static_cast<unsigned char>(bitmap[28]), 4u) << carrier.headerFile << " bits per pixel";
        const QImage header = Load(bitmap);
        EXPECT_EQ(header.size(), QSize(kHeaderWidth, kHeaderHeight)) << carrier.headerFile;
        // The paper, the three inks and the smoothed edges between them, in a
        // palette small enough for 4 bits a pixel on every page.
        std::set<QRgb> colours;
        for (int y = 0; y < header.height(); ++y)
            for (int x = 0; x < header.width(); ++x) colours.insert(header.pixel(x, y));
        EXPECT_LE(colours.size(), 16u) << carrier.headerFile;
        EXPECT_GE(colours.size(), 8u) << carrier.headerFile << " lost its smoothed edges";
        headers.insert(bitmap);

        const std::string text =
            CommandOutput("pdftotext " + (temp.path() / carrier.formFile).string() + " -");
        for (const char* part :
             {"Underwriting Guidelines (as of July 2003)", carrier.name.c_str(), "Inspection Report"})
            EXPECT_NE(text.find(part), std::string::npos) << carrier.formFile << ": " << part;
    }
    EXPECT_EQ(headers.size(), Carriers().size()) << "each carrier's header names its own company";
    EXPECT_EQ(Load(temp.Read(kCoverFile)).size(), QSize(kCoverWidth, kCoverHeight));
}

TEST(ArtworkTest, GifsCarryTheirPaletteAndEveryPixelAndOthersAreRefused) {
    const QImage cover = DrawCoverPicture();
    const std::string gif = EncodeGif(cover);
    ASSERT_EQ(gif.substr(0, 6), "GIF89a");
    // A global table of 32 entries (the 25 colours, padded to a power of two).
    const auto flags = static_cast<unsigned char>(gif[10]);
    EXPECT_EQ(flags & 0x80, 0x80);
    EXPECT_EQ(flags & 0x07, 4);
    const QList<QRgb>& palette = CoverPalette();
    for (int i = 0; i < palette.size(); ++i) {
        const auto entry = [&](int channel) { return static_cast<unsigned char>(gif[13 + i * 3 + channel]); };
        EXPECT_EQ(qRgb(entry(0), entry(1), entry(2)), palette[i]) << "palette entry " << i;
    }
    ExpectSamePixels(cover, Load(gif));
    // A drawn scene, not a flat fill: most of the palette is on show.
    std::set<int> used;
    for (int y = 0; y < cover.height(); ++y)
        for (int x = 0; x < cover.width(); ++x) used.insert(cover.pixelIndex(x, y));
    EXPECT_GE(used.size(), 20u);

    // The encoder round-trips pictures of every palette size and refuses others.
    const std::tuple<int, int, int, const char*> cases[] = {
        {1, 1, 1, "one pixel, the smallest table"},
        {37, 11, 2, "two colours: codes still start at 3 bits"},
        {64, 64, 5, "a table padded to 8 entries"},
        {300, 200, 256, "noise fills the code table: clear codes and resets"},
        {1000, 3, 16, "rows longer than the table"},
    };
    for (const auto& [width, height, colours, why] : cases) {
        SCOPED_TRACE(why);
        const QImage image = Noise(width, height, colours, static_cast<unsigned>(width * height));
        ExpectSamePixels(image, Load(EncodeGif(image)));
    }
    EXPECT_EQ(Raised([] { EncodeGif(QImage(4, 4, QImage::Format_RGB32)); }),
              "5 EncodeGif: A GIF needs an indexed picture of at most 256 colours and 65,535 pixels a side.");
}
