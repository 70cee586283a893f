#include "GifWriter.h"

#include <algorithm>
#include <cstdint>
#include <unordered_map>

#include "RuntimeError.h"

namespace quoravel {
namespace {

constexpr int kMaxCodeBits = 12;
constexpr int kTableLimit = 1 << kMaxCodeBits;

void PutWord(std::string& out, int value) {
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>((value >> 8) & 0xFF);
}

// Codes are packed from the least significant bit up and cut into data
// sub-blocks of at most 255 bytes.
class CodeWriter {
public:
    void Put(int code, int bits) {
        pending_ |= static_cast<std::uint32_t>(code) << pendingBits_;
        pendingBits_ += bits;
        while (pendingBits_ >= 8) {
            bytes_ += static_cast<char>(pending_ & 0xFF);
            pending_ >>= 8;
            pendingBits_ -= 8;
        }
    }
    void Finish(std::string& out) {
        if (pendingBits_ > 0) bytes_ += static_cast<char>(pending_ & 0xFF);
        for (std::size_t at = 0; at < bytes_.size(); at += 255) {
            const std::string block = bytes_.substr(at, 255);
            out += static_cast<char>(block.size());
            out += block;
        }
        out += '\0';
    }

private:
    std::string bytes_;
    std::uint32_t pending_ = 0;
    int pendingBits_ = 0;
};

void CompressPixels(const QImage& image, int minCodeBits, std::string& out) {
    const int clear = 1 << minCodeBits;
    const int endOfData = clear + 1;
    // A string in the table is its prefix's code followed by one index.
    std::unordered_map<std::uint32_t, int> table;
    int next = endOfData + 1;
    int codeBits = minCodeBits + 1;
    CodeWriter writer;
    writer.Put(clear, codeBits);
    int prefix = -1;
    for (int y = 0; y < image.height(); ++y) {
        const uchar* row = image.constScanLine(y);
        for (int x = 0; x < image.width(); ++x) {
            const int index = row[x];
            if (prefix < 0) {
                prefix = index;
                continue;
            }
            const std::uint32_t key =
                (static_cast<std::uint32_t>(prefix) << 8) | static_cast<std::uint32_t>(index);
            if (const auto found = table.find(key); found != table.end()) {
                prefix = found->second;
                continue;
            }
            writer.Put(prefix, codeBits);
            if (next < kTableLimit) {
                table.emplace(key, next++);
                // The reader adds each entry one code later than we do, so it
                // widens its codes only once the entry past the width is made.
                if (next > (1 << codeBits) && codeBits < kMaxCodeBits) ++codeBits;
            } else {
                writer.Put(clear, codeBits);
                table.clear();
                next = endOfData + 1;
                codeBits = minCodeBits + 1;
            }
            prefix = index;
        }
    }
    writer.Put(prefix, codeBits);
    writer.Put(endOfData, codeBits);
    writer.Finish(out);
}

}  // namespace

std::string EncodeGif(const QImage& indexed) {
    const qsizetype colours = indexed.colorTable().size();
    if (indexed.format() != QImage::Format_Indexed8 || indexed.isNull() || colours < 1 || colours > 256 ||
        indexed.width() > 0xFFFF || indexed.height() > 0xFFFF) {
        throw RuntimeError(ErrorNumber::InvalidProcedureCall, "EncodeGif",
                           "A GIF needs an indexed picture of at most 256 colours and 65,535 pixels a side.");
    }
    // The colour table holds 2^(n+1) entries; LZW codes start one bit wider
    // than an index, and never narrower than 2 bits.
    int tableBits = 1;
    while ((1 << tableBits) < colours) ++tableBits;
    const int minCodeBits = std::max(2, tableBits);

    std::string out = "GIF89a";
    PutWord(out, indexed.width());
    PutWord(out, indexed.height());
    out += static_cast<char>(0x80 | ((tableBits - 1) << 4) | (tableBits - 1));
    out += '\0';  // background colour index
    out += '\0';  // square pixels
    for (int i = 0; i < (1 << tableBits); ++i) {
        const QRgb colour = i < colours ? indexed.color(i) : qRgb(0, 0, 0);
        out += static_cast<char>(qRed(colour));
        out += static_cast<char>(qGreen(colour));
        out += static_cast<char>(qBlue(colour));
    }
    out += ',';
    PutWord(out, 0);
    PutWord(out, 0);
    PutWord(out, indexed.width());
    PutWord(out, indexed.height());
    out += '\0';  // no local table, not interlaced
    out += static_cast<char>(minCodeBits);
    CompressPixels(indexed, minCodeBits, out);
    out += ';';
    return out;
}

}  // namespace quoravel
