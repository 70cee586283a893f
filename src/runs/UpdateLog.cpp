#include "UpdateLog.h"

#include "LogFile.h"

namespace quoravel {

LoggedUpdate& UpdateLog::Add(std::string key, Value newValue, std::int32_t dataType) {
    return Collection::Add(LoggedUpdate{std::move(key), std::move(newValue), dataType});
}

std::string LoggedUpdate::RelayText() const {
    if (DataType == IniFile::Boolean) return NewValue.Bool() ? "Y" : "N";
    return NewValue.Text();
}

void UpdateLog::Log(const std::string& path, const std::string& fileName) const {
    if (Count() == 0) return;
    IniFile updates = OpenLogTarget(path, fileName, "Identifiers", "Y", "N");
    updates.HoldInMemory();
    std::vector<std::string> lines;
    for (const auto& u : *this) {
        updates.WriteINI(u->Key, u->NewValue, u->DataType);
        lines.push_back(u->Key + "|" + u->NewValue.Text() + "|" + std::to_string(u->DataType));
    }
    updates.Commit();
    WriteLogLines(updates.Pathname() + "Update.log", lines);
}

}  // namespace quoravel
