#include "CoverPage.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <filesystem>
#include <optional>
#include <vector>

#include "LedgerSection.h"
#include "PageContext.h"
#include "PictureStore.h"
#include "PremiumEngine.h"
#include "PrintSurface.h"
#include "ProductLookups.h"
#include "Rounding.h"
#include "RuntimeError.h"
#include "SectionStart.h"
#include "TextFile.h"

namespace quoravel {
namespace {

// The cover picture is drawn at 70% of its own size, a pixel taken as 1/96 in.
constexpr double kPictureLeft = 2500;
constexpr double kPictureTop = 600;
constexpr double kPictureScale = 0.70;
constexpr double kTwipsPerPixel = 15;
constexpr double kGapBelowPicture = 120;

// The same three agencies stand behind all three carriers.
struct RatingRow {
    const char* agency;
    const char* rating;
    const char* description;
    const char* rank;
};
constexpr std::array<RatingRow, 3> kRatings{{
    {"A.M. Best", "A+", "(Superior)", "2nd of 16"},
    {"Standard & Poor's", "AA-", "(Very Strong)", "4th of 21"},
    {"Moody's", "Aa3", "(Excellent)", "4th of 21"},
}};

constexpr const char* kRatingDisclaimer =
    "Ratings reflect the opinion of the rating agency and are not "
    "implied warranties of the company's ability to meet its financial "
    "obligations.  The A.M. Best rating is based on the relative financial "
    "strength and operating performance of the company.  The Standard & Poor's and Moody's "
    "ratings both are based on the company's financial strength.";

// Premium factors and words of the payment modes, by PaymentMode code.
struct ModeRow {
    double factor;
    const char* word;
};
constexpr std::array<ModeRow, 5> kModes{{
    {1.0, "Annual"},
    {0.51, "Semi-annual"},
    {0.26, "Quarterly"},
    {0.09, "Monthly"},
    {0.0875, "Monthly"},
}};

constexpr std::array<const char*, 4> kBankDisclosure{
    " *   Are not deposits.",
    " *   Are not insured by the FDIC or any other federal government agency.",
    " *   Are not guaranteed by the bank or its affiliates.",
    " *   May decrease in value.",
};

std::string Dollars(double amount, int decimals) { return "$" + FormatAmount(amount, decimals); }

// "(###) ###-####" from the digits of a ten-digit number; anything else as entered.
std::string FormatPhone(const std::string& phone) {
    std::string digits;
    std::copy_if(phone.begin(), phone.end(), std::back_inserter(digits),
                 [](unsigned char c) { return std::isdigit(c) != 0; });
    if (digits.size() != 10) return phone;
    return "(" + digits.substr(0, 3) + ") " + digits.substr(3, 3) + "-" + digits.substr(6);
}

void PrintCarrier(ProposalPrinter& print, const IllustrationOptions& options) {
    print.SetFontSize(7);
    print.SetFontItalic(true);
    print.Paragraph(options.CompanyName());
    print.Paragraph(options.CompanyAddress());
    print.Paragraph(options.CompanyCityState());
    print.SetFontItalic(false);
    print.SetFontSize(10);
    print.Paragraph("");
    print.Paragraph("");
}

void PrintProductsQuoted(PageContext& context) {
    ProposalPrinter& print = context.print;
    const ClientCase& client = context.client;
    const IllustrationOptions& options = client.Proposal();
    const std::string form = client.PolicyForm(context.run.UsePriorRates);
    const std::string form2 = client.PolicyForm2();
    // New Jersey cases of the carrier with a second form name both forms.
    const std::string formText = client.State() == "NJ" && !form2.empty()
                                     ? " (Policy Form Nos. " + form + " et al " + "& " + form2 + " et al)"
                                     : " (Policy Form No. " + form + " et al)";

    std::vector<std::int32_t> products;
    if (options.ProductCount() > 1)
        products.assign(options.ProdChoices().begin(), options.ProdChoices().end() - 1);
    else
        products.push_back(options.ProductType());

    print.Paragraph("A life insurance policy quotation for:");
    print.SetFontBold(true);
    for (std::int32_t product : products)
        print.Paragraph(ProductDisplayName(product, options.Company()) + formText);
    print.SetFontBold(false);
    print.Paragraph(options.ProductTypeTerminology(client.State()));
    print.Paragraph("");
    print.Paragraph("");
}

void PrintClient(PageContext& context) {
    ProposalPrinter& print = context.print;
    ClientCase& client = context.client;
    const IllustrationOptions& options = client.Proposal();

    print.Paragraph("Prepared For:");
    print.SetFontBold(true);
    print.OneLineParagraph(client.FullName());
    print.SetFontBold(false);
    std::string insured = "Age " + std::to_string(client.Age());
    // Montana rates do not depend on sex, so none is shown.
    if (client.State() != "MT") insured += std::string(", ") + (client.IsMale() ? "Male" : "Female");
    insured += ", " + client.Classstring();
    print.Paragraph(insured);

    std::string faces;
    for (std::size_t i = 0; i < options.FaceAmountCount(); ++i)
        faces += (i == 0 ? "" : ", ") + Dollars(options.GetFaceAmount(i), 0);
    print.Paragraph(faces);

    if (!client.TableRating().empty() && client.TableRating() != "None")
        print.Paragraph("Table Rating: " + client.TableRating());
    if (client.PermFlatExtra() > 0)
        print.Paragraph("Permanent Flat Extra: " + Dollars(client.PermFlatExtra(), 2) + " per $1000");
    if (client.TempFlatExtra() > 0)
        print.Paragraph("Temporary Flat Extra: " + Dollars(client.TempFlatExtra(), 2) + " per $1000 for " +
                        std::to_string(client.TempFlatExtraYears()) + " yrs.");
    if (client.ChildRider())
        print.Paragraph("Child Rider: " + std::to_string(client.ChildRiderUnits()) + " unit(s)");
    if (client.Waiver()) {
        print.Paragraph(client.WaiverRating() <= 1
                            ? std::string("Waiver")
                            : "Waiver: Rated " + FormatAmount(client.WaiverRating() * 100, 0) + "%");
    }
}

void PrintFirstYearPremium(PageContext& context) {
    ClientCase& client = context.client;
    const IllustrationOptions& options = client.Proposal();
    if (options.ProductCount() != 1 || options.FaceAmountCount() != 1) return;

    const LedgerColumnData column = LedgerColumn(context, options.ProductType(), 0, client.Classification());
    if (column.years.empty()) return;
    const ModeRow& mode = kModes.at(static_cast<std::size_t>(std::clamp(client.PaymentMode(), 0, 4)));
    const double modal = round(2, round(5, column.years.front().Total()) * mode.factor);

    ProposalPrinter& print = context.print;
    print.Paragraph("");
    print.SetFontBold(true);
    print.Paragraph(std::string("Total First-Year ") + mode.word + " Premium: " + Dollars(modal, 2));
    print.SetFontBold(false);
}

void PrintPreparedBy(PageContext& context) {
    ProposalPrinter& print = context.print;
    const Broker& broker = context.client.AssignedBroker();
    // The lines that have a value; a case without a broker has no block.
    std::vector<std::string> lines;
    auto line = [&](const std::string& text) {
        if (!text.empty()) lines.push_back(text);
    };
    line(broker.GetTitle());
    // The outside illustration system sends the agency with the agent.
    if (context.run.RelayMode()) {
        line(broker.Get(BrokerField::GA_Name));
        line(broker.Get(BrokerField::Broker_Co));
    }
    line(broker.Get(BrokerField::address_1));
    line(broker.Get(BrokerField::address_2));
    if (!broker.Get(BrokerField::city).empty())
        line(broker.Get(BrokerField::city) + ", " + broker.Get(BrokerField::state) + " " +
             broker.Get(BrokerField::zip));
    if (!broker.Get(BrokerField::phone_num).empty()) line(FormatPhone(broker.Get(BrokerField::phone_num)));
    if (!broker.Get(BrokerField::license_num).empty())
        line("License No. " + broker.Get(BrokerField::license_num));
    if (lines.empty()) return;

    print.Paragraph("");
    print.Paragraph("Prepared by:");
    for (const std::string& text : lines) print.OneLineParagraph(text);
}

// Insurance sold through a bank must say plainly that it is no bank deposit.
void PrintBankDisclosure(ProposalPrinter& print) {
    std::string box = "Insurance and annuity products:";
    for (const char* line : kBankDisclosure) box += std::string("\n") + line;
    const int border = print.TableBorder();
    print.Paragraph("");
    print.SetTableSep("|'");
    print.SetTableBorder(7);
    print.AddTable("+7000", "", box);
    print.SetTableBorder(border);
    print.SetTableSep("|;");
}

}  // namespace

ProposalPrinter& CoverPage::Print() const {
    if (!print_) throw RuntimeError(ErrorNumber::InvalidProcedureCall, "clsPCover", "No print handle");
    return *print_;
}

void CoverPage::start(const std::string& programFolder) {
    PrintSurface& surface = Print().Surface();
    const std::string path = (std::filesystem::path(programFolder) / "Term.gif").string();
    std::optional<std::string> encoded;
    try {
        encoded = ReadFileBytes(path);
    } catch (const RuntimeError&) {
        return;  // an unreadable cover picture is simply not drawn
    }
    if (!encoded) return;
    const QImage picture = DecodePicture(*encoded);
    if (picture.isNull()) return;

    double width = picture.width() * kTwipsPerPixel * kPictureScale;
    double height = picture.height() * kTwipsPerPixel * kPictureScale;
    // A wide picture is narrowed, in proportion, to end at the right margin.
    const double room = surface.PageWidth() - surface.MarginRight() - kPictureLeft;
    if (width > room) {
        height *= room / width;
        width = room;
    }
    if (!surface.DrawPictureData(std::move(*encoded), kPictureLeft, kPictureTop, width, height)) return;
    const double below = kPictureTop + height + kGapBelowPicture;
    if (surface.CurrentY() < below) surface.SetCurrentY(below);
}

void CoverPage::AddRating(std::string agency, std::string rating, std::string description, std::string rank) {
    ratings_.push_back({std::move(agency), std::move(rating), std::move(description), std::move(rank)});
}

void CoverPage::ShowRatings() {
    ProposalPrinter& print = Print();
    PrintSurface& surface = print.Surface();
    static constexpr std::array<const char*, 4> kWidths{"1.5in", "0.5in", "1in", "0.75in"};

    print.SetTableBorder(0);
    print.SetFontSize(10);
    surface.StartTable();
    surface.SetTableCell(PrintSurface::Cols, 0, 0, "4");
    surface.SetTableCell(PrintSurface::Rows, 0, 0, std::to_string(ratings_.size() + 1));
    for (int column = 1; column <= 4; ++column)
        surface.SetTableCell(PrintSurface::ColWidth, 0, column,
                             kWidths[static_cast<std::size_t>(column - 1)]);
    surface.SetTableCell(PrintSurface::CellBold, 1, 1, "1");
    surface.SetTableCell(PrintSurface::CellText, 1, 1, "\nRATINGS\n");
    int row = 2;
    for (const Rating& rating : ratings_) {
        surface.SetTableCell(PrintSurface::CellText, row, 1, rating.agency);
        surface.SetTableCell(PrintSurface::CellText, row, 2, rating.rating);
        surface.SetTableCell(PrintSurface::CellText, row, 3, rating.description);
        surface.SetTableCell(PrintSurface::CellText, row, 4, rating.rank);
        ++row;
    }
    surface.EndTable();
    print.Paragraph("");
    print.Paragraph(disclaimer_);
    print.Paragraph("");
}

void PrintCover(PageContext& context) {
    try {
        ProposalPrinter& print = context.print;
        BeginSection(print);
        StartOnFreshPage(print);
        CoverPage cover;
        cover.PrintReference(print);
        cover.start(context.programFolder);

        PrintCarrier(print, context.client.Proposal());
        for (const RatingRow& row : kRatings)
            cover.AddRating(row.agency, row.rating, row.description, row.rank);
        cover.AddRatingDisclaimer(kRatingDisclaimer);
        cover.ShowRatings();

        PrintProductsQuoted(context);
        PrintClient(context);
        PrintFirstYearPremium(context);
        PrintPreparedBy(context);
        if (context.run.FISMode) PrintBankDisclosure(print);
        cover.finish();
    } catch (const std::exception& error) {
        context.run.ProcessError(error, LoggedError::ErrorWithPlace, "clsPCover", "PrintCover");
    }
}

}  // namespace quoravel
