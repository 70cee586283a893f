#include "CaseListing.h"

#include <QCoreApplication>
#include <algorithm>
#include <iomanip>
#include <iostream>

#include "CaseFile.h"
#include "CasePricer.h"
#include "ProductLookups.h"
#include "ProgramFolder.h"
#include "RelayRun.h"
#include "Rounding.h"
#include "RuntimeError.h"
#include "Text.h"
#include "TextFile.h"

namespace quoravel {
namespace {

constexpr std::size_t kNameColumns = 24;

// A case is listed a line a product: a message's line breaks become blanks.
std::string OneLine(std::string text) {
    std::replace(text.begin(), text.end(), '\n', ' ');
    return text;
}

}  // namespace

long ListCases(std::ostream& out, const std::string& caseFile, const std::string& programFolder) {
    if (!FileExists(caseFile))
        throw RuntimeError(ErrorNumber::FileNotFound, "ListCases", "There is no case file " + caseFile + ".");
    const CaseFileContents file = LoadCaseFile(caseFile);
    const Collection<ClientCase>& cases = file.cases;
    CasePricer pricer(programFolder);
    out << cases.Count() << " case" << (cases.Count() == 1 ? "" : "s") << " in " << caseFile
        << (file.notCaseFile ? ", which is not a case file" : "") << "\n";
    for (const UnreadCaseRecord& unread : file.unread)
        out << "     not read: " << unread.Description() << "\n";
    for (const auto& c : cases) {
        IllustrationOptions& options = c->Proposal();
        out << std::setw(3) << c->Index() << "  " << PadRight(c->SortName(), kNameColumns) << " age "
            << c->Age() << ", " << (c->IsMale() ? "male" : "female") << ", " << c->State() << ", "
            << c->Classstring() << ", " << c->ModeText(true) << ", " << options.GetShortCompanyString();
        out << "\n     products";
        for (std::size_t i = 0; i < options.ProductCount(); ++i) out << ' ' << options.ProdChoices()[i];
        out << "; face amounts";
        for (std::size_t i = 0; i < options.FaceAmountCount(); ++i) out << ' ' << options.GetFaceAmount(i);
        out << "; policy form " << c->PolicyForm(false);
        if (!c->SavedBrokerName().empty()) out << "; broker " << c->SavedBrokerName();
        out << "\n";
        // What a proposal of the case would print: its corrections, and the
        // first-year premium of every product and face amount, or why it has none.
        const PricedCase priced = pricer.Price(*c);
        for (const std::string& correction : priced.corrections)
            out << "     corrected: " << Trim(correction) << "\n";
        for (const PricedLine& line : priced.lines) {
            out << "     " << GetProductName(line.product, false, options.Company()) << ", $"
                << FormatAmount(line.faceAmount, 0) << ": "
                << (line.Priced() ? "first-year premium $" + FormatAmount(line.years.front().Total(), 2)
                                  : "not priced: " + OneLine(line.problem))
                << "\n";
        }
    }
    return cases.Count();
}

int ListCasesCommand(CommandLine& line) {
    if (line.words.size() != 1) {
        PrintUsage(std::cerr);
        return ExitCode::NotRelayRun;
    }
    const QCoreApplication application(line.argc, line.argv);
    try {
        ListCases(std::cout, line.words[0], ResolveProgramFolder(line.argc, line.argv));
        return 0;
    } catch (const RuntimeError& error) {
        std::cerr << "quoravel: " << error.Description() << "\n";
        return 1;
    }
}

}  // namespace quoravel
