// A proposal is read as a whole: over a generated set of cases (every product
// its carriers sell, every state group, the report kinds, ages where the
// options close, accented and overlong names) what the narrative and the
// description of terms say of each product must hold for the premiums its
// ledger prints, year by year.
#include <gtest/gtest.h>

#include <regex>
#include <set>

#include "CommissionSettings.h"
#include "DescriptionOfTermsPage.h"
#include "PageFixture.h"
#include "PrintSurface.h"
#include "ProductCatalogue.h"
#include "ProductLookups.h"
#include "ProductNarrative.h"
#include "ProposalAssembly.h"
#include "SampleCase.h"
#include "TestSupport.h"

using namespace quoravel;

namespace {

const std::string kAccented = "J\u00FCrgen M\u00FCller-L\u00FCdenscheidt";
const std::string kOverlong(2047, 'W');

std::string Explained(const std::vector<DescribedTerm>& terms, const std::string& term) {
    for (const DescribedTerm& described : terms)
        if (described.term == term) return described.explanation;
    return "";
}

// What one pattern sentence promises, in policy years from 1.
struct Promise {
    int risingTo = 0;   // years 2..risingTo follow the insured's age
    int levelFrom = 0;  // years levelFrom..levelTo cost the same
    int levelTo = 0;
    int gradedTo = 0;      // years levelTo+1..gradedTo rise by a schedule
    int guaranteeEnd = 0;  // the last year before yearly-renewable premiums
    bool thereafter = false;
};

// The sentences the pages use for the pattern, read back into years.
bool ReadPromise(const std::string& text, Promise& p) {
    std::smatch m;
    p.thereafter = text.find("increase annually thereafter") != std::string::npos;
    if (std::regex_search(text, m,
                          std::regex("first (\\d+) years? are select premiums.*guaranteed level for (\\d+) "
                                     "years?, from policy year (\\d+) through policy year (\\d+)\\."))) {
        p.risingTo = std::stoi(m[1]);
        p.levelFrom = std::stoi(m[3]);
        p.levelTo = std::stoi(m[4]);
        EXPECT_EQ(p.levelTo - p.levelFrom + 1, std::stoi(m[2])) << text;
    } else if (std::regex_search(text, m,
                                 std::regex("guaranteed for the first (\\d+) years and increase annually "
                                            "after the first policy year\\."))) {
        p.levelFrom = p.levelTo = 1;
        p.gradedTo = std::stoi(m[1]);
        p.thereafter = true;
    } else if (std::regex_search(text, m, std::regex("Premiums are guaranteed level for (\\d+) years?\\."))) {
        p.levelFrom = 1;
        p.levelTo = std::stoi(m[1]);
        if (std::regex_search(text, m,
                              std::regex("From policy year (\\d+) through policy year (\\d+) premiums "
                                         "increase annually by a guaranteed schedule"))) {
            EXPECT_EQ(std::stoi(m[1]), p.levelTo + 1) << text;
            p.gradedTo = std::stoi(m[2]);
        }
    } else {
        return false;
    }
    p.guaranteeEnd = std::max(p.levelTo, p.gradedTo);
    return true;
}

// The promise kept by the premiums (index 0 is policy year 1) the ledger prints.
void ExpectKept(const Promise& p, const std::vector<double>& premiums) {
    const int years = static_cast<int>(premiums.size());
    const auto at = [&](int year) { return premiums[static_cast<std::size_t>(year - 1)]; };
    // Yearly premiums of the youngest ages may stand still a year; they never fall.
    for (int year = 2; year <= std::min(p.risingTo, years); ++year) EXPECT_GE(at(year), at(year - 1)) << year;
    for (int year = p.levelFrom + 1; year <= std::min(p.levelTo, years); ++year)
        EXPECT_EQ(at(year), at(p.levelFrom)) << "level in year " << year;
    for (int year = p.levelTo + 1; year <= std::min(p.gradedTo, years); ++year)
        EXPECT_GE(at(year), at(year - 1)) << "graded in year " << year;
    if (p.thereafter && p.guaranteeEnd < years) {
        EXPECT_GT(at(p.guaranteeEnd + 1), at(p.guaranteeEnd)) << "rising after year " << p.guaranteeEnd;
    }
    if (!p.thereafter) {
        EXPECT_LE(years, p.guaranteeEnd) << "a ledger that outlasts the guarantee says so";
    }
}

// The lines of a page that are ledger rows: a year, then amounts.
bool HasLedgerRow(const Document& document, int page) {
    static const std::regex row("^\\d{1,3}( \\d{1,3})? \\$?[\\d,]+\\.\\d\\d");
    return std::ranges::any_of(PageLines(document, page),
                               [](const std::string& line) { return std::regex_search(line, row); });
}

// A proposal's case and what sets it apart, for the failure's message.
struct Generated {
    std::string what;
    ClientCase client;
};

void Name(ClientCase& client, const std::string& name) {
    client.SetLastName(name);
    client.AssignedBroker().Set(BrokerField::first_name, name);
}

// Every product a carrier sells, three times: each time in another of the
// carrier's state groups, in another report kind, paid yearly or quarterly,
// with another name, at the youngest, a middle or the oldest age the
// products are issued at.
std::vector<Generated> GeneratedCases() {
    const std::vector<std::string> statesByCarrier[] = {
        {"OH", "NJ", "MD", "WA", "MA"}, {"NY", "NJ"}, {"OH", "NJ", "MD", "WA", "MA"}};
    const std::string names[] = {"Sample", kAccented, kOverlong};
    const auto ages = [](std::int32_t product, const std::string& state) {
        return std::pair(MinIssueAge(product, state, 2).value_or(0),
                         MaxIssueAge(product, state, 2, true, false).value_or(100));
    };
    std::vector<Generated> cases;
    int n = 0;
    for (std::int32_t product = 1; product <= 49; ++product) {
        if (!IsIllustrated(product)) continue;
        const std::int32_t company = CarrierSells(0, product) ? 0 : CarrierSells(1, product) ? 1 : 2;
        const auto& states = statesByCarrier[company];
        for (int kind = 0; kind < 3; ++kind, ++n) {
            const std::string& state = states[static_cast<std::size_t>(n) % states.size()];
            auto [youngest, oldest] = ages(product, state);
            std::vector<std::int32_t> products{product};
            // The comparison's second product: the carrier's next one issued at a shared age.
            for (std::int32_t partner = product % 49 + 1; kind == 2 && products.size() == 1;
                 partner = partner % 49 + 1) {
                const auto [from, to] = ages(partner, state);
                if (!IsIllustrated(partner) || !CarrierSells(company, partner) || partner == product ||
                    std::max(from, youngest) > std::min(to, oldest))
                    continue;
                products.push_back(partner);
                youngest = std::max(from, youngest);
                oldest = std::min(to, oldest);
            }
            const int age[] = {youngest, (youngest + oldest) / 2, oldest};
            Generated g{"case " + std::to_string(n) + ": " + state, SampleProposalCase()};
            ClientCase& client = g.client;
            Name(client, names[static_cast<std::size_t>(n) % std::size(names)]);
            client.SetState(state);
            client.SetAge(static_cast<std::int16_t>(age[(n + kind) % 3]));
            client.SetPaymentMode(n % 2 == 0 ? Annual : Quarterly);
            client.Proposal().SetCompany(company);
            client.Proposal().SetOutputDescription(true);
            client.Proposal().SetOutputCertification(true);
            ::Quote(client, products,
                    kind == 1 ? std::vector<std::int32_t>{100000, 250000} : std::vector{250000}, 40);
            cases.push_back(std::move(g));
        }
    }
    return cases;
}

TEST(ProposalAgreement, EveryStatementOfAProductHoldsForItsLedger) {
    ProcessValues process;
    process.ProgramFolder = QUORAVEL_PROGRAM_DIR;
    CasePricer pricer(QUORAVEL_PROGRAM_DIR);
    const CommissionSettings commission{QUORAVEL_PROGRAM_DIR};
    const std::set<std::int32_t> sixtyDollarFee{11, 12, 13, 14, 49};
    const std::vector<Generated> cases = GeneratedCases();
    EXPECT_GT(cases.size(), 70u);
    for (const auto& [what, client] : cases) {
        SCOPED_TRACE(what);
        const PricedCase priced = pricer.Price(client);
        TempFolder folder;
        ProposalRun run(process, folder.folder());
        PrintSurface surface;
        ASSERT_TRUE(CreateIllustration(surface, priced, commission, run).documentMade) << priced.Refusal();
        const IllustrationOptions& options = client.Proposal();
        const LedgerLayout layout = options.ProductCount() > 1      ? LedgerLayout::ProductComparison
                                    : options.FaceAmountCount() > 1 ? LedgerLayout::FaceComparison
                                                                    : LedgerLayout::BasicQuotation;
        const std::vector<DescribedTerm> terms = TermsOfProposal(priced.settled, layout);
        for (const PricedLine& line : priced.lines) {
            if (!line.Priced() || line.faceAmount != priced.lines.back().faceAmount) continue;
            const ProductNarrative said = DescribeProduct(priced.settled, line.product);
            SCOPED_TRACE(said.name);
            std::vector<double> premiums;
            for (std::size_t year = 0; year < priced.IllustratedYears(line); ++year)
                premiums.push_back(line.years[year].Total());

            // The narrative and the description of terms say the same pattern, and the ledger keeps it.
            Promise promise;
            ASSERT_TRUE(ReadPromise(said.premiumPattern, promise)) << said.premiumPattern;
            EXPECT_NE(said.description.find(said.premiumPattern), std::string::npos);
            EXPECT_NE(Explained(terms, "Level Premium\nPeriod").find(said.name + ": " + said.premiumPattern),
                      std::string::npos);
            ExpectKept(promise, premiums);
            // Cover ending at 80 is priced to 80, and only such cover is named so.
            std::smatch m;
            ASSERT_TRUE(std::regex_search(said.description, m, std::regex("coverage ceases at age (\\d+)")));
            const bool at80 = std::stoi(m[1]) == 80;
            EXPECT_EQ(at80, line.years.size() == static_cast<std::size_t>(80 - client.Age()));
            EXPECT_EQ(at80, said.description.find("to Age 80") != std::string::npos);

            const std::string fee = sixtyDollarFee.count(line.product) ? "$60" : "$50";
            EXPECT_NE(Explained(terms, "Policy Fee").find(said.name + ": All premiums include a " + fee),
                      std::string::npos);
            // A comparison's narrative and terms both state each product's fee under its name.
            if (options.ProductCount() > 1) {
                const std::string text = AllText(surface.GetDocument()),
                                  stated = said.name + ": All premiums";
                EXPECT_NE(text.find(stated, text.find(stated) + 1), std::string::npos) << stated;
            }

            // Conversion runs through the initial period to age 75; from 75 to 77 for a
            // year; not at all later.
            const std::string conversion = Explained(terms, "Conversion");
            if (client.Age() >= 78) {
                EXPECT_EQ(said.conversion, "Conversion is not available for issue ages above 77.");
                EXPECT_EQ(said.additionalFeatures.find("Conversion right"), std::string::npos);
            } else if (client.Age() >= 75) {
                EXPECT_NE(said.conversion.find("up to one year from the date of issue"), std::string::npos);
                EXPECT_EQ(said.conversion.find("whichever"), std::string::npos);
            } else {
                EXPECT_NE(said.conversion.find("during the initial period (" +
                                               std::to_string(promise.guaranteeEnd) + " year"),
                          std::string::npos)
                    << said.conversion;
            }
            EXPECT_NE(conversion.find(said.name + ": " + said.conversion), std::string::npos);

            // A new period must end by the requalification age (re-entry: begin by it);
            // New Jersey approved none on the 30-year products.
            const std::string& renewal = said.requalification;
            EXPECT_NE(Explained(terms, "Requalification").find(said.name + ": " + renewal),
                      std::string::npos);
            if (client.State() == "NJ" && promise.guaranteeEnd == 30) {
                EXPECT_EQ(renewal, "Requalification is not available for " + said.name + " in this state.");
                continue;
            }
            ASSERT_TRUE(std::regex_search(renewal, m, std::regex("age (\\d+)"))) << renewal;
            const bool reEntry = renewal.find("re-entry") != std::string::npos;
            const int newPeriod = reEntry ? 0 : promise.guaranteeEnd - promise.risingTo;
            const bool open = client.Age() + promise.guaranteeEnd + newPeriod <= std::stoi(m[1]);
            EXPECT_EQ(renewal.find("not available") == std::string::npos, open) << renewal;
            EXPECT_EQ(said.additionalFeatures.find(reEntry ? "Re-entry option" : "Requalification option") !=
                          std::string::npos,
                      open);
        }

        // No page holds a ledger's footnote without rows of the ledger, and
        // no text runs past the margins (700 twips on a 12,240-twip page).
        const Document& document = surface.GetDocument();
        for (int page = 1; page <= surface.PageCount(); ++page) {
            if (PageHasLine(document, page, "Modal Factors:") ||
                PageHasLine(document, page, "These are initial")) {
                EXPECT_TRUE(HasLedgerRow(document, page)) << "page " << page << " holds only a footnote";
            }
            for (const auto& item : document.pages[static_cast<std::size_t>(page - 1)].items) {
                const auto* text = std::get_if<TextItem>(&item);
                EXPECT_FALSE(text && (text->x < 699 || text->x + text->width > 12240 - 699))
                    << "page " << page << ": " << text->text.substr(0, 40);
            }
        }
        if (client.LastName() == kAccented) {
            EXPECT_TRUE(Contains(AllText(document), "John " + kAccented));
        }
        // A name's length never adds pages.
        if (client.LastName() != "Sample") {
            ClientCase sampleNamed = client;
            Name(sampleNamed, "Sample");
            PrintSurface shortName;
            ProposalRun again(process, folder.folder());
            ASSERT_TRUE(
                CreateIllustration(shortName, pricer.Price(sampleNamed), commission, again).documentMade);
            EXPECT_EQ(surface.PageCount(), shortName.PageCount());
        }
    }
}

}  // namespace
