#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "RelayExchange.h"
#include "TestSupport.h"

using namespace quoravel;

namespace {

// A complete case: an agent with a full address and one Brellan 10 quote.
const std::string kCompleteCase =
    "Agent.Name=Dana Whitfield\r\nAgent.Addr1=12 Elm Street\r\nAgent.City=Austin\r\nAgent.State=TX\r\n"
    "Agent.Zip=73301\r\nInsured.Name=Robin Hale\r\nInsured.Age=45\r\nInsured.Sex=M\r\nInsured.State=TX\r\n"
    "Insured.Class=P\r\nBRLN.Product=BRLN10\r\nPolicy.FaceAmount=250000\r\ncomp_Code=BRLN\r\n";

const std::string kAgentMessage =
    "Some agent information is missing.  The agent's name, and full address must be  present to be able "
    "to print an illustration.  Please enter the name and complete address for the agent.  This should be "
    "entered on the Agent Information tab.  Default agent information can be set using the Options menu "
    "and selecting Agent and Broker/Dealers and then selecting Modify Agents.  Add an agent with the Add "
    "Agent button and then use the Set Default button to make that agent the default to show up on the "
    "Agent tab.";

class RelayExchange : public ::testing::Test {
protected:
    RelayExchange() {
        process.RelayMode = true;
        process.ProgramFolder = QUORAVEL_PROGRAM_DIR;
        process.VersionText = "V3.1w";
    }

    // Reads a relay file of the given bytes; later lines of `lines` win over
    // the complete case's (the first line of a key is the one read).
    std::shared_ptr<ClientCase> Read(const std::string& lines, bool complete = true) {
        folder.Write("relay.ini", "[Identifiers]\r\n" + lines + (complete ? kCompleteCase : ""));
        return ReadRelayFile(folder.folder(), "relay.ini", run);
    }

    // The answer of a run that illustrated product 2 on a document of three
    // pages, its ledger showing `years` years.
    void Answer(const ClientCase& client, std::int32_t face, const std::vector<double>& premiums, int years) {
        AnswerPolicyValues(run, client, 2, face, premiums, years);
        run.Answer.ExportedPages = 3;
        WriteRelayAnswer(run);
    }

    std::string Messages() const {
        std::string text;
        for (const auto& e : run.Errors) text += std::to_string(e->Severity) + ": " + e->Description + "\n";
        return text;
    }

    TempFolder folder;
    ProcessValues process;
    ProposalRun run{process, folder.folder()};
};

// What a relay file filled in, as ";name=value;" pairs.
std::string Summary(const ClientCase& c, const ProposalRun& p) {
    const auto& o = c.Proposal();
    std::string products, faces, updates;
    for (auto product : o.ProdChoices()) products += product ? std::to_string(product) + " " : "";
    for (auto amount : o.FaceAmounts()) faces += amount ? std::to_string(*amount) + " " : "";
    for (const auto& u : p.Updates) updates += u->Key + "=" + u->NewValue.Text() + " ";
    return ";table=" + c.TableRating() + ";sex=" + (c.IsMale() ? "male" : "female") +
           ";mode=" + std::to_string(c.PaymentMode()) + ";class=" + std::to_string(c.Classification()) +
           ";waiver=" + NumberText(c.WaiverRating()) + ";child=" + std::to_string(c.ChildRiderUnits()) +
           (c.ChildRider() ? " rider" : " none") + ";extra=" + NumberText(c.TempFlatExtra()) + " for " +
           std::to_string(c.TempFlatExtraYears()) + ";company=" + std::to_string(o.Company()) +
           ";years=" + std::to_string(o.YearsToPrint()) + ";print=" + std::to_string(o.PrintOption()) +
           ";prior=" + (p.RelayUsePriorRates ? "yes" : "no") + ";state=" + c.State() +
           ";products=" + products + ";faces=" + faces + ";updates=" + updates + ";";
}

TEST_F(RelayExchange, ConvertsAndCorrectsEachKey) {
    const std::string u = "\xFC";  // the separator of the temporary flat extra on disk
    // clang-format off
    const std::pair<std::string, std::string> cases[] = {
        {"Insured.Table=2.5\r\n", ";table=BB;"}, {"Insured.Table=0\r\n", ";table=None;"},
        {"Insured.Table=\r\n", ";table=None;"}, {"Insured.Table=16\r\n", ";table=P;"},
        {"Insured.Table=17\r\n", ";table=None;"}, {"Insured.Sex=u\r\n", ";sex=male;"},
        {"Insured.Sex=F\r\n", ";sex=female;"}, {"Insured.Sex=x\r\n", ";sex=female;"},
        {"Policy.PremiumMode=M\r\n", ";mode=4;"}, {"Policy.PremiumMode=D\r\n", ";mode=4;"},
        {"Policy.PremiumMode=Q\r\n", ";mode=2;"}, {"Policy.PremiumMode=Z\r\n", ";mode=0;"},
        {"Policy.PremiumMode=S\r\n", ";mode=1;"}, {"Policy.PremiumMode=A\r\n", ";mode=0;"},
        {"Insured.Class=SP\r\n", ";class=1;"}, {"Insured.Class=QN\r\n", ";class=3;"},
        {"Insured.Class=8\r\n", ";class=8;"}, {"Insured.Class=XL\r\n", ";class=0;"},
        {"BRLN.WaiverRating=3\r\n", ";waiver=2;"}, {"BRLN.WaiverRating=7\r\n", ";waiver=1;"},
        {"Rider.CTR.Amt=0\r\n", ";child=0 none;"}, {"Rider.CTR.Amt=3\r\n", ";child=3 rider;"},
        {"Rider.CTR.Amt=-2\r\n", ";child=0 none;"},
        {"Insured.ExtraTemp=1" + u + "5" + u + "2.50\r\n", ";extra=2.5 for 5;"},
        {"Insured.ExtraTemp=6" + u + "2" + u + "4\r\n", ";extra=4 for 5;"},
        {"Insured.ExtraTemp=\r\n", ";extra=0 for 0;"}, {"comp_Code=TVNB\r\n", ";company=2;"},
        {"comp_Code=QNBY\r\n", ";company=1;"}, {"BRLN.SourcePrintOpt=1\r\n", ";years=20;"},
        {"BRLN.SourcePrintOpt=2\r\n", ";years=40;"}, {"BRLN.SourcePrintOpt=3\r\n", ";years=100;"},
        {"BRLN.SourcePrintOpt=3\r\nBRLN.Product=TESS10\r\n", ";years=80;"},
        {"BRLN.Product=BRLN20\r\nBRLN.Product1=ostr5g\r\nBRLN.Product2=NOPE9\r\n", ";products=4 34 ;"},
        {"BRLN.AddlFace1=100000\r\nBRLN.AddlFace2=10000\r\n", ";faces=100000 250000 ;"},
        // Read before the product, 30,000 is still held to Brellan 10's minimum of 50,000.
        {"BRLN.AddlFace1=30000\r\n", ";faces=250000 ;"},
        {"TVRN.UsePriorRates=True\r\n", ";prior=yes;state=TX;products=2 ;faces=250000 ;updates=;"},
        {"TVRN.UsePriorRates=True\r\nInsured.State=OR\r\n", ";updates=TVRN.UsePriorRates=False ;"},
        {"TVRN.UsePriorRates=Y\r\nInsured.State=MS\r\n", ";prior=no;"},
        {"BRLN.PrintOpts=B\r\nUS.CPWCode=XXQNMLYY\r\n", ";print=0;"},
        {"BRLN.PrintOpts=B\r\nUS.CPWCode=qnml\r\n", ";print=2;"},
        {"BRLN.PrintOpts=I\r\nUS.CPWCode=BRML\r\n", ";print=1;"},
        {"BRLN.PrintOpts=B\r\nUS.CPWCode=BRML\r\n", ";updates=BRLN.PrintOpts=C ;"},
        // The New York company's products are quoted in New York or New Jersey.
        {"BRLN.Product=TESS10\r\n", ";state=NY;products=12 ;faces=250000 ;updates=Insured.State=NY ;"},
        {"BRLN.Product=DORR5\r\npol_ProductName=Quoravel - NJ\r\n", ";state=NJ;"},
        {"BRLN.Product=QNBY15\r\nInsured.State=NY\r\n", ";state=NY;products=19 ;faces=250000 ;updates=;"},
        {"BRLN.Product=BRLN10\r\npol_ProductName=Quoravel - NJ\r\n", ";state=TX;"},
        // A New Jersey product name settles the state for the product codes
        // only; the insured's state is read again after them.
        {"BRLN.Product=DORR10\r\nInsured.State=NY\r\npol_ProductName=New Jersey\r\n", ";products=27 ;"},
        {"BRLN.Product=DORR10\r\nInsured.State=NY\r\n", ";state=NY;products=16 ;"},
    };
    // clang-format on
    for (const auto& [lines, expected] : cases) {
        run.RelayUsePriorRates = false;
        run.Updates.Clear();
        const std::string summary = Summary(*Read(lines), run);
        EXPECT_NE(summary.find(expected), std::string::npos) << lines << "gives " << summary;
    }
}

// Outside systems that write UTF-8 (with a byte-order mark or without) or CR
// alone between lines are read as those that write Windows-1252 with CR LF.
TEST_F(RelayExchange, Utf8AndCrOnlyFilesAreReadAsWindows1252Ones) {
    const std::string utf8 = "Insured.Name=Jos\xC3\xA9 M\xC3\xBCller\r\nInsured.Age=52\r\n" + kCompleteCase;
    std::string crOnly =
        "[Identifiers]\r\nInsured.Name=Jos\xE9 M\xFCller\r\nInsured.Age=52\r\n" + kCompleteCase;
    for (std::size_t at; (at = crOnly.find("\r\n")) != std::string::npos;) crOnly.erase(at + 1, 1);
    const std::pair<const char*, std::string> files[] = {
        {"UTF-8 with a byte-order mark", "\xEF\xBB\xBF[Identifiers]\r\n" + utf8},
        {"UTF-8", "[Identifiers]\r\n" + utf8},
        {"CR alone", crOnly},
    };
    for (const auto& [name, bytes] : files) {
        run.Errors.Clear();
        folder.Write("relay.ini", bytes);
        const auto client = ReadRelayFile(folder.folder(), "relay.ini", run);
        EXPECT_EQ(client->FirstName(), "Jos\u00E9 M\u00FCller") << name;
        EXPECT_EQ(client->Age(), 52) << name;
        EXPECT_EQ(run.Errors.Count(), 0) << name << ": " << Messages();
    }
}

TEST(RelayProductNumber, MapsEachFamilyAndLevelPeriod) {
    // clang-format off
    const std::tuple<const char*, const char*, std::int32_t> cases[] = {
        {"BRLN1", "TX", 6},   {"BRLN5", "TX", 1},    {"BRLN10", "TX", 2},   {"BRLN15", "TX", 3},
        {"BRLN20", "TX", 4},  {"BRLN30", "TX", 5},   {"korv1", "TX", 6},    {"KORV30", "AL", 5},
        {"OSTR5", "TX", 29},  {"OSTR30", "TX", 33},  {"ostr15g", "TX", 36}, {"AMBR10", "TX", 30},
        {"AMBR30G", "TX", 38}, {"PELL10", "TX", 8},  {"PELL15", "TX", 9},   {"TESS5", "NY", 11},
        {"TESS10", "NY", 12}, {"TESS15", "NY", 13},  {"TESS20", "NY", 14},  {"TESS30", "NY", 49},
        {"DORR5", "NJ", 26},  {"DORR10", "NJ", 27},  {"DORR15", "NJ", 28},  {"QNBY10", "NJ", 18},
        {"QNBY15", "NY", 19},
        // New York's own Dorrance plans.
        {"DORR10", "NY", 16}, {"DORR15", "ny", 17}, {"DORR1", "NY", 15},  {"DORR5", "NY", 26},
        {"DORR1", "NJ", 0},
        // Codes that name no product.
        {"BRLN7", "TX", 0},   {"PELL5", "TX", 0},   {"BRLN10G", "TX", 0},  {"BRLN10X", "TX", 0},
        {"XXXX10", "TX", 0},  {"BRLN", "TX", 0},    {"10", "TX", 0},       {"", "TX", 0},
        {"BRLN-5", "TX", 0},  {"BRLN99999999999999999999", "TX", 0},
    };
    // clang-format on
    for (const auto& [code, state, product] : cases)
        EXPECT_EQ(RelayProductNumber(code, state), product) << code << " in " << state;
}

std::string Retired(const std::string& oldName, const std::string& newName) {
    return "1: The saved case contains a " + oldName + " which is no longer valid." +
           "The product being illustrated has been changed to a " + newName + ".\n";
}

std::string Unavailable(const std::string& name,
                        const std::string& why = "is not available for sale in this state") {
    return "2: " + name + " " + why + ". Please select another product to proceed with this quote.\n";
}

TEST_F(RelayExchange, RetiredAndUnavailableProducts) {
    const std::string noRates = " cannot be illustrated: it has no rates for policy years 6 to 10.\n";
    // The shipped states.ini: BRN and TVNY sell everywhere but New York.
    const std::tuple<std::string, std::string, std::string> cases[] = {
        {"BRLN.Product=AMBR15\r\ncomp_Code=TVNY\r\n", "3 ", Retired("Amberlin 15 \u2022 10", "Korvel 15")},
        {"BRLN.Product=KORV1\r\nBRLN.Product1=KORV10\r\n", "1 2 ", Retired("Korvel 1", "Korvel 5")},
        {"BRLN.Product=OSTR30\r\nBRLN.Product1=BRLN30\r\n", "5 ", Retired("Ostrel 30", "Brellan 30")},
        {"BRLN.Product=brln1\r\n", "1 ", Retired("Brellan 1", "Brellan 5")},
        {"BRLN.Product=Ostrel 20\r\n", "4 ", Retired("Ostrel 20", "Brellan 20")},  // by its display name
        {"BRLN.Product=OSTR15G\r\n", "36 ", ""},
        {"BRLN.Product=BRLN5\r\nInsured.State=NY\r\n", "1 ", Unavailable("Brellan 5")},
        {"BRLN.Product=KORV5\r\nInsured.State=NY\r\ncomp_Code=TVNY\r\n", "1 ", Unavailable("Korvel  5")},
        {"BRLN.Product=BRLN5\r\nInsured.State=NY\r\nAgent.Addr2=Attn homeofc desk\r\n", "1 ", ""},
        {"BRLN.Product=BRLN5\r\nInsured.State=NY\r\nAgent.Addr2=STATEOK1\r\n", "1 ", ""},
        {"BRLN.Product=BRLN5\r\nInsured.State=NY\r\nAgent.Addr2=AVAILOVR\r\n", "1 ", ""},
        {"BRLN.Product=BRLN5\r\n", "1 ", ""},
        // Every product is held to its carrier's states, and to its carrier.
        {"BRLN.Product=BRLN10\r\nBRLN.Product1=BRLN20\r\nInsured.State=NY\r\n", "2 4 ",
         Unavailable("Brellan 10") + Unavailable("Brellan 20")},
        {"BRLN.Product=TESS10\r\n", "12 ",
         Unavailable("Tessel 10", "is not sold by Castmere Life and Annuity Insurance Company")},
        {"BRLN.Product=TESS10\r\ncomp_Code=QNBY\r\n", "12 ", ""},
        // The New York Dorrance 10 and 15 have no rates for policy years 6 to 10.
        {"BRLN.Product=DORR15\r\nInsured.State=NY\r\ncomp_Code=QNBY\r\n", "17 ", "2: Dorrance 15" + noRates},
        // The codes are read again for the state the New York company's products settle.
        {"BRLN.Product=DORR10\r\ncomp_Code=QNBY\r\n", "16 ", "2: Dorrance 10" + noRates},
        {"BRLN.Product=DORR10\r\nInsured.State=NY\r\npol_ProductName=Quoravel - NJ\r\ncomp_Code=QNBY\r\n",
         "27 ", ""},
    };
    for (const auto& [lines, products, messages] : cases) {
        run.Errors.Clear();
        const auto client = Read(lines);
        EXPECT_NE(Summary(*client, run).find(";products=" + products + ";"), std::string::npos) << lines;
        EXPECT_EQ(client->Proposal().ProductType(), client->Proposal().ProdChoices().front()) << lines;
        EXPECT_EQ(Messages(), messages) << lines;
    }
}

TEST_F(RelayExchange, AnAgentWithoutZipCodeFailsTheRelayRun) {
    std::string withoutZip = kCompleteCase;
    withoutZip.erase(withoutZip.find("Agent.Zip=73301\r\n"), 17);
    Read("BRLN.Product=NOPE1\r\n" + withoutZip, false);
    WriteRelayAnswer(run);
    EXPECT_EQ(
        folder.Read("relay.out"),
        "[Engine]\r\nStatus=4\r\nMessage_1=Error\xFD\xFD" + kAgentMessage +
            "\r\nMessage_2=Error\xFD\xFDThe product code NOPE1 of BRLN.Product names no product and was "
            "left out.\r\n");

    // Interactively the agent is the user's own business.
    process.RelayMode = false;
    run.Errors.Clear();
    Read(withoutZip, false);
    EXPECT_EQ(Messages(), "");
}

TEST_F(RelayExchange, BadInputGivesAClearAnswer) {
    // Each row: the line put before the complete case, the first message, and the age, which stays
    // inside the rate tables (-1: not checked).
    std::vector<std::tuple<std::string, std::string, int>> cases = {
        {"Insured.Age=", "2: Insured.Age: the insured's age is missing.", 0},
        {"Insured.Age=100", "", 100},
        {"Insured.Table=2.50", "", 45},
        {"Insured.State=", "2: Insured.State: the state of delivery is missing.", 45},
        // A product code that names none is left out with a warning, cut to 40 characters.
        {"BRLN.Product=" + std::string(1 << 19, '9'),
         "1: The product code " + std::string(40, '9') +
             " of BRLN.Product names no product and was left out.",
         45},
    };
    // A refused value (severity 2, "Status" 4) is named by its key and the value as received (the
    // separator of the temporary flat extra shown as the letter it is), then what the value should be.
    // Each row: the key, what it should be, the values refused (between blanks, "|" for the separator)
    // and the age read.
    const std::string anAge = "an age from 0 to 100", range = "a face amount from $50,000 to $100,000,000";
    const std::tuple<std::string, std::string, std::string, int> refused[] = {
        {"Insured.Age", anAge, "forty -5 1e300", 0},
        {"Insured.Age", anAge, "150", 100},
        {"Insured.Age", anAge, "45.5", -1},
        {"Insured.ExtraPerm", "an amount from 0 to 99.99 per $1,000", "-5 100 1e9 99.995 2.505", 45},
        {"Insured.ExtraTemp",
         "a temporary flat extra: first year, last year (1 to 100) and an amount from 0 to 99.99 per $1,000, "
         "separated by \"|\"",
         "1,5,7.50 1|7.50 1|5|$7.50 1|5|-2 1|101|2", 45},
        {"Policy.FaceAmount", "a face amount in whole dollars", "250,000 $250000 -250000 1e12", 45},
        {"Policy.FaceAmount", range + " for Brellan 10", "100000001", 45},
        {"BRLN.AddlFace1", range + " for Brellan 10", "30000", 45},  // below the product's minimum
        {"Rider.CTR.Amt", "a number of child rider units from 0 to 10", "1e1 11", 45},
        {"Insured.State", "a state of delivery", "ZZ", 45},
        {"Insured.Class", "a class code: SP, P, QN, N, PS, S, 5 or 8", "XP", 45},
        {"Insured.Table", "a table rating: 0 to 4 in steps of 0.5, or 5 to 16", "2.25", 45},
        {"Insured.Sex", "M, F or U", "X", 45},
        {"BRLN.WaiverRating", "a waiver rating from 1 to 5", "6", 45},
        {"Policy.PremiumMode", "a premium mode: A, S, Q, M or D", "W", 45},
        {"BRLN.PrintOpts", "a print option: C, I or B", "Z", 45},
        {"comp_Code", "a carrier code: BRLN, QNBY, TVNY or TVNB", "ABCD", 45},
    };
    const auto separator = [](std::string text, const std::string& shown) {
        for (std::size_t at; (at = text.find('|')) != std::string::npos;) text.replace(at, 1, shown);
        return text;
    };
    for (const auto& [key, what, values, age] : refused) {
        std::istringstream each(values);
        for (std::string value; each >> value;)
            cases.emplace_back(key + "=" + separator(value, "\xFC"),
                               "2: " + key + ": \"" + separator(value + "\" is not " + what, "\u00FC") + ".",
                               age);
    }
    for (const auto& [line, message, age] : cases) {
        run.Errors.Clear();
        const auto client = Read(line + "\r\n");
        const std::string messages = Messages();
        EXPECT_EQ(messages.substr(0, messages.find('\n')), message) << line.substr(0, 40);
        EXPECT_EQ(client->Age(), age < 0 ? client->Age() : age) << line.substr(0, 40);
    }
    // Files that are no case: binary bytes under the section miss the agent first; an empty file, or
    // one that is no settings file, gets one message, not one per missing key.
    const std::string noSection =
        "2: The relay file " + folder.folder() +
        "relay.ini holds no section [Identifiers]: it is empty or not a settings file.\n";
    const std::pair<std::string, std::string> files[] = {
        {"[Identifiers]\r\n" + std::string("\x00\xFF\x01[\x80\x81]\xFE=\x00\r\n\x1A", 13),
         "2: " + kAgentMessage},
        {"", noSection},
        {std::string("\0\1binary\r\n", 10), noSection},
    };
    for (const auto& [bytes, message] : files) {
        run.Errors.Clear();
        folder.Write("relay.ini", bytes);
        ASSERT_TRUE(ReadRelayFile(folder.folder(), "relay.ini", run));
        const std::string messages = Messages();
        EXPECT_EQ(message == noSection ? messages : messages.substr(0, message.size()), message);
    }
    // A name longer than a settings value holds is cut, not refused.
    folder.Write("relay.ini", "[Identifiers]\r\nInsured.Name=" + std::string(1 << 19, 'x') + "\r\n");
    EXPECT_EQ(ReadRelayFile(folder.folder(), "relay.ini", run)->FirstName().size(), IniFile::kMaxValueLength);
}

// `entry` `n` times, between commas.
std::string Times(int n, const std::string& entry) {
    std::string list = entry;
    for (int i = 1; i < n; ++i) list += "," + entry;
    return list;
}

TEST_F(RelayExchange, AnswersWithTheHeaderAndTheYearlyValues) {
    const auto client = Read("BRLN.SourcePrintOpt=1\r\nBRLN.PrintOpts=B\r\nUS.CPWCode=BRML\r\n");
    ASSERT_EQ(run.Errors.Count(), 0) << Messages();
    // In the outside system's picture a whole dollar amount keeps its point, an
    // amount below a dollar loses its zero, and every amount is rounded to the cent.
    std::vector<double> premiums = {1234.5, 1234, 0.75, 99.999, 1.005};
    premiums.resize(25, 3952.5);  // a ledger of twenty years shows twenty
    Answer(*client, 250000, premiums, 20);
    const std::string annual = "1234.5,1234.,.75,100.,1.01," + Times(15, "3952.5"),
                      face = Times(20, "250000.00"), none = Times(20, "0.00");
    // The agent's and the client's whole names are their first names, an empty last name after them.
    EXPECT_EQ(
        folder.Read("relay.out"),
        "[HeaderValues]\r\nbridge_CompanyName=Castmere Life and Annuity Insurance Company\r\n"
        "bridge_Years=20\r\nbridge_Policy=Brellan 10\r\nbridge_Agent=Dana Whitfield \r\nbridge_MEC=N\r\n"
        "bridge_MECLimit=0.00\r\nbridge_GSP=0.00\r\nbridge_GLP=0.00\r\nbridge_InitialBasis=0.00\r\n"
        "bridge_MinPrem=1234.5\r\nbridge_SourceLedgerPages=3\r\nbridge_InitialAnnualPremium=1234.5\r\n"
        "bridge_IllustrationID=V3.1w\r\nbridge_Columns=6\r\nbridge_Client=Robin Hale \r\n"
        "bridge_Age=45\r\nbridge_Sex=Male\r\nbridge_InitialDB=250000\r\n"
        "bridge_RiskClass=Preferred No Nicotine Use\r\n[BasicValues]\r\nvalue_AnnualPremium=" +
            annual + "\r\nvalue_GuaranteedPremium=" + annual + "\r\nvalue_DeathBenefit=" + face +
            "\r\nvalue_GuaranteedDeathBenefit=" + face + "\r\nvalue_AnnualWithdrawal=" + none +
            "\r\nvalue_AccumAccount=" + none + "\r\nvalue_AnnualLoan=" + none + "\r\nvalue_CashBenefit=" +
            none + "\r\nvalue_GuaranteedCashValue=" + none + "\r\nvalue_GuaranteedDeathBenifit=" + none +
            "\r\nvalue_Dividend=0\r\n[Engine]\r\nStatus=0\r\n[EMF]\r\nFile=" + folder.folder() +
            "page(3).emf\r\n");
    // Relay mode: the corrected print option and the logs, all in the relay folder.
    EXPECT_NE(folder.Read("Relay.upd").find("BRLN.PrintOpts=C"), std::string::npos);
    EXPECT_EQ(folder.Read("Update.log"), "\"BRLN.PrintOpts|C|1\"\r\n");
    EXPECT_FALSE(std::filesystem::exists(std::string(QUORAVEL_PROGRAM_DIR) + "Update.log"));

    // In Montana the sex is one blank; never more years are shown than were priced.
    const auto montana = Read("Insured.State=MT\r\nInsured.Sex=F\r\n");
    process.RelayMode = false;
    Answer(*montana, 50000, {512.25, 530}, 5);
    const std::string answer = folder.Read("relay.out");
    EXPECT_NE(answer.find("bridge_Sex= \r\n"), std::string::npos) << answer;
    EXPECT_NE(answer.find("value_AnnualPremium=512.25,530.\r\n"), std::string::npos) << answer;
    EXPECT_NE(answer.find("value_DeathBenefit=50000.00,50000.00\r\n"), std::string::npos) << answer;
}

}  // namespace
