#include "VerifyCommand.h"

#include <QTemporaryDir>
#include <filesystem>
#include <iostream>
#include <memory>

#include "CaseFile.h"
#include "CasePricer.h"
#include "CaseStamp.h"
#include "PdfReading.h"
#include "PrintedLedgerCheck.h"
#include "ProductLookups.h"
#include "ProgramFolder.h"
#include "ProposalAssembly.h"
#include "RateSet.h"
#include "RelayExchange.h"
#include "Rounding.h"
#include "TextFile.h"

namespace fs = std::filesystem;

namespace quoravel {
namespace {

// The case the stamp holds, read as its kind is read, with what the relay
// case asked besides; null with the reason in `problem` when it cannot be
// read any more.
std::shared_ptr<ClientCase> CaseOfStamp(const ProposalStamp& stamp, const std::string& programFolder,
                                        PricingTerms& terms, std::string& problem) {
    if (stamp.kind == ProposalStamp::CaseKind::CaseRecord) {
        const Collection<ClientCase> cases = ParseCases(stamp.caseText);
        if (cases.Count() != 1) {
            problem = "the stamp holds no case record.";
            return nullptr;
        }
        return cases.ItemPtr(1);
    }
    // The relay exchange reads its case from a folder, as in a relay run.
    const QTemporaryDir folder;
    if (!folder.isValid()) {
        problem = "no temporary folder could be made to read the relay case in.";
        return nullptr;
    }
    const std::string path = folder.path().toStdString();
    WriteFileAtomically((fs::path(path) / "relay.ini").string(), stamp.caseText);
    ProcessValues process;
    process.RelayMode = true;
    process.ProgramFolder = programFolder;
    ProposalRun run(process, path);
    auto client = ReadRelayFile(path, "relay.ini", run);
    if (run.Errors.Status() != 0) {
        for (const auto& error : run.Errors)
            if (error->Severity != LoggedError::Warning)
                problem += (problem.empty() ? "" : " ") + error->Description;
        return nullptr;
    }
    terms.priorScaleAsked = run.RelayUsePriorRates;
    return client;
}

std::string NoValue(const std::string& amount) { return amount.empty() ? "none" : amount; }

// Whose proposal it is: the insured, the state, and every product and face
// amount the stamp holds.
std::string CaseNamed(const ClientCase& client, const std::vector<StampedPremiums>& premiums) {
    std::string named =
        "Case: " + (client.FullName().empty() ? std::string("(no name)") : client.FullName()) + ", age " +
        std::to_string(client.Age()) + ", " + (client.IsMale() ? "male" : "female") + ", " + client.State() +
        "\nProducts:";
    for (std::size_t i = 0; i < premiums.size(); ++i)
        named += (i == 0 ? " " : "; ") +
                 ProductDisplayName(premiums[i].product, client.Proposal().Company()) + ", $" +
                 FormatAmount(premiums[i].faceAmount, 0);
    return named + "\n";
}

}  // namespace

int VerifyProposal(const std::string& pdf, const std::string& programFolder, std::ostream& out,
                   std::ostream& diagnostics) {
    std::optional<std::string> bytes;
    try {
        bytes = ReadFileBytes(pdf);
    } catch (const RuntimeError&) {
        bytes.reset();  // a folder, or a file this user may not read
    }
    if (!bytes) {
        diagnostics << "quoravel: " << pdf << " cannot be read.\n";
        return VerifyCode::NoStamp;
    }
    PdfContents contents;
    try {
        contents = ReadPdf(*bytes);
    } catch (const PdfDamaged& damage) {
        diagnostics << "quoravel: " << pdf << " is not a readable PDF: " << damage.what() << "\n";
        return VerifyCode::NoStamp;
    }
    // The stamp is the document's metadata as its last revision holds it.
    const auto stamp = FindStamp(contents.metadata);
    if (!stamp) {
        diagnostics << "quoravel: " << pdf
                    << " carries no readable proposal stamp: it was not made by this program, or"
                       " was changed since.\n";
        return VerifyCode::NoStamp;
    }
    out << "Made " << stamp->date << " by " << stamp->version << " from a "
        << (stamp->kind == ProposalStamp::CaseKind::Relay ? "relay case" : "case record") << "\n";

    std::string installed;
    try {
        installed = IdentifyRateSet(programFolder).identity;
    } catch (const RuntimeError& error) {
        diagnostics << "quoravel: " << error.Description() << "\n";
    }
    const bool sameRates = installed == stamp->rateSet;
    if (sameRates)
        out << "Rate set: " << stamp->rateSet << ", the same as installed\n";
    else
        out << "Rate set: " << stamp->rateSet << " when made, " << NoValue(installed) << " installed in "
            << programFolder << "\n";

    std::string problem;
    PricingTerms terms;
    if (installed.empty()) {
        out << "The case cannot be made again: " << programFolder << " holds no rate files.\n";
        return VerifyCode::PremiumsDiffer;
    }
    const auto client = CaseOfStamp(*stamp, programFolder, terms, problem);
    if (!client) {
        out << "The case cannot be made again: " << problem << "\n";
        return VerifyCode::PremiumsDiffer;
    }
    // Made again as on the day it was made: the rate scale depends on the day.
    terms.today = Date::Parse(stamp->date);
    const PricedCase priced = CasePricer(programFolder).Price(*client, terms);
    out << CaseNamed(priced.settled, stamp->premiums);

    const auto differences = ComparePremiums(stamp->premiums, PrintedPremiums(priced));
    const std::int32_t company = priced.settled.Proposal().Company();
    if (differences.empty()) {
        std::size_t years = 0;
        for (const StampedPremiums& stamped : stamp->premiums) years += stamped.yearly.size();
        out << "Premiums: the same, " << years << " yearly premiums of " << stamp->premiums.size()
            << (stamp->premiums.size() == 1 ? " product and face amount" : " products and face amounts")
            << "\n";
    } else {
        out << "Premiums differ in " << differences.size() << " year" << (differences.size() == 1 ? "" : "s")
            << " (product, face amount, policy year: when made, now):\n";
        for (const PremiumDifference& difference : differences)
            out << "  " << ProductDisplayName(difference.product, company) << ", $"
                << FormatAmount(difference.faceAmount, 0) << ", year " << difference.year << ": "
                << NoValue(difference.recorded) << ", " << NoValue(difference.now) << "\n";
        // Why a line has no premium now: a rate file missing or damaged, or the case refused.
        for (const PricedLine& line : priced.lines)
            if (!line.Priced())
                out << "  Not priced now: " << ProductDisplayName(line.product, company) << ", $"
                    << FormatAmount(line.faceAmount, 0) << ": " << line.problem << "\n";
    }

    // What a reader sees: the ledger pages' figures against the stamp's
    // premiums, and the pages' insured and date against the stamp's.
    auto printed =
        ComparePrintedCase(contents.pages, priced.settled.FullName(), Date::Parse(stamp->date)->Text());
    for (PrintedDifference& difference :
         ComparePrintedLedgers(contents.pages, PrintedLedgers(priced, stamp->premiums)))
        printed.push_back(std::move(difference));
    if (printed.empty()) {
        out << "Printed ledger figures: as the stamp records\n";
    } else {
        out << "Printed pages differ from the stamp in " << printed.size() << " place"
            << (printed.size() == 1 ? "" : "s") << " (page, what, policy year: printed, stamped):\n";
        for (const PrintedDifference& difference : printed)
            out << "  " << (difference.page > 0 ? "page " + std::to_string(difference.page) : "no page")
                << ", " << difference.column
                << (difference.year > 0 ? ", year " + std::to_string(difference.year) : "") << ": "
                << NoValue(difference.printed) << ", " << NoValue(difference.expected) << "\n";
    }
    if (!differences.empty() || !printed.empty()) return VerifyCode::PremiumsDiffer;
    out << (sameRates ? "verified\n" : "premiums verified on another rate set\n");
    return VerifyCode::Verified;
}

int VerifyCommand(CommandLine& line) {
    if (line.words.size() != 1 || line.words[0].starts_with("-")) {
        std::cerr << "Usage: quoravel verify FILE.pdf\n";
        return VerifyCode::NoStamp;
    }
    return VerifyProposal(line.words[0], ResolveProgramFolder(line.argc, line.argv), std::cout, std::cerr);
}

}  // namespace quoravel
