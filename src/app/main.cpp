#include <iostream>
#include <string>
#include <vector>

#include "CommandTable.h"
#include "RelayRun.h"

// The first word chooses the command (CommandTable.cpp); the command gets
// the words after it.
int main(int argc, char** argv) {
    using namespace quoravel;
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const std::string first = arguments.empty() ? std::string() : arguments.front();
    const Command* command = CommandFor(first);
    if (!command) {
        std::cerr << "quoravel: " << first << " is not an option of this program.\n";
        PrintUsage(std::cerr);
        return ExitCode::NotRelayRun;
    }
    CommandLine line{
        command->word.empty() ? arguments : std::vector<std::string>(arguments.begin() + 1, arguments.end()),
        argc, argv};
    return command->run(line);
}
