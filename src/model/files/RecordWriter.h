#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "Date.h"

namespace quoravel {

// Writes the fields of case and broker records, one field per line with
// CR LF, in the two encodings of the stored files:
// - quoted fields (client and broker blocks): strings in double quotes,
//   booleans "#TRUE#"/"#FALSE#", dates "#yyyy-mm-dd#", numbers as digits;
// - plain print (options block): booleans as True/False, numbers with a
//   blank before (or a "-") and a blank after, an empty value as an empty line.
class RecordWriter {
public:
    // A double quote inside a string would end the field early (the encoding
    // has no escape), so it is stored as an apostrophe; line breaks as blanks.
    void WriteString(std::string_view text);
    void WriteInteger(std::int64_t value);
    void WriteBool(bool value);
    void WriteDate(Date date);
    void WriteDouble(double value);

    void PrintBool(bool value);
    void PrintNumber(std::int64_t value);
    void PrintEmpty();
    // Lines kept as they were read, written back unchanged.
    void WriteRaw(std::string_view lines) { text_ += lines; }

    const std::string& Text() const { return text_; }
    void Reserve(std::size_t bytes) { text_.reserve(bytes); }

private:
    std::string text_;
};

}  // namespace quoravel
