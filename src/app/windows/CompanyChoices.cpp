#include "CompanyChoices.h"

#include <array>

#include "ProductLookups.h"

namespace quoravel {
namespace {

struct CompanyChoice {
    const char* title;
    const char* helpFile;
    const char* caseFileKey;
    std::vector<std::string> products;
    // The list in New Jersey, where the carrier sells other products; empty
    // when the carrier's list is the same everywhere.
    std::vector<std::string> productsInNJ;
};

const std::array<CompanyChoice, 3>& Choices() {
    static const std::array<CompanyChoice, 3> choices{{
        {"Castmere Life and Annuity Insurance Company - Quoravel\u00AE Proposal System",
         "termBRN.html",
         "DefaultFile.brn",
         {"Brellan 10", "Brellan 15", "Brellan 20", "Brellan 30"},
         {}},
        {"Castmere Life Insurance Company of New York - Quoravel\u00AE Proposal System",
         "termQNB.html",
         "DefaultFile",
         {"Tessel 10", "Tessel 15", "Tessel 20", "Tessel 30"},
         {"Dorrance 5", "Dorrance 10", "Dorrance 15", "Quenby 10", "Quenby 15"}},
        {"Castmere Life & Annuity - Quoravel\u00AE Proposal System",
         "termTVNY.html",
         "DefaultFile.TVNY",
         {"Korvel 5", "Korvel 10", "Korvel 15", "Korvel 20", "Korvel 30"},
         {}},
    }};
    return choices;
}

const CompanyChoice& ChoiceOf(std::int32_t company) {
    return company >= 0 && company < 3 ? Choices()[static_cast<std::size_t>(company)] : Choices()[0];
}

// The window's Korvel texts stand for the carrier's own products 1-6.
constexpr std::int16_t kOwnProducts = 1;

}  // namespace

std::vector<std::string> ProductNamesOf(std::int32_t company, std::string_view state) {
    const CompanyChoice& choice = ChoiceOf(company);
    return state == "NJ" && !choice.productsInNJ.empty() ? choice.productsInNJ : choice.products;
}

std::int32_t ProductOfListText(std::string_view text) { return GetProductFromString(text, kOwnProducts); }

std::string MainWindowTitle(std::int32_t company, bool isGA, const std::string& caseFileShortName) {
    return std::string(ChoiceOf(company).title) + (isGA ? " GA Version" : "") + " - " + caseFileShortName;
}

std::string HelpFileOf(std::int32_t company) { return ChoiceOf(company).helpFile; }

std::string CaseFileKeyOf(std::int32_t company) { return ChoiceOf(company).caseFileKey; }

bool OffersChildRider(std::int32_t company) { return company != 1; }

}  // namespace quoravel
