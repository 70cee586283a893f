#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quoravel {

class ClientCase;

// The relay file's coded values and the rules its inputs are held to. A
// value is taken as the outside system sent it; one that breaks its key's
// rule refuses the case with a message naming the key and the value.

// The whole text as a number (blanks around it allowed), or nothing.
std::optional<double> NumberIn(std::string_view text);

std::optional<std::int32_t> RelayClassCode(std::string_view code);
// "None" for an empty value or "0".
std::optional<std::string_view> RelayTableRating(std::string_view value);
std::optional<std::int32_t> RelayPaymentMode(std::string_view code);
std::optional<std::int32_t> RelayPrintOption(std::string_view code);
std::optional<std::int32_t> RelayCompany(std::string_view code);
// 1 to 5 give 1.0 to 3.0; 0 is standard (1.0).
std::optional<double> RelayWaiverRating(std::string_view value);

// A case's coded values as a relay file spells them, for a relay file
// written from a case: the table rating's number ("2" for "B", "0" for
// "None"), the carrier's code, the waiver rating's code (2 for 1.5).
std::optional<std::string_view> RelayTableNumber(std::string_view rating);
std::string_view RelayCompanyCode(std::int32_t company);
std::optional<std::int32_t> RelayWaiverCode(double rating);

// "first year ü last year ü amount per $1,000".
struct TemporaryExtra {
    double amount = 0;
    std::int32_t years = 0;
};
std::optional<TemporaryExtra> RelayTemporaryExtra(std::string_view value);

// How the relay reads a key's value, for whoever shows the value as the
// relay took it. Keys are compared without regard to case.

// True for the keys the relay reads as yes or no.
bool IsRelayFlag(std::string_view key);
// A yes or no as the relay takes it: "Y", "Yes", "1" or "True" in any case is
// yes, anything else (a missing value too) no.
bool RelayFlag(std::string_view value);
// The character that separates the items of a key the relay reads as a
// list, "" for a key whose value is one item however it is spelt.
std::string_view RelayListSeparator(std::string_view key);

// A whole number of dollars from 1 on; the limits depend on the products.
std::optional<std::int32_t> RelayFaceAmount(std::string_view value);

// One key's rule: a value that is not empty must be accepted.
struct InputRule {
    std::string_view key;
    bool (*accepts)(std::string_view value);
    std::string_view expected;  // what the value must be, as the message says it
};
std::span<const InputRule> RelayInputRules();
// The rule of a relay key that has one.
const InputRule& RelayInputRule(std::string_view key);

// The years of a temporary flat extra: a whole number from 1 to 100, as the
// relay's first and last years run.
bool IsTemporaryExtraYears(std::string_view value);
// An amount per $1,000 of a flat extra: 0 to 99.99 in whole cents.
bool IsFlatExtraAmount(std::string_view value);

// The face amounts every chosen product of a case takes: from the highest of
// their minimums to the largest any carrier issues.
struct FaceAmountLimits {
    std::int32_t minimum = 0;
    std::string limitedBy;  // the product whose minimum it is
    bool Take(std::int32_t face) const;
    // "a face amount from $50,000 to $100,000,000 for Brellan 20"
    std::string Expected() const;
};
FaceAmountLimits FaceAmountLimitsOf(const ClientCase& client);

// A case's inputs held to the relay's rules whatever way it came in (a case
// record an editor or an older program wrote): one message a value a relay
// case would refuse, under its relay key.
std::vector<std::string> CaseInputProblems(const ClientCase& client);

// `Insured.ExtraPerm: "-5" is not an amount from 0 to 99.99 per $1,000.`
// The value is shown as received, cut at 40 characters.
std::string InputMessage(std::string_view key, std::string_view value, std::string_view expected);

}  // namespace quoravel
