#include "PdfFont.h"

#include <fontconfig/fontconfig.h>
#include <harfbuzz/hb-ot.h>
#include <harfbuzz/hb-subset.h>
#include <zlib.h>

#include <map>
#include <mutex>
#include <tuple>

#include "Cp1252.h"
#include "Deflate.h"
#include "Text.h"

namespace quoravel {
namespace {

template <typename T, void (*Destroy)(T*)>
struct Releaser {
    void operator()(T* p) const { Destroy(p); }
};
template <typename T, void (*Destroy)(T*)>
using Owned = std::unique_ptr<T, Releaser<T, Destroy>>;
using Blob = Owned<hb_blob_t, hb_blob_destroy>;
using Face = Owned<hb_face_t, hb_face_destroy>;
using Font = Owned<hb_font_t, hb_font_destroy>;
using SubsetInput = Owned<hb_subset_input_t, hb_subset_input_destroy>;
using Pattern = Owned<FcPattern, FcPatternDestroy>;

// Tables a PDF reader never looks at: shaping is done, the text is placed
// glyph by glyph.
constexpr hb_tag_t kUnneededTables[] = {
    HB_TAG('G', 'S', 'U', 'B'), HB_TAG('G', 'P', 'O', 'S'), HB_TAG('G', 'D', 'E', 'F'),
    HB_TAG('k', 'e', 'r', 'n'), HB_TAG('h', 'd', 'm', 'x'), HB_TAG('V', 'D', 'M', 'X'),
    HB_TAG('L', 'T', 'S', 'H'), HB_TAG('g', 'a', 's', 'p'), HB_TAG('D', 'S', 'I', 'G'),
    HB_TAG('J', 'S', 'T', 'F'), HB_TAG('B', 'A', 'S', 'E'), HB_TAG('P', 'C', 'L', 'T'),
};

// The file and face index fontconfig gives for the style, as Qt finds it;
// nothing when the family itself is not installed.
std::optional<std::pair<std::string, int>> FontFile(const FontStyle& style) {
    Pattern pattern(FcPatternCreate());
    FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(style.family.c_str()));
    FcPatternAddInteger(pattern.get(), FC_WEIGHT, style.bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern.get(), FC_SLANT, style.italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern);
    FcDefaultSubstitute(pattern.get());
    FcResult result = FcResultNoMatch;
    Pattern match(FcFontMatch(nullptr, pattern.get(), &result));
    FcChar8* family = nullptr;
    FcChar8* file = nullptr;
    int index = 0;
    if (!match || FcPatternGetString(match.get(), FC_FAMILY, 0, &family) != FcResultMatch ||
        !EqualNoCase(reinterpret_cast<const char*>(family), style.family) ||
        FcPatternGetString(match.get(), FC_FILE, 0, &file) != FcResultMatch)
        return std::nullopt;
    FcPatternGetInteger(match.get(), FC_INDEX, 0, &index);
    return std::pair{std::string(reinterpret_cast<const char*>(file)), index};
}

// A big-endian signed 16-bit or 32-bit field of a font table.
long TableField(hb_face_t* face, hb_tag_t tag, unsigned offset, unsigned size) {
    Blob table(hb_face_reference_table(face, tag));
    unsigned length = 0;
    const auto* data = reinterpret_cast<const unsigned char*>(hb_blob_get_data(table.get(), &length));
    if (offset + size > length) return 0;
    unsigned long value = 0;
    for (unsigned i = 0; i < size; ++i) value = (value << 8) | data[offset + i];
    return size == 2 ? static_cast<short>(value) : static_cast<int>(value);
}

std::shared_ptr<const PdfFont> Embed(const FontStyle& style) {
    const auto file = FontFile(style);
    if (!file) return nullptr;
    Blob blob(hb_blob_create_from_file_or_fail(file->first.c_str()));
    if (!blob) return nullptr;
    Face face(hb_face_create(blob.get(), static_cast<unsigned>(file->second)));
    Font font(hb_font_create(face.get()));
    const double perThousand = 1000.0 / hb_face_get_upem(face.get());

    SubsetInput input(hb_subset_input_create_or_fail());
    if (!input) return nullptr;
    auto embedded = std::make_shared<PdfFont>();
    hb_set_t* characters = hb_subset_input_unicode_set(input.get());
    for (unsigned code = 32; code < 256; ++code) {
        const char32_t character = Cp1252CodePoint(static_cast<unsigned char>(code));
        hb_codepoint_t glyph = 0;
        if (!hb_font_get_nominal_glyph(font.get(), character, &glyph)) {
            embedded->widths[code - 32] = -1;
            continue;
        }
        hb_set_add(characters, character);
        embedded->widths[code - 32] = hb_font_get_glyph_h_advance(font.get(), glyph) * perThousand;
    }
    hb_set_t* dropped = hb_subset_input_set(input.get(), HB_SUBSET_SETS_DROP_TABLE_TAG);
    for (hb_tag_t tag : kUnneededTables) hb_set_add(dropped, tag);
    // Pages are printed and zoomed, not drawn at screen sizes.
    hb_subset_input_set_flags(input.get(), HB_SUBSET_FLAGS_NO_HINTING);
    Face subset(hb_subset_or_fail(face.get(), input.get()));
    if (!subset) return nullptr;
    Blob subsetBlob(hb_face_reference_blob(subset.get()));
    unsigned length = 0;
    const char* data = hb_blob_get_data(subsetBlob.get(), &length);
    embedded->fontFile = Deflate(std::string_view(data, length), Z_DEFAULT_COMPRESSION);
    embedded->fontFileLength = length;

    char name[128];
    unsigned nameLength = sizeof name;
    hb_ot_name_get_utf8(face.get(), HB_OT_NAME_ID_POSTSCRIPT_NAME, HB_LANGUAGE_INVALID, &nameLength, name);
    embedded->postScriptName.assign(name, nameLength);
    const auto metric = [&](hb_ot_metrics_tag_t tag) {
        hb_position_t value = 0;
        hb_ot_metrics_get_position(font.get(), tag, &value);
        return value * perThousand;
    };
    embedded->ascent = metric(HB_OT_METRICS_TAG_HORIZONTAL_ASCENDER);
    embedded->descent = metric(HB_OT_METRICS_TAG_HORIZONTAL_DESCENDER);
    embedded->capHeight = metric(HB_OT_METRICS_TAG_CAP_HEIGHT);
    embedded->underlineOffset = -metric(HB_OT_METRICS_TAG_UNDERLINE_OFFSET);
    embedded->underlineThickness = metric(HB_OT_METRICS_TAG_UNDERLINE_SIZE);
    const hb_tag_t head = HB_TAG('h', 'e', 'a', 'd');
    for (unsigned i = 0; i < 4; ++i)
        embedded->boundingBox[i] = TableField(face.get(), head, 36 + 2 * i, 2) * perThousand;
    embedded->italicAngle = TableField(face.get(), HB_TAG('p', 'o', 's', 't'), 4, 4) / 65536.0;
    return embedded;
}

}  // namespace

std::shared_ptr<const PdfFont> PdfFont::For(const FontStyle& style) {
    static std::mutex mutex;
    static std::map<std::tuple<std::string, bool, bool>, std::shared_ptr<const PdfFont>> fonts;
    std::lock_guard lock(mutex);
    const auto key = std::tuple{style.family, style.bold, style.italic};
    if (const auto found = fonts.find(key); found != fonts.end()) return found->second;
    return fonts.emplace(key, Embed(style)).first->second;
}

}  // namespace quoravel
