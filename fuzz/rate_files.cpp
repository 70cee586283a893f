// The rate-file readers on a damaged rate file: one of the program folder's
// rate files is replaced by the input, and every case that reads that file
// is priced from it. A damaged file may refuse the case with a message; a
// case priced without one has every premium a finite amount of 0 or more.
//
// The input is a damage done to one file:
//   byte 0  the rate file (of the program folder's, in name order)
//   byte 1  the class (mod 9) and sex of the case priced
//   byte 2  the issue age asked for (the product's ages permitting)
//   byte 3  what is done: 0 the rest written over the file at the offset,
//           1 the file cut at the offset and the rest appended, 2 the rest
//           is the whole file
//   bytes 4-6  the offset, little-endian (modulo the file's length + 1)
//   the rest   the bytes written
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzSupport.h"
#include "PremiumEngine.h"
#include "ProductCatalogue.h"
#include "ProductLookups.h"

using namespace quoravel;
namespace fs = std::filesystem;

namespace {

// One priced combination: a product with its carrier in a state, on a rate
// scale and in a face band.
struct Probe {
    std::int32_t product;
    std::int32_t company;
    std::string state;
    bool prior;
    std::int32_t face;
};

// A program folder of this process: links to the real files, so one of them
// can be swapped for the input and back.
struct ProgramFolder {
    fs::path folder = fuzz::ScratchFolder() / "program";
    std::vector<std::string> rateFiles;
    std::vector<Probe> probes;
    std::map<std::string, std::vector<Probe>> readers;  // the probes that read each rate file
    std::map<std::string, std::string> originals;       // the bytes of each file, read once

    const std::string& Original(const std::string& name) {
        auto found = originals.find(name);
        if (found != originals.end()) return found->second;
        return originals[name] = fuzz::ReadScratch(fs::path(QUORAVEL_PROGRAM_DIR) / name);
    }

    ProgramFolder() {
        fs::create_directories(folder);
        for (const auto& entry : fs::directory_iterator(QUORAVEL_PROGRAM_DIR)) {
            const fs::path link = folder / entry.path().filename();
            if (!fs::exists(fs::symlink_status(link))) fs::create_symlink(entry.path(), link);
            if (entry.path().extension() == ".rat") rateFiles.push_back(entry.path().filename().string());
        }
        std::sort(rateFiles.begin(), rateFiles.end());
        const std::int32_t faces[] = {50000, 150000, 500000, 2000000, 6000000};
        for (std::int32_t product = 1; product < 50; ++product) {
            if (!IsIllustrated(product)) continue;
            const ProductOffer& offer = OfferOf(product);
            const std::int32_t company = offer.carriers == kSoldByQNB    ? 1
                                         : offer.carriers == kSoldByTVNY ? 2
                                                                         : 0;
            const bool banded = offer.rates == RateSource::Banded5 || offer.rates == RateSource::Banded3;
            const std::vector<std::string> states = company == 1 ? std::vector<std::string>{"NY", "NJ"}
                                                                 : std::vector<std::string>{"TX", "WA", "MS"};
            for (const auto& state : states)
                for (const bool prior : {false, true})
                    for (const std::int32_t face : faces) {
                        if ((prior || face != faces[0]) && !banded) continue;
                        probes.push_back({product, company, state, prior, face});
                    }
        }
    }

    // A client of the probe at the age and class asked for when the product
    // issues there, else at the product's youngest age of the first class.
    static bool Client(const Probe& probe, int classCode, int sex, int age, ClientCase& client) {
        auto min = MinIssueAge(probe.product, probe.state, classCode);
        auto max = MaxIssueAge(probe.product, probe.state, classCode, sex == 0, probe.prior);
        if (!min || !max) {
            classCode = 1;
            sex = 0;
            min = MinIssueAge(probe.product, probe.state, classCode);
            max = MaxIssueAge(probe.product, probe.state, classCode, true, probe.prior);
            if (!min || !max) return false;
        }
        client.SetState(probe.state);
        client.SetIsMale(sex == 0);
        client.SetClassification(classCode);
        client.SetTableRating("None");
        client.SetAge(static_cast<std::int16_t>(std::clamp(age, *min, std::min(*max, 100))));
        client.Proposal().SetCompany(probe.company);
        client.Proposal().AddProduct(probe.product);
        client.Proposal().AddFaceAmount(probe.face, probe.state);
        if (OfferOf(probe.product).waiver) client.SetWaiver(true);
        return true;
    }

    // Prices the probe; false when the run reported a problem.
    bool Price(const Probe& probe, int classCode, int sex, int age, bool check) const {
        ProcessValues process;
        process.ProgramFolder = folder.string() + "/";
        ProposalRun run(process, process.ProgramFolder);
        run.UsePriorRates = probe.prior;
        RateContext context{process.ProgramFolder, run};
        ClientCase client;
        if (!Client(probe, classCode, sex, age, client)) return true;
        const auto schedule = ComputePremiumSchedule(context, client, probe.product, 0);
        if (run.Errors.Count() != 0) return false;
        for (const auto& year : schedule.years) {
            const double total = year.Total();
            if (check)
                fuzz::Require(std::isfinite(total) && total >= 0,
                              "product " + std::to_string(probe.product) + " in " + probe.state +
                                  " priced at " + std::to_string(total) + " with no message");
        }
        return true;
    }

    // The probes that read a file are those that fail without it (found once per file).
    const std::vector<Probe>& ReadersOf(const std::string& name) {
        auto found = readers.find(name);
        if (found != readers.end()) return found->second;
        const fs::path link = folder / name;
        const fs::path target = fs::read_symlink(link);
        fs::remove(link);
        std::vector<Probe> reading;
        for (const auto& probe : probes) {
            bool reads = true;
            try {
                reads = !Price(probe, 1, 0, 45, false);
            } catch (const std::exception&) {
            }
            if (reads) reading.push_back(probe);
        }
        fs::create_symlink(target, link);
        return readers[name] = std::move(reading);
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static ProgramFolder program;
    if (size < 7 || program.rateFiles.empty()) return 0;
    const std::string& name = program.rateFiles[data[0] % program.rateFiles.size()];
    const int classCode = data[1] % 9;
    const int sex = (data[1] / 9) % 2;
    const int age = data[2] % 101;
    const auto& reading = program.ReadersOf(name);

    const fs::path link = program.folder / name;
    const fs::path target = fs::read_symlink(link);
    std::string bytes = program.Original(name);
    const std::size_t offset = (data[4] | data[5] << 8 | data[6] << 16) % (bytes.size() + 1);
    const std::string_view patch(reinterpret_cast<const char*>(data) + 7, size - 7);
    switch (data[3] % 3) {
        case 0:
            bytes.resize(std::max(bytes.size(), offset + patch.size()));
            bytes.replace(offset, patch.size(), patch);
            break;
        case 1:
            bytes = bytes.substr(0, offset) + std::string(patch);
            break;
        default:
            bytes = patch;
    }
    fs::remove(link);
    fuzz::WriteFile(link, bytes);
    for (const auto& probe : reading) {
        try {
            program.Price(probe, classCode, sex, age, true);
        } catch (const std::exception&) {
            // A run-time error ends the proposal with its message in the answer: no fault.
        }
    }
    fs::remove(link);
    fs::create_symlink(target, link);
    return 0;
}
