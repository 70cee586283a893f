#include "CaseFile.h"

#include <algorithm>
#include <unordered_map>

#include "Cp1252.h"
#include "RecordReader.h"
#include "RecordWriter.h"
#include "TextFile.h"

namespace quoravel {
namespace {

// A value longer than this is shown cut short in a message.
constexpr std::size_t kShownValueLength = 60;

std::string Shown(const std::string& value) {
    return value.size() <= kShownValueLength ? value : value.substr(0, kShownValueLength) + "...";
}

bool Blank(std::string_view text) { return text.find_first_not_of(" \t\r\n") == std::string_view::npos; }

// Line numbers of positions met in increasing order, counted once.
class LineCounter {
public:
    explicit LineCounter(std::string_view text) : text_(text) {}
    long LineOf(std::size_t position) {
        lines_ += std::count(text_.begin() + static_cast<std::ptrdiff_t>(counted_),
                             text_.begin() + static_cast<std::ptrdiff_t>(position), '\n');
        counted_ = position;
        return lines_;
    }

private:
    std::string_view text_;
    std::size_t counted_ = 0;
    long lines_ = 1;
};

}  // namespace

std::string UnreadCaseRecord::Description() const {
    return "record " + std::to_string(record) + " (line " + std::to_string(line) + "): " +
           (value ? "the " + field + " reads \"" + Shown(*value) + "\""
                  : "the record ends before its " + field);
}

CaseFileContents ParseCaseFile(std::string_view text) {
    CaseFileContents file;
    const std::string marker = std::string("\"") + ClientCase::kRecordVersion + "\"";
    RecordReader in(text);
    LineCounter lines(text);
    // The next record mark after a damaged record, found once: the search
    // never reads the same text twice, so loading stays linear in the
    // file's length whatever it holds.
    std::optional<std::size_t> nextMark;
    std::size_t searchedUpTo = 0;
    bool markSeen = false;
    long records = 0;
    // Unread records wait for the case that follows them.
    std::size_t waiting = 0;
    while (!in.AtEnd()) {
        const std::size_t start = in.Position();
        auto client = std::make_shared<ClientCase>();
        if (client->Load(in)) {
            ++records;
            markSeen = true;
            client->SetIndex(static_cast<std::int16_t>(file.cases.Count() + 1));
            for (; waiting < file.unread.size(); ++waiting) file.unread[waiting].next = client;
            file.cases.Add(std::move(client));
            continue;
        }
        const std::size_t stopped = in.Position();
        const RecordFailure failure = in.Failure();
        if (start >= searchedUpTo) {
            in.Rewind(start);
            nextMark = in.FindLine(marker);
            searchedUpTo = nextMark ? *nextMark : text.size();
            markSeen |= nextMark.has_value() || text.substr(start).starts_with(marker);
        }
        // Without a mark ahead (a file of the older layout), reading goes on
        // where it stopped.
        const std::size_t end = nextMark && *nextMark > start ? *nextMark : stopped;
        in.Rewind(end);
        const std::string_view stretch = text.substr(start, end - start);
        // Damage that runs on with no case between is one record; blank lines
        // between cases are no record.
        if (waiting < file.unread.size()) {
            file.unread.back().text += stretch;
            continue;
        }
        if (Blank(stretch)) continue;
        UnreadCaseRecord unread;
        unread.record = ++records;
        unread.field = failure.field;
        // A failure past the record's end means the record ran short.
        if (failure.at >= start && failure.at < end) {
            unread.value = failure.value;
            unread.line = lines.LineOf(failure.at);
        } else {
            unread.line = lines.LineOf(start + stretch.find_last_of('\n', stretch.size() - 2) + 1);
        }
        unread.text = std::string(stretch);
        file.unread.push_back(std::move(unread));
    }
    if (file.cases.Count() == 0 && !file.unread.empty() && !markSeen) {
        file.unread.clear();
        file.notCaseFile = true;
    }
    return file;
}

Collection<ClientCase> ParseCases(std::string_view text) { return ParseCaseFile(text).cases; }

CaseFileContents LoadCaseFile(const std::filesystem::path& path) {
    const auto bytes = ReadFileBytes(path);
    if (!bytes) return {};
    return ParseCaseFile(Cp1252ToUtf8(*bytes));
}

Collection<ClientCase> ReadCaseFile(const std::filesystem::path& path) { return LoadCaseFile(path).cases; }

std::string FormatCases(const Collection<ClientCase>& cases, bool relayMode,
                        const std::vector<UnreadCaseRecord>& unread) {
    std::unordered_map<const ClientCase*, std::vector<const UnreadCaseRecord*>> before;
    for (const auto& client : cases) before.emplace(client.get(), std::vector<const UnreadCaseRecord*>{});
    std::vector<const UnreadCaseRecord*> atEnd;
    for (const UnreadCaseRecord& record : unread) {
        const auto found = before.find(record.next.get());
        (found != before.end() ? found->second : atEnd).push_back(&record);
    }
    RecordWriter out;
    out.Reserve(static_cast<std::size_t>(cases.Count()) * 400);
    const auto writeBack = [&](const std::vector<const UnreadCaseRecord*>& records) {
        for (const UnreadCaseRecord* record : records) out.WriteRaw(record->text);
    };
    for (const auto& client : cases) {
        writeBack(before[client.get()]);
        if (client->FullName() != ClientCase::kPlaceholderName) client->Save(out, relayMode);
    }
    writeBack(atEnd);
    return out.Text();
}

void WriteCaseFile(const std::filesystem::path& path, const Collection<ClientCase>& cases, bool relayMode,
                   const std::vector<UnreadCaseRecord>& unread) {
    WriteFileAtomically(path, Utf8ToCp1252(FormatCases(cases, relayMode, unread)));
}

}  // namespace quoravel
