#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quoravel {

class RecordReader;
class RecordWriter;

// What one proposal shows: the carrier, the products, the face amounts, the
// print option, the years on the ledger and the supplementary pages.
class IllustrationOptions {
public:
    enum PrintOptionCode : std::int32_t { Comparison = 0, Individual = 1, Both = 2 };

    // Set by the main window from its first proposal-type option; AddProduct
    // overwrites it (true when the product added is the first one).
    bool ProposalTypeFlag = false;

    // Face solves are not offered: the getter always reads false, though the
    // stored flag is still written to the case file.
    bool IsFaceSolve() const { return false; }
    void SetIsFaceSolve(bool value) { isFaceSolve_ = value; }

    bool OutputDescription() const { return outputDescription_; }
    void SetOutputDescription(bool v) { outputDescription_ = v; }
    bool OutputUnderwritting() const { return outputUnderwritting_; }
    void SetOutputUnderwritting(bool v) { outputUnderwritting_ = v; }
    bool OutputClassInfo() const { return outputClassInfo_; }
    void SetOutputClassInfo(bool v) { outputClassInfo_ = v; }
    bool OutputCertification() const { return outputCertification_; }
    void SetOutputCertification(bool v) { outputCertification_ = v; }
    bool OutputClassComp() const { return outputClassComp_; }
    void SetOutputClassComp(bool v) { outputClassComp_ = v; }
    bool OutputCommision() const { return outputCommision_; }
    void SetOutputCommision(bool v) { outputCommision_ = v; }

    std::int32_t PrintOption() const { return printOption_; }
    // A value outside 0-2 is stored as -1.
    void SetPrintOption(std::int32_t value);
    std::int32_t Company() const { return company_; }
    void SetCompany(std::int32_t value) { company_ = value; }

    // While no product type is stored, the first selected product becomes it.
    std::int32_t ProductType() const;
    void SetProductType(std::int32_t value) { productType_ = value; }

    std::int16_t YearsToPrint() const { return yearsToPrint_; }
    // 0-20 store 20, 21-40 store 40, anything else the whole horizon: 80 on
    // the products that end at 80, else 100.
    void SetYearsToPrint(std::int16_t value);

    // The face amount list: ascending, no duplicates, one empty spare slot last.
    const std::vector<std::optional<std::int32_t>>& FaceAmounts() const { return faceAmounts_; }
    std::int32_t GetFaceAmount(std::size_t index) const;
    void ClearFaceAmounts() { faceAmounts_.assign(1, std::nullopt); }
    // Adds an amount not yet listed and not below the minimum face amount of
    // the state and product, keeping the list in ascending order.
    void AddFaceAmount(std::int32_t amount, std::string_view state);
    // The smallest face amount the carrier issues on the product in the state.
    std::int32_t MinimumFaceAmount(std::string_view state) const;
    // The number of face amounts (the upper bound of the list).
    std::size_t FaceAmountCount() const { return faceAmounts_.size() - 1; }

    // The product list in selection order, one spare slot holding 0 last.
    const std::vector<std::int32_t>& ProdChoices() const { return prodChoices_; }
    void ClearProdChoices() { prodChoices_.assign(1, 0); }
    bool IsProductSelected(std::int32_t code) const;
    void AddProduct(std::int32_t code);
    // The number of products (the upper bound of the list).
    std::size_t ProductCount() const { return prodChoices_.size() - 1; }

    std::string ProductTypeTerminology(std::string_view state) const;
    // The same for one of the proposal's products.
    std::string ProductTypeTerminology(std::string_view state, std::int32_t productType) const;
    std::string GetCompanyString() const;
    std::string GetShortCompanyString() const;
    std::string CompanyName() const;
    std::string CompanyAddress() const;
    std::string CompanyCityState() const;

    void Save(RecordWriter& out) const;
    bool Load(RecordReader& in);

private:
    bool isFaceSolve_ = false;
    std::vector<std::optional<std::int32_t>> faceAmounts_{std::nullopt};
    bool outputUnderwritting_ = false;
    bool outputClassInfo_ = false;
    bool outputCertification_ = false;
    bool outputClassComp_ = false;
    bool outputCommision_ = false;
    std::int32_t printOption_ = 0;
    std::int32_t company_ = 0;
    mutable std::int32_t productType_ = 0;
    std::vector<std::int32_t> prodChoices_{0};
    bool outputDescription_ = false;
    std::int16_t yearsToPrint_ = 0;
};

// The carrier codes by company index: 0 "BRN", 1 "QNB", 2 "TVNY"; "BRN" for any other.
std::string CompanyCode(std::int32_t company);

// Cover, fee and ledger end at age 80 (the Tessel products).
bool EndsAtAge80(std::int32_t productType);

// The New York company's increasing-premium products (Quenby, Dorrance 5-15).
bool IsIncreasingPremiumProduct(std::int32_t productType);

}  // namespace quoravel
