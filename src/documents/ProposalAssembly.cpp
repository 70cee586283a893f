#include "ProposalAssembly.h"

#include <algorithm>
#include <filesystem>
#include <span>

#include "CertificationPage.h"
#include "LedgerSection.h"
#include "PdfOutput.h"
#include "ProductLookups.h"
#include "ProductTerms.h"
#include "ProposalSections.h"
#include "ProposalSetup.h"
#include "RelayExchange.h"
#include "RiderNoticePage.h"
#include "Rounding.h"
#include "RuntimeError.h"
#include "SectionStart.h"
#include "TextFile.h"

namespace quoravel {
namespace {

constexpr const char* kModule = "ProposalAssembly";
constexpr std::size_t kMostCompared = 5;
// The underwriting guidelines a relay run hands over as a form, by carrier,
// and the name it has in the relay folder.
constexpr const char* kUnderwritingForms[] = {"BRLNUW.PDF", "QNBYUW.PDF", "TVNYUW.PDF"};
constexpr const char* kUnderwritingFormFile = "UW.PDF";

std::filesystem::path InFolder(const std::string& folder, const std::string& name) {
    return ResolveFileName(std::filesystem::path(folder) / name);
}

// Tells what settling the case found. In relay mode the notes and messages
// become warnings and errors of the run's error log; interactively they are
// handed to the window.
bool ReportSettlement(const PricedCase& priced, ProposalRun& run, IllustrationResult& result) {
    const AgeCheck& ages = priced.ages;
    if (!priced.inputProblems.empty()) {
        // Only a case record can get here with them: relay and window inputs are held to the rules first.
        if (run.RelayMode())
            for (const std::string& problem : priced.inputProblems)
                run.Errors.Add(LoggedError::Error, problem);
        else
            result.notices.push_back({"Not enough information", priced.Refusal()});
        return false;
    }
    result.notes = priced.corrections;
    if (!run.RelayMode()) {
        std::string unavailable;
        for (const std::string& problem : priced.unavailable)
            unavailable += (unavailable.empty() ? "" : "  ") + problem;
        if (!unavailable.empty()) result.notices.push_back({"Product not available", unavailable});
        result.notices.insert(result.notices.end(), ages.notices.begin(), ages.notices.end());
        if (!ages.ok) result.notices.push_back({ages.title, ages.message});
        return ages.ok && unavailable.empty();
    }
    // A relay case is read with its products' availability checked, so none
    // is unavailable here unless its reader let it through.
    for (const std::string& problem : priced.unavailable) run.Errors.Add(LoggedError::Error, problem);
    for (const std::string& note : result.notes) run.Errors.Add(LoggedError::Warning, note);
    for (const Notice& notice : ages.notices) run.Errors.Add(LoggedError::Warning, notice.text);
    if (!ages.ok) run.Errors.Add(LoggedError::Error, ages.message);
    return ages.ok && priced.unavailable.empty();
}

void KeepProducts(IllustrationOptions& options, const std::vector<std::int32_t>& products) {
    options.ClearProdChoices();
    for (const std::int32_t product : products) options.AddProduct(product);
    options.SetProductType(products.front());
}

// A comparison shows five products or five face amounts at most; the
// pages show only what the ledger compares. Answers what it left out.
std::string LimitComparison(ClientCase& illustrated) {
    IllustrationOptions& options = illustrated.Proposal();
    std::string leftOut;
    const auto leave = [&](const std::string& what) { leftOut += (leftOut.empty() ? "" : ", ") + what; };
    const LedgerLayout layout = ReportLayout(options);
    std::string kind;
    if (layout == LedgerLayout::ProductComparison && options.ProductCount() > kMostCompared) {
        kind = "products";
        const std::vector<std::int32_t> chosen(options.ProdChoices().begin(),
                                               options.ProdChoices().begin() + options.ProductCount());
        for (std::size_t i = kMostCompared; i < chosen.size(); ++i)
            leave(GetProductName(chosen[i], false, options.Company()));
        KeepProducts(options, {chosen.begin(), chosen.begin() + kMostCompared});
    } else if (layout == LedgerLayout::FaceComparison && options.FaceAmountCount() > kMostCompared) {
        kind = "face amounts";
        std::vector<std::int32_t> faces;
        for (std::size_t i = 0; i < options.FaceAmountCount(); ++i) faces.push_back(options.GetFaceAmount(i));
        for (std::size_t i = kMostCompared; i < faces.size(); ++i) leave("$" + FormatAmount(faces[i], 0));
        options.ClearFaceAmounts();
        for (std::size_t i = 0; i < kMostCompared; ++i) options.AddFaceAmount(faces[i], illustrated.State());
    }
    if (leftOut.empty()) return "";
    return "The comparison shows " + std::to_string(kMostCompared) + " " + kind +
           " at most; left out: " + leftOut + ".";
}

// The face amounts a report prints: every one of a face comparison, else the first.
std::vector<std::int32_t> ShownFaces(const IllustrationOptions& options) {
    const std::size_t count =
        ReportLayout(options) == LedgerLayout::FaceComparison ? options.FaceAmountCount() : 1;
    std::vector<std::int32_t> faces;
    for (std::size_t i = 0; i < std::min(count, options.FaceAmountCount()); ++i)
        faces.push_back(options.GetFaceAmount(i));
    return faces;
}

// The case as its report shows it: the products its age leaves in, five
// products or face amounts at most, and only the products whose rates are
// all there. `checked` gets the lines looked at for their rates, in order,
// up to the first without rates of each product.
struct ReportCase {
    ClientCase illustrated;
    std::string leftOut;  // what the comparison's limit left out, told
    bool ratesMissing = false;
    std::vector<const PricedLine*> checked;
};

ReportCase ReportCaseOf(const PricedCase& priced) {
    ReportCase report{priced.settled, "", false, {}};
    IllustrationOptions& options = report.illustrated.Proposal();
    const std::vector<std::int32_t>& outOfAge = priced.ages.outOfAge;
    if (!outOfAge.empty()) {
        std::vector<std::int32_t> fitting;
        for (std::size_t i = 0; i < options.ProductCount(); ++i) {
            if (std::find(outOfAge.begin(), outOfAge.end(), options.ProdChoices()[i]) == outOfAge.end())
                fitting.push_back(options.ProdChoices()[i]);
        }
        KeepProducts(options, fitting);
        // One product left is a single quote.
        options.SetPrintOption(IllustrationOptions::Individual);
    }
    report.leftOut = LimitComparison(report.illustrated);
    std::vector<std::int32_t> withRates;
    for (std::size_t i = 0; i < options.ProductCount(); ++i) {
        const std::int32_t product = options.ProdChoices()[i];
        bool missing = false;
        for (const std::int32_t face : ShownFaces(options)) {
            const PricedLine* line = priced.Line(product, face);
            if (line) report.checked.push_back(line);
            missing = !line || !line->Priced();
            if (missing) break;
        }
        if (!missing) withRates.push_back(product);
    }
    report.ratesMissing = withRates.size() < options.ProductCount();
    if (report.ratesMissing && !withRates.empty()) KeepProducts(options, withRates);
    if (withRates.empty()) options.ClearProdChoices();
    return report;
}

std::string ReportNodeName(LedgerLayout layout, const IllustrationOptions& options) {
    const std::string face = "$" + FormatAmount(options.GetFaceAmount(0), 0);
    switch (layout) {
        case LedgerLayout::FaceComparison:
            return "Multiple Face Amount Comparison";
        case LedgerLayout::ProductComparison:
            return "Product Comparison  - " + face;
        default:
            return ProductDisplayName(options.ProdChoices().front(), options.Company()) + " - " + face;
    }
}

// A section numbered on its own, with its own footer type.
template <typename Section>
void PageRun(PageFrame& frame, const std::string& illustrationType, Section section) {
    frame.SetFooterIllusType(illustrationType);
    section();
    frame.ResetPageNo();
}

// The report's sections from the cover on, in the report's order, as one
// page run whose footers count the outside system's pages too. The
// description of terms follows the narrative summary; the certification
// closes the run.
void PrintMainSections(PageContext& context, LedgerLayout layout, PrintedSections& printed) {
    using enum SectionId;
    constexpr SectionId kQuotation[] = {Cover,  NarrativeSummary, DescriptionOfTerms,
                                        Ledger, ClassInformation, Certification};
    constexpr SectionId kComparison[] = {
        Cover, Ledger, NarrativeSummary, DescriptionOfTerms, ClassInformation, Certification};
    for (const SectionId id :
         layout == LedgerLayout::BasicQuotation ? std::span(kQuotation) : std::span(kComparison)) {
        if (id == ClassInformation && !context.client.Proposal().OutputClassInfo()) continue;
        PrintSection(id, context, printed);
    }
}

// The report's node over its pages from `first` to `last`, less the pages of
// the sections with nodes of their own, which stand in page order between
// its parts: no page belongs to two nodes.
void AddReportNodes(PageFrame& frame, std::int16_t first, std::int16_t last, const std::string& name,
                    const std::vector<std::pair<PageRange, std::string>>& sections) {
    std::int16_t next = first;
    for (const auto& [pages, sectionName] : sections) {
        if (pages.first == 0) continue;
        if (next < pages.first) frame.AddWinFlexNode(next, static_cast<std::int16_t>(pages.first - 1), name);
        frame.AddWinFlexNode(pages.first, pages.last, sectionName);
        next = static_cast<std::int16_t>(pages.last + 1);
    }
    if (next <= last) frame.AddWinFlexNode(next, last, name);
}

// One proposal of the document, with its own relay node: a comparison or an
// individual proposal. The pages that serve the whole case (the relay
// case's inputs, the guidelines, the broker's commissions) follow the first.
void PrintReport(PageContext& context, bool first) {
    ProposalPrinter& print = context.print;
    PageFrame& frame = print.Frame();
    ClientCase& client = context.client;
    const IllustrationOptions& options = client.Proposal();
    const LedgerLayout layout = ReportLayout(options);
    const std::string type = IllustrationTypeText(layout);
    SetUpProposal(context, layout);
    // A proposal after the first opens on a page of its own; its sections
    // set their own style.
    StartOnFreshPage(print);

    const std::int16_t firstPage = frame.GlobalPage();
    PrintedSections sections;
    if (RiderNoticePage::Needed(client)) {
        // The notice stands alone, without footer, on the page StartDoc
        // began: its run is closed on that one page before the notice moves on.
        frame.PrintFooter(false);
        frame.ResetPageNo();
        PrintSection(SectionId::RiderNotice, context, sections);
        frame.PrintFooter(true);
    }
    PageRun(frame, type, [&] { PrintMainSections(context, layout, sections); });

    if (layout == LedgerLayout::BasicQuotation && options.OutputClassComp())
        PageRun(frame, "Class Comparison",
                [&] { PrintSection(SectionId::ClassComparison, context, sections); });
    if (first && options.OutputUnderwritting()) {
        // The outside system shows its own copy of the guidelines, in the
        // proposal as ours would stand.
        if (context.run.RelayMode()) {
            context.run.PDFForms.Add(kUnderwritingForms[CarrierIndex(options.Company())],
                                     kUnderwritingFormFile, "Underwriting Guidelines", false);
            sections.printed.push_back(SectionId::UnderwritingGuidelines);
        } else {
            PageRun(frame, "Underwriting Guidelines",
                    [&] { PrintSection(SectionId::UnderwritingGuidelines, context, sections); });
        }
    }
    AddReportNodes(frame, firstPage, frame.GlobalPage(), ReportNodeName(layout, options),
                   {{sections.terms, "Description of Terms"}, {sections.certification, "Certification"}});

    // The relay case's inputs, as the outside system sent them and as
    // corrected: after the report, a page run and a node of their own.
    if (first && context.run.RelayMode() && FileExists(InFolder(context.startDirectory, "relay.ini")))
        PageRun(frame, "Client Information",
                [&] { PrintSection(SectionId::ClientInput, context, sections); });

    // The broker's page stays out of the client's report node.
    if (first && options.OutputCommision())
        PageRun(frame, type, [&] { PrintSection(SectionId::Commission, context, sections); });
}

// The proposals the print option asks of the case: the comparison ("C"),
// one individual proposal for each product or face amount compared ("I"),
// or both, the comparison first ("B"). A single quote is one proposal.
std::vector<ClientCase> ProposalsOf(const ClientCase& illustrated) {
    const IllustrationOptions& options = illustrated.Proposal();
    const LedgerLayout layout = ReportLayout(options);
    if (layout == LedgerLayout::BasicQuotation) return {illustrated};
    const std::int32_t printOption = options.PrintOption();
    std::vector<ClientCase> proposals;
    if (printOption != IllustrationOptions::Individual) proposals.push_back(illustrated);
    if (printOption != IllustrationOptions::Individual && printOption != IllustrationOptions::Both)
        return proposals;
    const bool products = layout == LedgerLayout::ProductComparison;
    const std::size_t count = products ? options.ProductCount() : options.FaceAmountCount();
    for (std::size_t i = 0; i < count; ++i) {
        ClientCase single = illustrated;
        IllustrationOptions& singleOptions = single.Proposal();
        const std::int32_t product = options.ProdChoices()[products ? i : 0];
        KeepProducts(singleOptions, {product});
        singleOptions.ClearFaceAmounts();
        singleOptions.AddFaceAmount(options.GetFaceAmount(products ? 0 : i), single.State());
        proposals.push_back(std::move(single));
    }
    return proposals;
}

// The illustrated policy's values for the relay answer.
void AnswerPolicyValues(PageContext& context) {
    const ClientCase& client = context.client;
    const IllustrationOptions& options = client.Proposal();
    const std::int32_t product = options.ProdChoices().front();
    std::vector<double> premiums;
    for (const YearPremium& year : LedgerColumn(context, product, 0, client.Classification()).years)
        premiums.push_back(year.Total());
    // The answer lists the years the ledger shows.
    const int years = YearsShown(client, premiums.size());
    AnswerPolicyValues(context.run, client, product, options.GetFaceAmount(0), premiums, years);
}

// The document: its proposals in order, then its end, which exports the
// pages. The answer's policy values follow the first proposal; a face
// comparison, which has no one policy to report, answers without them.
void PrintProposals(ProposalPrinter& print, const std::vector<ClientCase>& proposals,
                    const PricedCase& priced, const CommissionSettings& commission, ProposalRun& run) {
    print.StartDoc(run.process.OutputFormat);
    for (std::size_t i = 0; i < proposals.size(); ++i) {
        ClientCase proposal = proposals[i];
        PageContext context{print, proposal, run, run.ProgramFolder(), run.StartDirectory};
        context.priced = &priced;
        context.commission = &commission;
        PrintReport(context, i == 0);
        if (i == 0 && ReportLayout(proposal.Proposal()) != LedgerLayout::FaceComparison)
            AnswerPolicyValues(context);
    }
    print.EndDoc();
    // The PDF's properties name the first proposal and its client.
    const ClientCase& client = proposals.front();
    const IllustrationOptions& options = client.Proposal();
    const LedgerLayout layout = ReportLayout(options);
    const std::string report = layout == LedgerLayout::BasicQuotation
                                   ? ProductDisplayName(options.ProdChoices().front(), options.Company())
                                   : IllustrationTypeText(layout);
    const std::string name = client.FullName();
    print.Surface().SetDocumentInfo({name.empty() ? report : report + " \u2014 " + name,
                                     options.CompanyName(), "Term life insurance proposal",
                                     "Quoravel " + run.process.VersionText, ""});
    const PageFrame& frame = print.Frame();
    run.Answer.ExportedPages = frame.LastFilePage();
    run.Answer.Nodes = frame.RelayNodes();
}

}  // namespace

IllustrationResult CreateIllustration(PrintSurface& surface, const PricedCase& priced,
                                      const CommissionSettings& commission, ProposalRun& run) {
    IllustrationResult result;
    try {
        result.printerDevice = PrinterDeviceName(run.ProgramFolder());
        // A refused case touches no file: the window gives a run its folder
        // only once its case is accepted.
        if (!ReportSettlement(priced, run, result)) return result;
        run.RemovePreviousPages();
        const IllustrationOptions& chosen = priced.settled.Proposal();
        if (chosen.ProductCount() == 0 || chosen.FaceAmountCount() == 0) return result;

        // The report runs on a copy: products left out stay in the case.
        ReportCase report = ReportCaseOf(priced);
        if (!report.leftOut.empty()) {
            if (run.RelayMode())
                run.Errors.Add(LoggedError::Warning, report.leftOut);
            else
                result.notices.push_back({"Proposal", report.leftOut});
        }
        for (const PricedLine* line : report.checked) {
            for (const LoggedError& error : line->rateErrors)
                run.Errors.Add(error.Severity, error.Description, error.Number, error.ModuleName,
                               error.RoutineName);
        }
        if (report.ratesMissing) {
            // In relay mode the error log already holds the missing rate file.
            if (!run.RelayMode())
                result.notices.push_back(
                    {"Rate file missing", "Rate file missing.  Please re-install the software."});
            if (report.illustrated.Proposal().ProductCount() == 0) return result;
        }
        ProposalPrinter print(surface);
        PrintProposals(print, ProposalsOf(report.illustrated), priced, commission, run);
        result.documentMade = true;
    } catch (const std::exception& error) {
        run.ProcessError(error, LoggedError::ErrorWithPlace, kModule, "CreateIllustration");
    }
    return result;
}

std::vector<StampedPremiums> PrintedPremiums(const PricedCase& priced) {
    const ReportCase report = ReportCaseOf(priced);
    const IllustrationOptions& options = report.illustrated.Proposal();
    std::vector<StampedPremiums> printed;
    for (std::size_t i = 0; i < options.ProductCount(); ++i)
        for (const std::int32_t face : ShownFaces(options))
            printed.push_back(YearlyPremiumsOf(priced, *priced.Line(options.ProdChoices()[i], face)));
    return printed;
}

std::vector<PrintedLedger> PrintedLedgers(const PricedCase& priced,
                                          const std::vector<StampedPremiums>& premiums) {
    std::vector<PrintedLedger> ledgers;
    for (const ClientCase& proposal : ProposalsOf(ReportCaseOf(priced).illustrated)) {
        const IllustrationOptions& options = proposal.Proposal();
        const LedgerLayout layout = ReportLayout(options);
        PrintedLedger ledger{LedgerTitle(layout), {}, {"year"}, {}, {}};
        if (layout == LedgerLayout::BasicQuotation) ledger.cells.emplace_back("age");
        const std::vector<LedgerColumnData> columns =
            ReportColumns(proposal, [&](std::int32_t product, std::size_t faceIndex) {
                LedgerColumnData column;
                column.faceAmount = options.GetFaceAmount(faceIndex);
                ledger.cells.push_back(ProductDisplayName(product, options.Company()) + ", $" +
                                       FormatAmount(column.faceAmount, 0));
                column.modalYears = TermsOf(product, proposal.Age(), proposal.State()).modalYears;
                const auto stamped =
                    std::find_if(premiums.begin(), premiums.end(), [&](const StampedPremiums& p) {
                        return p.product == product && p.faceAmount == column.faceAmount;
                    });
                if (stamped != premiums.end())
                    for (const double yearly : stamped->yearly) column.years.push_back({.base = yearly});
                return column;
            });
        if (layout == LedgerLayout::BasicQuotation) {
            ledger.cells.emplace_back("death benefit");
            if (!columns.front().years.empty())
                ledger.firstYearTotal = "$" + FormatAmount(columns.front().years.front().Total(), 2);
        }
        for (const std::string& heading : LedgerHeadings(proposal, layout, columns))
            ledger.headings.push_back(heading.substr(0, heading.find('\n')));
        ledger.rows = LedgerRows(proposal, layout, columns);
        ledgers.push_back(std::move(ledger));
    }
    return ledgers;
}

IllustrationResult CreateIllustration(PrintSurface& surface, const ClientCase& client,
                                      const CommissionSettings& commission, ProposalRun& run) {
    const PricedCase priced = CasePricer(run.ProgramFolder()).Price(client, run);
    return CreateIllustration(surface, priced, commission, run);
}

std::vector<std::string> RelayFormFiles() { return {kUnderwritingFormFile}; }

std::string ConvertToPdf(const PrintSurface& surface, const std::string& folder, const std::string& name,
                         Durability durability) {
    const std::filesystem::path path =
        ResolveFileName(std::filesystem::path(WithTrailingSeparator(folder) + name));
    WritePdf(surface.GetDocument(), path.string(), durability);
    return path.string();
}

}  // namespace quoravel
