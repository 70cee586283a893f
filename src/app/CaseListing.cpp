#include "CaseListing.h"

#include <iomanip>

#include "CaseFile.h"
#include "Enumerations.h"
#include "IssueRules.h"
#include "PremiumEngine.h"
#include "Rounding.h"
#include "RuntimeError.h"
#include "Text.h"
#include "TextFile.h"

namespace quoravel {
namespace {

constexpr std::size_t kNameColumns = 24;

}  // namespace

long ListCases(std::ostream& out, const std::string& caseFile, const std::string& programFolder) {
    ProcessValues process;
    process.ProgramFolder = programFolder;
    ProposalRun run(process, programFolder);
    RateContext context{programFolder, run};
    if (!FileExists(caseFile))
        throw RuntimeError(ErrorNumber::FileNotFound, "ListCases", "There is no case file " + caseFile + ".");
    const Collection<cClient> cases = ReadCaseFile(caseFile);
    out << cases.Count() << " case" << (cases.Count() == 1 ? "" : "s") << " in " << caseFile << "\n";
    for (const auto& c : cases) {
        cIllustrationOptions& options = c->proposal();
        out << std::setw(3) << c->Index() << "  " << PadRight(c->SortName(), kNameColumns) << " age "
            << c->age() << ", " << (c->IsMale() ? "male" : "female") << ", " << c->state() << ", "
            << c->Classstring() << ", " << c->ModeText(true) << ", " << options.GetShortCompanyString();
        out << "\n     products";
        for (std::size_t i = 0; i < options.ProductCount(); ++i) out << ' ' << options.ProdChoices()[i];
        out << "; face amounts";
        for (std::size_t i = 0; i < options.FaceAmountCount(); ++i) out << ' ' << options.GetFaceAmount(i);
        out << "; policy form " << c->PolicyForm(false)
            << (c->CompanyApprovedInState(programFolder) ? "" : " (carrier does not sell in this state)");
        if (!c->SavedBrokerName().empty()) out << "; broker " << c->SavedBrokerName();
        out << "\n";
        // The first-year premium of every product and face amount, from the
        // rate files of the scale the case is shown on.
        run.UsePriorRates = ChooseRateScale(*c).usePriorRates;
        for (std::size_t p = 0; p < options.ProductCount(); ++p) {
            const std::int32_t product = options.ProdChoices()[p];
            for (std::size_t f = 0; f < options.FaceAmountCount(); ++f) {
                // A schedule read with a rate file missing or damaged is no
                // premium: the fee alone would pass for one.
                const long errorsBefore = run.Errors.Count();
                const auto schedule = ComputePremiumSchedule(context, *c, product, f);
                const bool priced = run.Errors.Count() == errorsBefore && !schedule.years.empty();
                out << "     " << GetProductName(product, false, options.Company()) << ", $"
                    << FormatAmount(options.GetFaceAmount(f), 0) << ": "
                    << (priced ? "first-year premium $" + FormatAmount(schedule.years.front().Total(), 2)
                               : std::string("rates missing"))
                    << "\n";
            }
        }
    }
    for (const auto& error : run.Errors)
        out << "  " << error->Description << " (" << error->RoutineName << ")\n";
    return cases.Count();
}

}  // namespace quoravel
