// The program as the outside illustration system drives it: a relay folder
// in, a child process run to its end, and the answer, logs, page files and
// PDF read back.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <regex>
#include <sstream>

#include "RelayCase.h"
#include "Text.h"

namespace {

// The exported pages, the page ranges of the answer and the PDF agree.
void ExpectPagesMatchPdf(const RelayCase& relay) {
    const int pages = std::stoi(relay.Answer("HeaderValues", "bridge_SourceLedgerPages"));
    ASSERT_GT(pages, 0);
    EXPECT_EQ(PdfPages(relay.Pdf()), pages);
    for (int page = 1; page <= pages; ++page) {
        EXPECT_TRUE(relay.Has("page" + std::to_string(page) + ".emf")) << page;
        EXPECT_TRUE(relay.Has("page" + std::to_string(page) + ".vsv")) << page;
    }
    EXPECT_FALSE(relay.Has("page" + std::to_string(pages + 1) + ".vsv"));
    EXPECT_TRUE(relay.Answer("EMF", "File").ends_with("page(" + std::to_string(pages) + ").emf"));

    const std::regex range(R"(page\((\d+),(\d+)\)\.emf\xC3\xBD(.+)\xC3\xBDU\xC3\xBDL$)");
    int nodes = 0;
    for (std::string node; !(node = relay.Answer("EMF", std::to_string(nodes + 1) + "File")).empty();
         ++nodes) {
        std::smatch match;
        ASSERT_TRUE(std::regex_search(node, match, range)) << node;
        const int first = std::stoi(match[1]), last = std::stoi(match[2]);
        EXPECT_LE(1, first) << node;
        EXPECT_LE(first, last) << node;
        EXPECT_LE(last, pages) << node;
    }
    EXPECT_GT(nodes, 0);
}

TEST(RelayEndToEnd, SingleProductAnswersHeaderPremiumsPagesAndPdf) {
    const RelayCase relay("single-product");
    const auto result = relay.Run();
    ExpectAnswered(relay, result);
    EXPECT_EQ(relay.Answer("Engine", "Status"), "0");
    EXPECT_TRUE(relay.Messages().empty());
    EXPECT_EQ(relay.Answer("HeaderValues", "bridge_Age"), "45");
    EXPECT_EQ(relay.Answer("HeaderValues", "bridge_Sex"), "Male");
    EXPECT_EQ(relay.Answer("HeaderValues", "bridge_InitialDB"), "250000");
    EXPECT_EQ(relay.Answer("HeaderValues", "bridge_Client"), "Robert Alvarez");
    EXPECT_EQ(relay.Answer("HeaderValues", "bridge_IllustrationID"), "V1.0w");
    EXPECT_EQ(relay.Answer("HeaderValues", "bridge_Agent"), "Dana Whitfield");
    ExpectPagesMatchPdf(relay);
    const std::string text = PdfText(relay.Pdf());
    EXPECT_NE(text.find("Robert Alvarez"), std::string::npos);
    EXPECT_NE(text.find("Brellan"), std::string::npos);
    EXPECT_NE(text.find("$250,000"), std::string::npos);
}

TEST(RelayEndToEnd, NewJerseyTvnyCaseOpensWithTheRiderNotice) {
    // Its answer and pages are checked with the other examples' below.
    const RelayCase relay("nj-rider-notice");
    ExpectAnswered(relay, relay.Run());
    const std::string text = PdfText(relay.Pdf());
    const auto notice = text.find("neither the Children's Insurance Rider nor the Waiver");
    ASSERT_NE(notice, std::string::npos) << text.substr(0, 2000);
    EXPECT_LT(notice, text.find('\f')) << "the notice is the first page";
    EXPECT_NE(text.find("Please verify that these riders are available"), std::string::npos);
    EXPECT_NE(text.find("Korvel"), std::string::npos);
}

TEST(RelayEndToEnd, ComparisonsShowEveryFaceAmountAndProduct) {
    const RelayCase faces("face-comparison");
    const RelayCase products("product-comparison");
    ExpectAnswered(faces, faces.Run());
    ExpectAnswered(products, products.Run());
    const std::string faceText = PdfText(faces.Pdf());
    for (const char* face : {"$250,000", "$500,000", "$750,000", "$1,000,000"})
        EXPECT_NE(faceText.find(face), std::string::npos) << face;
    EXPECT_NE(faceText.find("Multiple Face Amount Comparison"), std::string::npos);
    const std::string productText = PdfText(products.Pdf());
    for (const char* product : {"Brellan 10", "Brellan 15", "Brellan 20", "Brellan 30"})
        EXPECT_NE(productText.find(product), std::string::npos) << product;
}

TEST(RelayEndToEnd, EightRunsAtOnceEachAnswerInTheirOwnFolder) {
    const std::vector<std::pair<std::string, std::string>> examples{
        {"single-product", "0"},  {"face-comparison", "0"}, {"product-comparison", "0"},
        {"nj-rider-notice", "0"}, {"rated-extras", "0"},    {"missing-agent", "4"},
        {"single-product", "0"},  {"missing-agent", "4"}};
    std::vector<std::unique_ptr<RelayCase>> relays;
    std::vector<std::unique_ptr<ProgramRun>> runs;
    for (const auto& [example, status] : examples) {
        relays.push_back(std::make_unique<RelayCase>(example));
        runs.push_back(std::make_unique<ProgramRun>(relays.back()->Command()));
    }
    for (std::size_t i = 0; i < relays.size(); ++i) {
        SCOPED_TRACE(examples[i].first);
        ExpectAnswered(*relays[i], runs[i]->Wait());
        EXPECT_EQ(relays[i]->Answer("Engine", "Status"), examples[i].second);
        if (examples[i].second == "0") {
            ExpectPagesMatchPdf(*relays[i]);
            if (examples[i].first == "rated-extras") {
                EXPECT_EQ(relays[i]->Answer("HeaderValues", "bridge_Sex"), "Female");
            }
        } else {
            // The missing agent is refused with its message first, and nothing priced.
            const auto messages = relays[i]->Messages();
            ASSERT_FALSE(messages.empty());
            EXPECT_TRUE(messages[0].starts_with(RelayMessage("Error", "Some agent information is missing.")));
            EXPECT_NE(relays[i]->Folder().Read("Error.log").find("Some agent information is missing."),
                      std::string::npos);
            EXPECT_FALSE(relays[i]->Has("illustration.pdf"));
            EXPECT_FALSE(relays[i]->Has("page1.vsv"));
        }
    }
}

// The files of a relay folder, sorted.
std::vector<std::string> FilesIn(const RelayCase& relay) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(relay.Folder().path()))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::string ExampleWith(const std::string& example, const std::string& from, const std::string& to) {
    std::ifstream in(std::filesystem::path(QUORAVEL_EXAMPLES) / example / "relay.ini", std::ios::binary);
    std::string ini{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    return ini.replace(ini.find(from), from.size(), to);
}

// Whatever the report, and refused or not, the outside system finds one
// answer under the name it opens, and a run that went well says nothing on
// standard error, though Qt is given no runtime folder.
TEST(RelayEndToEnd, EveryRunAnswersInOneFileNamedRelayOut) {
    unsetenv("XDG_RUNTIME_DIR");
    const std::vector<std::pair<std::string, std::string>> cases{
        {"single-product", ""},
        {"face-comparison", ""},
        {"product-comparison", ""},
        {"refused", ExampleWith("single-product", "Insured.Age=45", "Insured.Age=abc")},
        {"empty", "\r\n"},
    };
    for (const auto& [name, ini] : cases) {
        SCOPED_TRACE(name);
        RelayCase relay;
        relay.Folder().Write("relay.ini",
                             ini.empty() ? ExampleWith(name, "[Identifiers]", "[Identifiers]") : ini);
        relay.Folder().Write("Relay.out", "[Engine]\r\nStatus=0\r\n");  // a stale answer of another spelling
        const auto result = relay.Run();
        ExpectAnswered(relay, result);
        std::vector<std::string> answers;
        for (const std::string& file : FilesIn(relay))
            if (quoravel::EqualNoCase(file, "relay.out")) answers.push_back(file);
        EXPECT_EQ(answers, std::vector<std::string>{"relay.out"});
        if (relay.Answer("Engine", "Status") == "0") {
            EXPECT_EQ(result.err, "");
        }
    }
}

// A folder used again holds this run's files only: no corrections, logs,
// pages or PDF of the case before, and each run's page of inputs shows its
// own corrections.
TEST(RelayEndToEnd, AFolderUsedAgainHoldsOnlyThisRunsFiles) {
    RelayCase relay;
    // At 60 the waiver is removed: a correction of this run.
    relay.Folder().Write("relay.ini", ExampleWith("single-product", "Insured.Age=45\r\nInsured.Sex=M",
                                                  "Insured.Age=60\r\nInsured.Sex=M\r\nInsured.Waiver=Y"));
    ExpectAnswered(relay, relay.Run());
    EXPECT_EQ(relay.Answer("Identifiers", "Insured.Waiver", "Relay.upd"), "N");
    const std::string corrected = PdfText(relay.Pdf());
    const auto heading = corrected.find("Inputs Corrected for This Illustration");
    ASSERT_NE(heading, std::string::npos) << corrected;
    EXPECT_NE(corrected.find("Waiver of Premium Rider", heading), std::string::npos);

    relay.Folder().Write("relay.ini", ExampleWith("single-product", "[Identifiers]", "[Identifiers]"));
    relay.Folder().Write("UW.PDF", "a form the run before copied");
    ExpectAnswered(relay, relay.Run());
    EXPECT_EQ(relay.Answer("Engine", "Status"), "0");
    EXPECT_EQ(PdfText(relay.Pdf()).find("Inputs Corrected"), std::string::npos);
    const int pages = std::stoi(relay.Answer("HeaderValues", "bridge_SourceLedgerPages"));
    std::vector<std::string> expected{"illustration.pdf", "relay.ini", "relay.out"};
    for (int page = 1; page <= pages; ++page)
        for (const char* kind : {".emf", ".vsv"}) expected.push_back("page" + std::to_string(page) + kind);
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(FilesIn(relay), expected);

    // A bad age is refused: no premiums, pages or PDF, only why.
    relay.Folder().Write("relay.ini", ExampleWith("single-product", "Insured.Age=45", "Insured.Age=-1"));
    ExpectAnswered(relay, relay.Run());
    EXPECT_EQ(relay.Answer("Engine", "Status"), "4");
    EXPECT_EQ(relay.Answer("HeaderValues", "bridge_MinPrem"), "");
    EXPECT_EQ(FilesIn(relay), (std::vector<std::string>{"Error.log", "relay.ini", "relay.out"}));
}

TEST(RelayEndToEnd, PdfThatCannotBeWrittenIsReportedWithItsPath) {
    const RelayCase relay("single-product");
    relay.Folder().Write("blocked", "a file where the PDF folder should be");
    std::string ini = relay.Folder().Read("relay.ini");
    relay.Folder().Write("relay.ini", ini + "PDF.Path=" + relay.Path() + "/blocked\r\nPDF.Name=case\r\n");
    const auto result = relay.Run();
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(relay.Answer("Engine", "Status"), "4");
    const auto messages = relay.Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find(relay.Path() + "/blocked/case.pdf"), std::string::npos) << messages[0];
    EXPECT_TRUE(relay.Has("page1.vsv")) << "the pages are still there";
}

}  // namespace
