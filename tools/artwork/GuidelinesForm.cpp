#include <array>
#include <string>

#include "Artwork.h"
#include "PrintSurface.h"

namespace quoravel {
namespace {

constexpr std::array<const char*, 6> kFaceBands = {
    "Up to $99,999",       "$100,000 – $249,999",     "$250,000 – $499,999",
    "$500,000 – $999,999", "$1,000,000 – $2,999,999", "$3,000,000 and over",
};

struct AgeBand {
    const char* ages;
    std::array<const char*, 6> requirements;
};

// The least the home office needs before it will decide, by age nearest
// birthday and face amount. Evidence grows with both: an examiner's visit in
// place of the application's medical questions, then a physician's
// examination with an EKG, then the attending physician's statement and the
// inspection report.
constexpr const char* kNonMed = "Non-Med";
constexpr const char* kNonMedFluids = "Non-Med, Blood, Urine";
constexpr const char* kParaMed = "Para-Med, Blood, Urine";
constexpr const char* kExam = "Exam, Blood, Urine, EKG";
constexpr const char* kExamAps = "Exam, Blood, Urine, EKG, APS";
constexpr const char* kExamApsInspection = "Exam, Blood, Urine, EKG, APS, Inspection Report";
constexpr std::array<AgeBand, 6> kAgeBands = {{
    {"0–17",
     {kNonMed, kNonMed, "Para-Med, Urine", "Para-Med, Urine, APS", "Para-Med, Urine, APS, Inspection Report",
      "Para-Med, Urine, APS, Inspection Report"}},
    {"18–40",
     {kNonMed, kNonMedFluids, kParaMed, kParaMed, "Exam, Blood, Urine, Inspection Report",
      kExamApsInspection}},
    {"41–50",
     {kNonMedFluids, kParaMed, kParaMed, kExam, "Exam, Blood, Urine, EKG, Inspection Report",
      kExamApsInspection}},
    {"51–60", {kParaMed, kParaMed, kExam, kExamAps, kExamApsInspection, kExamApsInspection}},
    {"61–70", {kParaMed, kExam, kExamAps, kExamAps, kExamApsInspection, kExamApsInspection}},
    {"71 and over",
     {kExamAps, kExamAps, kExamAps, kExamApsInspection, kExamApsInspection, kExamApsInspection}},
}};

constexpr std::array<const char*, 6> kTerms = {
    "Non-Med: the medical questions of the application, answered to the agent.",
    "Para-Med: a paramedical examination by an approved examiner, at the home or office of the proposed "
    "insured.",
    "Exam: a medical examination by a licensed physician.",
    "Blood, Urine: a blood profile and a urinalysis, collected at the examination.",
    "EKG: a resting electrocardiogram. APS: an Attending Physician's Statement, ordered by the home office.",
    "Inspection Report: a telephone interview of the proposed insured by an outside reporting company.",
};

void PrintGrid(PrintSurface& surface) {
    surface.StartTable();
    surface.SetTableCell(PrintSurface::Cols, 0, 0, std::to_string(1 + kFaceBands.size()));
    surface.SetTableCell(PrintSurface::Rows, 0, 0, std::to_string(1 + kAgeBands.size()));
    surface.SetTableCell(PrintSurface::ColWidth, 0, 1, "0.9in");
    surface.SetTableCell(PrintSurface::CellBold, 1, 0, "1");
    surface.SetTableCell(PrintSurface::CellText, 1, 1, "Age");
    for (int band = 0; band < static_cast<int>(kFaceBands.size()); ++band) {
        surface.SetTableCell(PrintSurface::ColWidth, 0, band + 2, "1in");
        surface.SetTableCell(PrintSurface::ColAlign, 0, band + 2, "=");
        surface.SetTableCell(PrintSurface::CellText, 1, band + 2, kFaceBands[static_cast<std::size_t>(band)]);
    }
    for (int row = 0; row < static_cast<int>(kAgeBands.size()); ++row) {
        const AgeBand& ages = kAgeBands[static_cast<std::size_t>(row)];
        surface.SetTableCell(PrintSurface::CellBold, row + 2, 0, "0");
        surface.SetTableCell(PrintSurface::CellText, row + 2, 1, ages.ages);
        for (int band = 0; band < static_cast<int>(kFaceBands.size()); ++band)
            surface.SetTableCell(PrintSurface::CellText, row + 2, band + 2,
                                 ages.requirements[static_cast<std::size_t>(band)]);
    }
    surface.EndTable();
}

}  // namespace

Document DrawUnderwritingGuidelines(const Carrier& carrier) {
    PrintSurface surface;
    surface.SetMargins(1080, 1080, 1080, 1080);
    surface.StartDoc();
    surface.DrawPictureData(EncodePicture(DrawCarrierHeader(carrier), "BMP"), 1080, 900, 1100, 1000);
    surface.SetCurrentY(1200);
    surface.SetTextAlign(PrintSurface::AlignRight);
    surface.SetFontBold(true);
    surface.SetFontSize(15);
    surface.Paragraph(carrier.name);
    surface.SetFontSize(13);
    surface.Paragraph(kGuidelinesTitle);
    surface.SetFontBold(false);
    surface.SetFontSize(10);
    surface.Paragraph("Level Premium Term Life Insurance");
    surface.SetCurrentY(2300);

    surface.SetTextAlign(PrintSurface::AlignJustify);
    surface.Paragraph(
        "The requirements below are the least the home office needs to decide on an application. They "
        "depend on the age of the proposed insured, nearest birthday, and on the total face amount applied "
        "for and in force with the company. The underwriter may ask for more when the application or the "
        "evidence calls for it.");
    surface.Paragraph("");
    surface.SetFontSize(9);
    surface.SetTableBorder(9);
    surface.SetTextAlign(PrintSurface::AlignCenter);
    PrintGrid(surface);
    surface.SetTextAlign(PrintSurface::AlignLeft);
    surface.Paragraph("");
    surface.SetFontBold(true);
    surface.Paragraph("Terms");
    surface.SetFontBold(false);
    for (const char* term : kTerms) surface.Paragraph(term);
    surface.Paragraph("");
    surface.SetFontBold(true);
    surface.Paragraph("Financial evidence");
    surface.SetFontBold(false);
    surface.Paragraph(
        "From $1,000,000: a financial questionnaire stating the purpose of the coverage. From $3,000,000: "
        "also the last two years' tax returns or audited financial statements.");
    if (carrier.code == "QNB") {
        surface.Paragraph("");
        surface.Paragraph(
            "New York: every blood test needs the state's HIV testing consent form, signed by the proposed "
            "insured at the collection.");
    }
    surface.SetCurrentY(surface.PageHeight() - 1300);
    surface.SetFontSize(8);
    surface.SetFontItalic(true);
    surface.Paragraph("For agent use only. Not for use with the public. " + carrier.name + ".");
    surface.EndDoc();
    return surface.GetDocument();
}

}  // namespace quoravel
