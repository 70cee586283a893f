// A file that is not what its reader expects must cost time in proportion to
// its length: a stray text file opened as a case file, or a relay.ini full
// of noise, must not hang the program. Ten times the lines may take at most
// twenty times as long (linear with room for noise; square growth gives a
// hundred times).
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "BrokerFile.h"
#include "CaseFile.h"
#include "ProposalRun.h"
#include "RelayExchange.h"
#include "RuntimeError.h"
#include "TestSupport.h"
#include "VsvFile.h"
#include "clsINIFile.h"

using namespace quoravel;

namespace {

// Lines of printable noise with the characters the readers look for (quotes,
// "=", "#", brackets, commas), the same for every run.
std::string Garbage(int lines) {
    static const std::string kCharacters = "abcXYZ019 \t\"=#[],;.-";
    std::uint32_t state = 12345;
    std::string text;
    text.reserve(static_cast<std::size_t>(lines) * 30);
    for (int line = 0; line < lines; ++line) {
        state = state * 1664525u + 1013904223u;
        const int length = 10 + static_cast<int>(state >> 27);
        for (int i = 0; i < length; ++i) {
            state = state * 1664525u + 1013904223u;
            text += kCharacters[(state >> 16) % kCharacters.size()];
        }
        text += "\r\n";
    }
    return text;
}

struct Reader {
    const char* name;
    const char* file;
    std::string header;  // what a real file starts with, so the reader goes past it
    std::function<void(const TempFolder&, const std::string& file)> read;
};

// One timed read, in seconds; a read shorter than a millisecond counts as
// one, below which the clock measures noise.
double Seconds(const Reader& reader, const TempFolder& folder) {
    const auto start = std::chrono::steady_clock::now();
    try {
        reader.read(folder, reader.file);
    } catch (const RuntimeError&) {
        // Refusing the file is a fine answer; only its cost is measured here.
    }
    return std::max(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(), 0.001);
}

}  // namespace

TEST(LinearTime, EveryReaderTakesTimeInProportionToTheGarbageItIsGiven) {
    const std::vector<Reader> readers{
        {"settings file", "Quoravel.ini", "[Options]\r\n",
         [](const TempFolder& folder, const std::string& file) {
             clsINIFile ini;
             ini.SetPathname(folder.folder());
             ini.SetFilename(file);
             ini.SetSection("Options");
             ini.ReadINI("Missing", clsINIFile::Text);
             ini.Sections();
             ini.Keys();
         }},
        {"case file", "cases.clt", "\"v1.0.01\"\r\n",
         [](const TempFolder& folder, const std::string& file) { ReadCaseFile(folder.path() / file); }},
        {"broker file", "brokers.ini", "\"Broker\"\r\n",
         [](const TempFolder& folder, const std::string& file) { ReadBrokerFile(folder.path() / file); }},
        {"relay.ini", "relay.ini", "[Identifiers]\r\n",
         [](const TempFolder& folder, const std::string& file) {
             ProcessValues process;
             process.RelayMode = true;
             ProposalRun run(process, folder.folder());
             ReadRelayFile(folder.folder(), file, run);
         }},
        {"page file", "page1.vsv", "",
         [](const TempFolder& folder, const std::string& file) { LoadVsv((folder.path() / file).string()); }},
    };
    for (const auto& reader : readers) {
        TempFolder small;
        TempFolder large;
        small.Write(reader.file, reader.header + Garbage(10000));
        large.Write(reader.file, reader.header + Garbage(100000));
        // The small file's best of three; the large one is read again only
        // when it looks too slow, so a busy machine gets a second chance.
        const double smallSeconds =
            std::min({Seconds(reader, small), Seconds(reader, small), Seconds(reader, small)});
        double largeSeconds = Seconds(reader, large);
        if (largeSeconds > 20 * smallSeconds) largeSeconds = std::min(largeSeconds, Seconds(reader, large));
        EXPECT_LE(largeSeconds, 20 * smallSeconds) << reader.name << ": 10,000 lines " << smallSeconds
                                                   << " s, 100,000 lines " << largeSeconds << " s";
    }
}
