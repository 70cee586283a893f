// quoravel-samplerates FOLDER: writes the sample rate tables and the list of
// rate-tool runs that turn them into the program's rate files.
#include <exception>
#include <iostream>

#include "SampleRates.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "Usage: quoravel-samplerates FOLDER\n"
                     "Writes the synthetic sample rate tables and FOLDER/manifest.txt (one line per rate\n"
                     "file: its name, then the quoravel-ratetool arguments that build it, tab-separated).\n";
        return 1;
    }
    try {
        const auto set = quoravel::MakeSampleRates();
        quoravel::WriteSampleRates(set, argv[1]);
        std::cout << set.tables.size() << " sample rate tables for " << set.files.size() << " rate files in "
                  << argv[1] << "\n";
        return 0;
    } catch (const std::exception& error) {
        std::cerr << "quoravel-samplerates: " << error.what() << "\n";
        return 1;
    }
}
