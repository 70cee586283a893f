#pragma once

#include <cstdint>
#include <string_view>

namespace quoravel {

// Whether the owner may buy a new guarantee period with new evidence of
// insurability when the first one ends, and in which form.
enum class Renewal {
    Requalification,  // a new level premium period of the guarantee's length
    ReEntry,          // the one-year and increasing-premium plans: re-enter at new premiums
    NotInState,       // the state did not approve it (New Jersey, 30-year products)
    NotAtAge,         // the insured is too old for it when the period ends
};

enum class Conversion {
    ToAge75,        // during the initial period or to attained age 75, whichever comes first
    FirstYearOnly,  // issue ages 75 to 77: up to one year from the date of issue
    NotAtAge,       // issued beyond the ages it is offered at
};

// What one product promises an insured of one issue age in one state, as the
// premium engine prices it: the years its premium is select, level, graded and
// yearly renewable, its fee, and the options the insured's age still leaves
// open. Every page that speaks of a product's premiums or options says it from
// here, so that no page contradicts the ledger.
struct ProductTerms {
    // Policy years 1 to selectYears: select premiums, rising with the years
    // since underwriting.
    int selectYears = 0;
    // Then this many years at one premium; 0 for the one-year plans, whose
    // premium changes every year.
    int levelYears = 0;
    // Then years rising by the guaranteed non-level schedule.
    int gradedYears = 0;
    // The first policy year of the yearly-renewable premiums of the attained
    // age; the years before it are the initial period.
    int yearlyFrom = 0;
    // The policy years the product covers.
    int yearsCovered = 0;
    // The years the ledger shows in the client's payment mode, the later
    // years annual: the catalogue's level period, as proposals have always
    // printed it (a stamped proposal is checked against it).
    int modalYears = 0;
    double policyFee = 0;
    std::int16_t requalAge = 0;  // a new period must end by it (re-entry: start by it)
    Renewal renewal = Renewal::Requalification;
    Conversion conversion = Conversion::ToAge75;

    // The length of the new period a requalification buys.
    int guaranteeYears = 0;

    int InitialPeriod() const { return yearlyFrom - 1; }
};

ProductTerms TermsOf(std::int32_t productNumber, std::int16_t issueAge, std::string_view state);

}  // namespace quoravel
