#include "Broker.h"

#include "RecordReader.h"
#include "RecordWriter.h"

namespace quoravel {

std::string Broker::Get(BrokerField field) const {
    const std::string& value = fields_[Slot(field)];
    if ((field == BrokerField::address_1 || field == BrokerField::address_2) && value == " ") return {};
    return value;
}

std::string Broker::SortName() const {
    std::string name = fields_[Slot(BrokerField::last_name)];
    const std::string& first = fields_[Slot(BrokerField::first_name)];
    const std::string& middle = fields_[Slot(BrokerField::middle_init)];
    if (!first.empty()) {
        name += ", " + first;
        if (!middle.empty()) name += " " + middle;
    }
    return name;
}

std::string Broker::GetTitle() const {
    std::string title;
    for (auto field : {BrokerField::first_name, BrokerField::middle_init, BrokerField::last_name}) {
        const std::string& part = fields_[Slot(field)];
        if (part.empty()) continue;
        if (!title.empty()) title += ' ';
        title += part;
    }
    return title;
}

void Broker::Save(RecordWriter& out) const {
    for (const auto& field : fields_) out.WriteString(field);
}

bool Broker::Read(RecordReader& in) {
    for (auto& field : fields_) {
        auto value = in.ReadString();
        if (!value) return false;
        field = std::move(*value);
    }
    return true;
}

}  // namespace quoravel
