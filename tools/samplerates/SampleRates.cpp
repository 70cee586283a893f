#include "SampleRates.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>

#include "TextFile.h"

namespace fs = std::filesystem;

namespace quoravel {
namespace {

constexpr double kMakehamA = 0.0007;
constexpr double kMakehamB = 0.00005;
constexpr double kInterest = 0.05;
constexpr double kCurrentLoading = 1.3;
constexpr double kGuaranteedLoading = 1.6;
constexpr double kCentsPerThousand = 100000;  // a rate per 1 of face amount, in cents per 1,000
constexpr int kOldestAge = 130;               // issue age 99 plus a 30-year term

// Classes in the familiar order; Preferred Elite (0) is filled by the tool.
constexpr std::array<double, 9> kClassFactors{0, 0.62, 0.70, 0.80, 1.00, 1.70, 2.00, 1.20, 2.40};
constexpr double kFemaleFactor = 0.78;
constexpr std::array<double, 5> kBandFactors{1.15, 1.00, 0.90, 0.85, 0.82};

// Each prior scale charged 4 % more than the scale that followed it.
struct Scale {
    const char* prefix;
    double factor;
};
constexpr std::array<Scale, 4> kScales{{
    {"July08", 1.00},
    {"WAJuly08", 1.02},
    {"June07", 1.04},
    {"Feb07LVLPD", 1.04 * 1.04},
}};

// The banded level families: the rate-file tool's type, the input prefix and
// the family's price relative to the Brellan products.
struct Family {
    const char* name;
    const char* rateType;
    const char* prefix;
    double factor;
};
constexpr std::array<Family, 4> kFamilies{{
    {"BRNFGHB", "Level FG Rates", "brl", 1.00},
    {"QNBTermHB", "Level Term Rates", "Term", 0.97},
    {"QNBQbyHB", "Quenby Rates (NY)", "Qby", 1.10},
    {"QNBNJQbyHB", "Quenby Rates (NJ)", "NJQby", 1.10},
}};

// Ostrel 5, 10, 15 • 10, 20 • 10 and 30 • 15: level years by product column;
// the guarantee runs for the column's term.
constexpr std::array<int, 5> kOstrelLevelYears{5, 10, 10, 10, 15};

constexpr double kSelectShare = 0.85;  // of the one-year rate
constexpr double kWaiverShare = 0.12;  // of the 10-year level rate, or of the one-year rate
constexpr int kWaiverColumns = 6;
constexpr int kStandardNonNicotine = 4;
constexpr int kYrtProductYears = 10;

const char* const kSampleNote =
    "# Sample rates for demonstration (synthetic, Makeham law): not any insurer's rates.";

// At least a cent, and never more than the face amount a year: the loaded
// rates of the oldest ages would pass it.
double WholeCents(double rate) { return std::clamp(std::round(rate), 1.0, kMostPlausibleRate); }

std::string Number(double value) { return std::to_string(std::llround(value)); }

// One rate table: the note, a heading, then "age, rate, rate, ..." lines.
using RatesOfAge = std::function<std::vector<double>(int age)>;
std::string AgeTable(const std::string& heading, int lastAge, const RatesOfAge& rates) {
    std::string text = std::string(kSampleNote) + "\r\n# " + heading + "\r\n";
    for (int age = 0; age <= lastAge; ++age) {
        text += Number(age);
        for (const double rate : rates(age)) text += ", " + Number(rate);
        text += "\r\n";
    }
    return text;
}

std::string Describe(int classCode, int sex) {
    return std::string(sex == 1 ? "female " : "male ") + std::string(ClassSuffix(classCode));
}

// The rates of one table of a tool run, by product column, class, sex and age.
using TableRates = std::function<std::vector<double>(int column, int classCode, int sex, int age)>;

// Adds a tool run that builds `name` from tables in a folder of its own.
void AddRun(SampleRateSet& set, const std::string& name, const char* rateType, const std::string& prefix,
            const std::string& heading, int lastAge, const TableRates& rates) {
    const RateType& type = *FindRateType(rateType);
    const fs::path folder = fs::path(name).stem();
    const std::string years = type.terms.empty() ? std::to_string(kYrtProductYears) : "";
    set.files.push_back({name, &type, {prefix, std::string(type.exampleLetter), years, folder, {}, {}}, {}});
    const std::vector<int> terms = type.terms.empty() ? std::vector<int>{kYrtProductYears} : type.terms;
    for (int sex = 0; sex < 2; ++sex) {
        for (const int classCode : type.classes) {
            for (std::size_t column = 0; column < terms.size(); ++column) {
                const auto table = InputTableName(prefix, terms[column], type.exampleLetter, sex, classCode);
                const std::string what =
                    heading + ", " + Describe(classCode, sex) + ", term " + std::to_string(terms[column]);
                set.tables.emplace_back(folder / (table + ".txt"), AgeTable(what, lastAge, [&](int age) {
                                            return rates(static_cast<int>(column), classCode, sex, age);
                                        }));
            }
        }
    }
}

void AddBandedLevelFiles(SampleRateSet& set, const SampleMortality& mortality) {
    for (const auto& scale : kScales) {
        for (const auto& family : kFamilies) {
            const auto& terms = FindRateType(family.rateType)->terms;
            for (std::size_t band = 0; band < kBandFactors.size(); ++band) {
                const double factor = scale.factor * family.factor * kBandFactors[band];
                AddRun(set, std::string(scale.prefix) + family.name + std::to_string(band + 1) + ".rat",
                       family.rateType, family.prefix, "level rate by issue age", 99,
                       [&](int column, int classCode, int sex, int age) {
                           const int years = terms[static_cast<std::size_t>(column)];
                           return std::vector<double>{
                               WholeCents(mortality.LevelPremium(classCode, sex, age, years) * factor)};
                       });
            }
        }
    }
}

// The Ostrel products: level rate, the non-level years up to the end of the
// guarantee, and the whole guarantee period with the years between the
// level rate and the last guaranteed rate in a straight line.
void AddOstrelFiles(SampleRateSet& set, const SampleMortality& mortality) {
    const auto& terms = FindRateType("Level PG Rates")->terms;
    auto level = [&](int column, int classCode, int sex, int age) {
        return WholeCents(
            mortality.LevelPremium(classCode, sex, age, kOstrelLevelYears[static_cast<std::size_t>(column)]));
    };
    AddRun(set, "BRNPG.rat", "Level PG Rates", "brl", "level rate by issue age", 99,
           [&](int column, int classCode, int sex, int age) {
               return std::vector<double>{level(column, classCode, sex, age)};
           });
    AddRun(set, "BRNNLPG.rat", "Non-Level PG Rates", "brl",
           "rates of the years after the level period by issue age", 99,
           [&](int column, int classCode, int sex, int age) {
               std::vector<double> rates;
               const int levelYears = kOstrelLevelYears[static_cast<std::size_t>(column)];
               for (int year = levelYears; year < terms[static_cast<std::size_t>(column)]; ++year) {
                   rates.push_back(mortality.OneYearRate(classCode, sex, age + year));
               }
               return rates;
           });
    AddRun(set, "BRNPGInterp.rat", "PG Interpolated Rates", "brl",
           "rates of the guarantee period by issue age", 99,
           [&](int column, int classCode, int sex, int age) {
               const int levelYears = kOstrelLevelYears[static_cast<std::size_t>(column)];
               const int guarantee = terms[static_cast<std::size_t>(column)];
               const double first = level(column, classCode, sex, age);
               const double last = mortality.OneYearRate(classCode, sex, age + guarantee - 1);
               std::vector<double> rates(static_cast<std::size_t>(levelYears), first);
               for (int year = levelYears + 1; year <= guarantee; ++year) {
                   rates.push_back(
                       WholeCents(first + (last - first) * (year - levelYears) / (guarantee - levelYears)));
               }
               return rates;
           });
}

void AddOneYearFiles(SampleRateSet& set, const SampleMortality& mortality) {
    const RateType& type = *FindRateType("Brellan 1 Rates");
    const fs::path folder = "brellan1";
    const fs::path input = "brellan1.txt";
    set.files.push_back({"brellan1.rat", &type, {{}, {}, {}, folder, input, {}}, {}});
    for (int sex = 0; sex < 2; ++sex) {
        for (const int classCode : kOneYearClassOrder) {
            std::string text = std::string(kSampleNote) + "\r\n# one-year rates of policy years 1 to 11, " +
                               Describe(classCode, sex) + ", one line per issue age from 0 to 89\r\n";
            for (int age = 0; age < kOneYearAges; ++age) {
                for (int year = 0; year < 11; ++year) {
                    text +=
                        (year == 0 ? "" : ", ") + Number(mortality.OneYearRate(classCode, sex, age + year));
                }
                text += "\r\n";
            }
            set.tables.emplace_back(folder / Brellan1TableName(input, classCode, sex), text);
        }
    }
}

void AddSelectAndYrtFiles(SampleRateSet& set, const SampleMortality& mortality) {
    AddRun(
        set, "BRNsel.rat", "Select Rates", "Sel", "select rate by attained age", 99,
        [&](int, int classCode, int sex, int age) {
            return std::vector<double>{WholeCents(kSelectShare * mortality.OneYearRate(classCode, sex, age))};
        });
    for (const char* name : {"Jan07GuarYRT.rat", "Jan07WAGuarYRT.rat"}) {
        AddRun(set, name, "Guaranteed YRT Rates", "yrt", "guaranteed yearly-renewable rate by attained age",
               100, [&](int, int classCode, int sex, int age) {
                   return std::vector<double>{WholeCents(
                       kCentsPerThousand * mortality.DeathRate(classCode, sex, age) * kGuaranteedLoading)};
               });
    }
    AddRun(
        set, "yrt.rat", "Current YRT Rates", "wyrt",
        "waiver rate of the yearly-renewable years by attained age", 100,
        [&](int, int classCode, int sex, int age) {
            return std::vector<double>{WholeCents(kWaiverShare * mortality.OneYearRate(classCode, sex, age))};
        });
}

// No tool type builds the waiver files: they come from dump texts.
void AddWaiverFiles(SampleRateSet& set, const SampleMortality& mortality) {
    const RateLayout& layout = LayoutOf(RateLayoutKind::Waiver);
    std::string bytes;
    for (int age = 0; age < 100; ++age) {
        RateRecord record{static_cast<std::int16_t>(age), {}};
        const double level = WholeCents(mortality.LevelPremium(kStandardNonNicotine, 0, age, 10));
        for (int column = 0; column < kWaiverColumns; ++column) {
            record.values.push_back(WholeCents(kWaiverShare * level * (1 + 0.05 * column)));
        }
        bytes += EncodeRecord(layout, record);
    }
    for (const char* name : {"BRNwvr.rat", "QNBwvr.rat"}) {
        const fs::path dump = fs::path(name).stem().string() + ".txt";
        set.files.push_back({name, nullptr, {}, dump});
        set.tables.emplace_back(dump,
                                std::string(kSampleNote) +
                                    "\r\n# waiver rates of the level years by issue age (record = age + 1), "
                                    "rate columns 0 to 5\r\n" +
                                    DumpRates(layout, bytes, name));
    }
}

}  // namespace

double MakehamDeathRate(int age) {
    static const auto kRates = [] {
        const double c = std::pow(10.0, 0.04);
        std::array<double, kOldestAge + 1> rates{};
        for (int x = 0; x <= kOldestAge; ++x) {
            const double force = kMakehamA + kMakehamB * std::pow(c, x) * (c - 1) / std::log(c);
            rates[static_cast<std::size_t>(x)] = std::min(1.0, 1 - std::exp(-force));
        }
        return rates;
    }();
    return kRates[static_cast<std::size_t>(std::clamp(age, 0, kOldestAge))];
}

double MortalityFactor(int classCode, int sex) {
    return kClassFactors[static_cast<std::size_t>(classCode)] * (sex == 1 ? kFemaleFactor : 1.0);
}

double SampleMortality::DeathRate(int classCode, int sex, int age) const {
    return std::min(1.0, scale * MortalityFactor(classCode, sex) * MakehamDeathRate(age));
}

double SampleMortality::LevelPremium(int classCode, int sex, int issueAge, int years) const {
    double survival = 1, discount = 1, claims = 0, annuity = 0;
    for (int t = 0; t < years; ++t) {
        const double q = DeathRate(classCode, sex, issueAge + t);
        claims += discount * survival * q;
        annuity += discount * survival;
        survival *= 1 - q;
        discount /= 1 + kInterest;
    }
    return kCentsPerThousand * claims / annuity * kCurrentLoading;
}

double SampleMortality::OneYearRate(int classCode, int sex, int age) const {
    return WholeCents(kCentsPerThousand * DeathRate(classCode, sex, age) * kCurrentLoading);
}

SampleRateSet MakeSampleRates(const SampleMortality& mortality) {
    SampleRateSet set;
    AddBandedLevelFiles(set, mortality);
    AddOstrelFiles(set, mortality);
    AddOneYearFiles(set, mortality);
    AddSelectAndYrtFiles(set, mortality);
    AddWaiverFiles(set, mortality);
    return set;
}

std::string ManifestLine(const SampleRateFile& file, const fs::path& tables) {
    std::vector<std::string> fields{file.name};
    auto add = [&](const char* option, const std::string& value) {
        if (value.empty()) return;
        fields.push_back(option);
        fields.push_back(value);
    };
    if (!file.type) {
        add("--from-dump", (tables / file.dump).string());
    } else {
        const RateToolInputs& in = file.inputs;
        add("--type", std::to_string(file.type->index));
        add("--prefix", in.ratePrefix);
        add("--rate-type", in.rateType);
        add("--product-years", in.productYears);
        add("--input", (tables / in.inputFolder).string());
        add("--input-file", in.brellan1Input.string());
    }
    std::string line;
    for (const auto& field : fields) line += (line.empty() ? "" : "\t") + field;
    return line;
}

void WriteSampleRates(const SampleRateSet& set, const fs::path& tables) {
    for (const auto& [path, text] : set.tables) {
        fs::create_directories((tables / path).parent_path());
        WriteFileAtomically(tables / path, text);
    }
    std::string manifest;
    for (const auto& file : set.files) manifest += ManifestLine(file, tables) + "\n";
    WriteFileAtomically(tables / "manifest.txt", manifest);
}

}  // namespace quoravel
