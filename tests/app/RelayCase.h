#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "ProgramRun.h"
#include "TestSupport.h"

// A relay folder of its own for one test, its relay.ini taken from an example
// folder or written by the test, and what the outside system reads back.
class RelayCase {
public:
    // An empty folder: the test writes its relay.ini.
    RelayCase() = default;
    // The example's relay.ini ("single-product", …) in a fresh folder.
    explicit RelayCase(const std::string& example);
    RelayCase(const RelayCase&) = delete;
    RelayCase& operator=(const RelayCase&) = delete;

    const TempFolder& Folder() const { return folder_; }
    std::string Path() const { return folder_.path().string(); }
    std::vector<std::string> Command() const;
    ProgramResult Run() const { return RunProgram(Command()); }

    // A value of relay.out ("" when missing), or of another answer file.
    std::string Answer(const std::string& section, const std::string& key,
                       const std::string& file = "relay.out") const;
    // The "Message_" n values of section "Engine", in order.
    std::vector<std::string> Messages() const;
    bool Has(const std::string& file) const;
    // The names of the folder's files, sorted.
    std::vector<std::string> Files() const;
    std::filesystem::path Pdf() const { return folder_.path() / "illustration.pdf"; }

private:
    TempFolder folder_;
};

// What every answered run holds: exit code 0, a "Status", a PDF when the
// status is 0, and messages saying why when it is not.
void ExpectAnswered(const RelayCase& relay, const ProgramResult& result);

// The text of a PDF through pdftotext.
std::string PdfText(const std::filesystem::path& pdf);

// A relay message as relay.out carries it: the type, the two separator
// characters (UTF-8 here) and the text.
std::string RelayMessage(const std::string& type, const std::string& text);
