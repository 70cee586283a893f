#include <QApplication>
#include <QGroupBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QTableWidget>

#include "BrokerFile.h"
#include "CaseFile.h"
#include "PreviewWindow.h"
#include "ProgramRun.h"
#include "ProposalWindow.h"
#include "WindowTest.h"

namespace quoravel {
namespace {

namespace fs = std::filesystem;

class MainWindowTest : public WindowTest {
protected:
    MainWindowTest() {
        AddRatesAndPictures();
        Reopen();
    }

    // The window as the program starts it, on 2026-12-06, the one before it gone.
    void Reopen() {
        window.reset();
        window = std::make_unique<ProposalWindow>(context);
        window->SetToday(Date::FromYmd(2026, 12, 6));
        window->runCommand = [this](const std::vector<std::string>& words) {
            launched.push_back(words);
            return launcherStatus;
        };
        window->endProgram = [this] { ended = true; };
    }

    template <typename T>
    T* Control(const QString& name) {
        return ::Control<T>(*window, name);
    }
    // Types into a field and leaves it with Return.
    void Type(const char* field, const QString& text) {
        QLineEdit* edit = Control<QLineEdit>(field);
        edit->clear();
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Return);
    }
    QString Text(const char* field) { return Control<QLineEdit>(field)->text(); }
    // The products listed, or those ticked.
    QStringList Products(bool ticked = false) {
        QStringList names;
        auto* list = Control<QListWidget>("lstProducts");
        for (int row = 0; row < list->count(); ++row) {
            if (!ticked || list->item(row)->checkState() == Qt::Checked) names << list->item(row)->text();
        }
        return names;
    }
    // A male of 45, preferred, in Alabama, the carrier's 20-year product (Brellan 20 for BRN) at 250,000.
    void EnterCase(const QString& first, const QString& last = "Okafor") {
        window->NewCase();
        Type("txtFirstName", first);
        Type("txtLastName", last);
        if (window->Company() == 0) Control<QComboBox>("cboState")->setCurrentText("AL");
        Type("txtAge", "45");
        Control<QComboBox>("cboClass")->setCurrentIndex(2);
        Control<QListWidget>("lstProducts")->item(2)->setCheckState(Qt::Checked);
        Type("txtFace0", "250000");
    }
    bool Propose(const QString& first) {
        EnterCase(first);
        return window->MakeProposal();
    }
    long Saved(const std::string& file = "client.clt") { return ReadCaseFile(Own(file)).Count(); }

    std::vector<std::vector<std::string>> launched;  // the desktop's launchers, as the window calls them
    int launcherStatus = 0;
    bool ended = false;
    std::unique_ptr<ProposalWindow> window;
};

// The fields apply their rules at once: a birth date sets the age or is refused; comparing products takes
// one face amount; an amount keeps to the window's limits unless the in-house password (upper-case) is
// given; Montana's rates are unisex. A number a relay case refuses, or no age, makes no proposal either:
// each is told by its field and value as the relay tells it, and no preview opens.
TEST_F(MainWindowTest, FieldRulesHoldFromTheStartAndViewRefusesWhatARelayCaseRefuses) {
    for (const char* face : {"txtFace1", "txtFace2", "txtFace3"})
        EXPECT_FALSE(Control<QLineEdit>(face)->isEnabled()) << face;
    auto* age = Control<QLineEdit>("txtAge");
    Type("txtBirthDate", "01/01/30");
    EXPECT_EQ(Text("txtBirthDate") + " " + age->text() + (age->isEnabled() ? "" : " closed"),
              "01/01/1930 97 closed");
    Type("txtBirthDate", "02/30/1990");
    EXPECT_EQ(dialogs.LastText(), "Please enter a valid Date of Birth.");
    EXPECT_EQ(Text("txtBirthDate") + (age->isEnabled() ? "" : " closed"), "//");  // the empty mask
    Type("txtAge", "100");
    EXPECT_EQ(dialogs.LastText(), "Please enter a valid age less than 100");

    Type("txtFace0", "20000");
    EXPECT_EQ(Text("txtFace0"), "50000");
    Type("txtFace0", "lots");
    EXPECT_EQ(dialogs.LastText(), "Value must be numeric.");
    auto* inHouse = Control<QCheckBox>("chkInHouse");
    dialogs.inputs = {"castle", "CASTLE"};
    inHouse->setChecked(true);
    EXPECT_FALSE(inHouse->isChecked());
    inHouse->setChecked(true);
    EXPECT_GE(Control<QComboBox>("cboPaymentMode")->findText("Direct Monthly"), 0);
    Type("txtFace0", "20000");
    EXPECT_EQ(Text("txtFace0"), "20000");
    inHouse->setChecked(false);
    EXPECT_LT(Control<QComboBox>("cboPaymentMode")->findText("Direct Monthly"), 0);

    Control<QComboBox>("cboState")->setCurrentText("MT");
    EXPECT_EQ(Control<QComboBox>("cboSex")->count(), 1);
    EXPECT_EQ(Control<QComboBox>("cboSex")->currentText(), "Unisex");

    for (const auto& [field, typed, message] : std::initializer_list<std::array<const char*, 3>>{
             {"txtAge", "", "Age: "},
             {"txtFace0", "-100000", "Face amount: "},
             {"txtTempFlatExtraYears", "2.5", "Temporary flat extra years: "},
             {"txtPermFlatExtra", "3,50", "Permanent flat extra: "},
             {"txtTempFlatExtra", "120", "Temporary flat extra: "},
         }) {
        EnterCase("Ada");
        Type(field, typed);
        dialogs.shown.clear();
        window->ViewCommand();
        EXPECT_TRUE(dialogs.LastText().starts_with(message)) << field << ": " << dialogs.LastText();
        EXPECT_EQ(window->Preview(), nullptr) << field << " " << typed;
    }
}

// Each proposal takes the rate scale its own case asks for: a Texas man of class 5 aged 64 is within Brellan
// 20's issue ages on the prior scale (64) and beyond them on the current one (63). A class the Quenby
// products refuse is told once, in a box of the refusal's own title.
TEST_F(MainWindowTest, EachProposalTakesItsCasesRateScaleAndARefusalIsToldOnce) {
    for (const auto& [last, issued] : std::initializer_list<std::pair<QString, bool>>{
             {"Okafor", false}, {"Okafor 1BACK", true}, {"Okafor", false}}) {
        EnterCase("Sam", last);
        Control<QComboBox>("cboState")->setCurrentText("TX");
        Control<QComboBox>("cboClass")->setCurrentIndex(5);
        Type("txtAge", "64");
        EXPECT_EQ(window->MakeProposal(), issued) << last.toStdString();
        // What is told: the refusal, or that the prior rate scale was used.
        EXPECT_EQ(dialogs.LastText().find("prior rate scale") != std::string::npos, issued)
            << dialogs.LastText();
    }
    settings.Save("Options", "DefaultStateQNB", "NJ");
    window->SwitchCompany(1);
    EnterCase("Ada");
    Control<QComboBox>("cboClass")->setCurrentText("Pref. Best No Nicotine Use");
    Control<QListWidget>("lstProducts")->item(2)->setCheckState(Qt::Unchecked);
    Control<QListWidget>("lstProducts")->item(3)->setCheckState(Qt::Checked);  // Quenby 10
    dialogs.shown.clear();
    EXPECT_FALSE(window->MakeProposal());
    ASSERT_EQ(dialogs.shown.size(), 1U) << dialogs.LastText();
    EXPECT_EQ(dialogs.shown[0].title, "Age out of Range");
}

// A case is saved with the broker's last edit, by Save and by closing, proposal made since or not; a new
// client starts afresh; an unnamed case is listed but never written; the file opens again as entered, and
// is saved to again whatever carrier is chosen.
TEST_F(MainWindowTest, CaseSavedReopenedAndViewedEndToEnd) {
    window->OpenCaseDirectory(Own("mine.clt"));
    EnterCase("Ada");
    Control<QComboBox>("cboPaymentMode")->setCurrentText("Quarterly");
    Control<QCheckBox>("chkWaiver")->setChecked(true);
    window->ViewCommand();
    EXPECT_TRUE(dialogs.shown.empty()) << dialogs.LastText();
    ASSERT_NE(window->Preview(), nullptr);
    EXPECT_EQ(window->Preview()->GetDocument().pages.size(), std::size_t(window->Document().PageCount()));
    Type("txtPermFlatExtra", "2.5");
    Control<QAction>("actSave")->trigger();
    EXPECT_EQ(ReadCaseFile(Own("mine.clt")).Item(1).PermFlatExtra(), 2.5);

    window->NewCase();
    EXPECT_EQ(Text("txtFirstName") + Products(true).join(","), "");
    EXPECT_NE(Control<QComboBox>("cboPaymentMode")->currentText(), "Quarterly");
    EXPECT_FALSE(Control<QCheckBox>("chkWaiver")->isChecked());
    EnterCase("", "");
    EXPECT_TRUE(window->MakeProposal());
    EXPECT_EQ(window->Cases().Count(), 2);
    EnterCase("May");  // never viewed: kept when the window closes
    window->close();
    EXPECT_EQ(Saved("mine.clt"), 2);
    EXPECT_FALSE(fs::exists(Own("brokers.ini")));  // the broker list, unchanged, is not written

    Reopen();  // the last case file of the carrier
    EXPECT_EQ(window->Cases().Item(2).FirstName(), "May");
    window->ShowClient(window->Cases().Item(1));
    EXPECT_EQ(QStringList({Text("txtFirstName"), Text("txtPermFlatExtra"),
                           Control<QComboBox>("cboPaymentMode")->currentText(), Products(true).join(",")}),
              QStringList({"Ada", "2.50", "Quarterly", "Brellan 20"}));
    EXPECT_EQ(Control<QComboBox>("cboClass")->currentIndex(), 2);

    // Saved while another carrier, with a case file of its own, is chosen: back to the file it came from.
    settings.Save("Clients", "DefaultFile", Own("qnb.clt"));
    Propose("Ivy");
    window->SwitchCompany(1);
    window->SaveCaseCommand();
    EXPECT_EQ(Saved("mine.clt"), 3);
    EXPECT_EQ(ReadCaseFile(Own("mine.clt")).Item(3).FirstName(), "Ivy");
}

// A window proposal's PDF, saved where the user says (".pdf" added), holds the pages ticked and the case as
// entered, and `verify` makes it again from that record. Each output keeps its own file: a saved PDF is never
// the next client's e-mail attachment, and what is opened is the file written. The launcher's exit status
// decides: a PDF or help page it could not open is told, though it ran.
TEST_F(MainWindowTest, PrintToPdfAndEmailEachWriteTheirOwnFileWhichVerifies) {
    EnterCase("Ida");
    Control<QCheckBox>("chkOutput2")->setChecked(true);  // the description of terms
    TempFolder elsewhere;
    const std::string pdf = elsewhere.folder() + "ida.pdf";
    dialogs.files.push_back(elsewhere.folder() + "ida");
    window->PrintToPdfCommand();
    const std::string firstRun = window->RunFolder();
    EXPECT_NE(RunProgram({"pdftotext", pdf, "-"}).out.find("Description of Terms"), std::string::npos);
    const ProgramResult verified =
        RunProgram({"/usr/bin/env", "QUORAVEL_HOME=" + program.folder(), QUORAVEL_EXECUTABLE, "verify", pdf});
    EXPECT_EQ(verified.exitCode, 0) << verified.out << verified.err;
    EXPECT_NE(verified.out.find("from a case record"), std::string::npos) << verified.out;

    window->PrintToPdfCommand();  // the dialog cancelled: beside the proposal's page files
    // Each proposal has a folder of its own; the one before keeps its files.
    const std::string run = window->RunFolder();
    EXPECT_EQ(run.rfind(process.RunsFolder + "run-", 0), 0U) << run;
    EXPECT_NE(run, firstRun);
    EXPECT_TRUE(fs::exists(run + "illustration.pdf") && fs::exists(firstRun + "page1.vsv")) << run;
    const std::string saved = elsewhere.Read("ida.pdf");

    EnterCase("Jo", "Baker");
    window->EmailCommand();
    EXPECT_EQ(launched.back().at(0) + " " + launched.back().at(5), "xdg-email --attach");
    const fs::path attachment = launched.back().back();
    EXPECT_NE(attachment.parent_path(), elsewhere.path());
    EXPECT_EQ(elsewhere.Read("ida.pdf"), saved);
    launcherStatus = 2;  // from here on the launchers run and fail, which is told
    window->EmailCommand();
    EXPECT_NE(dialogs.LastText().find("No mail program answered"), std::string::npos);
    // Each message its own attachment: the first one's is still there, untouched.
    EXPECT_EQ(dialogs.LastText().find(attachment.string()), std::string::npos);
    EXPECT_TRUE(fs::exists(attachment));

    // Printing through the PDF viewer: the preview, then that proposal's PDF opened.
    settings.SaveFlag("Options", "UseAcrobat", true);
    window->PrintCommand();
    EXPECT_NE(window->Preview(), nullptr);
    EXPECT_EQ(launched.back(),
              (std::vector<std::string>{"xdg-open", window->RunFolder() + "Illustration.pdf"}));
    EXPECT_EQ(dialogs.LastText(),
              "The file could not be opened.  Please make sure you have all required programs installed and "
              "associations set.");
    Control<QAction>("actHelpContents")->trigger();
    EXPECT_EQ(launched.back(), (std::vector<std::string>{"xdg-open", program.folder() + "termBRN.html"}));
    EXPECT_EQ(dialogs.LastText(),
              "Unable to display Help Contents. There is no Help associated with this project.");
}

// A proposal needs a product and a face amount; with keeping cases off the case is not listed, with it on
// the case is listed once however often it is proposed. Removing asks first; a new case file needs a plain
// name, and the file left is saved first.
TEST_F(MainWindowTest, CasesAreListedOnceRemovedOnOkAndSavedBeforeANewFile) {
    settings.Save("Options", "AutoSaveClients", "0");
    window->NewCase();
    Type("txtFirstName", "Ben");
    Type("txtAge", "40");
    EXPECT_FALSE(window->MakeProposal());
    EXPECT_EQ(dialogs.LastText(), "At least one product and face amount must be entered to make a proposal.");
    EXPECT_EQ(window->Cases().Count(), 0);
    settings.Save("Options", "AutoSaveClients", "1");
    window->MakeProposal();
    window->MakeProposal();  // the selected case is rebuilt, not added again
    EXPECT_EQ(window->Cases().Count(), 1);

    Propose("Gus");
    Control<QComboBox>("cboClients")->setCurrentIndex(1);
    dialogs.answers.push_back(false);
    window->RemoveCaseCommand();
    EXPECT_EQ(window->Cases().Count(), 2);
    window->RemoveCaseCommand();
    EXPECT_EQ(window->Cases().Item(1).FirstName() + " " + std::to_string(window->Cases().Item(1).Index()),
              "Gus 1");

    dialogs.inputs = {"sub/dir", "spring"};
    window->NewCaseDirectoryCommand();
    EXPECT_EQ(dialogs.shown.back().title, "Error");
    window->NewCaseDirectoryCommand();
    EXPECT_EQ(window->CaseFile(), Own("spring.clt"));
    EXPECT_EQ(window->Cases().Count(), 0);
    EXPECT_EQ(Saved(), 1);  // the old file was saved first
}

// A critical error keeps the cases before the program ends. With saving left to the user, closing after an
// edit asks: Save writes the case, Discard leaves the file as it was, Cancel keeps the window open and the
// edit in its fields; another case directory asks too. Cases that cannot be saved keep the window open
// unless the user lets them go.
TEST_F(MainWindowTest, ClosingKeepsTheCasesOrAsksAndCasesThatCannotBeSavedKeepTheWindowOpen) {
    Propose("Eve");
    ErrorLog shownInstead;
    process.ProcessError(shownInstead, 7, 2, "Out of memory", "RateStuf", "FillRateMatrix");
    ASSERT_EQ(dialogs.shown.size(), 1U);
    EXPECT_EQ(dialogs.shown[0].icon, MessageIcon::Critical);
    EXPECT_TRUE(ended);
    EXPECT_EQ(Saved(), 1);

    const std::string saved = mine.Read("client.clt");
    settings.Save("Options", "AutoSaveDirectory", "0");
    for (const auto& [answer, closes, cases] : std::initializer_list<std::tuple<SaveAnswer, bool, long>>{
             {SaveAnswer::Cancel, false, 1}, {SaveAnswer::Discard, true, 1}, {SaveAnswer::Save, true, 2}}) {
        Reopen();
        EnterCase("Dee");
        dialogs.saveAnswers = {answer};
        dialogs.shown.clear();
        EXPECT_EQ(window->close(), closes);
        EXPECT_EQ(dialogs.shown.size(), 1U);
        EXPECT_EQ(window->Cases().Count(), cases);  // Cancel and Discard take no edit into the list
        EXPECT_EQ(Saved(), cases);
        EXPECT_EQ(mine.Read("client.clt") == saved, cases == 1);  // the file as it was, unless saved
    }
    EnterCase("Flo");
    dialogs.inputs = {"spring"};
    dialogs.saveAnswers = {SaveAnswer::Cancel};
    window->NewCaseDirectoryCommand();
    EXPECT_EQ(window->CaseFile(), Own("client.clt"));

    settings.Save("Options", "AutoSaveDirectory", "1");
    Reopen();
    window->OpenCaseDirectory(program.Write("a file", "").string() + "/cases.clt");
    Propose("Cy");
    dialogs.answers = {true, false, true, true};  // each refusal is told, then asked
    EXPECT_FALSE(window->close());
    EXPECT_EQ(dialogs.LastText(), ProposalWindow::kCloseUnsaved);
    EXPECT_TRUE(window->close());
}

// A broker types at most what the pages print whole; a longer name a relay case saved is shown, kept whole
// through the case file, and widens neither the window nor its lists, which show it whole in a tooltip.
TEST_F(MainWindowTest, ALongNameFitsTheScreenAndIsKeptWhole) {
    EnterCase(QString(40, 'F'), QString(50, 'L'));
    EXPECT_EQ(Text("txtFirstName") + " " + Text("txtLastName"), QString(25, 'F') + " " + QString(35, 'L'));
    EXPECT_EQ(Control<QLabel>("lblHelpLine")->text(), "This field takes at most 35 characters.");

    const std::string first(120, 'J'), last = "M\xc3\xbcller-" + std::string(125, 'x');
    Collection<ClientCase> cases;
    ClientCase& client = cases.Add(ClientCase());
    client.SetFirstName(first);
    client.SetLastName(last);
    client.SetAge(45);
    WriteCaseFile(Own("long.clt"), cases, false, {});
    window->OpenCaseDirectory(Own("long.clt"));
    window->ShowClient(window->Cases().Item(1));
    window->show();
    QApplication::processEvents();
    const QSize least = window->minimumSizeHint();
    EXPECT_TRUE(least.width() <= 1366 && least.height() <= 700 && window->width() <= 1920)
        << least.width() << "x" << least.height() << ", " << window->width();
    auto* list = Control<QComboBox>("cboClients");
    EXPECT_LE(list->fontMetrics().horizontalAdvance(list->itemText(1)), 1366 / 2);  // its pop-up as wide
    EXPECT_EQ(list->itemData(1, Qt::ToolTipRole).toString().toStdString(), client.SortName());
    list->setCurrentIndex(1);
    EXPECT_EQ(list->toolTip().toStdString(), client.SortName());
    Type("txtAge", "46");
    window->SaveCaseCommand();
    const ClientCase saved = ReadCaseFile(Own("long.clt")).Item(1);
    EXPECT_EQ(saved.FirstName() + "|" + saved.LastName() + "|" + std::to_string(saved.Age()),
              first + "|" + last + "|46");
}

// Tab walks every open control once, in reading order, and comes round again: a group of options is one
// stop, at its chosen option, and the quick quote is one stop. Alt and a letter reach the menus F, C, S and
// H, each menu item by a letter of its own within its menu, and every field label and choice by one of its
// own within its group, never a menu's (groups take turns with letters: there are more fields than letters).
TEST_F(MainWindowTest, TabWalksTheWindowInReadingOrderAndEachControlHasItsOwnAccessKey) {
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    EnterCase("Ada");
    QWidget* first = Control<QComboBox>("cboClients");
    first->setFocus();
    QStringList stops;
    for (QWidget* focused = first; stops.size() < 60; focused = QApplication::focusWidget()) {
        ASSERT_NE(focused, nullptr);
        stops << focused->objectName();
        QTest::keyClick(focused, Qt::Key_Tab);
        if (QApplication::focusWidget() == first) break;
    }
    EXPECT_EQ(stops.join(" ").toStdString(),
              "cboClients cboBroker cmdBrokerInfo cmdHelp txtFirstName txtMiddleInit txtLastName cboState "
              "txtBirthDate txtAge cboSex cboClass txtPermFlatExtra txtTempFlatExtra txtTempFlatExtraYears "
              "cboPaymentMode cboChildUnits chkWaiver cboWaiverRating optProposalType0 lstProducts txtFace0 "
              "optPrint1 optYears0 chkOutput0 chkOutput1 chkOutput2 chkOutput3 chkOutput4 chkOutput5 chkFIS "
              "tblQuickQuote");
    // Within a group the arrow keys choose, and Tab then leaves from the option chosen.
    Control<QRadioButton>("optPrint1")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    EXPECT_TRUE(Control<QRadioButton>("optPrint2")->isChecked());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget()->objectName(), "optYears0");

    // The letters taken, those of the texts added; a letter taken twice or missing fails the test.
    const auto take = [](QString taken, const QStringList& texts) {
        for (const QString& text : texts) {
            const QString letter = QKeySequence::mnemonic(text).toString().remove("Alt+");
            EXPECT_TRUE(!letter.isEmpty() && !taken.contains(letter)) << text.toStdString();
            taken += letter;
        }
        return taken;
    };
    QStringList menus;
    for (QAction* menu : window->menuBar()->actions()) {
        menus << menu->text();
        QStringList items;
        for (QAction* item : menu->menu()->actions())
            if (!item->isSeparator()) items << item->text();
        take("", items);
    }
    EXPECT_EQ(take("", menus), "FCSH");
    QList<QWidget*> groups{window->centralWidget()};
    for (auto* group : window->centralWidget()->findChildren<QGroupBox*>()) groups << group;
    for (QWidget* group : groups) {
        QStringList fields;
        for (auto* label : group->findChildren<QLabel*>(Qt::FindDirectChildrenOnly))
            if (label->buddy()) fields << label->text();
        for (auto* button : group->findChildren<QAbstractButton*>(Qt::FindDirectChildrenOnly))
            if (button->text() != "?") fields << button->text();
        take("FCSH", fields);
    }
}

// Showing a case never changes it: the bundled cases, some not shown whole, are shown, viewed (some refused)
// and the window closed with nothing to save, and what could not be shown was told. The program's own file
// is only read: an edit is saved in the user's copy, with what the closed controls hold.
TEST_F(MainWindowTest, ShowingAndViewingTheSampleCasesLeavesTheirFileAsItWas) {
    const std::string file = program.folder() + "sample.clt";
    window->OpenCaseDirectory(file);
    auto* cases = Control<QComboBox>("cboClients");
    for (int item = 1; item < cases->count(); ++item) {
        cases->setCurrentIndex(item);
        emit cases->activated(item);
        window->ViewCommand();
    }
    window->close();
    EXPECT_FALSE(fs::exists(Own("sample.clt")));  // nothing changed, nothing saved
    std::string told;
    for (const auto& box : dialogs.shown) told += box.text + "\n";
    // The New York case's product is not in New York's list.
    EXPECT_NE(told.find("Products: Quenby 10 (the window would take none)"), std::string::npos) << told;

    Reopen();
    window->OpenCaseDirectory(file);
    window->ShowClient(window->Cases().Item(3));  // the New York case
    auto* rating = Control<QComboBox>("cboTableRating");
    EXPECT_EQ(rating->currentText().toStdString() + (rating->isEnabled() ? " open" : " closed"), "B closed");
    Type("txtMiddleInit", "Q");
    const std::string before = program.Read("sample.clt");
    window->SaveCaseCommand();
    EXPECT_EQ(program.Read("sample.clt"), before);
    EXPECT_EQ(window->CaseFile(), Own("sample.clt"));
    const ClientCase edited = ReadCaseFile(Own("sample.clt")).Item(3);
    EXPECT_EQ(edited.MiddleInit() + "|" + edited.TableRating() + "|" +
                  std::to_string(edited.ChildRiderUnits()) + "|" + std::to_string(edited.WaiverRating()) +
                  "|" + std::to_string(edited.Proposal().ProdChoices()[0]),
              "Q|B|3|1.500000|18");

    // Its kept product is listed, ticked; unticking it removes it from the case.
    ASSERT_EQ(Products(true).filter("(kept)"), QStringList({"Quenby 10 (kept)"}));
    auto* list = Control<QListWidget>("lstProducts");
    list->item(list->count() - 1)->setCheckState(Qt::Unchecked);  // listed after the carrier's own
    window->SaveCaseCommand();
    EXPECT_EQ(ReadCaseFile(Own("sample.clt")).Item(3).Proposal().ProductCount(), 0U);
    window->NewCase();  // a kept product belongs to its case alone
    EXPECT_EQ(Products().filter("(kept)"), QStringList());
}

// A file typed without an extension gets the filter's, in the user's folder; a name that leads to another
// file asks first, and No keeps that file. A case record the window cannot read is named at opening and
// written back as it stood; a file that is no case file is replaced only on the user's yes, and a copy of it
// is kept. So are damaged broker records.
TEST_F(MainWindowTest, OtherFilesAreAskedForAndUnreadCasesAndBrokersAreToldAndKept) {
    dialogs.files.push_back(program.folder() + "saved");  // kept in the user's folder
    window->SaveCaseAsCommand();
    EXPECT_EQ(window->CaseFile(), Own("saved.clt"));
    EXPECT_TRUE(fs::exists(Own("saved.clt")) && !fs::exists(program.path() / "saved.clt"));
    const std::string sample = program.Read("sample.clt");
    dialogs.files.push_back(program.folder() + "SAMPLE");
    dialogs.answers.push_back(false);
    window->SaveCaseAsCommand();
    EXPECT_EQ(dialogs.LastText(), "sample.clt already exists.\nDo you want to replace it?");
    EXPECT_EQ(program.Read("sample.clt"), sample);
    EXPECT_EQ(window->CaseFile(), Own("saved.clt"));

    std::string text = program.Read("sample.clt");
    text.erase(text.find("\"Castellano\""));                    // the four cases of the current layout
    text.replace(text.find("\r\n52\r\n"), 6, "\r\nfifty\r\n");  // the age of the second
    const std::string file = mine.Write("mixed.clt", text).string();
    window->OpenCaseDirectory(file);
    EXPECT_NE(dialogs.LastText().find("Some records of " + file + " could not be read:\n\nrecord 2 (line "),
              std::string::npos)
        << dialogs.LastText();
    EnterCase("Dee");
    window->SaveCaseCommand();
    EXPECT_EQ(mine.Read("mixed.clt").substr(0, text.size()), text);
    EXPECT_EQ(ReadCaseFile(file).Item(4).FirstName(), "Dee");

    const std::string memo = "# Notes\r\n\r\nCall Ada on Monday.\r\n";
    const std::string notes = mine.Write("notes.clt", memo).string();
    Reopen();
    window->OpenCaseDirectory(notes);
    EXPECT_EQ(dialogs.LastText(), notes +
                                      " is not a case file: no case could be read from it. It is left as it "
                                      "is unless you save cases into it.");
    EnterCase("Eve");
    dialogs.answers.push_back(false);
    window->SaveCaseCommand();
    EXPECT_EQ(dialogs.LastText(),
              notes + " is not a case file. Replace it with the cases? A copy of it is kept as " + notes +
                  ".kept.");
    EXPECT_EQ(mine.Read("notes.clt"), memo);
    window->SaveCaseCommand();
    EXPECT_EQ(mine.Read("notes.clt.kept"), memo);
    EXPECT_EQ(ReadCaseFile(notes).Item(1).FirstName(), "Eve");

    // A damaged broker record is left out and told; the file as it was is kept in the user's folder.
    std::string record = "\"Moreno\"\r\n\"Elena\"\r\n";
    for (int line = 2; line < 15; ++line) record += "\"\"\r\n";
    const std::string brokers = record + "\"Moreno\"\r\nElena\r\n" + record.substr(19) + record;
    program.Write("brokers.ini", brokers);
    settings.Save("Brokers", "DefaultFile", "brokers.ini");
    Reopen();
    EXPECT_EQ(dialogs.LastText(), "The broker file " + program.folder() +
                                      "brokers.ini has damaged records (2): they are left out of the broker "
                                      "list. The file as it was is kept as " +
                                      Own("brokers.ini.damaged") + ".");
    window->close();
    EXPECT_EQ(mine.Read("brokers.ini.damaged"), brokers);
    EXPECT_EQ(ReadBrokerFile(Own("brokers.ini")).Count(), 2);
    EXPECT_EQ(program.Read("brokers.ini"), brokers);
}

// The quick quote against `quoravel quote` for the same client: the same products, order and premiums.
class QuickQuoteTest : public MainWindowTest {
protected:
    // A new case in Alabama, where the carrier sells every product.
    QuickQuoteTest() { Control<QComboBox>("cboState")->setCurrentText("AL"); }
    // Waits for the pane to price the fields (it waits for them to settle).
    bool Priced(const QString& firstAnnualBefore = "") {
        return QTest::qWaitFor([&] { return !Cell(0, 2).isEmpty() && Cell(0, 2) != firstAnnualBefore; });
    }
    // The lines of `quoravel quote` for a man of `age` in Alabama, 250,000 of every Brellan.
    static QJsonArray QuoteLines(const std::string& age) {
        std::vector<std::string> command{
            QUORAVEL_EXECUTABLE, "quote", "--age",  age,      "--sex",    "M",
            "--state",           "AL",    "--face", "250000", "--format", "json"};
        for (const char* product : {"BRLN10", "BRLN15", "BRLN20", "BRLN30"})
            command.insert(command.end(), {"--product", product});
        const ProgramResult quote = RunProgram(command);
        EXPECT_EQ(quote.exitCode, 0) << quote.err;
        return QJsonDocument::fromJson(QByteArray::fromStdString(quote.out)).object()["quotes"].toArray();
    }
    // The text of a cell of the pane, "" where there is none.
    QString Cell(int row, int column) {
        return table->item(row, column) ? table->item(row, column)->text() : "";
    }
    static QString Dollars(const QJsonValue& amount) {
        return "$" + QLocale(QLocale::English, QLocale::UnitedStates).toString(amount.toDouble(), 'f', 2);
    }

    QTableWidget* table = Control<QTableWidget>("tblQuickQuote");
};

// Without an age there is no quote; with one the pane lists what `quoravel quote` lists, cheapest first, and
// follows a new age. Return, Enter, Space or a double-click on a line tick its product as the list does; a
// refused line reads whole, in large type too, and ticks nothing; comparing face amounts takes the one
// chosen last.
TEST_F(QuickQuoteTest, ListsTheCarriersProductsCheapestFirstFollowsTheAgeAndTicksOnADoubleClick) {
    Type("txtFace0", "250000");
    auto* label = Control<QLabel>("lblQuickQuote");
    EXPECT_TRUE(QTest::qWaitFor([&] { return label->text() == "Enter the client's age to see the quote."; }));
    Type("txtAge", "45");
    ASSERT_TRUE(Priced());
    const QString before = Cell(0, 2);
    Type("txtAge", "60");
    ASSERT_TRUE(Priced(before));
    const QJsonArray expected = QuoteLines("60");
    ASSERT_EQ(table->rowCount(), expected.size());
    for (int row = 0; row < table->rowCount(); ++row) {
        const QJsonValue line = expected[row];
        EXPECT_EQ(Cell(row, 0), line["name"].toString().remove(QChar(0x00AE))) << row;
        EXPECT_EQ(Cell(row, 1), "$250,000");
        if (!line["issuable"].toBool()) {
            EXPECT_EQ(Cell(row, 2), line["refusal"].toString());
            continue;
        }
        int column = 2;
        for (const char* mode : {"annual", "semiAnnual", "quarterly", "monthly"})
            EXPECT_EQ(Cell(row, column++), Dollars(line["modal"][mode])) << row << " " << mode;
    }
    EXPECT_TRUE(dialogs.shown.empty()) << dialogs.LastText();

    // At 60 Brellan 30 is refused, the last line.
    auto* list = Control<QListWidget>("lstProducts");
    const auto untick = [&] {
        for (int row = 0; row < list->count(); ++row) list->item(row)->setCheckState(Qt::Unchecked);
    };
    for (const auto& [row, key] : std::initializer_list<std::pair<int, Qt::Key>>{
             {1, Qt::Key_Return}, {1, Qt::Key_Enter}, {1, Qt::Key_Space}, {3, Qt::Key_Return}}) {
        untick();
        table->setCurrentCell(row - 1, 0);
        QTest::keyClick(table, Qt::Key_Down);
        QTest::keyClick(table, key);
        EXPECT_EQ(Products(true), row == 3 ? QStringList() : QStringList{Cell(row, 0)}) << key;
    }
    emit table->cellDoubleClicked(3, 0);
    EXPECT_TRUE(Products(true).isEmpty());
    QFont large = table->font();
    large.setPointSize(large.pointSize() * 2);
    table->setFont(large);
    Type("txtAge", "60");
    ASSERT_TRUE(Priced(before));
    QTableWidgetItem* reason = table->item(3, 2);
    ASSERT_NE(reason, nullptr);
    const QRect cell = table->visualItemRect(reason);
    const QRect text = table->fontMetrics().boundingRect(QRect(0, 0, cell.width() - 8, 1000),
                                                         Qt::TextWordWrap, reason->text());
    EXPECT_LE(text.height(), cell.height()) << reason->text().toStdString();

    emit table->cellDoubleClicked(1, 0);  // as the mouse gives it on a line
    emit table->cellDoubleClicked(0, 0);
    EXPECT_EQ(Products(true).size(), 2);
    EXPECT_TRUE(Products(true).contains(Cell(0, 0)) && Products(true).contains(Cell(1, 0)));
    Control<QRadioButton>("optProposalType1")->setChecked(true);
    emit table->cellDoubleClicked(2, 0);
    EXPECT_EQ(Products(true), QStringList({Cell(2, 0)}));
}

// Each carrier lists its products by state (QNB sells in NJ and NY only, remembers the state chosen, and has
// no child rider), and the pane quotes each under the list's own text, so that the line a broker picks is
// the product ticked.
TEST_F(QuickQuoteTest, EachCarrierListsItsProductsByStateAndThePaneQuotesThemUnderTheListsNames) {
    Type("txtAge", "45");
    Type("txtFace0", "250000");
    settings.Save("Options", "DefaultStateQNB", "NJ");
    auto* state = Control<QComboBox>("cboState");
    // The carrier, its state ("" for the one it remembers) and the products listed there.
    for (auto [company, chosen, products] : std::initializer_list<std::tuple<int, const char*, QStringList>>{
             {0, "AL", {"Brellan 10", "Brellan 15", "Brellan 20", "Brellan 30"}},
             {1, "", {"Dorrance 5", "Dorrance 10", "Dorrance 15", "Quenby 10", "Quenby 15"}},
             {1, "NY", {"Tessel 10", "Tessel 15", "Tessel 20", "Tessel 30"}},
             {2, "AL", {"Korvel 5", "Korvel 10", "Korvel 15", "Korvel 20", "Korvel 30"}}}) {
        window->SwitchCompany(company);
        if (*chosen) state->setCurrentText(chosen);
        EXPECT_EQ(Products(), products);
        EXPECT_EQ(Control<QComboBox>("cboChildUnits")->isEnabled(), company != 1);
        EXPECT_TRUE(company != 1 || state->count() == 2) << state->count();
        QTest::qWait(ProposalWindow::kQuickQuoteSettleMs * 4);
        QStringList quoted;
        for (int row = 0; row < table->rowCount(); ++row) quoted << Cell(row, 0);
        quoted.sort();
        products.sort();
        EXPECT_EQ(quoted, products);
    }
    EXPECT_EQ(settings.Get("Options", "DefaultStateQNB", ""), "NY");
}

// Born 1981-09-14, the client is 45 on 2026-12-06 (the window's today) and, by the age nearest birthday, 46
// once the birthday of 2026-09-14 lies 183 days back: on 2027-03-16 (16 + 31 + 30 + 31 + 31 + 28 + 16 days),
// within six months, so the window says it for each product.
TEST_F(QuickQuoteTest, ABirthDateTellsWhenTheAgeChangesAndWhatItCosts) {
    window->show();
    auto* face = Control<QLineEdit>("txtFace0");
    const auto place = [&] { return face->mapTo(window.get(), QPoint()); };
    const QPoint before = place();
    Type("txtBirthDate", "09141981");
    Type("txtFace0", "250000");
    ASSERT_TRUE(Priced());
    QApplication::processEvents();
    EXPECT_EQ(place(), before);  // the hint takes no room from the fields
    // A last column gives each product's annual premium at 46, as `quoravel quote` prices it at that age.
    const int last = table->columnCount() - 1;
    EXPECT_FALSE(table->isColumnHidden(last));
    EXPECT_EQ(table->horizontalHeaderItem(last)->text(), "Annual at 46\nfrom 03/16/2027");
    for (const QJsonValue& line : QuoteLines("46")) {
        const QString name = line["name"].toString().remove(QChar(0x00AE));
        const auto rows = table->findItems(name, Qt::MatchExactly);
        ASSERT_EQ(rows.size(), 1) << name.toStdString();
        const QTableWidgetItem* then = table->item(rows[0]->row(), last);
        ASSERT_NE(then, nullptr);
        EXPECT_EQ(then->text(), Dollars(line["modal"]["annual"]));
        EXPECT_TRUE(then->toolTip().startsWith("Age changes to 46 on 03/16/2027: " + name));
    }
    // Without a birth date there is nothing to tell.
    Control<QLineEdit>("txtBirthDate")->clear();
    Type("txtAge", "45");
    EXPECT_TRUE(QTest::qWaitFor([&] { return table->isColumnHidden(last); }));
}

}  // namespace
}  // namespace quoravel
