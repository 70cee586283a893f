#include <gtest/gtest.h>

#include <map>

#include "RateTool.h"
#include "TestSupport.h"
#include "Text.h"
#include "TextFile.h"

using namespace quoravel;
namespace fs = std::filesystem;

namespace {

std::string Errors(const ErrorLog& errors) {
    std::string text;
    for (const auto& e : errors)
        text += std::to_string(e->Number) + " " + e->ModuleName + "." + e->RoutineName + ": " +
                e->Description + "\n";
    return text;
}

std::string Bytes(const RateLayout& layout, const std::vector<RateRecord>& records) {
    std::string bytes;
    for (const auto& r : records) bytes += EncodeRecord(layout, r);
    return bytes;
}

const RateType& Type(int index) { return RateTypes()[static_cast<std::size_t>(index)]; }

// A rate that says where it belongs: sex, class, product column and age.
double Code(int sex, int classCode, int column, int age) {
    return 10000 * sex + 1000 * classCode + 100 * column + age;
}

// The level term tables (three terms, level-3 records) of ages 0 and 45, in
// the varied spellings actuaries deliver.
void WriteTermTables(const TempFolder& dir) {
    for (int i = 0; i < 2 * 8 * 3; ++i) {  // sex, class 1 to 8, column (term 5, 10, 15)
        const int sex = i / 24, classCode = i / 3 % 8 + 1, column = i % 3;
        std::string name = InputTableName("Term", 5 * (column + 1), "g", sex, classCode);
        if (classCode == 3) name = quoravel::ToUpper(name);
        if (column == 1) name += ".txt";
        dir.Write(name, "# age, rate\r\n\r\n0," + std::to_string(Code(sex, classCode, column, 0)) +
                            "\r\n  45 \t " + std::to_string(Code(sex, classCode, column, 45)) + "\n");
    }
}

}  // namespace

TEST(RateToolDump, EveryLayoutRoundTripsThroughItsTextExactly) {
    const std::vector<double> awkward{0.1, 1.0 / 3, 1e300, -0.0, 123456789.125, 5e-324, 362};
    for (const auto& layout : AllLayouts()) {
        std::vector<RateRecord> records(3);
        for (std::size_t r = 0; r < records.size(); ++r) {
            records[r].lead = static_cast<std::int16_t>(r == 2 ? -7 : r);
            for (std::size_t i = 0; i < layout.valueCount; ++i)
                records[r].values.push_back(awkward[(i + r) % awkward.size()]);
        }
        const std::string bytes = Bytes(layout, records);
        const std::string text = DumpRates(layout, bytes, "x.rat");
        EXPECT_EQ(text.substr(0, text.find("\r\n")), "layout " + std::string(layout.name));
        EXPECT_EQ(RebuildRates(text, "x.txt"), bytes) << layout.name;
    }

    TempFolder dir;
    const RateLayout& waiver = LayoutOf(RateLayoutKind::Waiver);
    dir.Write("w.rat", Bytes(waiver, {{3, {1, 2, 3, 4, 5, 6.5}}}));
    ErrorLog errors;
    EXPECT_NE(DumpRateFile(dir.path() / "w.rat", waiver, dir.path() / "w.txt", errors), "");
    EXPECT_EQ(dir.Read("w.txt"), "layout waiver\r\n3 1 2 3 4 5 6.5\r\n");
    EXPECT_NE(RebuildRateFile(dir.path() / "w.txt", dir.path() / "again.rat", errors), "");
    EXPECT_EQ(dir.Read("again.rat"), dir.Read("w.rat"));
    EXPECT_EQ(Errors(errors), "");
}

TEST(RateToolDump, BadTextOrLengthIsRefusedNamingFileLineAndValue) {
    const std::vector<std::pair<std::string, std::string>> rows{
        {"layout level-9\n",
         "d.txt, line 1: \"layout level-9\" does not name a layout (e.g. \"layout level-5\")."},
        {"# sample\nlayout waiver\n0 1 2 3 4 5\n",
         "d.txt, line 3: 6 values where a waiver record takes its leading integer and 6 rates."},
        {"layout waiver\n0 1 2 3 4 5 six\n", "d.txt, line 2: \"six\" is not a number."},
        {"layout waiver\n40000 1 2 3 4 5 6\n",
         "d.txt, line 2: the leading integer \"40000\" is not a whole number from -32768 to 32767."},
        {"\n# nothing\n", "The rate dump d.txt names no layout."},
    };
    for (const auto& [text, message] : rows)
        EXPECT_EQ(Raised([&] { RebuildRates(text, "d.txt"); }), "13 RateTool: " + message) << text;
    EXPECT_EQ(Raised([] { DumpRates(LayoutOf(RateLayoutKind::Level5), std::string(725, '\0'), "f.rat"); }),
              "13 RateTool: f.rat holds 725 bytes, not a whole number of 722-byte level-5 records.");
}

TEST(RateToolCreate, LevelTablesLandAtTheirAgesRecordAndPosition) {
    TempFolder dir;
    WriteTermTables(dir);
    const RateToolInputs inputs{"Term", "g", "", dir.path(), {}, dir.path() / "QNBTermNew.rat"};
    ASSERT_TRUE(HasNeededInputs(Type(7), inputs));
    ErrorLog errors;
    EXPECT_EQ(CreateRateFile(Type(7), inputs, errors), "Level FG Rate File Created for QNB Term.");
    EXPECT_EQ(Errors(errors), "");

    const RateLayout& layout = LayoutOf(RateLayoutKind::Level3);
    const std::string bytes = dir.Read("QNBTermNew.rat");
    ASSERT_EQ(bytes.size(), 100 * layout.recordLength);
    RateFile file(RateFile::InMemory{}, bytes, layout);
    EXPECT_EQ(file.Record(46).lead, 45);
    EXPECT_EQ(file.Record(2).lead, 1);
    EXPECT_EQ(file.Record(2).values, std::vector<double>(54, 0.0)) << "ages without a line stay 0";
    for (int i = 0; i < 2 * 9 * 3; ++i) {  // sex, class 0 to 8, column
        const int sex = i / 27, classCode = i / 3 % 9, column = i % 3;
        const int source = classCode == 0 ? 2 : classCode;  // Preferred Elite takes the Preferred rates
        for (int age : {0, 45})
            EXPECT_EQ(file.Rate(age + 1, LevelIndex(column, classCode, sex, 3)),
                      Code(sex, source, column, age))
                << "sex " << sex << " class " << classCode << " column " << column << " age " << age;
    }
    EXPECT_EQ(RebuildRates(dir.Read("QNBTermRateDump.txt"), "dump"), bytes);
}

TEST(RateToolCreate, BadTablesFailNamingFileLineAndValueAndKeepTheLastGoodFile) {
    const std::string table =
        InputTableName("Term", 10, "g", 1, 4) + ".txt";  // a female table: the males are read first
    const std::vector<std::pair<std::string, std::string>> rows{
        {"0, 1\n45, 1 2\n", "@, line 2: 2 rates for age 45; this table takes exactly 1 per age."},
        {"100, 5\n", "@, line 1: the age \"100\" is not a whole number from 0 to 99."},
        {"0, 1\n0, 2\n", "@, line 2: age 0 appears a second time."},
        {"0,, 1\n", "@, line 1: a value is missing between commas."},
        {"7, -3\n",
         "@, line 1: the rate \"-3\" is not a rate in cents per 1,000 (a number from 0 to 100,000)."},
        {"7, 1e300\n",
         "@, line 1: the rate \"1e300\" is not a rate in cents per 1,000 (a number from 0 to 100,000)."},
        // what a spreadsheet exports for an empty row
        {",\n", "@, line 1: the line holds only commas, no values."},
        {"0, 1\n, ,\n", "@, line 2: the line holds only commas, no values."},
        {"# nothing yet\n", "The rate table @ holds no rates."},
    };
    for (const auto& [text, message] : rows) {
        TempFolder dir;
        WriteTermTables(dir);
        dir.Write(table, text);
        dir.Write("out.rat", "the last good file");
        ErrorLog errors;
        EXPECT_EQ(CreateRateFile(Type(7), {"Term", "g", "", dir.path(), {}, dir.path() / "out.rat"}, errors),
                  "");
        std::string expected = message;
        expected.replace(expected.find('@'), 1, dir.folder() + table);
        EXPECT_EQ(Errors(errors), "13 RateStuf.ReadNewTermRates: " + expected + "\n");
        EXPECT_EQ(dir.Read("out.rat"), "the last good file") << "replaced only by a whole new one";
    }
}

TEST(RateToolCreate, YearlyRenewableAndOneYearTablesFillTheirOwnLayouts) {
    TempFolder dir;
    for (int sex = 0; sex < 2; ++sex) {
        for (int classCode : {4, 6})
            dir.Write(InputTableName("yrt", 7, "g", sex, classCode),
                      "100 " + std::to_string(Code(sex, classCode, 0, 100)));
        for (int classCode : kOneYearClassOrder) {
            std::string lines;  // ages 0 and 1, policy years 1 to 11
            for (int i = 0; i < 22; ++i)
                lines += std::to_string(Code(sex, classCode, i % 11, i / 11)) + (i % 11 == 10 ? "\n" : ",");
            dir.Write(Brellan1TableName("b1.txt", classCode, sex).string(), lines);
        }
    }
    ErrorLog errors;
    RateToolInputs yrt{"yrt", "g", "", dir.path(), {}, dir.path() / "g.rat"};
    EXPECT_FALSE(HasNeededInputs(Type(4), yrt)) << "the product years name the tables";
    yrt.productYears = "7";
    EXPECT_EQ(CreateRateFile(Type(4), yrt, errors), "Guaranteed YRT File Created.");
    RateFile guaranteed(RateFile::InMemory{}, dir.Read("g.rat"), LayoutOf(RateLayoutKind::GuaranteedYrt));
    EXPECT_EQ(guaranteed.RecordCount(), 101);
    EXPECT_EQ(guaranteed.Rate(101, GuaranteedYrtIndex(true, true)), Code(1, 6, 0, 100));
    EXPECT_EQ(guaranteed.Rate(101, GuaranteedYrtIndex(false, false)), Code(0, 4, 0, 100));

    const RateToolInputs oneYear{{}, {}, {}, dir.path(), "b1.txt", dir.path() / "one.rat"};
    EXPECT_EQ(CreateRateFile(Type(5), oneYear, errors), "Brellan 1 Rate File Created.");
    EXPECT_EQ(Errors(errors), "");
    RateFile one(RateFile::InMemory{}, dir.Read("one.rat"), LayoutOf(RateLayoutKind::OneYear));
    EXPECT_EQ(one.RecordCount(), 1440);
    for (int classCode = 0; classCode <= 8; ++classCode)
        EXPECT_EQ(one.Rate(OneYearRecord(1, classCode, 1), 10),
                  Code(1, classCode == 0 ? 2 : classCode, 10, 1));

    dir.Write("b1.FSNU", "1,2,3,4,5,6,7,8,9,10\n");
    EXPECT_EQ(CreateRateFile(Type(5), oneYear, errors), "");
    EXPECT_EQ(
        errors.Item(1).Description,
        dir.folder() + "b1.FSNU, line 1: 10 rates where the one-year table takes 11 (policy years 1 to 11).");
}

TEST(RateToolConvert, OldClassesMoveToTheirCurrentClassCodes) {
    const RateLayout oldLayout{RateLayoutKind::Level5, "old", 410, true, false, 51};
    std::vector<RateRecord> old(2);
    for (int r = 0; r < 2; ++r) {
        old[r].lead = static_cast<std::int16_t>(r);
        for (int i = 0; i < 51; ++i) old[r].values.push_back(r * 1000 + i + 1);  // value 51 is unused
    }
    TempFolder dir;
    dir.Write("old.rat", Bytes(oldLayout, old));
    ErrorLog errors;
    EXPECT_NE(ConvertOldStyleRatesToNewStyle(dir.path() / "old.rat", dir.path() / "new.rat", errors), "");
    EXPECT_EQ(Errors(errors), "");
    const std::string bytes = dir.Read("new.rat");
    ASSERT_EQ(bytes.size(), 2u * 722);
    RateFile file(RateFile::InMemory{}, bytes, LayoutOf(RateLayoutKind::Level5));
    const std::map<int, int> newClassOf{{0, 1}, {1, 2}, {2, 4}, {3, 5}, {4, 6}};
    for (int sex = 0; sex < 2; ++sex) {
        for (int column = 0; column < 5; ++column) {
            for (const auto& [oldClass, newClass] : newClassOf)
                EXPECT_EQ(file.Rate(2, LevelIndex(column, newClass, sex, 5)),
                          1000 + column + 5 * (oldClass + 5 * sex) + 1);
            for (int without : {0, 3, 7, 8}) EXPECT_EQ(file.Rate(2, LevelIndex(column, without, sex, 5)), 0);
        }
    }
    EXPECT_EQ(file.Record(2).lead, 1);

    dir.Write("short.rat", std::string(400, '\0'));
    EXPECT_EQ(ConvertOldStyleRatesToNewStyle(dir.path() / "short.rat", dir.path() / "x.rat", errors), "");
    EXPECT_EQ(errors.Item(1).Description,
              "The old rate file " + dir.folder() +
                  "short.rat holds 400 bytes, not a whole number of 410-byte records.");
}

TEST(RateToolHelp, NotesFitTheRateType) {
    EXPECT_TRUE(RateTypeHelpText(Type(7)).ends_with(
        "\r\n\r\nThe output file 'QNBTermNew.rat' is created in the applications path."));
    EXPECT_EQ(FindRateType("select RATES"), &Type(10));
    EXPECT_EQ(FindRateType("3"), &Type(3));
    EXPECT_EQ(FindRateType("Level Rates"), nullptr);
}
