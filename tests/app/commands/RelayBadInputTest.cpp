// Relay files the outside system should not write, and command lines and
// folders the program cannot answer in: each gets a clear answer or message,
// never a crash or a hang.
#include <gtest/gtest.h>

#include <set>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <sstream>

#include "CaseListing.h"
#include "RateSet.h"
#include "RelayCase.h"
#include "Rounding.h"
#include "TestSupport.h"
#include "Text.h"

namespace {

// A relay file that is complete but for the lines the test puts in.
std::string RelayIni(const std::string& insuredAndPolicy) {
    return "[Identifiers]\r\n"
           "comp_Code=BRLN\r\n"
           "Agent.Name=Dana Whitfield\r\nAgent.Addr1=400 Congress Avenue\r\nAgent.City=Austin\r\n"
           "Agent.State=TX\r\nAgent.Zip=78701\r\n"
           "Insured.Name=Test Case\r\nInsured.State=TX\r\nInsured.Sex=M\r\nInsured.Class=N\r\n" +
           insuredAndPolicy;
}

// Runs the relay file; the run must answer.
void RunAnswered(const RelayCase& relay) { ExpectAnswered(relay, relay.Run()); }

bool HasMessage(const RelayCase& relay, const std::string& message) {
    const auto messages = relay.Messages();
    return std::find(messages.begin(), messages.end(), message) != messages.end();
}

// Codes that name no product leave the case without one: it is refused, and
// nothing of the answer before it stays.
TEST(RelayBadInput, ARefusedRunLeavesNothingOfThePreviousAnswer) {
    const RelayCase relay("single-product");
    ExpectAnswered(relay, relay.Run());
    ASSERT_EQ(relay.Answer("HeaderValues", "bridge_Age"), "45");
    relay.Folder().Write("relay.ini",
                         RelayIni("Insured.Age=45\r\nPolicy.FaceAmount=250000\r\nBRLN.Product=XYZ20\r\n"
                                  "BRLN.Product1=BRLN7\r\n"));
    RunAnswered(relay);
    EXPECT_EQ(relay.Answer("Engine", "Status"), "4");
    EXPECT_TRUE(HasMessage(relay, RelayMessage("Error", kNoProposal)));
    EXPECT_NE(relay.Folder().Read("Error.log").find(kNoProposal), std::string::npos);
    EXPECT_EQ(relay.Answer("HeaderValues", "bridge_Age"), "");
    EXPECT_EQ(relay.Answer("EMF", "File"), "");
    EXPECT_FALSE(relay.Has("illustration.pdf"));
}

// A program folder without the program's files (QUORAVEL_HOME set to the
// wrong folder) is named in the answer, not taken for a case's fault.
TEST(RelayBadInput, AnEmptyProgramFolderIsNamedInTheAnswer) {
    const RelayCase relay("single-product");
    TempFolder empty;
    std::vector<std::string> command = relay.Command();
    command.insert(command.begin(), {"env", "QUORAVEL_HOME=" + empty.folder()});
    ExpectAnswered(relay, RunProgram(command));
    EXPECT_EQ(relay.Answer("Engine", "Status"), "4");
    EXPECT_EQ(
        relay.Messages(),
        std::vector<std::string>{RelayMessage(
            "Error", "The program folder " + empty.folder() +
                         " holds no states.ini: the program is not installed right (or QUORAVEL_HOME names "
                         "another folder).")});
}

// "PDF.Name" names a file of the PDF folder and nothing else, and a relative
// "PDF.Path" a folder inside the relay folder: one leading out refuses the
// case. The PDF's place is touched only by writing the PDF: a refused case
// leaves the file of that name where it is, wherever "PDF.Path" points.
TEST(RelayBadInput, ThePdfStaysInItsPlaceAndARefusedCaseDeletesNothing) {
    const RelayCase relay("single-product");
    const std::string ini = relay.Folder().Read("relay.ini");
    relay.Folder().Write("victim.pdf", "not this run's");
    std::filesystem::create_directory(relay.Folder().path() / "out");
    for (const char* name : {"../victim.pdf", "sub/victim.pdf", "..\\victim.pdf"}) {
        SCOPED_TRACE(name);
        relay.Folder().Write("relay.ini",
                             ini + "PDF.Path=" + relay.Path() + "/out\r\nPDF.Name=" + name + "\r\n");
        RunAnswered(relay);
        EXPECT_EQ(relay.Answer("Engine", "Status"), "4");
        EXPECT_TRUE(HasMessage(relay, RelayMessage("Error", std::string("PDF.Name: \"") + name +
                                                                "\" is not a plain file name.")));
        EXPECT_EQ(relay.Folder().Read("victim.pdf"), "not this run's");
    }
    for (const char* path : {"..", "../out", "sub/../.."}) {
        SCOPED_TRACE(path);
        relay.Folder().Write("relay.ini", ini + "PDF.Path=" + path + "\r\nPDF.Name=victim.pdf\r\n");
        RunAnswered(relay);
        EXPECT_TRUE(
            HasMessage(relay, RelayMessage("Error", std::string("PDF.Path: \"") + path +
                                                        "\" is not a folder inside the relay folder, or an "
                                                        "absolute path.")));
        EXPECT_EQ(relay.Folder().Read("victim.pdf"), "not this run's");
    }
    relay.Folder().Write("out/stale.pdf", "an earlier run's");
    relay.Folder().Write("relay.ini", RelayIni("Insured.Age=-1\r\nPolicy.FaceAmount=250000\r\n") +
                                          "PDF.Path=" + relay.Path() + "/out\r\nPDF.Name=stale\r\n");
    RunAnswered(relay);
    EXPECT_EQ(relay.Answer("Engine", "Status"), "4");
    EXPECT_EQ(relay.Folder().Read("out/stale.pdf"), "an earlier run's");
}

TEST(RelayBadInput, EmptyAndBinaryRelayFilesMakeNoProposal) {
    std::string binary;
    for (int i = 0; i < 4096; ++i) binary += static_cast<char>((i * 7919) % 256);
    for (const std::string& bytes : {std::string(), binary}) {
        RelayCase relay;
        relay.Folder().Write("relay.ini", bytes);
        RunAnswered(relay);
        EXPECT_EQ(relay.Answer("Engine", "Status"), "4");
        EXPECT_EQ(relay.Messages().size(), 1u) << "one message says the file could not be read";
        EXPECT_FALSE(relay.Has("illustration.pdf"));
    }
}

// A relay file holds one case: one up to a megabyte is read, a larger one is
// refused at once with its size, whatever fills it.
TEST(RelayBadInput, ARelayFileLargerThanAMegabyteIsRefusedAtOnce) {
    const std::string valid =
        RelayIni("Insured.Age=45\r\nPolicy.FaceAmount=250000\r\nBRLN.Product=BRLN20\r\n");
    RelayCase relay;
    relay.Folder().Write("relay.ini",
                         valid + "Agent.Phone=" + std::string(1024 * 1024 - valid.size() - 14, '5') + "\r\n");
    RunAnswered(relay);
    EXPECT_EQ(relay.Answer("Engine", "Status"), "0");

    std::string keys;
    for (int key = 0; keys.size() < 50 * 1024 * 1024; ++key) keys += "Junk" + std::to_string(key) + "=x\r\n";
    for (const std::string& bytes : {valid + keys, valid + "Agent.Phone=" + std::string(52 << 20, '5')}) {
        relay.Folder().Write("relay.ini", bytes);
        const auto start = std::chrono::steady_clock::now();
        RunAnswered(relay);
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20)) << "refused, not read";
        EXPECT_EQ(relay.Answer("Engine", "Status"), "4");
        EXPECT_EQ(
            relay.Messages(),
            std::vector<std::string>{RelayMessage(
                "Error", "relay.ini holds " + quoravel::FormatAmount(static_cast<double>(bytes.size()), 0) +
                             " bytes; a relay file may hold 1,048,576 bytes at most.")});
        EXPECT_FALSE(relay.Has("illustration.pdf"));
    }
}

TEST(RelayFolder, AnswerThatCannotBeWrittenEndsNonZeroWithAMessage) {
    const RelayCase relay("single-product");
    // Root writes even into read-only folders: a folder where relay.out
    // belongs stops every user.
    std::filesystem::create_directories(relay.Folder().path() / "relay.out" / "held");
    const auto result = relay.Run();
    ASSERT_FALSE(result.timedOut);
    EXPECT_NE(result.exitCode, 0);
    EXPECT_NE(result.err.find("no answer could be written in the relay folder " + relay.Path()),
              std::string::npos)
        << result.err;
}

TEST(RelayFolder, FolderNameWithBlanksAndTrailingSeparatorAndUpperCaseRelayFile) {
    TempFolder parent;
    const auto folder = parent.path() / "Relay Cases";
    std::filesystem::create_directories(folder);
    std::filesystem::copy_file(std::filesystem::path(QUORAVEL_EXAMPLES) / "single-product" / "relay.ini",
                               folder / "RELAY.INI");
    const auto result = RunProgram({QUORAVEL_EXECUTABLE, folder.string() + "/", "-x"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_TRUE(std::filesystem::exists(folder / "illustration.pdf"));
}

// A folder that cannot be used, or a window that cannot be shown, ends at
// once with exit code 2 and a message naming the reason; nothing is written,
// the per-user settings neither.
TEST(CommandLine, FoldersAndWindowsThatCannotBeUsedEndWithExitCodeTwo) {
    TempFolder empty, withFolderAsRelayFile, userSettings;
    std::filesystem::create_directories(withFolderAsRelayFile.path() / "relay.ini");
    setenv("XDG_CONFIG_HOME", userSettings.path().c_str(), 1);
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    const std::string missing = (empty.path() / "no such folder").string();
    struct Case {
        const char* platform;
        std::string folder;
        std::string message;
    } cases[] = {
        {"", missing, "the folder " + missing + " does not exist."},
        {"", withFolderAsRelayFile.path().string(),
         withFolderAsRelayFile.folder() + "relay.ini is not a file."},
        {"", empty.path().string(), "the proposal window needs a display"},
        {"offscreen", empty.path().string(), "the proposal window needs a display"},
        {"no-such-platform", empty.path().string(), "the proposal window needs a display"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.folder + " " + c.platform);
        if (*c.platform)
            setenv("QT_QPA_PLATFORM", c.platform, 1);
        else
            unsetenv("QT_QPA_PLATFORM");
        const auto result = ProgramRun({QUORAVEL_EXECUTABLE, c.folder}).Wait(std::chrono::seconds(20));
        ASSERT_FALSE(result.timedOut);
        EXPECT_EQ(result.exitCode, 2);
        EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
    }
    EXPECT_TRUE(std::filesystem::is_empty(empty.path()));
    EXPECT_TRUE(std::filesystem::is_empty(userSettings.path()));
}

// Relay mode draws no window: a display that is named but cannot be reached
// does not stop it, and it says nothing on stderr.
TEST(CommandLine, ARelayRunNeedsNoDisplay) {
    setenv("DISPLAY", ":99", 1);
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    const RelayCase relay("single-product");
    const auto result = relay.Run();
    ExpectAnswered(relay, result);
    EXPECT_EQ(result.err, "");
}

TEST(CommandLine, HelpAndVersionAnswerOnTheTerminal) {
    const auto help = RunProgram({QUORAVEL_EXECUTABLE, "--help"});
    EXPECT_EQ(help.exitCode, 0);
    for (const char* named : {"Usage: quoravel [FOLDER]", "--relay FOLDER...", "QUORAVEL_HOME"})
        EXPECT_NE(help.out.find(named), std::string::npos) << named;
    // The version, then the rate set of the program folder beside the executable.
    const auto version = RunProgram({QUORAVEL_EXECUTABLE, "--version"});
    EXPECT_EQ(version.exitCode, 0);
    const quoravel::RateSet rates = quoravel::IdentifyRateSet(QUORAVEL_PROGRAM_DIR);
    EXPECT_EQ(version.out, "quoravel 1.0\nRate set: " + rates.identity + " (" + std::to_string(rates.files) +
                               " rate files in " QUORAVEL_PROGRAM_DIR ")\n");
    const auto unknown = RunProgram({QUORAVEL_EXECUTABLE, "--frobnicate"});
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_NE(unknown.err.find("--frobnicate is not an option"), std::string::npos);
    const auto noCases = RunProgram({QUORAVEL_EXECUTABLE, "--list-cases", "/no/such.clt"});
    EXPECT_EQ(noCases.exitCode, 1);
    EXPECT_EQ(noCases.err, "quoravel: There is no case file /no/such.clt.\n");
}

// The case list pads names by what a terminal shows, not by bytes: "José"
// takes four columns, so its row lines up with the others.
TEST(CommandLine, TheCaseListAlignsByDisplayedCharacters) {
    const auto listed = RunProgram({QUORAVEL_EXECUTABLE, "--list-cases", QUORAVEL_PROGRAM_DIR "sample.clt"});
    ASSERT_EQ(listed.exitCode, 0) << listed.err;
    ASSERT_NE(listed.out.find("Lindqvist, José M"), std::string::npos);
    std::set<std::size_t> ageColumns;
    std::istringstream lines(listed.out);
    for (std::string line; std::getline(lines, line);)
        if (const auto at = line.find(" age "); at != std::string::npos && line.size() > 2 && line[2] != ' ')
            ageColumns.insert(quoravel::DisplayWidth(line.substr(0, at)));
    EXPECT_EQ(ageColumns.size(), 1u) << listed.out;
}

// The identity of a rate set covers the files the rate readers open, by
// their names exactly: a file renamed in another letter case is another set.
// The expected values are SHA-256 (by Python's hashlib) of "a.rat\0" "1\0"
// "1" "b.rat\0" "2\0" "xy", and of the same with "A.rat".
TEST(CommandLine, TheRateSetIsIdentifiedByItsRateFiles) {
    TempFolder folder;
    EXPECT_EQ(quoravel::IdentifyRateSet(folder.folder()).files, 0);
    folder.Write("b.rat", "xy");
    folder.Write("a.rat", "1");
    folder.Write("C.RAT", "no reader opens it");
    folder.Write("notes.txt", "not a rate file");
    std::filesystem::create_directory(folder.path() / "c.rat");
    const quoravel::RateSet rates = quoravel::IdentifyRateSet(folder.folder());
    EXPECT_EQ(rates.identity, "4a1c26e7b45e");
    EXPECT_EQ(rates.files, 2);
    std::filesystem::rename(folder.path() / "a.rat", folder.path() / "A.rat");
    EXPECT_EQ(quoravel::IdentifyRateSet(folder.folder()).identity, "0e9ac6e25a43");
}

// Without the rate files the listing shows no premium: the policy fee alone
// would pass for one.
TEST(CommandLine, ListCasesWithoutRatesSaysSo) {
    std::ostringstream out;
    TempFolder noRates;
    std::filesystem::copy_file(QUORAVEL_PROGRAM_DIR "states.ini", noRates.path() / "states.ini");
    EXPECT_EQ(quoravel::ListCases(out, QUORAVEL_PROGRAM_DIR "sample.clt", noRates.folder()), 5);
    const std::string listing = out.str();
    EXPECT_EQ(listing.find("first-year premium"), std::string::npos) << listing;
    std::size_t missing = 0;
    for (std::size_t at = listing.find(": not priced: "); at != std::string::npos;
         at = listing.find(": not priced: ", at + 1))
        ++missing;
    EXPECT_EQ(missing, 10U) << "one line for each product and face amount of the five cases";
}

}  // namespace
