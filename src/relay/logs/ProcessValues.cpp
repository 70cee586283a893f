#include "ProcessValues.h"

#include <new>

#include "RuntimeError.h"
#include "Text.h"
#include "TextFile.h"
#include "clsINIFile.h"

namespace quoravel {

std::int32_t ErrorNumberOf(const std::exception& error) {
    if (auto* runtime = dynamic_cast<const RuntimeError*>(&error)) return runtime->Number();
    if (dynamic_cast<const std::bad_alloc*>(&error)) return ErrorNumber::OutOfMemory;
    return ErrorNumber::InternalError;
}

void ProcessValues::ProcessError(std::int32_t number, std::int16_t severity, const std::string& description,
                                 const std::string& moduleName, const std::string& routineName) {
    try {
        if (!RelayMode && Messages) {
            const std::string type = severity == clsError::Warning ? "Warning" : "Error";
            Messages->CriticalError(moduleName + ": " + routineName,
                                    "Number:" + std::to_string(number) + "\n\nSeverity:" + type +
                                        "\n\nDescription:" + description);
            return;
        }
        Errors.Add(severity, description, number, moduleName, routineName);
    } catch (const std::exception& inner) {
        Errors.Add(clsError::ErrorWithPlace, inner.what(), ErrorNumberOf(inner), "modGlobalProcedures",
                   "ProcessError");
    }
}

void ProcessValues::ProcessError(const std::exception& error, std::int16_t severity,
                                 const std::string& moduleName, const std::string& routineName) {
    ProcessError(ErrorNumberOf(error), severity, error.what(), moduleName, routineName);
}

void ProcessValues::SetStartDirectory(const std::vector<std::string>& arguments) {
    if (arguments.empty() || arguments.front().empty()) {
        StartDirectory = ProgramFolder;
        return;
    }
    std::string folder = arguments.front();
    // Only a trailing separator is dropped: any other last character belongs
    // to the folder's name.
    if (folder.size() > 1 && IsPathSeparator(folder.back())) folder.pop_back();
    StartDirectory = folder;
}

void ProcessValues::ReadPdfTarget() {
    clsINIFile relay;
    relay.SetPathname(StartDirectory);
    relay.SetFilename("relay.ini");
    relay.SetSection("Identifiers");
    PdfPath = WithTrailingSeparator(relay.ReadINI("PDF.Path", clsINIFile::Text, Value(StartDirectory)).Text());
    PdfName = relay.ReadINI("PDF.Name", clsINIFile::Text, Value("illustration.pdf")).Text();
    // "proposal.PDF" already names a PDF; only a name without the ending gets one.
    if (PdfName.size() < 3 || !EqualNoCase(std::string_view(PdfName).substr(PdfName.size() - 3), "pdf")) {
        PdfName += ".pdf";
    }
}

std::string MakeVersionText(int major, int minor, bool relayMode) {
    return "V" + std::to_string(major) + "." + std::to_string(minor) + (relayMode ? "w" : "");
}

}  // namespace quoravel
