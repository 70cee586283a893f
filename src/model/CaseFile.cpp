#include "CaseFile.h"

#include <optional>

#include "Cp1252.h"
#include "RecordReader.h"
#include "RecordWriter.h"
#include "TextFile.h"

namespace quoravel {

Collection<cClient> ParseCases(std::string_view text) {
    Collection<cClient> cases;
    const std::string marker = std::string("\"") + cClient::kRecordVersion + "\"";
    RecordReader in(text);
    // The next record mark after a damaged record, found once: the search
    // never reads the same text twice, so loading stays linear in the
    // file's length whatever it holds.
    std::optional<std::size_t> nextMark;
    std::size_t searchedUpTo = 0;
    while (!in.AtEnd()) {
        const std::size_t start = in.Position();
        auto client = std::make_shared<cClient>();
        if (client->Load(in)) {
            client->SetIndex(static_cast<std::int16_t>(cases.Count() + 1));
            cases.Add(std::move(client));
            continue;
        }
        const std::size_t stopped = in.Position();
        if (start >= searchedUpTo) {
            in.Rewind(start);
            nextMark = in.FindLine(marker);
            searchedUpTo = nextMark ? *nextMark : text.size();
        }
        in.Rewind(nextMark && *nextMark > start ? *nextMark : stopped);
    }
    return cases;
}

Collection<cClient> ReadCaseFile(const std::filesystem::path& path) {
    const auto bytes = ReadFileBytes(path);
    if (!bytes) return {};
    return ParseCases(Cp1252ToUtf8(*bytes));
}

std::string FormatCases(const Collection<cClient>& cases, bool relayMode) {
    RecordWriter out;
    out.Reserve(static_cast<std::size_t>(cases.Count()) * 400);
    for (const auto& client : cases) {
        if (client->FullName() != cClient::kPlaceholderName) client->Save(out, relayMode);
    }
    return out.Text();
}

void WriteCaseFile(const std::filesystem::path& path, const Collection<cClient>& cases, bool relayMode) {
    WriteFileAtomically(path, Utf8ToCp1252(FormatCases(cases, relayMode)));
}

}  // namespace quoravel
