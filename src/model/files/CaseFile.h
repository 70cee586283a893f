#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ClientCase.h"
#include "Collection.h"

namespace quoravel {

// A case file (.clt): case records back to back, Windows-1252, CR LF.

// A stretch of a case file that holds no readable case. It is kept as it
// stood and written back when the file is saved, so that a save never holds
// fewer records than the file did.
struct UnreadCaseRecord {
    long record = 0;  // its number among the file's records, from 1
    long line = 0;    // the line reading stopped at, from 1
    std::string field;
    std::optional<std::string> value;  // nothing when the record ends before the field
    std::string text;                  // the record's lines as they stood
    // The case that followed it in the file; nothing at the file's end.
    std::shared_ptr<const ClientCase> next;

    // "record 2 (line 14): the age reads "forty"".
    std::string Description() const;
};

struct CaseFileContents {
    Collection<ClientCase> cases;
    std::vector<UnreadCaseRecord> unread;
    // The file holds text but no case and no record mark: some other file,
    // which is kept whole rather than taken apart into unread records.
    bool notCaseFile = false;
};

// Reads every whole record of the text. A record that cannot be read ends at
// the next record mark after its start, so one damaged record never costs
// the good ones around it, even when it runs into the next. Indexes run from 1.
CaseFileContents ParseCaseFile(std::string_view text);
Collection<ClientCase> ParseCases(std::string_view text);
// A missing file gives no cases.
CaseFileContents LoadCaseFile(const std::filesystem::path& path);
Collection<ClientCase> ReadCaseFile(const std::filesystem::path& path);

// Every case but the unnamed placeholder "Term Client", in collection order,
// each unread record back before the case that followed it (at the end when
// that case is gone).
std::string FormatCases(const Collection<ClientCase>& cases, bool relayMode,
                        const std::vector<UnreadCaseRecord>& unread = {});
// Replaces the file only once the new one is completely written.
void WriteCaseFile(const std::filesystem::path& path, const Collection<ClientCase>& cases, bool relayMode,
                   const std::vector<UnreadCaseRecord>& unread = {});

}  // namespace quoravel
