#include "BrokerFile.h"

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

Collection<cBroker> ReadBrokerFile(const std::filesystem::path& path) {
    Collection<cBroker> brokers;
    const auto bytes = ReadFileBytes(path);
    if (!bytes) return brokers;
    const std::string text = Cp1252ToUtf8(*bytes);
    RecordReader in(text);
    while (!in.AtEnd()) {
        auto broker = std::make_shared<cBroker>();
        if (!broker->Read(in)) continue;
        broker->SetIndex(static_cast<std::int16_t>(brokers.Count() + 1));
        brokers.Add(std::move(broker));
    }
    return brokers;
}

void WriteBrokerFile(const std::filesystem::path& path, const Collection<cBroker>& brokers) {
    RecordWriter out;
    for (const auto& broker : brokers) broker->Save(out);
    WriteFileAtomically(path, Utf8ToCp1252(out.Text()));
}

}  // namespace quoravel
