// The program as the outside illustration system drives it: a relay folder
// in, a child process run to its end, and the answer, logs, page files and
// PDF read back.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>

#include "RelayCase.h"
#include "Text.h"

namespace {

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
    for (const std::string& ini :
         {ExampleWith("single-product", "[Identifiers]", "[Identifiers]"),
          ExampleWith("face-comparison", "[Identifiers]", "[Identifiers]"),
          ExampleWith("single-product", "Insured.Age=45", "Insured.Age=abc"), std::string("\r\n")}) {
        SCOPED_TRACE(ini.substr(0, 80));
        RelayCase relay;
        relay.Folder().Write("relay.ini", ini);
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
    EXPECT_NE(PdfText(relay.Pdf()).find("Inputs Corrected"), std::string::npos);

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
