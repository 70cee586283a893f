#include "RelayBatch.h"

#include <QGuiApplication>
#include <filesystem>
#include <iomanip>
#include <iostream>
#include <memory>
#include <set>
#include <sstream>

#include "PrivateRuntimeFolder.h"
#include "ProgramFolder.h"
#include "RateSet.h"
#include "RelayRun.h"
#include "WorkerPool.h"

namespace quoravel {
namespace {

constexpr const char* kNoStatus = "none";

// The relay run of one folder in a worker: its "Status", or "none" with the
// reason on `diagnostics` when the folder could not be answered.
std::string RunFolder(const ProcessValues& worker, const std::string& folder, std::ostream& diagnostics) {
    ProcessValues process = worker;
    process.SetStartDirectory({folder});
    std::string problem = StartFolderProblem(process);
    if (problem.empty() && !HasRelayFile(process)) problem = "the folder " + folder + " holds no relay.ini.";
    if (!problem.empty()) {
        diagnostics << "quoravel: " << problem << "\n";
        return kNoStatus;
    }
    const RelayOutcome outcome = RunRelay(process, diagnostics);
    return outcome.exitCode == ExitCode::Answered ? std::to_string(outcome.status) : kNoStatus;
}

}  // namespace

std::string BatchNamesProblem(const std::vector<std::string>& names) {
    if (names.empty()) return "--relay needs at least one folder, or \"-\" to read them from standard input.";
    for (const std::string& name : names) {
        if (name == "-" && names.size() > 1)
            return "\"-\" reads the folders from standard input and stands alone after --relay.";
        if (name.starts_with("--")) return name + " is not a folder; name it ./" + name + " if it is one.";
    }
    return {};
}

std::vector<std::string> BatchFolders(const std::vector<std::string>& names, std::istream& in) {
    std::vector<std::string> listed = names;
    if (names.size() == 1 && names.front() == "-") {
        listed.clear();
        for (std::string line; std::getline(in, line);) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            // A line of blanks names no folder; blanks around a name are kept.
            if (line.find_first_not_of(" \t") != std::string::npos) listed.push_back(line);
        }
    }
    std::vector<std::string> folders;
    std::set<std::string> seen;
    for (const std::string& folder : listed) {
        std::error_code unknown;
        const auto canonical = std::filesystem::weakly_canonical(folder, unknown);
        std::string key = unknown ? folder : canonical.string();
        while (key.size() > 1 && key.back() == '/') key.pop_back();
        if (seen.insert(key).second) folders.push_back(folder);
    }
    return folders;
}

int RunRelayBatch(const ProcessValues& process, const std::vector<std::string>& folders, int workers,
                  std::ostream& out, std::ostream& diagnostics, int argc, char** argv) {
    ProcessValues batch = process;
    batch.RelayMode = true;
    // A worker: Qt started once, the rate set identified once, then folders.
    WorkerPool pool([&]() -> WorkerPool::Job {
        KeepFreedMemoryForReuse();
        auto application = std::make_shared<QGuiApplication>(argc, argv);
        auto worker = std::make_shared<ProcessValues>(batch);
        LocateFolders(*worker, argc, argv);
        RateSetIdentityOnce(*worker);
        return [application, worker, &folders](std::size_t folder) {
            const std::string status = RunFolder(*worker, folders.at(folder), std::cerr);
            std::cerr.flush();
            return status;
        };
    });
    out.flush();
    diagnostics.flush();
    bool allAnswered = true;
    pool.Run(folders.size(), workers, [&](const WorkerPool::Answer& answer) {
        if (!answer.result)
            diagnostics << "quoravel: the run of the folder " << folders[answer.job]
                        << " has no answer: " << answer.lostBecause << ".\n";
        const std::string status = answer.result.value_or(kNoStatus);
        if (status == kNoStatus) allAnswered = false;
        std::ostringstream seconds;
        seconds << std::fixed << std::setprecision(3) << answer.seconds;
        out << folders[answer.job] << '\t' << status << '\t' << seconds.str() << std::endl;
    });
    return allAnswered ? ExitCode::Answered : ExitCode::NoAnswer;
}

int RelayBatchCommand(CommandLine& line) {
    std::string problem = BatchNamesProblem(line.words);
    const std::vector<std::string> folders =
        problem.empty() ? BatchFolders(line.words, std::cin) : line.words;
    if (problem.empty() && folders.empty()) problem = "standard input named no folder.";
    if (!problem.empty()) {
        std::cerr << "quoravel: " << problem << "\n";
        PrintUsage(std::cerr);
        return ExitCode::NotRelayRun;
    }
    ProcessValues process;
    process.VersionText = MakeVersionText(QUORAVEL_VERSION_MAJOR, QUORAVEL_VERSION_MINOR, true);
    UseOffscreenPlatform();
    const PrivateRuntimeFolder runtime;
    return RunRelayBatch(process, folders, CoreCount(), std::cout, std::cerr, line.argc, line.argv);
}

}  // namespace quoravel
