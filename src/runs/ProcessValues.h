#pragma once

#include <cstdint>
#include <exception>
#include <string>
#include <vector>

#include "ErrorLog.h"
#include "UserMessages.h"

namespace quoravel {

// What the whole process shares: its mode and version, the folder of the
// command line, the program folder and the window's message service. The
// entry routine creates one and hands it to whoever needs it; tests create
// their own. What one proposal decides and produces is its ProposalRun's.
struct ProcessValues {
    bool RelayMode = false;
    std::string VersionText;
    std::string StartDirectory;  // the folder of the command line
    std::int32_t OutputFormat = 4;
    std::string ProgramFolder;  // the folder of the settings, rate and picture files; only read
    // The user's own files: changed copies of shipped settings files, case
    // directories, brokers. Empty where there is no user (tests of one layer).
    std::string UserFolder;
    std::string RunsFolder;  // the user's run folders, one a window proposal
    // The identity of the program folder's rate files, which every proposal
    // is stamped with: found once a process, by the entry routine.
    std::string RateSetIdentity;

    // The window's message boxes; null in relay mode and where no window exists,
    // in which case errors go to the error log.
    UserMessages* Messages = nullptr;

    // The one handler of caught run-time errors. Interactively it shows the
    // critical message (after which the window ends the program); in relay
    // mode, or with no window, it adds the error to `log` and returns.
    void ProcessError(ErrorLog& log, std::int32_t number, std::int16_t severity,
                      const std::string& description, const std::string& moduleName,
                      const std::string& routineName) const;
    // The same for a caught exception: a RuntimeError keeps its number.
    void ProcessError(ErrorLog& log, const std::exception& error, std::int16_t severity,
                      const std::string& moduleName, const std::string& routineName) const;

    // The start folder is the first argument taken whole, less one trailing
    // separator; with no argument, the program folder.
    void SetStartDirectory(const std::vector<std::string>& arguments);
};

// "V" + major + "." + minor, and "w" in relay mode.
std::string MakeVersionText(int major, int minor, bool relayMode);

// The number a caught exception reports to ProcessError.
std::int32_t ErrorNumberOf(const std::exception& error);

// The critical message of a caught run-time error: titled by the module and
// routine, telling its number, severity and description.
std::string ErrorMessageTitle(const std::string& moduleName, const std::string& routineName);
std::string ErrorMessageText(std::int32_t number, std::int16_t severity, const std::string& description);

}  // namespace quoravel
