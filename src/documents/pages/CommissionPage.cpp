#include "CommissionPage.h"

#include "CommissionSettings.h"
#include "ProductInfo.h"
#include "ProductLookups.h"
#include "ProposalPrinter.h"
#include "Rounding.h"
#include "SectionStart.h"
#include "Value.h"

namespace quoravel {
namespace {

constexpr int kJustify = 7;
constexpr int kNoBorder = 0;
constexpr int kCellBorders = 9;
constexpr std::int16_t kTitleSize = 12;
constexpr std::int16_t kTableSize = 10;
constexpr const char* kTitleFormat = "+^8640";
constexpr const char* kTableFormat = "+<4320|+>2160|+>2160";

std::string PercentCell(const CommissionSettings& commission, std::int16_t column, int row) {
    if (!commission.HasCommisionValue(column, row)) return "Not set";
    return NumberText(round(2, commission.CommisionValue(column, row))) + "%";
}

}  // namespace

int CommissionRow(std::int32_t productNumber) {
    ProductInfo product;
    product.ProductNumber = productNumber;
    const auto column = product.RateColumn();
    return column ? *column + 1 : 0;
}

void PrintCommissionPage(PageContext& context, const CommissionSettings& commission) {
    try {
        const IllustrationOptions& options = context.client.Proposal();
        if (!options.OutputCommision()) return;
        ProposalPrinter& print = context.print;
        BeginSection(print);
        print.NewPage();
        print.PrintBodyHeader();

        print.SetTextAlign(kJustify);
        print.SetTableBorder(kNoBorder);
        print.SetFontSize(kTitleSize);
        print.SetFontBold(true);
        print.AddTable(kTitleFormat, "", "Broker Commission Schedule");
        print.Paragraph("");
        print.SetFontSize(kTableSize);
        print.SetTableBorder(kCellBorders);
        print.AddTable(kTableFormat, "", "Product|First Year|Renewal");
        print.SetFontBold(false);
        std::string body;
        for (std::size_t i = 0; i < options.ProductCount(); ++i) {
            const std::int32_t product = options.ProdChoices()[i];
            const int row = CommissionRow(product);
            if (!body.empty()) body += print.TableSep().substr(1, 1);
            body += GetProductName(product, false, options.Company()) + "|" +
                    PercentCell(commission, CommissionSettings::FirstYear, row) + "|" +
                    PercentCell(commission, CommissionSettings::Renewal, row);
        }
        print.AddTable(kTableFormat, "", body);
        print.Paragraph("");
        print.Paragraph(
            "Commissions are percentages of the premium paid: the first-year rate in the first "
            "policy year, the renewal rate in each later year.");
    } catch (const std::exception& error) {
        context.run.ProcessError(error, LoggedError::ErrorWithPlace, "CommissionPage", "PrintCommissionPage");
    }
}

}  // namespace quoravel
