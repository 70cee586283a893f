#pragma once

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "RateTool.h"

namespace quoravel {

// The sample rates bundled with the program. They are synthetic, for
// demonstration only: no insurer's rates. Mortality follows Makeham's law
// mu(x) = A + B c^x (A = 0.0007, B = 0.00005, c = 10^0.04), scaled by class
// and sex; level rates are loaded net level premiums at 5 % interest. Every
// rate is a whole number of cents per 1,000 of face amount, at least 1.

// The yearly probability of death at an age under the Makeham law, at most 1.
double MakehamDeathRate(int age);
// The mortality factor of a class code (1..8) and sex (1 female).
double MortalityFactor(int classCode, int sex);

// The mortality the sample rates are priced on: the Makeham law times the
// class and sex factors, times `scale` (1.03 prices a changed rate set on 3 %
// more deaths).
struct SampleMortality {
    double scale = 1;

    double DeathRate(int classCode, int sex, int age) const;
    // The loaded level premium per 1,000, in cents and unrounded, for `years`
    // years from `issueAge`.
    double LevelPremium(int classCode, int sex, int issueAge, int years) const;
    // The current one-year rate per 1,000 of the attained age, in whole cents.
    double OneYearRate(int classCode, int sex, int age) const;
};

// One rate file of the sample set and how the rate-file tool builds it.
struct SampleRateFile {
    std::string name;            // the file's name in the program folder, e.g. "July08BRNFGHB3.rat"
    const RateType* type;        // null: rebuilt from the dump text `dump`
    RateToolInputs inputs;       // the input folder relative to the tables folder; no output
    std::filesystem::path dump;  // relative to the tables folder
};

struct SampleRateSet {
    std::vector<SampleRateFile> files;
    std::vector<std::pair<std::filesystem::path, std::string>> tables;  // relative path and text
};

SampleRateSet MakeSampleRates(const SampleMortality& mortality = {});

// The file's tool arguments, tab-separated, with the tables folder put in front of its paths.
std::string ManifestLine(const SampleRateFile& file, const std::filesystem::path& tables);

// Writes every table and "manifest.txt": one line per rate file, its name
// and then its tool arguments, separated by tabs.
void WriteSampleRates(const SampleRateSet& set, const std::filesystem::path& tables);

}  // namespace quoravel
