#pragma once

#include <string>

#include "InterestIndices.h"
#include "LedgerTable.h"
#include "PremiumEngine.h"

namespace quoravel {

// The ledger page object of a basic quotation: the first-year premium
// breakdown above the first ledger page and the interest-adjusted cost
// indices below the last. It takes the engine's numbers and formats them
// only as it draws them; both blocks stay off until enabled.
class LedgerPage : public LedgerPageHeader {
public:
    // The lines the breakdown takes from the page's line budget.
    static constexpr int kHeaderLines = 7;

    // What the breakdown's labels name besides the amounts.
    struct Labels {
        int tempExtraYears = 0;
        double waiverRating = 1;  // a fraction: 1 is standard, 1.5 is rated 150 %
        int childUnits = 0;
        std::string tableRating;
    };

    bool LedgerHeader() const { return ledgerHeader_; }
    void SetLedgerHeader(bool on) { ledgerHeader_ = on; }
    bool LedgerFooter() const { return ledgerFooter_; }
    void SetLedgerFooter(bool on) { ledgerFooter_ = on; }

    // The first policy year's premium, its parts and total as the engine priced them.
    void SetFirstYear(const YearPremium& year, Labels labels) {
        firstYear_ = year;
        labels_ = std::move(labels);
    }
    void SetIndices(const InterestIndices& indices) { indices_ = indices; }

    int PrintHeader(ProposalPrinter& print, bool firstPage) override;
    void PrintFooter(ProposalPrinter& print, bool lastPage) override;

private:
    bool ledgerHeader_ = false;
    bool ledgerFooter_ = false;
    YearPremium firstYear_;
    Labels labels_;
    InterestIndices indices_;
};

}  // namespace quoravel
