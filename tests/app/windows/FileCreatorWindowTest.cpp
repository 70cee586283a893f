#include <QApplication>
#include <functional>

#include "FileCreatorWindow.h"
#include "RateTool.h"
#include "WindowTest.h"

namespace {

using namespace quoravel;

class FileCreatorWindowTest : public WindowTest {
protected:
    template <typename T>
    T* Control(const QString& name) {
        return ::Control<T>(window, name);
    }
    void Click(const QString& button) { QTest::mouseClick(Control<QAbstractButton>(button), Qt::LeftButton); }

    FileCreatorWindow window{context};
};

TEST_F(FileCreatorWindowTest, MissingInputsAreRefusedAndCancelledDialogsStopQuietly) {
    Click("optRateType7");
    Control<QLineEdit>("txtRateInfo0")->setText("Term");
    Click("cmdCreateRates");
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.LastText(), kMissingInputsMessage);
    EXPECT_EQ(dialogs.shown.back().icon, MessageIcon::Exclamation);
    EXPECT_FALSE(std::filesystem::exists(Own("QNBTermNew.rat")));  // new rate files go to the user's folder

    Click("optRateType5");  // the one-year files are chosen in dialogs
    Click("cmdCreateRates");
    dialogs.files = {program.folder() + "b1.txt"};
    Click("cmdCreateRates");
    Click("cmdConvert");
    dialogs.files = {program.folder() + "old.rat"};
    Click("cmdConvert");
    EXPECT_EQ(dialogs.inputTitles,
              std::vector<std::string>({"Brellan 1 Input File Name", "Brellan 1 Input File Name",
                                        "Brellan 1 Output File Name", "Input File Name", "Input File Name",
                                        "Output File Name"}));
    EXPECT_EQ(dialogs.shown.size(), 1u);
}

// Stands in for the main window, whose critical message ends the program.
struct EndingMessages final : UserMessages {
    void CriticalError(const std::string&, const std::string&) override { ended = true; }
    bool ended = false;
};

TEST_F(FileCreatorWindowTest, FailuresAreShownHereAndKeepTheProgramAndTheLastGoodFile) {
    EndingMessages mainWindow;
    process.Messages = &mainWindow;
    window.show();
    TempFolder tables;
    for (int sex = 0; sex < 2; ++sex) {
        for (int classCode : {4, 6})
            tables.Write(InputTableName("yrt", 7, "g", sex, classCode), "0 1.5\n100 9");
    }
    mine.Write("GuarYRTNew.rat", "built last month");
    Click("optRateType4");
    auto* prefix = Control<QLineEdit>("txtRateInfo0");
    prefix->setText("yrt");
    Control<QLineEdit>("txtRateInfo1")->setText("g");
    Control<QLineEdit>("txtRateInfo2")->setText("7");
    dialogs.files = {(tables.path() / InputTableName("yrt", 7, "g", 1, 6)).string()};
    Click("cmdFileInfo");
    EXPECT_EQ(std::filesystem::path(Control<QLineEdit>("txtRateInfo3")->text().toStdString()), tables.path());

    Click("cmdCreateRates");
    EXPECT_EQ(dialogs.LastText(), "Guaranteed YRT File Created.");
    const std::string good = mine.Read("GuarYRTNew.rat");
    const std::string goodDump = mine.Read("GuarYRTRateDump.txt");
    EXPECT_NE(good, "built last month");
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    const std::string table = tables.folder() + "yrt07gmSNN";  // the first table read
    const struct {
        std::function<void()> make;
        int number;
        std::string description;
    } faults[]{
        {[&] { prefix->setText("yrtt"); }, 53,
         "The rate table " + tables.folder() + "yrtt07gmSNN (or yrtt07gmSNN.txt) does not exist."},
        {[&] {
             prefix->setText("yrt");
             tables.Write("yrt07gmSNN", "0 1.5x\n");
         },
         13, table + ", line 1: \"1.5x\" is not a number."},
    };
    for (const auto& fault : faults) {
        fault.make();
        const std::size_t before = dialogs.shown.size();
        Click("cmdCreateRates");
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
    Click("cmdConvert");
    EXPECT_EQ(std::filesystem::file_size(program.path() / "converted.rat"), 722u);
    EXPECT_FALSE(mainWindow.ended);
}

}  // namespace
