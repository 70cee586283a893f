#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quoravel {

// The product catalogue's stateless lookups.

// The display name of a product: "Quoravel®" under the brand flag; for
// company 2 the Korvel/Amberlin names; else the main list's name ("" where
// the main list has none). The variant flag has no effect.
std::string GetProductName(std::int32_t productNumber, bool brandFlag, std::int32_t company,
                           bool variantFlag = false);

// The name a proposal prints for a product: its display name, or the brand
// name "Quoravel®" where the main list has none.
std::string ProductDisplayName(std::int32_t productNumber, std::int32_t company);

// The name a message gives a product: its display name, or the product
// list's text where the main list has no name (product 11, "Tessel 5").
std::string ProductTitle(std::int32_t productNumber, std::int32_t company);

// The product number of a product list text; the selector chooses between
// the two numbers of the Korvel and Amberlin texts. 0 for any other text.
std::int32_t GetProductFromString(std::string_view text, std::int16_t selector);

// Issue ages. No value for a product without a rule (7 and 10).
std::optional<int> MinIssueAge(std::int32_t productNumber, std::string_view state, std::int32_t classCode);
std::optional<int> MaxIssueAge(std::int32_t productNumber, std::string_view state, std::int32_t classCode,
                               bool isMale, bool usePriorRates);

// Nicotine classes: 5, 6 and 8.
bool IsNicotineClass(std::int32_t classCode);

}  // namespace quoravel
