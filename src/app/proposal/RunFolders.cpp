#include "RunFolders.h"

#include <ctime>
#include <filesystem>
#include <random>

#include "RuntimeError.h"
#include "TextFile.h"

namespace fs = std::filesystem;

namespace quoravel {
namespace {

constexpr const char* kPrefix = "run-";

std::string Stamp() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &local);
    return text;
}

}  // namespace

std::string MakeRunFolder(const std::string& runsFolder) {
    std::error_code failed;
    fs::create_directories(runsFolder, failed);
    if (!failed) {
        std::random_device source;
        const std::string letters = "abcdefghijklmnopqrstuvwxyz0123456789";
        std::uniform_int_distribution<std::size_t> pick(0, letters.size() - 1);
        // A name another window took a moment ago is drawn again.
        for (int attempt = 0; attempt < 100; ++attempt) {
            std::string name = kPrefix + Stamp() + "-";
            for (int letter = 0; letter < 6; ++letter) name += letters[pick(source)];
            const fs::path folder = fs::path(runsFolder) / name;
            if (fs::create_directory(folder, failed)) return WithTrailingSeparator(folder.string());
            if (failed) break;
        }
    }
    throw RuntimeError(ErrorNumber::PathFileAccessError, "MakeRunFolder",
                       "No folder for the proposal's files could be made in " + runsFolder +
                           (failed ? ": " + failed.message() + "." : "."));
}

void RemoveOldRunFolders(const std::string& runsFolder, std::chrono::hours age) {
    const auto oldest = fs::file_time_type::clock::now() - age;
    std::error_code ec;
    for (fs::directory_iterator it(runsFolder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code entry;
        if (!it->path().filename().string().starts_with(kPrefix) || !it->is_directory(entry)) continue;
        if (it->last_write_time(entry) < oldest && !entry) fs::remove_all(it->path(), entry);
    }
}

}  // namespace quoravel
