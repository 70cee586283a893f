#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "Date.h"

namespace quoravel {

// Where a record could not be read: the field it stopped at, and the line
// that held it (nothing when the text ended first) and where that line starts.
struct RecordFailure {
    std::string field;
    std::optional<std::string> value;
    std::size_t at = 0;
};

// Reads the fields RecordWriter writes, one per line, from UTF-8 text. Every
// read returns nothing when the line is missing or does not hold a field of
// the asked kind, so a record that fails can be skipped as a whole.
class RecordReader {
public:
    explicit RecordReader(std::string_view text) : text_(text) {}

    bool AtEnd() const { return position_ >= text_.size(); }
    std::size_t Position() const { return position_; }
    void Rewind(std::size_t position) { position_ = position; }
    // The position of the next line that is exactly `line`, after the current one.
    std::optional<std::size_t> FindLine(std::string_view line) const;

    std::optional<std::string_view> ReadLine();
    // True when the next line is a quoted string (the line is not consumed).
    bool NextIsString() const;

    std::optional<std::string> ReadString();
    std::optional<std::int64_t> ReadInteger(std::int64_t min, std::int64_t max);
    std::optional<std::int16_t> ReadInt16();
    std::optional<std::int32_t> ReadInt32();
    std::optional<double> ReadDouble();
    std::optional<bool> ReadBool();
    // A boolean read as a general value: true when its text is "True" in any
    // case, with or without the #...# marks; never fails but at the end.
    std::optional<bool> ReadGeneralBool();
    std::optional<Date> ReadDate();
    // A plain-print general value: an empty line is the empty value. False
    // when the line is missing or holds something else.
    bool ReadOptionalInt32(std::optional<std::int32_t>& value);

    // Records that the field just read could not be taken, with its line;
    // always false, so that a loader can return it.
    bool Fail(std::string_view field);
    const RecordFailure& Failure() const { return failure_; }

private:
    std::string_view text_;
    std::size_t position_ = 0;
    // The line read last, for a failure to name.
    std::optional<std::string_view> lastLine_;
    std::size_t lastLineStart_ = 0;
    RecordFailure failure_;
};

}  // namespace quoravel
