#include "clsUpdates.h"

#include "LogFile.h"

namespace quoravel {

clsUpdate& clsUpdates::Add(std::string key, Value newValue, std::int32_t dataType) {
    return Collection::Add(clsUpdate{std::move(key), std::move(newValue), dataType});
}

std::string clsUpdate::RelayText() const {
    if (DataType == clsINIFile::Boolean) return NewValue.Bool() ? "Y" : "N";
    return NewValue.Text();
}

void clsUpdates::Log(const std::string& path, const std::string& fileName) const {
    if (Count() == 0) return;
    clsINIFile updates = OpenLogTarget(path, fileName, "Identifiers", "Y", "N");
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
