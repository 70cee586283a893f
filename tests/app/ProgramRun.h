#pragma once

#include <sys/types.h>

#include <chrono>
#include <string>
#include <vector>

#include "TestSupport.h"

// What a finished child process left: its exit code (-1 when it was killed
// or did not end in time) and what it wrote on its two streams.
struct ProgramResult {
    int exitCode = -1;
    bool timedOut = false;
    std::string out;
    std::string err;
};

// A program started as the outside system starts us: a child process with the
// caller's environment less QUORAVEL_HOME, so the program finds the build's
// program folder beside itself. Its streams go to files of its own, never into
// the folder under test. The program is searched in PATH when the name holds
// no separator.
class ProgramRun {
public:
    explicit ProgramRun(const std::vector<std::string>& command);
    ~ProgramRun();
    ProgramRun(const ProgramRun&) = delete;
    ProgramRun& operator=(const ProgramRun&) = delete;

    // Waits for the end, killing the child after `timeout` so a hang fails
    // the test instead of stalling it.
    ProgramResult Wait(std::chrono::milliseconds timeout = std::chrono::seconds(120));

private:
    TempFolder streams_;
    pid_t pid_ = -1;
    std::string startError_;
};

// Runs a command to its end and returns its result.
ProgramResult RunProgram(const std::vector<std::string>& command);
