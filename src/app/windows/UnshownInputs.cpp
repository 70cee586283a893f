#include "ShownCase.h"

#include <algorithm>
#include <functional>

#include "CompanyChoices.h"
#include "Enumerations.h"
#include "InputRules.h"
#include "RecordWriter.h"
#include "Rounding.h"
#include "Text.h"

namespace quoravel {
namespace {

std::string YesNo(bool value) { return value ? "Yes" : "No"; }

std::string ProductNames(const cIllustrationOptions& options) {
    std::vector<std::string> names;
    for (std::size_t i = 0; i < options.ProductCount(); ++i)
        names.push_back(ProductDisplayName(options.ProdChoices()[i], options.Company()));
    return names.empty() ? "none" : Join(names, ", ");
}

std::string FaceAmounts(const cIllustrationOptions& options) {
    std::vector<std::string> amounts;
    for (std::size_t i = 0; i < options.FaceAmountCount(); ++i)
        amounts.push_back("$" + FormatAmount(options.GetFaceAmount(i), 0));
    return amounts.empty() ? "none" : Join(amounts, ", ");
}

// The inputs a broker would miss, each as the window would name it.
const struct {
    const char* label;
    std::function<std::string(const cClient&)> text;
} kShownInputs[] = {
    {"State", [](const cClient& c) { return c.state(); }},
    {"Sex", [](const cClient& c) { return std::string(c.IsMale() ? "Male" : "Female"); }},
    {"Class",
     [](const cClient& c) {
         const auto code = static_cast<std::size_t>(c.Classification());
         return code < kClassificationNames.size() ? std::string(kClassificationNames[code])
                                                   : std::to_string(c.Classification());
     }},
    {"Table rating", [](const cClient& c) { return c.TableRating().empty() ? "None" : c.TableRating(); }},
    {"Permanent flat extra", [](const cClient& c) { return FormatAmount(c.PermFlatExtra(), 2); }},
    {"Temporary flat extra",
     [](const cClient& c) {
         return FormatAmount(c.TempFlatExtra(), 2) + " for " + std::to_string(c.TempFlatExtraYears()) +
                " years";
     }},
    {"Payment mode", [](const cClient& c) { return PaymentModeText(c.PaymentMode()); }},
    {"Child rider",
     [](const cClient& c) { return ChildUnitsText(c.ChildRider() ? c.ChildRiderUnits() : 0); }},
    {"Waiver",
     [](const cClient& c) {
         return c.Waiver()
                    ? std::string(
                          kWaiverRatings[static_cast<std::size_t>(WaiverRatingPosition(c.WaiverRating()))])
                    : YesNo(false);
     }},
    {"Spouse fee waived", [](const cClient& c) { return YesNo(c.WaiveSpouseFee()); }},
    {"Products", [](const cClient& c) { return ProductNames(c.proposal()); }},
    {"Face amounts", [](const cClient& c) { return FaceAmounts(c.proposal()); }},
};

}  // namespace

std::string CaseRecord(const cClient& client) {
    RecordWriter out;
    client.Save(out, false);
    return out.Text();
}

std::vector<std::string> UnshownInputs(const cClient& stored, const cClient& shown) {
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

std::vector<std::int32_t> UnlistedProducts(const cIllustrationOptions& stored,
                                           const std::vector<std::string>& listed) {
    std::vector<std::int32_t> unlisted;
    for (std::size_t i = 0; i < stored.ProductCount(); ++i) {
        const std::int32_t product = stored.ProdChoices()[i];
        const bool inList = std::any_of(listed.begin(), listed.end(), [&](const std::string& text) {
            return ProductOfListText(text) == product;
        });
        if (!inList) unlisted.push_back(product);
    }
    return unlisted;
}

}  // namespace quoravel
