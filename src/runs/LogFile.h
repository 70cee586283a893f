#pragma once

#include <string>
#include <vector>

#include "IniFile.h"

namespace quoravel {

// The relay answer or update file a log writes its keys into.
IniFile OpenLogTarget(const std::string& folder, const std::string& fileName, const std::string& section,
                      const std::string& trueText, const std::string& falseText);

// Replaces a plain log (Error.log, Update.log, PDF.log): one line per entry,
// each enclosed in double quotes, Windows-1252, CR LF.
void WriteLogLines(const std::string& path, const std::vector<std::string>& lines);

}  // namespace quoravel
