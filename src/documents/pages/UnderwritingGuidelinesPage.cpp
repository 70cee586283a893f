#include "UnderwritingGuidelinesPage.h"

#include <array>
#include <string>

#include "ProposalPrinter.h"
#include "SectionStart.h"

namespace quoravel {
namespace {

constexpr int kFaceBands = 6;

struct AgeBand {
    const char* ages;
    std::array<const char*, kFaceBands> requirements;
};

// The requirements that applied from July 2003, by age nearest birthday and
// the total face amount in force and applied for.
constexpr std::array<AgeBand, 6> kRequirements{{
    {"0 - 17",
     {"Non-Med", "Non-Med", "Para-Med, Urine", "Para-Med, Blood, Urine, APS",
      "Exam, Blood, Urine, APS, Inspection Report",
      "Exam, Blood, Urine, APS, Inspection Report, Financial Statement"}},
    {"18 - 40",
     {"Non-Med", "Para-Med, Blood, Urine", "Para-Med, Blood, Urine",
      "Para-Med, Blood, Urine, Inspection Report", "Exam, Blood, Urine, EKG, Inspection Report",
      "Exam, Blood, Urine, Treadmill EKG, APS, Inspection Report, Financial Statement"}},
    {"41 - 50",
     {"Para-Med, Urine", "Para-Med, Blood, Urine", "Para-Med, Blood, Urine, EKG",
      "Exam, Blood, Urine, EKG, Inspection Report", "Exam, Blood, Urine, EKG, APS, Inspection Report",
      "Exam, Blood, Urine, Treadmill EKG, APS, Inspection Report, Financial Statement"}},
    {"51 - 60",
     {"Para-Med, Blood, Urine", "Para-Med, Blood, Urine", "Para-Med, Blood, Urine, EKG",
      "Exam, Blood, Urine, EKG, APS, Inspection Report", "Exam, Blood, Urine, EKG, APS, Inspection Report",
      "Exam, Blood, Urine, Treadmill EKG, APS, Inspection Report, Financial Statement"}},
    {"61 - 70",
     {"Para-Med, Blood, Urine, APS", "Para-Med, Blood, Urine, EKG, APS", "Exam, Blood, Urine, EKG, APS",
      "Exam, Blood, Urine, EKG, APS, Inspection Report",
      "Exam, Blood, Urine, Treadmill EKG, APS, Inspection Report",
      "Exam, Blood, Urine, Treadmill EKG, APS, Inspection Report, Financial Statement"}},
    {"71 and over",
     {"Exam, Blood, Urine, EKG, APS", "Exam, Blood, Urine, EKG, APS",
      "Exam, Blood, Urine, EKG, APS, Inspection Report",
      "Exam, Blood, Urine, Treadmill EKG, APS, Inspection Report",
      "Exam, Blood, Urine, Treadmill EKG, APS, Inspection Report, Financial Statement",
      "Exam, Blood, Urine, Treadmill EKG, APS, Inspection Report, Financial Statement"}},
}};

constexpr const char* kGridFormat = "+^1240|+^1600|+^1600|+^1600|+^1600|+^1600|+^1600";
constexpr const char* kGridHeading =
    "Age|Up to 99,999|100,000 - 249,999|250,000 - 499,999|500,000 - 999,999|1,000,000 - 2,999,999|3,000,000 "
    "and over";

struct LegendEntry {
    const char* requirement;
    const char* meaning;
};

constexpr std::array<LegendEntry, 10> kLegend{{
    {"Non-Med",
     "Non-medical application: the medical questions of the application are answered without an "
     "examination."},
    {"Para-Med",
     "Paramedical examination by an approved examiner, with height, weight, pulse and blood pressure."},
    {"Exam", "Complete medical examination by a licensed physician."},
    {"Blood", "Blood profile, including HIV, lipids, liver and kidney function and cotinine."},
    {"Urine", "Home Office urine specimen, including cotinine."},
    {"EKG", "Resting electrocardiogram."},
    {"Treadmill EKG", "Exercise electrocardiogram, in place of the resting EKG."},
    {"APS", "Attending Physician's Statement from the proposed insured's personal physician."},
    {"Inspection Report", "Personal history interview by an inspection company."},
    {"Financial Statement",
     "Statement of the proposed insured's earned income, net worth and purpose of coverage."},
}};

constexpr std::array<const char*, 4> kNotes{
    "Face amounts are the total of the coverage in force and applied for with the company and its "
    "affiliates.",
    "Ages are ages nearest birthday on the date of application.",
    "An Attending Physician's Statement is also required whenever the application or the examination "
    "discloses a medical history that calls for one.",
    "The underwriter may ask for further requirements at any time.",
};

std::string GridBody() {
    std::string body;
    for (const auto& band : kRequirements) {
        if (!body.empty()) body += ';';
        body += band.ages;
        for (const char* cell : band.requirements) body += std::string("|") + cell;
    }
    return body;
}

std::string LegendBody() {
    std::string body;
    for (const auto& entry : kLegend) {
        if (!body.empty()) body += ';';
        body += std::string(entry.requirement) + "|" + entry.meaning;
    }
    return body;
}

}  // namespace

void PrintUnderwritingGuidelines(PageContext& context) {
    ProposalPrinter& print = context.print;
    BeginSection(print);
    StartOnFreshPage(print);
    const std::string separators = print.TableSep();
    print.SetTableSep("|;");

    print.SetTextAlign(6);
    print.SetFontSize(12);
    print.SetFontBold(true);
    print.Paragraph("Underwriting Guidelines (as of July 2003)");
    print.SetFontSize(10);
    print.Paragraph("Requirements by Age and Face Amount");
    print.Paragraph("");

    print.SetFontSize(8);
    print.SetTableBorder(9);
    print.AddTable(kGridFormat, "", kGridHeading);
    print.SetFontBold(false);
    print.AddTable(kGridFormat, "", GridBody());
    print.Paragraph("");

    print.SetFontSize(10);
    print.SetFontBold(true);
    print.Paragraph("Legend");
    print.SetFontBold(false);
    print.SetFontSize(8);
    print.SetTableBorder(0);
    print.AddTable("<+2200|<+8640", "", LegendBody());
    print.Paragraph("");

    print.SetFontSize(10);
    print.SetFontBold(true);
    print.Paragraph("Notes");
    print.SetFontBold(false);
    print.SetFontSize(8);
    print.SetTextAlign(0);
    for (const char* note : kNotes) print.Paragraph(note);

    print.SetFontSize(10);
    print.SetTableSep(separators);
}

}  // namespace quoravel
