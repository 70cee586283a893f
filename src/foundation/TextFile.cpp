#include "TextFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <random>
#include <system_error>

#include "RuntimeError.h"
#include "Text.h"

namespace fs = std::filesystem;

namespace quoravel {
namespace {

std::string TemporaryName(const fs::path& target) {
    static thread_local std::mt19937_64 random{std::random_device{}()};
    return "." + target.filename().string() + ".tmp" + std::to_string(random() % 1000000000);
}

}  // namespace

bool IsPathSeparator(char c) {
#ifdef _WIN32
    return c == '\\' || c == '/';
#else
    return c == '/';
#endif
}

std::string WithTrailingSeparator(std::string folder) {
    if (folder.empty() || !IsPathSeparator(folder.back())) folder += kPathSeparator;
    return folder;
}

fs::path ResolveFileName(const fs::path& path) {
    std::error_code ec;
    if (fs::exists(path, ec)) return path;
    const fs::path folder = path.has_parent_path() ? path.parent_path() : fs::path(".");
    const std::string wanted = path.filename().string();
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        if (EqualNoCase(it->path().filename().string(), wanted)) {
            return path.has_parent_path() ? folder / it->path().filename() : it->path().filename();
        }
    }
    return path;
}

bool FileExists(const fs::path& path) {
    std::error_code ec;
    return fs::is_regular_file(ResolveFileName(path), ec);
}

std::optional<std::string> ReadFileBytes(const fs::path& path) {
    const fs::path actual = ResolveFileName(path);
    std::error_code ec;
    if (!fs::exists(actual, ec)) return std::nullopt;
    std::ifstream in(actual, std::ios::binary);
    if (!in || fs::is_directory(actual, ec)) {
        throw RuntimeError(ErrorNumber::PathFileAccessError, "File",
                           "The file " + actual.string() + " cannot be read.");
    }
    std::string bytes;
    const auto size = fs::file_size(actual, ec);
    if (!ec) bytes.reserve(size);
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (in.bad()) {
        throw RuntimeError(ErrorNumber::PathFileAccessError, "File",
                           "The file " + actual.string() + " cannot be read.");
    }
    return bytes;
}

namespace {

// A device or a pipe (/dev/stdout, a FIFO) is written into, never renamed over.
void WriteInPlace(const fs::path& target, std::string_view bytes) {
    std::ofstream out(target, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    if (!out)
        throw RuntimeError(ErrorNumber::PathFileAccessError, "File",
                           "The file " + target.string() + " cannot be written.");
}

// The file a path names, through any symbolic links: a write replaces the
// file a link points to, and the link stays a link.
fs::path ThroughLinks(fs::path path) {
    std::error_code ec;
    for (int hop = 0; hop < 40 && fs::is_symlink(fs::symlink_status(path, ec)); ++hop) {
        const fs::path next = fs::read_symlink(path, ec);
        if (ec) break;
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
    return path;
}

// The folder's entries on the disk; with `everything`, every file written in
// its file system too (one flush for a whole run's files).
void SyncFolderEntries(const fs::path& folder, bool everything) {
    if (const int directory = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); directory >= 0) {
        if (everything) ::syncfs(directory);
        ::fsync(directory);
        ::close(directory);
    }
}

void WriteAtomicallyTo(const fs::path& path, std::string_view bytes, Durability durability) {
    const fs::path target = ThroughLinks(path);
    std::error_code kind;
    const fs::file_status status = fs::status(target, kind);
    if (fs::is_directory(status))
        throw RuntimeError(ErrorNumber::PathFileAccessError, "File",
                           "The file " + target.string() + " cannot be written: it is a folder.");
    if (fs::exists(status) && !fs::is_regular_file(status)) return WriteInPlace(target, bytes);
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    const fs::path temporary = folder / TemporaryName(target);
    auto fail = [&](const std::string& why) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
        throw RuntimeError(ErrorNumber::PathFileAccessError, "File",
                           "The file " + target.string() + " cannot be written: " + why);
    };
    const int file = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (file < 0) fail("the folder cannot be written to.");
    // The new file keeps who may read the old one: a case file of names and
    // birth dates kept at 0600 stays so.
    struct stat old {};
    if (::stat(target.c_str(), &old) == 0) {
        ::fchmod(file, old.st_mode & 07777);
        const int owned = ::fchown(file, old.st_uid, old.st_gid);  // only root may give a file away
        static_cast<void>(owned);
    }
    // On the disk before it takes the old file's place: a crash leaves the
    // old file or the whole new one, never an empty one.
    const bool written =
        WriteAll(file, bytes) && (durability == Durability::WithTheRun || ::fsync(file) == 0);
    if (::close(file) != 0 || !written) fail("the disk may be full.");
    std::error_code ec;
    fs::rename(temporary, target, ec);
    if (ec) fail(ec.message() + ".");
    if (durability == Durability::Now) SyncFolderEntries(folder, false);
}

}  // namespace

bool WriteAll(int file, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(file, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

void WriteFileAtomically(const fs::path& path, std::string_view bytes, Durability durability) {
    WriteAtomicallyTo(ResolveFileName(path), bytes, durability);
}

void SyncFolder(const fs::path& folder) { SyncFolderEntries(folder.empty() ? fs::path(".") : folder, true); }

void ReplaceFileExactly(const fs::path& path, std::string_view bytes) {
    WriteAtomicallyTo(path, bytes, Durability::Now);
    const fs::path folder = path.has_parent_path() ? path.parent_path() : fs::path(".");
    const std::string name = path.filename().string();
    std::error_code ec;
    std::vector<fs::path> others;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string found = it->path().filename().string();
        if (found != name && EqualNoCase(found, name)) others.push_back(it->path());
    }
    for (const fs::path& other : others) fs::remove(other, ec);
}

std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::size_t stop = end;
        if (stop > start && text[stop - 1] == '\r') --stop;
        lines.push_back(text.substr(start, stop - start));
        start = end + 1;
    }
    return lines;
}

}  // namespace quoravel
