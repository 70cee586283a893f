#include "RelayRun.h"

#include <filesystem>
#include <system_error>

#include "PrintSurface.h"
#include "ProposalAssembly.h"
#include "RelayExchange.h"
#include "RuntimeError.h"
#include "TextFile.h"
#include "cCommision.h"

namespace fs = std::filesystem;

namespace quoravel {
namespace {

constexpr const char* kModule = "WinTerm";
constexpr const char* kRoutine = "Main";
constexpr const char* kNoProposal =
    "At least one product and face amount must be entered to make a proposal.";

// The answer's "file://" form links and PDF.log name the relay folder to the
// outside system, which does not share our working folder: make it absolute.
// A relative "PDF.Path" is taken inside the relay folder for the same reason.
void AnchorFolders(ProcessValues& process) {
    fs::path start = fs::absolute(process.StartDirectory).lexically_normal();
    std::string folder = start.string();
    if (folder.size() > 1 && IsPathSeparator(folder.back())) folder.pop_back();
    process.StartDirectory = folder;
    process.ReadPdfTarget();
    if (fs::path(process.PdfPath).is_relative())
        process.PdfPath = WithTrailingSeparator((start / process.PdfPath).lexically_normal().string());
}

// The answer and the PDF found after the run must be this run's, even when
// it ends before the proposal step clears the folder: the previous ones go
// before anything else can fail.
void RemovePreviousAnswer(const ProcessValues& process) {
    for (const fs::path& file :
         {fs::path(process.StartDirectory) / "relay.out", fs::path(process.PdfPath) / process.PdfName}) {
        std::error_code ignored;
        const fs::path found = ResolveFileName(file);
        if (fs::is_regular_file(found, ignored)) fs::remove(found, ignored);
    }
}

void MakeProposal(ProcessValues& process) {
    const cCommision commission(process.ProgramFolder);
    const auto client = ReadRelayFile(process.StartDirectory, "relay.ini", process);
    const cIllustrationOptions& options = client->proposal();
    if (options.ProductCount() == 0 || options.FaceAmountCount() == 0) {
        process.Errors.Add(clsError::Error, kNoProposal);
        process.Updates.Log(process.StartDirectory, "Relay.upd");
        process.PDFForms.Log(process.StartDirectory, "Relay.out", process.ProgramFolder);
        return;
    }
    PrintSurface surface;
    if (!CreateIllustration(surface, *client, commission, process, process.StartDirectory)) return;
    try {
        ConvertToPdf(surface, process.PdfPath, process.PdfName);
    } catch (const RuntimeError& error) {
        // The proposal itself is good; the outside system learns from the
        // answer that its PDF is missing and where it was to be.
        process.ProcessError(error, clsError::Error, kModule, "ConvertToPdf");
    }
}

}  // namespace

bool HasRelayFile(const ProcessValues& process) {
    return !process.StartDirectory.empty() && FileExists(fs::path(process.StartDirectory) / "relay.ini");
}

int RunRelay(ProcessValues& process, std::ostream& diagnostics) {
    process.RelayMode = true;
    try {
        AnchorFolders(process);
        RemovePreviousAnswer(process);
        MakeProposal(process);
    } catch (const std::exception& error) {
        process.ProcessError(error, clsError::ErrorWithPlace, kModule, kRoutine);
    }
    // The error log is written last: its "Status" stands over the one the
    // page frame writes and covers the problems met after the relay output.
    try {
        process.Errors.Log(process.StartDirectory, "Relay.out");
    } catch (const std::exception& error) {
        diagnostics << "quoravel: no answer could be written in the relay folder " << process.StartDirectory
                    << ": " << error.what() << "\n";
        return ExitCode::NoAnswer;
    }
    return ExitCode::Answered;
}

}  // namespace quoravel
