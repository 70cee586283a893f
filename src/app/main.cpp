#include <QApplication>
#include <QtGlobal>
#include <iostream>
#include <string>
#include <vector>

#include "CaseListing.h"
#include "InteractiveRun.h"
#include "ProcessValues.h"
#include "ProgramFolder.h"
#include "RelayRun.h"
#include "RuntimeError.h"

namespace {

void PrintUsage(std::ostream& out) {
    out << "Usage: quoravel [FOLDER]\n"
           "       quoravel --list-cases CASEFILE\n"
           "\n"
           "Quoravel prepares level-premium term life insurance proposals.\n"
           "  (no argument)         the proposal window\n"
           "  FOLDER                a relay folder holding relay.ini: the proposal is made\n"
           "                        without a window and its PDF and answer files are\n"
           "                        written (exit code 0 once relay.out is written)\n"
           "  --list-cases CASEFILE print the cases of a case file (.clt)\n"
           "  --version             print the version\n"
           "  --help                print this help\n";
}

// Relay mode draws its pages without a window, so it needs no display.
void UseOffscreenPlatformWithoutDisplay() {
#if !defined(Q_OS_WIN) && !defined(Q_OS_MACOS)
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
#endif
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
    if (first == "--version") {
        std::cout << "Quoravel " << MakeVersionText(QUORAVEL_VERSION_MAJOR, QUORAVEL_VERSION_MINOR, false)
                  << "\n";
        return 0;
    }
    const std::string programFolder = ResolveProgramFolder(argc > 0 ? argv[0] : nullptr);
    if (first == "--list-cases") {
        if (arguments.size() != 2) {
            PrintUsage(std::cerr);
            return ExitCode::NotRelayRun;
        }
        try {
            ListCases(std::cout, arguments[1], programFolder);
            return 0;
        } catch (const RuntimeError& error) {
            std::cerr << "quoravel: " << error.Description() << "\n";
            return 1;
        }
    }
    if (first.starts_with("--")) {
        std::cerr << "quoravel: " << first << " is not an option of this program.\n";
        PrintUsage(std::cerr);
        return ExitCode::NotRelayRun;
    }

    ProcessValues process;
    process.ProgramFolder = programFolder;
    process.SetStartDirectory(arguments);
    const bool relayMode = HasRelayFile(process);
    process.VersionText = MakeVersionText(QUORAVEL_VERSION_MAJOR, QUORAVEL_VERSION_MINOR, relayMode);
    if (relayMode) {
        UseOffscreenPlatformWithoutDisplay();
        QGuiApplication application(argc, argv);
        return RunRelay(process, std::cerr);
    }
    QApplication application(argc, argv);
    return RunInteractive(process);
}
