#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace quoravel {

class RecordReader;
class RecordWriter;

// The fields of a broker, in the order of the fifteen lines of a broker record.
enum class BrokerField {
    last_name,
    first_name,
    middle_init,
    license_num,
    license_state,
    address_1,
    address_2,
    city,
    state,
    zip,
    phone_num,
    ext,
    fax_num,
    GA_Name,
    Broker_Co,
};
inline constexpr std::size_t kBrokerFieldCount = 15;

// A broker (agent) who presents proposals.
class Broker {
public:
    // The address lines read "" when they hold a single blank.
    std::string Get(BrokerField field) const;
    void Set(BrokerField field, std::string value) { fields_[Slot(field)] = std::move(value); }

    std::int16_t Index() const { return index_; }
    void SetIndex(std::int16_t index) { index_ = index; }

    // "Last, First M"; with a first name but no last name ", First".
    std::string SortName() const;
    // "First M Last" from the parts that are not empty.
    std::string GetTitle() const;

    void Save(RecordWriter& out) const;
    // True when all fifteen fields were read; the fields read so far stay set.
    bool Read(RecordReader& in);

private:
    static std::size_t Slot(BrokerField field) { return static_cast<std::size_t>(field); }

    std::array<std::string, kBrokerFieldCount> fields_;
    std::int16_t index_ = 0;
};

}  // namespace quoravel
