#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <sys/resource.h>

#include "Cp1252.h"
#include "Date.h"
#include "RuntimeError.h"
#include "TextFile.h"
#include "clsINIFile.h"

using namespace quoravel;
namespace fs = std::filesystem;

namespace {

void ExpectRuntimeError(const std::function<void()>& call, int number, const std::string& source,
                        const std::string& description) {
    try {
        call();
        ADD_FAILURE() << "no error raised, expected: " << description;
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.Number(), number);
        EXPECT_EQ(e.Source(), source);
        EXPECT_EQ(e.Description(), description);
    }
}

// Every test works in a fresh folder of its own, removed afterwards.
class SettingsFile : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("quoravel-settings-" + std::to_string(std::random_device{}()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    void Put(const std::string& name, const std::string& bytes) const {
        std::ofstream(dir_ / name, std::ios::binary) << bytes;
    }
    std::string Bytes(const std::string& name) const { return ReadFileBytes(dir_ / name).value_or("<missing>"); }
    clsINIFile Ini(const std::string& section, bool booleans = true) const {
        clsINIFile ini;
        ini.SetPathname(dir_.string());
        ini.SetFilename("test.ini");
        ini.SetSection(section);
        if (booleans) {
            ini.SetBooleanDefaultTrue(Value(true));
            ini.SetBooleanDefaultFalse(Value(false));
        }
        return ini;
    }

    fs::path dir_;
};

TEST_F(SettingsFile, NotSetUpRaisesError5InOrderOfChecks) {
    clsINIFile ini;
    ExpectRuntimeError([&] { ini.ReadINI("k", 1); }, 5, "ReadIni", "Section name not set");
    ExpectRuntimeError([&] { ini.WriteINI("k", Value("v"), 1); }, 5, "WriteIni", "Section name not set");
    ini.SetSection("  S  ");
    EXPECT_EQ(ini.Section(), "S");
    ExpectRuntimeError([&] { ini.ReadINI("k", 1); }, 5, "ReadIni", "Filename not set");
    ExpectRuntimeError([&] { ini.WriteINI("k", Value("v"), 1); }, 5, "WriteIni", "Filename not set");
    ini = Ini("S", false);
    // The boolean texts are needed for every write, whatever the data type.
    ExpectRuntimeError([&] { ini.WriteINI("k", Value("v"), 1); }, 5, "WriteIni",
                       "Default value for Boolean True not set");
    ini.SetBooleanDefaultTrue(Value(true));
    ExpectRuntimeError([&] { ini.WriteINI("k", Value("v"), 2); }, 5, "WriteIni",
                       "Default value for Boolean False not set");
    EXPECT_FALSE(fs::exists(dir_ / "test.ini"));  // a refused write creates nothing
}

TEST_F(SettingsFile, BlankMissingAndUnparsableValuesReadAsTheDefault) {
    Put("test.ini", "[S]\r\nblank=   \r\nword=abc\r\nnumtail=12abc\r\nbaddate=2/30/2001\r\n");
    const clsINIFile ini = Ini("S");
    const Value badDate(Date(-36522));
    struct Row { const char* key; int type; Value expected; const char* note; };
    const Row rows[] = {
        {"blank", 1, Value(std::string()), "text default is empty"},
        {"blank", 2, Value(0), "number default is the integer 0"},
        {"blank", 3, Value(false), "boolean default is false"},
        {"blank", 4, badDate, "date default is badDate"},
        {"missing", 1, Value(std::string()), "a missing key reads as a blank"},
        {"missing", 4, badDate, "missing date"},
        {"word", 2, Value(0), "not a number"},
        {"numtail", 2, Value(0), "digits followed by letters"},
        {"word", 3, Value(false), "neither a true nor a false text"},
        {"baddate", 4, badDate, "no 30 February"},
    };
    for (const auto& r : rows) {
        EXPECT_EQ(ini.ReadINI(r.key, r.type), r.expected) << r.key << " type " << r.type << ": " << r.note;
    }
    EXPECT_EQ(ini.ReadINI("blank", 2, Value(7)), Value(7));
    EXPECT_EQ(ini.ReadINI("missing", 1, Value("dflt")), Value("dflt"));
    EXPECT_FALSE(fs::exists(dir_ / "other.ini"));
}

TEST_F(SettingsFile, TypedValuesAreConverted) {
    Put("test.ini", "[S]\nname =  Jane Doe  \nrate=5.5\nage=55\nflag=yes\noff=0\niso=2001-02-03\nus=2/3/01\n");
    clsINIFile ini = Ini("S");
    EXPECT_EQ(ini.ReadINI("name", 1), Value("Jane Doe"));
    EXPECT_EQ(ini.ReadINI("RATE", 2), Value(5.5));  // key names ignore case
    EXPECT_EQ(ini.ReadINI("age", 2), Value(55.0));
    EXPECT_EQ(ini.ReadINI("flag", 3), Value("True"));
    EXPECT_EQ(ini.ReadINI("off", 3), Value("False"));
    EXPECT_EQ(ini.ReadINI("iso", 4), Value(Date::FromYmd(2001, 2, 3)));
    EXPECT_EQ(ini.ReadINI("us", 4), Value(Date::FromYmd(2001, 2, 3)));
    EXPECT_EQ(ini.ReadINI("age", 9), Value("55"));  // any other type: the text as read
    EXPECT_EQ(Ini("S", false).ReadINI("flag", 3), Value(""));  // boolean texts not set
}

TEST_F(SettingsFile, LongValuesAreCutTo2047Characters) {
    clsINIFile ini = Ini("S");
    std::string value;
    for (int i = 0; i < 3000; ++i) value += "\u00E9";
    ini.WriteINI("long", Value(value), 1);
    const std::string read = ini.ReadINI("long", 1).Text();
    EXPECT_EQ(Utf8ToCp1252(read), std::string(2047, '\xE9'));
}

TEST_F(SettingsFile, PathnameEndsWithOneSeparator) {
    const std::string sep(1, kPathSeparator);
    const std::pair<std::string, std::string> rows[] = {
        {"folder", "folder" + sep}, {"folder" + sep, "folder" + sep}, {"", sep}, {" folder ", "folder" + sep}};
    for (const auto& [in, expected] : rows) {
        clsINIFile ini;
        ini.SetPathname(in);
        EXPECT_EQ(ini.Pathname(), expected) << "'" << in << "'";
    }
}

TEST_F(SettingsFile, SectionsAndKeysInFileOrderWithoutRegardToCase) {
    Put("test.ini", "[NJ]\r\nZ=1\r\nA=2\r\n[NY]\r\nq=1\r\n[nj]\r\nz=3\r\nM=4\r\n");
    clsINIFile ini = Ini("nJ");
    EXPECT_EQ(ini.Sections(), (std::vector<std::string>{"NJ", "NY"}));
    EXPECT_EQ(ini.Keys(), (std::vector<std::string>{"Z", "A", "M"}));
    EXPECT_EQ(ini.ReadINI("m", 1), Value("4"));
    ini.SetFilename("absent.ini");
    EXPECT_TRUE(ini.Sections().empty());
    EXPECT_TRUE(ini.Keys().empty());
}

TEST_F(SettingsFile, WriteKeepsEveryOtherLineByteForByte) {
    const std::string before = "; carriers\r\n[A]\r\nx = 1\r\n\r\n[B] \r\ny=2\r\n\r\n; end";
    Put("test.ini", before);
    Ini("a").WriteINI("X", Value(5), 2);    // replaces the line of the key
    Ini("A").WriteINI("new", Value("n"), 1);  // added after the last line of its section
    Ini("C").WriteINI("b", Value("Y"), 3);   // a new section at the end
    EXPECT_EQ(Bytes("test.ini"),
              "; carriers\r\n[A]\r\nX=5\r\nnew=n\r\n\r\n[B] \r\ny=2\r\n\r\n; end\r\n[C]\r\nb=True\r\n");
}

TEST_F(SettingsFile, NewFilesAreCp1252WithCrLfAndLfFilesStayLf) {
    Ini("S\u00FD").WriteINI("Name", Value("Jos\u00E9"), 1);
    EXPECT_EQ(Bytes("test.ini"), "[S\xFD]\r\nName=Jos\xE9\r\n");
    EXPECT_EQ(Ini("s\u00FD").ReadINI("name", 1), Value("Jos\u00E9"));
    Ini("S\u00FD").WriteINI("flag", Value(false), 3);
    EXPECT_EQ(Bytes("test.ini"), "[S\xFD]\r\nName=Jos\xE9\r\nflag=False\r\n");

    Put("test.ini", "[S]\nk=1\n");
    Ini("S").WriteINI("k", Value(2.5), 2);
    EXPECT_EQ(Bytes("test.ini"), "[S]\nk=2.5\n");
}

TEST(Cp1252, EveryByteSurvivesTheRoundTrip) {
    EXPECT_EQ(Cp1252ToUtf8("\x95\x80\xE9"), "\u2022\u20AC\u00E9");
    EXPECT_EQ(Utf8ToCp1252("\u2022\u0178 \u4E2D"), "\x95\x9F ?");  // no CJK in Windows-1252
    std::string all;
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
    EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), all);
}

TEST(Date, ParsesTheWrittenFormsAndCountsFrom1899) {
    EXPECT_EQ(Date::FromYmd(1800, 1, 1).Serial(), -36522);
    EXPECT_EQ(Date(0).Iso(), "1899-12-30");
    EXPECT_EQ(Date::FromYmd(2024, 2, 29).Text(), "2/29/2024");
    struct Row { const char* text; std::optional<Date> expected; };
    const Row rows[] = {
        {"2024-02-29", Date::FromYmd(2024, 2, 29)}, {" 12/31/1999 ", Date::FromYmd(1999, 12, 31)},
        {"1/2/29", Date::FromYmd(2029, 1, 2)},      {"1/2/30", Date::FromYmd(1930, 1, 2)},
        {"1900-02-29", std::nullopt},               {"13/1/2001", std::nullopt},
        {"1/1/201", std::nullopt},                  {"20010203", std::nullopt},
    };
    for (const auto& r : rows) EXPECT_EQ(Date::Parse(r.text), r.expected) << r.text;
}

class TextFileTest : public SettingsFile {};

TEST_F(TextFileTest, NamesMatchWithoutRegardToCase) {
    Put("relay.out", "old");
    EXPECT_EQ(ResolveFileName(dir_ / "Relay.out"), dir_ / "relay.out");
    EXPECT_EQ(ResolveFileName(dir_ / "none.out"), dir_ / "none.out");
    WriteFileAtomically(dir_ / "RELAY.OUT", "new");  // replaced under its own spelling
    EXPECT_EQ(Bytes("relay.out"), "new");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
}

TEST_F(TextFileTest, AFailedWriteLeavesNothingBehind) {
    const fs::path target = dir_ / "absent" / "relay.out";
    ExpectRuntimeError([&] { WriteFileAtomically(target, "x"); }, ErrorNumber::PathFileAccessError, "File",
                       "The file " + target.string() + " cannot be written: the folder cannot be written to.");
    EXPECT_TRUE(fs::is_empty(dir_));

    // A full disk, played by a file size limit: the previous file stays as it was.
    Put("relay.out", "previous");
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = 4;
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    EXPECT_THROW(WriteFileAtomically(dir_ / "relay.out", std::string(100000, 'x')), RuntimeError);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(Bytes("relay.out"), "previous");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
}

}  // namespace
