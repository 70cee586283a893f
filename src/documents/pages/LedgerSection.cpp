#include "LedgerSection.h"

#include <algorithm>
#include <array>
#include <charconv>

#include "InterestIndices.h"
#include "LedgerPage.h"
#include "LedgerTable.h"
#include "ProductLookups.h"
#include "ProductTerms.h"
#include "Rounding.h"
#include "SectionStart.h"
#include "Text.h"
#include "Value.h"

namespace quoravel {
namespace {

constexpr const char* kModule = "LedgerSection";
// The rate matrix columns the premium engine fills without an explicit column.
// Five-year blocks: every level and guarantee period of the catalogue ends
// on a fifth policy year, so a period's last premium closes a block.
constexpr std::int16_t kRowsPerBlock = 5;
constexpr std::size_t kMaxCompared = 5;
constexpr std::int16_t kYearColumn = 1;
constexpr std::int16_t kAmountColumn = 2;
constexpr std::int16_t kFootnoteLines = 2;
constexpr std::int16_t kLedgerFontSize = 10;

// By payment mode: annual, semi-annual, quarterly, direct monthly, special monthly.
constexpr std::array<PaymentModeRule, 5> kPaymentModes{{
    {1, "annual"},
    {0.51, "semi-annual"},
    {0.26, "quarterly"},
    {0.09, "monthly"},
    {0.0875, "Special Monthly"},
}};

struct LayoutText {
    const char* title;
    std::int16_t fixedColumns;  // Year, or Year and Age, before the amounts
};
constexpr LayoutText kLayouts[] = {
    {"Guaranteed Premiums and Benefits", 2},
    {"Comparison of Premiums for the Guaranteed Period", 1},
    {"Premium Outlay Comparison", 1},
    {"Comparison of Guaranteed Premiums by Risk Classification", 2},
};

const LayoutText& Layout(LedgerLayout layout) { return kLayouts[static_cast<std::size_t>(layout)]; }

std::string ModeFootnote(const std::string& word) {
    return "These are initial " + word + " premiums.  Other premiums shown are annual. " + " Future " + word +
           " premiums can be calculated using the modal factors.\n\n";
}

std::string MassachusettsFootnote(double firstYearAnnual) {
    const ModalPremiums modal = FirstYearModalPremiums(firstYearAnnual);
    return "1st Year Modal Premiums (See Narrative Summary for the factors used to "
           "calculate premiums for modes other than annual.):  Special Monthly: $" +
           FormatAmount(modal.specialMonthly, 2) + " Quarterly: $" + FormatAmount(modal.quarterly, 2) +
           " Semi-Annual: $" + FormatAmount(modal.semiAnnual, 2) + "\n\n";
}

constexpr const char* kModalFactorsFootnote =
    "Modal Factors: Special Monthly (Pre-Arranged Withdrawals): 0.0875 (10.8% APR), "
    "Quarterly: 0.26 (10.8% APR), and Semi-Annual: 0.51 (8.2% APR).  Non-annual "
    "modal premiums include an additional cost consistent with the listed APR.  Your yearly "
    "premium cost will be higher if you pay more frequently than annually.\n\n";

// The premium a row shows: modal in the level years, annual afterwards.
std::string PremiumText(const LedgerColumnData& column, int year, const PaymentModeRule& mode) {
    const auto index = static_cast<std::size_t>(year);
    if (index >= column.years.size()) return "";
    const double annual = column.years[index].Total();
    return FormatAmount(year < column.modalYears ? round(2, annual * mode.factor) : annual, 2);
}

// The outside illustration system's pages count in the ledger run's total.
std::int16_t WinFlexPageCount(const ClientCase& client) {
    const std::string_view text = Trim(client.WinFlexPages());
    std::int16_t pages = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), pages);
    return result.ec == std::errc() && result.ptr == text.data() + text.size() ? pages : 0;
}

// The basic quotation's page object: breakdown of the first year and the
// cost indices of the policy.
void FillLedgerPage(LedgerPage& page, const ClientCase& client, const LedgerColumnData& column,
                    std::int32_t productNumber) {
    const YearPremium& first = column.years.front();
    page.SetLedgerHeader(true);
    page.SetLedgerFooter(true);
    page.SetFirstYear(first, {client.TempFlatExtraYears(), client.WaiverRating(), client.ChildRiderUnits(),
                              client.TableRating()});

    // The page says the riders are excluded from the indices.
    std::vector<double> premiums;
    premiums.reserve(column.years.size());
    for (const YearPremium& year : column.years) premiums.push_back(year.WithoutRiders());
    ProductInfo product;
    product.FillProduct(productNumber, client.Age(), false);
    page.SetIndices(
        ComputeInterestIndices(premiums, column.faceAmount, client.Age(), client.State(), product));
}

}  // namespace

const PaymentModeRule& ModeRule(std::int32_t mode) {
    return kPaymentModes[static_cast<std::size_t>(std::clamp(mode, 0, 4))];
}

LedgerColumnData LedgerColumn(PageContext& context, std::int32_t productNumber, std::size_t faceIndex,
                              std::int32_t classCode) {
    ClientCase priced = context.client;
    priced.SetClassification(classCode);
    LedgerColumnData column;
    column.faceAmount = priced.Proposal().GetFaceAmount(faceIndex);
    // The client's own class is priced once, before the pages.
    const PricedLine* line = context.priced && classCode == context.client.Classification()
                                 ? context.priced->Line(productNumber, column.faceAmount)
                                 : nullptr;
    if (line) {
        column.years = line->years;
    } else {
        column.years = ComputePremiumSchedule(context.rates, priced, productNumber, faceIndex).years;
        column.years.resize(YearsCovered(productNumber, priced.Age(), column.years.size()));
    }
    column.modalYears = TermsOf(productNumber, priced.Age(), priced.State()).modalYears;
    return column;
}

int YearsShown(const ClientCase& client, std::size_t yearsCovered) {
    int years = static_cast<int>(std::min<std::size_t>(yearsCovered, LedgerTable::kMaxRows));
    const int toPrint = client.Proposal().YearsToPrint();
    if (toPrint == 20 || toPrint == 40) years = std::min(years, toPrint);
    return std::clamp(years, 0, client.YearsToIllustrate() - client.Age());
}

void PrintLedger(PageContext& context, LedgerLayout layout, const std::vector<LedgerColumnData>& columns,
                 LedgerPageHeader& pageObject) {
    const ClientCase& client = context.client;
    ProposalPrinter& print = context.print;
    const LayoutText& text = Layout(layout);
    const bool basic = layout == LedgerLayout::BasicQuotation;
    const PaymentModeRule& mode = ModeRule(client.PaymentMode());
    const bool modal = client.PaymentMode() != Annual;

    const std::vector<std::string> headings = LedgerHeadings(client, layout, columns);
    std::vector<std::int16_t> codes(static_cast<std::size_t>(text.fixedColumns), kYearColumn);
    codes.resize(headings.size(), kAmountColumn);

    LedgerTable ledger;
    ledger.HeaderObject(pageObject);
    ledger.Surface(print.Surface());
    ledger.Frame(print.Frame());
    ledger.SetDeliveryState(client.State());
    ledger.SetColumnCount(static_cast<std::int16_t>(headings.size()));
    ledger.SetRowBlockLines(kRowsPerBlock);
    ledger.SetRowFormat(codes);
    print.SetFontSize(kLedgerFontSize);
    ledger.start(print);

    std::string title = text.title;
    if (SpouseFeeWaived(client)) title += "\nAssumes Waiver of Policy Fee for Qualifying Spouse";
    ledger.AddHeaderRow(false, "+^", {title});
    ledger.AddHeaderRow(false, "+^", headings);
    if (modal) {
        // The comparisons have no one premium heading: their title carries the mark.
        if (basic)
            ledger.SetHeaderSymbol(2, 3, "#");
        else
            ledger.SetHeaderSymbol(1, 1, "#");
        ledger.AddFootnote("#", ModeFootnote(mode.word), kFootnoteLines, true);
    }
    for (std::size_t i = 0; i < columns.size(); ++i) {
        if (!columns[i].assumedClass) continue;
        ledger.SetHeaderSymbol(2, static_cast<std::int16_t>(text.fixedColumns + i + 1), "**");
        ledger.AddFootnote("**", "Assumed Risk Classification of Client\n\n", kFootnoteLines, true);
    }
    // Massachusetts states the first-year premium of every mode where there is one policy to state.
    if (basic && client.State() == "MA" && !columns.front().years.empty()) {
        ledger.AddFootnote("", MassachusettsFootnote(columns.front().years.front().Total()), kFootnoteLines,
                           false);
    } else {
        ledger.AddFootnote("", kModalFactorsFootnote, kFootnoteLines, false);
    }

    for (const std::vector<std::string>& row : LedgerRows(client, layout, columns)) ledger.AddRowValues(row);
    ledger.finish();
}

std::vector<std::vector<std::string>> LedgerRows(const ClientCase& client, LedgerLayout layout,
                                                 const std::vector<LedgerColumnData>& columns) {
    const bool basic = layout == LedgerLayout::BasicQuotation;
    const PaymentModeRule& mode = ModeRule(client.PaymentMode());
    std::size_t covered = 0;
    for (const LedgerColumnData& column : columns) covered = std::max(covered, column.years.size());
    const int years = YearsShown(client, covered);
    std::vector<std::vector<std::string>> rows;
    for (int year = 0; year < years; ++year) {
        std::vector<std::string> row{std::to_string(year + 1)};
        if (Layout(layout).fixedColumns == 2) row.push_back(std::to_string(client.Age() + year));
        for (const LedgerColumnData& column : columns) row.push_back(PremiumText(column, year, mode));
        if (basic) row.push_back(FormatAmount(columns.front().faceAmount, 0));
        rows.push_back(std::move(row));
    }
    return rows;
}

std::string LedgerTitle(LedgerLayout layout) { return Layout(layout).title; }

std::vector<std::string> LedgerHeadings(const ClientCase& client, LedgerLayout layout,
                                        const std::vector<LedgerColumnData>& columns) {
    // Amount columns: the basic quotation's premium and death benefit, or one per compared column.
    std::vector<std::string> headings{"Year"};
    if (Layout(layout).fixedColumns == 2) headings.emplace_back("Age");
    if (layout == LedgerLayout::BasicQuotation) {
        headings.push_back(client.ModeText(false) + "\nPremium Outlay");
        headings.emplace_back("Death Benefit");
    } else {
        for (const LedgerColumnData& column : columns) headings.push_back(column.heading);
    }
    return headings;
}

std::vector<LedgerColumnData> ReportColumns(
    const ClientCase& client, const std::function<LedgerColumnData(std::int32_t, std::size_t)>& column) {
    const IllustrationOptions& options = client.Proposal();
    const LedgerLayout layout = ReportLayout(options);
    std::vector<LedgerColumnData> columns;
    if (layout == LedgerLayout::ProductComparison) {
        for (std::size_t i = 0; i < std::min(options.ProductCount(), kMaxCompared); ++i) {
            const std::int32_t product = options.ProdChoices()[i];
            columns.push_back(column(product, 0));
            columns.back().heading = GetProductName(product, false, options.Company());
        }
    } else {
        const std::size_t faces = layout == LedgerLayout::FaceComparison ? options.FaceAmountCount() : 1;
        for (std::size_t i = 0; i < std::min(faces, kMaxCompared); ++i) {
            columns.push_back(column(options.ProdChoices().front(), i));
            columns.back().heading = "$" + FormatAmount(columns.back().faceAmount, 0);
        }
    }
    return columns;
}

LedgerLayout ReportLayout(const IllustrationOptions& options) {
    if (options.ProductCount() > 1) return LedgerLayout::ProductComparison;
    if (options.FaceAmountCount() > 1) return LedgerLayout::FaceComparison;
    return LedgerLayout::BasicQuotation;
}

void PrintLedgerSection(PageContext& context) {
    try {
        BeginSection(context.print);
        const ClientCase& client = context.client;
        const IllustrationOptions& options = client.Proposal();
        PageFrame& frame = context.print.Frame();
        frame.PrintFooter(true);
        frame.AddToTotalPageNo(WinFlexPageCount(client));

        const LedgerLayout layout = ReportLayout(options);
        const std::int32_t firstProduct = options.ProdChoices().front();
        const std::vector<LedgerColumnData> columns =
            ReportColumns(client, [&](std::int32_t product, std::size_t faceIndex) {
                return LedgerColumn(context, product, faceIndex, client.Classification());
            });

        // The comparisons show no one policy's breakdown: their page object stays off.
        LedgerPage page;
        if (layout == LedgerLayout::BasicQuotation && !columns.front().years.empty()) {
            FillLedgerPage(page, client, columns.front(), firstProduct);
        }
        PrintLedger(context, layout, columns, page);
    } catch (const std::exception& error) {
        context.run.ProcessError(error, LoggedError::ErrorWithPlace, kModule, "PrintLedgerSection");
    }
}

}  // namespace quoravel
