// The answer of a relay run as the outside system reads it.
#include <gtest/gtest.h>

#include <filesystem>

#include "RelayExchange.h"
#include "TestSupport.h"

using namespace quoravel;

namespace {

// The answer is written once, whole, under the one name the outside system
// opens: the policy values with the page count in its place, "Engine", then
// the pages and one entry per node.
TEST(RelayAnswer, IsOneFileInItsSectionOrder) {
    TempFolder folder;
    const std::string relay = folder.path().string();
    ProcessValues values;
    values.RelayMode = true;
    folder.Write("Relay.out", "left by another run");
    folder.Write("RELAY.OUT", "and another");
    ProposalRun run(values, relay);
    run.Answer.HeaderValues = {{"bridge_Policy", Value("Brellan 20"), 1},
                               {"bridge_SourceLedgerPages", Value(0), 2},
                               {"bridge_Age", Value(45), 2}};
    run.Answer.BasicValues = {{"value_Dividend", Value(0), 2}};
    run.Answer.ExportedPages = 3;
    run.Answer.Nodes = {{1, 2, "Term 20 - $250,000"}, {3, 3, "Client Information"}};
    run.Errors.Add(LoggedError::Warning, "w");
    run.Updates.Add("Insured.Waiver", Value(false), IniFile::Boolean);
    WriteRelayAnswer(run);

    EXPECT_EQ(folder.Read("relay.out"),
              "[HeaderValues]\r\nbridge_Policy=Brellan 20\r\nbridge_SourceLedgerPages=3\r\nbridge_Age=45\r\n"
              "[BasicValues]\r\nvalue_Dividend=0\r\n"
              "[Engine]\r\nStatus=0\r\nMessage_1=Warning\xFD\xFDw\r\n"
              "[EMF]\r\nFile=" +
                  folder.folder() + "page(3).emf\r\n" + "1File=" + folder.folder() +
                  "page(1,2).emf\xFDTerm 20 - $250,000\xFDU\xFDL\r\n" + "2File=" + folder.folder() +
                  "page(3,3).emf\xFD" + "Client Information\xFDU\xFDL\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 4)
        << "one answer, besides the updates, their log and the error log";
    EXPECT_EQ(folder.Read("Relay.upd"), "[Identifiers]\r\nInsured.Waiver=N\r\n");
    EXPECT_EQ(folder.Read("Error.log"), "\"0|1|w||\"\r\n");
}

}  // namespace
