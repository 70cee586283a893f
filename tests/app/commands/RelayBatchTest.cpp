// The batch mode as an outside system drives it: many relay folders in one
// command, each answered exactly as a run of its own would answer it.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <memory>
#include <sstream>

#include "RelayBatch.h"
#include "RelayCase.h"
#include "VsvFile.h"

namespace {

namespace fs = std::filesystem;

const char* const kExamples[] = {"single-product",  "face-comparison", "product-comparison",
                                 "nj-rider-notice", "rated-extras",    "missing-agent"};

std::string WithFolder(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size())
        text.replace(at, from.size(), to);
    return text;
}

// The page as the outside system reads it, less the proposal's reference
// number, which every run draws anew.
quoravel::Document PageWithoutReference(const fs::path& file) {
    quoravel::Document page = quoravel::LoadVsv(file.string());
    for (auto& item : page.pages.at(0).items)
        if (auto* text = std::get_if<quoravel::TextItem>(&item); text && text->text.starts_with("#"))
            *text = {};
    return page;
}

// The batch's lines by folder: its status and that it gave seconds.
std::map<std::string, std::string> StatusByFolder(const std::string& out) {
    std::map<std::string, std::string> status;
    std::istringstream lines(out);
    for (std::string line; std::getline(lines, line);) {
        const auto first = line.find('\t'), second = line.rfind('\t');
        EXPECT_NE(first, second) << line;
        EXPECT_GE(std::stod(line.substr(second + 1)), 0.0) << line;
        status[line.substr(0, first)] = line.substr(first + 1, second - first - 1);
    }
    return status;
}

// Fifty folders of every report, one refused, one whose answer cannot be
// written, beside a folder without relay.ini and one that does not exist:
// each batch folder holds what a single run of the same relay.ini leaves
// (one single run an example, and one of the unwritable folder), and only
// the unwritable one and the two that are no relay run go without an answer.
TEST(RelayBatch, EachFolderIsAnsweredAsASingleRunAnswersIt) {
    constexpr std::size_t kFolders = 50;
    constexpr std::size_t kUnwritable = 17;
    const std::size_t examples = std::size(kExamples);
    std::vector<std::unique_ptr<RelayCase>> batch, single;
    std::vector<std::string> command{QUORAVEL_EXECUTABLE, "--relay"};
    for (std::size_t i = 0; i < kFolders; ++i) {
        batch.push_back(std::make_unique<RelayCase>(kExamples[i % examples]));
        command.push_back(batch.back()->Path());
    }
    for (std::size_t i = 0; i <= examples; ++i)
        single.push_back(std::make_unique<RelayCase>(kExamples[(i < examples ? i : kUnwritable) % examples]));
    const TempFolder empty;
    const std::string missing = empty.folder() + "not-there";
    command.insert(command.end(), {empty.path().string(), missing});
    fs::create_directory(batch[kUnwritable]->Folder().path() / "relay.out");
    fs::create_directory(single[examples]->Folder().path() / "relay.out");

    std::vector<std::unique_ptr<ProgramRun>> runs;
    for (const auto& relay : single) runs.push_back(std::make_unique<ProgramRun>(relay->Command()));
    // The single runs, all at once, each answer in their own folder; only
    // the missing agent is refused.
    for (std::size_t i = 0; i < examples; ++i) {
        SCOPED_TRACE(kExamples[i]);
        ExpectAnswered(*single[i], runs[i]->Wait());
        EXPECT_EQ(single[i]->Answer("Engine", "Status") == "0", kExamples[i] != std::string("missing-agent"));
    }
    // Root writes even into read-only folders: a folder where relay.out
    // belongs stops every user.
    const ProgramResult unwritable = runs[examples]->Wait();
    EXPECT_EQ(unwritable.exitCode, 1);
    EXPECT_NE(
        unwritable.err.find("no answer could be written in the relay folder " + single[examples]->Path()),
        std::string::npos)
        << unwritable.err;
    const ProgramResult result = RunProgram(command);
    EXPECT_EQ(result.exitCode, 1) << "a folder went without an answer";
    const auto status = StatusByFolder(result.out);
    EXPECT_EQ(status.size(), kFolders + 2) << result.out;
    EXPECT_NE(result.err.find(batch[kUnwritable]->Path()), std::string::npos) << result.err;
    EXPECT_EQ(status.at(empty.path().string()), "none");
    EXPECT_EQ(status.at(missing), "none");

    for (std::size_t i = 0; i < kFolders; ++i) {
        const RelayCase& ours = *batch[i];
        const RelayCase& alone = *single[i == kUnwritable ? examples : i % examples];
        SCOPED_TRACE(std::to_string(i) + " " + kExamples[i % examples]);
        EXPECT_EQ(status.at(ours.Path()), i == kUnwritable ? "none" : alone.Answer("Engine", "Status"));
        ASSERT_EQ(ours.Files(), alone.Files());
        for (const std::string& name : alone.Files()) {
            const fs::path file = alone.Folder().path() / name;
            if (name.ends_with(".vsv")) {
                EXPECT_EQ(PageWithoutReference(ours.Folder().path() / name), PageWithoutReference(file))
                    << name;
            } else if (!name.ends_with(".emf") && !name.ends_with(".pdf") && fs::is_regular_file(file)) {
                EXPECT_EQ(WithFolder(ours.Folder().Read(name), ours.Path(), alone.Path()),
                          alone.Folder().Read(name))
                    << name;
            }
        }
    }
}

TEST(RelayBatch, FoldersComeFromTheCommandLineOrOneALineFromStandardInput) {
    std::istringstream none;
    EXPECT_EQ(quoravel::BatchFolders({"a", "b", "a", "b/"}, none), (std::vector<std::string>{"a", "b"}));
    std::istringstream lines("first\r\n\n  \t\nsecond folder \nfirst\n");
    EXPECT_EQ(quoravel::BatchFolders({"-"}, lines), (std::vector<std::string>{"first", "second folder "}));
    const std::pair<std::vector<std::string>, std::string> problems[] = {
        {{"a", "-"}, "\"-\" reads the folders from standard input and stands alone after --relay."},
        {{"--help"}, "--help is not a folder; name it ./--help if it is one."},
        {{}, "--relay needs at least one folder, or \"-\" to read them from standard input."},
        {{"-"}, ""},
        {{"a", "-b"}, ""}};
    for (const auto& [names, problem] : problems) EXPECT_EQ(quoravel::BatchNamesProblem(names), problem);
}

}  // namespace
