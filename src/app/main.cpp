#include <sched.h>
#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtGlobal>
#include <algorithm>
#include <iostream>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "CaseListing.h"
#include "ImpactCommand.h"
#include "InteractiveRun.h"
#include "PrivateRuntimeFolder.h"
#include "ProcessValues.h"
#include "ProgramFolder.h"
#include "QuoteBatch.h"
#include "QuoteCommand.h"
#include "RateSet.h"
#include "RelayBatch.h"
#include "RelayRun.h"
#include "RuntimeError.h"
#include "Stamping.h"

namespace {

void PrintUsage(std::ostream& out) {
    out << "Usage: quoravel [FOLDER]\n"
           "  or:  quoravel --relay FOLDER... | --relay -\n"
           "  or:  quoravel --list-cases CASEFILE\n"
           "  or:  quoravel quote OPTION...\n"
           "  or:  quoravel quote - [--format FORMAT]\n"
           "  or:  quoravel quote --csv FILE [--format csv|jsonl]\n"
           "  or:  quoravel verify FILE.pdf\n"
           "  or:  quoravel impact --old-rates DIR --new-rates DIR [--csv FILE] [--pdf FILE]\n"
           "         CASEFILE...\n"
           "  or:  quoravel --version | --help\n"
           "\n"
           "Quoravel prepares level-premium term life insurance proposals.\n"
           "\n"
           "Modes:\n"
           "  (no argument)          the proposal window (needs a display). Each\n"
           "                         proposal's page files, answer and default PDF go\n"
           "                         to a run folder of its own in the user's cache\n"
           "  FOLDER                 a relay folder holding relay.ini: the proposal is\n"
           "                         made without a window, and its answer files are\n"
           "                         written in that folder only, its PDF there too\n"
           "                         unless relay.ini names another (exit code 0 once\n"
           "                         relay.out is written); a folder without relay.ini\n"
           "                         opens the window\n"
           "  --relay FOLDER...      each folder a relay run, on every core; a folder\n"
           "                         named twice runs once. \"-\" alone reads the\n"
           "                         folders from standard input, one a line. One line\n"
           "                         a folder: the folder, its Status (\"none\" when it\n"
           "                         could not be answered) and seconds, separated by\n"
           "                         tabs. Exit code 0 when every folder was answered,\n"
           "                         1 when one was not, 2 when no folder was named\n"
           "  --list-cases CASEFILE  print the cases of a case file (.clt), each with\n"
           "                         the corrections a proposal would make and the\n"
           "                         first-year premium of every product and face\n"
           "                         amount, or why it has none\n"
           "  quote OPTION...        every premium of one client, without a window:\n"
           "                         --age N or --birth-date DATE [--as-of DATE],\n"
           "                         --sex M|F, --state ST, --class CODE, --table T,\n"
           "                         --flat-perm AMOUNT, --flat-temp AMOUNT:YEARS,\n"
           "                         --waiver RATING, --child UNITS, --face AMOUNT...,\n"
           "                         --mode A|S|Q|M, --carrier BRN|QNB|TVNY,\n"
           "                         --product CODE..., --name NAME,\n"
           "                         --prior-scale Y|N, --waive-spouse-fee Y|N,\n"
           "                         --format table|json|csv.\n"
           "                         \"-\" reads the client as one JSON object from\n"
           "                         standard input. Exit code 2 on a bad input\n"
           "                         (docs/quote.md)\n"
           "  quote --csv FILE       many clients, one a row of a CSV file (\"-\": standard\n"
           "                         input) under a header of input names; one row a\n"
           "                         client and product, with the client's row number,\n"
           "                         as CSV or (--format jsonl) JSON lines, on every\n"
           "                         core. Exit code 1 when a row could not be quoted,\n"
           "                         2 on a bad command line or header\n"
           "  verify FILE.pdf        make the proposal of a PDF again from its stamp on\n"
           "                         the installed rates and tell whether the rate set\n"
           "                         and every yearly premium are the same (\"verified\").\n"
           "                         Exit code 0 when the premiums are the same, 1 when\n"
           "                         they differ, 2 when the file carries no stamp\n"
           "                         (docs/stamp.md)\n"
           "  impact --old-rates DIR --new-rates DIR CASEFILE...\n"
           "                         price every case of the case files on two rate\n"
           "                         sets (each a folder of rate files, such as a\n"
           "                         program folder): one CSV line a case, product and\n"
           "                         face amount with the first-year premiums, the\n"
           "                         change and the largest yearly change, on standard\n"
           "                         output or in --csv FILE; --pdf FILE adds the\n"
           "                         report, largest change first. A line that cannot\n"
           "                         be priced on a set says why. Exit code 0 when\n"
           "                         every line was priced, 1 when one was not, 2 on\n"
           "                         a bad command line, rate folder or case file\n"
           "  --version              print the version and the identity of the rate set\n"
           "  --help                 print this help\n"
           "\n"
           "Environment:\n"
           "  QUORAVEL_HOME          the program folder (settings, rate and picture\n"
           "                         files), which the program only reads; by default\n"
           "                         share/quoravel beside the bin folder of an\n"
           "                         installed program, else the executable's folder\n"
           "  XDG_CONFIG_HOME        the user's settings: Quoravel/Quoravel.ini\n"
           "                         (default ~/.config)\n"
           "  XDG_DATA_HOME          the user's case directories, brokers, changed\n"
           "                         commission percentages and new rate files:\n"
           "                         Quoravel/ (default ~/.local/share)\n"
           "  XDG_CACHE_HOME         the window's run folders: Quoravel/runs/ (default\n"
           "                         ~/.cache); those older than a week are removed\n"
           "  XDG_CONFIG_DIRS        where the common files folder \"Talvern Assurance\"\n"
           "                         is looked for, holding TVRN.ini when the program\n"
           "                         folder has none (default /etc/xdg)\n"
           "  QT_QPA_PLATFORM        the window's display platform (relay runs need none)\n";
}

// The version and the rate set the program folder holds.
int PrintVersion(int& argc, char** argv) {
    using namespace quoravel;
    std::cout << "quoravel " << QUORAVEL_VERSION_MAJOR << "." << QUORAVEL_VERSION_MINOR << "\n";
    const std::string folder = ResolveProgramFolder(argc, argv);
    try {
        const RateSet rates = IdentifyRateSet(folder);
        if (rates.files == 0) {
            std::cout << "Rate set: none (no rate files in " << folder << ")\n";
            return 0;
        }
        std::cout << "Rate set: " << rates.identity << " (" << rates.files << " rate files in " << folder
                  << ")\n";
        return 0;
    } catch (const RuntimeError& error) {
        std::cerr << "quoravel: " << error.Description() << "\n";
        return 1;
    }
}

#if !defined(Q_OS_WIN) && !defined(Q_OS_MACOS)
constexpr bool kDesktopFromEnvironment = true;
#else
constexpr bool kDesktopFromEnvironment = false;
#endif

// Relay mode draws its pages without a window: it needs no display, and one
// that is named but cannot be reached must not stop the run.
void UseOffscreenPlatform() { qputenv("QT_QPA_PLATFORM", "offscreen"); }

// The window is for a person: where no display can be opened it would be
// drawn nowhere and never closed. A platform that cannot be opened falls
// back to "offscreen", which is refused below instead of ending in an abort.
void FallBackWhenNoDisplayOpens() {
    if (!kDesktopFromEnvironment) return;
    const QByteArray chosen = qgetenv("QT_QPA_PLATFORM");
    if (!chosen.isEmpty()) {
        if (!chosen.contains("offscreen")) qputenv("QT_QPA_PLATFORM", chosen + ";offscreen");
        return;
    }
    qputenv("QT_QPA_PLATFORM",
            qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ? "xcb;offscreen" : "wayland;xcb;offscreen");
}

// The cores this process may run on: one batch worker each.
int CoreCount() {
    cpu_set_t cores;
    if (sched_getaffinity(0, sizeof cores, &cores) == 0) return std::max(1, CPU_COUNT(&cores));
    return std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
}

bool NoDisplayNamed() {
    return kDesktopFromEnvironment && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") &&
           qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

bool NoDisplayOpened() {
    const QString platform = QGuiApplication::platformName();
    return platform == "offscreen" || platform == "minimal";
}

int RefuseTheWindow() {
    std::cerr << "quoravel: the proposal window needs a display, and none can be opened here. To make a"
                 " proposal without a window, start quoravel with a folder that holds relay.ini.\n";
    return quoravel::ExitCode::NotRelayRun;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace quoravel;
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const std::string first = arguments.empty() ? std::string() : arguments.front();
    if (first == "--help" || first == "-h") {
        PrintUsage(std::cout);
        return 0;
    }
    if (first == "--version") return PrintVersion(argc, argv);
    if (first == "--list-cases") {
        if (arguments.size() != 2) {
            PrintUsage(std::cerr);
            return ExitCode::NotRelayRun;
        }
        const QCoreApplication application(argc, argv);
        try {
            ListCases(std::cout, arguments[1], ResolveProgramFolder(argc, argv));
            return 0;
        } catch (const RuntimeError& error) {
            std::cerr << "quoravel: " << error.Description() << "\n";
            return 1;
        }
    }
    if (first == "quote") {
        const std::vector<std::string> options(arguments.begin() + 1, arguments.end());
        if (IsQuoteBatch(options))
            return RunQuoteBatch(options, std::cin, std::cout, std::cerr, ResolveProgramFolder(argc, argv),
                                 CoreCount());
        return RunQuote(options, std::cin, std::cout, std::cerr, ResolveProgramFolder(argc, argv));
    }
    if (first == "verify") {
        if (arguments.size() != 2 || arguments[1].starts_with("-")) {
            std::cerr << "Usage: quoravel verify FILE.pdf\n";
            return VerifyCode::NoStamp;
        }
        return VerifyProposal(arguments[1], ResolveProgramFolder(argc, argv), std::cout, std::cerr);
    }
    if (first == "impact") {
        // Only the PDF report draws text, and needs the fonts of an application.
        const bool pdf = std::ranges::find(arguments, "--pdf") != arguments.end();
        std::optional<quoravel::PrivateRuntimeFolder> runtime;
        std::optional<QGuiApplication> application;
        if (pdf) {
            UseOffscreenPlatform();
            runtime.emplace();
            application.emplace(argc, argv);
        }
        const std::vector<std::string> options(arguments.begin() + 1, arguments.end());
        return RunImpact(options, ResolveProgramFolder(argc, argv), std::cout, std::cerr,
                         isatty(STDERR_FILENO) != 0);
    }
    if (first == "--relay") {
        const std::vector<std::string> names(arguments.begin() + 1, arguments.end());
        std::string problem = BatchNamesProblem(names);
        const std::vector<std::string> folders = problem.empty() ? BatchFolders(names, std::cin) : names;
        if (problem.empty() && folders.empty()) problem = "standard input named no folder.";
        if (!problem.empty()) {
            std::cerr << "quoravel: " << problem << "\n";
            PrintUsage(std::cerr);
            return ExitCode::NotRelayRun;
        }
        ProcessValues process;
        process.VersionText = MakeVersionText(QUORAVEL_VERSION_MAJOR, QUORAVEL_VERSION_MINOR, true);
        UseOffscreenPlatform();
        const quoravel::PrivateRuntimeFolder runtime;
        return RunRelayBatch(process, folders, CoreCount(), std::cout, std::cerr, argc, argv);
    }
    if (first.starts_with("--")) {
        std::cerr << "quoravel: " << first << " is not an option of this program.\n";
        PrintUsage(std::cerr);
        return ExitCode::NotRelayRun;
    }

    ProcessValues process;
    // Without a folder the program folder is the start folder, and must be
    // known before the application object; otherwise it is asked of that.
    if (first.empty()) process.ProgramFolder = ResolveProgramFolder(argc, argv);
    process.SetStartDirectory(arguments);
    if (const std::string problem = StartFolderProblem(process); !problem.empty()) {
        std::cerr << "quoravel: " << problem << "\n";
        return ExitCode::NotRelayRun;
    }
    const bool relayMode = HasRelayFile(process);
    process.VersionText = MakeVersionText(QUORAVEL_VERSION_MAJOR, QUORAVEL_VERSION_MINOR, relayMode);
    if (relayMode) {
        KeepFreedMemoryForReuse();
        UseOffscreenPlatform();
        const quoravel::PrivateRuntimeFolder runtime;
        QGuiApplication application(argc, argv);
        LocateFolders(process, argc, argv);
        return RunRelay(process, std::cerr).exitCode;
    }
    if (NoDisplayNamed()) return RefuseTheWindow();
    FallBackWhenNoDisplayOpens();
    QApplication application(argc, argv);
    if (NoDisplayOpened()) return RefuseTheWindow();
    LocateFolders(process, argc, argv);
    return RunInteractive(process);
}
