#include "CommandTable.h"

#include <sched.h>

#include <QByteArray>
#include <QtGlobal>
#include <algorithm>
#include <iostream>
#include <thread>

#include "CaseListing.h"
#include "ImpactCommand.h"
#include "ProposalCommand.h"
#include "QuoteCommand.h"
#include "RelayBatch.h"
#include "ServeCommand.h"
#include "VerifyCommand.h"
#include "VersionCommand.h"

namespace quoravel {
namespace {

int HelpCommand(CommandLine&);

// Every way the program is started, in the order the help lists them.
const Command kCommands[] = {
    {"",
     "",
     {"[FOLDER]"},
     {{"(no argument)",
       "the proposal window (needs a display). Each\n"
       "proposal's page files, answer and default PDF go\n"
       "to a run folder of its own in the user's cache"},
      {"FOLDER",
       "a relay folder holding relay.ini: the proposal is\n"
       "made without a window, and its answer files are\n"
       "written in that folder only, its PDF there too\n"
       "unless relay.ini names another (exit code 0 once\n"
       "relay.out is written); a folder without relay.ini\n"
       "opens the window"}},
     ProposalCommand},
    {"--relay",
     "",
     {"--relay FOLDER... | --relay -"},
     {{"--relay FOLDER...",
       "each folder a relay run, on every core; a folder\n"
       "named twice runs once. \"-\" alone reads the\n"
       "folders from standard input, one a line. One line\n"
       "a folder: the folder, its Status (\"none\" when it\n"
       "could not be answered) and seconds, separated by\n"
       "tabs. Exit code 0 when every folder was answered,\n"
       "1 when one was not, 2 when no folder was named"}},
     RelayBatchCommand},
    {"--list-cases",
     "",
     {"--list-cases CASEFILE"},
     {{"--list-cases CASEFILE",
       "print the cases of a case file (.clt), each with\n"
       "the corrections a proposal would make and the\n"
       "first-year premium of every product and face\n"
       "amount, or why it has none"}},
     ListCasesCommand},
    {"quote",
     "",
     {"quote OPTION...", "quote - [--format FORMAT]", "quote --csv FILE [--format csv|jsonl]"},
     {{"quote OPTION...",
       "every premium of one client, without a window:\n"
       "--age N or --birth-date DATE [--as-of DATE],\n"
       "--sex M|F, --state ST, --class CODE, --table T,\n"
       "--flat-perm AMOUNT, --flat-temp AMOUNT:YEARS,\n"
       "--waiver RATING, --child UNITS, --face AMOUNT...,\n"
       "--mode A|S|Q|M, --carrier BRN|QNB|TVNY,\n"
       "--product CODE..., --name NAME,\n"
       "--prior-scale Y|N, --waive-spouse-fee Y|N,\n"
       "--format table|json|csv.\n"
       "\"-\" reads the client as one JSON object from\n"
       "standard input. Exit code 2 on a bad input\n"
       "(docs/quote.md)"},
      {"quote --csv FILE",
       "many clients, one a row of a CSV file (\"-\": standard\n"
       "input) under a header of input names; one row a\n"
       "client and product, with the client's row number,\n"
       "as CSV or (--format jsonl) JSON lines, on every\n"
       "core. Exit code 1 when a row could not be quoted,\n"
       "2 on a bad command line or header"}},
     QuoteCommand},
    {"verify",
     "",
     {"verify FILE.pdf"},
     {{"verify FILE.pdf",
       "make the proposal of a PDF again from its stamp on\n"
       "the installed rates and tell whether the rate set\n"
       "and every yearly premium are the same (\"verified\").\n"
       "Exit code 0 when the premiums are the same, 1 when\n"
       "they differ, 2 when the file carries no stamp\n"
       "(docs/stamp.md)"}},
     VerifyCommand},
    {"impact",
     "",
     // One line a usage form, however long: the manual page takes each "or:" line as one.
     {"impact --old-rates DIR --new-rates DIR [--csv FILE] [--pdf FILE] CASEFILE..."},
     {{"impact --old-rates DIR --new-rates DIR CASEFILE...",
       "price every case of the case files on two rate\n"
       "sets (each a folder of rate files, such as a\n"
       "program folder): one CSV line a case, product and\n"
       "face amount with the first-year premiums, the\n"
       "change and the largest yearly change, on standard\n"
       "output or in --csv FILE; --pdf FILE adds the\n"
       "report, largest change first. A line that cannot\n"
       "be priced on a set says why. Exit code 0 when\n"
       "every line was priced, 1 when one was not, 2 on\n"
       "a bad command line, rate folder or case file"}},
     ImpactCommand},
    {"serve",
     "",
     {"serve [--listen ADDRESS:PORT] [--token-file FILE] [--pdf-folder DIR]"},
     {{"serve",
       "quotes and proposals over HTTP, with the quote\n"
       "page at /, until SIGTERM or SIGINT: --listen\n"
       "ADDRESS:PORT (default 127.0.0.1:8080; port 0 picks\n"
       "one), --token-file FILE (a bearer token, needed\n"
       "beyond the loopback address), --pdf-folder DIR\n"
       "(where PDFs wait for their links; default a\n"
       "private folder), --request-timeout SECONDS\n"
       "(default 10), --max-waiting N (default 32).\n"
       "One line a request on standard error\n"
       "(docs/serve.md)"}},
     ServeCommand},
    {"--version",
     "",
     {"--version | --help"},
     {{"--version", "print the version and the identity of the rate set"}},
     VersionCommand},
    {"--help", "-h", {}, {{"--help", "print this help"}}, HelpCommand},
};

constexpr const char* kEnvironment =
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

// A mode's name in its column, its description beside it and under it; a
// name too long for the column stands on a line of its own.
void PrintMode(std::ostream& out, std::string_view name, std::string_view description) {
    constexpr std::size_t kColumn = 25;
    const std::string indent(kColumn, ' ');
    const std::string head = "  " + std::string(name);
    out << head;
    if (head.size() < kColumn - 1)
        out << std::string(kColumn - head.size(), ' ');
    else
        out << "\n" << indent;
    for (const char c : description) {
        out << c;
        if (c == '\n') out << indent;
    }
    out << "\n";
}

int HelpCommand(CommandLine&) {
    PrintUsage(std::cout);
    return 0;
}

}  // namespace

const Command* CommandFor(std::string_view first) {
    for (const Command& command : kCommands)
        if (!command.word.empty() &&
            (first == command.word || (!command.alias.empty() && first == command.alias)))
            return &command;
    // Any other word is a folder; an option no command has is refused.
    if (first.starts_with("--")) return nullptr;
    return &kCommands[0];
}

void PrintUsage(std::ostream& out) {
    bool first = true;
    for (const Command& command : kCommands) {
        for (const std::string_view line : command.usage) {
            out << (first ? "Usage: quoravel " : "  or:  quoravel ") << line << "\n";
            first = false;
        }
    }
    out << "\nQuoravel prepares level-premium term life insurance proposals.\n\nModes:\n";
    for (const Command& command : kCommands)
        for (const auto& [name, description] : command.modes) PrintMode(out, name, description);
    out << "\nEnvironment:\n" << kEnvironment;
}

void UseOffscreenPlatform() { qputenv("QT_QPA_PLATFORM", "offscreen"); }

int CoreCount() {
    cpu_set_t cores;
    if (sched_getaffinity(0, sizeof cores, &cores) == 0) return std::max(1, CPU_COUNT(&cores));
    return std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
}

}  // namespace quoravel
