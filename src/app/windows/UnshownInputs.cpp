#include "UnshownInputs.h"

#include <algorithm>
#include <functional>

#include "InputRules.h"
#include "ProductLookups.h"
#include "RecordWriter.h"
#include "Rounding.h"
#include "Text.h"

namespace quoravel {
namespace {

std::string YesNo(bool value) { return value ? "Yes" : "No"; }

std::string ProductNames(const IllustrationOptions& options) {
    std::vector<std::string> names;
    for (std::size_t i = 0; i < options.ProductCount(); ++i)
        names.push_back(ProductDisplayName(options.ProdChoices()[i], options.Company()));
    return names.empty() ? "none" : Join(names, ", ");
}

std::string FaceAmounts(const IllustrationOptions& options) {
    std::vector<std::string> amounts;
    for (std::size_t i = 0; i < options.FaceAmountCount(); ++i)
        amounts.push_back("$" + FormatAmount(options.GetFaceAmount(i), 0));
    return amounts.empty() ? "none" : Join(amounts, ", ");
}

// The inputs a broker would miss, each as the window would name it.
const struct {
    const char* label;
    std::function<std::string(const ClientCase&)> text;
} kShownInputs[] = {
    {"State", [](const ClientCase& c) { return c.State(); }},
    {"Sex", [](const ClientCase& c) { return std::string(c.IsMale() ? "Male" : "Female"); }},
    {"Class",
     [](const ClientCase& c) {
         const auto code = static_cast<std::size_t>(c.Classification());
         return code < kClassificationNames.size() ? std::string(kClassificationNames[code])
                                                   : std::to_string(c.Classification());
     }},
    {"Table rating", [](const ClientCase& c) { return c.TableRating().empty() ? "None" : c.TableRating(); }},
    {"Permanent flat extra", [](const ClientCase& c) { return FormatAmount(c.PermFlatExtra(), 2); }},
    {"Temporary flat extra",
     [](const ClientCase& c) {
         return FormatAmount(c.TempFlatExtra(), 2) + " for " + std::to_string(c.TempFlatExtraYears()) +
                " years";
     }},
    {"Payment mode", [](const ClientCase& c) { return PaymentModeText(c.PaymentMode()); }},
    {"Child rider",
     [](const ClientCase& c) { return ChildUnitsText(c.ChildRider() ? c.ChildRiderUnits() : 0); }},
    {"Waiver",
     [](const ClientCase& c) {
         return c.Waiver()
                    ? std::string(
                          kWaiverRatings[static_cast<std::size_t>(WaiverRatingPosition(c.WaiverRating()))])
                    : YesNo(false);
     }},
    {"Spouse fee waived", [](const ClientCase& c) { return YesNo(c.WaiveSpouseFee()); }},
    {"Products", [](const ClientCase& c) { return ProductNames(c.Proposal()); }},
    {"Face amounts", [](const ClientCase& c) { return FaceAmounts(c.Proposal()); }},
};

}  // namespace

std::string CaseRecord(const ClientCase& client) {
    RecordWriter out;
    client.Save(out, false);
    return out.Text();
}

std::vector<std::string> UnshownInputs(const ClientCase& stored, const ClientCase& shown) {
    std::vector<std::string> lines;
    for (const auto& input : kShownInputs) {
        const std::string before = input.text(stored);
        const std::string after = input.text(shown);
        if (before != after)
            lines.push_back(std::string(input.label) + ": " + before + " (the window would take " + after +
                            ")");
    }
    return lines;
}

std::vector<std::int32_t> UnlistedProducts(const IllustrationOptions& stored,
                                           const std::vector<std::int32_t>& listed) {
    std::vector<std::int32_t> unlisted;
    for (std::size_t i = 0; i < stored.ProductCount(); ++i) {
        const std::int32_t product = stored.ProdChoices()[i];
        if (std::find(listed.begin(), listed.end(), product) == listed.end()) unlisted.push_back(product);
    }
    return unlisted;
}

}  // namespace quoravel
