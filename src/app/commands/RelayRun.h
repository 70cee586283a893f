#pragma once

#include <ostream>
#include <string>

#include "ProcessValues.h"

namespace quoravel {

// Exit codes of the program.
namespace ExitCode {
inline constexpr int Answered = 0;     // the relay answer was written, whatever its "Status"
inline constexpr int NoAnswer = 1;     // the relay answer could not be written
inline constexpr int NotRelayRun = 2;  // a bad command line, or no display for the window
}  // namespace ExitCode

// How a relay run ended: its exit code and, once answered, the "Status" of
// its answer.
struct RelayOutcome {
    int exitCode = ExitCode::Answered;
    int status = 0;
};

// Why the start folder cannot be used, "" when it can: a folder that does not
// exist or cannot be read, or a relay.ini (in any letter case) that is not a
// readable file.
std::string StartFolderProblem(const ProcessValues& process);

// True when the start folder holds a relay file, whatever the case of its name.
bool HasRelayFile(const ProcessValues& process);

// A relay run fills and drops page, picture and PDF buffers of hundreds of
// kilobytes, run after run in a batch: freed memory is kept for the next
// buffer instead of going back to the system, to be faulted in anew.
void KeepFreedMemoryForReuse();

// Relay mode to the end: the case from relay.ini, the proposal, its PDF and
// the answer files, all in the start folder. The process values must carry
// the program and start folders; a QGuiApplication must exist. Problems of
// the case reach the outside system through relay.out; only an answer that
// cannot be written is reported on `diagnostics`.
RelayOutcome RunRelay(ProcessValues& process, std::ostream& diagnostics);

}  // namespace quoravel
