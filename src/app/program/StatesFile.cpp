#include "StatesFile.h"

#include <array>

#include "IniFile.h"
#include "Text.h"

namespace quoravel {
namespace {

IniFile StatesIni(const std::string& programFolder) {
    IniFile ini;
    ini.SetPathname(programFolder);
    ini.SetFilename("states.ini");
    return ini;
}

// By company index: 0 BRN, 1 QNB, 2 TVNY.
constexpr std::array<DefaultStateSetting, 3> kDefaultStates{{
    {"DefaultStateBRN", "AL"},
    {"DefaultStateQNB", "NY"},
    {"DefaultStateTVNY", "AL"},
}};

}  // namespace

std::vector<std::string> StatesOf(const std::string& programFolder, const std::string& companyCode) {
    IniFile ini = StatesIni(programFolder);
    ini.HoldInMemory();
    std::vector<std::string> states;
    for (const std::string& section : ini.Sections()) {
        if (!companyCode.empty()) {
            ini.SetSection(section);
            if (!EqualNoCase(ini.ReadINI(companyCode, IniFile::Text).Text(), "yes")) continue;
        }
        states.push_back(section);
    }
    return states;
}

std::string StateFullName(const std::string& programFolder, const std::string& state) {
    if (Trim(state).empty()) return "";
    IniFile ini = StatesIni(programFolder);
    ini.SetSection(state);
    return ini.ReadINI("FullName", IniFile::Text).Text();
}

DefaultStateSetting DefaultStateOf(std::int32_t company) {
    return company >= 0 && company < static_cast<std::int32_t>(kDefaultStates.size())
               ? kDefaultStates[company]
               : kDefaultStates[0];
}

}  // namespace quoravel
