#include "RelayCase.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "IniFile.h"
#include "TextFile.h"

namespace fs = std::filesystem;

RelayCase::RelayCase(const std::string& example) {
    fs::copy_file(fs::path(QUORAVEL_EXAMPLES) / example / "relay.ini", folder_.path() / "relay.ini");
}

std::vector<std::string> RelayCase::Command() const { return {QUORAVEL_EXECUTABLE, Path()}; }

std::string RelayCase::Answer(const std::string& section, const std::string& key,
                              const std::string& file) const {
    quoravel::IniFile answer;
    answer.SetPathname(Path());
    answer.SetFilename(file);
    answer.SetSection(section);
    return answer.ReadINI(key, quoravel::IniFile::Text).Text();
}

std::vector<std::string> RelayCase::Messages() const {
    std::vector<std::string> messages;
    for (int i = 1;; ++i) {
        std::string message = Answer("Engine", "Message_" + std::to_string(i));
        if (message.empty()) return messages;
        messages.push_back(std::move(message));
    }
}

bool RelayCase::Has(const std::string& file) const { return quoravel::FileExists(folder_.path() / file); }

std::vector<std::string> RelayCase::Files() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder_.path())) names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

void ExpectAnswered(const RelayCase& relay, const ProgramResult& result) {
    ASSERT_FALSE(result.timedOut) << relay.Path();
    EXPECT_EQ(result.exitCode, 0) << result.err;
    ASSERT_TRUE(relay.Has("relay.out")) << result.err;
    const std::string status = relay.Answer("Engine", "Status");
    ASSERT_FALSE(status.empty());
    EXPECT_TRUE(status == "0" ? relay.Has("illustration.pdf") : !relay.Messages().empty())
        << "status " << status << ": a PDF, or a failed run says why";
}

std::string PdfText(const fs::path& pdf) {
    return RunProgram({"pdftotext", "-layout", pdf.string(), "-"}).out;
}

std::string RelayMessage(const std::string& type, const std::string& text) {
    return type + "\u00FD\u00FD" + text;
}
