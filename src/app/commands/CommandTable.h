#pragma once

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace quoravel {

// The command line as a command gets it: the words after its own word (all
// of them for the folder command), and the program's argc and argv, which
// the Qt application objects and the program folder's lookup take.
struct CommandLine {
    std::vector<std::string> words;
    int& argc;
    char** argv;
};

// One way the program is started. A new command is a file in commands/ and
// a row of the table in CommandTable.cpp; the help is made from the table.
struct Command {
    // The first word that selects it ("quote", "--relay"); "" for the
    // folder command, which takes any word that is not an option.
    std::string_view word;
    std::string_view alias;
    // Its lines of the usage, each after "quoravel ".
    std::vector<std::string_view> usage;
    // Its paragraphs under "Modes:", each a name and its description.
    std::vector<std::pair<std::string_view, std::string_view>> modes;
    int (*run)(CommandLine& line);
};

// The command a first word selects; null for an option no command has.
const Command* CommandFor(std::string_view first);

// The usage, the modes of every command and the environment variables.
void PrintUsage(std::ostream& out);

// Qt draws relay pages and the impact report without a window: they need no
// display, and one that is named but cannot be reached must not stop them.
void UseOffscreenPlatform();

// The cores this process may run on: one batch worker each.
int CoreCount();

}  // namespace quoravel
