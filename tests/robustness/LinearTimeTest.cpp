// An input must cost time in proportion to its length: a stray text file
// opened as a case file, a relay.ini full of noise, a settings file of a
// million keys or of one endless line must not hang the program. Each reader
// is timed on 1, 2, 4 and 8 times an input and judged by the ratio.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "BrokerFile.h"
#include "CaseFile.h"
#include "IniFile.h"
#include "ProposalRun.h"
#include "RelayExchange.h"
#include "RuntimeError.h"
#include "TestSupport.h"
#include "VsvFile.h"

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

// The best of three timed reads, in seconds (a read shorter than a
// millisecond counts as one, below which the clock measures noise).
double Seconds(const std::function<void()>& read) {
    double best = 1e9;
    for (int run = 0; run < 3; ++run) {
        const auto start = std::chrono::steady_clock::now();
        try {
            read();
        } catch (const RuntimeError&) {
            // Refusing the input is a fine answer; only its cost is measured here.
        }
        best =
            std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    return std::max(best, 0.001);
}

// Eight times the input may take at most twenty times as long: linear with
// room for a loaded machine; square growth takes sixty-four times. Judged
// by the ratio between sizes, never by a time.
void ExpectLinear(const std::string& name, const std::function<std::function<void()>(int size)>& input) {
    std::vector<double> seconds;
    for (const int size : {1, 2, 4, 8}) seconds.push_back(Seconds(input(size)));
    EXPECT_LE(seconds.back(), 20 * seconds.front())
        << name << ": " << seconds[0] << ", " << seconds[1] << ", " << seconds[2] << ", " << seconds[3]
        << " s for 1, 2, 4 and 8 times the input";
}

// Settings text of about `megabytes` MB: distinct keys one a line, or one line.
std::string ManyKeys(int megabytes) {
    std::string text = "[Identifiers]\r\n";
    for (int key = 0; text.size() < static_cast<std::size_t>(megabytes) << 20; ++key)
        text += "Key" + std::to_string(key) + "=value\r\n";
    return text;
}
std::string OneLine(int megabytes) {
    return "[Identifiers]\r\nInsured.Name=" + std::string(static_cast<std::size_t>(megabytes) << 20, 'x') +
           "\r\n";
}

}  // namespace

TEST(LinearTime, EveryReaderTakesTimeInProportionToTheGarbageItIsGiven) {
    const std::vector<Reader> readers{
        {"settings file", "Quoravel.ini", "[Options]\r\n",
         [](const TempFolder& folder, const std::string& file) {
             IniFile ini;
             ini.SetPathname(folder.folder());
             ini.SetFilename(file);
             ini.SetSection("Options");
             ini.ReadINI("Missing", IniFile::Text);
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
        std::vector<std::unique_ptr<TempFolder>> folders;
        ExpectLinear(reader.name, [&](int size) {
            folders.push_back(std::make_unique<TempFolder>());
            folders.back()->Write(reader.file, reader.header + Garbage(10000 * size));
            return [&reader, folder = folders.back().get()] { reader.read(*folder, reader.file); };
        });
    }
}

// A settings file of many keys or of one long line is listed and read in
// time with its size, and so is a relay answer whose stamp carries it.
TEST(LinearTime, SettingsTextAndTheAnswerGrowWithTheirSize) {
    for (const auto& [name, make] : std::initializer_list<std::pair<const char*, std::string (*)(int)>>{
             {"many keys", ManyKeys}, {"one line", OneLine}}) {
        ExpectLinear(std::string("settings reader, ") + name, [make = make](int size) {
            return [text = make(size)] {
                IniFile ini;
                ini.SetFilename("relay.ini");
                ini.SetSection("Identifiers");
                ini.HoldInMemory(text);
                ini.ReadINI("Insured.Name", IniFile::Text);
                ini.Sections();
                ini.Keys();
            };
        });
        TempFolder folder;
        ExpectLinear(std::string("relay answer, ") + name, [&folder, make = make](int size) {
            return [&folder, text = make(size)] {
                ProcessValues process;
                ProposalRun run(process, folder.folder());
                run.Answer.ExportedPages = 1;
                run.Stamp = ProposalStamp{
                    "V1.0w", "408f37a8aa5b", "2026-12-07", ProposalStamp::CaseKind::Relay, text, {}};
                WriteRelayAnswer(run);
            };
        });
    }
}
