#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "ProcessValues.h"
#include "RuntimeError.h"
#include "TextFile.h"

using namespace quoravel;
namespace fs = std::filesystem;

namespace {

// Every test works in a fresh relay folder of its own, removed afterwards.
class Logs : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("quoravel-logs-" + std::to_string(std::random_device{}()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir_ / "program");
        folder_ = dir_.string();
    }
    void TearDown() override { fs::remove_all(dir_); }

    void Put(const std::string& name, const std::string& bytes) const {
        std::ofstream(dir_ / name, std::ios::binary) << bytes;
    }
    std::string Bytes(const std::string& name) const { return ReadFileBytes(dir_ / name).value_or("<missing>"); }

    fs::path dir_;
    std::string folder_;
};

TEST_F(Logs, ErrorCollectionIsOneBased) {
    clsErrors errors;
    EXPECT_EQ(errors.GetSeverity(), "");
    errors.Add(1, "w");
    EXPECT_EQ(errors.GetSeverity(), "Warning");
    errors.Add(3, "e", 70, "RateStuf", "FillRateMatrix");
    EXPECT_EQ(errors.GetSeverity(), "Error");
    ASSERT_EQ(errors.Count(), 2);
    EXPECT_EQ(errors.Item(2).RoutineName, "FillRateMatrix");
    try {
        errors.Item(0);
        ADD_FAILURE() << "Item(0) raised nothing";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.Number(), ErrorNumber::SubscriptOutOfRange);
        EXPECT_EQ(e.Description(), "Subscript out of range");
    }
    errors.Remove(1);
    EXPECT_EQ(errors.Count(), 1);
    EXPECT_EQ(errors.Item(1).Description, "e");
}

TEST_F(Logs, EmptyErrorLogWritesStatusZeroAndKeepsTheOldErrorLog) {
    Put("Error.log", "old");
    clsErrors().Log(folder_, "relay.out");
    EXPECT_EQ(Bytes("relay.out"), "[Engine]\r\nStatus=0\r\n");
    EXPECT_EQ(Bytes("Error.log"), "old");
}

TEST_F(Logs, ErrorLogWritesStatusMessagesAndErrorLog) {
    struct Row { std::vector<int> severities; int status; std::string messages; const char* note; };
    const Row rows[] = {
        {{1, 2}, 4, "Message_1=Error\xFD\xFD" "d1\r\nMessage_2=Error\xFD\xFD" "d2\r\n",
         "a plain error makes warnings errors too"},
        {{1, 1}, 0, "Message_1=Warning\xFD\xFD" "d1\r\nMessage_2=Warning\xFD\xFD" "d2\r\n", "warnings only"},
        {{3, 2}, 1, "Message_1=Error\xFD\xFD" "d1 | Mod1 | Sub1\r\nMessage_2=Error\xFD\xFD" "d2\r\n",
         "the first error has its place"},
        {{2, 0, 1}, 4, "Message_1=Error\xFD\xFD" "d1\r\nMessage_3=Error\xFD\xFD" "d3\r\n",
         "an unknown severity keeps its key number"},
    };
    for (const auto& r : rows) {
        fs::remove(dir_ / "relay.out");
        clsErrors errors;
        std::string log;
        for (std::size_t i = 1; i <= r.severities.size(); ++i) {
            const std::string n = std::to_string(i);
            errors.Add(r.severities[i - 1], "d" + n, 70000, "Mod" + n, "Sub" + n);
            log += "\"4464|" + std::to_string(r.severities[i - 1]) + "|d" + n + "|Mod" + n + "|Sub" + n + "\"\r\n";
        }
        errors.Log(folder_, "relay.out");
        EXPECT_EQ(Bytes("relay.out"), "[Engine]\r\nStatus=" + std::to_string(r.status) + "\r\n" + r.messages)
            << r.note;
        EXPECT_EQ(Bytes("Error.log"), log) << r.note;
    }
}

TEST_F(Logs, UpdateLogKeepsTheLaterValueAndLogsEveryChange) {
    clsUpdates updates;
    updates.Log(folder_, "Relay.upd");
    EXPECT_FALSE(fs::exists(dir_ / "Relay.upd"));
    EXPECT_FALSE(fs::exists(dir_ / "Update.log"));

    Put("relay.upd", "[Identifiers]\r\nInsured.Name=Ann\r\n");
    updates.Add("Insured.Table", Value("B"), 1);
    updates.Add("Insured.Table", Value("C"), 1);
    updates.Add("Rider.Waiver", Value(true), 3);
    updates.Add("Rider.CTR", Value("no"), 3);
    updates.Log(folder_, "Relay.upd");
    EXPECT_EQ(Bytes("relay.upd"),
              "[Identifiers]\r\nInsured.Name=Ann\r\nInsured.Table=C\r\nRider.Waiver=Y\r\nRider.CTR=N\r\n");
    EXPECT_EQ(Bytes("Update.log"),
              "\"Insured.Table|B|1\"\r\n\"Insured.Table|C|1\"\r\n\"Rider.Waiver|True|3\"\r\n\"Rider.CTR|no|3\"\r\n");
}

TEST_F(Logs, PdfFormsCopyAndAnnounceOnlyTheFormsThatAreNotGypsyNodes) {
    clsPDFCOL forms;
    forms.Log(folder_, "relay.out", (dir_ / "program").string());
    EXPECT_TRUE(fs::is_empty(dir_ / "program") && !fs::exists(dir_ / "relay.out") && !fs::exists(dir_ / "PDF.log"));

    Put("program/BRLNUW.PDF", "uw form");
    forms.Add("QNBYUW.PDF", "skip.pdf", "Not handed over", true);
    forms.Add("brlnuw.pdf", "UW.PDF", "Underwriting Guidelines", false);
    forms.Log(folder_, "relay.out", (dir_ / "program").string());
    const std::string folder = WithTrailingSeparator(folder_);
    EXPECT_EQ(Bytes("UW.PDF"), "uw form");
    EXPECT_FALSE(fs::exists(dir_ / "skip.pdf"));
    EXPECT_EQ(Bytes("relay.out"),
              "[Engine]\r\nForm2=file://" + folder + "UW.PDF\xFDUnderwriting Guidelines\r\n");
    EXPECT_EQ(Bytes("PDF.log"), "\"" + folder + "|skip.pdf|Not handed over|True\"\r\n\"" + folder +
                                    "|UW.PDF|Underwriting Guidelines|False\"\r\n");

    clsPDFCOL missing;
    missing.Add("TVNYUW.PDF", "UW.PDF", "Underwriting Guidelines", false);
    try {
        missing.Log(folder_, "relay.out", (dir_ / "program").string());
        ADD_FAILURE() << "a missing form raised nothing";
    } catch (const RuntimeError& e) {
        EXPECT_NE(e.Description().find("TVNYUW.PDF"), std::string::npos) << e.Description();
    }
}

// Answers the critical message box as a test would.
struct FakeMessages : UserMessages {
    void CriticalError(const std::string& t, const std::string& x) override {
        if (fail) throw RuntimeError(ErrorNumber::InternalError, "Window", "no window");
        title = t, text = x;
    }
    bool fail = false;
    std::string title, text;
};

TEST_F(Logs, ProcessErrorShowsTheMessageOrAddsItToTheErrorLog) {
    FakeMessages messages;
    ProcessValues values;
    values.Messages = &messages;
    values.ProcessError(53, 1, "File not found", "RateStuf", "FillRateMatrix");
    EXPECT_EQ(messages.title, "RateStuf: FillRateMatrix");
    EXPECT_EQ(messages.text, "Number:53\n\nSeverity:Warning\n\nDescription:File not found");
    values.ProcessError(RuntimeError(76, "File", "Path not found"), 2, "Enumerations", "KillFile");
    EXPECT_EQ(messages.text, "Number:76\n\nSeverity:Error\n\nDescription:Path not found");
    EXPECT_EQ(values.Errors.Count(), 0);

    messages.fail = true;
    values.ProcessError(53, 2, "File not found", "RateStuf", "FillRateMatrix");
    values.RelayMode = true;
    values.ProcessError(9, 2, "Subscript out of range", "RateStuf", "GetRate");
    ASSERT_EQ(values.Errors.Count(), 2);
    const clsError& inner = values.Errors.Item(1);
    EXPECT_EQ(std::tie(inner.Severity, inner.Number, inner.Description, inner.ModuleName, inner.RoutineName),
              std::make_tuple(std::int16_t{3}, ErrorNumber::InternalError, std::string("no window"),
                              std::string("modGlobalProcedures"), std::string("ProcessError")));
    const clsError& relay = values.Errors.Item(2);
    EXPECT_EQ(std::tie(relay.Severity, relay.Number, relay.Description, relay.ModuleName, relay.RoutineName),
              std::make_tuple(std::int16_t{2}, 9, std::string("Subscript out of range"), std::string("RateStuf"),
                              std::string("GetRate")));
}

TEST_F(Logs, StartFolderAndPdfTarget) {
    ProcessValues values;
    values.ProgramFolder = "/opt/quoravel";
    const std::pair<std::vector<std::string>, std::string> rows[] = {
        {{}, "/opt/quoravel"},                              // no argument: the program folder
        {{""}, "/opt/quoravel"},                            // an empty argument too
        {{"/tmp/my relay/", "-x"}, "/tmp/my relay"},        // the first argument whole, less its separator
        {{"/tmp/relay//"}, "/tmp/relay/"},                  // only one separator is dropped
        {{"/tmp/relay"}, "/tmp/relay"},                     // a last letter belongs to the name
    };
    for (const auto& [arguments, expected] : rows) {
        values.SetStartDirectory(arguments);
        EXPECT_EQ(values.StartDirectory, expected) << (arguments.empty() ? "(none)" : arguments.front());
    }

    values.SetStartDirectory({folder_ + "/"});
    values.ReadPdfTarget();  // no relay.ini: the defaults
    EXPECT_EQ(values.PdfPath, folder_ + "/");
    EXPECT_EQ(values.PdfName, "illustration.pdf");
    Put("Relay.ini", "[Identifiers]\r\nPDF.Path=/srv/out\r\nPDF.Name=proposal\r\n");
    values.ReadPdfTarget();
    EXPECT_EQ(values.PdfPath, "/srv/out/");
    EXPECT_EQ(values.PdfName, "proposal.pdf");
    EXPECT_EQ(MakeVersionText(1, 0, true), "V1.0w");
    EXPECT_EQ(MakeVersionText(2, 13, false), "V2.13");
}

}  // namespace
