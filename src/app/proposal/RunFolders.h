#pragma once

#include <chrono>
#include <string>

namespace quoravel {

// The run folders of window proposals. Each proposal writes its page files,
// answer and default PDF into a new folder of its own under the user's runs
// folder, so two windows never share one and a proposal never overwrites
// another's files.
//
// Makes the new folder ("run-", the date and time, a random suffix) and
// returns it with a trailing separator. Raises a RuntimeError naming the
// folder when it cannot be made.
std::string MakeRunFolder(const std::string& runsFolder);

// Removes the run folders last written longer ago than `age`; nothing else
// in the runs folder is touched.
void RemoveOldRunFolders(const std::string& runsFolder, std::chrono::hours age);

}  // namespace quoravel
