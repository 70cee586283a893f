#include "RecordReader.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "Text.h"

namespace quoravel {
namespace {

std::string_view StripMarks(std::string_view s) {
    s = Trim(s);
    if (s.size() >= 2 && ((s.front() == '#' && s.back() == '#') || (s.front() == '"' && s.back() == '"'))) {
        s = s.substr(1, s.size() - 2);
    }
    return s;
}

}  // namespace

std::optional<std::size_t> RecordReader::FindLine(std::string_view line) const {
    std::size_t start = text_.find('\n', position_);
    while (start != std::string_view::npos && start + 1 < text_.size()) {
        ++start;
        std::size_t end = text_.find('\n', start);
        std::string_view candidate = text_.substr(start, end == std::string_view::npos ? end : end - start);
        if (!candidate.empty() && candidate.back() == '\r') candidate.remove_suffix(1);
        if (candidate == line) return start;
        start = end;
    }
    return std::nullopt;
}

std::optional<std::string_view> RecordReader::ReadLine() {
    lastLineStart_ = position_;
    lastLine_.reset();
    if (AtEnd()) return std::nullopt;
    std::size_t end = text_.find('\n', position_);
    std::string_view line;
    if (end == std::string_view::npos) {
        line = text_.substr(position_);
        position_ = text_.size();
    } else {
        line = text_.substr(position_, end - position_);
        position_ = end + 1;
    }
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lastLine_ = line;
    return line;
}

bool RecordReader::NextIsString() const { return !AtEnd() && text_[position_] == '"'; }

std::optional<std::string> RecordReader::ReadString() {
    auto line = ReadLine();
    if (!line || line->empty() || line->front() != '"') return std::nullopt;
    const auto close = line->find('"', 1);
    if (close == std::string_view::npos || !Trim(line->substr(close + 1)).empty()) return std::nullopt;
    return std::string(line->substr(1, close - 1));
}

std::optional<std::int64_t> RecordReader::ReadInteger(std::int64_t min, std::int64_t max) {
    auto line = ReadLine();
    if (!line) return std::nullopt;
    std::string_view text = Trim(*line);
    std::int64_t value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    if (value < min || value > max) return std::nullopt;
    return value;
}

std::optional<std::int16_t> RecordReader::ReadInt16() {
    auto v = ReadInteger(std::numeric_limits<std::int16_t>::min(), std::numeric_limits<std::int16_t>::max());
    if (!v) return std::nullopt;
    return static_cast<std::int16_t>(*v);
}

std::optional<std::int32_t> RecordReader::ReadInt32() {
    auto v = ReadInteger(std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max());
    if (!v) return std::nullopt;
    return static_cast<std::int32_t>(*v);
}

std::optional<double> RecordReader::ReadDouble() {
    auto line = ReadLine();
    if (!line) return std::nullopt;
    std::string_view text = Trim(*line);
    double value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

std::optional<bool> RecordReader::ReadBool() {
    auto line = ReadLine();
    if (!line) return std::nullopt;
    const std::string_view text = StripMarks(*line);
    if (EqualNoCase(text, "TRUE")) return true;
    if (EqualNoCase(text, "FALSE")) return false;
    return std::nullopt;
}

std::optional<bool> RecordReader::ReadGeneralBool() {
    auto line = ReadLine();
    if (!line) return std::nullopt;
    return EqualNoCase(StripMarks(*line), "TRUE");
}

std::optional<Date> RecordReader::ReadDate() {
    auto line = ReadLine();
    if (!line) return std::nullopt;
    const std::string_view text = Trim(*line);
    if (text.size() < 2 || text.front() != '#' || text.back() != '#') return std::nullopt;
    return Date::Parse(text.substr(1, text.size() - 2));
}

bool RecordReader::ReadOptionalInt32(std::optional<std::int32_t>& value) {
    const std::size_t start = position_;
    auto line = ReadLine();
    if (!line) return false;
    if (Trim(*line).empty()) {
        value.reset();
        return true;
    }
    position_ = start;
    auto number = ReadInt32();
    if (!number) return false;
    value = *number;
    return true;
}

bool RecordReader::Fail(std::string_view field) {
    failure_.field = field;
    failure_.value = lastLine_ ? std::optional<std::string>(*lastLine_) : std::nullopt;
    failure_.at = lastLineStart_;
    return false;
}

}  // namespace quoravel
