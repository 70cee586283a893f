#include "CommissionPage.h"

#include "Enumerations.h"
#include "ProductInfo.h"
#include "Rounding.h"
#include "SectionPage.h"
#include "Value.h"
#include "cCommision.h"
#include "clsPrint.h"

namespace quoravel {
namespace {

constexpr int kJustify = 7;
constexpr int kNoBorder = 0;
constexpr int kCellBorders = 9;
constexpr std::int16_t kTitleSize = 12;
constexpr std::int16_t kTableSize = 10;
constexpr const char* kTitleFormat = "+^8640";
constexpr const char* kTableFormat = "+<4320|+>2160|+>2160";

std::string PercentCell(const cCommision& commission, std::int16_t column, int row) {
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

void PrintCommissionPage(PageContext& context, const cCommision& commission) {
    try {
        const cIllustrationOptions& options = context.client.proposal();
        if (!options.OutputCommision()) return;
        clsPrint& print = context.print;
        BeginSection(print);
        print.NewPage();
        print.printBodyHeader();

        print.SetTextAlign(kJustify);
        print.SetTableBorder(kNoBorder);
        print.SetFontSize(kTitleSize);
        print.SetFontBold(true);
        print.addTable(kTitleFormat, "", "Broker Commission Schedule");
        print.Paragraph("");
        print.SetFontSize(kTableSize);
        print.SetTableBorder(kCellBorders);
        print.addTable(kTableFormat, "", "Product|First Year|Renewal");
        print.SetFontBold(false);
        std::string body;
        for (std::size_t i = 0; i < options.ProductCount(); ++i) {
            const std::int32_t product = options.ProdChoices()[i];
            const int row = CommissionRow(product);
            if (!body.empty()) body += print.TableSep().substr(1, 1);
            body += GetProductName(product, false, options.Company()) + "|" +
                    PercentCell(commission, cCommision::FirstYear, row) + "|" +
                    PercentCell(commission, cCommision::Renewal, row);
        }
        print.addTable(kTableFormat, "", body);
        print.Paragraph("");
        print.Paragraph(
            "Commissions are percentages of the premium paid: the first-year rate in the first "
            "policy year, the renewal rate in each later year.");
    } catch (const std::exception& error) {
        context.run.ProcessError(error, clsError::ErrorWithPlace, "CommissionPage", "PrintCommissionPage");
    }
}

}  // namespace quoravel
