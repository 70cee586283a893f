// A proposal's stamp as its PDF carries it: written as an XMP packet and
// read back whole, from the packet alone or from bytes around it.
#include <gtest/gtest.h>

#include "ProposalStamp.h"

namespace {

using namespace quoravel;

TEST(ProposalStamp, SurvivesItsPacket) {
    const std::pair<const char*, ProposalStamp> cases[] = {
        {"relay case in Windows-1252 with markup characters",
         {"V1.0w",
          "408f37a8aa5b",
          "2025-03-01",
          ProposalStamp::CaseKind::Relay,
          "[Identifiers]\r\nInsured.Name=A & <B>\r\nInsured.ExtraTemp=1\xFC"
          "5\xFC"
          "2.50\r\n",
          {{4, 250000, {1765.0, 1765.0, 8577.5}}, {5, 500000, {0.75}}}}},
        {"case record, a product without premiums",
         {"V1.0", "", "2025-12-31", ProposalStamp::CaseKind::CaseRecord, "x", {{29, 100000, {}}}}},
        {"nothing priced, one byte of case",
         {"V1.0", "abc", "2025-01-02", ProposalStamp::CaseKind::Relay, "\x01", {}}},
        {"two bytes of case", {"V1.0", "abc", "2025-01-02", ProposalStamp::CaseKind::Relay, "ab", {}}},
        {"markup in the version",
         {"V1.0 R&D <beta> & more", "abc", "2025-01-02", ProposalStamp::CaseKind::Relay, "ab", {}}},
    };
    for (const auto& [what, stamp] : cases) {
        const std::string packet = StampXmp(stamp);
        EXPECT_EQ(FindStamp(packet), stamp) << what;
        // Inside a file, among other streams.
        EXPECT_EQ(FindStamp("%PDF-1.4\n1 0 obj\nstream\n" + packet + "\nendstream\n%%EOF\n"), stamp) << what;
    }
}

TEST(ProposalStamp, KnowsWhatIsNoStamp) {
    const ProposalStamp stamp{
        "V1.0", "abc", "2025-01-02", ProposalStamp::CaseKind::Relay, "case", {{4, 250000, {10.0}}}};
    const std::string packet = StampXmp(stamp);
    const auto replaced = [&](const std::string& from, const std::string& to) {
        std::string changed = packet;
        changed.replace(changed.find(from), from.size(), to);
        return changed;
    };
    const std::pair<const char*, std::string> cases[] = {
        {"no packet", "%PDF-1.4\n%%EOF\n"},
        {"another namespace", replaced("ns/stamp/1.0/", "ns/other/")},
        {"a premium that is no number", replaced("10.00", "ten")},
        // A stamp writes premiums in whole cents and numbers without signs or
        // leading zeros: a premium read otherwise would not write back the same.
        {"a premium beyond the cent", replaced("10.00", "10.0025")},
        {"a premium as an exponent", replaced("10.00", "1e308")},
        {"a premium with a leading zero", replaced("10.00", "010.00")},
        {"a product with a sign", replaced(">4 250000", ">+4 250000")},
        {"a case that is no base64", replaced("<qv:Case>Y2FzZQ==", "<qv:Case>ca$e")},
        {"a missing element", replaced("<qv:Date>2025-01-02</qv:Date>", "")},
        {"a day that is no date", replaced("2025-01-02", "2025-13-45")},
        {"a day not written YYYY-MM-DD", replaced("2025-01-02", "1/2/2025")},
        {"an unknown kind of case", replaced(">relay<", ">letter<")},
        {"cut off", packet.substr(0, packet.find("<qv:Premiums>"))},
    };
    for (const auto& [what, bytes] : cases) EXPECT_FALSE(FindStamp(bytes).has_value()) << what;
}

}  // namespace
