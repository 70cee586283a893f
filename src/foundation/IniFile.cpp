#include "IniFile.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <unordered_set>

#include "Cp1252.h"
#include "RuntimeError.h"
#include "Text.h"
#include "TextFile.h"

namespace quoravel {
namespace {

// One line of a settings file as it stands on disk (Windows-1252 bytes).
struct Line {
    enum Kind { Other, SectionHeader, KeyValue } kind = Other;
    std::string_view name;   // section or key name
    std::string_view value;  // the value of a key line
};

Line ParseLine(std::string_view raw) {
    const std::string_view text = Trim(raw);
    Line line;
    if (text.empty() || text.front() == ';') return line;
    if (text.front() == '[') {
        const auto close = text.find(']');
        line.kind = Line::SectionHeader;
        line.name = Trim(text.substr(1, close == std::string_view::npos ? text.npos : close - 1));
        return line;
    }
    const auto equals = text.find('=');
    if (equals == std::string_view::npos) return line;
    line.kind = Line::KeyValue;
    line.name = Trim(text.substr(0, equals));
    line.value = Trim(text.substr(equals + 1));
    // A value written in matching quotes is read without them.
    if (line.value.size() >= 2 && (line.value.front() == '"' || line.value.front() == '\'') &&
        line.value.back() == line.value.front()) {
        line.value = line.value.substr(1, line.value.size() - 2);
    }
    return line;
}

std::string ReadSettingsBytes(const std::string& path) { return ReadFileBytes(path).value_or(std::string()); }

// Keeps the names that fit whole, each with its terminating null, into the
// name-list buffer (two places of it are kept for the closing nulls).
std::vector<std::string> FitNameList(const std::vector<std::string_view>& names) {
    std::vector<std::string> out;
    std::size_t used = 0;
    for (auto name : names) {
        used += name.size() + 1;
        if (used > IniFile::kNameListBuffer - 2) break;
        out.push_back(Cp1252ToUtf8(name));
    }
    return out;
}

// Names compared without regard to case, found by hash: a file of a
// million keys is listed in time with its length.
class DistinctNames {
public:
    void Add(std::string_view name) {
        if (seen_.insert(ToUpper(name)).second) names_.push_back(name);
    }
    const std::vector<std::string_view>& Names() const { return names_; }

private:
    std::unordered_set<std::string> seen_;
    std::vector<std::string_view> names_;
};

std::optional<double> ParseNumber(std::string_view text) {
    text = Trim(text);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    if (text.empty()) return std::nullopt;
    double value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

// A value that held a line break would split its line in two.
std::string OneLine(std::string text) {
    std::replace(text.begin(), text.end(), '\r', ' ');
    std::replace(text.begin(), text.end(), '\n', ' ');
    return text;
}

}  // namespace

std::optional<bool> FlagOf(std::string_view text) {
    const std::string upper = ToUpper(Trim(text));
    if (upper == "Y" || upper == "YES" || upper == "1" || upper == "TRUE") return true;
    if (upper == "N" || upper == "NO" || upper == "0" || upper == "FALSE") return false;
    return std::nullopt;
}

void IniFile::SetSection(std::string_view section) { section_ = std::string(Trim(section)); }

void IniFile::SetPathname(std::string_view pathname) {
    // A folder's name may begin or end with blanks: trimmed, it would name
    // another folder, and its files would be another case's.
    pathname_ = WithTrailingSeparator(std::string(pathname));
}

std::string IniFile::FileBytes() const { return pending_ ? *pending_ : ReadSettingsBytes(FullPath()); }

void IniFile::HoldInMemory() { pending_ = ReadSettingsBytes(FullPath()); }

void IniFile::Commit() {
    if (!pending_) return;
    const std::string bytes = std::move(*pending_);
    pending_.reset();
    WriteFileAtomically(FullPath(), bytes);
}

std::string IniFile::RawValue(std::string_view key) const {
    const std::string bytes = FileBytes();
    const std::string section = Utf8ToCp1252(section_);
    const std::string wanted = Utf8ToCp1252(key);
    bool inSection = false;
    for (auto raw : SplitLines(bytes)) {
        const Line line = ParseLine(raw);
        if (line.kind == Line::SectionHeader)
            inSection = EqualNoCase(line.name, section);
        else if (inSection && line.kind == Line::KeyValue && EqualNoCase(line.name, Trim(wanted))) {
            return Cp1252ToUtf8(line.value.substr(0, kMaxValueLength));
        }
    }
    // The platform default: a missing key reads as a single blank.
    return " ";
}

Value IniFile::ReadINI(std::string_view key, int dataType, const std::optional<Value>& defaultValue) const {
    if (section_.empty())
        throw RuntimeError(ErrorNumber::InvalidProcedureCall, "ReadIni", "Section name not set");
    if (filename_.empty())
        throw RuntimeError(ErrorNumber::InvalidProcedureCall, "ReadIni", "Filename not set");

    Value fallback;
    if (defaultValue)
        fallback = *defaultValue;
    else if (dataType == Text)
        fallback = Value(std::string());
    else if (dataType == Number)
        fallback = Value(0);
    else if (dataType == Boolean)
        fallback = Value(false);
    else if (dataType == DateValue)
        fallback = Value(badDate_);

    const std::string raw = RawValue(key);
    switch (dataType) {
        case Text: {
            const std::string_view trimmed = Trim(raw);
            return trimmed.empty() ? fallback : Value(std::string(trimmed));
        }
        case Number: {
            if (auto number = ParseNumber(raw)) return Value(*number);
            return fallback;
        }
        case Boolean: {
            if (const auto flag = FlagOf(raw)) return Value(*flag ? booleanTrue_ : booleanFalse_);
            return fallback;
        }
        case DateValue: {
            if (auto date = Date::Parse(raw)) return Value(*date);
            return fallback;
        }
        default:
            return Value(raw);
    }
}

void IniFile::WriteINI(std::string_view key, const Value& value, int dataType) {
    auto raise = [](const char* description) {
        throw RuntimeError(ErrorNumber::InvalidProcedureCall, "WriteIni", description);
    };
    if (section_.empty()) raise("Section name not set");
    if (filename_.empty()) raise("Filename not set");
    if (booleanTrue_.empty()) raise("Default value for Boolean True not set");
    if (booleanFalse_.empty()) raise("Default value for Boolean False not set");

    std::string text = value.Text();
    if (dataType == Boolean) text = FlagOf(text).value_or(false) ? booleanTrue_ : booleanFalse_;

    const std::string bytes = FileBytes();
    const std::string section = Utf8ToCp1252(section_);
    const std::string keyBytes = Utf8ToCp1252(Trim(key));
    const std::string newLine = keyBytes + "=" + Utf8ToCp1252(OneLine(text));
    const bool lfOnly =
        !bytes.empty() && bytes.find("\r\n") == std::string::npos && bytes.find('\n') != std::string::npos;
    const std::string eol = lfOnly ? "\n" : "\r\n";

    // Find the line to replace, or the place to insert after: the last
    // non-blank line of the first matching section.
    const auto lines = SplitLines(bytes);
    std::optional<std::size_t> replace;
    std::optional<std::size_t> insertAfter;
    bool inSection = false;
    bool inFirstOccurrence = false;
    for (std::size_t i = 0; i < lines.size() && !replace; ++i) {
        const Line line = ParseLine(lines[i]);
        if (line.kind == Line::SectionHeader) {
            inSection = EqualNoCase(line.name, section);
            inFirstOccurrence = inSection && !insertAfter;
            if (inFirstOccurrence) insertAfter = i;
        } else if (inSection && line.kind == Line::KeyValue && EqualNoCase(line.name, keyBytes)) {
            replace = i;
        } else if (inFirstOccurrence && !Trim(lines[i]).empty()) {
            insertAfter = i;
        }
    }

    // Offsets of the original lines in the byte text keep every other line,
    // with its own line end, exactly as it was.
    std::string out;
    out.reserve(bytes.size() + newLine.size() + section.size() + 8);
    auto lineEnd = [&](std::size_t i) {
        const std::size_t start = static_cast<std::size_t>(lines[i].data() - bytes.data());
        std::size_t end = bytes.find('\n', start);
        return end == std::string::npos ? bytes.size() : end + 1;
    };
    auto appendLine = [&](std::size_t i) {
        const std::size_t start = static_cast<std::size_t>(lines[i].data() - bytes.data());
        const std::size_t end = lineEnd(i);
        out.append(bytes, start, end - start);
        // A last line without its line end gets one; a lone CR there is
        // the start of it, never part of the value.
        if (end == bytes.size() && (out.empty() || out.back() != '\n'))
            out += !out.empty() && out.back() == '\r' ? "\n" : eol;
    };
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (replace && i == *replace) {
            out += newLine + eol;
            continue;
        }
        appendLine(i);
        if (!replace && insertAfter && i == *insertAfter) out += newLine + eol;
    }
    if (!replace && !insertAfter) out += "[" + section + "]" + eol + newLine + eol;
    if (pending_)
        pending_ = std::move(out);
    else
        WriteFileAtomically(FullPath(), out);
}

void IniFile::AppendINI(std::string_view key, const Value& value, int dataType) {
    if (!pending_ || section_.empty())
        throw RuntimeError(ErrorNumber::InvalidProcedureCall, "AppendIni", "No new file or section");
    std::string text = value.Text();
    if (dataType == Boolean) text = FlagOf(text).value_or(false) ? booleanTrue_ : booleanFalse_;
    if (!EqualNoCase(appendedSection_, section_)) {
        *pending_ += "[" + Utf8ToCp1252(section_) + "]\r\n";
        appendedSection_ = section_;
    }
    *pending_ += Utf8ToCp1252(Trim(key)) + "=" + Utf8ToCp1252(OneLine(text)) + "\r\n";
}

std::vector<std::string> IniFile::Sections() const {
    const std::string bytes = FileBytes();
    DistinctNames names;
    for (auto raw : SplitLines(bytes)) {
        const Line line = ParseLine(raw);
        if (line.kind == Line::SectionHeader) names.Add(line.name);
    }
    return FitNameList(names.Names());
}

std::vector<std::string> IniFile::Keys() const {
    const std::string bytes = FileBytes();
    const std::string section = Utf8ToCp1252(section_);
    DistinctNames names;
    bool inSection = false;
    for (auto raw : SplitLines(bytes)) {
        const Line line = ParseLine(raw);
        if (line.kind == Line::SectionHeader)
            inSection = EqualNoCase(line.name, section);
        else if (inSection && line.kind == Line::KeyValue)
            names.Add(line.name);
    }
    return FitNameList(names.Names());
}

}  // namespace quoravel
