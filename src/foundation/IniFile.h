#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Date.h"
#include "Value.h"

namespace quoravel {

// A yes-or-no value as settings files hold it: "Y", "Yes", "1" or "True" is
// true, "N", "No", "0" or "False" false, in any case; anything else is none.
std::optional<bool> FlagOf(std::string_view text);

// A settings file in the INI format: sections in square brackets, lines of
// key = value. Section and key names are compared without regard to case; the
// file is Windows-1252 on disk; a write changes the one line of its key and
// keeps every other line of the file as it was.
class IniFile {
public:
    // Data type codes of ReadINI and WriteINI.
    enum DataType : int { Text = 1, Number = 2, Boolean = 3, DateValue = 4 };

    static constexpr std::size_t kMaxValueLength = 2047;
    static constexpr std::size_t kNameListBuffer = 4096;

    const std::string& Section() const { return section_; }
    void SetSection(std::string_view section);
    const std::string& Filename() const { return filename_; }
    void SetFilename(std::string filename) { filename_ = std::move(filename); }
    const std::string& Pathname() const { return pathname_; }
    void SetPathname(std::string_view pathname);
    Date badDate() const { return badDate_; }
    void SetbadDate(Date date) { badDate_ = date; }
    const std::string& BooleanDefaultTrue() const { return booleanTrue_; }
    void SetBooleanDefaultTrue(const Value& value) { booleanTrue_ = value.Text(); }
    const std::string& BooleanDefaultFalse() const { return booleanFalse_; }
    void SetBooleanDefaultFalse(const Value& value) { booleanFalse_ = value.Text(); }

    std::string FullPath() const { return pathname_ + filename_; }

    // Raises error 5 when Section or Filename is not set.
    Value ReadINI(std::string_view key, int dataType,
                  const std::optional<Value>& defaultValue = std::nullopt) const;
    // Raises error 5 when Section, Filename or either boolean text is not set.
    void WriteINI(std::string_view key, const Value& value, int dataType);

    // Many reads or writes in a row: after HoldInMemory they work on the
    // file's text in memory (read once), and Commit writes the file once.
    void HoldInMemory();
    // The same on the given bytes instead of the file's (Windows-1252).
    void HoldInMemory(std::string bytes) { pending_ = std::move(bytes); }
    void Commit();
    // A new file built in memory, whatever stands on disk, for a caller that
    // writes the bytes itself (InMemoryText) instead of committing them.
    void StartNew() { pending_ = std::string(); }
    std::string InMemoryText() const { return pending_.value_or(std::string()); }
    // Adds a key at the end of a file being made in memory (StartNew), in a
    // section that comes last and new: its header goes first. It takes time
    // in proportion to the key and value alone, where WriteINI reads the
    // whole text for the key, so a long file is made in time with its length.
    void AppendINI(std::string_view key, const Value& value, int dataType);

    // Names in file order; an empty or missing file gives an empty list.
    std::vector<std::string> Sections() const;
    std::vector<std::string> Keys() const;

private:
    std::string RawValue(std::string_view key) const;
    std::string FileBytes() const;

    std::optional<std::string> pending_;  // the file's text during an update
    std::string appendedSection_;         // the section AppendINI writes into

    std::string section_;
    std::string filename_;
    std::string pathname_;
    Date badDate_{-36522};
    std::string booleanTrue_;
    std::string booleanFalse_;
};

}  // namespace quoravel
