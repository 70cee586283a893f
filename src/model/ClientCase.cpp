#include "ClientCase.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <type_traits>

#include "IniFile.h"
#include "RecordReader.h"
#include "RecordWriter.h"
#include "Text.h"

namespace quoravel {
namespace {

// Table ratings as multiples of standard mortality. The New York company
// uses the reduced scale at the oldest issue ages.
struct TableRatingRow {
    std::string_view code;
    double fullScale;
    double reducedScale;
};

constexpr std::array<TableRatingRow, 19> kTableRatings{{
    {"A", 0.25, 0.15},  {"AA", 0.37, 0.22}, {"B", 0.50, 0.30}, {"BB", 0.62, 0.37}, {"C", 0.75, 0.45},
    {"CC", 0.87, 0.53}, {"D", 1.00, 0.60},  {"E", 1.25, 0.75}, {"F", 1.50, 0.90},  {"G", 1.75, 1.05},
    {"H", 2.00, 1.20},  {"I", 2.25, 1.35},  {"J", 2.50, 1.50}, {"K", 2.75, 1.65},  {"L", 3.00, 1.80},
    {"M", 3.25, 1.95},  {"N", 3.50, 2.10},  {"O", 3.75, 2.25}, {"P", 4.00, 2.40},
}};

}  // namespace

const std::vector<std::string_view>& TableRatingNames() {
    static const std::vector<std::string_view> names = [] {
        std::vector<std::string_view> all{"None"};
        for (const TableRatingRow& row : kTableRatings) all.push_back(row.code);
        return all;
    }();
    return names;
}

namespace {

// The wording of each underwriting class; the custom classes read "Rated"
// once a table rating applies.
struct ClassRow {
    const char* text;
    const char* ratedText;
};

constexpr std::array<ClassRow, 9> kClasses{{
    {"Preferred Elite No Nicotine", nullptr},
    {"Preferred Best No Nicotine Use", nullptr},
    {"Preferred No Nicotine Use", nullptr},
    {"Select No Nicotine Use", nullptr},
    {"Standard No Nicotine Use", nullptr},
    {"Preferred Nicotine Use", nullptr},
    {"Standard Nicotine Use", nullptr},
    {"Custom No Nicotine Use", "Rated No Nicotine Use"},
    {"Custom Nicotine Use", "Rated Nicotine Use"},
}};

constexpr std::array<const char*, 5> kModeTexts{"Annual", "Semi-Annual", "Quarterly", "Direct Monthly",
                                                "Special Monthly"};

// Policy form numbers by carrier and state, first matching row wins.
struct PolicyFormRow {
    std::int32_t company;
    std::string_view state;      // "" for any state
    bool onlyCurrentScale;       // not while the prior rate scale applies
    bool onlyIncreasingPremium;  // QNB's increasing-premium products
    const char* form;
};

constexpr std::array<PolicyFormRow, 9> kPolicyForms{{
    {2, "NJ", false, false, "Talvern-1420 NJ"},
    {2, "MD", true, false, "Talvern-1420 MD"},
    {2, "", false, false, "Talvern-1420"},
    {1, "NJ", false, true, "QN-1410-GP-04"},
    {1, "", false, true, "QN-1410-GP"},
    {1, "", false, false, "QN-1420"},
    {0, "NJ", false, false, "1420 (96) NJ"},
    {0, "MD", true, false, "1421 MD"},
    {0, "", false, false, "1420 (96)"},
}};

// Waiver charge rates by attained age band.
struct WaiverBand {
    int fromAge;
    int toAge;
    double rate;
};

constexpr std::array<WaiverBand, 4> kWaiverBands{
    {{18, 29, 0.06}, {30, 39, 0.11}, {40, 49, 0.18}, {50, 59, 0.27}}};

// Sizes beyond which a stored text is taken as a corrupt record: longer
// than any text the window can enter (a line field holds 32,767
// characters), so every case the window saved reads back whole.
constexpr std::size_t kMaxFieldLength = 32767;

// Stores a field that was read; false, with the field named to the reader,
// when it could not be read.
template <typename T>
bool Take(RecordReader& in, std::string_view name, std::optional<T> value, T& field) {
    if (!value) return in.Fail(name);
    if constexpr (std::is_same_v<T, std::string>) {
        if (value->size() > kMaxFieldLength) return in.Fail(name);
    }
    field = std::move(*value);
    return true;
}

}  // namespace

std::int32_t MapOldClassification(std::int32_t oldCode) {
    static constexpr std::array<std::int32_t, 5> kMap{1, 2, 4, 5, 6};
    return oldCode >= 0 && oldCode < 5 ? kMap[static_cast<std::size_t>(oldCode)] : 0;
}

ClientCase::ClientCase() : broker_(std::make_shared<Broker>()) {}

void ClientCase::SetState(std::string v) { state_ = ToUpper(v); }

void ClientCase::SetClassification(std::int32_t v) { classification_ = v >= 0 && v <= 8 ? v : 2; }

void ClientCase::SetPaymentMode(std::int32_t v) {
    paymentMode_ = v >= Annual && v <= SpecialMonthly ? v : Annual;
}

void ClientCase::SetWaiver(bool v) {
    waiver_ = v;
    if (v && waiverRating_ == 0) waiverRating_ = 1.0;
}

std::string ClientCase::SavedBrokerName() const {
    std::string name = broker_->SortName();
    return name.empty() ? savedBrokerName_ : name;
}

std::string ClientCase::SortName() const {
    std::string name = lastName_;
    if (!firstName_.empty()) name += name.empty() ? firstName_ : ", " + firstName_;
    if (!middleInit_.empty()) name += " " + middleInit_;
    return name;
}

std::string ClientCase::FullName() const {
    std::string name;
    for (const std::string* part : {&firstName_, &middleInit_, &lastName_}) {
        if (part->empty()) continue;
        if (!name.empty()) name += ' ';
        name += *part;
    }
    return name;
}

std::string ClientCase::ModeText(bool monthlyWording) const {
    if (paymentMode_ == SpecialMonthly && monthlyWording) return "Monthly";
    return paymentMode_ >= Annual && paymentMode_ <= SpecialMonthly
               ? kModeTexts[static_cast<std::size_t>(paymentMode_)]
               : "Annual";
}

std::int16_t ClientCase::sex(bool allowUnisex) const {
    if (State() == "MT") return allowUnisex ? 2 : 0;
    return isMale_ ? 0 : 1;
}

std::string ClientCase::Classstring() { return Classstring(classification_); }

std::string ClientCase::Classstring(std::int32_t classCode) {
    if (classCode < 0 || classCode > 8) return "";
    const ClassRow& row = kClasses[static_cast<std::size_t>(classCode)];
    if (row.ratedText && TableRatingNum(age_) != 0) return row.ratedText;
    return row.text;
}

double ClientCase::TableRatingNum(std::int16_t atAge) {
    tableRatingNum_ = TableRatingAt(atAge);
    return tableRatingNum_;
}

double ClientCase::TableRatingAt(std::int16_t atAge) const {
    const bool reduced = proposal_.Company() == 1 && (State() == "NJ" ? atAge >= 70 : atAge >= 80);
    for (const auto& row : kTableRatings) {
        if (row.code == tableRating_) return reduced ? row.reducedScale : row.fullScale;
    }
    return 0;
}

std::int16_t ClientCase::YearsToIllustrate() const { return YearsToIllustrate(proposal_.ProductType()); }

std::int16_t ClientCase::YearsToIllustrate(std::int32_t productType) const {
    if (EndsAtAge80(productType)) return 80;
    if (State() == "NY") return 100;
    if (State() == "MD") return 95;
    return 98;
}

std::string ClientCase::PolicyForm(bool usePriorRates) const {
    const std::int32_t company = proposal_.Company();
    const bool increasing = IsIncreasingPremiumProduct(proposal_.ProductType());
    for (const auto& row : kPolicyForms) {
        if (row.company != company) continue;
        if (!row.state.empty() && row.state != State()) continue;
        if (row.onlyCurrentScale && usePriorRates) continue;
        if (row.onlyIncreasingPremium && !increasing) continue;
        return row.form;
    }
    return "";
}

std::string ClientCase::PolicyForm2() const { return proposal_.Company() == 0 ? "1421" : ""; }

double ClientCase::WaiverAgeRate(std::int16_t atAge) {
    for (const auto& band : kWaiverBands) {
        if (atAge >= band.fromAge && atAge <= band.toAge) return band.rate;
    }
    return 0;
}

bool ClientCase::CompanyApprovedInState(const std::string& programFolder) const {
    if (State().empty()) return false;
    IniFile states;
    states.SetPathname(programFolder);
    states.SetFilename("states.ini");
    states.SetSection(State());
    return states.ReadINI(CompanyCode(proposal_.Company()), IniFile::Text).Text() == "yes";
}

void ClientCase::Save(RecordWriter& out, bool relayMode) const {
    out.WriteString(kRecordVersion);
    out.WriteString(lastName_);
    out.WriteString(firstName_);
    out.WriteString(middleInit_);
    out.WriteString(state_);
    out.WriteDate(dateOfBirth_);
    // A case whose broker is not in the broker list keeps the name it was read with.
    out.WriteString(SavedBrokerName());
    out.WriteInteger(age_);
    out.WriteBool(isMale_);
    out.WriteInteger(classification_);
    out.WriteString(tableRating_);
    out.WriteDouble(permFlatExtra_);
    out.WriteDouble(tempFlatExtra_);
    out.WriteInteger(tempFlatExtraYears_);
    out.WriteBool(waiveSpouseFee_);
    out.WriteInteger(paymentMode_);
    out.WriteBool(childRider_);
    out.WriteInteger(childRiderUnits_);
    out.WriteBool(waiver_);
    out.WriteDouble(waiverRating_);
    out.WriteDouble(tableRatingNum_);
    if (relayMode) {
        out.WriteString(companyVersion_);
        out.WriteString(systemVersion_);
        out.WriteString(winFlexPages_);
    }
    proposal_.Save(out);
}

bool ClientCase::Load(RecordReader& in) {
    std::string head;
    if (!Take(in, "record mark", in.ReadString(), head)) return false;
    const bool current = head == kRecordVersion;
    if (current) {
        if (!Take(in, "last name", in.ReadString(), lastName_)) return false;
    } else {
        lastName_ = std::move(head);
    }
    std::string st;
    if (!Take(in, "first name", in.ReadString(), firstName_) ||
        !Take(in, "middle initial", in.ReadString(), middleInit_) ||
        !Take(in, "state", in.ReadString(), st)) {
        return false;
    }
    SetState(std::move(st));
    // Only the current layout stores the birth date and the broker's name.
    if (current && (!Take(in, "birth date", in.ReadDate(), dateOfBirth_) ||
                    !Take(in, "broker", in.ReadString(), savedBrokerName_)))
        return false;

    std::int32_t classCode = 0;
    if (!Take(in, "age", in.ReadInt16(), age_) || !Take(in, "sex", in.ReadBool(), isMale_) ||
        !Take(in, "class", in.ReadInt32(), classCode)) {
        return false;
    }
    SetClassification(current ? classCode : MapOldClassification(classCode));

    bool waiver = false;
    const bool ok = Take(in, "table rating", in.ReadString(), tableRating_) &&
                    Take(in, "permanent flat extra", in.ReadDouble(), permFlatExtra_) &&
                    Take(in, "temporary flat extra", in.ReadDouble(), tempFlatExtra_) &&
                    Take(in, "temporary flat extra years", in.ReadInt32(), tempFlatExtraYears_) &&
                    Take(in, "spouse fee waiver", in.ReadGeneralBool(), waiveSpouseFee_) &&
                    Take(in, "payment mode", in.ReadInt32(), paymentMode_) &&
                    Take(in, "child rider", in.ReadGeneralBool(), childRider_) &&
                    Take(in, "child rider units", in.ReadInt16(), childRiderUnits_) &&
                    Take(in, "waiver", in.ReadGeneralBool(), waiver) &&
                    Take(in, "waiver rating", in.ReadDouble(), waiverRating_) &&
                    Take(in, "numeric table rating", in.ReadDouble(), tableRatingNum_);
    if (!ok) return false;
    waiver_ = waiver;
    SetPaymentMode(paymentMode_);
    return LoadRelayStrings(in) && proposal_.Load(in);
}

bool ClientCase::LoadRelayStrings(RecordReader& in) {
    // Case files written in relay mode carry three more strings before the
    // options block, which opens with a True/False line: the next line's
    // shape tells which file this is, whatever mode reads it.
    if (!in.NextIsString()) return true;
    return Take(in, "company version", in.ReadString(), companyVersion_) &&
           Take(in, "system version", in.ReadString(), systemVersion_) &&
           Take(in, "page list", in.ReadString(), winFlexPages_);
}

}  // namespace quoravel
