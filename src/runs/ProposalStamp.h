#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quoravel {

// The annual premium of every policy year of one product at one face amount,
// as the proposal priced them.
struct StampedPremiums {
    std::int32_t product = 0;
    std::int32_t faceAmount = 0;
    std::vector<double> yearly;
    friend bool operator==(const StampedPremiums&, const StampedPremiums&) = default;
};

// What a proposal needs to be made again and checked: the program and the
// rates that made it, the day, the case as it came in and what it cost.
struct ProposalStamp {
    // How the case is held: the text of relay.ini, or one client's case record.
    enum class CaseKind { Relay, CaseRecord };

    std::string version;  // the program's version text
    std::string rateSet;  // the identity of the rate files
    std::string date;     // the day the proposal was made, YYYY-MM-DD
    CaseKind kind = CaseKind::Relay;
    std::string caseText;  // any bytes
    std::vector<StampedPremiums> premiums;
    friend bool operator==(const ProposalStamp&, const ProposalStamp&) = default;
};

// The stamp as an XMP packet of its own namespace: the case in base64, the
// premiums as "product face premium premium …" groups separated by ";".
std::string StampXmp(const ProposalStamp& stamp);
// The stamp of the first packet in `bytes` (a whole PDF file, say) that
// carries one, or nothing when there is none or it cannot be read.
std::optional<ProposalStamp> FindStamp(std::string_view bytes);

// The parts of the packet that relay.out carries as they are.
std::string CaseKindName(ProposalStamp::CaseKind kind);
std::string EncodeBase64(std::string_view bytes);
std::string PremiumsText(const std::vector<StampedPremiums>& premiums);

}  // namespace quoravel
