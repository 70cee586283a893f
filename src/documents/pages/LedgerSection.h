#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "PageContext.h"
#include "PremiumEngine.h"

namespace quoravel {

class LedgerPageHeader;

// The four ledgers a proposal can carry.
enum class LedgerLayout { BasicQuotation, FaceComparison, ProductComparison, ClassComparison };

// What a payment mode pays each time: a fraction of the annual premium.
struct PaymentModeRule {
    double factor;     // the modal factor
    const char* word;  // as the footnotes name the mode
};
// By payment mode code (annual 0 to special monthly 4); a code out of range takes the nearest.
const PaymentModeRule& ModeRule(std::int32_t mode);

// One premium column of a ledger.
struct LedgerColumnData {
    std::string heading;
    // The premiums by policy year from the first, as far as the product
    // covers the insured (products ending at 80 stop there).
    std::vector<YearPremium> years;
    // The first years, whose premiums are shown in the payment mode; later
    // years are shown annual.
    int modalYears = 0;
    std::int32_t faceAmount = 0;
    // The client's own class beside the others of a class comparison.
    bool assumedClass = false;
};

// The premiums the ledgers show for a product and face amount of the
// options, priced in `classCode`. The policy fee is waived when the client
// waives it for a qualifying spouse on a carrier that offers it.
LedgerColumnData LedgerColumn(PageContext& context, std::int32_t productNumber, std::size_t faceIndex,
                              std::int32_t classCode);

// The premium columns of the report the options call for, each made by
// `column` from a product and the index of a face amount: the products
// compared at the first face amount, or the face amounts of the first product.
std::vector<LedgerColumnData> ReportColumns(
    const ClientCase& client, const std::function<LedgerColumnData(std::int32_t, std::size_t)>& column);

// The text of a ledger's rows as its pages print them: the year, the age
// where the layout shows it, a premium for each column (modal in the level
// years) and the basic quotation's death benefit.
std::vector<std::vector<std::string>> LedgerRows(const ClientCase& client, LedgerLayout layout,
                                                 const std::vector<LedgerColumnData>& columns);
// The title over a ledger's rows.
std::string LedgerTitle(LedgerLayout layout);
// The headings of its columns, a line break between the lines of one.
std::vector<std::string> LedgerHeadings(const ClientCase& client, LedgerLayout layout,
                                        const std::vector<LedgerColumnData>& columns);

// Policy years a ledger shows: the options' 20 or 40, else every year the
// premiums cover, never past the client's illustration end age.
int YearsShown(const ClientCase& client, std::size_t yearsCovered);

// Lays out one ledger through the ledger table frame, from a new page; the
// page object opens and closes its pages.
void PrintLedger(PageContext& context, LedgerLayout layout, const std::vector<LedgerColumnData>& columns,
                 LedgerPageHeader& pageObject);

// The report the options call for: several products are compared (at the
// first face amount), else several face amounts, else one policy is quoted.
LedgerLayout ReportLayout(const IllustrationOptions& options);

// The ledger section of a report: the basic quotation of the one product
// and face amount with its premium breakdown and cost indices, or the
// comparison of the face amounts or of the products (five at most). It
// turns the page footers on and counts the pages the outside illustration
// system adds to the run.
void PrintLedgerSection(PageContext& context);

}  // namespace quoravel
