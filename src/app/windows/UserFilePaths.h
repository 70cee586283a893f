#pragma once

#include <string>

#include "ProcessValues.h"

namespace quoravel {

// The files the user keeps (case directories, the broker file) live in the
// user's folder. A bare name, or a file of the program folder or the user's
// folder, is the user's copy of that name: read from the program folder
// until the user has one, always written to the user's folder. Any other
// path is read and written where it is.

// Where the file is kept: the user's copy, or the path itself.
std::string KeptPath(const ProcessValues& process, const std::string& path);
// The file to read now.
std::string ReadPathOf(const ProcessValues& process, const std::string& path);
// The file to write; the user's folder is made when needed (a RuntimeError
// names it when it cannot be).
std::string WritePathOf(const ProcessValues& process, const std::string& path);

// `path` with `suffix`, or with "2", "3"... after it, whichever names no
// file yet: a copy kept aside never replaces an earlier one.
std::string FreeNameBeside(const std::string& path, const std::string& suffix);

}  // namespace quoravel
