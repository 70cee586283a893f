// An input must cost time in proportion to its length: a stray text file
// opened as a case file, a relay.ini full of noise, a settings file of a
// million keys or of one endless line must not hang the program. Each reader
// is timed on 1, 2, 4 and 8 times an input and judged by the ratio.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "BrokerFile.h"
#include "CaseFile.h"
#include "IniFile.h"
#include "ProposalRun.h"
#include "RelayExchange.h"
#include "RuntimeError.h"
#include "TestSupport.h"
#include "TextFile.h"
#include "VsvFile.h"

using namespace quoravel;

namespace {

// Lines of printable noise with the characters the readers look for (quotes,
// "=", "#", brackets, commas), the same for every run.
std::string Garbage(int lines) {
    static const std::string kCharacters = "abcXYZ019 \t\"=#[],;.-";
    std::mt19937 random(12345);
    std::string text;
    for (int line = 0; line < lines; ++line) {
        for (auto length = 10 + random() % 32; length > 0; --length)
            text += kCharacters[random() % kCharacters.size()];
        text += "\r\n";
    }
    return text;
}

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

// Garbage after what a real file starts with, so that the reader goes past it.
std::function<std::string(int)> GarbageAfter(const std::string& header) {
    return [header](int size) { return header + Garbage(10000 * size); };
}

// A settings file read for a key, its sections listed and the keys of one.
void ReadSettings(const std::filesystem::path& file) {
    IniFile ini;
    ini.SetPathname(file.parent_path().string());
    ini.SetFilename(file.filename().string());
    ini.SetSection("Identifiers");
    ini.ReadINI("Insured.Name", IniFile::Text);
    ini.Sections();
    ini.Keys();
}

// A relay answer written beside the file, its stamp carrying the file's text.
void AnswerStamped(const std::filesystem::path& file) {
    ProcessValues process;
    ProposalRun run(process, file.parent_path().string() + "/");
    run.Answer.ExportedPages = 1;
    run.Stamp = ProposalStamp{
        "V1.0w", "408f37a8aa5b", "2026-12-07", ProposalStamp::CaseKind::Relay, *ReadFileBytes(file), {}};
    WriteRelayAnswer(run);
}

}  // namespace

TEST(LinearTime, EveryReaderTakesTimeInProportionToItsInput) {
    const struct {
        const char* name;
        std::function<std::string(int size)> input;
        std::function<void(const std::filesystem::path&)> read;
    } readers[] = {
        {"Quoravel.ini", GarbageAfter("[Identifiers]\r\n"), ReadSettings},
        {"keys.ini", ManyKeys, ReadSettings},  // keys one a line
        {"line.ini", OneLine, ReadSettings},   // one line
        {"cases.clt", GarbageAfter("\"v1.0.01\"\r\n"), [](const auto& file) { ReadCaseFile(file); }},
        {"brokers.ini", GarbageAfter("\"Broker\"\r\n"), [](const auto& file) { ReadBrokerFile(file); }},
        {"relay.ini", GarbageAfter("[Identifiers]\r\n"),
         [](const auto& file) {
             ProcessValues process;
             process.RelayMode = true;
             const std::string folder = file.parent_path().string() + "/";
             ProposalRun run(process, folder);
             ReadRelayFile(folder, "relay.ini", run);
         }},
        {"page1.vsv", GarbageAfter(""), [](const auto& file) { LoadVsv(file.string()); }},
        {"stamp of keys.ini", ManyKeys, AnswerStamped},  // a relay answer, its stamp of many keys
        {"stamp of line.ini", OneLine, AnswerStamped},   // or of one long line
    };
    for (const auto& reader : readers) {
        std::vector<std::unique_ptr<TempFolder>> folders;
        ExpectLinear(reader.name, [&](int size) {
            folders.push_back(std::make_unique<TempFolder>());
            return [&reader, file = folders.back()->Write(reader.name, reader.input(size))] {
                reader.read(file);
            };
        });
    }
}
