#include "RateSet.h"

#include <QCryptographicHash>
#include <algorithm>
#include <filesystem>
#include <utility>
#include <vector>

#include "RuntimeError.h"
#include "Text.h"
#include "TextFile.h"

namespace fs = std::filesystem;

namespace quoravel {

RateSet IdentifyRateSet(const std::string& folder) {
    std::vector<std::pair<std::string, fs::path>> files;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::string name = ToUpper(it->path().filename().string());
        std::error_code entry;
        if (name.ends_with(".RAT") && it->is_regular_file(entry))
            files.emplace_back(std::move(name), it->path());
    }
    std::sort(files.begin(), files.end());
    RateSet set;
    if (files.empty()) return set;
    QCryptographicHash hash(QCryptographicHash::Sha256);
    for (const auto& [name, path] : files) {
        const std::string bytes = ReadFileBytes(path).value_or("");
        const std::string size = std::to_string(bytes.size());
        hash.addData(QByteArrayView(name.data(), static_cast<qsizetype>(name.size() + 1)));
        hash.addData(QByteArrayView(size.data(), static_cast<qsizetype>(size.size() + 1)));
        hash.addData(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    }
    set.identity = hash.result().toHex().left(12).toStdString();
    set.files = static_cast<int>(files.size());
    return set;
}

const std::string& RateSetIdentityOnce(ProcessValues& process) {
    if (process.RateSetIdentity.empty()) {
        try {
            process.RateSetIdentity = IdentifyRateSet(process.ProgramFolder).identity;
        } catch (const RuntimeError&) {
            process.RateSetIdentity.clear();
        }
    }
    return process.RateSetIdentity;
}

}  // namespace quoravel
