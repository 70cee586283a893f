#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <filesystem>
#include <thread>

#include "Cp1252.h"
#include "IniFile.h"
#include "RuntimeError.h"
#include "TestSupport.h"
#include "TextFile.h"
#include "UserCopy.h"

using namespace quoravel;
namespace fs = std::filesystem;

namespace {

// A settings file's section, with the texts of true and false when `booleans`.
IniFile Settings(const std::string& folder, const std::string& file, const std::string& section,
                 bool booleans = true) {
    IniFile ini;
    ini.SetPathname(folder);
    ini.SetFilename(file);
    ini.SetSection(section);
    if (booleans) {
        ini.SetBooleanDefaultTrue(Value(true));
        ini.SetBooleanDefaultFalse(Value(false));
    }
    return ini;
}

class SettingsFile : public ::testing::Test {
protected:
    long Files() { return std::distance(fs::directory_iterator(dir_), fs::directory_iterator()); }
    IniFile Ini(const std::string& section, bool booleans = true) {
        return Settings(dir_.string(), "test.ini", section, booleans);
    }

    const TempFolder folder_;
    const fs::path dir_ = folder_.path();
};

TEST_F(SettingsFile, PathnameEndsWithOneSeparatorAndNotSetUpRaisesError5InOrderOfChecks) {
    const std::string sep(1, kPathSeparator);
    const std::pair<std::string, std::string> rows[] = {
        {"dir", "dir" + sep},
        {"dir" + sep, "dir" + sep},
        {"", sep},
        // Blanks belong to the folder's name: "case " is not "case".
        {"case ", "case " + sep},
        {" case", " case" + sep}};
    IniFile ini;
    for (const auto& [in, expected] : rows) {
        ini.SetPathname(in);
        EXPECT_EQ(ini.Pathname(), expected) << "'" << in << "'";
    }
    // Not set up, it raises error 5 in the order of its checks.
    const auto raised = [&] {
        return Raised([&] { ini.ReadINI("k", 1); }) + "|" + Raised([&] { ini.WriteINI("k", Value("v"), 1); });
    };
    EXPECT_EQ(raised(), "5 ReadIni: Section name not set|5 WriteIni: Section name not set");
    ini.SetSection("  S  ");
    EXPECT_EQ(ini.Section(), "S");
    EXPECT_EQ(raised(), "5 ReadIni: Filename not set|5 WriteIni: Filename not set");
    ini = Ini("S", false);  // the boolean texts are needed for every write, whatever the data type
    EXPECT_EQ(Raised([&] { ini.WriteINI("k", Value("v"), 1); }),
              "5 WriteIni: Default value for Boolean True not set");
    ini.SetBooleanDefaultTrue(Value(true));
    EXPECT_EQ(Raised([&] { ini.WriteINI("k", Value(1), 2); }),
              "5 WriteIni: Default value for Boolean False not set");
    EXPECT_EQ(Files(), 0);  // a refused write creates nothing
}

TEST_F(SettingsFile, ValuesReadByDataType) {
    folder_.Write("test.ini",
                  "[S]\nblank=   \nword=abc\nnum=12abc\nbad=2/30/2001\nname =  Jane Doe  \n"
                  "rate=5.5\nage=55\nflag=yes\noff=0\niso=2001-02-03\nus=2/3/01\n");
    const Value badDate(Date(-36522));
    const std::tuple<const char*, int, Value, const char*> rows[] = {
        // key, data type, value, why
        {"blank", 1, Value(std::string()), "blanks read as the text default"},
        {"blank", 2, Value(0), "number default is the integer 0"},
        {"blank", 3, Value(false), "boolean default; neither a true nor a false text"},
        {"blank", 4, badDate, "date default"},
        {"missing", 1, Value(std::string()), "a missing key reads as a blank"},
        {"word", 2, Value(0), "not a number"},
        {"num", 2, Value(0), "digits followed by letters"},
        {"bad", 4, badDate, "no 30 February"},
        {"name", 1, Value("Jane Doe"), "text is trimmed"},
        {"RATE", 2, Value(5.5), "a double, key names ignore case"},
        {"flag", 3, Value("True"), "true text"},
        {"off", 3, Value("False"), "false text"},
        {"iso", 4, Value(Date::FromYmd(2001, 2, 3)), "yyyy-mm-dd"},
        {"us", 4, Value(Date::FromYmd(2001, 2, 3)), "m/d/yy"},
        {"age", 9, Value("55"), "any other type: the text as read"},
    };
    for (const auto& [key, type, expected, note] : rows)
        EXPECT_EQ(Ini("s").ReadINI(key, type), expected) << key << ": " << note;
    EXPECT_EQ(Ini("S").ReadINI("blank", 2, Value(7)), Value(7));
    EXPECT_EQ(Ini("S", false).ReadINI("flag", 3), Value(""));  // boolean texts not set
}

TEST_F(SettingsFile, SectionsAndKeysInFileOrderWithoutRegardToCase) {
    folder_.Write("test.ini", "[NJ]\r\nZ=1\r\nA=2\r\n[NY]\r\nq=1\r\n[nj]\r\nz=3\r\nM=4\r\n");
    IniFile ini = Ini("nJ");
    EXPECT_EQ(ini.Sections(), (std::vector<std::string>{"NJ", "NY"}));
    EXPECT_EQ(ini.Keys(), (std::vector<std::string>{"Z", "A", "M"}));
    EXPECT_EQ(ini.ReadINI("m", 1), Value("4"));
    ini.SetFilename("absent.ini");
    EXPECT_TRUE(ini.Sections().empty() && ini.Keys().empty());
}

TEST_F(SettingsFile, WriteKeepsEveryOtherLineByteForByteAndHeldTextWaitsForCommit) {
    folder_.Write("test.ini", "; carriers\r\n[A]\r\nx = 1\r\n\r\n[B] \r\ny=2\r\n\r\n; end");
    Ini("a").WriteINI("X", Value(5), 2);      // replaces the line of the key
    Ini("A").WriteINI("new", Value("n"), 1);  // after the last line of its section
    Ini("C").WriteINI("b", Value("Y"), 3);    // a new section at the end
    EXPECT_EQ(folder_.Read("test.ini"),
              "; carriers\r\n[A]\r\nX=5\r\nnew=n\r\n\r\n[B] \r\ny=2\r\n\r\n; end\r\n[C]\r\nb=True\r\n");

    folder_.Write("test.ini", "[S]\nk=1\n");  // a file with LF line ends keeps them
    Ini("S").WriteINI("k", Value(2.5), 2);
    EXPECT_EQ(folder_.Read("test.ini"), "[S]\nk=2.5\n");

    folder_.Write("test.ini", "[S]\r\nk=1\r");  // a lone CR at the end begins the line end
    Ini("S").WriteINI("n", Value(2), 2);
    EXPECT_EQ(folder_.Read("test.ini"), "[S]\r\nk=1\r\nn=2\r\n");

    // Held in memory, the text is written once, on commit.
    folder_.Write("test.ini", "[S]\r\nA=1\r\n");
    IniFile ini = Ini("S");
    ini.HoldInMemory();
    ini.WriteINI("B", Value("2"), IniFile::Text);
    folder_.Write("test.ini", "[S]\r\nA=changed on disk\r\n");  // not seen while held
    EXPECT_EQ(ini.ReadINI("A", IniFile::Text).Text() + "|" + ini.ReadINI("B", IniFile::Text).Text(), "1|2");
    EXPECT_EQ(folder_.Read("test.ini"), "[S]\r\nA=changed on disk\r\n");
    ini.Commit();
    EXPECT_EQ(folder_.Read("test.ini"), "[S]\r\nA=1\r\nB=2\r\n");
}

TEST_F(SettingsFile, NewFilesAreWindows1252WithCrLfAndLongValuesAreCut) {
    Ini("S\u00FD").WriteINI("Name", Value("Jos\u00E9"), 1);
    Ini("S\u00FD").WriteINI("flag", Value(false), 3);
    EXPECT_EQ(folder_.Read("test.ini"), "[S\xFD]\r\nName=Jos\xE9\r\nflag=False\r\n");
    EXPECT_EQ(Ini("s\u00FD").ReadINI("NAME", 1), Value("Jos\u00E9"));
    // A value is cut to 2,047 characters, not bytes of UTF-8.
    std::string value;
    for (int i = 0; i < 3000; ++i) value += "\u00E9";
    Ini("S").WriteINI("long", Value(value), 1);
    EXPECT_EQ(Utf8ToCp1252(Ini("S").ReadINI("long", 1).Text()), std::string(2047, '\xE9'));
}

// Every assigned byte of 0x80-0x9F with its code point as Windows-1252
// defines it; the five unassigned bytes keep their C1 control code.
TEST(Cp1252, EveryByteSurvivesTheRoundTripAndTheHighRowsMapAsDefined) {
    const std::string bytes =
        "\x80\x82\x83\x84\x85\x86\x87\x88\x89\x8A\x8B\x8C\x8E\x91\x92\x93\x94\x95\x96\x97\x98\x99\x9A\x9B\x9C"
        "\x9E\x9F";
    const std::string text =
        "\u20AC\u201A\u0192\u201E\u2026\u2020\u2021\u02C6\u2030\u0160\u2039\u0152\u017D\u2018\u2019\u201C"
        "\u201D\u2022\u2013\u2014\u02DC\u2122\u0161\u203A\u0153\u017E\u0178";
    EXPECT_EQ(Cp1252ToUtf8(bytes), text);
    EXPECT_EQ(Utf8ToCp1252(text), bytes);
    EXPECT_EQ(Cp1252ToUtf8("\x81\xE9"), "\u0081\u00E9");
    EXPECT_EQ(Utf8ToCp1252("\u2022\u0178 \u4E2D"), "\x95\x9F ?");  // no CJK in Windows-1252
    std::string all;
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
    EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), all);
}

TEST(Date, ParsesTheWrittenFormsAndCountsFrom1899) {
    EXPECT_EQ(Date::FromYmd(1800, 1, 1).Serial(), -36522);
    EXPECT_EQ(Date(0).Iso(), "1899-12-30");
    EXPECT_EQ(Date::FromYmd(2024, 2, 29).Text(), "2/29/2024");
    const std::pair<const char*, std::optional<Date>> rows[] = {
        {"2024-02-29", Date::FromYmd(2024, 2, 29)},
        {" 12/31/1999 ", Date::FromYmd(1999, 12, 31)},
        {"1/2/29", Date::FromYmd(2029, 1, 2)},
        {"1/2/30", Date::FromYmd(1930, 1, 2)},
        {"1900-02-29", std::nullopt},
        {"13/1/2001", std::nullopt},
    };
    for (const auto& [text, expected] : rows) EXPECT_EQ(Date::Parse(text), expected) << text;
}

using TextFile = SettingsFile;

TEST_F(TextFile, AFailedWriteLeavesNothingBehind) {
    const fs::path target = dir_ / "absent" / "relay.out";
    EXPECT_EQ(
        Raised([&] { WriteFileAtomically(target, "x"); }),
        "75 File: The file " + target.string() + " cannot be written: the folder cannot be written to.");
    EXPECT_EQ(Files(), 0);

    // A full disk, played by a file size limit: the previous file stays as it was.
    folder_.Write("relay.out", "previous");
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    const rlimit small{4, old.rlim_max};
    const auto handler = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    const std::string error =
        Raised([&] { WriteFileAtomically(dir_ / "relay.out", std::string(100000, 'x')); });
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, handler);
    EXPECT_EQ(error, "75 File: The file " + (dir_ / "relay.out").string() +
                         " cannot be written: the disk may be full.");
    EXPECT_EQ(folder_.Read("relay.out"), "previous");
    EXPECT_EQ(Files(), 1);
}

// A replaced file keeps its own spelling of its name, who may read it, and a link stays a
// link: a case file of names and birth dates kept at 0600 must not become readable by all.
TEST_F(TextFile, AReplacedFileKeepsItsPermissionsAndItsLink) {
    folder_.Write("relay.out", "old");
    EXPECT_EQ(ResolveFileName(dir_ / "Relay.out"), dir_ / "relay.out");
    EXPECT_EQ(ResolveFileName(dir_ / "none.out"), dir_ / "none.out");
    WriteFileAtomically(dir_ / "RELAY.OUT", "new");
    EXPECT_EQ(folder_.Read("relay.out"), "new");
    folder_.Write("cases.clt", "old");
    fs::permissions(dir_ / "cases.clt", fs::perms::owner_read | fs::perms::owner_write);
    fs::create_symlink("cases.clt", dir_ / "link.clt");
    WriteFileAtomically(dir_ / "link.clt", "new");
    EXPECT_TRUE(fs::is_symlink(dir_ / "link.clt"));
    EXPECT_EQ(folder_.Read("cases.clt"), "new");
    EXPECT_EQ(fs::status(dir_ / "cases.clt").permissions(), fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(Files(), 3);
}

// A device or a pipe named as the file is written into: renaming a file over
// /dev/full would replace the device for every program of the machine.
TEST_F(TextFile, ADeviceIsWrittenIntoNeverReplaced) {
    const fs::path pipe = dir_ / "pipe";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    std::string read;
    std::thread reader([&] { read = folder_.Read("pipe"); });
    WriteFileAtomically(pipe, "through the pipe");
    reader.join();
    EXPECT_EQ(read, "through the pipe");
    EXPECT_TRUE(fs::is_fifo(pipe));
    EXPECT_EQ(Raised([] { WriteFileAtomically("/dev/full", "x"); }),
              "75 File: The file /dev/full cannot be written.");
    EXPECT_TRUE(fs::is_character_file("/dev/full"));
    EXPECT_EQ(Raised([&] { WriteFileAtomically(dir_, "x"); }),
              "75 File: The file " + dir_.string() + " cannot be written: it is a folder.");
}

// A file the user may change is read from the user's copy once there is one;
// the shipped copy is never written, and a user's first change starts from it.
TEST(UserCopy, ReadsTheUsersCopyFirstAndWritesOnlyThere) {
    TempFolder shipped, home;
    const std::string userFolder = home.folder() + "data/";  // made by the first write
    shipped.Write("TermComm.ini", "[0]\r\nFirstYearMax=90\r\n");
    std::filesystem::permissions(shipped.path() / "TermComm.ini", std::filesystem::perms::owner_read);
    const UserCopy copy(userFolder, shipped.folder(), "termcomm.ini");
    EXPECT_EQ(copy.ReadPath(), shipped.folder() + "TermComm.ini");
    EXPECT_EQ(UserCopy("", shipped.folder(), "TermComm.ini").WritePath(true),
              shipped.folder() + "TermComm.ini");

    EXPECT_EQ(copy.WritePath(false), userFolder + "termcomm.ini");
    EXPECT_FALSE(std::filesystem::exists(userFolder + "termcomm.ini"));  // nothing to start from
    const std::string own = copy.WritePath(true);
    EXPECT_EQ(home.Read("data/termcomm.ini"), "[0]\r\nFirstYearMax=90\r\n");
    Settings(userFolder, "termcomm.ini", "0").WriteINI("FirstYear", Value(60.5), IniFile::Text);
    EXPECT_EQ(copy.ReadPath(), own);
    EXPECT_EQ(home.Read("data/termcomm.ini"), "[0]\r\nFirstYearMax=90\r\nFirstYear=60.5\r\n");
    EXPECT_EQ(shipped.Read("TermComm.ini"), "[0]\r\nFirstYearMax=90\r\n");
}

}  // namespace
