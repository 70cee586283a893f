// Every proposal can be made again and checked: the stamp its PDF carries,
// and `quoravel verify` on the installed rates and on changed ones.
#include <gtest/gtest.h>

#define POINTERHOLDER_TRANSITION 4
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include <filesystem>
#include <sstream>

#include "ProposalStamp.h"
#include "RelayCase.h"
#include "TextFile.h"

namespace fs = std::filesystem;

namespace {

// The proposal as a PDF editor saves it after `change`, written anew.
std::string Rewritten(const std::string& pdf, const std::function<void(QPDF&)>& change) {
    QPDF document;
    document.processMemoryFile("proposal", pdf.data(), pdf.size());
    change(document);
    QPDFWriter writer(document);
    writer.setOutputMemory();
    writer.write();
    const auto buffer = writer.getBufferSharedPointer();
    return {reinterpret_cast<const char*>(buffer->getBuffer()), buffer->getSize()};
}

// The proposal with an incremental update, as an editor appends one: a new
// metadata stream and a catalog pointing at it; the first revision stays.
std::string WithMetadataUpdate(const std::string& pdf, const std::string& xmp) {
    QPDF document;
    document.processMemoryFile("proposal", pdf.data(), pdf.size());
    const int size = document.getTrailer().getKey("/Size").getIntValueAsInt();
    const std::string metadata = std::to_string(size),
                      root = std::to_string(document.getRoot().getObjectID());
    QPDFObjectHandle catalog = document.getRoot().shallowCopy();
    catalog.removeKey("/Metadata");
    std::string catalogText = catalog.unparse();
    catalogText.insert(catalogText.rfind(">>"), " /Metadata " + metadata + " 0 R ");
    // A cross-reference entry: the object's offset in ten digits.
    const auto entry = [](std::size_t at) {
        return std::to_string(at + 10000000000).substr(1) + " 00000 n\r\n";
    };
    std::string update = pdf + metadata + " 0 obj\n<< /Type /Metadata /Subtype /XML /Length " +
                         std::to_string(xmp.size()) + " >>\nstream\n" + xmp + "\nendstream\nendobj\n";
    const std::string metadataAt = entry(pdf.size()), catalogAt = entry(update.size());
    update += root + " 0 obj\n" + catalogText + "\nendobj\n";
    return update + "xref\n" + root + " 1\n" + catalogAt + metadata + " 1\n" + metadataAt +
           "trailer\n<< /Size " + std::to_string(size + 1) + " /Root " + root + " 0 R /Prev " +
           std::to_string(std::stoul(pdf.substr(pdf.rfind("startxref") + 9))) + " >>\nstartxref\n" +
           std::to_string(update.size()) + "\n%%EOF\n";
}

// The page's text drawn with every 7 as an 8, as an edit of the file would.
void SevensAsEights(QPDF& document, std::size_t pageIndex) {
    QPDFPageObjectHelper page = QPDFPageDocumentHelper(document).getAllPages().at(pageIndex);
    for (QPDFObjectHandle& content : page.getPageContents()) {
        const auto data = content.getStreamData();
        std::string text(reinterpret_cast<const char*>(data->getBuffer()), data->getSize());
        // The digits are characters of the page's text strings, (...).
        bool inString = false;
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (inString && text[i] == '\\')
                ++i;
            else if (text[i] == '(' || text[i] == ')')
                inString = text[i] == '(';
            else if (inString && text[i] == '7')
                text[i] = '8';
        }
        content.replaceStreamData(text, QPDFObjectHandle::newNull(), QPDFObjectHandle::newNull());
    }
}

// Files changed after they were made, as a reviewer may be handed them, and
// rates changed since: each is verified (0), refused (2) or reported (1),
// with what differs named. A rate file of the changed set (3 % more deaths)
// prices male 45 preferred, 20 years at 250,000 at 706 cents per 1,000
// against 686: the first year's 1,765.00 becomes 1,815.00 with the $50 fee.
TEST(Stamp, VerifyTellsWhatChanged) {
    const RelayCase relay("single-product");
    ExpectAnswered(relay, relay.Run());
    const std::string pdf = *quoravel::ReadFileBytes(relay.Pdf());
    const auto stamp = quoravel::FindStamp(pdf);
    ASSERT_TRUE(stamp);
    // relay.out carries the stamp in a last section of its own: the case in
    // parts of 1,000 characters, the premiums a product and face amount a key.
    EXPECT_EQ(stamp->caseText, relay.Folder().Read("relay.ini"));
    EXPECT_EQ(stamp->version, relay.Answer("HeaderValues", "bridge_IllustrationID"));
    const std::string encoded = quoravel::EncodeBase64(stamp->caseText),
                      answer = relay.Folder().Read("relay.out");
    ASSERT_TRUE(encoded.size() > 1000 && encoded.size() <= 2000) << "the example's case is two parts";
    EXPECT_EQ(answer.substr(answer.find("[Stamp]")),
              "[Stamp]\r\nVersion=" + stamp->version + "\r\nRateSet=" + stamp->rateSet + "\r\nDate=" +
                  stamp->date + "\r\nCaseKind=relay\r\nCaseParts=2\r\nCase1=" + encoded.substr(0, 1000) +
                  "\r\nCase2=" + encoded.substr(1000) +
                  "\r\nPremiumsParts=1\r\nPremiums1=" + quoravel::PremiumsText(stamp->premiums) + "\r\n");

    TempFolder folder;
    quoravel::ProposalStamp cheaper = *stamp;
    cheaper.premiums[0].yearly[0] = 1565;
    quoravel::ProposalStamp someoneElse = *stamp;
    someoneElse.caseText.replace(someoneElse.caseText.find("Robert Alvarez"), 14, "Jane Doe");
    std::string damaged = pdf;
    damaged.replace(damaged.find("<qv:Premiums>"), 13, "<qv:Prem1ums>");
    const std::size_t ledgerPage = 4;  // the fifth page of the single quote
    const auto addLedgerPage = [&](QPDF& document) {
        QPDFPageDocumentHelper pages(document);
        pages.addPage(pages.getAllPages().at(ledgerPage).shallowCopyPage(), false);
    };
    const struct {
        const char* what;
        std::string bytes;     // "" no file
        const char* rateFile;  // changed in a copy of the program folder; "" none
        int exitCode;
        std::string said;  // the parts of what it says, between "|"
    } cases[] = {
        {"untouched", pdf, "", 0,
         "from a relay case\n|the same as installed|Case: Robert Alvarez, age 45, male, TX\n"
         "Products: Brellan 20, $250,000\n|Printed ledger figures: as the stamp records\n|verified\n"},
        {"a rate file the case does not use", pdf, "QNBwvr.rat", 0,
         " installed in |premiums verified on another rate set"},
        {"the rate file that prices the case", pdf, "July08BRNFGHB3.rat", 1,
         " installed in |Premiums differ in |Brellan 20, $250,000, year 1: 1,765.00, 1,815.00\n"},
        {"no file", "", "", 2, "missing.pdf"},
        {"a PDF of no proposal", "%PDF-1.4\n1 0 obj\n<<>>\nendobj\n%%EOF\n", "", 2, "proposal.pdf"},
        {"a stamp damaged", damaged, "", 2, "proposal.pdf"},
        {"cut to 30,000 bytes", pdf.substr(0, 30000), "", 2, "is not a readable PDF: "},
        {"cut 100 bytes short", pdf.substr(0, pdf.size() - 100), "", 2, "is not a readable PDF: "},
        {"metadata removed",
         Rewritten(pdf, [](QPDF& document) { document.getRoot().removeKey("/Metadata"); }), "", 2,
         "carries no readable proposal stamp"},
        {"an update with a cheaper stamp", WithMetadataUpdate(pdf, quoravel::StampXmp(cheaper)), "", 1,
         "Brellan 20, $250,000, year 1: 1,565.00, 1,765.00\n|page 5, Brellan 20, $250,000, year 1: 1,765.00, "
         "1,565.00\n"},
        {"a ledger figure changed",
         Rewritten(pdf, [&](QPDF& document) { SevensAsEights(document, ledgerPage); }), "", 1,
         "Premiums: the same|Printed pages differ from the stamp in |page 5, Brellan 20, $250,000, year 1: "
         "1,865.00, 1,765.00\n"},
        {"a ledger page added at the end", Rewritten(pdf, addLedgerPage), "", 1,
         "page 7, a row no ledger of the proposal prints: 1 45 1,765.00 250,000, none\n"},
        {"another client's stamp", WithMetadataUpdate(pdf, quoravel::StampXmp(someoneElse)), "", 1,
         "Case: Jane Doe, age 45|no page, the insured's name: none, Jane Doe\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TempFolder home;
        if (*c.rateFile) {
            fs::copy(QUORAVEL_PROGRAM_DIR, home.path(), fs::copy_options::recursive);
            fs::copy_file(fs::path(QUORAVEL_CHANGED_RATES_DIR) / c.rateFile, home.path() / c.rateFile,
                          fs::copy_options::overwrite_existing);
        }
        const fs::path file =
            c.bytes.empty() ? folder.path() / "missing.pdf" : folder.Write("proposal.pdf", c.bytes);
        std::vector<std::string> command{QUORAVEL_EXECUTABLE, "verify", file.string()};
        if (*c.rateFile) command.insert(command.begin(), {"/usr/bin/env", "QUORAVEL_HOME=" + home.folder()});
        const ProgramResult result = RunProgram(command);
        EXPECT_EQ(result.exitCode, c.exitCode) << result.out << result.err;
        EXPECT_TRUE(c.exitCode != 2 || result.out.empty()) << result.out;
        std::istringstream parts(c.said);
        for (std::string said; std::getline(parts, said, '|');)
            EXPECT_NE((result.out + result.err).find(said), std::string::npos) << said << "\n"
                                                                               << result.out << result.err;
    }
}

}  // namespace
