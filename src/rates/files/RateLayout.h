#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quoravel {

// The record layouts of the binary rate files. Every file is a sequence of
// fixed-length records numbered from 1, little-endian, packed: most records
// start with one 16-bit integer (the issue or attained age the record is
// for, which the readers skip) followed by an array of rates; arrays are
// stored with the first index varying fastest. Rates are annual premiums in
// cents per 1,000 of face amount.
enum class RateLayoutKind {
    OneYear,        // 11 singles: policy years 1..11
    Level5,         // 90 doubles: product column 0..4, class 0..8, sex 0..1
    Level3,         // 54 doubles: product column 0..2, class 0..8, sex 0..1
    NonLevel,       // no leading integer: 1,350 doubles, duration 0..14, product column 0..4,
                    // class 0..8, sex 0..1, then 2 slack bytes
    Interpolated,   // 150 doubles: policy year 1..30, product column 0..4
    Waiver,         // 6 singles: rate column 0..5
    GuaranteedYrt,  // 4 doubles: male non-nicotine, male nicotine, female non-nicotine, female nicotine
    YrtWaiver,      // 18 doubles: class 0..8, sex 0..1, then 12 reserved bytes
};

struct RateLayout {
    RateLayoutKind kind;
    std::string_view name;     // the name used in text dumps and by the rate-file tool
    std::size_t recordLength;  // bytes, leading integer and slack included
    bool leadingInteger;
    bool singles;            // 4-byte floats rather than 8-byte doubles
    std::size_t valueCount;  // rates per record
};

// No term product charges more than its face amount in a year (1,000 per
// 1,000, 100,000 cents): the yearly-renewable rates of the oldest ages reach
// it at most. A stored value beyond it, negative or not a number at all is a
// damaged file, never a price.
inline constexpr double kMostPlausibleRate = 100'000;
bool IsPlausibleRate(double rate);

const RateLayout& LayoutOf(RateLayoutKind kind);
const RateLayout* LayoutNamed(std::string_view name);
const std::vector<RateLayout>& AllLayouts();

// The underwriting classes 0 to 8, and the sexes of the rate records.
inline constexpr int kClasses = 9;
inline constexpr int kSexes = 2;
inline constexpr int kNonLevelDurations = 15;
inline constexpr int kInterpolatedYears = 30;
// The one-year file: 16 blocks of 90 ages; the interpolated file: 18 blocks of 100 ages.
inline constexpr int kOneYearAges = 90;
inline constexpr int kInterpolatedAges = 100;

// Value positions inside a record (0-based, counted in rates).
std::size_t LevelIndex(int productColumn, int classCode, int sex, int productColumns);
std::size_t NonLevelIndex(int duration, int productColumn, int classCode, int sex);
std::size_t InterpolatedIndex(int policyYear, int productColumn);  // policy year from 1
std::size_t YrtWaiverIndex(int classCode, int sex);
std::size_t GuaranteedYrtIndex(bool nicotine, bool female);

// Record numbers of the files with blocks.
// One-year file: block 0 classes 0 and 2, 1 class 3, 2 class 4, 3 class 7,
// 4 class 5, 5 class 6, 6 class 8, 7 class 1; females add 8.
int OneYearBlock(int classCode, int sex);
long OneYearRecord(int issueAge, int classCode, int sex);
long InterpolatedRecord(int issueAge, int classCode, int sex);

// One record in memory: its leading integer and its rates as doubles.
struct RateRecord {
    std::int16_t lead = 0;
    std::vector<double> values;
};

// Encodes and decodes one record; the byte order of the host does not matter.
std::string EncodeRecord(const RateLayout& layout, const RateRecord& record);
RateRecord DecodeRecord(const RateLayout& layout, std::span<const unsigned char> bytes);

// A rate file opened for one reader call. A record beyond the end of the
// file, or cut short by it, reads as zeros. Opening raises a RuntimeError
// naming the file when it cannot be opened.
class RateFile {
public:
    RateFile(const std::string& path, const RateLayout& layout);
    // For tests and the dump tool: the file's bytes given directly.
    struct InMemory {};
    RateFile(InMemory, std::string bytes, const RateLayout& layout);
    RateFile(const RateFile&) = delete;
    RateFile& operator=(const RateFile&) = delete;

    long RecordCount() const;
    // The rate at `index` of record `number` (from 1); 0 beyond the end.
    // Raises a RuntimeError naming the file and record when the value
    // stored there is not a plausible rate.
    double Rate(long number, std::size_t index);
    RateRecord Record(long number);

private:
    bool Load(long number);
    bool LoadFromFile(std::size_t offset);

    const RateLayout& layout_;
    std::string path_;
    struct Closer {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };
    std::unique_ptr<std::FILE, Closer> file_;
    std::string bytes_;  // the whole file, for files given in memory
    bool inMemory_ = false;
    long loaded_ = 0;
    std::vector<unsigned char> buffer_;  // the record asked for
    // A block read ahead from the file: the yearly-renewable years read one
    // record after another and are served from it.
    std::vector<unsigned char> block_;
    std::size_t blockOffset_ = 0;
    std::size_t blockLength_ = 0;
};

// The rate files a run has opened, each opened once and kept open: the
// ledger, its comparisons and the indices read the same files many times.
class RateFiles {
public:
    // Raises a RuntimeError naming the file when it cannot be opened (and
    // tries again on the next call).
    RateFile& Open(const std::string& path, const RateLayout& layout);

private:
    std::map<std::string, std::unique_ptr<RateFile>> open_;
};

// The face band of the banded level files: 1 below 100,000; 2 below 250,000;
// 3 below 1,000,000; 4 below 5,000,000; 5 from 5,000,000.
int FaceBand(std::int32_t faceAmount);
// The lowest face amount of the band above the face amount's; none in the top band.
std::optional<std::int32_t> NextFaceBandEdge(std::int32_t faceAmount);

// The prefix of the banded level file set by state and rate scale.
std::string_view BandedFilePrefix(std::string_view state, bool usePriorRates);

// The family part of the banded level file names, by product:
// "BRNFGHB" (5 products), "QNBTermHB" (Dorrance 26-28), "QNBQbyHB" and
// "QNBNJQbyHB" (Quenby 18-19 outside and in NJ).
std::string_view BandedFamily(std::int32_t productNumber, std::string_view state);
bool UsesThreeProductLayout(std::int32_t productNumber);

// The full name of the banded level file, e.g. "July08BRNFGHB3.rat".
std::string BandedFileName(std::int32_t productNumber, std::string_view state, bool usePriorRates,
                           std::int32_t faceAmount);

}  // namespace quoravel
