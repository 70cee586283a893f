#include <QTableWidget>

#include "CommissionDialog.h"
#include "WindowTest.h"

using namespace quoravel;

namespace {

constexpr int kFirstYearColumn = 2;
constexpr int kRenewalColumn = 3;

class CommissionWindowTest : public WindowTest {
protected:
    void Enter(int row, int column, const char* text) {
        window.findChild<QTableWidget*>("commissionTable")->item(row, column)->setText(text);
    }

    CommissionSettings commission{program.folder(), process.UserFolder};
    CommissionDialog window{context, commission};
    const std::string fileBefore = program.Read("TermComm.ini");
};

// Row 3 of the program's file grants at most 90% the first year: what lies outside is refused, and neither a
// refusal nor Cancel writes anything. OK writes the user's copy, which begins as the program's file; that
// file stays as it was.
TEST_F(CommissionWindowTest, OutOfRangeIsRefusedCancelWritesNothingAndOkWritesTheUsersCopy) {
    for (const char* entry : {"abc", "-1", "90.01", "nan", ""}) {
        dialogs.shown.clear();
        Enter(3, kFirstYearColumn, entry);
        window.accept();
        EXPECT_EQ(dialogs.LastText(), "Row 3: the first-year commission must be a number from 0 to 90.")
            << entry;
        EXPECT_NE(window.result(), QDialog::Accepted);
    }
    Enter(3, kFirstYearColumn, "60");
    window.reject();
    EXPECT_EQ(commission.CommisionValue(CommissionSettings::FirstYear, 3), 75);
    EXPECT_FALSE(std::filesystem::exists(Own("TermComm.ini")));

    Enter(3, kFirstYearColumn, "60.5");
    Enter(25, kRenewalColumn, " 0 ");
    dialogs.shown.clear();
    window.accept();
    EXPECT_TRUE(dialogs.shown.empty()) << dialogs.LastText();
    EXPECT_EQ(window.result(), QDialog::Accepted);
    EXPECT_EQ(program.Read("TermComm.ini"), fileBefore);
    const CommissionSettings reread(program.folder(), process.UserFolder);
    EXPECT_EQ(reread.CommisionValue(CommissionSettings::FirstYear, 3), 60.5);
    EXPECT_EQ(reread.CommisionValue(CommissionSettings::Renewal, 3), 3);
    EXPECT_TRUE(reread.HasCommisionValue(CommissionSettings::Renewal, 25));
    EXPECT_EQ(reread.CommisionValue(CommissionSettings::Renewal, 25), 0);
}

TEST_F(CommissionWindowTest, WithoutAMaximumTheLimitIs999_99) {
    program.Write("TermComm.ini", "[0]\r\nFirstYear=50\r\n");
    CommissionSettings bare(program.folder(), process.UserFolder);
    CommissionDialog bareWindow(context, bare);
    auto* table = bareWindow.findChild<QTableWidget*>("commissionTable");
    table->item(0, kFirstYearColumn)->setText("1000");
    bareWindow.accept();
    EXPECT_EQ(dialogs.LastText(), "Row 0: the first-year commission must be a number from 0 to 999.99.");
    table->item(0, kFirstYearColumn)->setText("999.99");
    bareWindow.accept();
    const CommissionSettings reread(program.folder(), process.UserFolder);
    EXPECT_EQ(reread.CommisionValue(CommissionSettings::FirstYear, 0), 999.99);
    EXPECT_FALSE(reread.HasCommisionValue(CommissionSettings::Renewal, 0));  // left empty, stays unset
}

}  // namespace
