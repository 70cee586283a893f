#include "CertificationPage.h"

#include "NarrativeSummaryPage.h"
#include "PrintSurface.h"
#include "SectionStart.h"

namespace quoravel {
namespace {

constexpr const char* kApplicantAcknowledgement =
    "I acknowledge that I have received every page of this proposal and have read it.  I understand that "
    "the premiums it shows are the guaranteed premiums of the policy as illustrated, for the insured, face "
    "amount, underwriting class and options it names; that the policy, once issued, and not this proposal, "
    "states the terms of the insurance and governs; and that this proposal is not a contract and puts no "
    "insurance in force.";
constexpr const char* kOwnerAcknowledgement =
    "An owner other than the applicant signs below to acknowledge the same.";
constexpr const char* kBrokerStatement =
    "I certify that I presented this proposal to the applicant as printed, with all of its pages, and that "
    "I said nothing about the policy, its premiums or its terms that differs from it.";
constexpr const char* kSignatureLine = "______________________________________________";
constexpr const char* kDateLine = "Date ____________________";
// The signature's line and its date line side by side.
constexpr const char* kSignatureFormat = "<5760|<360|<3240";

void Heading(ProposalPrinter& print, const char* text) {
    print.Paragraph("");
    print.SetFontBold(true);
    print.Paragraph(text);
    print.SetFontBold(false);
}

// A signature line with its date, and under it who signs.
void SignatureLines(ProposalPrinter& print, const std::string& signer, const std::string& name) {
    print.Paragraph("");
    print.Paragraph("");
    print.AddTable(kSignatureFormat, "", std::string(kSignatureLine) + "||" + kDateLine);
    print.Paragraph(signer);
    if (!name.empty()) print.OneLineParagraph(name);
}

}  // namespace

PageRange PrintCertification(PageContext& context) {
    PageRange pages;
    ClientCase& client = context.client;
    if (!client.Proposal().OutputCertification()) return pages;
    ProposalPrinter& print = context.print;
    BeginSection(print);
    NarrativeSummaryPage page;
    page.Reference(print);
    page.start();
    PageFrame& frame = print.Frame();
    pages.first = frame.GlobalPage();
    page.AddTitle("Certification");

    Heading(print, "Applicant and Owner");
    print.Paragraph(kApplicantAcknowledgement);
    print.Paragraph("");
    print.Paragraph(kOwnerAcknowledgement);
    SignatureLines(print, "Applicant's signature", client.FullName());
    SignatureLines(print, "Owner's signature, if other than the applicant", "");

    Heading(print, "Broker");
    print.Paragraph(kBrokerStatement);
    SignatureLines(print, "Broker's signature", client.AssignedBroker().GetTitle());

    print.Paragraph("");
    print.Paragraph("");
    print.Paragraph("Proposal reference number: #" + std::to_string(frame.Reference()));
    // The certification closes its proposal's run: the count is the one its footers end with.
    print.Paragraph("This proposal has " + std::to_string(frame.RunTotalSoFar()) + " pages.");
    page.finish();
    pages.last = frame.GlobalPage();
    return pages;
}

}  // namespace quoravel
