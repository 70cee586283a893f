#include "RecordWriter.h"

#include <charconv>

namespace quoravel {

void RecordWriter::WriteString(std::string_view text) {
    text_ += '"';
    for (char c : text) {
        if (c == '"')
            c = '\'';
        else if (c == '\r' || c == '\n')
            c = ' ';
        text_ += c;
    }
    text_ += "\"\r\n";
}

void RecordWriter::WriteInteger(std::int64_t value) {
    char buf[24];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value);
    text_.append(buf, end);
    text_ += "\r\n";
}

void RecordWriter::WriteBool(bool value) { text_ += value ? "#TRUE#\r\n" : "#FALSE#\r\n"; }

void RecordWriter::WriteDate(Date date) { text_ += "#" + date.Iso() + "#\r\n"; }

void RecordWriter::WriteDouble(double value) {
    // The shortest text that reads back as the same double, "." as separator.
    char buf[40];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value);
    text_.append(buf, end);
    text_ += "\r\n";
}

void RecordWriter::PrintBool(bool value) { text_ += value ? "True\r\n" : "False\r\n"; }

void RecordWriter::PrintNumber(std::int64_t value) {
    if (value >= 0) text_ += ' ';
    char buf[24];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value);
    text_.append(buf, end);
    text_ += " \r\n";
}

void RecordWriter::PrintEmpty() { text_ += "\r\n"; }

}  // namespace quoravel
