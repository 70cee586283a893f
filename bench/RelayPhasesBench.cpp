// bench_relay_phases: where a relay run of the single-product example spends
// its time, phase by phase, in one process: the first run (fonts and
// pictures not yet loaded, as in a relay process of its own) and the median
// of the warm runs after it (as in the batch mode). The page files are
// timed by exporting the finished document's pages again; layout is the
// proposal's time less theirs.
//
// Usage: bench_relay_phases [RUNS]   (default 30)
#include <QGuiApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "CommissionSettings.h"
#include "EmfOutput.h"
#include "PrintSurface.h"
#include "ProcessValues.h"
#include "ProposalAssembly.h"
#include "RelayExchange.h"
#include "VsvFile.h"

using namespace quoravel;
namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

const char* const kPhases[] = {"read, check and price the case",
                               "lay out the pages",
                               "page files (.emf, .vsv)",
                               "PDF",
                               "answer and logs",
                               "whole run"};

double Milliseconds(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

// One relay run of `folder`, its phases timed into `times`.
void TimedRun(const ProcessValues& process, const std::string& folder, std::map<std::string, double>& times) {
    const auto start = Clock::now();
    ProposalRun run(process, folder);
    run.ReadPdfTarget();
    const CommissionSettings commission(run.ProgramFolder());
    const auto client = ReadRelayFile(run.StartDirectory, "relay.ini", run);
    const auto read = Clock::now();
    PrintSurface surface;
    if (!CreateIllustration(surface, *client, commission, run)) {
        std::fprintf(stderr, "bench_relay_phases: the example made no proposal.\n");
        std::exit(1);
    }
    const auto laidOut = Clock::now();
    const Document& document = surface.GetDocument();
    for (int page = 1; page <= static_cast<int>(document.pages.size()); ++page) {
        const std::string name = folder + "/again" + std::to_string(page);
        WriteEmf(document.pages[static_cast<std::size_t>(page - 1)], document, name + ".emf");
        SaveVsv(document, page, page, name + ".vsv");
    }
    const auto exported = Clock::now();
    ConvertToPdf(surface, run.PdfPath, run.PdfName);
    const auto pdf = Clock::now();
    WriteRelayAnswer(run);
    const auto answered = Clock::now();
    const double pageFiles = Milliseconds(laidOut, exported);
    times[kPhases[0]] = Milliseconds(start, read);
    times[kPhases[1]] = Milliseconds(read, laidOut) - pageFiles;
    times[kPhases[2]] = pageFiles;
    times[kPhases[3]] = Milliseconds(exported, pdf);
    times[kPhases[4]] = Milliseconds(pdf, answered);
    times[kPhases[5]] = Milliseconds(start, answered) - pageFiles;
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 30;
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    const auto beforeQt = Clock::now();
    QGuiApplication application(argc, argv);
    const double qtStart = Milliseconds(beforeQt, Clock::now());

    ProcessValues process;
    process.RelayMode = true;
    process.ProgramFolder = QUORAVEL_PROGRAM_DIR;
    process.VersionText = "V1.0w";
    const fs::path scratch = fs::temp_directory_path() / "quoravel-bench-phases";
    std::map<std::string, double> first;
    std::map<std::string, std::vector<double>> warm;
    for (int i = 0; i <= runs; ++i) {
        fs::remove_all(scratch);
        fs::copy(QUORAVEL_EXAMPLE_DIR, scratch);
        std::map<std::string, double> times;
        TimedRun(process, scratch.string(), times);
        for (const auto& [phase, ms] : times) {
            if (i == 0)
                first[phase] = ms;
            else
                warm[phase].push_back(ms);
        }
    }
    fs::remove_all(scratch);

    std::printf("%-34s %10s %12s\n", "phase of a relay run", "first run", "warm median");
    std::printf("%-34s %7.2f ms %12s\n", "start Qt without a display", qtStart, "-");
    for (const char* phase : kPhases) {
        auto& times = warm[phase];
        std::nth_element(times.begin(), times.begin() + static_cast<long>(times.size() / 2), times.end());
        std::printf("%-34s %7.2f ms %9.2f ms\n", phase, first[phase], times[times.size() / 2]);
    }
    return 0;
}
