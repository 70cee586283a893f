#include "BrokerFile.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string_view>

#include "Cp1252.h"
#include "RecordReader.h"
#include "RecordWriter.h"
#include "Text.h"
#include "TextFile.h"

namespace quoravel {

std::string BrokerFileNameToLoad(const std::string& remembered) {
    return remembered.empty() ? "brokers.brk" : remembered;
}

std::string BrokerFileNameToSave(const std::string& remembered) {
    return remembered.empty() ? "brokers.ini" : remembered;
}

namespace {

constexpr std::size_t kFields = kBrokerFieldCount;

bool StateCode(std::string_view s) {
    return s.empty() || (s.size() == 2 && IsAsciiLetter(s[0]) && IsAsciiLetter(s[1]));
}
bool MiddleInitial(std::string_view s) { return s.size() <= 3; }
bool Zip(std::string_view s) {
    return s.size() <= 10 &&
           std::ranges::all_of(s, [](char c) { return IsAsciiDigit(c) || c == '-' || c == ' '; });
}
bool PhoneNumber(std::string_view s) {
    return std::ranges::all_of(s, [](char c) {
        return IsAsciiDigit(c) || std::string_view("()-. ").find(c) != std::string_view::npos;
    });
}

// The fields whose form the broker window keeps (a state from its list, the
// masked ZIP code, telephone and fax numbers) and the short ones. In a
// damaged file they tell where a broker's record starts.
struct FieldForm {
    BrokerField field;
    bool (*fits)(std::string_view);
};
constexpr std::array<FieldForm, 6> kFieldForms{{
    {BrokerField::middle_init, MiddleInitial},
    {BrokerField::license_state, StateCode},
    {BrokerField::state, StateCode},
    {BrokerField::zip, Zip},
    {BrokerField::phone_num, PhoneNumber},
    {BrokerField::fax_num, PhoneNumber},
}};

// The lines of a broker file, each a field or not, and where a record of
// fifteen fields may start.
class BrokerLines {
public:
    explicit BrokerLines(const std::string& text) {
        for (RecordReader in(text); !in.AtEnd();) {
            starts_.push_back(in.Position());
            fields_.push_back(in.ReadString());
        }
        // Blank lines at the end are no record.
        std::size_t lines = starts_.size();
        while (lines > 0 && text.find_first_not_of(" \t\r\n", starts_[lines - 1]) == std::string::npos)
            --lines;
        starts_.resize(lines);
        fields_.resize(lines);
        // Runs of field lines: where each run of a line starts and ends.
        runStart_.resize(lines);
        runEnd_.resize(lines);
        for (std::size_t line = 0; line < lines; ++line)
            runStart_[line] = line > 0 && fields_[line - 1] && fields_[line] ? runStart_[line - 1] : line;
        for (std::size_t line = lines; line-- > 0;)
            runEnd_[line] =
                line + 1 < lines && fields_[line + 1] && fields_[line] ? runEnd_[line + 1] : line + 1;
    }

    std::size_t Count() const { return fields_.size(); }
    const std::string& Field(std::size_t line) const { return *fields_[line]; }

    // Fifteen field lines from `line` on.
    bool Whole(std::size_t line) const {
        return line < Count() && fields_[line] && line + kFields <= runEnd_[line];
    }
    // A record ending where its run of fields ends: the file's end or a
    // damaged line.
    bool EndsRun(std::size_t line) const { return Whole(line) && (runEnd_[line] - line) % kFields == 0; }
    // A run of whole records, read from its start: no line in it is damaged.
    bool Trusted(std::size_t line) const {
        return EndsRun(line) && (runEnd_[line] - runStart_[line]) % kFields == 0;
    }
    bool Formed(std::size_t line) const {
        return Whole(line) && std::ranges::all_of(kFieldForms, [&](const FieldForm& form) {
                   return form.fits(Field(line + static_cast<std::size_t>(form.field)));
               });
    }
    // Formed, with at least two of the window's kept fields filled in: a
    // start that few misplaced lines would show.
    bool Telling(std::size_t line) const {
        return Formed(line) && std::ranges::count_if(kFieldForms, [&](const FieldForm& form) {
                                   return !Field(line + static_cast<std::size_t>(form.field)).empty();
                               }) >= 2;
    }
    // A record read where the last one ended.
    bool Readable(std::size_t line) const { return Trusted(line) || Formed(line); }
    // A record to go on from after damage.
    bool Resumes(std::size_t line) const {
        return Trusted(line) || (Formed(line) && (EndsRun(line) || Telling(line)));
    }

private:
    std::vector<std::size_t> starts_;
    std::vector<std::optional<std::string>> fields_;
    std::vector<std::size_t> runStart_;
    std::vector<std::size_t> runEnd_;
};

}  // namespace

Collection<Broker> ReadBrokerFile(const std::filesystem::path& path, std::vector<long>* damaged) {
    Collection<Broker> brokers;
    const auto bytes = ReadFileBytes(path);
    if (!bytes) return brokers;
    const BrokerLines lines(Cp1252ToUtf8(*bytes));
    const auto read = [&](std::size_t at) {
        auto broker = std::make_shared<Broker>();
        for (std::size_t field = 0; field < kFields; ++field)
            broker->Set(static_cast<BrokerField>(field), lines.Field(at + field));
        broker->SetIndex(static_cast<std::int16_t>(brokers.Count() + 1));
        brokers.Add(std::move(broker));
    };
    long record = 0;
    bool afterRecord = false;  // the lines before `line` were a broker read
    for (std::size_t line = 0; line < lines.Count();) {
        if (lines.Readable(line)) {
            read(line);
            afterRecord = true;
            line += kFields;
            ++record;
            continue;
        }
        // The damage runs up to the next line a record can start at.
        std::size_t next = line + 1;
        while (next < lines.Count() && !lines.Resumes(next)) ++next;
        // Fewer lines than a record between two records that both read:
        // the lines missing may be the last record's, whose place the next
        // record then shows. That record gives up its place.
        if (afterRecord && next - line < kFields && next < lines.Count() && lines.Resumes(next - kFields)) {
            brokers.Remove(brokers.Count());
            --record;
            next -= kFields;
        }
        if (damaged) damaged->push_back(++record);
        afterRecord = false;
        line = next;
    }
    return brokers;
}

void WriteBrokerFile(const std::filesystem::path& path, const Collection<Broker>& brokers) {
    RecordWriter out;
    for (const auto& broker : brokers) broker->Save(out);
    WriteFileAtomically(path, Utf8ToCp1252(out.Text()));
}

}  // namespace quoravel
