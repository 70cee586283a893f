#include "CaseDirectory.h"

namespace quoravel {

CaseDirectory::Opened CaseDirectory::Open(const std::string& read, const Collection<Broker>& brokers) {
    CaseFileContents file = LoadCaseFile(read);
    cases_ = std::move(file.cases);
    unread_ = std::move(file.unread);
    changed_ = false;
    for (const auto& client : cases_) {
        // The case's broker is the broker of the list with its stored name.
        for (const auto& broker : brokers)
            if (broker->SortName() == client->SavedBrokerName()) client->SetBroker(broker);
    }
    Opened opened{file.notCaseFile, {}};
    for (const UnreadCaseRecord& record : unread_) opened.unreadRecords.push_back(record.Description());
    return opened;
}

void CaseDirectory::Save(const std::string& target) {
    WriteCaseFile(target, cases_, false, unread_);
    changed_ = false;
}

bool CaseDirectory::HoldsOtherText(const std::string& target) { return LoadCaseFile(target).notCaseFile; }

void CaseDirectory::Add(const std::shared_ptr<ClientCase>& client) {
    cases_.Add(client);
    client->SetIndex(static_cast<std::int16_t>(cases_.Count()));
    changed_ = true;
}

void CaseDirectory::Remove(long index) {
    cases_.Remove(index);
    changed_ = true;
}

}  // namespace quoravel
