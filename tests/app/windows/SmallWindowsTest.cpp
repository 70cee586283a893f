#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QListWidget>
#include <QScreen>
#include <filesystem>

#include "CaseDirectoryDialog.h"
#include "OptionsDialog.h"
#include "SplashWindow.h"
#include "TipDialog.h"
#include "WindowPlacement.h"
#include "WindowTest.h"

namespace {

using namespace quoravel;

using SmallWindowsTest = WindowTest;

// The window shows what is stored; Cancel writes nothing, Apply writes and stays, OK writes and closes.
TEST_F(SmallWindowsTest, OptionsShowTheStoredChoicesAndOnlyOkOrApplyWriteThem) {
    settings.Save("Options", "DefaultStateBRN", "NJ");
    settings.Save("Options", "AutoSaveClients", 0L);
    const auto stored = [&](const char* key) { return settings.Get("Options", key, "<unset>"); };
    const auto choose = [](OptionsDialog& window, bool acrobat, QDialogButtonBox::StandardButton button) {
        Control<QComboBox>(window, "cboDefaultStateBRN")->setCurrentText("TX");
        Control<QCheckBox>(window, "chkAutoSaveClients")->setChecked(true);
        Control<QCheckBox>(window, "chkUseAcrobat")->setChecked(acrobat);
        Control<QDialogButtonBox>(window, "buttonBox")->button(button)->click();
    };
    {
        OptionsDialog window(context);
        EXPECT_EQ(Control<QComboBox>(window, "cboDefaultStateBRN")->currentText(), "NJ");
        EXPECT_FALSE(Control<QCheckBox>(window, "chkAutoSaveClients")->isChecked());
        choose(window, true, QDialogButtonBox::Cancel);
        EXPECT_EQ(stored("DefaultStateBRN") + "|" + stored("UseAcrobat"), "NJ|<unset>");
    }
    OptionsDialog window(context);
    window.show();
    choose(window, true, QDialogButtonBox::Apply);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(stored("DefaultStateBRN") + "|" + stored("AutoSaveClients") + "|" + stored("UseAcrobat"),
              "TX|1|True");
    choose(window, false, QDialogButtonBox::Ok);
    EXPECT_FALSE(window.isVisible());
    EXPECT_FALSE(settings.GetFlag("Options", "UseAcrobat", true));
}

// Without a tips file the window says how to make one and keeps the remembered tip. The tips file is found
// whatever the case of its name; blank lines are no tips; the next tip follows the remembered one and wraps
// to the first. The check box is stored, and at start-up the window follows it unless asked for.
TEST_F(SmallWindowsTest, TipsFollowTheRememberedOneAndAMissingFileIsExplained) {
    std::filesystem::remove(program.path() / "TIPOFDAY.TXT");
    settings.Save("Options", "LastTip", 4L);
    {
        TipDialog window(context);
        window.Open();
        EXPECT_TRUE(window.ShownText().startsWith("That the TIPOFDAY.TXT file was not found?"));
        EXPECT_EQ(settings.GetNumber("Options", "LastTip", 0), 4);
        Control<QCheckBox>(window, "chkShowTips")->click();
        EXPECT_EQ(settings.Get("Options", "Show Tips at Startup", ""), "0");
        window.ShowModal();  // returns at once: tips are off
        window.ForceShow = true;
        EXPECT_TRUE(window.WouldShow());
    }

    program.Write("TipOfDay.txt", "First\r\n\r\nDon\x92t forget the broker\r\nThird");
    settings.Save("Options", "LastTip", 2L);
    TipDialog window(context);
    window.Open();
    EXPECT_EQ(window.ShownText(), "Third");
    Control<QPushButton>(window, "cmdNextTip")->click();
    EXPECT_EQ(window.ShownText(), "First");
    EXPECT_EQ(settings.GetNumber("Options", "LastTip", 0), 1);
    window.NextTip();
    EXPECT_EQ(window.ShownText(), QString::fromUtf8("Don\u2019t forget the broker"));
}

// A window opens over the one it belongs to, whatever the size it was given, and never past the screen.
TEST_F(SmallWindowsTest, AWindowOpensOverItsOwnerAndWithinTheScreen) {
    QWidget owner;
    owner.setGeometry(40, 30, 500, 400);
    owner.show();
    TipDialog tip(context, &owner);
    tip.resize(5000, 5000);
    PlaceOnScreen(tip);
    const QRect screen = owner.screen()->availableGeometry();
    EXPECT_TRUE(screen.contains(tip.geometry())) << tip.geometry().width() << "x" << tip.geometry().height();
    tip.resize(tip.minimumSizeHint());
    PlaceOnScreen(tip);
    EXPECT_LE((tip.geometry().center() - owner.geometry().center()).manhattanLength(), 4);
}

// The user's case files and the program's own are listed once each; the
// file chosen is the user's, read from the program's until the user saves it.
TEST_F(SmallWindowsTest, ThePickerListsCaseFilesByNameAndReturnsTheChosenFile) {
    std::filesystem::remove(program.path() / "sample.clt");
    for (const char* theirs : {"a.clt", "b.old.clt", "C.CLT", "notes.txt"}) program.Write(theirs, "");
    for (const char* own : {"A.clt", "d.clt"}) mine.Write(own, "");
    CaseDirectoryDialog window(context);
    auto* list = Control<QListWidget>(window, "lstCaseFiles");
    QStringList names;
    for (int i = 0; i < list->count(); ++i) names << list->item(i)->text();
    EXPECT_EQ(names, QStringList({"A", "b", "C", "d"}));
    EXPECT_EQ(window.SelectedPath(), "");
    EXPECT_FALSE(Control<QDialogButtonBox>(window, "buttonBox")->button(QDialogButtonBox::Ok)->isEnabled());

    // The entry named "b" stands for b.old.clt, and that file is opened.
    list->setCurrentRow(1);
    EXPECT_EQ(Control<QLineEdit>(window, "txtCaseName")->text(), "b");
    EXPECT_EQ(window.SelectedPath(), Own("b.old.clt"));
    emit list->itemDoubleClicked(list->item(1));
    EXPECT_EQ(window.result(), QDialog::Accepted);
}

// Shown together: the splash whose main window is ready at once stays its full
// second; the one whose main window is still loading stays until it is ready.
TEST_F(SmallWindowsTest, SplashStaysASecondAndUntilTheMainWindowIsReady) {
    QElapsedTimer clock;
    clock.start();
    SplashWindow ready(context);
    SplashWindow loading(context);
    ready.ShowOnScreen();
    loading.ShowOnScreen();
    // The main window is shown while the splash is up: it must not cover the splash.
    EXPECT_TRUE(ready.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    ready.MainWindowReady();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !ready.isVisible(); }, 3000));
    EXPECT_GE(clock.elapsed(), 1000);
    QTest::qWait(200);  // its own second is up too by now
    EXPECT_TRUE(loading.isVisible());
    loading.MainWindowReady();
    EXPECT_FALSE(loading.isVisible());
}

}  // namespace
