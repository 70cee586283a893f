#include "QuoteHints.h"

#include <algorithm>

#include "ProductCatalogue.h"
#include "RateLayout.h"
#include "Rounding.h"

namespace quoravel {
namespace {

constexpr int kHintMonths = 6;
// A larger face amount this little dearer a year is worth the customer's look.
constexpr double kBandHintMargin = 25.0;

std::string Dollars(double amount, int decimals) { return "$" + FormatAmount(amount, decimals); }

bool RatedByFaceBand(std::int32_t product) {
    const RateSource source = OfferOf(product).rates;
    return source == RateSource::Banded5 || source == RateSource::Banded3;
}

void AddOnce(std::vector<std::int32_t>& faces, std::int32_t face) {
    if (std::find(faces.begin(), faces.end(), face) == faces.end()) faces.push_back(face);
}

}  // namespace

std::optional<AgeChangeHint> FindAgeChange(const QuoteRequest& request, const std::vector<QuoteLine>& lines,
                                           QuotePricer& pricer) {
    if (!request.birthDate) return std::nullopt;
    const std::int16_t age = AgeFromBirthDate(*request.birthDate, request.asOf);
    const Date limit = AddMonths(request.asOf, kHintMonths);
    AgeChangeHint hint;
    for (Date day(request.asOf.Serial() + 1); day <= limit; day = Date(day.Serial() + 1)) {
        hint.newAge = AgeFromBirthDate(*request.birthDate, day);
        if (hint.newAge == age) continue;
        hint.date = day;
        break;
    }
    if (hint.date.IsZero()) return std::nullopt;

    QuoteRequest older = request;
    older.age = hint.newAge;
    older.productCodes.clear();
    older.faceAmounts.clear();
    for (const QuoteLine& line : lines) {
        if (!line.issuable) continue;
        if (std::find(older.productCodes.begin(), older.productCodes.end(), line.code) ==
            older.productCodes.end())
            older.productCodes.push_back(line.code);
        AddOnce(older.faceAmounts, line.faceAmount);
    }
    if (older.productCodes.empty()) return hint;
    const std::vector<QuoteLine> priced = pricer.Price(older);
    for (const QuoteLine& line : lines) {
        if (!line.issuable) continue;
        const auto then = std::find_if(priced.begin(), priced.end(), [&](const QuoteLine& other) {
            return other.code == line.code && other.faceAmount == line.faceAmount;
        });
        AgeChangePremium premium{line.code, line.name, line.faceAmount, std::nullopt};
        if (then != priced.end() && then->issuable) premium.annualPremium = round(2, then->modal.annual);
        hint.premiums.push_back(std::move(premium));
    }
    return hint;
}

std::vector<BandHint> FindBandHints(const QuoteRequest& request, const std::vector<QuoteLine>& lines,
                                    QuotePricer& pricer) {
    std::vector<BandHint> hints;
    for (const QuoteLine& line : lines) {
        if (!line.issuable || !RatedByFaceBand(line.product)) continue;
        const auto edge = NextFaceBandEdge(line.faceAmount);
        if (!edge) continue;
        QuoteRequest raised = request;
        raised.productCodes = {line.code};
        raised.faceAmounts = {*edge};
        const std::vector<QuoteLine> priced = pricer.Price(raised);
        if (priced.empty() || !priced.front().issuable) continue;
        const double now = round(2, line.modal.annual);
        const double then = round(2, priced.front().modal.annual);
        if (then - now >= kBandHintMargin) continue;
        hints.push_back({line.code, line.name, line.faceAmount, *edge, now, then});
    }
    return hints;
}

std::vector<std::string> AgeChangeTexts(const AgeChangeHint& hint, bool severalFaces,
                                        const std::function<std::string(Date)>& dateText) {
    const std::string opening =
        "Age changes to " + std::to_string(hint.newAge) + " on " + dateText(hint.date) + ": ";
    std::vector<std::string> texts;
    for (const AgeChangePremium& premium : hint.premiums) {
        const std::string product =
            premium.name + (severalFaces ? " at " + Dollars(premium.faceAmount, 0) : std::string());
        texts.push_back(opening + product +
                        (premium.annualPremium
                             ? " annual premium becomes " + Dollars(*premium.annualPremium, 2)
                             : " can no longer be issued"));
    }
    return texts;
}

std::string BandHintText(const BandHint& hint) {
    const double difference = round(2, hint.bandAnnualPremium - hint.annualPremium);
    const std::string cost = difference == 0  ? "costs the same a year as"
                             : difference < 0 ? "costs " + Dollars(-difference, 2) + " less a year than"
                                              : "costs " + Dollars(difference, 2) + " more a year than";
    return hint.name + ": " + Dollars(hint.bandFaceAmount, 0) + " " + cost + " " +
           Dollars(hint.faceAmount, 0);
}

}  // namespace quoravel
