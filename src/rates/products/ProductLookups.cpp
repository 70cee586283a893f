#include "ProductLookups.h"

#include <array>
#include <initializer_list>
#include <span>

#include "Text.h"

namespace quoravel {
namespace {

// Display names by product number: the main list's, then the one company 2
// sells the product under.
struct ProductNames {
    const char* main;
    const char* company2;
};

// Company 2 sells every product outside its own list under this name.
constexpr const char* kKorvel5 = "Korvel\u00AE 5";

constexpr std::array<ProductNames, 50> kProductNames{{
    {"", kKorvel5},  // 0
    {"Brellan 5", kKorvel5},
    {"Brellan 10", "Korvel\u00AE 10"},
    {"Brellan 15", "Korvel\u00AE 15"},
    {"Brellan 20", "Korvel\u00AE 20"},
    {"Brellan 30\u00AE", "Korvel\u00AE 30"},
    {"Brellan 1\u00AE", "Korvel\u00AE 1"},
    {"Pellamy 5", kKorvel5},
    {"Pellamy 10", kKorvel5},
    {"Pellamy 15", kKorvel5},
    {"Carrow 20", kKorvel5},  // 10
    {"", kKorvel5},
    {"Tessel 10", kKorvel5},
    {"Tessel 15", kKorvel5},
    {"Tessel 20", kKorvel5},
    {"Dorrance 1", kKorvel5},
    {"Dorrance 10", kKorvel5},
    {"Dorrance 15", kKorvel5},
    {"Quenby 10", kKorvel5},
    {"Quenby 15", kKorvel5},
    {"", kKorvel5},  // 20
    {"", kKorvel5},
    {"", kKorvel5},
    {"", kKorvel5},
    {"", kKorvel5},
    {"", kKorvel5},
    {"Dorrance 5", kKorvel5},
    {"Dorrance 10", kKorvel5},
    {"Dorrance 15", kKorvel5},
    {"Ostrel 5", "Amberlin 5"},
    {"Ostrel 10", "Amberlin 10"},  // 30
    {"Ostrel 15 \u2022 10", "Amberlin 15 \u2022 10"},
    {"Ostrel 20 \u2022 10", "Amberlin 20 \u2022 10"},
    {"Ostrel 30 \u2022 15", "Amberlin 30 \u2022 15"},
    {"Ostrel 5 Guarantees", "Amberlin 5 Guarantees"},
    {"Ostrel 10 Guarantees", "Amberlin 10 Guarantees"},
    {"Ostrel 15 \u2022 10 Guarantees", "Amberlin 15 \u2022 10 Guarantees"},
    {"Ostrel 20 \u2022 10 Guarantees", "Amberlin 20 \u2022 10 Guarantees"},
    {"Ostrel 30 \u2022 15 Guarantees", "Amberlin 30 \u2022 15 Guarantees"},
    {"", kKorvel5},
    {"", kKorvel5},  // 40
    {"", kKorvel5},
    {"", kKorvel5},
    {"", kKorvel5},
    {"", kKorvel5},
    {"", kKorvel5},
    {"", kKorvel5},
    {"", kKorvel5},
    {"", kKorvel5},
    {"Tessel 30", kKorvel5},
}};

// The product list's texts. Korvel and Amberlin texts name two products:
// the first when the main window passes a positive selector.
struct ListText {
    std::string_view text;
    std::int32_t withSelector;
    std::int32_t otherwise;
};

constexpr ListText kListTexts[] = {
    {"Brellan 1", 6, 6},
    {"Brellan 5", 1, 1},
    {"Brellan 10", 2, 2},
    {"Brellan 15", 3, 3},
    {"Brellan 20", 4, 4},
    {"Brellan 30", 5, 5},
    {"Pellamy 10", 8, 8},
    {"Pellamy 15", 9, 9},
    {"Tessel 5", 11, 11},
    {"Tessel 10", 12, 12},
    {"Tessel 15", 13, 13},
    {"Tessel 20", 14, 14},
    {"Quenby 10", 18, 18},
    {"Quenby 15", 19, 19},
    {"Dorrance 5", 26, 26},
    {"Dorrance 10", 27, 27},
    {"Dorrance 15", 28, 28},
    {"Korvel 1", 6, 20},
    {"Korvel 5", 1, 21},
    {"Korvel 10", 2, 22},
    {"Korvel 15", 3, 23},
    {"Korvel 20", 4, 24},
    {"Korvel 30", 5, 25},
    {"Ostrel 5", 29, 29},
    {"Ostrel 10", 30, 30},
    {"Ostrel 15 \u2022 10", 31, 31},
    {"Ostrel 20 \u2022 10", 32, 32},
    {"Ostrel 30 \u2022 15", 33, 33},
    {"Ostrel 5 Guarantees", 34, 34},
    {"Ostrel 10 Guarantees", 35, 35},
    {"Ostrel 15 \u2022 10 Guarantees", 36, 36},
    {"Ostrel 20 \u2022 10 Guarantees", 37, 37},
    {"Ostrel 30 \u2022 15 Guarantees", 38, 38},
    // The list shows the Amberlin names with a hyphen where the ledger has a bullet.
    {"Amberlin 5", 29, 39},
    {"Amberlin 10", 30, 40},
    {"Amberlin 15 - 10", 31, 41},
    {"Amberlin 20 - 10", 32, 42},
    {"Amberlin 30 - 15", 33, 43},
    {"Amberlin 5 Guarantees", 34, 44},
    {"Amberlin 10 Guarantees", 35, 45},
    {"Amberlin 15 - 10 Guarantees", 36, 46},
    {"Amberlin 20 - 10 Guarantees", 37, 47},
    {"Amberlin 30 - 15 Guarantees", 38, 48},
    {"Tessel 30", 49, 49},
};

// Sets of product numbers or class codes, written as the tables list them.
constexpr std::uint64_t Of(std::initializer_list<int> members) {
    std::uint64_t set = 0;
    for (int member : members) set |= std::uint64_t{1} << member;
    return set;
}

constexpr std::uint64_t Span(int first, int last) {
    std::uint64_t set = 0;
    for (int member = first; member <= last; ++member) set |= std::uint64_t{1} << member;
    return set;
}

constexpr std::uint64_t kAnyClass = ~std::uint64_t{0};

bool Contains(std::uint64_t set, std::int32_t member) {
    return member >= 0 && member < 64 && ((set >> member) & 1U) != 0;
}

// Minimum issue ages: a state with its own age comes first, then the age
// of the nicotine classes, then everyone else's.
struct MinAgeRow {
    std::uint64_t products;
    int age;
    int nicotineAge;
    std::string_view state = {};
    int stateAge = 0;
};

constexpr MinAgeRow kMinIssueAges[] = {
    {Of({0, 15, 16, 17, 26, 27, 28}), 0, 0},
    {Of({1, 11}), 50, 50},
    {Span(2, 5), 0, 16, "OR", 18},
    {Of({6, 20}), 25, 25},
    {Of({8, 9}) | Span(21, 25) | Span(29, 32) | Span(34, 37) | Span(39, 42) | Span(44, 47), 0, 0, "OR", 18},
    {Of({12, 13, 14, 49}), 0, 16},
    {Of({18}), 61, 61, "NJ", 0},
    {Of({19}), 56, 56, "NJ", 0},
    {Of({33, 38, 43, 48}), 20, 20},
};

enum class Scale { Both, Current, Prior };
enum class Sex { Any, Male, Female };

// One condition of the maximum issue ages. Rows are tried in order; the
// first whose product, state, sex, class and rate scale match gives the age.
// An empty state list stands for every state.
struct MaxAgeRow {
    std::uint64_t products;
    int age;
    std::string_view states = {};
    Scale scale = Scale::Both;
    Sex sex = Sex::Any;
    std::uint64_t classes = kAnyClass;
};

constexpr auto Both = Scale::Both;
constexpr auto Current = Scale::Current;
constexpr auto Prior = Scale::Prior;
constexpr auto Male = Sex::Male;
constexpr auto Female = Sex::Female;
constexpr auto kThirtyYear = Of({33, 38, 43, 48});

constexpr MaxAgeRow kSingleMaxIssueAges[] = {
    {Of({0}), 1000},
    {Of({1}), 80},
    {Of({6, 12, 15, 30, 35, 40, 45}), 70},
    {Of({8, 13, 16, 24, 26, 31, 36, 41, 46}), 65},
    {Of({9, 14, 17, 27, 32, 37, 42, 47}), 60},
    {Of({11, 20, 23, 29, 34, 39, 44}), 75},
    {Of({21, 22}), 80},
    {Of({25, 49}), 50},
    {Of({28}), 55},
    {Of({18}), 60, "NJ"},
    {Of({18}), 70},
    {Of({19}), 55, "NJ"},
    {Of({19}), 65},
    {kThirtyYear, 42, "NJ"},
    {kThirtyYear, 42, "WA TX PA MD", Both, Male, Of({5})},
    {kThirtyYear, 43, "WA TX PA MD", Both, Male, Of({6, 8})},
    {kThirtyYear, 50},
};

// Products 2 to 5: the limits depend on the state, the sex, the class and the
// rate scale. One table per product; a state's current-scale rows precede
// its prior-scale rows where the two scales differ.
constexpr auto P2 = Of({2});
constexpr MaxAgeRow kProduct2MaxIssueAges[] = {
    {P2, 79, "MD", Current, Male, Of({7})},
    {P2, 78, "MD", Current, Male, Of({5})},
    {P2, 77, "MD", Current, Male, Of({6})},
    {P2, 75, "MD", Current, Male, Of({8})},
    {P2, 78, "MD", Current, Female, Of({8})},
    {P2, 80, "MD", Current},
    {P2, 77, "MD", Prior, Male, Of({6})},
    {P2, 75, "MD", Prior, Male, Of({8})},
    {P2, 80, "MD", Prior},
    {P2, 77, "NJ", Current},
    {P2, 76, "NJ", Prior},
    {P2, 78, "TX PA", Current, Male, Of({6})},
    {P2, 77, "TX PA", Current, Male, Of({8})},
    {P2, 80, "TX PA", Current},
    {P2, 76, "TX PA", Prior, Male, Of({8})},
    {P2, 80, "TX PA", Prior},
    {P2, 70, "WA"},
    {P2, 80},
};

constexpr auto P3 = Of({3});
constexpr MaxAgeRow kProduct3MaxIssueAges[] = {
    {P3, 73, "MD", Current, Male, Of({1, 2, 3})},
    {P3, 72, "MD", Current, Male, Of({4})},
    {P3, 71, "MD", Current, Male, Of({7})},
    {P3, 70, "MD", Current, Male, Of({5})},
    {P3, 69, "MD", Current, Male, Of({6})},
    {P3, 68, "MD", Current, Male, Of({8})},
    {P3, 74, "MD", Current, Female, Of({6, 7})},
    {P3, 73, "MD", Current, Female, Of({8})},
    {P3, 75, "MD", Current},
    {P3, 73, "MD", Prior, Male, Of({1, 2, 3})},
    {P3, 72, "MD", Prior, Male, Of({4, 7})},
    {P3, 70, "MD", Prior, Male, Of({5})},
    {P3, 69, "MD", Prior, Male, Of({6})},
    {P3, 68, "MD", Prior, Male, Of({8})},
    {P3, 74, "MD", Prior, Female, Of({6})},
    {P3, 73, "MD", Prior, Female, Of({8})},
    {P3, 75, "MD", Prior},
    {P3, 68, "NJ"},
    {P3, 74, "TX PA", Current, Male, Of({1, 2})},
    {P3, 73, "TX PA", Current, Male, Of({3, 4})},
    {P3, 72, "TX PA", Current, Male, Of({7})},
    {P3, 71, "TX PA", Current, Male, Of({5})},
    {P3, 70, "TX PA", Current, Male, Of({6})},
    {P3, 68, "TX PA", Current, Male, Of({8})},
    {P3, 73, "TX PA", Current, Female, Of({8})},
    {P3, 75, "TX PA", Current},
    {P3, 74, "TX PA", Prior, Male, Of({3})},
    {P3, 73, "TX PA", Prior, Male, Of({4})},
    {P3, 72, "TX PA", Prior, Male, Of({7})},
    {P3, 71, "TX PA", Prior, Male, Of({5})},
    {P3, 70, "TX PA", Prior, Male, Of({6})},
    {P3, 68, "TX PA", Prior, Male, Of({8})},
    {P3, 73, "TX PA", Prior, Female, Of({8})},
    {P3, 75, "TX PA", Prior},
    {P3, 65, "WA"},
    {P3, 72, {}, Both, Male, Of({6})},
    {P3, 70, {}, Both, Male, Of({8})},
    {P3, 73, {}, Both, Female, Of({8})},
    {P3, 75},
};

constexpr auto P4 = Of({4});
constexpr MaxAgeRow kProduct4MaxIssueAges[] = {
    {P4, 63, "TX PA", Current, Male, Of({5})},
    {P4, 62, "TX PA", Current, Male, Of({6})},
    {P4, 61, "TX PA", Current, Male, Of({8})},
    {P4, 65, "TX PA", Current},
    {P4, 64, "TX PA", Prior, Male, Of({5})},
    {P4, 63, "TX PA", Prior, Male, Of({6})},
    {P4, 62, "TX PA", Prior, Male, Of({8})},
    {P4, 65, "TX PA", Prior},
    {P4, 61, "NJ", Current},
    {P4, 62, "NJ", Prior},
    {P4, 60, "WA"},
    {P4, 63, "MD", Current, Male, Of({5})},
    {P4, 61, "MD", Current, Male, Of({6, 8})},
    {P4, 65, "MD", Current},
    {P4, 64, "MD", Prior, Male, Of({5})},
    {P4, 62, "MD", Prior, Male, Of({6})},
    {P4, 61, "MD", Prior, Male, Of({8})},
    {P4, 65, "MD", Prior},
    {P4, 63, {}, Both, Male, Of({6})},
    {P4, 62, {}, Both, Male, Of({8})},
    {P4, 65},
};

constexpr auto P5 = Of({5});
constexpr MaxAgeRow kProduct5MaxIssueAges[] = {
    {P5, 45, "TX PA WA", Both, Male, Of({5, 6, 8})},
    {P5, 50, "TX PA WA"},
    {P5, 45, "NJ"},
    {P5, 49, "MD", Both, Male, Of({4})},
    {P5, 48, "MD", Both, Male, Of({7})},
    {P5, 42, "MD", Current, Male, Of({5})},
    {P5, 43, "MD", Prior, Male, Of({5})},
    {P5, 42, "MD", Both, Male, Of({6, 8})},
    {P5, 47, "MD", Current, Female, Of({6})},
    {P5, 48, "MD", Prior, Female, Of({6})},
    {P5, 47, "MD", Both, Female, Of({8})},
    {P5, 47, "MD", Current, Female, Of({5})},
    {P5, 50, "MD", Prior, Female, Of({5})},
    {P5, 50, "MD"},
    {P5, 45, {}, Both, Male, Of({6, 8})},
    {P5, 50},
};

constexpr std::span<const MaxAgeRow> kMaxIssueAgeTables[] = {
    kSingleMaxIssueAges,   kProduct2MaxIssueAges, kProduct3MaxIssueAges,
    kProduct4MaxIssueAges, kProduct5MaxIssueAges,
};

// True when the blank-separated list names the state; an empty list names every state.
bool NamesState(std::string_view states, std::string_view state) {
    if (states.empty()) return true;
    while (!states.empty()) {
        const auto blank = states.find(' ');
        if (states.substr(0, blank) == state) return true;
        states = blank == std::string_view::npos ? std::string_view{} : states.substr(blank + 1);
    }
    return false;
}

bool Matches(const MaxAgeRow& row, std::string_view state, std::int32_t classCode, bool isMale,
             bool usePriorRates) {
    const bool scaleFits = row.scale == Scale::Both || (row.scale == Prior) == usePriorRates;
    const bool sexFits = row.sex == Sex::Any || (row.sex == Male) == isMale;
    return scaleFits && sexFits && Contains(row.classes, classCode) && NamesState(row.states, state);
}

}  // namespace

std::string GetProductName(std::int32_t productNumber, bool brandFlag, std::int32_t company, bool) {
    if (brandFlag) return "Quoravel\u00AE";
    const bool listed = productNumber >= 0 && productNumber < static_cast<std::int32_t>(kProductNames.size());
    const auto* names = listed ? &kProductNames[static_cast<std::size_t>(productNumber)] : nullptr;
    if (company == 2) return names ? names->company2 : kKorvel5;
    return names ? names->main : "";
}

std::string ProductDisplayName(std::int32_t productNumber, std::int32_t company) {
    const std::string name = GetProductName(productNumber, false, company);
    return name.empty() ? GetProductName(productNumber, true, company) : name;
}

std::string ProductTitle(std::int32_t productNumber, std::int32_t company) {
    std::string name = GetProductName(productNumber, false, company);
    if (!name.empty()) return name;
    for (const auto& entry : kListTexts) {
        if (entry.withSelector == productNumber) return std::string(entry.text);
    }
    return "Product " + std::to_string(productNumber);
}

std::int32_t GetProductFromString(std::string_view text, std::int16_t selector) {
    for (const auto& entry : kListTexts) {
        if (entry.text == text) return selector > 0 ? entry.withSelector : entry.otherwise;
    }
    return 0;
}

bool IsNicotineClass(std::int32_t classCode) { return classCode == 5 || classCode == 6 || classCode == 8; }

std::optional<int> MinIssueAge(std::int32_t productNumber, std::string_view state, std::int32_t classCode) {
    const std::string upperState = ToUpper(state);
    for (const auto& row : kMinIssueAges) {
        if (!Contains(row.products, productNumber)) continue;
        if (!row.state.empty() && upperState == row.state) return row.stateAge;
        return IsNicotineClass(classCode) ? row.nicotineAge : row.age;
    }
    return std::nullopt;
}

std::optional<int> MaxIssueAge(std::int32_t productNumber, std::string_view state, std::int32_t classCode,
                               bool isMale, bool usePriorRates) {
    const std::string upperState = ToUpper(state);
    for (const auto table : kMaxIssueAgeTables) {
        for (const auto& row : table) {
            if (Contains(row.products, productNumber) &&
                Matches(row, upperState, classCode, isMale, usePriorRates)) {
                return row.age;
            }
        }
    }
    return std::nullopt;
}

}  // namespace quoravel
