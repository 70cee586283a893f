#include "RateLayout.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "ProductCatalogue.h"
#include "RuntimeError.h"
#include "Text.h"

namespace quoravel {
namespace {

const std::vector<RateLayout> kLayouts{
    {RateLayoutKind::OneYear, "one-year", 46, true, true, 11},
    {RateLayoutKind::Level5, "level-5", 722, true, false, 90},
    {RateLayoutKind::Level3, "level-3", 434, true, false, 54},
    {RateLayoutKind::NonLevel, "non-level", 10802, false, false, 1350},
    {RateLayoutKind::Interpolated, "interpolated", 1202, true, false, 150},
    {RateLayoutKind::Waiver, "waiver", 26, true, true, 6},
    {RateLayoutKind::GuaranteedYrt, "guaranteed-yrt", 34, true, false, 4},
    {RateLayoutKind::YrtWaiver, "yrt-waiver", 158, true, false, 18},
};

// Bytes read ahead from a rate file: the yearly-renewable years of one case
// (at most 101 records of 158 bytes) in one read.
constexpr std::size_t kReadAhead = 16384;

// Block of the one-year file by class code.
constexpr std::array<int, kClasses> kOneYearBlocks{0, 7, 0, 1, 2, 4, 5, 3, 6};

std::uint64_t ReadLittleEndian(const unsigned char* p, int bytes) {
    std::uint64_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | p[i];
    return v;
}

void WriteLittleEndian(std::string& out, std::uint64_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
}

std::size_t ValueOffset(const RateLayout& layout) { return layout.leadingInteger ? 2 : 0; }
int ValueSize(const RateLayout& layout) { return layout.singles ? 4 : 8; }

double DecodeValue(const RateLayout& layout, const unsigned char* p) {
    if (layout.singles) return std::bit_cast<float>(static_cast<std::uint32_t>(ReadLittleEndian(p, 4)));
    return std::bit_cast<double>(ReadLittleEndian(p, 8));
}

}  // namespace

const RateLayout& LayoutOf(RateLayoutKind kind) {
    for (const auto& layout : kLayouts) {
        if (layout.kind == kind) return layout;
    }
    return kLayouts.front();
}

const RateLayout* LayoutNamed(std::string_view name) {
    for (const auto& layout : kLayouts) {
        if (layout.name == name) return &layout;
    }
    return nullptr;
}

const std::vector<RateLayout>& AllLayouts() { return kLayouts; }

std::size_t LevelIndex(int productColumn, int classCode, int sex, int productColumns) {
    return static_cast<std::size_t>(productColumn + productColumns * (classCode + kClasses * sex));
}

std::size_t NonLevelIndex(int duration, int productColumn, int classCode, int sex) {
    return static_cast<std::size_t>(duration +
                                    kNonLevelDurations * LevelIndex(productColumn, classCode, sex, 5));
}

std::size_t InterpolatedIndex(int policyYear, int productColumn) {
    return static_cast<std::size_t>(policyYear - 1 + kInterpolatedYears * productColumn);
}

std::size_t YrtWaiverIndex(int classCode, int sex) {
    return static_cast<std::size_t>(classCode + kClasses * sex);
}

std::size_t GuaranteedYrtIndex(bool nicotine, bool female) {
    return static_cast<std::size_t>((nicotine ? 1 : 0) + (female ? 2 : 0));
}

int OneYearBlock(int classCode, int sex) {
    const int block =
        classCode >= 0 && classCode < kClasses ? kOneYearBlocks[static_cast<std::size_t>(classCode)] : 0;
    return block + (sex == 1 ? 8 : 0);
}

long OneYearRecord(int issueAge, int classCode, int sex) {
    return issueAge + 1 + static_cast<long>(kOneYearAges) * OneYearBlock(classCode, sex);
}

long InterpolatedRecord(int issueAge, int classCode, int sex) {
    return issueAge + 1 + static_cast<long>(kInterpolatedAges) * (classCode + kClasses * sex);
}

std::string EncodeRecord(const RateLayout& layout, const RateRecord& record) {
    std::string out;
    out.reserve(layout.recordLength);
    if (layout.leadingInteger) WriteLittleEndian(out, static_cast<std::uint16_t>(record.lead), 2);
    for (std::size_t i = 0; i < layout.valueCount; ++i) {
        const double value = i < record.values.size() ? record.values[i] : 0.0;
        if (layout.singles)
            WriteLittleEndian(out, std::bit_cast<std::uint32_t>(static_cast<float>(value)), 4);
        else
            WriteLittleEndian(out, std::bit_cast<std::uint64_t>(value), 8);
    }
    out.resize(layout.recordLength, '\0');  // slack and reserved bytes
    return out;
}

RateRecord DecodeRecord(const RateLayout& layout, std::span<const unsigned char> bytes) {
    RateRecord record;
    if (bytes.size() < layout.recordLength) return record;
    if (layout.leadingInteger) {
        record.lead =
            static_cast<std::int16_t>(static_cast<std::uint16_t>(ReadLittleEndian(bytes.data(), 2)));
    }
    record.values.resize(layout.valueCount);
    const unsigned char* p = bytes.data() + ValueOffset(layout);
    for (std::size_t i = 0; i < layout.valueCount; ++i)
        record.values[i] = DecodeValue(layout, p + i * ValueSize(layout));
    return record;
}

RateFile::RateFile(const std::string& path, const RateLayout& layout)
    : layout_(layout), path_(path), file_(std::fopen(path.c_str(), "rb")), buffer_(layout.recordLength) {
    if (!file_) {
        throw RuntimeError(ErrorNumber::FileNotFound, "RateStuf", "Rate file " + path + " cannot be opened.");
    }
    // The blocks read ahead are the only buffer a rate file needs.
    std::setvbuf(file_.get(), nullptr, _IONBF, 0);
}

RateFile::RateFile(InMemory, std::string bytes, const RateLayout& layout)
    : layout_(layout), bytes_(std::move(bytes)), inMemory_(true), buffer_(layout.recordLength) {}

long RateFile::RecordCount() const {
    if (inMemory_) return static_cast<long>(bytes_.size() / layout_.recordLength);
    std::error_code unknown;
    const auto size = std::filesystem::file_size(path_, unknown);
    return unknown ? 0 : static_cast<long>(size / layout_.recordLength);
}

bool RateFile::LoadFromFile(std::size_t offset) {
    const std::size_t length = layout_.recordLength;
    if (offset < blockOffset_ || offset + length > blockOffset_ + blockLength_) {
        block_.resize(std::max<std::size_t>(kReadAhead, length));
        const bool placed = std::fseek(file_.get(), static_cast<long>(offset), SEEK_SET) == 0;
        blockOffset_ = offset;
        blockLength_ = placed ? std::fread(block_.data(), 1, block_.size(), file_.get()) : 0;
        if (length > blockLength_) return false;
    }
    std::memcpy(buffer_.data(), block_.data() + (offset - blockOffset_), length);
    return true;
}

bool RateFile::Load(long number) {
    if (number == loaded_) return true;
    loaded_ = number;
    if (number < 1) return false;
    const std::size_t offset = static_cast<std::size_t>(number - 1) * layout_.recordLength;
    if (!inMemory_) return LoadFromFile(offset);
    if (offset + layout_.recordLength > bytes_.size()) return false;
    std::memcpy(buffer_.data(), bytes_.data() + offset, layout_.recordLength);
    return true;
}

RateFile& RateFiles::Open(const std::string& path, const RateLayout& layout) {
    auto& file = open_[path];
    if (!file) file = std::make_unique<RateFile>(path, layout);
    return *file;
}

double RateFile::Rate(long number, std::size_t index) {
    if (index >= layout_.valueCount) return 0;
    if (!Load(number)) {
        loaded_ = 0;
        return 0;
    }
    const double rate =
        DecodeValue(layout_, buffer_.data() + ValueOffset(layout_) + index * ValueSize(layout_));
    if (!IsPlausibleRate(rate)) {
        char value[32];
        *std::to_chars(value, value + sizeof value - 1, rate, std::chars_format::general, 6).ptr = '\0';
        throw RuntimeError(ErrorNumber::BadFileFormat, "RateFile",
                           "The rate file " + path_ + " is damaged: record " + std::to_string(number) +
                               " holds " + value + " where a rate belongs.");
    }
    return rate;
}

bool IsPlausibleRate(double rate) { return std::isfinite(rate) && rate >= 0 && rate <= kMostPlausibleRate; }

RateRecord RateFile::Record(long number) {
    if (!Load(number)) {
        loaded_ = 0;
        return RateRecord{0, std::vector<double>(layout_.valueCount, 0.0)};
    }
    return DecodeRecord(layout_, buffer_);
}

namespace {
// The lowest face amount of bands 2 to 5.
constexpr std::array<std::int32_t, 4> kFaceBandEdges{100000, 250000, 1000000, 5000000};
}  // namespace

int FaceBand(std::int32_t faceAmount) {
    return 1 + static_cast<int>(std::upper_bound(kFaceBandEdges.begin(), kFaceBandEdges.end(), faceAmount) -
                                kFaceBandEdges.begin());
}

std::optional<std::int32_t> NextFaceBandEdge(std::int32_t faceAmount) {
    const auto edge = std::upper_bound(kFaceBandEdges.begin(), kFaceBandEdges.end(), faceAmount);
    if (edge == kFaceBandEdges.end()) return std::nullopt;
    return *edge;
}

std::string_view BandedFilePrefix(std::string_view state, bool usePriorRates) {
    // Rate scales by state: the current scale took effect in July 2008, except
    // in Mississippi and Oregon, which stayed on the June 2007 scale.
    struct Row {
        std::string_view state;
        std::string_view current;
        std::string_view prior;
    };
    static constexpr std::array<Row, 4> kRows{{
        {"WA", "WAJuly08", "June07"},
        {"MS", "June07", "Feb07LVLPD"},
        {"OR", "June07", "Feb07LVLPD"},
        {"", "July08", "June07"},
    }};
    const std::string upper = ToUpper(state);
    for (const auto& row : kRows) {
        if (row.state.empty() || row.state == upper) return usePriorRates ? row.prior : row.current;
    }
    return kRows.back().current;
}

bool UsesThreeProductLayout(std::int32_t productNumber) {
    return OfferOf(productNumber).rates == RateSource::Banded3;
}

std::string_view BandedFamily(std::int32_t productNumber, std::string_view state) {
    switch (OfferOf(productNumber).family) {
        case ProductFamily::Dorrance:
            if (UsesThreeProductLayout(productNumber)) return "QNBTermHB";
            break;
        case ProductFamily::IncreasingPremium:
            return ToUpper(state) == "NJ" ? "QNBNJQbyHB" : "QNBQbyHB";
        default:
            break;
    }
    return "BRNFGHB";
}

std::string BandedFileName(std::int32_t productNumber, std::string_view state, bool usePriorRates,
                           std::int32_t faceAmount) {
    return std::string(BandedFilePrefix(state, usePriorRates)) +
           std::string(BandedFamily(productNumber, state)) + std::to_string(FaceBand(faceAmount)) + ".rat";
}

}  // namespace quoravel
