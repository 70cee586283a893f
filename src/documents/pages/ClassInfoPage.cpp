#include "ClassInfoPage.h"

#include <algorithm>
#include <array>

#include "ClientCase.h"
#include "IllustrationOptions.h"
#include "PrintSurface.h"
#include "ProductCatalogue.h"
#include "SectionStart.h"
#include "Text.h"

namespace quoravel {
namespace {

constexpr std::int32_t kQNB = 1;

bool IsCustom(int classCode) { return classCode == 7 || classCode == 8; }
bool IsNicotine(int classCode) { return classCode == 5 || classCode == 6 || classCode == 8; }

struct ClassText {
    const char* name;
    const char* sentence;
};

constexpr std::array<ClassText, kClasses> kClassTexts{{
    {"Preferred Elite No Nicotine",
     "PREFERRED ELITE No Nicotine Use rates are subject to the following underwriting criteria:"},
    {"Preferred Best No Nicotine",
     "PREFERRED BEST No Nicotine Use rates are subject to the following underwriting criteria:"},
    {"Preferred No Nicotine",
     "PREFERRED No Nicotine Use rates are subject to the following underwriting criteria:"},
    {"Select No Nicotine",
     "SELECT No Nicotine Use rates are subject to the following underwriting criteria:"},
    {"Standard No Nicotine",
     "STANDARD No Nicotine Use rates are subject to the following underwriting criteria:"},
    {"Preferred Nicotine",
     "PREFERRED Nicotine Use rates are subject to the following underwriting criteria:"},
    {"Standard Nicotine", "STANDARD Nicotine Use rates are subject to the following underwriting criteria:"},
    {"Custom No Nicotine",
     "CUSTOM No Nicotine Use rates are subject to the following underwriting criteria:"},
    {"Custom Nicotine", "CUSTOM Nicotine Use rates are subject to the following underwriting criteria:"},
}};

// The criteria share values across classes: Preferred with and without
// nicotine, Standard with and without. The custom classes are judged
// against the Standard limits.
constexpr std::array<int, kClasses> kCriteriaGroup{0, 1, 2, 3, 4, 2, 4, 4, 4};

struct Criteria {
    int cholesterol;
    const char* pressureTo60;
    const char* pressureFrom61;
    double cholesterolRatio;
    int drivingYears;
    int nicotinePeriod;  // years, or months for the Standard group
};

constexpr std::array<Criteria, 5> kCriteria{{
    {210, "130/85", "140/90", 4.0, 5, 10},
    {240, "140/85", "150/90", 5.0, 5, 5},
    {270, "140/90", "150/90", 6.0, 5, 3},
    {285, "150/90", "155/95", 7.0, 3, 2},
    {300, "155/95", "160/95", 8.0, 2, 12},
}};

// The New York products judge blood pressure in three age bands.
constexpr std::array<std::array<const char*, 3>, 5> kQNBPressure{{
    {"130/80", "135/85", "140/90"},
    {"135/85", "140/85", "150/90"},
    {"140/85", "140/90", "150/90"},
    {"145/90", "150/90", "155/95"},
    {"150/90", "155/95", "160/95"},
}};
constexpr std::array<const char*, 3> kQNBPressureBands{"Age 45 or Younger", "Ages 46-60", "Age 61 or Older"};

// Maximum weight in pounds for 24 heights an inch apart.
using BuildChart = std::array<int, 24>;

// Heights from 5'0 to 6'11, for the criteria groups from Preferred Best on;
// no chart is set for Preferred Elite.
constexpr std::array<BuildChart, 4> kBuildCharts{{
    {145, 149, 153, 158, 162, 166, 170, 176, 182, 188, 193, 199,
     205, 211, 216, 222, 227, 233, 238, 243, 249, 254, 260, 265},
    {154, 159, 164, 169, 175, 180, 186, 192, 197, 203, 209, 215,
     221, 227, 234, 240, 246, 253, 260, 266, 273, 280, 287, 294},
    {164, 169, 174, 179, 185, 190, 196, 202, 207, 213, 220, 226,
     232, 239, 245, 252, 259, 266, 273, 280, 287, 294, 301, 309},
    {174, 180, 186, 192, 198, 204, 211, 217, 224, 230, 237, 244,
     251, 258, 265, 272, 279, 287, 294, 302, 310, 317, 325, 333},
}};

// New York charts: men from 5'0 to 6'11, women from 4'8 to 6'7; Preferred
// Elite and Preferred Best share one chart.
constexpr int kQNBMaleFirstHeight = 60;
constexpr int kQNBFemaleFirstHeight = 56;
constexpr std::array<BuildChart, 4> kQNBMaleCharts{{
    {141, 146, 150, 155, 160, 165, 170, 176, 181, 186, 192, 197,
     203, 208, 214, 220, 226, 232, 238, 244, 250, 257, 263, 269},
    {151, 156, 161, 167, 172, 177, 183, 188, 194, 200, 206, 212,
     218, 224, 230, 236, 242, 249, 255, 262, 269, 275, 282, 289},
    {159, 164, 170, 175, 181, 186, 192, 198, 204, 210, 216, 222,
     229, 235, 241, 248, 255, 261, 268, 275, 282, 289, 297, 304},
    {169, 175, 180, 186, 192, 198, 204, 211, 217, 223, 230, 237,
     243, 250, 257, 264, 271, 278, 286, 293, 300, 308, 316, 323},
}};
constexpr std::array<BuildChart, 4> kQNBFemaleCharts{{
    {118, 122, 127, 131, 136, 140, 145, 150, 154, 159, 164, 169,
     174, 179, 185, 190, 195, 201, 206, 212, 218, 223, 229, 235},
    {127, 132, 136, 141, 146, 151, 156, 161, 166, 171, 177, 182,
     187, 193, 199, 204, 210, 216, 222, 228, 234, 240, 247, 253},
    {134, 139, 144, 149, 154, 159, 164, 169, 175, 180, 186, 192,
     197, 203, 209, 215, 221, 227, 234, 240, 246, 253, 260, 266},
    {143, 148, 153, 158, 164, 169, 175, 181, 186, 192, 198, 204,
     210, 217, 223, 229, 236, 243, 249, 256, 263, 270, 277, 284},
}};

constexpr std::array<const char*, kClasses> kFamilyHistory{
    "Family History: No cardiovascular or cancer disease (except basal cell carcinoma) in either parent or "
    "siblings before age 65.",
    "Family History: No cardiovascular or cancer disease (except basal cell carcinoma) in either parent or "
    "siblings on or before age 60.",
    "Family History: No cardiovascular death or cancer death in either parent on or before age 60.",
    "Family History: Not more than one cardiovascular death in parents on or before age 60.",
    "Family History: Not more than one cardiovascular death in parents on or before age 60.",
    "Family History: No cardiovascular death or cancer death in parents on or before age 60.",
    "Family History: Not more than one cardiovascular death in parents on or before age 60.",
    nullptr,
    nullptr,
};

constexpr std::array<const char*, 5> kQNBFamilyHistory{
    "Family History: No death of a parent or sibling from cardiovascular disease or cancer before age 60.",
    "Family History: No death of a parent or sibling from cardiovascular disease or cancer before age 60.",
    "Family History: No death of a parent from cardiovascular disease or cancer before age 60.",
    "Family History: Not more than one parent's death from cardiovascular disease before age 60.",
    "Family History: Not more than one parent's death from cardiovascular disease before age 60.",
};

const Criteria& CriteriaOf(int classCode) {
    return kCriteria[static_cast<std::size_t>(kCriteriaGroup[classCode])];
}

// The charts start at the Preferred Best group; the New York Preferred Elite
// class shares that chart.
std::size_t ChartIndex(int classCode) {
    return static_cast<std::size_t>(std::max(kCriteriaGroup[classCode], 1) - 1);
}

std::string HeightText(int inches) { return std::to_string(inches / 12) + "'" + std::to_string(inches % 12); }

// Eight rows of three height-weight pairs, the heights running down the columns.
std::string BuildChartBody(const BuildChart& chart, int firstHeight) {
    std::string body;
    for (int row = 0; row < 8; ++row) {
        if (row > 0) body += ';';
        for (int pair = 0; pair < 3; ++pair) {
            const int index = row + pair * 8;
            if (pair > 0) body += '|';
            body += HeightText(firstHeight + index) + "|" +
                    std::to_string(chart[static_cast<std::size_t>(index)]);
        }
    }
    return body;
}

void PrintBuildChart(ProposalPrinter& print, const std::string& title, const BuildChart& chart,
                     int firstHeight) {
    const std::string body = BuildChartBody(chart, firstHeight);
    // The title, the heading and every row on one page.
    const auto rows = static_cast<std::size_t>(std::count(body.begin(), body.end(), ';')) + 1;
    print.Surface().KeepTogether(rows + 2, rows + 1);
    print.Paragraph(title);
    const std::string separators = print.TableSep();
    print.SetTableSep("|;");
    print.AddTable("+^800|+^800| +^800|+^800|+^800|+^800", "Height|Weight|Height|Weight|Height|Weight", body);
    print.SetTableSep(separators);
}

std::string RatioText(double ratio) { return FixedText(ratio, 1); }

}  // namespace

std::string ClassInfoClassName(int classCode) {
    if (classCode < 0 || classCode >= kClasses) return "";
    return kClassTexts[static_cast<std::size_t>(classCode)].name;
}

bool ClassInfoPage::UsesQNBLayout(const IllustrationOptions& options) {
    return options.Company() == kQNB &&
           OfferOf(options.ProductType()).family == ProductFamily::IncreasingPremium;
}

void ClassInfoPage::Bind() {
    self_ = std::make_shared<ClassInfoPage*>(this);
    context_.print.Surface().AddNewPageHandler([page = std::weak_ptr<ClassInfoPage*>(self_)] {
        if (auto alive = page.lock()) (*alive)->context_.print.PrintBodyHeader();
    });
}

void ClassInfoPage::start() {
    ProposalPrinter& print = context_.print;
    BeginSection(print);
    Bind();
    const int pages = print.Surface().PageCount();
    StartOnFreshPage(print);
    if (print.Surface().PageCount() == pages) print.PrintBodyHeader();
    const int classCode = context_.client.Classification();
    Heading();
    ClassSentence(classCode);
    if (UsesQNBLayout(context_.client.Proposal()))
        QNBCriteria(classCode);
    else
        GeneralCriteria(classCode);
    print.SetFontBold(false);
}

void ClassInfoPage::Heading() {
    ProposalPrinter& print = context_.print;
    print.SetFontBold(true);
    print.SetTextAlign(7);
    print.SetFontSize(10);
    print.SetTableBorder(7);
    print.AddTable("+^10880", "", "PROPOSED UNDERWRITING CLASSIFICATION INFORMATION");
    print.SetTableBorder(0);
}

void ClassInfoPage::ClassSentence(int classCode) {
    ProposalPrinter& print = context_.print;
    print.Paragraph("");
    print.Paragraph(kClassTexts[static_cast<std::size_t>(classCode)].sentence);
    print.SetFontBold(false);
    if (IsCustom(classCode))
        Criterion(
            "Proposed insureds not qualifying for Standard, but not requiring a Table Rating, will be "
            "considered for Custom classification.");
}

void ClassInfoPage::Criterion(std::string_view text) {
    if (context_.run.RelayMode()) context_.print.Paragraph("");
    context_.print.Paragraph(text);
}

void ClassInfoPage::GeneralCriteria(int classCode) {
    ProposalPrinter& print = context_.print;
    const Criteria& criteria = CriteriaOf(classCode);
    Criterion("Impairments: No diseases, disorders, or activities that would affect mortality.");

    const bool treated = classCode == 5 || classCode == 6;
    Criterion(treated ? "Blood Pressure: Currently controlled and average reading in the last 2 years "
                        "(including treatment) does not exceed:"
                      : "Blood Pressure: No current, or history of, blood pressure treatment or medication.  "
                        "No current, or history of, blood pressure readings in excess of:");
    print.Paragraph(std::string("  ") + criteria.pressureTo60 + " Age 60 or Younger    " +
                    criteria.pressureFrom61 + (treated ? " Ages 61 or Older" : " Age 61 or Older"));

    if (const char* history = kFamilyHistory[static_cast<std::size_t>(classCode)]) Criterion(history);
    CommonCriteria(classCode);

    if (classCode != 0 && !IsCustom(classCode)) {
        const std::string name = ClassInfoClassName(classCode);
        Criterion("Build: See Male/Female Build Chart below:");
        PrintBuildChart(print, name + " Build Chart", kBuildCharts[ChartIndex(classCode)], 60);
    }
    Criterion(std::string("Other factors not addressed by these guidelines could prevent an applicant from "
                          "qualifying for Preferred Best, Preferred, ") +
              "Select No Nicotine Use, Standard or Custom as determined by the underwriter.");
}

void ClassInfoPage::QNBCriteria(int classCode) {
    ProposalPrinter& print = context_.print;
    const auto group = static_cast<std::size_t>(kCriteriaGroup[classCode]);
    Criterion("Impairments: No medical condition, treatment or activity that would affect mortality.");

    Criterion(
        "Blood Pressure: Average reading in the last 2 years, with or without treatment, does not exceed:");
    std::string bands = " ";
    for (std::size_t band = 0; band < kQNBPressureBands.size(); ++band)
        bands += std::string(" ") + kQNBPressure[group][band] + " " + kQNBPressureBands[band] + "   ";
    print.Paragraph(bands);

    if (!IsCustom(classCode)) Criterion(kQNBFamilyHistory[group]);
    CommonCriteria(classCode);

    if (!IsCustom(classCode)) {
        const std::string name = ClassInfoClassName(classCode);
        Criterion("Build: See the Male and Female Build Charts below:");
        PrintBuildChart(print, name + " Build Chart - Male", kQNBMaleCharts[ChartIndex(classCode)],
                        kQNBMaleFirstHeight);
        print.Paragraph("");
        PrintBuildChart(print, name + " Build Chart - Female", kQNBFemaleCharts[ChartIndex(classCode)],
                        kQNBFemaleFirstHeight);
    }
    Criterion(
        "Other factors not addressed by these guidelines could prevent an applicant from qualifying for the "
        "proposed class, as determined by the underwriter.");
}

void ClassInfoPage::NicotineCriterion(int classCode) {
    const std::string period = std::to_string(CriteriaOf(classCode).nicotinePeriod);
    std::string line;
    switch (classCode) {
        case 1:
        case 2:
        case 3:
            line = "Nicotine: No use of nicotine or nicotine substitutes in last " + period + " years.";
            break;
        case 4:
            line = "Nicotine: No use of nicotine or nicotine substitutes in last " + period + " months.";
            break;
        case 5:
            line = "Nicotine: Nicotine or nicotine substitute use in last " + period + " years.";
            break;
        case 6:
            line = "Nicotine: Nicotine or nicotine substitute use in last " + period + " months.";
            break;
        case 7:
            line = "Nicotine: No nicotine or nicotine substitute use in last " + period + " months.";
            break;
        default:
            return;
    }
    if (IsNicotine(classCode)) {
        Criterion(line);
        return;
    }
    ProposalPrinter& print = context_.print;
    if (context_.run.RelayMode()) print.Paragraph("");
    print.Text(line);
    print.Paragraph(
        "  An occasional/celebratory cigar-user will be considered as a \"non-nicotine\" user according to "
        "the following guidelines.");
    print.Paragraph("      \u00B7  Cigar use limited to 12 cigars or less per year; and ");
    print.Paragraph(
        "      \u00B7  Current Home Office Specimen (HOS) is negative for cotinine (nicotine metabolite).");
}

// Driving, nicotine, cholesterol, alcohol, cancer, aviation and occupation
// read alike on both layouts.
void ClassInfoPage::CommonCriteria(int classCode) {
    const Criteria& criteria = CriteriaOf(classCode);
    const std::string name = ClassInfoClassName(classCode);
    Criterion("Driving History: No DWI, DUI, reckless driving, license revocation or suspension in last " +
              std::to_string(criteria.drivingYears) + " years.");
    NicotineCriterion(classCode);
    Criterion("Cholesterol:  Maximum reading of " + std::to_string(criteria.cholesterol) + ".");
    Criterion("CHOL/HDL Ratio: The Cholesterol/HDL ratio cannot exceed " +
              RatioText(criteria.cholesterolRatio) + ".");

    if (classCode == 0 || classCode == 1)
        Criterion("Alcohol/Substance Abuse: No history of, or treatment for, alcohol or substance abuse.");
    else if (classCode == 2 || classCode == 5)
        Criterion(
            "Alcohol/Substance Abuse: No history of, or treatment for, alcohol or substance abuse in the "
            "last 10 years.");
    else
        Criterion(
            "Alcohol/Substance Abuse: No history of, or treatment for, alcohol or substance abuse in the "
            "last 7 years.");

    if (classCode == 4)
        Criterion("Cancer History: Coverage may be available based on specific cancer history.");
    else if (!IsCustom(classCode))
        Criterion("Cancer History: No cancer history allowed (except basal cell carcinoma).");

    Criterion("Aviation: " + name +
              " rates only available with an exclusion rider or flat extra (available in most cases).");
    Criterion("Hazardous Occupation or Avocation: " + name +
              " rates available, but may require a flat extra.");
}

void PrintClassInformation(PageContext& context) {
    ClassInfoPage page(context);
    page.start();
    page.finish();
}

}  // namespace quoravel
