#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "CaseListing.h"
#include "ProcessValues.h"
#include "ProgramFolder.h"
#include "RuntimeError.h"

namespace {

void PrintUsage(std::ostream& out) {
    out << "Usage: quoravel [FOLDER]\n"
           "       quoravel --list-cases CASEFILE\n"
           "\n"
           "Quoravel prepares level-premium term life insurance proposals.\n"
           "  FOLDER                a relay folder holding relay.ini (relay mode)\n"
           "  --list-cases CASEFILE print the cases of a case file (.clt)\n"
           "  --version             print the version\n"
           "  --help                print this help\n";
}

}  // namespace

int main(int argc, char** argv) {
    using namespace quoravel;
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const std::string version = MakeVersionText(QUORAVEL_VERSION_MAJOR, QUORAVEL_VERSION_MINOR, false);
    if (!arguments.empty() && (arguments[0] == "--help" || arguments[0] == "-h")) {
        PrintUsage(std::cout);
        return 0;
    }
    if (!arguments.empty() && arguments[0] == "--version") {
        std::cout << "Quoravel " << version << "\n";
        return 0;
    }
    const std::string programFolder = ResolveProgramFolder(argc > 0 ? argv[0] : nullptr);
    if (!arguments.empty() && arguments[0] == "--list-cases") {
        if (arguments.size() != 2) {
            PrintUsage(std::cerr);
            return 2;
        }
        try {
            ListCases(std::cout, arguments[1], programFolder);
            return 0;
        } catch (const RuntimeError& error) {
            std::cerr << "quoravel: " << error.Description() << "\n";
            return 1;
        }
    }
    std::cerr << "quoravel: this build has neither the proposal window nor the relay run yet; "
                 "use --list-cases to look into a case file.\n";
    return 2;
}
