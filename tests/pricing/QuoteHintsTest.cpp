// The hints beside a quote: the next age change and the next face band.
// Every expected premium is a quote of the changed case itself.
#include <gtest/gtest.h>

#include "QuoteHints.h"
#include "Rounding.h"

namespace quoravel {
namespace {

QuoteRequest Client(std::vector<QuoteInput> inputs) {
    inputs.insert(inputs.end(), {{"sex", "M"}, {"state", "TX"}, {"product", "BRLN20"}});
    const QuoteReading reading = ReadQuoteRequest(inputs, QUORAVEL_PROGRAM_DIR);
    EXPECT_TRUE(reading.problems.empty()) << reading.problems.front();
    return reading.request;
}

double Annual(QuotePricer& pricer, const QuoteRequest& request) {
    const auto lines = pricer.Price(request);
    EXPECT_TRUE(lines.front().issuable) << lines.front().refusal;
    return lines.front().modal.annual;
}

// Born 14 September 1980: the age nearest birthday turns 46 on 16 March
// 2026, 182 days before the anniversary.
TEST(AgeChangeHint, FromTheDayBeforeTheChangeToSixMonthsAhead) {
    const struct {
        Date asOf;
        bool hinted;
    } cases[] = {
        {Date::FromYmd(2026, 3, 15), true},   // the day before
        {Date::FromYmd(2026, 3, 16), false},  // the day of the change: 46 already, 47 a year on
        {Date::FromYmd(2025, 9, 16), true},   // the change six months on, to the day
        {Date::FromYmd(2025, 9, 15), false},  // one day beyond six months
    };
    QuotePricer pricer(QUORAVEL_PROGRAM_DIR);
    QuoteRequest at46 = Client({{"age", "46"}, {"face", "250000"}});
    const double expected = Annual(pricer, at46);
    for (const auto& [asOf, hinted] : cases) {
        QuoteRequest request = Client({{"age", "45"}, {"face", "250000"}});
        request.birthDate = Date::FromYmd(1980, 9, 14);
        request.asOf = asOf;
        request.age = AgeFromBirthDate(*request.birthDate, asOf);
        const auto lines = pricer.Price(request);
        const auto hint = FindAgeChange(request, lines, pricer);
        ASSERT_EQ(hint.has_value(), hinted) << asOf.Iso();
        if (!hinted) continue;
        EXPECT_EQ(hint->date, Date::FromYmd(2026, 3, 16));
        EXPECT_EQ(hint->newAge, 46);
        ASSERT_EQ(hint->premiums.size(), 1u);
        EXPECT_DOUBLE_EQ(*hint->premiums.front().annualPremium, expected);
        EXPECT_EQ(AgeChangeTexts(*hint, false).front(),
                  "Age changes to 46 on 2026-03-16: Brellan 20 annual premium becomes $" +
                      FormatAmount(expected, 2));
    }
}

TEST(BandHint, OneDollarBelowEachEdgeAndNotAtIt) {
    QuotePricer pricer(QUORAVEL_PROGRAM_DIR);
    bool anyHint = false;
    for (const std::int32_t edge : {100000, 250000, 1000000, 5000000}) {
        const QuoteRequest below = Client({{"age", "45"}, {"face", std::to_string(edge - 1)}});
        const QuoteRequest at = Client({{"age", "45"}, {"face", std::to_string(edge)}});
        const double belowPremium = Annual(pricer, below), atPremium = Annual(pricer, at);
        const auto hints = FindBandHints(below, pricer.Price(below), pricer);
        const bool worthIt = round(2, atPremium) - round(2, belowPremium) < 25;
        ASSERT_EQ(hints.size(), worthIt ? 1u : 0u) << edge;
        anyHint = anyHint || worthIt;
        if (worthIt) {
            EXPECT_EQ(hints.front().bandFaceAmount, edge);
            EXPECT_DOUBLE_EQ(hints.front().bandAnnualPremium, round(2, atPremium));
        }
        EXPECT_TRUE(FindBandHints(at, pricer.Price(at), pricer).empty()) << edge;
    }
    EXPECT_TRUE(anyHint);
}

TEST(BandHint, TextSaysLessOrMore) {
    const BandHint cheaper{"BRLN20", "Brellan 20", 99999, 100000, 512.00, 500.00};
    const BandHint dearer{"BRLN20", "Brellan 20", 99999, 100000, 500.00, 508.00};
    EXPECT_EQ(BandHintText(cheaper), "Brellan 20: $100,000 costs $12.00 less a year than $99,999");
    EXPECT_EQ(BandHintText(dearer), "Brellan 20: $100,000 costs $8.00 more a year than $99,999");
}

}  // namespace
}  // namespace quoravel
