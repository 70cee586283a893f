#include <QApplication>

#include "FileCreatorWindow.h"
#include "RateTool.h"
#include "WindowTest.h"

namespace {

using namespace quoravel;

using FileCreatorWindowTest = WindowTest;

// Stands in for the main window, whose critical message ends the program.
struct EndingMessages final : UserMessages {
    void CriticalError(const std::string&, const std::string&) override { ended = true; }
    bool ended = false;
};

TEST_F(FileCreatorWindowTest, MissingInputsAreRefusedCancelledDialogsStopQuietlyAndFailuresKeepTheLastFile) {
    FileCreatorWindow window(context);
    const auto edit = [&](const char* name) { return Control<QLineEdit>(window, name); };
    const auto click = [&](const char* name) {
        QTest::mouseClick(Control<QAbstractButton>(window, name), Qt::LeftButton);
    };
    click("optRateType7");
    edit("txtRateInfo0")->setText("Term");
    click("cmdCreateRates");
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.LastText(), kMissingInputsMessage);
    EXPECT_FALSE(std::filesystem::exists(Own("QNBTermNew.rat")));  // new rate files go to the user's folder

    click("optRateType5");  // the one-year files are chosen in dialogs
    click("cmdCreateRates");
    dialogs.files = {program.folder() + "b1.txt"};
    click("cmdCreateRates");
    click("cmdConvert");
    dialogs.files = {program.folder() + "old.rat"};
    click("cmdConvert");
    EXPECT_EQ(dialogs.inputTitles.size(), 6u);  // input, then output, each time; no more once cancelled
    EXPECT_EQ(dialogs.shown.size(), 1u);

    // Failures are shown here and keep the program and the last good file.
    EndingMessages mainWindow;
    process.Messages = &mainWindow;
    window.show();
    TempFolder tables;
    for (int sex = 0; sex < 2; ++sex) {
        for (int classCode : {4, 6})
            tables.Write(InputTableName("yrt", 7, "g", sex, classCode), "0 1.5\n100 9");
    }
    mine.Write("GuarYRTNew.rat", "built last month");
    click("optRateType4");
    auto* prefix = edit("txtRateInfo0");
    prefix->setText("yrt");
    edit("txtRateInfo1")->setText("g");
    edit("txtRateInfo2")->setText("7");
    dialogs.files = {(tables.path() / InputTableName("yrt", 7, "g", 1, 6)).string()};
    click("cmdFileInfo");
    EXPECT_EQ(std::filesystem::path(edit("txtRateInfo3")->text().toStdString()), tables.path());

    click("cmdCreateRates");
    EXPECT_EQ(dialogs.LastText(), "Guaranteed YRT File Created.");
    const std::string good = mine.Read("GuarYRTNew.rat");
    const std::string goodDump = mine.Read("GuarYRTRateDump.txt");
    EXPECT_NE(good, "built last month");
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    tables.Write("yrt07gmSNN", "0 1.5x\n");  // the first table read, damaged
    const struct {
        const char* typed;  // the prefix of the tables
        int number;
        std::string description;
    } faults[]{
        {"yrtt", 53,
         "The rate table " + tables.folder() + "yrtt07gmSNN (or yrtt07gmSNN.txt) does not exist."},
        {"yrt", 13, tables.folder() + "yrt07gmSNN, line 1: \"1.5x\" is not a number."},
    };
    for (const auto& fault : faults) {
        prefix->setText(fault.typed);
        const std::size_t before = dialogs.shown.size();
        click("cmdCreateRates");
        ASSERT_EQ(dialogs.shown.size(), before + 1) << fault.description;
        EXPECT_EQ(dialogs.shown.back().title, "RateStuf: ReadNewGuarYRTRates");
        EXPECT_EQ(dialogs.LastText(), "Number:" + std::to_string(fault.number) +
                                          "\n\nSeverity:Error\n\nDescription:" + fault.description);
        EXPECT_EQ(dialogs.shown.back().icon, MessageIcon::Critical);
        EXPECT_FALSE(mainWindow.ended) << fault.description;
        EXPECT_TRUE(window.isVisible());
        EXPECT_TRUE(mine.Read("GuarYRTNew.rat") == good) << fault.description;
        EXPECT_TRUE(mine.Read("GuarYRTRateDump.txt") == goodDump) << fault.description;
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    }

    // An old level file of one record is converted where the user says.
    program.Write("old.rat", std::string(410, '\0'));
    dialogs.files = {program.folder() + "old.rat", program.folder() + "converted.rat"};
    click("cmdConvert");
    EXPECT_EQ(std::filesystem::file_size(program.path() / "converted.rat"), 722u);
    EXPECT_FALSE(mainWindow.ended);
}

}  // namespace
