#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quoravel {

// A product the outside system may still send but that is no longer sold,
// with the product that takes its place.
struct RetiredProduct {
    std::string_view oldCode;
    std::string_view oldName;
    std::string_view newCode;
    std::string_view newName;
};

// The retired product a relay value names, by its relay code (letter case
// ignored) or by its display name; null for any other value.
const RetiredProduct* FindRetiredProduct(std::string_view value);
// The products of the New York company, which sells them in New York and
// New Jersey only: a case for one of them is in one of the two states.
bool IsNewYorkCompanyProduct(std::int32_t product);
// In "pol_ProductName", the mark of such a case delivered in New Jersey; without it the case is New York's.
inline constexpr std::string_view kNewJerseyProductName = "Quoravel - NJ";

// The warning that a retired product was replaced by its successor.
std::string RetiredProductNotice(const RetiredProduct& retired);

// The relay codes of the products a carrier (company index) sells and can
// illustrate, as the codes read in the state: one code a product, under the
// carrier's own name for it (Korvel and Amberlin for TVNY), no retired code,
// in the order of the code list.
std::vector<std::string> CarrierProductCodes(std::int32_t company, std::string_view state);

}  // namespace quoravel
