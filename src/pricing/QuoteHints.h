#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "Date.h"
#include "Quote.h"

namespace quoravel {

// What a product at a face amount costs a year once the insured's age has changed.
struct AgeChangePremium {
    std::string code;
    std::string name;
    std::int32_t faceAmount = 0;
    // The first-year annual premium at the new age; none when it can no longer be issued.
    std::optional<double> annualPremium;
};

// The insured's insurance age rises on `date`, within six months of the
// as-of date: the premiums of the products issuable now, at the new age.
struct AgeChangeHint {
    Date date;
    std::int16_t newAge = 0;
    std::vector<AgeChangePremium> premiums;
};

// A face amount raised to the lowest of the next rate band costs less a
// year, or less than $25 more.
struct BandHint {
    std::string code;
    std::string name;
    std::int32_t faceAmount = 0;
    std::int32_t bandFaceAmount = 0;
    double annualPremium = 0;
    double bandAnnualPremium = 0;
};

// The next change of the age nearest birthday after the request's as-of
// date, up to the same day six months on, priced for every product and face
// amount of `lines` (the request's quote) that is issuable; none without a
// birth date or without a change in that time.
std::optional<AgeChangeHint> FindAgeChange(const QuoteRequest& request, const std::vector<QuoteLine>& lines,
                                           QuotePricer& pricer);

// For every issuable line whose product's rates go by face band, the next
// band's lowest face amount when it costs less than $25 more a year.
std::vector<BandHint> FindBandHints(const QuoteRequest& request, const std::vector<QuoteLine>& lines,
                                    QuotePricer& pricer);

// "Age changes to 46 on 2027-03-14: Brellan 20 annual premium becomes $1,842.50", one line a product;
// the date written by `dateText` (the window writes it as its birth date field takes it).
std::vector<std::string> AgeChangeTexts(const AgeChangeHint& hint, bool severalFaces,
                                        const std::function<std::string(Date)>& dateText = &Date::Iso);
// "Brellan 20: $100,000 costs $12.00 less a year than $99,999"
std::string BandHintText(const BandHint& hint);

}  // namespace quoravel
