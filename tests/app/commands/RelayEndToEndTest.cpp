// The program as the outside illustration system drives it: a relay folder
// in, a child process run to its end, and the answer, logs, page files and
// PDF read back. Relay files, command lines and folders it cannot answer in
// get a clear answer or message, never a crash or a hang.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <set>
#include <sstream>
#include <tuple>

#include "RelayCase.h"
#include "Rounding.h"
#include "Text.h"

namespace fs = std::filesystem;

namespace {

// A complete relay file of a Texas man of the given age, $250,000 of the
// products `products` names.
std::string RelayIni(const std::string& age, const std::string& products = "BRLN.Product=BRLN20\r\n") {
    return "[Identifiers]\r\ncomp_Code=BRLN\r\nAgent.Name=Dana Whitfield\r\n"
           "Agent.Addr1=400 Congress Avenue\r\nAgent.City=Austin\r\nAgent.State=TX\r\nAgent.Zip=78701\r\n"
           "Insured.Name=Test Case\r\nInsured.State=TX\r\nInsured.Sex=M\r\nInsured.Class=N\r\n"
           "Policy.FaceAmount=250000\r\nInsured.Age=" +
           age + "\r\n" + products;
}

// A folder used again holds this run's files only: no corrections, logs,
// pages, PDF or answer of the case before.
TEST(RelayEndToEnd, AFolderUsedAgainHoldsOnlyThisRunsFiles) {
    RelayCase relay;
    // At 60 the waiver is removed: a correction of this run.
    relay.Folder().Write("relay.ini", RelayIni("60", "Insured.Waiver=Y\r\nBRLN.Product=BRLN20\r\n"));
    ExpectAnswered(relay, relay.Run());
    EXPECT_EQ(relay.Answer("Identifiers", "Insured.Waiver", "Relay.upd"), "N");

    relay.Folder().Write("relay.ini", RelayIni("45"));
    relay.Folder().Write("UW.PDF", "a form the run before copied");
    ExpectAnswered(relay, relay.Run());
    EXPECT_EQ(relay.Answer("Engine", "Status"), "0");
    const int pages = std::stoi(relay.Answer("HeaderValues", "bridge_SourceLedgerPages"));
    std::vector<std::string> expected{"illustration.pdf", "relay.ini", "relay.out"};
    for (int page = 1; page <= pages; ++page)
        for (const char* kind : {".emf", ".vsv"}) expected.push_back("page" + std::to_string(page) + kind);
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(relay.Files(), expected);

    // Codes that name no product leave the case without one: it is refused,
    // with no premiums, pages or PDF, only why.
    relay.Folder().Write("relay.ini", RelayIni("45", "BRLN.Product=XYZ20\r\nBRLN.Product1=BRLN7\r\n"));
    ExpectAnswered(relay, relay.Run());
    EXPECT_EQ(relay.Answer("Engine", "Status"), "4");
    const auto messages = relay.Messages();
    const auto noProduct =
        RelayMessage("Error", "At least one product and face amount must be entered to make a proposal.");
    EXPECT_NE(std::ranges::find(messages, noProduct), messages.end());
    EXPECT_EQ(relay.Answer("HeaderValues", "bridge_Age"), "");
    EXPECT_EQ(relay.Files(), (std::vector<std::string>{"Error.log", "relay.ini", "relay.out"}));
}

// A program folder without the program's files (QUORAVEL_HOME set to the
// wrong folder) is named in the answer, not taken for a case's fault.
TEST(RelayBadInput, AnEmptyProgramFolderIsNamedInTheAnswer) {
    const RelayCase relay("single-product");
    TempFolder empty;
    std::vector<std::string> command = relay.Command();
    command.insert(command.begin(), {"env", "QUORAVEL_HOME=" + empty.folder()});
    ExpectAnswered(relay, RunProgram(command));
    EXPECT_EQ(
        relay.Messages(),
        std::vector<std::string>{RelayMessage(
            "Error", "The program folder " + empty.folder() +
                         " holds no states.ini: the program is not installed right (or QUORAVEL_HOME names "
                         "another folder).")});
}

// "PDF.Name" names a file of the PDF folder and nothing else, and a relative
// "PDF.Path" a folder inside the relay folder: one leading out refuses the
// case, as a PDF folder that cannot be written does. The PDF's place is
// touched only by writing the PDF: a refused case leaves the file of that
// name where it is, wherever "PDF.Path" points.
TEST(RelayBadInput, ThePdfStaysInItsPlaceAndARefusedCaseDeletesNothing) {
    const RelayCase relay;
    fs::create_directory(relay.Folder().path() / "out");
    relay.Folder().Write("victim.pdf", "not this run's");
    relay.Folder().Write("out/stale.pdf", "an earlier run's");
    relay.Folder().Write("blocked", "a file where the PDF folder should be");
    const std::string out = relay.Path() + "/out", plain = "\" is not a plain file name.",
                      inside = "\" is not a folder inside the relay folder, or an absolute path.";
    // Each row: "PDF.Path", "PDF.Name", the insured's age and what the answer says.
    const std::tuple<std::string, std::string, std::string, std::string> rows[] = {
        {out, "../victim.pdf", "45", "PDF.Name: \"../victim.pdf" + plain},
        {out, "sub/victim.pdf", "45", "PDF.Name: \"sub/victim.pdf" + plain},
        {out, "..\\victim.pdf", "45", "PDF.Name: \"..\\victim.pdf" + plain},
        {"..", "victim.pdf", "45", "PDF.Path: \".." + inside},
        {"../out", "victim.pdf", "45", "PDF.Path: \"../out" + inside},
        {"sub/../..", "victim.pdf", "45", "PDF.Path: \"sub/../.." + inside},
        {out, "stale", "-1", "Insured.Age: \"-1\" is not an age from 0 to 100."},
        {relay.Path() + "/blocked", "case", "45", relay.Path() + "/blocked/case.pdf"},
    };
    for (const auto& [path, name, age, said] : rows) {
        SCOPED_TRACE(path + " " + name);
        relay.Folder().Write("relay.ini",
                             RelayIni(age) + "PDF.Path=" + path + "\r\nPDF.Name=" + name + "\r\n");
        ExpectAnswered(relay, relay.Run());
        EXPECT_EQ(relay.Answer("Engine", "Status"), "4");
        EXPECT_NE(relay.Folder().Read("relay.out").find(said), std::string::npos) << relay.Messages().front();
        EXPECT_EQ(relay.Folder().Read("victim.pdf"), "not this run's");
        EXPECT_EQ(relay.Folder().Read("out/stale.pdf"), "an earlier run's");
    }
    EXPECT_TRUE(relay.Has("page1.vsv")) << "the pages of a PDF that could not be written stay";
}

// A relay file holds one case: one up to a megabyte is read, a larger one is
// refused at once with its size, whatever fills it.
TEST(RelayBadInput, ARelayFileLargerThanAMegabyteIsRefusedAtOnce) {
    const std::string valid = RelayIni("45");
    RelayCase relay;
    relay.Folder().Write("relay.ini",
                         valid + "Agent.Phone=" + std::string(1024 * 1024 - valid.size() - 14, '5') + "\r\n");
    ExpectAnswered(relay, relay.Run());
    EXPECT_EQ(relay.Answer("Engine", "Status"), "0");

    std::string bytes = valid;
    for (int key = 0; bytes.size() < 50 * 1024 * 1024; ++key)
        bytes += "Junk" + std::to_string(key) + "=x\r\n";
    relay.Folder().Write("relay.ini", bytes);
    const auto start = std::chrono::steady_clock::now();
    ExpectAnswered(relay, relay.Run());
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20)) << "refused, not read";
    EXPECT_EQ(relay.Messages(),
              std::vector<std::string>{RelayMessage(
                  "Error", "relay.ini holds " + quoravel::FormatAmount(static_cast<double>(bytes.size()), 0) +
                               " bytes; a relay file may hold 1,048,576 bytes at most.")});
    EXPECT_FALSE(relay.Has("illustration.pdf"));
}

// A folder named with blanks, a trailing separator and an option after it,
// its relay file in upper case, is answered; relay mode draws no window, so
// the run says nothing on standard error though Qt is given no runtime
// folder and a display it cannot reach.
TEST(RelayFolder, AnyFolderNameAndNoDisplay) {
    unsetenv("XDG_RUNTIME_DIR");
    setenv("DISPLAY", ":99", 1);
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    TempFolder parent;
    const auto folder = parent.path() / "Relay Cases";
    fs::create_directories(folder);
    parent.Write("Relay Cases/RELAY.INI", RelayIni("45"));
    const auto result = RunProgram({QUORAVEL_EXECUTABLE, folder.string() + "/", "-x"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.err, "");
    EXPECT_TRUE(fs::exists(folder / "illustration.pdf"));
}

// A folder that cannot be used, a window that cannot be shown, an unknown
// option or a missing case file ends at once with an exit code and a message
// naming the reason; nothing is written, the per-user settings neither.
TEST(CommandLine, WhatCannotBeUsedEndsAtOnceWithAMessage) {
    TempFolder empty, withFolderAsRelayFile, userSettings;
    fs::create_directories(withFolderAsRelayFile.path() / "relay.ini");
    setenv("XDG_CONFIG_HOME", userSettings.path().c_str(), 1);
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    const std::string missing = empty.folder() + "no such folder", shown = empty.path(),
                      window = "the proposal window needs a display";
    // Each row: the platform asked for ("" for none), the arguments, the exit code and the message.
    const std::tuple<const char*, std::vector<std::string>, int, std::string> cases[] = {
        {"", {missing}, 2, "the folder " + missing + " does not exist."},
        {"", {withFolderAsRelayFile.path()}, 2, withFolderAsRelayFile.folder() + "relay.ini is not a file."},
        {"", {shown}, 2, window},
        {"offscreen", {shown}, 2, window},
        {"no-such-platform", {shown}, 2, window},
        {"", {"--frobnicate"}, 2, "quoravel: --frobnicate is not an option"},
        {"", {"--list-cases", "/no/such.clt"}, 1, "quoravel: There is no case file /no/such.clt.\n"},
    };
    for (const auto& [platform, arguments, exitCode, message] : cases) {
        SCOPED_TRACE(arguments.front() + " " + platform);
        *platform ? setenv("QT_QPA_PLATFORM", platform, 1) : unsetenv("QT_QPA_PLATFORM");
        std::vector<std::string> command{QUORAVEL_EXECUTABLE};
        command.insert(command.end(), arguments.begin(), arguments.end());
        const auto result = ProgramRun(command).Wait(std::chrono::seconds(20));
        EXPECT_EQ(result.exitCode, exitCode);
        EXPECT_NE(result.err.find(message), std::string::npos) << result.err;
    }
    EXPECT_TRUE(fs::is_empty(empty.path()));
    EXPECT_TRUE(fs::is_empty(userSettings.path()));
}

// The version names the rate set of the program folder: the rate files the
// readers open, by their names exactly (one renamed in another letter case
// is another set). The identities are SHA-256 (by Python's hashlib) of
// "a.rat\0" "1\0" "1" "b.rat\0" "2\0" "xy", and of the same with "A.rat".
TEST(CommandLine, HelpAndVersionAnswerOnTheTerminal) {
    const auto help = RunProgram({QUORAVEL_EXECUTABLE, "--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.starts_with("Usage: quoravel [FOLDER]\n")) << help.out;
    // Each usage form on one "or:" line: the manual page's synopsis is read from them.
    std::istringstream usage(help.out.substr(0, help.out.find("\n\n")));
    for (std::string line; std::getline(usage, line);)
        EXPECT_TRUE(line.starts_with("Usage: quoravel ") || line.starts_with("  or:  quoravel ")) << line;
    TempFolder home;
    const std::vector<std::string> command{"/usr/bin/env", "QUORAVEL_HOME=" + home.folder(),
                                           QUORAVEL_EXECUTABLE, "--version"};
    const auto version = [&] { return RunProgram(command).out; };
    EXPECT_EQ(version(), "quoravel 1.0\nRate set: none (no rate files in " + home.folder() + ")\n");
    home.Write("b.rat", "xy");
    home.Write("a.rat", "1");
    home.Write("C.RAT", "no reader opens it");
    home.Write("notes.txt", "not a rate file");
    fs::create_directory(home.path() / "c.rat");
    EXPECT_EQ(version(), "quoravel 1.0\nRate set: 4a1c26e7b45e (2 rate files in " + home.folder() + ")\n");
    fs::rename(home.path() / "a.rat", home.path() / "A.rat");
    EXPECT_EQ(version(), "quoravel 1.0\nRate set: 0e9ac6e25a43 (2 rate files in " + home.folder() + ")\n");
}

// The case list pads names by what a terminal shows, not by bytes: "José"
// takes four columns, so its row lines up with the others. Without the rate
// files it shows no premium (the policy fee alone would pass for one): one
// line for each product and face amount of the five cases says why.
TEST(CommandLine, TheCaseListAlignsByDisplayedCharactersAndNeedsTheRates) {
    TempFolder noRates;
    fs::copy_file(QUORAVEL_PROGRAM_DIR "states.ini", noRates.path() / "states.ini");
    const auto listed = RunProgram({"/usr/bin/env", "QUORAVEL_HOME=" + noRates.folder(), QUORAVEL_EXECUTABLE,
                                    "--list-cases", QUORAVEL_PROGRAM_DIR "sample.clt"});
    ASSERT_EQ(listed.exitCode, 0) << listed.err;
    ASSERT_NE(listed.out.find("Lindqvist, José M"), std::string::npos);
    EXPECT_EQ(listed.out.find("first-year premium"), std::string::npos) << listed.out;
    std::set<std::size_t> ageColumns;
    int notPriced = 0;
    std::istringstream lines(listed.out);
    for (std::string line; std::getline(lines, line);) {
        notPriced += line.find(": not priced: ") != std::string::npos;
        if (const auto at = line.find(" age "); at != std::string::npos && line.size() > 2 && line[2] != ' ')
            ageColumns.insert(quoravel::DisplayWidth(line.substr(0, at)));
    }
    EXPECT_EQ(ageColumns.size(), 1u) << listed.out;
    EXPECT_EQ(notPriced, 10) << listed.out;
}

}  // namespace
