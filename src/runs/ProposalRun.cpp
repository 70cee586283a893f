#include "ProposalRun.h"

#include <algorithm>
#include <filesystem>
#include <set>

#include "IniFile.h"
#include "Text.h"
#include "TextFile.h"

namespace fs = std::filesystem;

namespace quoravel {
namespace {

// Removes the files of the folder whose names (in any letter case) the
// predicate claims; the folder is listed once.
template <typename Claimed>
void RemoveFromFolder(const std::string& folder, Claimed claimed) {
    std::error_code error;
    std::vector<fs::path> doomed;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        if (it->is_regular_file(error) && claimed(ToUpper(it->path().filename().string())))
            doomed.push_back(it->path());
    }
    for (const auto& path : doomed) fs::remove(path, error);
}

// "PAGE" + a number + ".EMF" or ".VSV", the name in upper case.
bool IsPageFile(std::string_view name) {
    if (!name.starts_with("PAGE") || !(name.ends_with(".EMF") || name.ends_with(".VSV"))) return false;
    const std::string_view number = name.substr(4, name.size() - 8);
    return !number.empty() &&
           std::all_of(number.begin(), number.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

ProposalRun::ProposalRun(const ProcessValues& values, std::string folder)
    : process(values), StartDirectory(std::move(folder)) {
    PdfPath = WithTrailingSeparator(StartDirectory);
    PdfName = kDefaultPdfName;
}

void ProposalRun::ProcessError(std::int32_t number, std::int16_t severity, const std::string& description,
                               const std::string& moduleName, const std::string& routineName) {
    process.ProcessError(Errors, number, severity, description, moduleName, routineName);
}

void ProposalRun::ProcessError(const std::exception& error, std::int16_t severity,
                               const std::string& moduleName, const std::string& routineName) {
    process.ProcessError(Errors, error, severity, moduleName, routineName);
}

void ProposalRun::MoveToFolder(std::string folder) {
    StartDirectory = std::move(folder);
    PdfPath = WithTrailingSeparator(StartDirectory);
}

void ProposalRun::ReadPdfTarget() {
    IniFile relay;
    relay.SetPathname(StartDirectory);
    relay.SetFilename("relay.ini");
    relay.SetSection("Identifiers");
    PdfPath = WithTrailingSeparator(relay.ReadINI("PDF.Path", IniFile::Text, Value(StartDirectory)).Text());
    PdfName = relay.ReadINI("PDF.Name", IniFile::Text, Value(kDefaultPdfName)).Text();
    // "proposal.PDF" already names a PDF; only a name without the ending gets one.
    if (PdfName.size() < 3 || !EqualNoCase(std::string_view(PdfName).substr(PdfName.size() - 3), "pdf")) {
        PdfName += ".pdf";
    }
}

void ProposalRun::RemovePreviousPages() const {
    RemoveFromFolder(StartDirectory, [](const std::string& name) {
        return EqualNoCase(name, kRelayAnswerFile) || IsPageFile(name);
    });
}

void ProposalRun::RemovePreviousOutputs(const std::vector<std::string>& formFiles) const {
    std::set<std::string> outputs{
        ToUpper(kRelayAnswerFile), "RELAY.UPD", "ERROR.LOG", "UPDATE.LOG", "PDF.LOG",
        ToUpper(kDefaultPdfName)};
    for (const std::string& form : formFiles) outputs.insert(ToUpper(form));
    RemoveFromFolder(StartDirectory,
                     [&](const std::string& name) { return outputs.count(name) > 0 || IsPageFile(name); });
}

}  // namespace quoravel
