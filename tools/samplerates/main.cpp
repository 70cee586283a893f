// quoravel-samplerates [--scale FACTOR] FOLDER: writes the sample rate tables
// and the list of rate-tool runs that turn them into the program's rate files.
#include <charconv>
#include <exception>
#include <iostream>
#include <string_view>

#include "SampleRates.h"

namespace {

const char* const kUsage =
    "Usage: quoravel-samplerates [--scale FACTOR] FOLDER\n"
    "Writes the synthetic sample rate tables and FOLDER/manifest.txt (one line per rate\n"
    "file: its name, then the quoravel-ratetool arguments that build it, tab-separated).\n"
    "--scale FACTOR prices every table on FACTOR times the sample mortality (1.03: a\n"
    "changed rate set with 3 % more deaths, for the rate-change impact report).\n";

}  // namespace

int main(int argc, char** argv) {
    quoravel::SampleMortality mortality;
    const char* folder = nullptr;
    for (int at = 1; at < argc; ++at) {
        const std::string_view argument = argv[at];
        if (argument == "--scale" && at + 1 < argc) {
            const std::string_view text = argv[++at];
            const auto [end, error] =
                std::from_chars(text.data(), text.data() + text.size(), mortality.scale);
            if (error != std::errc() || end != text.data() + text.size() || !(mortality.scale > 0) ||
                mortality.scale > 10) {
                std::cerr << "quoravel-samplerates: the scale must be a number above 0 and at most 10, not \""
                          << text << "\".\n";
                return 1;
            }
        } else if (!folder && !argument.starts_with("-")) {
            folder = argv[at];
        } else {
            std::cerr << kUsage;
            return 1;
        }
    }
    if (!folder) {
        std::cerr << kUsage;
        return 1;
    }
    try {
        const auto set = quoravel::MakeSampleRates(mortality);
        quoravel::WriteSampleRates(set, folder);
        std::cout << set.tables.size() << " sample rate tables for " << set.files.size() << " rate files in "
                  << folder << "\n";
        return 0;
    } catch (const std::exception& error) {
        std::cerr << "quoravel-samplerates: " << error.what() << "\n";
        return 1;
    }
}
