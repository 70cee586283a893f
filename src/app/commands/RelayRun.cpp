#include "RelayRun.h"

#ifdef __GLIBC__
#include <malloc.h>
#endif

#include <filesystem>
#include <fstream>
#include <future>
#include <system_error>

#include "CommissionSettings.h"
#include "PrintSurface.h"
#include "ProposalPipeline.h"
#include "RateSet.h"
#include "RelayExchange.h"
#include "RelayInputs.h"
#include "RuntimeError.h"
#include "TextFile.h"

namespace fs = std::filesystem;

namespace quoravel {
namespace {

constexpr const char* kModule = "WinTerm";
constexpr const char* kRoutine = "Main";

// The answer's "file://" form links and PDF.log name the relay folder to the
// outside system, which does not share our working folder: make it absolute.
std::string AbsoluteFolder(const std::string& folder) {
    std::error_code unknown;
    const fs::path path = fs::absolute(folder, unknown);
    std::string absolute = (unknown ? fs::path(folder) : path).lexically_normal().string();
    if (absolute.size() > 1 && IsPathSeparator(absolute.back())) absolute.pop_back();
    return absolute;
}

// A relative "PDF.Path" is taken inside the relay folder for the same reason,
// and stays inside it: one that leads out ("..") refuses the case, and the
// relay folder stands in for it. "PDF.Name" names a file in that folder and
// nothing else: a name that would lead elsewhere refuses the case, and the
// default name stands in for it.
void AnchorPdfTarget(ProposalRun& run) {
    run.ReadPdfTarget();
    if (fs::path(run.PdfPath).is_relative()) {
        const fs::path inside = fs::path(run.PdfPath).lexically_normal();
        if (!inside.empty() && *inside.begin() == "..") {
            std::string sent = run.PdfPath;
            if (sent.size() > 1 && IsPathSeparator(sent.back())) sent.pop_back();
            run.Errors.Add(
                LoggedError::Error,
                InputMessage("PDF.Path", sent, "a folder inside the relay folder, or an absolute path"));
            run.PdfPath = run.StartDirectory;
        }
        run.PdfPath =
            WithTrailingSeparator((fs::path(run.StartDirectory) / run.PdfPath).lexically_normal().string());
    }
    if (run.PdfName.find_first_of("/\\") != std::string::npos ||
        run.PdfName.find("..") != std::string::npos) {
        run.Errors.Add(LoggedError::Error, InputMessage("PDF.Name", run.PdfName, "a plain file name"));
        run.PdfName = kDefaultPdfName;
    }
}

// Makes the proposal of relay.ini and its PDF; false when no document was
// made.
bool MakeProposal(ProposalRun& run, std::future<std::string>& rateSet) {
    // Without the program's own files every state would be refused: the
    // answer names the fault of the installation instead.
    if (!FileExists(fs::path(run.ProgramFolder()) / "states.ini")) {
        run.Errors.Add(LoggedError::Error, "The program folder " + run.ProgramFolder() +
                                               " holds no states.ini: the program is not installed right"
                                               " (or QUORAVEL_HOME names another folder).");
        return false;
    }
    const CommissionSettings commission(run.ProgramFolder(), run.process.UserFolder);
    const auto client = ReadRelayFile(run.StartDirectory, "relay.ini", run);
    // A case whose inputs were refused is priced no further: the answer says why.
    if (run.Errors.Status() != 0) return false;
    PrintSurface surface;
    // The stamp holds the case as the outside system sent it, byte for byte,
    // so that the proposal can be made again from it.
    const auto sent = [&] {
        return ReadFileBytes(ResolveFileName(fs::path(run.StartDirectory) / "relay.ini")).value_or("");
    };
    const MadeProposal made = MakeProposal(
        run, {*client, commission, ProposalStamp::CaseKind::Relay, sent, [&] { return rateSet.get(); }},
        surface);
    if (made.nothingToPropose) run.Errors.Add(LoggedError::Error, kNoProposal);
    if (!made) return false;
    try {
        ConvertToPdf(surface, run.PdfPath, run.PdfName, Durability::WithTheRun);
    } catch (const RuntimeError& error) {
        // The proposal itself is good; the outside system learns from the
        // answer that its PDF is missing and where it was to be.
        run.ProcessError(error, LoggedError::Error, kModule, "ConvertToPdf");
    }
    return true;
}

}  // namespace

void KeepFreedMemoryForReuse() {
#ifdef __GLIBC__
    constexpr int kLargestMappedAlone = 64 << 20;  // bytes
    constexpr int kKeptFree = 256 << 20;
    mallopt(M_MMAP_THRESHOLD, kLargestMappedAlone);
    mallopt(M_TRIM_THRESHOLD, kKeptFree);
#endif
}

std::string StartFolderProblem(const ProcessValues& process) {
    const std::string& folder = process.StartDirectory;
    std::error_code error;
    if (!fs::exists(folder, error)) return "the folder " + folder + " does not exist.";
    if (!fs::is_directory(folder, error)) return folder + " is not a folder.";
    // A folder that cannot be read might hold relay.ini: it must not open the
    // window in front of an outside system that waits for an answer.
    const auto unreadable = [&] {
        return "the folder " + folder + " cannot be read: " + error.message() + ".";
    };
    if (fs::directory_iterator(folder, error); error) return unreadable();
    const fs::path relay = ResolveFileName(fs::path(folder) / "relay.ini");
    if (!fs::exists(relay, error)) return error ? unreadable() : std::string();
    if (!fs::is_regular_file(relay, error)) return relay.string() + " is not a file.";
    if (!std::ifstream(relay, std::ios::binary)) return relay.string() + " cannot be read.";
    return {};
}

bool HasRelayFile(const ProcessValues& process) {
    return !process.StartDirectory.empty() && FileExists(fs::path(process.StartDirectory) / "relay.ini");
}

RelayOutcome RunRelay(ProcessValues& process, std::ostream& diagnostics) {
    process.RelayMode = true;
    // Hashed on another core while the proposal is laid out, unless the
    // process knows it already (a batch worker hashes it once).
    std::future<std::string> rateSet =
        process.RateSetIdentity.empty()
            ? std::async(std::launch::async, RateSetIdentityOf, process.ProgramFolder)
            : std::async(std::launch::deferred, [known = process.RateSetIdentity] { return known; });
    ProposalRun run(process, AbsoluteFolder(process.StartDirectory));
    bool made = false;
    try {
        // A relay file larger than any case is refused before it is read.
        const std::string tooLarge = RelayFileSizeProblem(run.StartDirectory, "relay.ini");
        if (tooLarge.empty()) AnchorPdfTarget(run);
        // Every file in the folder after the run, but the inputs, is this run's.
        run.RemovePreviousOutputs(RelayFormFiles());
        if (tooLarge.empty())
            made = MakeProposal(run, rateSet);
        else
            run.Errors.Add(LoggedError::Error, tooLarge);
    } catch (const std::exception& error) {
        run.ProcessError(error, LoggedError::ErrorWithPlace, kModule, kRoutine);
    }
    try {
        // Page files a failed proposal may have begun are no answer. The
        // PDF's place is touched only by writing the PDF: a refused case
        // leaves whatever is there.
        if (!made) run.RemovePreviousPages();
        WriteRelayAnswer(run);
    } catch (const std::exception& error) {
        diagnostics << "quoravel: no answer could be written in the relay folder " << run.StartDirectory
                    << ": " << error.what() << "\n";
        return {ExitCode::NoAnswer, run.Errors.Status()};
    }
    return {ExitCode::Answered, run.Errors.Status()};
}

}  // namespace quoravel
