#pragma once

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>

#include "RuntimeError.h"

// What a command writes on standard output.
inline std::string CommandOutput(const std::string& command) {
    std::string output;
    std::unique_ptr<FILE, decltype(&pclose)> pipe(popen(command.c_str(), "r"), &pclose);
    char chunk[4096];
    while (pipe && std::fgets(chunk, sizeof chunk, pipe.get())) output += chunk;
    return output;
}

// A fresh folder per test, removed afterwards.
class TempFolder {
public:
    TempFolder() {
        std::random_device random;
        path_ = std::filesystem::temp_directory_path() / ("quoravel-test-" + std::to_string(random()));
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    const std::filesystem::path& path() const { return path_; }
    std::string folder() const { return path_.string() + "/"; }
    std::filesystem::path Write(const std::string& name, const std::string& bytes) const {
        std::ofstream(path_ / name, std::ios::binary) << bytes;
        return path_ / name;
    }
    std::string Read(const std::string& name) const {
        std::ifstream in(path_ / name, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

private:
    std::filesystem::path path_;
};

// The number, source and text of the error a call raises, as one line to compare.
template <typename Call>
std::string Raised(Call call) {
    try {
        call();
    } catch (const quoravel::RuntimeError& e) {
        return std::to_string(e.Number()) + " " + e.Source() + ": " + e.Description();
    }
    return "nothing raised";
}
