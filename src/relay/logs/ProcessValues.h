#pragma once

#include <cstdint>
#include <exception>
#include <string>
#include <vector>

#include "UserMessages.h"
#include "clsErrors.h"
#include "clsPDFCOL.h"
#include "clsUpdates.h"

namespace quoravel {

// The values the whole process shares: the run's mode and version, its
// folders, the PDF target, the rate-scale and channel flags and the three
// logs. The entry routine creates one and hands it to whoever needs it;
// tests create their own.
struct ProcessValues {
    bool RelayMode = false;
    std::string VersionText;
    std::string StartDirectory;
    std::string PdfPath;  // ends with a separator
    std::string PdfName;  // ends with ".pdf"
    std::int32_t OutputFormat = 4;
    bool FISMode = false;             // the bank distribution channel
    bool UsePriorRates = false;       // the prior rate scale applies to this case
    bool RelayUsePriorRates = false;  // the outside system asked for the prior rate scale
    std::string ProgramFolder;        // the folder of the settings, rate and picture files

    clsErrors Errors;
    clsUpdates Updates;
    clsPDFCOL PDFForms;

    // The window's message boxes; null in relay mode and where no window exists,
    // in which case errors go to the error log.
    UserMessages* Messages = nullptr;

    // The one handler of caught run-time errors. Interactively it shows the
    // critical message (after which the window ends the program); in relay
    // mode, or with no window, it adds the error to the error log and returns.
    void ProcessError(std::int32_t number, std::int16_t severity, const std::string& description,
                      const std::string& moduleName, const std::string& routineName);
    // The same for a caught exception: a RuntimeError keeps its number.
    void ProcessError(const std::exception& error, std::int16_t severity, const std::string& moduleName,
                      const std::string& routineName);

    // The start folder is the first argument taken whole, less one trailing
    // separator; with no argument, the program folder.
    void SetStartDirectory(const std::vector<std::string>& arguments);
    // PdfPath and PdfName from section "Identifiers" of relay.ini in the start
    // folder, with their defaults: the start folder and "illustration.pdf".
    void ReadPdfTarget();
};

// "V" + major + "." + minor, and "w" in relay mode.
std::string MakeVersionText(int major, int minor, bool relayMode);

// The number a caught exception reports to ProcessError.
std::int32_t ErrorNumberOf(const std::exception& error);

}  // namespace quoravel
