#pragma once

#include <memory>
#include <string>
#include <vector>

#include "Broker.h"
#include "CaseFile.h"
#include "ClientCase.h"
#include "Collection.h"

namespace quoravel {

// The case directory a window has open: its cases, the records of its file
// that could not be read (kept byte for byte and written back on every
// save), the file it is kept in, and whether it changed since it was read or
// saved. What the user is asked or told stays with the window.
class CaseDirectory {
public:
    // What opening a file found besides its cases.
    struct Opened {
        bool notCaseFile = false;                // text, but no case and no record mark
        std::vector<std::string> unreadRecords;  // each named with its record, line and field
    };

    // Reads the case file at `read` in place of what was open; its cases take
    // the brokers of `brokers` with their stored names. Where it is kept is
    // set apart (SetPath).
    Opened Open(const std::string& read, const Collection<Broker>& brokers);
    // Writes the cases, and the records that could not be read, to `target`.
    void Save(const std::string& target);
    // True when `target` holds text that is no case file: saving into it
    // would lose it.
    static bool HoldsOtherText(const std::string& target);

    void Add(const std::shared_ptr<ClientCase>& client);
    void Remove(long index);
    void MarkChanged() { changed_ = true; }
    // True when there are changes and a file to save them to.
    bool NeedsSaving() const { return changed_ && !path_.empty(); }

    const Collection<ClientCase>& Cases() const { return cases_; }
    const std::string& Path() const { return path_; }
    void SetPath(std::string path) { path_ = std::move(path); }

private:
    Collection<ClientCase> cases_;
    std::vector<UnreadCaseRecord> unread_;
    std::string path_;
    bool changed_ = false;
};

}  // namespace quoravel
