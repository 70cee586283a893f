#include "LogFile.h"

#include "Cp1252.h"
#include "TextFile.h"

namespace quoravel {

IniFile OpenLogTarget(const std::string& folder, const std::string& fileName, const std::string& section,
                      const std::string& trueText, const std::string& falseText) {
    IniFile file;
    file.SetPathname(folder);
    file.SetFilename(fileName);
    file.SetSection(section);
    file.SetBooleanDefaultTrue(Value(trueText));
    file.SetBooleanDefaultFalse(Value(falseText));
    return file;
}

void WriteLogLines(const std::string& path, const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines) text += "\"" + line + "\"\r\n";
    // Replacing the old log in one step never leaves a half-written one.
    WriteFileAtomically(path, Utf8ToCp1252(text));
}

}  // namespace quoravel
