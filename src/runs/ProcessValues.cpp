#include "ProcessValues.h"

#include <new>

#include "RuntimeError.h"
#include "Text.h"
#include "TextFile.h"

namespace quoravel {

std::int32_t ErrorNumberOf(const std::exception& error) {
    if (auto* runtime = dynamic_cast<const RuntimeError*>(&error)) return runtime->Number();
    if (dynamic_cast<const std::bad_alloc*>(&error)) return ErrorNumber::OutOfMemory;
    return ErrorNumber::InternalError;
}

std::string ErrorMessageTitle(const std::string& moduleName, const std::string& routineName) {
    return moduleName + ": " + routineName;
}

std::string ErrorMessageText(std::int32_t number, std::int16_t severity, const std::string& description) {
    const std::string type = severity == LoggedError::Warning ? "Warning" : "Error";
    return "Number:" + std::to_string(number) + "\n\nSeverity:" + type + "\n\nDescription:" + description;
}

void ProcessValues::ProcessError(ErrorLog& log, std::int32_t number, std::int16_t severity,
                                 const std::string& description, const std::string& moduleName,
                                 const std::string& routineName) const {
    try {
        if (!RelayMode && Messages) {
            Messages->CriticalError(ErrorMessageTitle(moduleName, routineName),
                                    ErrorMessageText(number, severity, description));
            return;
        }
        log.Add(severity, description, number, moduleName, routineName);
    } catch (const std::exception& inner) {
        log.Add(LoggedError::ErrorWithPlace, inner.what(), ErrorNumberOf(inner), "modGlobalProcedures",
                "ProcessError");
    }
}

void ProcessValues::ProcessError(ErrorLog& log, const std::exception& error, std::int16_t severity,
                                 const std::string& moduleName, const std::string& routineName) const {
    ProcessError(log, ErrorNumberOf(error), severity, error.what(), moduleName, routineName);
}

void ProcessValues::SetStartDirectory(const std::vector<std::string>& arguments) {
    if (arguments.empty() || arguments.front().empty()) {
        StartDirectory = ProgramFolder;
        return;
    }
    std::string folder = arguments.front();
    // Only a trailing separator is dropped: any other last character belongs
    // to the folder's name.
    if (folder.size() > 1 && IsPathSeparator(folder.back())) folder.pop_back();
    StartDirectory = folder;
}

std::string MakeVersionText(int major, int minor, bool relayMode) {
    return "V" + std::to_string(major) + "." + std::to_string(minor) + (relayMode ? "w" : "");
}

}  // namespace quoravel
