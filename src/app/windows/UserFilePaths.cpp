#include "UserFilePaths.h"

#include <filesystem>
#include <optional>

#include "TextFile.h"
#include "UserCopy.h"

namespace fs = std::filesystem;

namespace quoravel {
namespace {

bool SameFolder(const fs::path& folder, const std::string& other) {
    return !other.empty() && fs::path(WithTrailingSeparator(folder.string())).lexically_normal() ==
                                 fs::path(WithTrailingSeparator(other)).lexically_normal();
}

std::optional<UserCopy> UserCopyOf(const ProcessValues& process, const std::string& path) {
    const fs::path file(path);
    if (file.has_parent_path() && !SameFolder(file.parent_path(), process.UserFolder) &&
        !SameFolder(file.parent_path(), process.ProgramFolder)) {
        return std::nullopt;
    }
    return UserCopy(process.UserFolder, process.ProgramFolder, file.filename().string());
}

}  // namespace

std::string KeptPath(const ProcessValues& process, const std::string& path) {
    if (!UserCopyOf(process, path)) return path;
    const std::string& folder = process.UserFolder.empty() ? process.ProgramFolder : process.UserFolder;
    return (fs::path(folder) / fs::path(path).filename()).string();
}

std::string ReadPathOf(const ProcessValues& process, const std::string& path) {
    const auto copy = UserCopyOf(process, path);
    return copy ? copy->ReadPath() : path;
}

std::string WritePathOf(const ProcessValues& process, const std::string& path) {
    const auto copy = UserCopyOf(process, path);
    return copy ? copy->WritePath(false) : path;
}

std::string FreeNameBeside(const std::string& path, const std::string& suffix) {
    std::string name = path + suffix;
    for (int number = 2; FileExists(name); ++number) name = path + suffix + std::to_string(number);
    return name;
}

}  // namespace quoravel
