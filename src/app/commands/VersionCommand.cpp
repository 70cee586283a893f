#include "VersionCommand.h"

#include <iostream>

#include "ProgramFolder.h"
#include "RateSet.h"
#include "RuntimeError.h"

namespace quoravel {

int VersionCommand(CommandLine& line) {
    std::cout << "quoravel " << QUORAVEL_VERSION_MAJOR << "." << QUORAVEL_VERSION_MINOR << "\n";
    const std::string folder = ResolveProgramFolder(line.argc, line.argv);
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

}  // namespace quoravel
