#include "Cp1252.h"

#include <cstdint>

namespace quoravel {
namespace {

// Code points of the bytes 0x80-0x9F; the five unassigned bytes keep their
// C1 control code so that every byte survives a round trip.
constexpr char32_t kHighTable[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

}  // namespace

char32_t Cp1252CodePoint(unsigned char byte) {
    return byte >= 0x80 && byte < 0xA0 ? kHighTable[byte - 0x80] : byte;
}

std::optional<unsigned char> Cp1252Byte(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<unsigned char>(cp);
    for (int i = 0; i < 32; ++i) {
        if (kHighTable[i] == cp) return static_cast<unsigned char>(0x80 + i);
    }
    return std::nullopt;
}

std::string Cp1252ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x80)
            out += c;
        else
            AppendUtf8(out, Cp1252CodePoint(b));
    }
    return out;
}

bool IsUtf8Text(std::string_view bytes) {
    bool beyondAscii = false;
    for (std::size_t i = 0; i < bytes.size();) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        const std::size_t length = lead < 0x80           ? 1
                                   : (lead >> 5) == 0x6  ? 2
                                   : (lead >> 4) == 0xE  ? 3
                                   : (lead >> 3) == 0x1E ? 4
                                                         : 0;
        if (length == 0 || i + length > bytes.size()) return false;
        for (std::size_t k = 1; k < length; ++k) {
            if ((static_cast<unsigned char>(bytes[i + k]) >> 6) != 0x2) return false;
        }
        beyondAscii = beyondAscii || length > 1;
        i += length;
    }
    return beyondAscii;
}

namespace {

// Each character of UTF-8 text as its Windows-1252 byte; nothing for one
// Windows-1252 lacks and for each byte that begins no well-formed character.
template <typename Take>
void EachCp1252Byte(std::string_view text, Take take) {
    for (std::size_t i = 0; i < text.size();) {
        const auto b = static_cast<unsigned char>(text[i]);
        const int length = b < 0x80 ? 1 : b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 0;
        if (length == 0 || i + length > text.size()) {
            take(std::nullopt);
            ++i;
            continue;
        }
        char32_t cp = length == 1 ? b : b & (0x7F >> length);
        bool valid = true;
        for (int k = 1; k < length; ++k) {
            const auto cont = static_cast<unsigned char>(text[i + k]);
            if ((cont & 0xC0) != 0x80) valid = false;
            cp = (cp << 6) | (cont & 0x3F);
        }
        if (!valid) {
            take(std::nullopt);
            ++i;
            continue;
        }
        take(Cp1252Byte(cp));
        i += length;
    }
}

}  // namespace

std::string Utf8ToCp1252(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    EachCp1252Byte(text,
                   [&](std::optional<unsigned char> byte) { out += static_cast<char>(byte.value_or('?')); });
    return out;
}

std::optional<std::string> Utf8ToCp1252Exactly(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    bool whole = true;
    EachCp1252Byte(text, [&](std::optional<unsigned char> byte) {
        whole = whole && byte;
        out += static_cast<char>(byte.value_or('?'));
    });
    if (!whole) return std::nullopt;
    return out;
}

}  // namespace quoravel
