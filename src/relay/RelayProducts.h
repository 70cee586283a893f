#pragma once

#include <string_view>

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

}  // namespace quoravel
