#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "ProposalRun.h"
#include "RuntimeError.h"
#include "TestSupport.h"
#include "TextFile.h"

using namespace quoravel;
namespace fs = std::filesystem;

namespace {

std::string Describe(const LoggedError& e) {
    return std::to_string(e.Severity) + "|" + std::to_string(e.Number) + "|" + e.Description + "|" +
           e.ModuleName + "|" + e.RoutineName;
}

class Logs : public ::testing::Test {
protected:
    void SetUp() override { fs::create_directories(dir_ / "program"); }
    // A relay answer built in memory.
    static IniFile NewAnswer() {
        IniFile answer;
        answer.SetFilename("relay.out");
        answer.SetBooleanDefaultTrue(Value("True"));
        answer.SetBooleanDefaultFalse(Value("False"));
        answer.StartNew();
        return answer;
    }

    const TempFolder folder_;
    const fs::path dir_ = folder_.path();
    std::string relay_ = dir_.string();
    std::string program_ = (dir_ / "program").string();
};

TEST_F(Logs, ErrorLogWritesStatusMessagesAndErrorLog) {
    const std::string error = "Error\xFD\xFD", warning = "Warning\xFD\xFD";  // type, separator, then text
    const std::tuple<std::vector<int>, int, std::vector<std::string>, const char*> rows[] = {
        {{}, 0, {}, "an empty log leaves the old Error.log alone"},
        {{1, 2}, 4, {"1=" + error + "d1", "2=" + error + "d2"}, "a plain error makes warnings errors too"},
        {{1, 1}, 0, {"1=" + warning + "d1", "2=" + warning + "d2"}, "warnings only"},
        {{3, 2}, 1, {"1=" + error + "d1 | Mod1 | Sub1", "2=" + error + "d2"}, "an error with its place"},
        {{2, 0, 1}, 4, {"1=" + error + "d1", "3=" + error + "d3"}, "an unknown severity keeps its number"},
    };
    folder_.Write("Error.log", "old");
    for (const auto& [severities, status, messages, note] : rows) {
        ErrorLog errors;
        IniFile answerFile = NewAnswer();
        std::string answer = "[Engine]\r\nStatus=" + std::to_string(status) + "\r\n";
        std::string log = severities.empty() ? "old" : "";
        for (const auto& m : messages) answer += "Message_" + m + "\r\n";
        for (std::size_t i = 1; i <= severities.size(); ++i) {
            const std::string n = std::to_string(i), severity = std::to_string(severities[i - 1]);
            errors.Add(severities[i - 1], "d" + n, 70000, "Mod" + n, "Sub" + n);
            log += "\"4464|" + severity + "|d" + n + "|Mod" + n + "|Sub" + n + "\"\r\n";  // 70000 AND 65535
        }
        errors.AnswerInto(answerFile);
        errors.WriteErrorLog(relay_);
        EXPECT_EQ(answerFile.InMemoryText(), answer) << note;
        EXPECT_EQ(folder_.Read("Error.log"), log) << note;
    }
}

TEST_F(Logs, UpdateLogKeepsTheLaterValueAndLogsEveryChange) {
    UpdateLog updates;
    updates.Log(relay_, "Relay.upd");
    EXPECT_FALSE(fs::exists(dir_ / "Relay.upd") || fs::exists(dir_ / "Update.log"));

    folder_.Write("relay.upd", "[Identifiers]\r\nInsured.Name=Ann\r\n");
    updates.Add("Insured.Table", Value("B"), 1);
    updates.Add("Insured.Table", Value("C"), 1);
    updates.Add("Rider.Waiver", Value(true), 3);
    updates.Add("Rider.CTR", Value("no"), 3);
    updates.Log(relay_, "Relay.upd");
    EXPECT_EQ(folder_.Read("relay.upd"),
              "[Identifiers]\r\nInsured.Name=Ann\r\nInsured.Table=C\r\nRider.Waiver=Y\r\nRider.CTR=N\r\n");
    EXPECT_EQ(folder_.Read("Update.log"),
              "\"Insured.Table|B|1\"\r\n\"Insured.Table|C|1\"\r\n\"Rider.Waiver|True|3\"\r\n\"Rider.CTR|no|"
              "3\"\r\n");
}

TEST_F(Logs, PdfFormsCopyAndAnnounceOnlyTheFormsThatAreNotGypsyNodes) {
    PdfFormList forms;
    IniFile answer = NewAnswer();
    folder_.Write("program/BRLNUW.PDF", "uw form");
    forms.Add("QNBYUW.PDF", "skip.pdf", "Not handed over", true);
    forms.Add("brlnuw.pdf", "UW.PDF", "Underwriting Guidelines", false);
    forms.Log(answer, relay_, program_);
    const std::string folder = WithTrailingSeparator(relay_);
    EXPECT_EQ(folder_.Read("UW.PDF"), "uw form");
    EXPECT_FALSE(fs::exists(dir_ / "skip.pdf"));
    EXPECT_EQ(answer.InMemoryText(),
              "[Engine]\r\nForm2=file://" + folder + "UW.PDF\xFDUnderwriting Guidelines\r\n");
    EXPECT_EQ(folder_.Read("PDF.log"), "\"" + folder + "|skip.pdf|Not handed over|True\"\r\n\"" + folder +
                                           "|UW.PDF|Underwriting Guidelines|False\"\r\n");

    PdfFormList missing;
    missing.Add("TVNYUW.PDF", "UW.PDF", "Underwriting Guidelines", false);
    const std::string error = Raised([&] { missing.Log(answer, relay_, program_); });
    EXPECT_EQ(error.rfind("53 clsPDFCOL: The form " + program_ + "/TVNYUW.PDF cannot be copied", 0), 0u)
        << error;
}

// Answers the critical message box as the window would, or fails to.
struct FakeMessages : UserMessages {
    void CriticalError(const std::string& t, const std::string& x) override {
        if (fail) throw RuntimeError(ErrorNumber::InternalError, "Window", "no window");
        title = t, text = x;
    }
    bool fail = false;
    std::string title, text;
};

// A folder used again: the earlier run's outputs go, its inputs and the
// files of others stay.
TEST_F(Logs, ARunClearsWhatTheRunBeforeLeftFindsItsFoldersAndShowsOrLogsAnError) {
    ProcessValues values;
    ProposalRun run(values, relay_);
    for (const char* name :
         {"Relay.out", "relay.upd", "ERROR.LOG", "Update.log", "PDF.log", "page1.emf", "Page12.VSV", "UW.PDF",
          "illustration.pdf", "relay.ini", "page.emf", "notes.txt", "pageone.vsv"})
        folder_.Write(name, "x");
    run.RemovePreviousOutputs({"UW.PDF"});
    std::set<std::string> left;
    for (const auto& entry : fs::directory_iterator(dir_))
        if (entry.is_regular_file()) left.insert(entry.path().filename().string());
    EXPECT_EQ(left, (std::set<std::string>{"notes.txt", "page.emf", "pageone.vsv", "relay.ini"}));

    values.ProgramFolder = "/opt/quoravel";
    const std::pair<std::vector<std::string>, std::string> rows[] = {
        {{}, "/opt/quoravel"},                        // no argument: the program folder
        {{""}, "/opt/quoravel"},                      // an empty one too
        {{"/tmp/my relay/", "-x"}, "/tmp/my relay"},  // the first argument whole, less its separator
        {{"/tmp/relay//"}, "/tmp/relay/"},            // only one separator is dropped
        {{"/tmp/relay"}, "/tmp/relay"},               // a last letter belongs to the name
    };
    for (const auto& [arguments, expected] : rows) {
        values.SetStartDirectory(arguments);
        EXPECT_EQ(values.StartDirectory, expected) << (arguments.empty() ? "(none)" : arguments.front());
    }

    fs::remove(dir_ / "relay.ini");
    run.ReadPdfTarget();  // no relay.ini: the defaults
    EXPECT_EQ(run.PdfPath + run.PdfName, relay_ + "/illustration.pdf");
    folder_.Write("Relay.ini", "[Identifiers]\r\nPDF.Path=/srv/out\r\nPDF.Name=proposal\r\n");
    run.ReadPdfTarget();
    EXPECT_EQ(run.PdfPath + "|" + run.PdfName, "/srv/out/|proposal.pdf");
    folder_.Write("Relay.ini", "[Identifiers]\r\nPDF.Name=Case.PDF\r\n");
    run.ReadPdfTarget();
    EXPECT_EQ(run.PdfName, "Case.PDF");  // already a PDF whatever the case of its ending
    EXPECT_EQ(MakeVersionText(1, 0, true) + MakeVersionText(2, 13, false), "V1.0wV2.13");

    // An error is shown in the critical message box; when that fails, or in relay mode, it is logged.
    FakeMessages messages;
    values.Messages = &messages;
    run.ProcessError(53, 1, "File not found", "RateStuf", "FillRateMatrix");
    EXPECT_EQ(messages.title, "RateStuf: FillRateMatrix");
    EXPECT_EQ(messages.text, "Number:53\n\nSeverity:Warning\n\nDescription:File not found");
    run.ProcessError(RuntimeError(76, "File", "Path not found"), 2, "Enumerations", "KillFile");
    EXPECT_EQ(messages.text, "Number:76\n\nSeverity:Error\n\nDescription:Path not found");
    EXPECT_EQ(run.Errors.Count(), 0);

    messages.fail = true;
    run.ProcessError(53, 2, "File not found", "RateStuf", "FillRateMatrix");
    values.RelayMode = true;
    run.ProcessError(9, 2, "Subscript out of range", "RateStuf", "GetRate");
    ASSERT_EQ(run.Errors.Count(), 2);
    EXPECT_EQ(Describe(run.Errors.Item(1)), "3|51|no window|modGlobalProcedures|ProcessError");
    EXPECT_EQ(Describe(run.Errors.Item(2)), "2|9|Subscript out of range|RateStuf|GetRate");
}

}  // namespace
