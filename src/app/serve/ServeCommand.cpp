#include "ServeCommand.h"

#ifdef __GLIBC__
#include <malloc.h>
#endif

#include <unistd.h>

#include <QGuiApplication>
#include <algorithm>
#include <filesystem>
#include <iostream>
#include <optional>

#include "HttpServer.h"
#include "PrivateRuntimeFolder.h"
#include "ProgramFolder.h"
#include "RateSet.h"
#include "RelayRun.h"
#include "ServeApi.h"
#include "ServeOptions.h"

namespace fs = std::filesystem;

namespace quoravel {
namespace {

// A folder of the server's own, 0700, removed with everything in it when
// the server stops; empty when none can be made.
class PrivateFolder {
public:
    PrivateFolder(const fs::path& parent, const std::string& prefix) {
        std::string pattern = (parent / (prefix + "XXXXXX")).string();
        if (::mkdtemp(pattern.data())) path_ = pattern;
    }
    ~PrivateFolder() {
        std::error_code ignored;
        if (!path_.empty()) fs::remove_all(path_, ignored);
    }
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

// A proposal's files live only until its answer: in memory where the system
// has a memory file system, which spares the disk creating, syncing and
// removing a dozen files a proposal.
fs::path RunsParent() {
    std::error_code unknown;
    const fs::path memory = "/dev/shm";
    if (fs::is_directory(memory, unknown) && ::access(memory.c_str(), W_OK | X_OK) == 0) return memory;
    return fs::temp_directory_path();
}

// Each thread that allocates would otherwise get a heap of its own, and keep
// what it freed: with dozens of server threads the resident size would
// climb for thousands of requests. One heap a core is as fast here.
void LimitMemoryArenas() {
#ifdef __GLIBC__
    mallopt(M_ARENA_MAX, CoreCount());
#endif
}

}  // namespace

int ServeCommand(CommandLine& line) {
    if (std::find(line.words.begin(), line.words.end(), "--help") != line.words.end()) {
        PrintUsage(std::cout);
        return 0;
    }
    ServeOptions options = ReadServeOptions(line.words);
    if (!options.problems.empty()) {
        for (const std::string& problem : options.problems)
            std::cerr << "quoravel serve: " << problem << "\n";
        return ExitCode::NotRelayRun;
    }
    const PrivateFolder runs(RunsParent(), "quoravel-runs-");
    std::optional<PrivateFolder> pdfs;
    if (options.pdfFolder.empty())
        options.pdfFolder = pdfs.emplace(fs::temp_directory_path(), "quoravel-serve-").Path();
    if (runs.Path().empty() || options.pdfFolder.empty()) {
        std::cerr << "quoravel serve: no private folder for the proposals can be made in "
                  << (runs.Path().empty() ? RunsParent() : fs::temp_directory_path()).string() << ".\n";
        return ExitCode::NoAnswer;
    }
    LimitMemoryArenas();
    UseOffscreenPlatform();
    const PrivateRuntimeFolder runtime;
    QGuiApplication application(line.argc, line.argv);
    ProcessValues process;
    process.RelayMode = true;
    process.VersionText = MakeVersionText(QUORAVEL_VERSION_MAJOR, QUORAVEL_VERSION_MINOR, true);
    LocateFolders(process, line.argc, line.argv);
    RateSetIdentityOnce(process);
    ServeApi api(options, process, CoreCount(), runs.Path());
    HttpServer server(
        {std::chrono::seconds(options.requestSeconds)},
        [&api](const HttpRequest& request) { return api.Answer(request); },
        [&api](int status, const std::string& peer) { return api.Refused(status, peer); });
    std::string problem;
    const int port = server.Listen(options.host, options.port, problem);
    if (port < 0) {
        std::cerr << "quoravel serve: " << problem << "\n";
        return ExitCode::NoAnswer;
    }
    const std::string host =
        options.host.find(':') != std::string::npos ? "[" + options.host + "]" : options.host;
    std::cerr << "quoravel serve: listening on http://" << host << ":" << port << "/ (rate set "
              << (process.RateSetIdentity.empty() ? "none" : process.RateSetIdentity) << ")" << std::endl;
    // A thread for every request the gate lets work or wait, and one to take the next.
    server.Run(CoreCount() + options.maxWaiting + 1, true);
    std::cerr << "quoravel serve: stopped." << std::endl;
    return 0;
}

}  // namespace quoravel
