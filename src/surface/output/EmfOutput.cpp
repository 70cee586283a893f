#include "EmfOutput.h"

#include <uemf.h>

#include <QByteArrayView>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <optional>
#include <random>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "FontMeasure.h"
#include "PictureStore.h"
#include "RuntimeError.h"
#include "TextFile.h"

namespace fs = std::filesystem;

namespace quoravel {
namespace {

constexpr double kHundredthsOfMmPerTwip = 2540 / kTwipsPerInch;
constexpr double kMicrometresPerTwip = 25400 / kTwipsPerInch;

// Metafile numbers are 32-bit integers; a value beyond any page is pinned.
std::int32_t Whole(double v) { return static_cast<std::int32_t>(std::lround(std::clamp(v, -1e9, 1e9))); }
U_POINTL Point(double x, double y) { return point32_set(Whole(x), Whole(y)); }
U_RECTL Box(double left, double top, double right, double bottom) {
    return rectl_set(Point(left, top), Point(right, bottom));
}

using Buffer = std::unique_ptr<char, decltype(&std::free)>;

// The advance of each UTF-16 unit in whole twips, rounded where each
// character falls so that a long run does not drift; the second unit of a
// surrogate pair advances nothing.
std::vector<std::uint32_t> CharacterSpacing(const TextItem& item, const QString& text) {
    std::vector<qsizetype> starts;
    for (qsizetype i = 0; i < text.size(); i += text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1) {
        starts.push_back(i);
    }
    std::vector<double> advances = item.advances;
    if (advances.size() != starts.size()) {
        // An item made without its measurements: measure it as the layout would.
        const QFontMetricsF metrics(MakeQFont(item.font));
        advances.clear();
        for (std::size_t c = 0; c < starts.size(); ++c) {
            const qsizetype end = c + 1 < starts.size() ? starts[c + 1] : text.size();
            advances.push_back(metrics.horizontalAdvance(text.mid(starts[c], end - starts[c])));
        }
    }
    std::vector<std::uint32_t> dx(static_cast<std::size_t>(text.size()), 0);
    double position = 0;
    for (std::size_t c = 0; c < starts.size(); ++c) {
        const double next = position + advances[c];
        dx[static_cast<std::size_t>(starts[c])] = static_cast<std::uint32_t>(Whole(next) - Whole(position));
        position = next;
    }
    return dx;
}

// A picture as a device-independent bitmap: its header with the colour
// table, and its rows of pixels from the bottom up.
struct Dib {
    std::vector<char> info;  // BITMAPINFO
    std::vector<char> pixels;
    int width = 0, height = 0;
};

// The smallest uncompressed bitmap that keeps every pixel: 1, 4 or 8 bits a
// pixel indexing a table of exactly the picture's colours when it has at most
// 2, 16 or 256 of them, else 24-bit colour. Run-length, PNG and JPEG bitmaps
// would be smaller still, but not every program that reads metafiles takes them.
std::shared_ptr<const Dib> MakeDib(const std::string& encoded) {
    const QImage decoded = DecodePicture(encoded);
    if (decoded.isNull()) return nullptr;
    // Transparent parts show the white page, as when the picture is painted.
    QImage flat(decoded.size(), QImage::Format_RGB32);
    flat.fill(Qt::white);
    QPainter(&flat).drawImage(0, 0, decoded);
    auto dib = std::make_shared<Dib>();
    const int w = dib->width = flat.width(), h = dib->height = flat.height();

    constexpr std::size_t kMostIndexed = 256;
    std::vector<QRgb> colours;
    {
        std::unordered_set<QRgb> seen;
        for (int y = 0; y < h && seen.size() <= kMostIndexed; ++y) {
            const auto* row = reinterpret_cast<const QRgb*>(flat.constScanLine(y));
            // Artwork runs in flat colours: a pixel like the last one is no news.
            for (int x = 0; x < w; ++x)
                if (x == 0 || row[x] != row[x - 1]) seen.insert(row[x] | 0xFF000000u);
        }
        if (seen.size() <= kMostIndexed) colours.assign(seen.begin(), seen.end());
    }
    std::sort(colours.begin(), colours.end());
    const int bits = colours.empty() ? 24 : colours.size() <= 2 ? 1 : colours.size() <= 16 ? 4 : 8;
    const std::size_t row = (static_cast<std::size_t>(w) * static_cast<std::size_t>(bits) + 7) / 8;
    const std::size_t stride = (row + 3) & ~std::size_t{3};
    dib->pixels.assign(stride * static_cast<std::size_t>(h), 0);
    if (bits == 24) {
        flat = flat.convertToFormat(QImage::Format_BGR888);  // the byte order of a 24-bit DIB
        for (int y = 0; y < h; ++y) {                        // DIB rows run from the bottom up
            std::memcpy(&dib->pixels[stride * static_cast<std::size_t>(h - 1 - y)], flat.constScanLine(y),
                        row);
        }
    } else {
        std::unordered_map<QRgb, unsigned> index;
        for (unsigned i = 0; i < colours.size(); ++i) index.emplace(colours[i], i);
        const unsigned perByte = 8 / static_cast<unsigned>(bits);
        for (int y = 0; y < h; ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(flat.constScanLine(y));
            char* out = &dib->pixels[stride * static_cast<std::size_t>(h - 1 - y)];
            unsigned colour = 0;
            for (int x = 0; x < w; ++x) {
                if (x == 0 || line[x] != line[x - 1]) colour = index.at(line[x] | 0xFF000000u);
                // The leftmost pixel of a byte is in its highest bits.
                const unsigned slot = perByte - 1 - static_cast<unsigned>(x) % perByte;
                out[static_cast<unsigned>(x) / perByte] =
                    static_cast<char>(static_cast<unsigned char>(out[static_cast<unsigned>(x) / perByte]) |
                                      (colour << (slot * static_cast<unsigned>(bits))));
            }
        }
    }
    std::vector<U_RGBQUAD> table;
    for (QRgb colour : colours)
        table.push_back(rgbquad_set(static_cast<std::uint8_t>(qRed(colour)),
                                    static_cast<std::uint8_t>(qGreen(colour)),
                                    static_cast<std::uint8_t>(qBlue(colour)), 0));
    const Buffer info(
        reinterpret_cast<char*>(bitmapinfo_set(
            bitmapinfoheader_set(w, h, 1, static_cast<std::uint16_t>(bits), U_BI_RGB,
                                 static_cast<std::uint32_t>(dib->pixels.size()), decoded.dotsPerMeterX(),
                                 decoded.dotsPerMeterY(), static_cast<U_NUM_RGBQUAD>(table.size()), 0),
            table.empty() ? nullptr : table.data())),
        &std::free);
    if (!info)
        throw RuntimeError(ErrorNumber::OutOfMemory, "WriteEmf", "A picture cannot be made into a bitmap.");
    dib->info.assign(info.get(), info.get() + sizeof(U_BITMAPINFOHEADER) + table.size() * sizeof(U_RGBQUAD));
    return dib;
}

// libUEMF's record buffer with its open file, and its object table.
struct Builder {
    EMFTRACK* track = nullptr;
    EMFHANDLES* handles = nullptr;
    Builder() = default;
    Builder(const Builder&) = delete;
    Builder& operator=(const Builder&) = delete;
    ~Builder() {
        if (track && track->fp) std::fclose(track->fp);
        if (track) emf_free(&track);
        if (handles) emf_htable_free(&handles);
    }
};

// One page's metafile, with the objects it has made and selected.
class Metafile {
public:
    Metafile(const fs::path& file, const Document& document, const std::string& shownName)
        : name_(shownName) {
        if (emf_start(file.string().c_str(), 1 << 16, 1 << 16, &builder_.track) != 0) {
            throw RuntimeError(ErrorNumber::PathFileAccessError, "WriteEmf",
                               "The file " + name_ + " cannot be written: the folder cannot be written to.");
        }
        if (emf_htable_create(64, 64, &builder_.handles) != 0) Fail();
        const double width = document.pageWidth, height = document.pageHeight;
        const U_RECTL frame =
            rectl_set(point32_set(0, 0), point32_set(Whole(width * kHundredthsOfMmPerTwip) - 1,
                                                     Whole(height * kHundredthsOfMmPerTwip) - 1));
        // The reference device draws one pixel per twip.
        char* header = U_EMRHEADER_set(
            Box(0, 0, width - 1, height - 1), frame, nullptr, 0, nullptr,
            sizel_set(Whole(width), Whole(height)),
            sizel_set(Whole(width * kMicrometresPerTwip / 1000), Whole(height * kMicrometresPerTwip / 1000)),
            0);
        if (header) {
            reinterpret_cast<PU_EMRHEADER>(header)->szlMicrometers =
                sizel_set(Whole(width * kMicrometresPerTwip), Whole(height * kMicrometresPerTwip));
        }
        Append(header);
        Append(U_EMRSETMAPMODE_set(U_MM_TEXT));
        Append(U_EMRSETBKMODE_set(U_TRANSPARENT));
        Append(U_EMRSETTEXTALIGN_set(U_TA_BASELINE));
        Append(U_EMRSETTEXTCOLOR_set(colorref3_set(0, 0, 0)));
        Append(U_EMRSETSTRETCHBLTMODE_set(U_STRETCH_HALFTONE));
    }

    void operator()(const TextItem& item) {
        const QString text = QString::fromUtf8(item.text.data(), static_cast<qsizetype>(item.text.size()));
        if (text.isEmpty()) return;
        SelectFont(item.font);
        std::vector<std::uint32_t> dx = CharacterSpacing(item, text);
        std::vector<std::uint16_t> units(text.utf16(), text.utf16() + text.size());
        const Buffer emrtext(
            emrtext_set(Point(item.x, item.baseline), static_cast<U_NUM_STR>(units.size()), 2, units.data(),
                        U_ETO_NONE, rectl_set(point32_set(0, 0), point32_set(-1, -1)), dx.data()),
            &std::free);
        if (!emrtext) Fail();
        const double em = item.font.size * kTwipsPerPoint;
        Append(U_EMREXTTEXTOUTW_set(
            Box(item.x, item.baseline - em, item.x + item.width, item.baseline + em / 4), U_GM_COMPATIBLE,
            kHundredthsOfMmPerTwip, kHundredthsOfMmPerTwip, reinterpret_cast<PU_EMRTEXT>(emrtext.get())));
    }
    void operator()(const LineItem& item) {
        SelectPen(item.penWidth);
        Append(U_EMRMOVETOEX_set(Point(item.x1, item.y1)));
        Append(U_EMRLINETO_set(Point(item.x2, item.y2)));
    }
    void operator()(const RectItem& item) {
        if (item.filled) {
            Select(selectedPen_, U_NULL_PEN);
            Select(selectedBrush_, U_BLACK_BRUSH);
        } else {
            SelectPen(item.penWidth);
            Select(selectedBrush_, U_NULL_BRUSH);
        }
        Append(U_EMRRECTANGLE_set(Box(item.x, item.y, item.x + item.width, item.y + item.height)));
    }
    void operator()(const PictureItem& item) {
        static PerPicture<std::shared_ptr<const Dib>> dibs;
        const std::shared_ptr<const Dib> dib = dibs.Get(item.encoded, MakeDib);
        if (!dib) return;
        // libUEMF copies the bitmap; it only asks for writable pointers.
        auto* info = reinterpret_cast<PU_BITMAPINFO>(const_cast<char*>(dib->info.data()));
        Append(U_EMRSTRETCHDIBITS_set(
            Box(item.x, item.y, item.x + item.width, item.y + item.height), Point(item.x, item.y),
            Point(item.width, item.height), point32_set(0, 0), point32_set(dib->width, dib->height),
            U_DIB_RGB_COLORS, U_SRCCOPY, info, static_cast<std::uint32_t>(dib->pixels.size()),
            const_cast<char*>(dib->pixels.data())));
    }

    // Writes the file and returns its size.
    std::size_t Finish() {
        Delete(font_, selectedFont_, U_SYSTEM_FONT);
        Delete(pen_, selectedPen_, U_BLACK_PEN);
        Append(U_EMREOF_set(0, nullptr, builder_.track));
        const std::size_t size = builder_.track->used;
        if (emf_finish(builder_.track, builder_.handles) != 0) {
            throw RuntimeError(ErrorNumber::DiskFull, "WriteEmf",
                               "The file " + name_ + " cannot be written: the disk may be full.");
        }
        return size;
    }

private:
    [[noreturn]] void Fail() const {
        throw RuntimeError(ErrorNumber::OutOfMemory, "WriteEmf",
                           "The page picture " + name_ + " cannot be made.");
    }
    void Append(char* record) {
        const Buffer owned(record, &std::free);
        const bool appended =
            record && emf_append(reinterpret_cast<PU_ENHMETARECORD>(record), builder_.track, U_REC_KEEP) == 0;
        if (!appended) Fail();
    }
    void Select(std::uint32_t& selected, std::uint32_t object) {
        if (selected == object) return;
        Append(selectobject_set(object, builder_.handles));
        selected = object;
    }
    // An object in use is never deleted: a stock object takes its place first.
    void Delete(std::uint32_t& object, std::uint32_t& selected, std::uint32_t stock) {
        if (!object) return;
        if (selected == object) Select(selected, stock);
        Append(deleteobject_set(&object, builder_.handles));
    }
    void SelectFont(const FontStyle& style) {
        if (fontStyle_ == style) return;
        Delete(font_, selectedFont_, U_SYSTEM_FONT);
        std::array<std::uint16_t, U_LF_FACESIZE> face{};  // zero-terminated
        const QString family = QString::fromStdString(style.family).left(U_LF_FACESIZE - 1);
        std::copy(family.utf16(), family.utf16() + family.size(), face.begin());
        const bool serif = style.family.find("Serif") != std::string::npos;
        // A negative height asks for the em size rather than the cell height.
        U_LOGFONT font = logfont_set(
            -Whole(style.size * kTwipsPerPoint), 0, 0, 0, style.bold ? U_FW_BOLD : U_FW_NORMAL, style.italic,
            style.underline, 0, U_DEFAULT_CHARSET, U_OUT_TT_PRECIS, U_CLIP_DEFAULT_PRECIS, U_DEFAULT_QUALITY,
            U_VARIABLE_PITCH | (serif ? U_FF_ROMAN : U_FF_SWISS), face.data());
        Append(extcreatefontindirectw_set(&font_, builder_.handles, reinterpret_cast<const char*>(&font),
                                          nullptr));
        Select(selectedFont_, font_);
        fontStyle_ = style;
    }
    void SelectPen(double width) {
        const std::int32_t twips = std::max(Whole(width), 1);
        if (!pen_ || twips != penWidth_) {
            Delete(pen_, selectedPen_, U_BLACK_PEN);
            const Buffer style(
                reinterpret_cast<char*>(extlogpen_set(
                    U_PS_GEOMETRIC | U_PS_SOLID | U_PS_ENDCAP_SQUARE | U_PS_JOIN_MITER,
                    static_cast<std::uint32_t>(twips), U_BS_SOLID, colorref3_set(0, 0, 0), 0, 0, nullptr)),
                &std::free);
            if (!style) Fail();
            Append(extcreatepen_set(&pen_, builder_.handles, nullptr, 0, nullptr,
                                    reinterpret_cast<PU_EXTLOGPEN>(style.get())));
            penWidth_ = twips;
        }
        Select(selectedPen_, pen_);
    }

    std::string name_;
    Builder builder_;
    std::uint32_t font_ = 0, pen_ = 0;  // the objects made, 0 for none
    std::uint32_t selectedFont_ = 0, selectedPen_ = 0, selectedBrush_ = 0;
    std::optional<FontStyle> fontStyle_;
    std::int32_t penWidth_ = 0;
};

fs::path TemporaryBeside(const fs::path& target) {
    static thread_local std::mt19937_64 random{std::random_device{}()};
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    return folder / ("." + target.filename().string() + ".tmp" + std::to_string(random() % 1000000000));
}

}  // namespace

void WriteEmf(const Page& page, const Document& document, const std::string& path) {
    // libUEMF writes a file of its own: it goes beside the target and takes
    // the target's place once it is whole.
    const fs::path target = ResolveFileName(path);
    const fs::path temporary = TemporaryBeside(target);
    try {
        std::size_t size = 0;
        {
            Metafile metafile(temporary, document, path);
            for (const DrawItem& item : page.items) std::visit(metafile, item);
            size = metafile.Finish();
        }
        std::error_code ec;
        if (fs::file_size(temporary, ec) != size || ec) {
            throw RuntimeError(ErrorNumber::DiskFull, "WriteEmf",
                               "The file " + path + " cannot be written: the disk may be full.");
        }
        fs::rename(temporary, target, ec);
        if (ec) {
            throw RuntimeError(ErrorNumber::PathFileAccessError, "WriteEmf",
                               "The file " + path + " cannot be written: " + ec.message() + ".");
        }
    } catch (...) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
        throw;
    }
}

}  // namespace quoravel
