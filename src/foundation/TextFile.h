#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quoravel {

#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

bool IsPathSeparator(char c);
// The folder with exactly the one separator the system's paths expect at the end.
std::string WithTrailingSeparator(std::string folder);

// File names are matched without regard to case inside a folder, as on the
// platform the case files come from: an existing file is found whatever its
// case; a name that matches nothing comes back unchanged.
std::filesystem::path ResolveFileName(const std::filesystem::path& path);
bool FileExists(const std::filesystem::path& path);

// The whole file's bytes, or nothing when the file does not exist. A file that
// exists but cannot be read raises a RuntimeError naming it.
std::optional<std::string> ReadFileBytes(const std::filesystem::path& path);

// Writes a temporary file in the same folder and renames it over the old one,
// so a failed write (full disk, crash) never loses the previous file. An
// existing file is replaced under its own spelling; a device or a pipe is
// written into as it is. Raises a RuntimeError that names the file when it
// cannot be written.
//
// When the new file must be on the disk: before it takes the old one's
// place (a file the user keeps), or with the rest of its proposal run, whose
// answer puts every file of the run on the disk at once (SyncFolder) before
// it is written itself.
enum class Durability { Now, WithTheRun };
void WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes,
                         Durability durability = Durability::Now);
// Puts every file written in the folder's file system on the disk, and the
// folder's own entries.
void SyncFolder(const std::filesystem::path& folder);
// Writes all of `bytes` to an open file or pipe, going on after an
// interrupted write; false when the rest cannot be written.
bool WriteAll(int file, std::string_view bytes);
// The same under exactly this spelling; a file of the same name in another
// letter case ("Relay.out" beside "relay.out") is removed afterwards, so the
// folder holds the one file.
void ReplaceFileExactly(const std::filesystem::path& path, std::string_view bytes);

// Splits text at CR LF or LF; a last line without a line end counts too.
std::vector<std::string_view> SplitLines(std::string_view text);

}  // namespace quoravel
