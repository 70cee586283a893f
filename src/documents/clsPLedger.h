#pragma once

#include <string>

#include "clsPLedgerFrame.h"

namespace quoravel {

// The ledger page object of a basic quotation: the first-year premium
// breakdown above the first ledger page and the interest-adjusted cost
// indices below the last. Amounts arrive as number texts, as the report
// computed and rounded them; both blocks stay off until enabled.
class clsPLedger : public LedgerPageHeader {
public:
    // The lines the breakdown takes from the page's line budget.
    static constexpr int kHeaderLines = 7;

    bool ledgerHeader() const { return ledgerHeader_; }
    void SetLedgerHeader(bool on) { ledgerHeader_ = on; }
    bool ledgerFooter() const { return ledgerFooter_; }
    void SetLedgerFooter(bool on) { ledgerFooter_ = on; }

    const std::string& BasePremium() const { return basePremium_; }
    void SetBasePremium(std::string v) { basePremium_ = std::move(v); }
    const std::string& RatedClass() const { return ratedClass_; }
    void SetRatedClass(std::string v) { ratedClass_ = std::move(v); }
    const std::string& WaiverRating() const { return waiverRating_; }
    void SetWaiverRating(std::string v) { waiverRating_ = std::move(v); }
    const std::string& ChildRider() const { return childRider_; }
    void SetChildRider(std::string v) { childRider_ = std::move(v); }
    const std::string& TempExtra() const { return tempExtra_; }
    void SetTempExtra(std::string v) { tempExtra_ = std::move(v); }
    const std::string& PermExtra() const { return permExtra_; }
    void SetPermExtra(std::string v) { permExtra_ = std::move(v); }

    const std::string& TempExtraYrs() const { return tempExtraYrs_; }
    void SetTempExtraYrs(std::string v) { tempExtraYrs_ = std::move(v); }
    // The waiver rating as a fraction: 1 is standard, 1.5 is rated 150 %.
    const std::string& WaiverPercent() const { return waiverPercent_; }
    void SetWaiverPercent(std::string v) { waiverPercent_ = std::move(v); }
    const std::string& ChildUnits() const { return childUnits_; }
    void SetChildUnits(std::string v) { childUnits_ = std::move(v); }
    const std::string& TableNumber() const { return tableNumber_; }
    void SetTableNumber(std::string v) { tableNumber_ = std::move(v); }

    const std::string& Yr10IACNetPay() const { return yr10NetPay_; }
    void SetYr10IACNetPay(std::string v) { yr10NetPay_ = std::move(v); }
    const std::string& Yr20IACNetPay() const { return yr20NetPay_; }
    void SetYr20IACNetPay(std::string v) { yr20NetPay_ = std::move(v); }
    const std::string& Yr10IACSurrCost() const { return yr10SurrCost_; }
    void SetYr10IACSurrCost(std::string v) { yr10SurrCost_ = std::move(v); }
    const std::string& Yr20IACSurrCost() const { return yr20SurrCost_; }
    void SetYr20IACSurrCost(std::string v) { yr20SurrCost_ = std::move(v); }

    int printHeader(clsPrint& print, bool firstPage) override;
    void printFooter(clsPrint& print, bool lastPage) override;

private:
    bool ledgerHeader_ = false;
    bool ledgerFooter_ = false;
    std::string basePremium_;
    std::string ratedClass_;
    std::string waiverRating_;
    std::string childRider_;
    std::string tempExtra_;
    std::string permExtra_;
    std::string tempExtraYrs_;
    std::string waiverPercent_;
    std::string childUnits_;
    std::string tableNumber_;
    std::string yr10NetPay_;
    std::string yr20NetPay_;
    std::string yr10SurrCost_;
    std::string yr20SurrCost_;
};

}  // namespace quoravel
