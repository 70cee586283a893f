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

// What ValidateClientInfo makes of a case: its notes, the corrections the
// outside system takes over under the relay key of the input each changed
// (Relay.upd writes booleans as Y and N), and the rate scale it settles on.
struct Validation {
    std::string notes, updates;
    bool usePriorRates;
};

Validation Validate(ClientCase& client, Date today = kAfterCutover, bool relayPrior = false) {
    ProcessValues process;
    ProposalRun run(process, "");
    run.UsePriorRates = true;  // left over from the previous case
    run.RelayUsePriorRates = relayPrior;
    Validation v;
    for (const auto& note : ValidateClientInfo(client, run, today))
        v.notes += (v.notes.empty() ? "" : "|") + note;
    for (const auto& update : run.Updates)
        v.updates += (v.updates.empty() ? "" : "|") + update->Key + "=" + update->RelayText();
    v.usePriorRates = run.UsePriorRates;
    return v;
}

constexpr const char* kPreferred = "Table Rating Removed - Not allowed on a Preferred Cases.  ";
constexpr const char* kPreferredSelectCustom =
    "Table Rating Removed - Not allowed on a Preferred, Select or Custom Cases.  ";

constexpr const char* kRefused = "No proposal created for this client: ";
constexpr const char* kQuenby = "This risk class is not approved with the Quenby products.";

}  // namespace

TEST(ValidateAge, Messages) {
    // State, company, class, male, age, products, prior scale, the refusal after "No proposal created for
    // this client: " (empty when accepted), and where the row comes from.
    // clang-format off
    const std::tuple<const char*, std::int32_t, std::int32_t, bool, std::int16_t, std::vector<std::int32_t>,
                     bool, std::string, const char*> rows[] = {
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
    };
    // clang-format on
    for (const auto& [state, company, classCode, male, age, products, prior, expected, source] : rows) {
        SCOPED_TRACE(testing::Message()
                     << state << " class " << classCode << " age " << age << ": " << source);
        ClientCase client = MakeClient(state, company, classCode, male, age, products);
        const AgeCheck check = ValidateAge(client, prior);
        EXPECT_EQ(check.ok, expected.empty());
        EXPECT_EQ(check.message, expected.empty() ? "" : kRefused + expected);
    }
}

TEST(ValidateAge, Notices) {
    ClientCase comparison = MakeClient("MD", 0, 8, true, 76, {2, 26});
    const auto failed = ValidateAge(comparison, false).notices;
    ASSERT_EQ(failed.size(), 1U);
    EXPECT_EQ(failed[0].title + "|" + failed[0].text,
              "Age out of range|Product Comparison page will not print.  Please choose to print individual "
              "ledgers.");

    // A comparison some of whose products fit goes on without the others.
    ClientCase partly = MakeClient("TX", 0, 4, true, 55, {2, 5});
    const AgeCheck fits = ValidateAge(partly, false);
    EXPECT_TRUE(fits.ok);
    EXPECT_EQ(fits.outOfAge, std::vector<std::int32_t>{5});
    EXPECT_EQ(fits.notices.size(), 1U);  // not the advice to print individual ledgers: they are

    ClientCase quenby = MakeClient("TX", 1, 1, true, 65, {18, 19});
    const AgeCheck refused = ValidateAge(quenby, false);
    // The refusal names the class in its own box, not in a notice beside it; then the comparison's advice.
    ASSERT_EQ(refused.notices.size(), 1U);
    EXPECT_EQ(refused.title, "Age out of Range");
    EXPECT_NE(refused.message.find(kQuenby), std::string::npos);
}

// Riders the client's age, the face or the rating rule out, and table
// ratings the class or the carrier rules out, are removed and told.
TEST(ValidateClientInfo, RidersAndRating) {
    // Company, class, age, waiver, child rider, spouse-fee waiver, rating, face, notes, where the row
    // comes from, and the corrections where given.
    // clang-format off
    const std::tuple<std::int32_t, std::int32_t, std::int16_t, bool, bool, bool, const char*, std::int32_t,
                     const char*, const char*, const char*> rows[] = {
        {0, 4, 55, true, true, false, "None", 100000, "", "edge case: 55 keeps both", ""},
        {0, 4, 56, true, true, false, "None", 100000,
         "Waiver Removed - Not available for client of age 56.  |"
         "Child Rider Removed - Not available for client of age 56.  ",
         "edge case", "Insured.Waiver=N|Rider.CTR.Amt=0"},
        {0, 4, 14, true, true, true, "None", 100000,
         "Waiver Removed - Not available for client of age 14.  |"
         "Child Rider Removed - Not available for client of age 14.  |"
         "Waive Fee for Spouse option removed - Client is too young.  ",
         "edge case", nullptr},
        {0, 4, 15, true, false, true, "None", 100000, "",
         "15 keeps the waiver and the spouse-fee waiver", nullptr},
        {0, 4, 17, false, true, false, "None", 100000,
         "Child Rider Removed - Not available for client of age 17.  ", "edge case", nullptr},
        {0, 4, 40, true, false, false, "None", 5000000, "", "edge case: exactly 5,000,000", nullptr},
        {0, 4, 40, true, false, false, "None", 5000001,
         "Waiver Removed- Not available for face amounts in excess of $5,000,000.", "edge case", nullptr},
        {0, 4, 40, true, false, false, "D", 100000, "", "edge case", nullptr},
        {0, 4, 40, true, false, false, "E", 100000,
         "Waiver Removed -Not available with table ratings greater than D (or 4).", "edge case", nullptr},
        {0, 4, 40, true, false, false, "", 100000, "", "no rating entered counts as None", nullptr},
        {0, 2, 40, false, false, false, "B", 100000, kPreferred, "BRN preferred", "Insured.Table=0"},
        {2, 5, 40, false, false, false, "B", 100000, kPreferred, "company 2 preferred", nullptr},
        {0, 3, 40, false, false, false, "B", 100000, "", "BRN select may be rated", nullptr},
        {1, 3, 40, false, false, false, "B", 100000, kPreferredSelectCustom, "QNB select", nullptr},
        {1, 8, 40, false, false, false, "P", 100000, kPreferredSelectCustom, "QNB custom", nullptr},
        {1, 4, 40, false, false, false, "B", 100000, "", "QNB standard may be rated", nullptr},
        {1, 2, 40, false, false, false, "None", 100000, "", "QNB preferred, not rated", nullptr},
    };
    // clang-format on
    for (const auto& [company, classCode, age, waiver, child, spouseFee, rating, face, notes, source,
                      updates] : rows) {
        SCOPED_TRACE(testing::Message()
                     << "company " << company << " class " << classCode << " age " << age << ": " << source);
        ClientCase client = MakeClient("TX", company, classCode, true, age, {2});
        client.SetWaiver(waiver);
        client.SetChildRider(child);
        client.SetChildRiderUnits(child ? 2 : 0);
        client.SetWaiveSpouseFee(spouseFee);
        client.SetTableRating(rating);
        client.Proposal().AddFaceAmount(face, "TX");
        const Validation v = Validate(client);
        EXPECT_EQ(v.notes, notes);
        EXPECT_TRUE(!updates || v.updates == updates) << v.updates;
        EXPECT_EQ(client.Waiver(), waiver && v.notes.find("Waiver") == std::string::npos);
        EXPECT_EQ(client.ChildRider(), child && v.notes.find("Child") == std::string::npos);
        // The record says what Relay.upd says: no units without the rider.
        EXPECT_EQ(client.ChildRiderUnits() == 0, !client.ChildRider());
        EXPECT_EQ(client.TableRating(), v.notes.find("Table Rating") == std::string::npos ? rating : "None");
    }
}

TEST(ValidateClientInfo, SupplementaryPages) {
    const char* lowest =
        "Class Comparison Page will not print.  Either the class is the lowest for the specified "
        "classification or Table Rating is used.  ";
    // Class, age, products, rating, notes, where the row comes from, and the corrections where given.
    // clang-format off
    const std::tuple<std::int32_t, std::int16_t, std::vector<std::int32_t>, const char*, const char*,
                     const char*, const char*> rows[] = {
        {7, 40, {2}, "None", lowest, "custom classes end the ladder", "BRLN.Rpt.ClassComp=N"},
        {8, 40, {2}, "None", lowest, "custom classes end the ladder", nullptr},
        {4, 40, {2}, "B", lowest, "table rating used", nullptr},
        {4, 40, {2}, "None", "", "compares with 7", nullptr},
        {5, 76, {2}, "None",
         "Class Comparison Page will not print due to age restrictions on the lower classifications.  ",
         "MD male class 8 maximum 75", nullptr},
        {6, 76, {2}, "None",
         "Class Comparison Page will not print due to age restrictions on the lower classification.  ",
         "MD male class 8 maximum 75", nullptr},
        {6, 75, {2}, "None", "", "at the class-8 maximum", nullptr},
        {4, 40, {8}, "None", "Class Information Page will not print on a Pellamy proposal.  ", "Pellamy",
         "BRLN.Rpt.ClassInfo=N"},
        {4, 73, {2, 3}, "None",
         "Product Comparison page will not print.  Individual ledgers will be produced.  ",
         "MD male class 4: product 3 maximum 72", "BRLN.PrintOpts=I"},
    };
    // clang-format on
    for (const auto& [classCode, age, products, rating, notes, source, updates] : rows) {
        SCOPED_TRACE(testing::Message() << "class " << classCode << " age " << age << ": " << source);
        ClientCase client = MakeClient("MD", 0, classCode, true, age, products);
        client.SetTableRating(rating);
        client.Proposal().SetOutputClassComp(true);
        client.Proposal().SetOutputClassInfo(true);
        const Validation v = Validate(client);
        EXPECT_EQ(v.notes, notes);
        EXPECT_TRUE(!updates || v.updates == updates) << v.updates;
        EXPECT_EQ(client.Proposal().OutputClassComp(), v.notes.find("Class Comparison") == std::string::npos);
        EXPECT_EQ(client.Proposal().OutputClassInfo(),
                  v.notes.find("Class Information") == std::string::npos);
        EXPECT_EQ(client.Proposal().PrintOption(), v.notes.find("Individual") == std::string::npos ? 0 : 1);
    }
}

// Whole words of the name fields, in any case, choose the scale; so may the
// outside system ("TVRN.UsePriorRates"), but CURRENTSCALEONLY holds over both.
TEST(ValidateClientInfo, RateScaleMarkers) {
    const char* prior =
        "You have chosen to show the prior rate scale for this ledger.  |"
        "Please verify this is what you intend to do before distributing this ledger.";
    const char* current = "You have chosen to show the current rate scale for this ledger.  ";
    // First, middle and last names, the day, the outside system's choice, the scale chosen, the notes.
    const std::tuple<const char*, const char*, const char*, Date, bool, bool, std::string> rows[] = {
        {"John", "", "Smith1BACK", kAfterCutover, false, false, ""},  // not a word of its own
        {"CUR1BACK", "", "Smith", kAfterCutover, false, true, prior},
        {"John", "PriorScaleQuote", "Smith", kAfterCutover, false, true, prior},
        {"CURRENTSCALEONLY", "", "Smith\tCURR1BACK", kAfterCutover, false, false, current},
        {"CURRENTSCALEONLY", "", "Smith", kAfterCutover, true, false, current},
        {"", "", "BEFOREJULY2008", Date::FromYmd(2008, 6, 30), false, true, prior},
        {"", "", "BEFOREJULY2008", Date::FromYmd(2008, 7, 1), false, false,
         "The rate scale marker BEFOREJULY2008 has expired; the current rate scale is shown.  "},
    };
    for (const auto& [first, middle, last, today, relayPrior, usePriorRates, notes] : rows) {
        SCOPED_TRACE(std::string(first) + " " + last);
        ClientCase client = MakeClient("TX", 0, 4, true, 40, {2});
        client.SetFirstName(first);
        client.SetMiddleInit(middle);
        client.SetLastName(last);
        const Validation v = Validate(client, today, relayPrior);
        EXPECT_EQ(v.notes, notes);
        EXPECT_EQ(v.usePriorRates, usePriorRates);
    }
}
