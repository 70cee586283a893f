#include "ProgramFolder.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "TextFile.h"

namespace fs = std::filesystem;

namespace quoravel {

std::string ResolveProgramFolder(const char* argv0) {
    if (const char* home = std::getenv("QUORAVEL_HOME"); home && *home) return WithTrailingSeparator(home);
    std::error_code ec;
    fs::path executable = fs::read_symlink("/proc/self/exe", ec);
    if (ec && argv0) executable = fs::absolute(argv0, ec);
    return WithTrailingSeparator(executable.parent_path().string());
}

}  // namespace quoravel
