#include "RelayProducts.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <string>

#include "ProductCatalogue.h"
#include "RelayExchange.h"
#include "Text.h"

namespace quoravel {
namespace {

// One relay product code: the family, the level period and the guaranteed
// variant. A row with a state applies only there and is tried first.
struct RelayCode {
    std::string_view family;
    int period;
    bool guaranteed;
    std::string_view state;
    std::int32_t product;
};

// Korvel is the TVNY carrier's name for the Brellan plans, Amberlin its name
// for Ostrel. In New York the New York company sells its own Dorrance 1, 10
// and 15 plans (products 15-17); products 26-28 are its New Jersey plans.
constexpr std::array<RelayCode, 47> kRelayCodes{{
    {"DORR", 1, false, "NY", 15}, {"DORR", 10, false, "NY", 16}, {"DORR", 15, false, "NY", 17},
    {"BRLN", 1, false, "", 6},    {"BRLN", 5, false, "", 1},     {"BRLN", 10, false, "", 2},
    {"BRLN", 15, false, "", 3},   {"BRLN", 20, false, "", 4},    {"BRLN", 30, false, "", 5},
    {"KORV", 1, false, "", 6},    {"KORV", 5, false, "", 1},     {"KORV", 10, false, "", 2},
    {"KORV", 15, false, "", 3},   {"KORV", 20, false, "", 4},    {"KORV", 30, false, "", 5},
    {"OSTR", 5, false, "", 29},   {"OSTR", 10, false, "", 30},   {"OSTR", 15, false, "", 31},
    {"OSTR", 20, false, "", 32},  {"OSTR", 30, false, "", 33},   {"OSTR", 5, true, "", 34},
    {"OSTR", 10, true, "", 35},   {"OSTR", 15, true, "", 36},    {"OSTR", 20, true, "", 37},
    {"OSTR", 30, true, "", 38},   {"AMBR", 5, false, "", 29},    {"AMBR", 10, false, "", 30},
    {"AMBR", 15, false, "", 31},  {"AMBR", 20, false, "", 32},   {"AMBR", 30, false, "", 33},
    {"AMBR", 5, true, "", 34},    {"AMBR", 10, true, "", 35},    {"AMBR", 15, true, "", 36},
    {"AMBR", 20, true, "", 37},   {"AMBR", 30, true, "", 38},    {"PELL", 10, false, "", 8},
    {"PELL", 15, false, "", 9},   {"TESS", 5, false, "", 11},    {"TESS", 10, false, "", 12},
    {"TESS", 15, false, "", 13},  {"TESS", 20, false, "", 14},   {"TESS", 30, false, "", 49},
    {"DORR", 5, false, "", 26},   {"DORR", 10, false, "", 27},   {"DORR", 15, false, "", 28},
    {"QNBY", 10, false, "", 18},  {"QNBY", 15, false, "", 19},
}};

constexpr std::array<RetiredProduct, 8> kRetiredProducts{{
    {"AMBR15", "Amberlin 15 \u2022 10", "KORV15", "Korvel 15"},
    {"AMBR20", "Amberlin 20 \u2022 10", "KORV20", "Korvel 20"},
    {"AMBR30", "Amberlin 30 \u2022 15", "KORV30", "Korvel 30"},
    {"KORV1", "Korvel 1", "KORV5", "Korvel 5"},
    {"OSTR15", "Ostrel 15", "BRLN15", "Brellan 15"},
    {"OSTR20", "Ostrel 20", "BRLN20", "Brellan 20"},
    {"OSTR30", "Ostrel 30", "BRLN30", "Brellan 30"},
    {"BRLN1", "Brellan 1", "BRLN5", "Brellan 5"},
}};

// The families under which TVNY sells the Brellan and Ostrel plans.
constexpr std::array<std::string_view, 2> kTvnyFamilies{"KORV", "AMBR"};
constexpr std::int32_t kTvny = 2;

}  // namespace

std::int32_t RelayProductNumber(std::string_view code, std::string_view state) {
    const std::string upper = ToUpper(Trim(code));
    std::string_view rest = upper;
    std::size_t letters = 0;
    while (letters < rest.size() && IsAsciiLetter(rest[letters])) ++letters;
    const std::string_view family = rest.substr(0, letters);
    rest.remove_prefix(letters);

    int period = 0;
    const auto [end, ec] = std::from_chars(rest.data(), rest.data() + rest.size(), period);
    if (ec != std::errc() || end == rest.data()) return 0;
    rest.remove_prefix(static_cast<std::size_t>(end - rest.data()));
    const bool guaranteed = rest == "G";
    if (!rest.empty() && !guaranteed) return 0;

    const std::string upperState = ToUpper(Trim(state));
    for (const auto& row : kRelayCodes) {
        if (row.family == family && row.period == period && row.guaranteed == guaranteed &&
            (row.state.empty() || row.state == upperState)) {
            return row.product;
        }
    }
    return 0;
}

const RetiredProduct* FindRetiredProduct(std::string_view value) {
    const std::string_view text = Trim(value);
    for (const auto& row : kRetiredProducts) {
        if (EqualNoCase(text, row.oldCode) || text == row.oldName) return &row;
    }
    return nullptr;
}

bool IsNewYorkCompanyProduct(std::int32_t product) { return OfferOf(product).carriers == kSoldByQNB; }

std::string RetiredProductNotice(const RetiredProduct& retired) {
    return "The saved case contains a " + std::string(retired.oldName) + " which is no longer valid." +
           "The product being illustrated has been changed to a " + std::string(retired.newName) + ".";
}

std::vector<std::string> CarrierProductCodes(std::int32_t company, std::string_view state) {
    const std::string upperState = ToUpper(Trim(state));
    std::vector<std::string> codes;
    std::vector<std::int32_t> listed;
    for (const auto& row : kRelayCodes) {
        if (!row.state.empty() && row.state != upperState) continue;
        const bool tvnyName =
            std::find(kTvnyFamilies.begin(), kTvnyFamilies.end(), row.family) != kTvnyFamilies.end();
        if (tvnyName != (company == kTvny)) continue;
        const std::string code =
            std::string(row.family) + std::to_string(row.period) + (row.guaranteed ? "G" : "");
        const std::int32_t product = RelayProductNumber(code, upperState);
        if (FindRetiredProduct(code) || !CarrierSells(company, product) || !IsIllustrated(product) ||
            std::find(listed.begin(), listed.end(), product) != listed.end())
            continue;
        listed.push_back(product);
        codes.push_back(code);
    }
    return codes;
}

}  // namespace quoravel
