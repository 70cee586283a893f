#include "ClassComparisonPage.h"

#include "Enumerations.h"
#include "IssueRules.h"
#include "LedgerSection.h"
#include "SectionPage.h"
#include "clsPLedger.h"

namespace quoravel {
namespace {

bool Issued(const cClient& client, std::int32_t productNumber, std::int32_t classCode, bool usePriorRates) {
    if (QuenbyRefusesClass(productNumber, client.state(), classCode)) return false;
    const auto minAge = MinIssueAge(productNumber, client.state(), classCode);
    const auto maxAge = MaxIssueAge(productNumber, client.state(), classCode, client.IsMale(), usePriorRates);
    return (!minAge || client.age() >= *minAge) && (!maxAge || client.age() <= *maxAge);
}

}  // namespace

std::vector<std::int32_t> ClassesCompared(const cClient& client, std::int32_t productNumber,
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
        cClient& client = context.client;
        const std::int32_t product = client.proposal().ProdChoices().front();
        std::vector<LedgerColumnData> columns;
        for (const std::int32_t classCode : ClassesCompared(client, product, context.run.UsePriorRates)) {
            columns.push_back(LedgerColumn(context, product, 0, classCode));
            columns.back().heading = client.Classstring(classCode);
            columns.back().assumedClass = classCode == client.Classification();
        }
        clsPLedger noBlocks;
        PrintLedger(context, LedgerLayout::ClassComparison, columns, noBlocks);
    } catch (const std::exception& error) {
        context.run.ProcessError(error, clsError::ErrorWithPlace, "ClassComparisonPage",
                                 "PrintClassComparisonPages");
    }
}

}  // namespace quoravel
