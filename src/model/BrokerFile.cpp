#include "BrokerFile.h"

#include <algorithm>

#include "Cp1252.h"
#include "RecordReader.h"
#include "RecordWriter.h"
#include "TextFile.h"

namespace quoravel {

std::string BrokerFileNameToLoad(const std::string& remembered) {
    return remembered.empty() ? "brokers.brk" : remembered;
}

std::string BrokerFileNameToSave(const std::string& remembered) {
    return remembered.empty() ? "brokers.ini" : remembered;
}

Collection<cBroker> ReadBrokerFile(const std::filesystem::path& path, std::vector<long>* damaged) {
    Collection<cBroker> brokers;
    const auto bytes = ReadFileBytes(path);
    if (!bytes) return brokers;
    const std::string text = Cp1252ToUtf8(*bytes);
    // Where each line starts, and whether it holds a field: every line of a
    // broker record is a quoted text.
    std::vector<std::size_t> starts;
    std::vector<bool> field;
    for (RecordReader in(text); !in.AtEnd();) {
        starts.push_back(in.Position());
        field.push_back(in.ReadString().has_value());
    }
    // Blank lines at the end are no record.
    std::size_t lines = starts.size();
    while (lines > 0 && text.find_first_not_of(" \t\r\n", starts[lines - 1]) == std::string::npos) --lines;
    starts.push_back(text.size());

    long record = 0;
    for (std::size_t line = 0; line < lines;) {
        ++record;
        std::size_t bad = line;
        while (bad < lines && bad < line + kBrokerFieldCount && field[bad]) ++bad;
        if (bad == line + kBrokerFieldCount) {
            RecordReader in(std::string_view(text).substr(starts[line], starts[bad] - starts[line]));
            auto broker = std::make_shared<cBroker>();
            broker->Read(in);
            broker->SetIndex(static_cast<std::int16_t>(brokers.Count() + 1));
            brokers.Add(std::move(broker));
            line = bad;
            continue;
        }
        if (damaged) damaged->push_back(record);
        // The record is lost from its first bad line on. The good lines after
        // it are read so that they end on a record's end: a damaged field
        // leaves the record its length, and lines lost or added are made up
        // by the lines passed over.
        std::size_t runEnd = bad + 1;
        while (runEnd < lines && field[runEnd]) ++runEnd;
        line = std::min(lines, bad + 1 + (runEnd - bad - 1) % kBrokerFieldCount);
    }
    return brokers;
}

void WriteBrokerFile(const std::filesystem::path& path, const Collection<cBroker>& brokers) {
    RecordWriter out;
    for (const auto& broker : brokers) broker->Save(out);
    WriteFileAtomically(path, Utf8ToCp1252(out.Text()));
}

}  // namespace quoravel
