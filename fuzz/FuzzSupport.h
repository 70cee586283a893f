#pragma once

// What every fuzz target shares: a private scratch folder for the readers
// that take paths, and the one way a target reports a broken property.

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

namespace quoravel::fuzz {

// A folder of this process only, made once and reused by every input, so
// parallel fuzzing jobs never read each other's files.
// It is removed when the process ends normally; a crash leaves it for a look.
inline const std::filesystem::path& ScratchFolder() {
    struct Folder {
        std::filesystem::path path = std::filesystem::temp_directory_path() /
                                     ("quoravel-fuzz-" + std::to_string(static_cast<long>(::getpid())));
        Folder() { std::filesystem::create_directories(path); }
        ~Folder() {
            std::error_code ignored;
            std::filesystem::remove_all(path, ignored);
        }
    };
    static const Folder folder;
    return folder.path;
}

inline void WriteFile(const std::filesystem::path& path, std::string_view bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::filesystem::path WriteScratch(const std::string& name, std::string_view bytes) {
    const auto path = ScratchFolder() / name;
    WriteFile(path, bytes);
    return path;
}

inline std::string ReadScratch(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Text for a message, its control characters shown as \xNN.
inline std::string Shown(std::string_view text) {
    std::string shown;
    for (const char c : text) {
        if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X",
                          static_cast<unsigned>(static_cast<unsigned char>(c)));
            shown += escaped;
        } else {
            shown += c;
        }
    }
    return shown;
}

// A broken round trip is a fault like a crash: abort so the fuzzer keeps the input.
[[noreturn]] inline void Broken(const std::string& what) {
    std::fprintf(stderr, "broken property: %s\n", what.c_str());
    std::fflush(stderr);
    std::abort();
}

inline void Require(bool holds, const std::string& what) {
    if (!holds) Broken(what);
}

}  // namespace quoravel::fuzz
