#include "ClassComparisonPage.h"

#include "IssueRules.h"
#include "LedgerPage.h"
#include "LedgerSection.h"
#include "ProductLookups.h"
#include "SectionStart.h"

namespace quoravel {
namespace {

bool Issued(const ClientCase& client, std::int32_t productNumber, std::int32_t classCode,
            bool usePriorRates) {
    if (QuenbyRefusesClass(productNumber, client.State(), classCode)) return false;
    const auto minAge = MinIssueAge(productNumber, client.State(), classCode);
    const auto maxAge = MaxIssueAge(productNumber, client.State(), classCode, client.IsMale(), usePriorRates);
    return (!minAge || client.Age() >= *minAge) && (!maxAge || client.Age() <= *maxAge);
}

}  // namespace

std::vector<std::int32_t> ClassesCompared(const ClientCase& client, std::int32_t productNumber,
                                          bool usePriorRates) {
    std::vector<std::int32_t> classes{client.Classification()};
    for (const std::int32_t classCode : ComparedClasses(client.Classification())) {
        if (Issued(client, productNumber, classCode, usePriorRates)) classes.push_back(classCode);
    }
    return classes;
}

void PrintClassComparisonPages(PageContext& context) {
    try {
        BeginSection(context.print);
        ClientCase& client = context.client;
        const std::int32_t product = client.Proposal().ProdChoices().front();
        std::vector<LedgerColumnData> columns;
        for (const std::int32_t classCode : ClassesCompared(client, product, context.run.UsePriorRates)) {
            columns.push_back(LedgerColumn(context, product, 0, classCode));
            columns.back().heading = client.Classstring(classCode);
            columns.back().assumedClass = classCode == client.Classification();
        }
        LedgerPage noBlocks;
        PrintLedger(context, LedgerLayout::ClassComparison, columns, noBlocks);
    } catch (const std::exception& error) {
        context.run.ProcessError(error, LoggedError::ErrorWithPlace, "ClassComparisonPage",
                                 "PrintClassComparisonPages");
    }
}

}  // namespace quoravel
