#include <gtest/gtest.h>

#include <vector>

#include "IssueRules.h"

using namespace quoravel;

namespace {

const Date kAfterCutover = Date::FromYmd(2024, 3, 1);

ClientCase MakeClient(const char* state, std::int32_t company, std::int32_t classCode, bool male,
                      std::int16_t age, std::vector<std::int32_t> products) {
    ClientCase client;
    client.SetState(state);
    client.Proposal().SetCompany(company);
    client.SetClassification(classCode);
    client.SetIsMale(male);
    client.SetAge(age);
    for (auto product : products) client.Proposal().AddProduct(product);
    return client;
}

std::string Joined(const std::vector<std::string>& notes) {
    std::string joined;
    for (const auto& note : notes) joined += (joined.empty() ? "" : "|") + note;
    return joined;
}

constexpr const char* kRefused = "No proposal created for this client: ";
constexpr const char* kQuenby = "This risk class is not approved with the Quenby products.";

}  // namespace

TEST(ValidateAge, Messages) {
    struct Row {
        const char* state;
        std::int32_t company, classCode;
        bool male;
        std::int16_t age;
        std::vector<std::int32_t> products;
        bool prior;
        std::string expected;  // after "No proposal created for this client: "; empty when accepted
        const char* source;
    } rows[] = {
        // clang-format off
        {"TX", 1, 2, true, 60, {18}, false, "Quenby 10: Client must be between age 61 and 70.", "edge case"},
        {"MD", 0, 8, true, 76, {2}, false, "Brellan 10: Client must be age 75 or younger.", "edge case"},
        {"MD", 0, 7, true, 80, {2}, true, "", "MD prior scale: 80"},
        {"TX", 0, 5, false, 14, {2}, false, "Brellan 10: Nicotine use not allowed for clients under age 15.",
         "young nicotine user"},
        {"OR", 0, 5, false, 14, {2}, false, "Brellan 10: Client must be between age 18 and 80.", "not in OR"},
        {"TX", 1, 5, false, 14, {2}, false, "Brellan 10: Client must be between age 16 and 80.", "QNB"},
        {"TX", 1, 6, true, 9, {26}, false, "\n\nNo proposal created as nicotine users begin at age 10.",
         "QNB nicotine under 10"},
        {"WA", 0, 4, true, 74, {3}, false, "Brellan 15: Client must be age 65 or younger. "
         "Brellan 15 : A Male,  Standard No Nicotine must be under age 74 in WA",
          "state limit after the maximum"},
        {"MD", 0, 8, true, 63, {4, 5}, false,
         "Brellan 20: Client must be age 61 or younger. Brellan 30\u00AE: Client must be age 42 or younger. "
         "Brellan 20: A Male, Select No Nicotine must be under age 63 in MD", "MD group stops at product 4"},
        {"PA", 0, 8, true, 77, {2}, false, "Brellan 10: A Male, Custom Nicotine must be under age 77 in PA",
         "state limit at the maximum"},
        {"TX", 2, 2, true, 70, {31}, false, "Amberlin 15 \u2022 10: Client must be age 65 or younger.",
         "company 2 name"},
        {"TX", 0, 2, true, 0, {1}, false, "Brellan 5: Client must be between age 50 and 80.", "age 0"},
        {"TX", 0, 2, true, 100, {7}, false, "", "no issue-age rule"},
        {"TX", 1, 0, true, 65, {18}, false, std::string("Quenby 10: ") + kQuenby, "no super-preferred"},
        {"NY", 1, 7, true, 65, {19}, false, std::string("Quenby 15: ") + kQuenby, "no custom class in NY"},
        {"TX", 1, 7, true, 65, {18}, false, "", "Quenby: custom class outside NY"},
        // clang-format on
    };
    for (auto& row : rows) {
        ClientCase client =
            MakeClient(row.state, row.company, row.classCode, row.male, row.age, row.products);
        const AgeCheck check = ValidateAge(client, row.prior);
        EXPECT_EQ(check.ok, row.expected.empty()) << row.source;
        EXPECT_EQ(check.message, row.expected.empty() ? "" : kRefused + row.expected)
            << row.state << " class " << row.classCode << " age " << row.age << ": " << row.source;
    }
}

TEST(ValidateAge, Notices) {
    ClientCase comparison = MakeClient("MD", 0, 8, true, 76, {2, 26});
    const auto failed = ValidateAge(comparison, false).notices;
    ASSERT_EQ(failed.size(), 1U);
    EXPECT_EQ(failed[0].title, "Age out of range");
    EXPECT_EQ(failed[0].text,
              "Product Comparison page will not print.  Please choose to print individual ledgers.");

    // A comparison some of whose products fit goes on without the others.
    ClientCase partly = MakeClient("TX", 0, 4, true, 55, {2, 5});
    const AgeCheck fits = ValidateAge(partly, false);
    EXPECT_TRUE(fits.ok);
    EXPECT_EQ(fits.outOfAge, std::vector<std::int32_t>{5});
    ASSERT_EQ(fits.notices.size(), 1U);  // not the advice to print individual ledgers: they are
    EXPECT_EQ(fits.notices[0].text,
              "Left out of this proposal: Brellan 30\u00AE: Client must be age 50 or younger.");

    ClientCase quenby = MakeClient("TX", 1, 1, true, 65, {18, 19});
    const auto refused = ValidateAge(quenby, false).notices;
    ASSERT_EQ(refused.size(), 2U);  // one class notice for both products, then the comparison
    EXPECT_EQ(refused[0].title, "Age out of Range");
    EXPECT_EQ(refused[0].text, kQuenby);
}

TEST(ValidateClientInfo, Riders) {
    struct Row {
        std::int16_t age;
        bool waiver, child, spouseFee;
        const char* rating;
        std::int32_t face;
        const char* notes;
        const char* source;
    } rows[] = {
        {55, true, true, false, "None", 100000, "", "edge case: 55 keeps both"},
        {56, true, true, false, "None", 100000,
         "Waiver Removed - Not available for client of age 56.  |"
         "Child Rider Removed - Not available for client of age 56.  ",
         "edge case"},
        {14, true, true, true, "None", 100000,
         "Waiver Removed - Not available for client of age 14.  |"
         "Child Rider Removed - Not available for client of age 14.  |"
         "Waive Fee for Spouse option removed - Client is too young.  ",
         "edge case"},
        {15, true, false, true, "None", 100000, "", "15 keeps the waiver and the spouse-fee waiver"},
        {17, false, true, false, "None", 100000,
         "Child Rider Removed - Not available for client of age 17.  ", "edge case"},
        {40, true, false, false, "None", 5000000, "", "edge case: exactly 5,000,000"},
        {40, true, false, false, "None", 5000001,
         "Waiver Removed- Not available for face amounts in excess of $5,000,000.", "edge case"},
        {40, true, false, false, "D", 100000, "", "edge case"},
        {40, true, false, false, "E", 100000,
         "Waiver Removed -Not available with table ratings greater than D (or 4).", "edge case"},
        {40, true, false, false, "", 100000, "", "no rating entered counts as None"},
    };
    for (const auto& row : rows) {
        ClientCase client = MakeClient("TX", 0, 4, true, row.age, {2});
        client.SetWaiver(row.waiver);
        client.SetChildRider(row.child);
        client.SetWaiveSpouseFee(row.spouseFee);
        client.SetTableRating(row.rating);
        client.Proposal().AddFaceAmount(row.face, "TX");
        ProcessValues process;
        ProposalRun run(process, "");
        const std::string notes = Joined(ValidateClientInfo(client, run, kAfterCutover));
        EXPECT_EQ(notes, row.notes) << "age " << row.age << " rating " << row.rating << ": " << row.source;
        EXPECT_EQ(client.Waiver(), row.waiver && notes.find("Waiver") == std::string::npos) << row.source;
        EXPECT_EQ(client.ChildRider(), row.child && notes.find("Child") == std::string::npos) << row.source;
    }
}

TEST(ValidateClientInfo, TableRating) {
    struct Row {
        std::int32_t company, classCode;
        const char* rating;
        const char* note;
        const char* ratingAfter;
    } rows[] = {
        {0, 2, "B", "Table Rating Removed - Not allowed on a Preferred Cases.  ", "None"},
        {2, 5, "B", "Table Rating Removed - Not allowed on a Preferred Cases.  ", "None"},
        {0, 3, "B", "", "B"},
        {1, 3, "B", "Table Rating Removed - Not allowed on a Preferred, Select or Custom Cases.  ", "None"},
        {1, 8, "P", "Table Rating Removed - Not allowed on a Preferred, Select or Custom Cases.  ", "None"},
        {1, 4, "B", "", "B"},
        {1, 2, "None", "", "None"},
    };
    for (const auto& row : rows) {
        ClientCase client = MakeClient("TX", row.company, row.classCode, true, 40, {2});
        client.SetTableRating(row.rating);
        ProcessValues process;
        ProposalRun run(process, "");
        EXPECT_EQ(Joined(ValidateClientInfo(client, run, kAfterCutover)), row.note)
            << "company " << row.company << " class " << row.classCode;
        EXPECT_EQ(client.TableRating(), row.ratingAfter);
    }
}

TEST(ValidateClientInfo, SupplementaryPages) {
    const char* lowest =
        "Class Comparison Page will not print.  Either the class is the lowest for the specified "
        "classification or Table Rating is used.  ";
    struct Row {
        std::int32_t classCode;
        std::int16_t age;
        std::vector<std::int32_t> products;
        const char* rating;
        const char* notes;
        const char* source;
    } rows[] = {
        {7, 40, {2}, "None", lowest, "custom classes end the ladder"},
        {8, 40, {2}, "None", lowest, "custom classes end the ladder"},
        {4, 40, {2}, "B", lowest, "table rating used"},
        {4, 40, {2}, "None", "", "compares with 7"},
        // clang-format off
        {5, 76, {2}, "None",
         "Class Comparison Page will not print due to age restrictions on the lower classifications.  ",
         "MD male class 8 maximum 75"},
        {6, 76, {2}, "None",
         "Class Comparison Page will not print due to age restrictions on the lower classification.  ",
         "MD male class 8 maximum 75"},
        {6, 75, {2}, "None", "", "at the class-8 maximum"},
        {4, 40, {8}, "None", "Class Information Page will not print on a Pellamy proposal.  ", "Pellamy"},
        {4, 73, {2, 3}, "None",
         "Product Comparison page will not print.  Individual ledgers will be produced.  ",
         "MD male class 4: product 3 maximum 72"},
        // clang-format on
    };
    for (const auto& row : rows) {
        ClientCase client = MakeClient("MD", 0, row.classCode, true, row.age, row.products);
        client.SetTableRating(row.rating);
        client.Proposal().SetOutputClassComp(true);
        client.Proposal().SetOutputClassInfo(true);
        ProcessValues process;
        ProposalRun run(process, "");
        const std::string notes = Joined(ValidateClientInfo(client, run, kAfterCutover));
        EXPECT_EQ(notes, row.notes) << "class " << row.classCode << " age " << row.age << ": " << row.source;
        EXPECT_EQ(client.Proposal().OutputClassComp(), notes.find("Class Comparison") == std::string::npos);
        EXPECT_EQ(client.Proposal().OutputClassInfo(), notes.find("Class Information") == std::string::npos);
        EXPECT_EQ(client.Proposal().PrintOption(), notes.find("Individual") == std::string::npos ? 0 : 1);
    }
}

TEST(ValidateClientInfo, RateScaleMarkers) {
    const char* prior =
        "You have chosen to show the prior rate scale for this ledger.  |"
        "Please verify this is what you intend to do before distributing this ledger.";
    struct Row {
        const char* first;
        const char* middle;
        const char* last;
        Date today;
        bool usePriorRates;
        std::string notes;
    } rows[] = {
        {"John", "", "Smith 1back", kAfterCutover, true, prior},
        {"John", "", "Smith1BACK", kAfterCutover, false, ""},  // not a word of its own
        {"CUR1BACK", "", "Smith", kAfterCutover, true, prior},
        {"John", "PriorScaleQuote", "Smith", kAfterCutover, true, prior},
        {"CURRENTSCALEONLY", "", "Smith\tCURR1BACK", kAfterCutover, false,
         "You have chosen to show the current rate scale for this ledger.  "},
        {"", "", "BEFOREJULY2008", Date::FromYmd(2008, 6, 30), true, prior},
        {"", "", "BEFOREJULY2008", Date::FromYmd(2008, 7, 1), false,
         "The rate scale marker BEFOREJULY2008 has expired; the current rate scale is shown.  "},
        {"John", "", "Smith", kAfterCutover, false, ""},
    };
    for (const auto& row : rows) {
        ClientCase client = MakeClient("TX", 0, 4, true, 40, {2});
        client.SetFirstName(row.first);
        client.SetMiddleInit(row.middle);
        client.SetLastName(row.last);
        ProcessValues process;
        ProposalRun run(process, "");
        run.UsePriorRates = true;  // left over from the previous case
        EXPECT_EQ(Joined(ValidateClientInfo(client, run, row.today)), row.notes)
            << row.first << " " << row.last;
        EXPECT_EQ(run.UsePriorRates, row.usePriorRates) << row.first << " " << row.last;
        // The age check is handed the same scale before any correction is made.
        EXPECT_EQ(ChooseRateScale(client, row.today).usePriorRates, row.usePriorRates) << row.first;
    }
    // The outside system asks for the prior scale by "TVRN.UsePriorRates";
    // CURRENTSCALEONLY still holds over it.
    for (const auto& [last, prior] : {std::pair{"Smith", true}, std::pair{"CURRENTSCALEONLY", false}}) {
        ClientCase client = MakeClient("TX", 0, 4, true, 40, {2});
        client.SetLastName(last);
        ProcessValues process;
        ProposalRun run(process, "");
        run.RelayUsePriorRates = true;
        ValidateClientInfo(client, run, kAfterCutover);
        EXPECT_EQ(run.UsePriorRates, prior) << last;
    }
}

// What the outside system takes over: each correction under the relay key of
// the input it changed (Relay.upd writes booleans as Y and N).
TEST(ValidateClientInfo, CorrectionsAreUpdatesUnderTheirRelayKeys) {
    struct Row {
        const char* state;
        std::int32_t company, classCode;
        std::int16_t age;
        std::vector<std::int32_t> products;
        bool riders;
        const char* rating;
        const char* updates;
    } rows[] = {
        {"TX", 0, 4, 56, {2}, true, "None", "Insured.Waiver=N|Rider.CTR.Amt=0"},
        {"TX", 0, 4, 40, {2}, true, "None", ""},
        {"TX", 0, 2, 40, {2}, false, "B", "Insured.Table=0"},
        {"MD", 0, 7, 40, {2}, false, "None", "BRLN.Rpt.ClassComp=N"},
        {"MD", 0, 4, 40, {8}, false, "None", "BRLN.Rpt.ClassInfo=N"},
        {"MD", 0, 4, 73, {2, 3}, false, "None", "BRLN.PrintOpts=I"},
    };
    for (const auto& row : rows) {
        ClientCase client = MakeClient(row.state, row.company, row.classCode, true, row.age, row.products);
        client.SetWaiver(row.riders);
        client.SetChildRider(row.riders);
        client.SetChildRiderUnits(row.riders ? 2 : 0);
        client.SetTableRating(row.rating);
        client.Proposal().SetOutputClassComp(true);
        client.Proposal().SetOutputClassInfo(true);
        ProcessValues process;
        ProposalRun run(process, "");
        ValidateClientInfo(client, run, kAfterCutover);
        std::string updates;
        for (const auto& update : run.Updates)
            updates += (updates.empty() ? "" : "|") + update->Key + "=" + update->RelayText();
        EXPECT_EQ(updates, row.updates) << row.state << " class " << row.classCode << " age " << row.age;
        // The record says what Relay.upd says: no units without the rider.
        EXPECT_EQ(client.ChildRiderUnits() == 0, !client.ChildRider());
    }
}
