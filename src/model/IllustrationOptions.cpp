#include "IllustrationOptions.h"

#include <algorithm>
#include <array>

#include "ProductCatalogue.h"
#include "RecordReader.h"
#include "RecordWriter.h"
#include "RuntimeError.h"

namespace quoravel {
namespace {

// The three carriers' names and addresses by company index.
struct CompanyStrings {
    const char* code;
    const char* companyString;
    const char* shortString;
    const char* name;
    const char* address;
    const char* cityState;
};

constexpr std::array<CompanyStrings, 3> kCompanies{{
    {"BRN", "Castmere Life and Annuity Insurance Company", "CLAIC",
     "Castmere Life and Annuity Insurance Company", "2100 Linden Ridge Parkway", "Des Moines, Iowa 50266"},
    {"QNB", "Castmere Life Insurance Company of New York", "CLICNY",
     "Castmere Life Insurance Company of New York", "40 Wall Street, Suite 2200", "New York, New York 10005"},
    {"TVNY", "Castmere Liife Insurance Company", "CLIC", "Castmere Life Insurance Company",
     "Administrative Office \u2022 2100 Linden Ridge Parkway", "Des Moines, Iowa 50266"},
}};

const CompanyStrings* Strings(std::int32_t company) {
    return company >= 0 && company < static_cast<std::int32_t>(kCompanies.size())
               ? &kCompanies[static_cast<std::size_t>(company)]
               : nullptr;
}

// Upper bounds of the stored lists beyond which a record is taken as corrupt:
// a case holds a few face amounts and at most the catalogue's products, and a
// damaged file must not have each attempt read thousands of lines.
constexpr std::int64_t kMaxListBound = 100;

}  // namespace

std::string CompanyCode(std::int32_t company) {
    const auto* strings = Strings(company);
    return strings ? strings->code : "BRN";
}

bool IsIncreasingPremiumProduct(std::int32_t productType) { return OfferOf(productType).increasingPremium; }

bool EndsAtAge80(std::int32_t productType) { return OfferOf(productType).endsAtAge80; }

void IllustrationOptions::SetPrintOption(std::int32_t value) {
    printOption_ = value >= Comparison && value <= Both ? value : -1;
}

std::int32_t IllustrationOptions::ProductType() const {
    if (productType_ == 0) productType_ = prodChoices_.front();
    return productType_;
}

void IllustrationOptions::SetYearsToPrint(std::int16_t value) {
    if (value >= 0 && value <= 20)
        yearsToPrint_ = 20;
    else if (value >= 21 && value <= 40)
        yearsToPrint_ = 40;
    else
        yearsToPrint_ = EndsAtAge80(ProductType()) ? 80 : 100;
}

std::int32_t IllustrationOptions::GetFaceAmount(std::size_t index) const {
    if (index >= faceAmounts_.size()) {
        throw RuntimeError(ErrorNumber::SubscriptOutOfRange, "cIllustrationOptions",
                           "Subscript out of range");
    }
    return faceAmounts_[index].value_or(0);
}

std::int32_t IllustrationOptions::MinimumFaceAmount(std::string_view state) const {
    return quoravel::MinimumFaceAmount(ProductType(), company_, state);
}

void IllustrationOptions::AddFaceAmount(std::int32_t amount, std::string_view state) {
    const bool listed = std::any_of(faceAmounts_.begin(), faceAmounts_.end(),
                                    [&](const auto& slot) { return slot && *slot == amount; });
    if (amount < MinimumFaceAmount(state) || listed) return;

    faceAmounts_.back() = amount;
    faceAmounts_.emplace_back();
    std::sort(faceAmounts_.begin(), faceAmounts_.end() - 1,
              [](const auto& a, const auto& b) { return a.value_or(0) < b.value_or(0); });
}

bool IllustrationOptions::IsProductSelected(std::int32_t code) const {
    return std::find(prodChoices_.begin(), prodChoices_.end(), code) != prodChoices_.end();
}

void IllustrationOptions::AddProduct(std::int32_t code) {
    if (IsProductSelected(code)) return;
    ProposalTypeFlag = prodChoices_.size() == 1;
    prodChoices_.back() = code;
    prodChoices_.push_back(0);
}

std::string IllustrationOptions::ProductTypeTerminology(std::string_view state) const {
    return ProductTypeTerminology(state, ProductType());
}

std::string IllustrationOptions::ProductTypeTerminology(std::string_view, std::int32_t productType) const {
    if (company_ != 1) return "Term Life Insurance";
    if (IsIncreasingPremiumProduct(productType)) return "Increasing Premium Life Insurance";
    // Dorrance 1 covers to age 100: its name must not promise less.
    return EndsAtAge80(productType) ? "Term Life Insurance to Age 80" : "Term Life Insurance";
}

std::string IllustrationOptions::GetCompanyString() const {
    const auto* strings = Strings(company_);
    return strings ? strings->companyString : "No Company Selected";
}

std::string IllustrationOptions::GetShortCompanyString() const {
    const auto* strings = Strings(company_);
    return strings ? strings->shortString : "No Company Selected";
}

std::string IllustrationOptions::CompanyName() const {
    const auto* strings = Strings(company_);
    return strings ? strings->name : "";
}

std::string IllustrationOptions::CompanyAddress() const {
    const auto* strings = Strings(company_);
    return strings ? strings->address : "";
}

std::string IllustrationOptions::CompanyCityState() const {
    const auto* strings = Strings(company_);
    return strings ? strings->cityState : "";
}

void IllustrationOptions::Save(RecordWriter& out) const {
    out.PrintBool(isFaceSolve_);
    out.PrintNumber(static_cast<std::int64_t>(faceAmounts_.size()) - 1);
    for (const auto& amount : faceAmounts_) {
        if (amount)
            out.PrintNumber(*amount);
        else
            out.PrintEmpty();
    }
    out.PrintBool(outputDescription_);
    for (bool flag :
         {outputUnderwritting_, outputClassInfo_, outputCertification_, outputClassComp_, outputCommision_}) {
        out.PrintBool(flag);
    }
    out.PrintNumber(printOption_);
    out.PrintNumber(company_);
    for (int reserved = 0; reserved < 4; ++reserved) out.PrintNumber(0);
    out.PrintNumber(productType_);
    out.PrintBool(ProposalTypeFlag);
    out.PrintNumber(static_cast<std::int64_t>(prodChoices_.size()) - 1);
    for (auto code : prodChoices_) out.PrintNumber(code);
    out.PrintNumber(yearsToPrint_);
}

bool IllustrationOptions::Load(RecordReader& in) {
    auto faceSolve = in.ReadBool();
    if (!faceSolve) return in.Fail("face amount solve");
    isFaceSolve_ = *faceSolve;

    auto faceBound = in.ReadInteger(0, kMaxListBound);
    if (!faceBound) return in.Fail("face amount count");
    std::vector<std::optional<std::int32_t>> amounts(static_cast<std::size_t>(*faceBound) + 1);
    for (auto& amount : amounts) {
        if (!in.ReadOptionalInt32(amount)) return in.Fail("face amount");
    }
    faceAmounts_ = std::move(amounts);

    for (bool* flag : {&outputDescription_, &outputUnderwritting_, &outputClassInfo_, &outputCertification_,
                       &outputClassComp_, &outputCommision_}) {
        auto value = in.ReadGeneralBool();
        if (!value) return in.Fail("page choice");
        *flag = *value;
    }
    auto printOption = in.ReadInt32();
    if (!printOption) return in.Fail("print option");
    auto company = in.ReadInt32();
    if (!company) return in.Fail("company");
    printOption_ = *printOption;
    company_ = *company;
    for (int reserved = 0; reserved < 4; ++reserved) {
        if (!in.ReadInt16()) return in.Fail("reserved field");
    }
    auto productType = in.ReadInt32();
    if (!productType) return in.Fail("product type");
    auto firstProduct = in.ReadGeneralBool();
    if (!firstProduct) return in.Fail("first-product flag");
    auto productBound = in.ReadInteger(0, kMaxListBound);
    if (!productBound) return in.Fail("product count");
    productType_ = *productType;
    ProposalTypeFlag = *firstProduct;
    std::vector<std::int32_t> products;
    products.reserve(static_cast<std::size_t>(*productBound) + 1);
    for (std::int64_t i = 0; i <= *productBound; ++i) {
        auto code = in.ReadInt32();
        if (!code) return in.Fail("product code");
        products.push_back(*code);
    }
    prodChoices_ = std::move(products);
    auto years = in.ReadInt16();
    if (!years) return in.Fail("years to print");
    yearsToPrint_ = *years;
    return true;
}

}  // namespace quoravel
