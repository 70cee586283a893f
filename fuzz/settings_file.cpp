// The settings-file reader and writer: a write changes the one key it names
// and every other key of the file reads back as it was.
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "FuzzSupport.h"
#include "IniFile.h"
#include "RuntimeError.h"

using namespace quoravel;

namespace {

using Values = std::map<std::pair<std::string, std::string>, std::string>;

IniFile Settings(const std::string& bytes) {
    IniFile ini;
    ini.SetFilename("fuzz.ini");
    ini.SetBooleanDefaultTrue(Value("True"));
    ini.SetBooleanDefaultFalse(Value("False"));
    ini.HoldInMemory(bytes);
    return ini;
}

// Every key of every section as the reader sees it, untrimmed (type 0 gives the raw value).
Values AllValues(IniFile& ini) {
    Values values;
    for (const auto& section : ini.Sections()) {
        if (section.empty()) continue;
        ini.SetSection(section);
        for (const auto& key : ini.Keys()) values[{section, key}] = ini.ReadINI(key, 0).Text();
    }
    return values;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    // The first byte picks the key written: an existing key of an existing
    // section, or a new key, or a new section.
    const std::uint8_t choice = data[0];
    const std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    try {
        IniFile before = Settings(bytes);
        const Values old = AllValues(before);

        std::vector<std::pair<std::string, std::string>> keys;
        for (const auto& [name, value] : old) keys.push_back(name);
        std::pair<std::string, std::string> written{"FuzzSection", "FuzzKey"};
        if (!keys.empty() && choice % 4 != 0) {
            written = keys[choice % keys.size()];
            if (choice % 4 == 1) written.second = "FuzzKey";
        }
        const std::string value = "written value " + std::to_string(choice);

        IniFile writer = Settings(bytes);
        writer.SetSection(written.first);
        writer.WriteINI(written.second, Value(value), IniFile::Text);
        const std::string text = writer.InMemoryText();

        IniFile after = Settings(text);
        after.SetSection(written.first);
        fuzz::Require(after.ReadINI(written.second, 0).Text() == value,
                      "[" + written.first + "] " + written.second + " does not read back as written");
        for (const auto& [name, oldValue] : old) {
            if (name.first == written.first && name.second == written.second) continue;
            after.SetSection(name.first);
            const std::string now = after.ReadINI(name.second, 0).Text();
            fuzz::Require(now == oldValue, "writing [" + written.first + "] " + written.second +
                                               " changed [" + name.first + "] " + name.second + " from \"" +
                                               fuzz::Shown(oldValue) + "\" to \"" + fuzz::Shown(now) + "\"");
        }
    } catch (const RuntimeError&) {
        // A settings file the reader refuses is no fault.
    }
    return 0;
}
