#include "ErrorLog.h"

#include "LogFile.h"
#include "TextFile.h"

namespace quoravel {

LoggedError& ErrorLog::Add(std::int32_t severity, std::string description, std::int32_t number,
                           std::string moduleName, std::string routineName) {
    LoggedError entry;
    entry.Severity = static_cast<std::int16_t>(severity);
    entry.Description = std::move(description);
    entry.Number = number;
    entry.ModuleName = std::move(moduleName);
    entry.RoutineName = std::move(routineName);
    return Collection::Add(std::move(entry));
}

std::string ErrorLog::GetSeverity() const {
    bool warning = false;
    for (const auto& e : *this) {
        if (e->Severity == LoggedError::Error || e->Severity == LoggedError::ErrorWithPlace) return "Error";
        if (e->Severity == LoggedError::Warning) warning = true;
    }
    return warning ? "Warning" : "";
}

int ErrorLog::Status() const {
    for (const auto& e : *this) {
        if (e->Severity == LoggedError::Error) return 4;
        if (e->Severity == LoggedError::ErrorWithPlace) return 1;
    }
    return 0;
}

void ErrorLog::AnswerInto(IniFile& answer) const {
    answer.SetSection("Engine");
    const int status = Status();
    answer.WriteINI("Status", Value(status), IniFile::Number);

    const std::string separator(kMessageSeparator);
    long i = 0;
    for (const auto& e : *this) {
        ++i;
        std::string message;
        if (status == 0) {
            message = "Warning" + separator + e->Description;
        } else if (e->Severity == LoggedError::Warning || e->Severity == LoggedError::Error) {
            message = "Error" + separator + e->Description;
        } else if (e->Severity == LoggedError::ErrorWithPlace) {
            message = "Error" + separator + e->Description + " | " + e->ModuleName + " | " + e->RoutineName;
        }
        if (!message.empty()) answer.WriteINI("Message_" + std::to_string(i), Value(message), IniFile::Text);
    }
}

void ErrorLog::WriteErrorLog(const std::string& folder) const {
    if (Count() == 0) return;
    std::vector<std::string> lines;
    for (const auto& e : *this) {
        lines.push_back(std::to_string(static_cast<std::uint32_t>(e->Number) & 0xFFFFu) + "|" +
                        std::to_string(e->Severity) + "|" + e->Description + "|" + e->ModuleName + "|" +
                        e->RoutineName);
    }
    WriteLogLines(WithTrailingSeparator(folder) + "Error.log", lines);
}

}  // namespace quoravel
