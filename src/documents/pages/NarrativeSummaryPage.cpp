#include "NarrativeSummaryPage.h"

#include <algorithm>
#include <array>
#include <utility>

#include "PageContext.h"
#include "PremiumEngine.h"
#include "PrintSurface.h"
#include "ProductNarrative.h"
#include "Rounding.h"
#include "RuntimeError.h"
#include "SectionStart.h"
#include "Text.h"

namespace quoravel {
namespace {

constexpr const char* kDefinitionFormat = "+<2880|+=7920";
// The term's column alone, laid over the definition row.
constexpr const char* kTermFormat = "+<2880|!7920";
constexpr std::size_t kSurrenderRows = 10;
constexpr const char* kOneRowSeparators = "|\x1e";

// Rows kept on the page of their table's headings.
constexpr std::size_t kRowsWithHeading = 5;

// Waiver is charged until the anniversary nearest the insured's 60th birthday.
constexpr int kWaiverEndAge = 60;
constexpr std::size_t kWaiverAgeStep = 5;

constexpr const char* kAssumptions =
    "All benefits and values shown assume that: the premiums shown are paid; premium payments "
    "by the owner and are received on their due date(s); no other changes are made.";

constexpr const char* kPaymentFrequency =
    "Premiums may be paid annually, semi-annually, quarterly or monthly.  The factors used to calculate "
    "premiums "
    "for non-annual modes "
    "are: Special Monthly (Pre-Arranged Withdrawals only): 0.0875 (10.8% APR), Quarterly: 0.26 (10.8% APR), "
    "and Semi-Annual: 0.51 (8.2% APR).  "
    "Non-annual modal premiums include an additional cost consistent with the listed APR.  Your yearly "
    "premium "
    "cost will be higher "
    "if you pay more frequently than annually.";

// The terms of the ledger pages, explained in the order they follow the policy fee.
constexpr std::array<std::pair<const char*, const char*>, 4> kLedgerTerms{{
    {"Premium Outlay",
     "The amount of premium assumed to be paid by the policy owner or other premium payer out-of-pocket."},
    {"Death Benefit", "The amount payable upon the death of the insured."},
    {"Additional Premiums\nRatings",
     "A table rating adds a percentage of the standard premium for the insured's class, for insureds whose "
     "health or history calls for it.  A flat extra adds a fixed amount per $1,000 of face amount each year: "
     "temporary flat extras end after the number of years shown, and permanent flat extras continue for the "
     "life of the policy."},
    {"Interest Adjusted\nIndices (IAC's)",
     "The Interest Adjusted Indices help compare the cost of similar policies: they take the premiums, "
     "benefits and the time value of money at 5% interest into account, and a lower index means a lower "
     "cost.  "
     "An index is meaningful only in comparison with the index of a similar policy.  Any riders selected are "
     "excluded from this calculation."},
}};

// Payment mode words of the frequency entry, by PaymentMode code.
constexpr std::array<const char*, 5> kModeWords{"Annual", "Semi-annually", "Quarterly", "Monthly", "Monthly"};

std::string RiderStatus(bool selected) { return selected ? " (Selected)" : " (Available, but not selected)"; }

std::string WaiverRiderText(const ProductNarrative& product, const ClientCase& client) {
    std::string text =
        "Waiver of Premium Rider" + RiderStatus(client.Waiver()) + "\n" +
        "The Company will waive the premium required to keep the policy and all riders in force if "
        "the insured is totally disabled as " +
        "defined in the Rider.  Total disability must begin on or after the policy anniversary "
        "nearest the insured's " +
        std::to_string(product.waiverStartAge) +
        "th birthday and before the policy anniversary nearest the insured's 60th birthday.";
    if (client.Waiver() && client.WaiverRating() > 1) {
        const std::string rated = FormatAmount(client.WaiverRating() * 100, 0) + "%";
        text += "  Rated " + rated + ": a rated rider costs more than a standard rider; a rider rated " +
                rated + " costs " + rated + " of the standard rider cost.";
    }
    return text + "  The cost of this benefit, if selected, will be included in the premium.  ";
}

// "21st", "25th".
std::string Ordinal(int number) {
    const int lastTwo = number % 100;
    const int last = number % 10;
    const char* suffix = lastTwo >= 11 && lastTwo <= 13 ? "th"
                         : last == 1                    ? "st"
                         : last == 2                    ? "nd"
                         : last == 3                    ? "rd"
                                                        : "th";
    return std::to_string(number) + suffix;
}

std::string ChildRiderText(const ProductNarrative& product, const ClientCase& client) {
    std::string text =
        "Children's Level Term Insurance Rider (Child Rider)" + RiderStatus(client.ChildRider()) +
        "\nProvides level term insurance of $1,000 per unit on each insured child.  A child's "
        "coverage ends at the child's " +
        Ordinal(product.childEndAge) + " birthday or the insured's 65th birthday, whichever comes first.";
    if (product.childIssueAges) text += "  The rider is available for insureds of issue ages 18 to 55.";
    if (client.ChildRider()) {
        text += " Unit(s) = " + std::to_string(client.ChildRiderUnits()) + " ($" +
                FormatAmount(client.ChildRiderUnits() * 1000.0, 0) + " per child)";
    }
    return text;
}

std::string InsurerText(const IllustrationOptions& options) {
    // The home office city is the carrier's city line without its ZIP code.
    std::string city = options.CompanyCityState();
    if (const auto blank = city.rfind(' '); blank != std::string::npos) city.erase(blank);
    return options.CompanyName() +
           " is a member of the Castmere family of consumer-focused insurance and investment companies.  "
           "The guarantees of this policy are backed by the claims-paying ability of " +
           options.CompanyName() + ".  The Company's home office is in " + city + ".";
}

// The insured's waiver rates per 1,000 for a male and a female of the same
// age and class, as rated on this case, every fifth year of age from the
// issue age while waiver is charged.
void PrintWaiverRates(PageContext& context, NarrativeSummaryPage& page) {
    const ClientCase& client = context.client;
    std::vector<double> byYear[2];
    for (int female = 0; female < 2; ++female) {
        ClientCase insured = client;
        insured.SetIsMale(female == 0);
        const PremiumSchedule schedule =
            ComputePremiumSchedule(context.rates, insured, client.Proposal().ProductType(), 0);
        for (std::size_t year = 0; year < schedule.rates.Rows(); ++year)
            byYear[female].push_back(round(0, client.WaiverRating() * schedule.rates.At(year, 4)) / 100);
    }
    std::vector<int> ages;
    std::vector<double> male;
    std::vector<double> female;
    for (std::size_t year = 0;
         year < byYear[0].size() && client.Age() + static_cast<int>(year) < kWaiverEndAge;
         year += kWaiverAgeStep) {
        ages.push_back(client.Age() + static_cast<int>(year));
        male.push_back(byYear[0][year]);
        female.push_back(byYear[1][year]);
    }
    if (!ages.empty()) page.ShowWaiverTable(ages, male, female, ages.size());
}

}  // namespace

ProposalPrinter& NarrativeSummaryPage::Print() const {
    if (!print_)
        throw RuntimeError(ErrorNumber::InvalidProcedureCall, "clsPNarrativeSummary", "No print handle");
    return *print_;
}

void NarrativeSummaryPage::start() {
    ProposalPrinter& print = Print();
    PrintSurface& surface = print.Surface();
    self_ = std::make_shared<NarrativeSummaryPage*>(this);
    surface.AddNewPageHandler([page = std::weak_ptr<NarrativeSummaryPage*>(self_)] {
        if (auto alive = page.lock()) (*alive)->OnNewPage();
    });
    // The page StartDoc began is still blank only when the summary opens the document.
    const Document& document = surface.GetDocument();
    if (!document.pages.empty() && document.pages.back().items.empty())
        OnNewPage();
    else
        print.NewPage();
}

void NarrativeSummaryPage::OnNewPage() {
    Print().PrintBodyHeader();
    pageTop_ = Print().Surface().CurrentY();
}

void NarrativeSummaryPage::AddTitle(const std::string& title) {
    ProposalPrinter& print = Print();
    print.SetTextAlign(PrintSurface::AlignCenter);
    print.SetFontBold(true);
    print.SetFontUnderline(true);
    print.Paragraph(title);
    print.SetFontUnderline(false);
    print.SetFontBold(false);
    print.SetTextAlign(PrintSurface::AlignLeft);
}

void NarrativeSummaryPage::AddDefinition(const std::string& term, const std::string& explanation) {
    ProposalPrinter& print = Print();
    PrintSurface& surface = print.Surface();
    const bool bold = print.FontBold();
    const int align = print.TextAlign();
    const int border = print.TableBorder();
    const std::string separators = print.TableSep();

    print.Paragraph("");
    print.SetTextAlign(PrintSurface::AlignRight);
    // Explanations are prose with semicolons: one row, whatever they hold.
    print.SetTableSep(kOneRowSeparators);
    print.SetTableBorder(0);
    print.SetFontBold(false);
    const int firstPage = surface.PageCount();
    const double firstTop = surface.CurrentY();
    print.AddTable(kDefinitionFormat, "", "|" + explanation);
    // A row that did not fit went to a new page, below its body header.
    const int page = surface.PageCount();
    surface.StartOverlay(page);
    surface.SetCurrentY(page == firstPage ? firstTop : pageTop_);
    print.SetFontBold(true);
    print.AddTable(kTermFormat, "", term);
    const double termBottom = surface.CurrentY();
    surface.EndOverlay();
    // A term that wraps below its explanation keeps the next entry under it.
    if (surface.CurrentY() < termBottom) surface.SetCurrentY(termBottom);

    print.SetFontBold(bold);
    print.SetTableSep(separators);
    print.SetTableBorder(border);
    print.SetTextAlign(align);
}

void NarrativeSummaryPage::ShowWaiverTable(const std::vector<int>& ages, const std::vector<double>& maleRates,
                                           const std::vector<double>& femaleRates, std::size_t count) {
    ProposalPrinter& print = Print();
    const int align = print.TextAlign();
    const int border = print.TableBorder();
    print.Paragraph("");
    // The two heading rows (the second of two lines) with the first rows.
    print.Surface().KeepTogether(4 + std::min(count, kRowsWithHeading),
                                 2 + std::min(count, kRowsWithHeading));
    print.SetTextAlign(PrintSurface::AlignCenter);
    print.SetTableBorder(9);
    print.AddTable("+^4320", "", "Waiver Rate per $1000 of Net\nAmount of Risk");
    print.AddTable("+^1440|+^1440|+^1440", "", "Attained\nAge|Male|Female");
    std::vector<std::string> rows;
    for (std::size_t i = 0; i < count; ++i) {
        rows.push_back(std::to_string(ages.at(i)) + "|" + FormatAmount(maleRates.at(i), 2) + "|" +
                       FormatAmount(femaleRates.at(i), 2));
    }
    print.AddTable("+^1440|+>1440|+>1440", "", Join(rows, print.TableSep().substr(1, 1)));
    print.SetTableBorder(border);
    print.SetTextAlign(align);
}

void NarrativeSummaryPage::ShowSurrenderCharges(const std::vector<double>& charges, std::size_t count) {
    ProposalPrinter& print = Print();
    const int align = print.TextAlign();
    const int border = print.TableBorder();
    print.Paragraph("");
    print.Surface().KeepTogether(count + 1, count + 1);
    print.SetTextAlign(PrintSurface::AlignCenter);
    print.SetTableBorder(9);
    print.AddTable("+^1000|+^1440|+^1000|+^1440", "", "Year|Charge|Year|Charge");
    std::vector<std::string> rows;
    for (std::size_t year = 1; year <= count; ++year) {
        // Only the first row carries the dollar sign.
        const std::string sign = year == 1 ? "$" : "";
        rows.push_back(std::to_string(year) + "|" + sign + FormatAmount(charges.at(year - 1), 2) + "|" +
                       std::to_string(year + 10) + "|" + sign + FormatAmount(charges.at(year + 9), 2));
    }
    print.AddTable("+^1000|+>1440|+^1000|+>1440", "", Join(rows, print.TableSep().substr(1, 1)));
    print.SetTableBorder(border);
    print.SetTextAlign(align);
}

void PrintNarrativeSummary(PageContext& context) {
    try {
        ProposalPrinter& print = context.print;
        BeginSection(print);
        ClientCase& client = context.client;
        const IllustrationOptions& options = client.Proposal();
        // A comparison's narrative speaks of each of its products, by name.
        const std::vector<ProductNarrative> products = DescribeProducts(client);
        const ProductNarrative& product = products.front();
        const bool several = products.size() > 1;
        const auto each = [&](std::string ProductNarrative::*text) {
            return EachProduct(products, several, [text](const ProductNarrative& p) { return p.*text; });
        };

        NarrativeSummaryPage page;
        page.Reference(print);
        page.start();

        page.AddTitle("Narrative Summary");
        print.SetFontBold(true);
        print.Paragraph("");
        print.Paragraph("Product Features");
        print.SetFontBold(false);

        page.AddDefinition("Description", EachProduct(products, false, [several](const ProductNarrative& p) {
                               return p.description + (several ? "\n" : "");
                           }));
        page.AddDefinition("Additional Product\nFeatures", each(&ProductNarrative::additionalFeatures));
        std::vector<std::string> riders;
        if (product.offersWaiver) riders.push_back(WaiverRiderText(product, client));
        if (product.offersChildRider) riders.push_back(ChildRiderText(product, client));
        if (!riders.empty()) page.AddDefinition("Optional Riders/Benefits", Join(riders, "\n\n"));
        page.AddDefinition(product.conversionTerm, each(&ProductNarrative::conversion));
        page.AddDefinition("Requalification", each(&ProductNarrative::requalification));
        page.AddDefinition("Assumptions", kAssumptions);
        const auto mode = static_cast<std::size_t>(std::clamp(client.PaymentMode(), 0, 4));
        page.AddDefinition(std::string("Premium Payment\nFrequency\n(") + kModeWords.at(mode) + ")",
                           kPaymentFrequency);
        const bool feeWaived = SpouseFeeWaived(client);
        page.AddDefinition("Policy Fee",
                           EachProduct(products, several, [feeWaived](const ProductNarrative& p) {
                               return PolicyFeeText(p, feeWaived);
                           }));
        for (const auto& [term, explanation] : kLedgerTerms) page.AddDefinition(term, explanation);
        page.AddDefinition("The Insurer", InsurerText(options));

        if (product.showSurrenderCharges) {
            page.AddDefinition("Guaranteed Cash\nValue", product.cashValues);
            page.ShowSurrenderCharges(SurrenderChargesPerThousand(), kSurrenderRows);
        }
        if (product.showWaiverTable) PrintWaiverRates(context, page);
        page.finish();
    } catch (const std::exception& error) {
        context.run.ProcessError(error, LoggedError::ErrorWithPlace, "clsPNarrativeSummary",
                                 "PrintNarrativeSummary");
    }
}

}  // namespace quoravel
