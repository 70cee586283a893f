#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "Collection.h"
#include "cClient.h"

namespace quoravel {

// A case file (.clt): case records back to back, Windows-1252, CR LF.

// Reads every whole record of the text; a record that cannot be read is
// skipped and reading goes on at the next record marker after it, so one
// damaged record never costs the good ones around it. Indexes run from 1.
Collection<cClient> ParseCases(std::string_view text);
// A missing file gives an empty collection.
Collection<cClient> ReadCaseFile(const std::filesystem::path& path);

// Every case but the unnamed placeholder "Term Client", in collection order.
std::string FormatCases(const Collection<cClient>& cases, bool relayMode);
// Replaces the file only once the new one is completely written.
void WriteCaseFile(const std::filesystem::path& path, const Collection<cClient>& cases, bool relayMode);

}  // namespace quoravel
