#pragma once

#include <array>
#include <cstddef>
#include <utility>

#include "Broker.h"

namespace quoravel {

// The longest text a broker may type into each field of a case or a broker.
// A name of these lengths prints whole on the cover's and the
// certification's line; the case and broker files keep any length, so a
// longer value a relay case or an older file brought is kept as it is.
inline constexpr std::size_t kFirstNameLength = 25;
inline constexpr std::size_t kMiddleInitialLength = 1;
inline constexpr std::size_t kLastNameLength = 35;

inline constexpr std::array<std::pair<BrokerField, std::size_t>, 11> kBrokerFieldLengths{{
    {BrokerField::last_name, kLastNameLength},
    {BrokerField::first_name, kFirstNameLength},
    {BrokerField::middle_init, kMiddleInitialLength},
    {BrokerField::license_num, 20},
    {BrokerField::license_state, 2},
    {BrokerField::address_1, 40},
    {BrokerField::address_2, 40},
    {BrokerField::city, 30},
    {BrokerField::ext, 6},
    {BrokerField::GA_Name, 50},
    {BrokerField::Broker_Co, 50},
}};

// The length a broker field takes; 0 for a field whose mask fixes its length
// (ZIP code, telephone and fax).
constexpr std::size_t BrokerFieldLength(BrokerField field) {
    for (const auto& [named, length] : kBrokerFieldLengths) {
        if (named == field) return length;
    }
    return 0;
}

}  // namespace quoravel
