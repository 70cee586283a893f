#include <gtest/gtest.h>

#include <algorithm>
#include <regex>

#include "BrokerFile.h"
#include "CaseFile.h"
#include "CommissionSettings.h"
#include "RecordReader.h"
#include "RecordWriter.h"
#include "TestSupport.h"

using namespace quoravel;

namespace {

std::shared_ptr<ClientCase> SampleCase(const std::string& last, const std::string& first) {
    auto c = std::make_shared<ClientCase>();
    c->SetLastName(last);
    c->SetFirstName(first);
    c->SetState("TX");
    c->SetDateOfBirth(Date::FromYmd(1970, 2, 28));
    c->SetAge(56);
    c->SetIsMale(true);
    c->SetClassification(4);
    c->SetTableRating("C");
    c->SetTempFlatExtra(0.1);
    c->SetTempFlatExtraYears(3);
    c->SetWaiver(true);
    c->SetWaiverRating(1.5);
    c->SetChildRider(true);
    c->SetChildRiderUnits(4);
    c->SetPaymentMode(Quarterly);
    c->SetCompanyVersion("CV 7");
    c->Proposal().AddProduct(2);
    c->Proposal().AddProduct(3);
    c->Proposal().AddFaceAmount(500000, "TX");
    c->Proposal().AddFaceAmount(100000, "TX");
    c->Proposal().SetOutputClassInfo(true);
    return c;
}

Collection<ClientCase> Cases(std::initializer_list<std::shared_ptr<ClientCase>> list) {
    Collection<ClientCase> cases;
    for (const auto& c : list) cases.Add(c);
    return cases;
}

std::string Record(const std::string& last, bool relayMode) {
    return FormatCases(Cases({SampleCase(last, "Pat")}), relayMode);
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    text.replace(text.find(from), from.size(), to);
    return text;
}

}  // namespace

TEST(CaseFile, RoundTripKeepsEveryStoredFieldAndTheWriterRules) {
    auto original = SampleCase("O'Neil", "José");
    original->AssignedBroker().Set(BrokerField::last_name, "Moreno");
    TempFolder folder;
    WriteCaseFile(folder.path() / "cases.clt", Cases({original}), false);
    EXPECT_NE(folder.Read("cases.clt").find("Jos\xE9"), std::string::npos);  // Windows-1252 on disk

    auto loaded = ReadCaseFile(folder.path() / "CASES.CLT");
    ASSERT_EQ(loaded.Count(), 1);
    const ClientCase& c = loaded.Item(1);
    EXPECT_EQ(std::to_string(c.Index()) + "|" + c.FirstName() + "|" + c.DateOfBirth().Iso() + "|" +
                  c.SavedBrokerName(),
              "1|José|1970-02-28|Moreno");
    EXPECT_EQ(FormatCases(loaded, false), FormatCases(Cases({original}), false));  // every field written

    // A name as long as a window field takes (32,767 characters) reads back whole.
    for (const std::size_t length : {5000u, 32767u}) {
        original->SetFirstName(std::string(length, 'n'));
        WriteCaseFile(folder.path() / "long.clt", Cases({original}), false);
        const auto longName = ReadCaseFile(folder.path() / "long.clt");
        ASSERT_EQ(longName.Count(), 1) << length;
        EXPECT_EQ(longName.Item(1).FirstName().size(), length);
    }

    // A double quote in a text is written as a single one.
    EXPECT_NE(FormatCases(Cases({SampleCase("Say \"Hi\"", "")}), false).find("\"Say 'Hi'\"\r\n"),
              std::string::npos);
    RecordWriter out;
    IllustrationOptions().Save(out);
    EXPECT_EQ(out.Text().substr(0, 14), "False\r\n 0 \r\n\r\n");

    // A save that cannot be made is reported; a name differing only in case is the same file.
    EXPECT_THROW(WriteCaseFile(folder.path() / "missing" / "x.clt", Cases({original}), false), RuntimeError);
    WriteCaseFile(folder.path() / "CASES.CLT", Cases({SampleCase("B", "")}), false);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 2);  // and long.clt
    EXPECT_EQ(ReadCaseFile(folder.path() / "cases.clt").Item(1).LastName(), "B");
}

TEST(CaseFile, OlderLayoutTranslatesTheClass) {
    // The older layout: no birth date, no broker name, the older class scale (3 is today's 5), and the
    // spouse-fee waiver a general boolean, where a quoted True reads as true.
    RecordWriter old;
    IllustrationOptions options;
    options.AddProduct(1);
    options.Save(old);
    const auto cases = ParseCases(
        "\"Old\"\r\n\"Ann\"\r\n\"\"\r\n\"tx\"\r\n40\r\n#FALSE#"
        "\r\n3\r\n\"None\"\r\n0\r\n0\r\n0\r\n\"True\"\r\n"
        "0\r\n#FALSE#\r\n0\r\n#FALSE#\r\n0\r\n0\r\n" +
        old.Text());
    ASSERT_EQ(cases.Count(), 1);
    EXPECT_EQ(cases.Item(1).Classification(), 5);
    EXPECT_TRUE(cases.Item(1).WaiveSpouseFee());
    EXPECT_TRUE(cases.Item(1).DateOfBirth().IsZero());
    EXPECT_EQ(cases.Item(1).State(), "TX");
    EXPECT_EQ(cases.Item(1).Proposal().ProductType(), 1);
}

// The records read back, by last name and, where a relay record holds one,
// company version: damage costs the damaged record only.
TEST(CaseFile, DamagedInputKeepsTheGoodRecords) {
    const std::string a = Record("A", false);
    const std::string b = Record("B", false);
    const std::string longLine(100000, 'x');
    const std::tuple<const char*, std::string, std::vector<std::string>> rows[] = {
        {"relay strings are recognised whatever the mode", Record("A", true) + b, {"A|CV 7", "B"}},
        {"the placeholder case is not written",
         FormatCases(Cases({SampleCase("Client", "Term"), SampleCase("Kept", "A")}), false),
         {"Kept"}},
        {"garbage between two records", a + "garbage\r\n\"v1.0.01\"\r\n\"half\"\r\n" + b, {"A", "B"}},
        {"truncated last record", a + b.substr(0, b.size() / 2), {"A"}},
        {"text in a number field", a + Replaced(b, "\r\n56\r\n", "\r\nabc\r\n") + a, {"A", "A"}},
        {"100,000-character line", longLine + "\r\n" + a, {"A"}},
        {"LF-only line ends", std::regex_replace(a, std::regex("\r"), ""), {"A"}},
        {"huge list bound", Replaced(b, "\r\n 2 \r\n", "\r\n 2000000000 \r\n") + a, {"A"}},
        {"empty file", "", {}},
    };
    for (const auto& [what, text, expected] : rows) {
        std::vector<std::string> names;
        for (const auto& c : ParseCases(text))
            names.push_back(c->LastName() + (c->CompanyVersion().empty() ? "" : "|" + c->CompanyVersion()));
        EXPECT_EQ(names, expected) << what;
    }
    EXPECT_EQ(ReadCaseFile("/nonexistent/none.clt").Count(), 0);
}

// A record that cannot be read is named where its damage is and written back
// byte for byte where it stood, so a save holds every record the file held.
TEST(CaseFile, AnUnreadRecordIsNamedAndWrittenBackWhereItStood) {
    const auto lines = [](const std::string& t) { return static_cast<long>(std::ranges::count(t, '\n')); };
    const std::string a = Record("A", false);
    const std::string c = Record("C", false);
    const std::string forty = Replaced(Record("B", false), "\r\n56\r\n", "\r\nforty\r\n");
    // Without its last line (the years to print), reading B runs into C's record mark.
    std::string cut = Record("B", false);
    cut.erase(cut.rfind("\r\n", cut.size() - 3) + 2);
    const std::pair<std::string, std::string> rows[] = {
        {forty, "record 2 (line " + std::to_string(lines(a) + 8) + "): the age reads \"forty\""},
        {cut, "record 2 (line " + std::to_string(lines(a) + lines(cut)) +
                  "): the record ends before its years to print"},
    };
    for (const auto& [damaged, told] : rows) {
        const std::string text = a + damaged + c;
        const CaseFileContents file = ParseCaseFile(text);
        ASSERT_EQ(file.cases.Count(), 2) << told;
        EXPECT_EQ(file.cases.Item(2).LastName(), "C");
        ASSERT_EQ(file.unread.size(), 1u);
        EXPECT_EQ(file.unread[0].Description(), told);
        EXPECT_EQ(FormatCases(file.cases, false, file.unread), text);
    }
    // With the case after it removed, the record is written at the end.
    CaseFileContents file = ParseCaseFile(a + forty + c);
    file.cases.Remove(2);
    EXPECT_EQ(FormatCases(file.cases, false, file.unread), a + forty);

    // A case file whose one record is damaged is still a case file.
    EXPECT_FALSE(ParseCaseFile(forty).notCaseFile);
}

TEST(BrokerFile, RoundTripNamesAndDamagedRecords) {
    TempFolder folder;
    EXPECT_EQ(BrokerFileNameToLoad("") + "|" + BrokerFileNameToSave(""), "brokers.brk|brokers.ini");
    EXPECT_EQ(ReadBrokerFile(folder.path() / BrokerFileNameToLoad("")).Count(), 0);

    Collection<Broker> brokers;
    Broker one;
    one.Set(BrokerField::last_name, "Moreno");
    one.Set(BrokerField::first_name, "Elena");
    one.Set(BrokerField::GA_Name, "Westfield Agency");
    one.Set(BrokerField::Broker_Co, "Moreno Financial");
    one.Set(BrokerField::address_2, " ");
    brokers.Add(one);
    Broker firstOnly;
    firstOnly.Set(BrokerField::first_name, "Sam");
    brokers.Add(firstOnly);
    WriteBrokerFile(folder.path() / "brokers.ini", brokers);

    const std::string bytes = folder.Read("brokers.ini");
    folder.Write("brokers.ini", bytes.substr(0, bytes.size() / 2) + "garbage\r\n" + bytes);
    auto loaded = ReadBrokerFile(folder.path() / "brokers.ini");
    ASSERT_GE(loaded.Count(), 2);
    const Broker& last = loaded.Item(loaded.Count());
    EXPECT_EQ(last.SortName(), ", Sam");
    EXPECT_EQ(last.Index(), loaded.Count());
    const Broker& first = loaded.Item(loaded.Count() - 1);
    EXPECT_EQ(first.Get(BrokerField::GA_Name) + "|" + first.Get(BrokerField::Broker_Co) + "|" +
                  first.Get(BrokerField::address_2) + "|" + first.GetTitle(),
              "Westfield Agency|Moreno Financial||Elena Moreno");
}

// A broker with a line too many or too few costs that broker only: the ones
// after it are read in step, and the message names the damaged one.
TEST(BrokerFile, ABrokerWithALineTooManyOrTooFewCostsThatBrokerOnly) {
    // Five brokers, each with the fields the window keeps in shape filled in; the third changed.
    const auto changed = [](auto change) {
        std::string text;
        for (int i = 1; i <= 5; ++i) {
            const std::string n = std::to_string(i);
            std::vector<std::string> broker{
                "Last" + n,         "First" + n, "Q",          "TX100" + n,  "TX",
                n + " Main St",     "",          "Austin" + n, "TX",         "7870" + n,
                "(512)555-010" + n, "",          "",           "Agency" + n, "Co" + n};
            if (i == 3) change(broker);
            for (const auto& field : broker) text += "\"" + field + "\"\r\n";
        }
        return text;
    };
    const std::vector<std::string> all{"Last1|Co1", "Last2|Co2", "Last3|Co3", "Last4|Co4", "Last5|Co5"};
    const std::vector<std::string> butThird{"Last1|Co1", "Last2|Co2", "Last4|Co4", "Last5|Co5"};
    const std::tuple<const char*, std::string, std::vector<std::string>, std::vector<long>> rows[] = {
        {"address on two lines", changed([](auto& b) { b.insert(b.begin() + 6, "Ste 4"); }), butThird, {3}},
        {"the city missing", changed([](auto& b) { b.erase(b.begin() + 7); }), butThird, {3}},
        // Read from where it starts, broker 3 would end with broker 4's first line.
        {"the company missing", changed([](auto& b) { b.pop_back(); }), butThird, {3}},
        // A file of whole brokers is read as it stands, whatever its fields hold.
        {"a telephone in words", changed([](auto& b) { b[10] = "ask the agency"; }), all, {}},
    };
    TempFolder folder;
    for (const auto& [what, text, expectRead, expectDamaged] : rows) {
        folder.Write("brokers.ini", text);
        std::vector<long> damaged;
        std::vector<std::string> read;
        for (const auto& broker : ReadBrokerFile(folder.path() / "brokers.ini", &damaged))
            read.push_back(broker->Get(BrokerField::last_name) + "|" + broker->Get(BrokerField::Broker_Co));
        EXPECT_EQ(read, expectRead) << what;
        EXPECT_EQ(damaged, expectDamaged) << what;
    }
}

TEST(CommissionSettings, KeepsTheMaximaAndRefusesBadSections) {
    TempFolder folder;
    folder.Write("TermComm.ini", "[3]\r\nFirstYear=55\r\nRenewal=5\r\nFirstYearMax=70\r\nBonus=9\r\n");
    CommissionSettings commission(folder.folder());
    EXPECT_THROW(commission.CommisionValue(4, 3), RuntimeError);
    commission.SetCommisionValue(CommissionSettings::FirstYearMax, 3, 99);  // the maxima are not saved
    commission.Save();
    EXPECT_EQ(CommissionSettings(folder.folder()).CommisionValue(CommissionSettings::FirstYearMax, 3), 70);

    folder.Write("TermComm.ini", "[0]\r\nFirstYear=1\r\n[x]\r\nFirstYear=2\r\n");
    const std::string error = Raised([&] { CommissionSettings bad(folder.folder()); });
    EXPECT_NE(error.find("TermComm.ini"), std::string::npos) << error;
    EXPECT_NE(error.find("\"x\""), std::string::npos) << error;
}
