#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "Broker.h"
#include "Date.h"
#include "IllustrationOptions.h"

namespace quoravel {

// The table ratings a case may carry: "None", then "A" (the mildest) to "P".
const std::vector<std::string_view>& TableRatingNames();

class RecordReader;
class RecordWriter;

// Payment modes of the premium.
enum PaymentModeCode : std::int32_t {
    Annual = 0,
    SemiAnnual = 1,
    Quarterly = 2,
    DirectMonthly = 3,
    SpecialMonthly = 4
};

// One case: the proposed insured, the broker who presents the case and the
// case's illustration options, with the values derived from them.
class ClientCase {
public:
    // The marker that opens a record of the current case-file layout.
    static constexpr const char* kRecordVersion = "v1.0.01";
    // The name the main window gives a case without a name; never stored.
    static constexpr const char* kPlaceholderName = "Term Client";

    ClientCase();

    const std::string& LastName() const { return lastName_; }
    void SetLastName(std::string v) { lastName_ = std::move(v); }
    const std::string& FirstName() const { return firstName_; }
    void SetFirstName(std::string v) { firstName_ = std::move(v); }
    const std::string& MiddleInit() const { return middleInit_; }
    void SetMiddleInit(std::string v) { middleInit_ = std::move(v); }
    // The two-letter state of delivery, always upper-case.
    const std::string& State() const { return state_; }
    void SetState(std::string v);
    // The zero date means no birth date was entered; the age was entered directly.
    Date DateOfBirth() const { return dateOfBirth_; }
    void SetDateOfBirth(Date v) { dateOfBirth_ = v; }
    std::int16_t Age() const { return age_; }
    void SetAge(std::int16_t v) { age_ = v; }
    bool IsMale() const { return isMale_; }
    void SetIsMale(bool v) { isMale_ = v; }
    std::int32_t Classification() const { return classification_; }
    // A code outside 0-8 is stored as 2.
    void SetClassification(std::int32_t v);
    const std::string& TableRating() const { return tableRating_; }
    void SetTableRating(std::string v) { tableRating_ = std::move(v); }
    double PermFlatExtra() const { return permFlatExtra_; }
    void SetPermFlatExtra(double v) { permFlatExtra_ = v; }
    double TempFlatExtra() const { return tempFlatExtra_; }
    void SetTempFlatExtra(double v) { tempFlatExtra_ = v; }
    std::int32_t TempFlatExtraYears() const { return tempFlatExtraYears_; }
    void SetTempFlatExtraYears(std::int32_t v) { tempFlatExtraYears_ = v; }
    bool WaiveSpouseFee() const { return waiveSpouseFee_; }
    void SetWaiveSpouseFee(bool v) { waiveSpouseFee_ = v; }
    std::int32_t PaymentMode() const { return paymentMode_; }
    // A mode outside 0-4 is stored as 0 (annual).
    void SetPaymentMode(std::int32_t v);
    bool ChildRider() const { return childRider_; }
    void SetChildRider(bool v) { childRider_ = v; }
    std::int16_t ChildRiderUnits() const { return childRiderUnits_; }
    void SetChildRiderUnits(std::int16_t v) { childRiderUnits_ = v; }
    bool Waiver() const { return waiver_; }
    // Adding the waiver to a case without a waiver rating rates it at 100 %.
    void SetWaiver(bool v);
    double WaiverRating() const { return waiverRating_; }
    void SetWaiverRating(double v) { waiverRating_ = v; }
    const std::string& CompanyVersion() const { return companyVersion_; }
    void SetCompanyVersion(std::string v) { companyVersion_ = std::move(v); }
    const std::string& SystemVersion() const { return systemVersion_; }
    void SetSystemVersion(std::string v) { systemVersion_ = std::move(v); }
    const std::string& WinFlexPages() const { return winFlexPages_; }
    void SetWinFlexPages(std::string v) { winFlexPages_ = std::move(v); }

    // The broker is shared with the broker collection.
    Broker& AssignedBroker() const { return *broker_; }
    const std::shared_ptr<Broker>& SharedBroker() const { return broker_; }
    void SetBroker(std::shared_ptr<Broker> b) { broker_ = b ? std::move(b) : std::make_shared<Broker>(); }
    IllustrationOptions& Proposal() { return proposal_; }
    const IllustrationOptions& Proposal() const { return proposal_; }
    void SetProposal(IllustrationOptions p) { proposal_ = std::move(p); }

    std::int16_t Index() const { return index_; }
    void SetIndex(std::int16_t v) { index_ = v; }
    // The attached broker's name, or the name read from the case file.
    std::string SavedBrokerName() const;

    std::string SortName() const;
    std::string FullName() const;
    std::string ModeText(bool monthlyWording) const;
    // The sex code of the rate lookup: 0 male, 1 female, 2 unisex. In Montana
    // rates do not depend on sex: unisex when asked for, else male.
    std::int16_t sex(bool allowUnisex) const;
    std::string Classstring();
    std::string Classstring(std::int32_t classCode);
    // The numeric table rating at an age; also kept as the stored value.
    double TableRatingNum(std::int16_t atAge);
    // The same without keeping it: the table factor of an attained age.
    double TableRatingAt(std::int16_t atAge) const;
    double TableRatingNum() const { return tableRatingNum_; }
    std::int16_t YearsToIllustrate() const;
    // The same for a proposal of one product of the case.
    std::int16_t YearsToIllustrate(std::int32_t productType) const;
    std::string PolicyForm(bool usePriorRates) const;
    std::string PolicyForm2() const;
    // The yearly waiver charge rate by attained age band, before the waiver rating.
    static double WaiverAgeRate(std::int16_t atAge);
    // True when states.ini in the program folder says the case's carrier sells in its state.
    bool CompanyApprovedInState(const std::string& programFolder) const;

    // Appends one record; the three relay strings only in relay mode.
    void Save(RecordWriter& out, bool relayMode) const;
    // Reads one record of either layout. The relay strings are recognised by
    // the shape of the lines, whatever mode wrote the file.
    bool Load(RecordReader& in);

private:
    bool LoadRelayStrings(RecordReader& in);

    std::string lastName_;
    std::string firstName_;
    std::string middleInit_;
    std::string state_;
    Date dateOfBirth_;
    std::int16_t age_ = 0;
    bool isMale_ = false;
    std::int32_t classification_ = 0;
    std::string tableRating_;
    double permFlatExtra_ = 0;
    double tempFlatExtra_ = 0;
    std::int32_t tempFlatExtraYears_ = 0;
    bool waiveSpouseFee_ = false;
    std::int32_t paymentMode_ = 0;
    bool childRider_ = false;
    std::int16_t childRiderUnits_ = 0;
    bool waiver_ = false;
    double waiverRating_ = 0;
    double tableRatingNum_ = 0;
    std::string companyVersion_;
    std::string systemVersion_;
    std::string winFlexPages_;
    std::shared_ptr<Broker> broker_;
    IllustrationOptions proposal_;
    std::int16_t index_ = 0;
    std::string savedBrokerName_;
};

// Older case files used a classification scale of six codes.
std::int32_t MapOldClassification(std::int32_t oldCode);

}  // namespace quoravel
