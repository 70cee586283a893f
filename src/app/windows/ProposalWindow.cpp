#include "ProposalWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFont>
#include <QKeySequence>
#include <QListWidgetItem>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QShortcut>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTimer>
#include <QWhatsThis>
#include <algorithm>
#include <filesystem>

#include "AboutDialog.h"
#include "BrokerDialog.h"
#include "BrokerFile.h"
#include "CaseDirectoryDialog.h"
#include "CaseFile.h"
#include "CommissionDialog.h"
#include "CompanyChoices.h"
#include "FieldLengths.h"
#include "FileCreatorWindow.h"
#include "HelpLine.h"
#include "InputRules.h"
#include "IssueRules.h"
#include "LimitedField.h"
#include "OptionsDialog.h"
#include "PreviewWindow.h"
#include "ProductCatalogue.h"
#include "ProductInfo.h"
#include "ProductLookups.h"
#include "ProposalAssembly.h"
#include "ProposalPipeline.h"
#include "ProposalPrinting.h"
#include "ProposalStamping.h"
#include "QuickQuotePane.h"
#include "QuoteRequest.h"
#include "RateSet.h"
#include "RelayExchange.h"
#include "RelayProducts.h"
#include "Riders.h"
#include "Rounding.h"
#include "RunFolders.h"
#include "RuntimeError.h"
#include "StatesFile.h"
#include "Text.h"
#include "TextFile.h"
#include "TipDialog.h"
#include "UnshownInputs.h"
#include "UserFilePaths.h"
#include "WaitCursor.h"
#include "WindowPlacement.h"
#include "ui_ProposalWindow.h"

namespace fs = std::filesystem;

namespace quoravel {
namespace {

constexpr const char* kModule = "frmMain2";
// Marks a product of the list that the shown case keeps though the carrier does not offer it.
constexpr int kKeptRole = Qt::UserRole + 1;
constexpr const char* kIdleHelp = "Hit F1 for help.";

// The in-house switch: shown after this key sequence, kept on by this word.
// Written down for administrators in docs/administrators.md.
constexpr const char* kInHouseKeys = "Ctrl+Shift+I, Ctrl+Shift+H";
constexpr const char* kInHousePassword = "CASTLE";

constexpr const char* kMailSubject = "Talvern Term Life Illustration";
constexpr const char* kMailText = "Attached is your Talvern Term Life illustration.";
constexpr const char* kCannotOpen =
    "The file could not be opened.  Please make sure you have all required programs installed and "
    "associations set.";

QString Q(const std::string& text) { return QString::fromStdString(text); }
std::string S(const QString& text) { return text.toStdString(); }

// How long a desktop launcher may take to answer before the program it
// started is taken to be open.
constexpr int kLauncherAnswerMs = 5'000;

// The file-name part of a path, as the title shows it.
std::string ShortName(const std::string& path) { return fs::path(path).filename().string(); }

// The brokers' fields in list order: what the broker file holds of them.
std::vector<std::string> BrokerRecords(const Collection<Broker>& brokers) {
    std::vector<std::string> records;
    for (const auto& broker : brokers) {
        for (std::size_t field = 0; field < kBrokerFieldCount; ++field)
            records.push_back(broker->Get(static_cast<BrokerField>(field)));
    }
    return records;
}

// The field names of the window's messages, as its labels show them.
constexpr const char* kFaceAmountField = "Face amount";
constexpr const char* kPermFlatExtraField = "Permanent flat extra";
constexpr const char* kTempFlatExtraField = "Temporary flat extra";
constexpr const char* kExtraYearsField = "Temporary flat extra years";

}  // namespace

ProposalWindow::ProposalWindow(WindowContext& context, QWidget* parent)
    : QMainWindow(parent), ui_(std::make_unique<Ui::ProposalWindow>()), context_(context) {
    ui_->setupUi(this);
    ui_->chkInHouse->hide();
    helpLabel_ = new QLabel(this);
    helpLabel_->setObjectName("lblHelpLine");
    statusBar()->addWidget(helpLabel_, 1);
    helpLine_ = new HelpLine(helpLabel_, kIdleHelp, this);
    for (QLineEdit* name : {ui_->txtFirstName, ui_->txtMiddleInit, ui_->txtLastName})
        TellWhenFull(*name, *helpLabel_);
    quickQuote_ =
        new QuickQuotePane(ui_->tblQuickQuote, ui_->lblQuickQuote, context_.process.ProgramFolder, this);
    quickQuoteDue_ = new QTimer(this);
    quickQuoteDue_->setSingleShot(true);
    quickQuoteDue_->setInterval(kQuickQuoteSettleMs);
    // The desktop's answer is the launcher's exit status: a file it cannot
    // open is a failure even though the launcher itself started.
    openFile = [this](const std::string& path) { return runCommand({"xdg-open", path}) == 0; };
    runCommand = &ProposalWindow::RunLauncher;
    endProgram = [] { QCoreApplication::exit(1); };
    context_.process.Messages = this;

    FillFixedLists();
    for (QComboBox* list : {ui_->cboClients, ui_->cboBroker}) ShowWholeChoiceAsToolTip(*list);
    ConnectCommands();
    SetHelpTexts();
    isGA_ = context_.settings.GetFlag("GAVersion", "IsGA", false);
    try {
        commission_ =
            std::make_unique<CommissionSettings>(context_.process.ProgramFolder, context_.process.UserFolder);
        LoadBrokers();
        SwitchCompany(0);
        OpenCaseDirectory(RememberedCaseFile("client.clt"));
        ClearForm();
    } catch (const std::exception& error) {
        Report(error, "Form_Load");
    }
}

ProposalWindow::~ProposalWindow() {
    if (context_.process.Messages == this) context_.process.Messages = nullptr;
}

// ---------------------------------------------------------------- set-up

void ProposalWindow::FillFixedLists() {
    for (const char* name : kClassificationNames) ui_->cboClass->addItem(name);
    for (const std::string_view rating : TableRatingNames())
        ui_->cboTableRating->addItem(QString::fromUtf8(rating.data(), static_cast<qsizetype>(rating.size())));
    for (const char* mode : OrdinaryPaymentModes()) ui_->cboPaymentMode->addItem(mode);
    for (int units = 0; units <= 10; ++units) ui_->cboChildUnits->addItem(Q(ChildUnitsText(units)));
    for (const char* rating : kWaiverRatings) ui_->cboWaiverRating->addItem(rating);
    ui_->cboSex->addItems({"Male", "Female"});
    ui_->optProposalType0->setChecked(true);
}

void ProposalWindow::ConnectCommands() {
    auto on = [this](QAction* action, void (ProposalWindow::*command)()) {
        connect(action, &QAction::triggered, this, [this, command] { (this->*command)(); });
    };
    on(ui_->actNew, &ProposalWindow::NewCase);
    on(ui_->actOpen, &ProposalWindow::OpenCaseCommand);
    on(ui_->actSave, &ProposalWindow::SaveCaseCommand);
    on(ui_->actSaveAs, &ProposalWindow::SaveCaseAsCommand);
    on(ui_->actNewDirectory, &ProposalWindow::NewCaseDirectoryCommand);
    on(ui_->actRemove, &ProposalWindow::RemoveCaseCommand);
    on(ui_->actView, &ProposalWindow::ViewCommand);
    on(ui_->actPrint, &ProposalWindow::PrintCommand);
    on(ui_->actPrintPdf, &ProposalWindow::PrintToPdfCommand);
    on(ui_->actEmail, &ProposalWindow::EmailCommand);
    connect(ui_->actExit, &QAction::triggered, this, &QWidget::close);
    connect(ui_->actPrintSetup, &QAction::triggered, this, [this] {
        QPrinter printer;
        QPrintDialog(&printer, this).exec();
    });
    const std::array<QAction*, 3> companies{ui_->actBRN, ui_->actQNB, ui_->actTVNY};
    for (std::size_t company = 0; company < companies.size(); ++company) {
        connect(companies[company], &QAction::triggered, this,
                [this, company] { SwitchCompany(static_cast<std::int32_t>(company)); });
    }
    connect(ui_->actBrokers, &QAction::triggered, this, [this] {
        const std::vector<std::string> before = BrokerRecords(brokers_);
        BrokerDialog window(context_, brokers_, company_, this);
        window.exec();
        // Cancel, or OK on a list left as it was, writes nothing: the file
        // keeps its time, and a user without brokers gets no empty file.
        if (BrokerRecords(brokers_) != before) brokersChanged_ = true;
        UpdateBrokerInfo();
    });
    connect(ui_->cmdBrokerInfo, &QPushButton::clicked, ui_->actBrokers, &QAction::trigger);
    connect(ui_->actCommission, &QAction::triggered, this, [this] {
        if (!commission_) return;
        CommissionDialog window(context_, *commission_, this);
        window.exec();
    });
    connect(ui_->actOptions, &QAction::triggered, this, [this] {
        OptionsDialog window(context_, this);
        window.exec();
    });
    connect(ui_->actTip, &QAction::triggered, this, [this] {
        TipDialog window(context_, this);
        window.ForceShow = true;
        window.ShowModal();
    });
    connect(ui_->actAbout, &QAction::triggered, this, [this] { AboutDialog(context_, this).exec(); });
    connect(ui_->actHelpContents, &QAction::triggered, this, &ProposalWindow::ShowHelpContents);
    connect(ui_->actHelpSearch, &QAction::triggered, this, &ProposalWindow::ShowHelpContents);
    // The maintenance commands are for the home office (in-house mode).
    ui_->actFileCreator->setVisible(false);
    connect(ui_->actFileCreator, &QAction::triggered, this,
            [this] { FileCreatorWindow(context_, this).exec(); });
    ui_->actLoadRelay->setVisible(false);
    connect(ui_->actLoadRelay, &QAction::triggered, this, [this] { LoadRelay("c:\\winflexn"); });
    connect(ui_->cmdHelp, &QPushButton::clicked, this, [this] {
        helpLabel_->setText("Select the field you would like help on.");
        QWhatsThis::enterWhatsThisMode();
    });

    connect(ui_->cboState, &QComboBox::currentTextChanged, this, [this] { StateChanged(); });
    connect(ui_->cboClass, &QComboBox::currentTextChanged, this, [this] {
        // Only a standard non-nicotine class is table rated: choosing another clears the rating.
        if (!ui_->cboClass->currentText().contains("Standard N")) ui_->cboTableRating->setCurrentIndex(0);
        RefreshControls();
    });
    connect(ui_->cboTableRating, &QComboBox::currentTextChanged, this, [this] { RefreshControls(); });
    connect(ui_->optProposalType0, &QRadioButton::toggled, this, [this] { ProposalTypeChanged(); });
    // A group of options is one Tab stop, at the option chosen; the arrow keys choose within it.
    for (QRadioButton* option : {ui_->optProposalType0, ui_->optProposalType1, ui_->optPrint0, ui_->optPrint1,
                                 ui_->optPrint2, ui_->optYears0, ui_->optYears1, ui_->optYears2}) {
        connect(option, &QRadioButton::toggled, option,
                [option](bool chosen) { option->setFocusPolicy(chosen ? Qt::StrongFocus : Qt::ClickFocus); });
        option->setFocusPolicy(option->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
    }
    connect(ui_->lstProducts, &QListWidget::itemChanged, this,
            [this](QListWidgetItem* item) { ProductTicked(ui_->lstProducts->row(item)); });
    connect(ui_->txtBirthDate, &QLineEdit::editingFinished, this, &ProposalWindow::BirthDateLeft);
    connect(ui_->txtAge, &QLineEdit::editingFinished, this, &ProposalWindow::AgeLeft);
    for (int field = 0; field < kFaceAmountFields; ++field) {
        QLineEdit* face = FaceField(field);
        connect(face, &QLineEdit::editingFinished, this, [this, face] { FaceAmountLeft(face); });
    }
    for (QLineEdit* extra : {ui_->txtPermFlatExtra, ui_->txtTempFlatExtra}) {
        connect(extra, &QLineEdit::editingFinished, this, [this, extra] { FlatExtraLeft(extra); });
    }
    connect(ui_->txtTempFlatExtraYears, &QLineEdit::editingFinished, this, &ProposalWindow::ExtraYearsLeft);
    connect(ui_->cboClients, &QComboBox::activated, this, &ProposalWindow::CaseChosen);

    // Any change of the client or of a face amount prices the quick quote again once the fields settle.
    connect(quickQuoteDue_, &QTimer::timeout, this, &ProposalWindow::UpdateQuickQuote);
    const auto quoteAgain = [this] { quickQuoteDue_->start(); };
    for (QLineEdit* field : ui_->grpClient->findChildren<QLineEdit*>())
        connect(field, &QLineEdit::textChanged, this, quoteAgain);
    for (int field = 0; field < kFaceAmountFields; ++field)
        connect(FaceField(field), &QLineEdit::textChanged, this, quoteAgain);
    for (QComboBox* list : ui_->grpClient->findChildren<QComboBox*>())
        connect(list, &QComboBox::currentIndexChanged, this, quoteAgain);
    for (QCheckBox* box : ui_->grpClient->findChildren<QCheckBox*>())
        connect(box, &QCheckBox::toggled, this, quoteAgain);
    connect(quickQuote_, &QuickQuotePane::ProductChosen, this, &ProposalWindow::TickProduct);
    connect(ui_->chkInHouse, &QCheckBox::toggled, this, &ProposalWindow::InHouseToggled);
    auto* inHouseKeys = new QShortcut(QKeySequence(kInHouseKeys), this);
    connect(inHouseKeys, &QShortcut::activated, ui_->chkInHouse, &QWidget::show);
}

void ProposalWindow::SetHelpTexts() {
    const std::pair<QWidget*, const char*> texts[] = {
        {ui_->cmdHelp, "Get help on a specific field."},
        {ui_->cboClients, "Select a case from the list or leave blank for a new case"},
        {ui_->cboBroker, "Choose an agent from the list. Click Broker Information to add new broker."},
        {ui_->txtFirstName, "Enter the first name."},
        {ui_->txtLastName, "Enter the last name."},
        {ui_->txtMiddleInit, "Enter the middle initial."},
        {ui_->cboState, "Select the client's state."},
        {ui_->txtBirthDate,
         "Enter the client's date of birth in MM/DD/YYYY format.  Leave blank and input the age if date of "
         "birth "
         "is not known."},
        {ui_->txtAge, "Enter the client's age at nearest birthday."},
        {ui_->cboSex, "Select the client's sex"},
        {ui_->cboClass, "Select the client's underwriting classification"},
        {ui_->cboTableRating, "Select a table rating for the client."},
        {ui_->txtPermFlatExtra,
         "Enter the amount of permanent flat extra per thousand. Leave blank if none."},
        {ui_->txtTempFlatExtra, "Enter the temporary flat extra amount per thousand. Leave blank if none."},
        {ui_->txtTempFlatExtraYears,
         "Enter the number of years for the temporary flat extra. Leave blank if none."},
        {ui_->cboPaymentMode, "Select the desired payment mode."},
        {ui_->cboChildUnits,
         "Select the desired number of Child Rider Units.  Note: This rider covers children between 15 days "
         "and "
         "18 years old."},
        {ui_->chkWaiver, "Check here to include waiver."},
        {ui_->cboWaiverRating,
         "Select the appropriate waiver rating percentage.  Select Not Rated if there is no rating."},
        {ui_->chkSpouseFee, "Check here to waive the policy fee for a spouse."},
        {ui_->lstProducts,
         "Select the desired products by checking the box. (Click on the box, double click the item, or "
         "select "
         "the item and hit the space bar)"},
        {ui_->optProposalType0, "Mark the desired proposal type."},
        {ui_->optProposalType1, "Mark the desired proposal type."},
        {ui_->optPrint0, "Select Comparison to print a Quoravel\u00AE Ledger of products or face amounts."},
        {ui_->optPrint2,
         "Select Both to print both a Quoravel\u00AE Ledger and individual proposals for each product and/or "
         "face "
         "amount."},
        {ui_->grpPrintOption, "Select the desired print option."},
        {ui_->optYears0, "Select to print the first 20 policy years."},
        {ui_->optYears1, "Select to print the first 40 policy years."},
        {ui_->chkOutput0, "Check here to include an underwriting page."},
        {ui_->chkOutput1,
         "Check here to include a list of the criteria for the illustrated risk classification."},
        {ui_->chkOutput2, "Check here to include a page with descriptions of terms used."},
        {ui_->chkOutput3,
         "Check here to include a page that compares the premiums for the selected risk class and those "
         "above "
         "it."},
        {ui_->chkOutput4,
         "Check here to include a commission page.  To change the commission percentages, use the Setup "
         "option on "
         "the menu."},
        {ui_->chkOutput5, "Check here to include a certification page."},
    };
    for (const auto& [control, text] : texts) {
        helpLine_->Set(control, text);
        control->setWhatsThis(text);
    }
    for (int field = 0; field < kFaceAmountFields; ++field) {
        helpLine_->Set(FaceField(field),
                       Q("Enter a face amount in the range of $" + FormatAmount(kHigherMinimumFaceAmount, 0) +
                         " to $" + FormatAmount(kMaximumFaceAmount, 0) + "."));
    }
}

// The two texts that read otherwise in New Jersey (and for QNB there).
void ProposalWindow::StateChanged() {
    const std::string state = S(ui_->cboState->currentText());
    ui_->lblStateName->setText(Q(StateFullName(context_.process.ProgramFolder, state)));
    const bool montana = state == "MT";
    if (montana != (ui_->cboSex->findText("Unisex") >= 0)) {
        ui_->cboSex->clear();
        if (montana) {
            ui_->cboSex->addItem("Unisex");
        } else {
            ui_->cboSex->addItems({"Male", "Female"});
        }
    }
    if (company_ == 1) FillProductList();
    const bool nj = state == "NJ";
    helpLine_->Set(ui_->optPrint1, nj && company_ == 1
                                       ? "Select Individual to print an individual proposal."
                                       : "Select Individual to print an individual proposal for each product "
                                         "and/or face amount.");
    helpLine_->Set(ui_->optYears2,
                   nj ? "Select to print to age 100."
                      : "Select to print to age 80 or 100 depending on the product selected.");
    SaveDefaultState();
    RefreshControls();
}

// ---------------------------------------------------------------- record <-> fields

QRadioButton* ProposalWindow::PrintOptionButton(int option) const {
    return std::array{ui_->optPrint0, ui_->optPrint1, ui_->optPrint2}[static_cast<std::size_t>(option)];
}
QRadioButton* ProposalWindow::YearsButton(int option) const {
    return std::array{ui_->optYears0, ui_->optYears1, ui_->optYears2}[static_cast<std::size_t>(option)];
}
QCheckBox* ProposalWindow::OutputBox(int box) const {
    return std::array{ui_->chkOutput0, ui_->chkOutput1, ui_->chkOutput2,
                      ui_->chkOutput3, ui_->chkOutput4, ui_->chkOutput5}[static_cast<std::size_t>(box)];
}
QLineEdit* ProposalWindow::FaceField(int field) const {
    return std::array{ui_->txtFace0, ui_->txtFace1, ui_->txtFace2,
                      ui_->txtFace3}[static_cast<std::size_t>(field)];
}

void ProposalWindow::MakeClient(ClientCase& client) {
    const std::string first = S(ui_->txtFirstName->text().trimmed());
    client.SetFirstName(first.empty() ? ClientCase::kPlaceholderName : first);
    client.SetMiddleInit(S(ui_->txtMiddleInit->text().trimmed()));
    client.SetLastName(S(ui_->txtLastName->text().trimmed()));
    client.SetState(S(ui_->cboState->currentText()));
    const BirthDateEntry birth = ReadBirthDate(S(ui_->txtBirthDate->text()), today_);
    client.SetDateOfBirth(birth.kind == BirthDateEntry::Accepted ? birth.date : Date());
    client.SetAge(static_cast<std::int16_t>(ui_->txtAge->text().toInt()));
    client.SetIsMale(ui_->cboSex->currentText() == "Male");
    client.SetClassification(ClassificationOf(S(ui_->cboClass->currentText())));
    client.SetTableRating(S(ui_->cboTableRating->currentText()));
    client.SetPermFlatExtra(ui_->txtPermFlatExtra->text().toDouble());
    client.SetTempFlatExtra(ui_->txtTempFlatExtra->text().toDouble());
    client.SetTempFlatExtraYears(ui_->txtTempFlatExtraYears->text().toInt());
    client.SetPaymentMode(PaymentModeOf(S(ui_->cboPaymentMode->currentText())));
    // A closed control shows what the case keeps, so it is read as any other.
    const int units = ui_->cboChildUnits->currentIndex();
    client.SetChildRider(units > 0);
    client.SetChildRiderUnits(static_cast<std::int16_t>(std::max(units, 0)));
    const bool waiver = ui_->chkWaiver->isChecked();
    client.SetWaiver(waiver);
    client.SetWaiverRating(waiver ? WaiverRatingOf(ui_->cboWaiverRating->currentIndex()) : 1.0);
    client.SetWaiveSpouseFee(ui_->chkSpouseFee->isChecked());
    const int broker = ui_->cboBroker->currentData().toInt();
    client.SetBroker(broker >= 1 && broker <= brokers_.Count() ? brokers_.ItemPtr(broker) : nullptr);
}

void ProposalWindow::MakeIllustrationInfo(IllustrationOptions& options, bool withKept) {
    options.SetCompany(company_);
    options.ProposalTypeFlag = ui_->optProposalType0->isChecked();
    options.ClearProdChoices();
    options.SetProductType(0);
    // Kept products come first, in the order the case stored them.
    for (const bool kept : {true, false}) {
        if (kept && !withKept) continue;
        for (int row = 0; row < ui_->lstProducts->count(); ++row) {
            const QListWidgetItem* item = ui_->lstProducts->item(row);
            if (item->checkState() != Qt::Checked || IsKeptProduct(*item) != kept) continue;
            const std::int32_t product = item->data(Qt::UserRole).toInt();
            if (options.ProductCount() == 0) options.SetProductType(product);
            options.AddProduct(product);
        }
    }
    options.ClearFaceAmounts();
    const std::string state = S(ui_->cboState->currentText());
    for (int field = 0; field < kFaceAmountFields; ++field) {
        if (!FaceField(field)->isEnabled()) continue;
        const std::int32_t amount = FaceAmountOf(S(FaceField(field)->text()));
        if (amount > 0) options.AddFaceAmount(amount, state);
    }
    options.SetOutputUnderwritting(ui_->chkOutput0->isChecked());
    options.SetOutputClassInfo(ui_->chkOutput1->isChecked());
    options.SetOutputDescription(ui_->chkOutput2->isChecked());
    options.SetOutputClassComp(ui_->chkOutput3->isChecked());
    options.SetOutputCommision(ui_->chkOutput4->isChecked());
    options.SetOutputCertification(ui_->chkOutput5->isChecked());
    options.SetPrintOption(ui_->optPrint1->isChecked()   ? IllustrationOptions::Individual
                           : ui_->optPrint2->isChecked() ? IllustrationOptions::Both
                                                         : IllustrationOptions::Comparison);
    for (int option = 0; option < 3; ++option) {
        if (YearsButton(option)->isChecked()) options.SetYearsToPrint(kYearsToPrintChoices[option]);
    }
}

void ProposalWindow::ShowClient(const ClientCase& client) {
    const IllustrationOptions& options = client.Proposal();
    SwitchCompany(options.Company());
    ui_->cboState->setCurrentText(Q(client.State()));
    ShowLimited(*ui_->txtFirstName,
                client.FirstName() == ClientCase::kPlaceholderName ? "" : Q(client.FirstName()),
                kFirstNameLength);
    ShowLimited(*ui_->txtMiddleInit, Q(client.MiddleInit()), kMiddleInitialLength);
    ShowLimited(*ui_->txtLastName, Q(client.LastName()), kLastNameLength);
    const bool hasBirthDate = !client.DateOfBirth().IsZero();
    ui_->txtBirthDate->setText(hasBirthDate ? Q(BirthDateText(client.DateOfBirth())) : "");
    ui_->txtAge->setText(QString::number(client.Age()));
    ui_->txtAge->setEnabled(!hasBirthDate);
    ui_->cboSex->setCurrentIndex(ui_->cboSex->findText("Unisex") >= 0 ? 0 : (client.IsMale() ? 0 : 1));
    ui_->cboClass->setCurrentIndex(client.Classification());
    ui_->cboTableRating->setCurrentText(Q(client.TableRating().empty() ? "None" : client.TableRating()));
    ui_->txtPermFlatExtra->setText(Q(FormatAmount(client.PermFlatExtra(), 2)));
    ui_->txtTempFlatExtra->setText(Q(FormatAmount(client.TempFlatExtra(), 2)));
    ui_->txtTempFlatExtraYears->setText(QString::number(client.TempFlatExtraYears()));
    if (client.PaymentMode() == DirectMonthly && !inHouse_) ui_->cboPaymentMode->addItem(kDirectMonthly);
    ui_->cboPaymentMode->setCurrentText(Q(PaymentModeText(client.PaymentMode())));
    ui_->cboChildUnits->setCurrentIndex(client.ChildRider() ? std::clamp<int>(client.ChildRiderUnits(), 0, 10)
                                                            : 0);
    ui_->chkWaiver->setChecked(client.Waiver());
    ui_->cboWaiverRating->setCurrentIndex(WaiverRatingPosition(client.WaiverRating()));
    ui_->chkSpouseFee->setChecked(client.WaiveSpouseFee());
    ui_->cboBroker->setCurrentIndex(std::max(0, FindWhole(*ui_->cboBroker, Q(client.SavedBrokerName()))));

    // Several face amounts of one product are a face amount comparison.
    const bool faceComparison = options.FaceAmountCount() > 1 && options.ProductCount() <= 1;
    (faceComparison ? ui_->optProposalType1 : ui_->optProposalType0)->setChecked(true);
    {
        const QSignalBlocker quiet(ui_->lstProducts);
        RemoveKeptProducts();
        std::vector<std::int32_t> listed;
        for (int row = 0; row < ui_->lstProducts->count(); ++row) {
            QListWidgetItem* item = ui_->lstProducts->item(row);
            listed.push_back(item->data(Qt::UserRole).toInt());
            item->setCheckState(options.IsProductSelected(listed.back()) ? Qt::Checked : Qt::Unchecked);
        }
        for (const std::int32_t product : UnlistedProducts(options, listed)) AddKeptProduct(product);
    }
    for (int field = 0; field < kFaceAmountFields; ++field) {
        const auto index = static_cast<std::size_t>(field);
        FaceField(field)->setText(
            index < options.FaceAmountCount() ? QString::number(options.GetFaceAmount(index)) : "");
    }
    OutputBox(0)->setChecked(options.OutputUnderwritting());
    OutputBox(1)->setChecked(options.OutputClassInfo());
    OutputBox(2)->setChecked(options.OutputDescription());
    OutputBox(3)->setChecked(options.OutputClassComp());
    OutputBox(4)->setChecked(options.OutputCommision());
    OutputBox(5)->setChecked(options.OutputCertification());
    PrintOptionButton(std::clamp(options.PrintOption(), 0, 2))->setChecked(true);
    YearsButton(options.YearsToPrint() <= 20 ? 0 : options.YearsToPrint() <= 40 ? 1 : 2)->setChecked(true);
    RefreshControls();

    std::shared_ptr<ClientCase> stored;
    for (const auto& item : directory_.Cases()) {
        if (item.get() == &client) stored = item;
    }
    RecordShownCase(stored);
    // What the window alone would take: its closed controls cleared, no kept product.
    ClientCase asShown = client;
    MakeClient(asShown);
    MakeIllustrationInfo(asShown.Proposal(), false);
    if (!ui_->cboTableRating->isEnabled()) asShown.SetTableRating("None");
    if (!ui_->cboChildUnits->isEnabled()) {
        asShown.SetChildRider(false);
        asShown.SetChildRiderUnits(0);
    }
    if (!ui_->chkWaiver->isEnabled()) {
        asShown.SetWaiver(false);
        asShown.SetWaiverRating(1.0);
    }
    if (!ui_->chkSpouseFee->isEnabled()) asShown.SetWaiveSpouseFee(false);
    const std::vector<std::string> unshown = UnshownInputs(client, asShown);
    if (!unshown.empty()) {
        Tell("Case",
             "Some inputs of this case are not open to change in the window: the carrier's list or its "
             "rules for this client leave them out. They are kept as saved, shown greyed; a kept product is "
             "listed after the carrier's own, and unticking it removes it from the case.\n\n" +
                 Join(unshown, "\n"));
    }
}

ClientCase ProposalWindow::CaseFromWindow(const ClientCase& base) {
    ClientCase client = base;
    MakeClient(client);
    MakeIllustrationInfo(client.Proposal());
    return client;
}

void ProposalWindow::RecordShownCase(std::shared_ptr<ClientCase> shown) {
    shownCase_ = std::move(shown);
    shownRecord_ = CaseRecord(CaseFromWindow(shownCase_ ? *shownCase_ : ClientCase()));
}

bool ProposalWindow::FieldsChanged() {
    return CaseRecord(CaseFromWindow(shownCase_ ? *shownCase_ : ClientCase())) != shownRecord_;
}

void ProposalWindow::UpdateShownCase(const ClientCase& edited) {
    *shownCase_ = edited;
    directory_.MarkChanged();
    const int listed = ui_->cboClients->findData(shownCase_->Index());
    if (listed > 0) SetElided(*ui_->cboClients, listed, Q(shownCase_->SortName()));
    RecordShownCase(shownCase_);
}

bool ProposalWindow::FieldsToKeep() {
    return FieldsChanged() &&
           (shownCase_ || context_.settings.GetNumber("Options", "AutoSaveClients", 1) != 0);
}

void ProposalWindow::TakeFieldsIntoCase() {
    if (!FieldsToKeep()) return;
    if (shownCase_) {
        UpdateShownCase(CaseFromWindow(*shownCase_));
    } else {
        AddNewCase(std::make_shared<ClientCase>(CaseFromWindow(ClientCase())));
    }
}

void ProposalWindow::AddNewCase(const std::shared_ptr<ClientCase>& client) {
    if (client->FullName() == ClientCase::kPlaceholderName) RebuildCaseList();
    directory_.Add(client);
    AddCaseToList(*client);
    {
        const QSignalBlocker quiet(ui_->cboClients);
        ui_->cboClients->setCurrentIndex(ui_->cboClients->count() - 1);
    }
    RecordShownCase(client);
}

void ProposalWindow::ClearForm() {
    ShowLimited(*ui_->txtFirstName, "", kFirstNameLength);
    ShowLimited(*ui_->txtMiddleInit, "", kMiddleInitialLength);
    ShowLimited(*ui_->txtLastName, "", kLastNameLength);
    for (QLineEdit* text : {ui_->txtBirthDate, ui_->txtAge, ui_->txtTempFlatExtraYears}) text->clear();
    ui_->txtAge->setEnabled(true);
    ui_->txtPermFlatExtra->setText("0.00");
    ui_->txtTempFlatExtra->setText("0.00");
    for (QComboBox* list : {ui_->cboClass, ui_->cboTableRating, ui_->cboPaymentMode, ui_->cboChildUnits,
                            ui_->cboWaiverRating, ui_->cboSex}) {
        list->setCurrentIndex(0);
    }
    ui_->chkWaiver->setChecked(false);
    ui_->chkSpouseFee->setChecked(false);
    for (int box = 0; box < kOutputBoxes; ++box) OutputBox(box)->setChecked(false);
    {
        const QSignalBlocker quiet(ui_->lstProducts);
        RemoveKeptProducts();
        for (int row = 0; row < ui_->lstProducts->count(); ++row)
            ui_->lstProducts->item(row)->setCheckState(Qt::Unchecked);
    }
    ui_->optProposalType0->setChecked(true);
    ProposalTypeChanged();
    ui_->txtFace0->setText("100000");
    for (int field = 1; field < kFaceAmountFields; ++field) FaceField(field)->clear();
    ui_->optPrint1->setChecked(true);
    ui_->optYears0->setChecked(true);
    {
        const QSignalBlocker quiet(ui_->cboClients);
        ui_->cboClients->setCurrentIndex(0);
    }
    RefreshControls();
    RecordShownCase(nullptr);
    ui_->txtFirstName->setFocus();
}

// ---------------------------------------------------------------- dependent controls

void ProposalWindow::RefreshControls() {
    const int age = ui_->txtAge->text().toInt();
    const std::string state = S(ui_->cboState->currentText());
    const bool childRider = OffersChildRider(company_) && state != "VT" && age >= kChildRiderFirstIssueAge &&
                            age <= kChildRiderLastIssueAge;
    ui_->cboChildUnits->setEnabled(childRider);
    ui_->lblChildUnits->setEnabled(childRider);

    ui_->cboTableRating->setEnabled(ui_->cboClass->currentText().contains("Standard N"));

    const bool waiver = age >= kWaiverFirstIssueAge && age <= kWaiverLastIssueAge &&
                        WaiverAllowsTableRating(S(ui_->cboTableRating->currentText()));
    ui_->chkWaiver->setEnabled(waiver);
    ui_->cboWaiverRating->setEnabled(waiver);
    ui_->chkSpouseFee->setEnabled(company_ == 1);
}

void ProposalWindow::SwitchCompany(std::int32_t company) {
    const std::array<QAction*, 3> items{ui_->actBRN, ui_->actQNB, ui_->actTVNY};
    for (std::size_t item = 0; item < items.size(); ++item)
        items[item]->setChecked(item == std::size_t(company));
    if (company != company_ || ui_->cboState->count() == 0) {
        company_ = company;
        if (!OffersChildRider(company)) ui_->cboChildUnits->setCurrentIndex(0);
        FillStateList(company);
        FillProductList();
        ui_->optProposalType0->setChecked(true);
        quickQuoteDue_->start();
    }
    UpdateTitle();
    RefreshControls();
}

void ProposalWindow::FillProductList() {
    std::vector<std::int32_t> ticked, kept;
    for (int row = 0; row < ui_->lstProducts->count(); ++row) {
        const QListWidgetItem* item = ui_->lstProducts->item(row);
        if (item->checkState() == Qt::Checked)
            (IsKeptProduct(*item) ? kept : ticked).push_back(item->data(Qt::UserRole).toInt());
    }
    const QSignalBlocker quiet(ui_->lstProducts);
    ui_->lstProducts->clear();
    for (const std::string& name : ProductNamesOf(company_, S(ui_->cboState->currentText()))) {
        auto* item = new QListWidgetItem(Q(name), ui_->lstProducts);
        const std::int32_t product = ProductOfListText(name);
        item->setData(Qt::UserRole, product);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(std::find(ticked.begin(), ticked.end(), product) != ticked.end() ? Qt::Checked
                                                                                             : Qt::Unchecked);
    }
    for (const std::int32_t product : kept) AddKeptProduct(product);
}

void ProposalWindow::AddKeptProduct(std::int32_t product) {
    for (int row = 0; row < ui_->lstProducts->count(); ++row) {
        if (ui_->lstProducts->item(row)->data(Qt::UserRole).toInt() == product) return;
    }
    const QString name = Q(ProductDisplayName(product, company_));
    auto* item = new QListWidgetItem(name + " (kept)", ui_->lstProducts);
    item->setData(Qt::UserRole, product);
    item->setData(kKeptRole, true);
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(Qt::Checked);
    QFont font = item->font();
    font.setItalic(true);
    item->setFont(font);
    item->setToolTip(name + " is not offered in " + ui_->cboState->currentText() +
                     " by this carrier. The saved case keeps it; untick it to remove it from the case.");
}

void ProposalWindow::RemoveKeptProducts() {
    for (int row = ui_->lstProducts->count() - 1; row >= 0; --row) {
        if (IsKeptProduct(*ui_->lstProducts->item(row))) delete ui_->lstProducts->takeItem(row);
    }
}

bool ProposalWindow::IsKeptProduct(const QListWidgetItem& item) { return item.data(kKeptRole).toBool(); }

void ProposalWindow::FillStateList(std::int32_t company) {
    const DefaultStateSetting setting = DefaultStateOf(company);
    const std::string chosen = context_.settings.Get("Options", setting.key, setting.defaultState);
    {
        const QSignalBlocker quiet(ui_->cboState);
        ui_->cboState->clear();
        for (const std::string& state : StatesOf(context_.process.ProgramFolder, CompanyCode(company))) {
            ui_->cboState->addItem(Q(state));
        }
        ui_->cboState->setCurrentIndex(std::max(0, ui_->cboState->findText(Q(chosen))));
    }
    StateChanged();
}

void ProposalWindow::SaveDefaultState() {
    if (ui_->cboState->count() == 0) return;
    context_.settings.Save("Options", DefaultStateOf(company_).key, S(ui_->cboState->currentText()));
}

void ProposalWindow::UpdateTitle() {
    setWindowTitle(Q(MainWindowTitle(company_, isGA_,
                                     context_.settings.Get("Clients", "DefaultShortFile", "client.clt"))));
}

// The proposal types: comparing products takes one face amount, comparing
// face amounts one product.
void ProposalWindow::ProposalTypeChanged() {
    const bool products = ui_->optProposalType0->isChecked();
    for (int field = 1; field < kFaceAmountFields; ++field) FaceField(field)->setEnabled(!products);
    if (!products) {
        int first = -1;
        for (int row = 0; row < ui_->lstProducts->count(); ++row) {
            if (ui_->lstProducts->item(row)->checkState() == Qt::Checked && first < 0) first = row;
        }
        if (first >= 0) ProductTicked(first);
    }
}

void ProposalWindow::TickProduct(std::int32_t product) {
    for (int row = 0; row < ui_->lstProducts->count(); ++row) {
        QListWidgetItem* item = ui_->lstProducts->item(row);
        if (item->data(Qt::UserRole).toInt() == product) item->setCheckState(Qt::Checked);
    }
}

void ProposalWindow::UpdateQuickQuote() {
    const ClientCase client = CaseFromWindow(shownCase_ ? *shownCase_ : ClientCase());
    const bool noAge = ui_->txtAge->text().trimmed().isEmpty();
    const bool noFace = client.Proposal().FaceAmountCount() == 0;
    if (noAge || noFace) {
        quickQuote_->ShowMissing(noAge && noFace
                                     ? "Enter the client's age and a face amount to see the quote."
                                 : noAge ? "Enter the client's age to see the quote."
                                         : "Enter a face amount to see the quote.");
        return;
    }
    // A number the proposal would refuse is named, never priced.
    if (const std::vector<std::string> problems = FieldProblems(); !problems.empty()) {
        quickQuote_->ShowMissing(Q(problems.front()));
        return;
    }
    // The products the list offers: a line of the quote is one the proposal can take.
    QuoteRequest request = QuoteRequestOf(client);
    // A birth date tells when the age changes: the hint under the age field.
    if (const BirthDateEntry birth = ReadBirthDate(S(ui_->txtBirthDate->text()), today_);
        birth.kind == BirthDateEntry::Accepted) {
        request.birthDate = birth.date;
        request.asOf = today_;
    }
    for (const std::string& code : CarrierProductCodes(company_, client.State())) {
        const std::int32_t product = RelayProductNumber(code, client.State());
        for (int row = 0; row < ui_->lstProducts->count(); ++row) {
            if (ui_->lstProducts->item(row)->data(Qt::UserRole).toInt() == product)
                request.productCodes.push_back(code);
        }
    }
    // An empty list of codes would price every product of the carrier.
    if (request.productCodes.empty()) {
        quickQuote_->ShowMissing("No product of the list can be quoted in this state.");
        return;
    }
    quickQuote_->Show(request);
}

void ProposalWindow::ProductTicked(int row) {
    QListWidgetItem* ticked = ui_->lstProducts->item(row);
    if (ui_->optProposalType1->isChecked() && ticked && ticked->checkState() == Qt::Checked) {
        const QSignalBlocker quiet(ui_->lstProducts);
        for (int other = 0; other < ui_->lstProducts->count(); ++other) {
            if (other != row) ui_->lstProducts->item(other)->setCheckState(Qt::Unchecked);
        }
    }
    RefreshControls();
}

// ---------------------------------------------------------------- input rules

void ProposalWindow::BirthDateLeft() {
    const BirthDateEntry entry = ReadBirthDate(S(ui_->txtBirthDate->text()), today_);
    switch (entry.kind) {
        case BirthDateEntry::Empty:
            ui_->txtAge->setEnabled(true);
            break;
        case BirthDateEntry::Refused:
            ui_->txtBirthDate->clear();
            ui_->txtAge->setEnabled(true);
            Tell("Date of Birth", "Please enter a valid Date of Birth.");
            ui_->txtBirthDate->setFocus();
            break;
        case BirthDateEntry::Accepted: {
            const QSignalBlocker quiet(ui_->txtBirthDate);
            ui_->txtBirthDate->setText(Q(BirthDateText(entry.date)));
            setUpdatesEnabled(false);
            ui_->txtAge->setText(QString::number(AgeFromBirthDate(entry.date, today_)));
            ui_->txtAge->setEnabled(false);
            RefreshControls();
            setUpdatesEnabled(true);
            break;
        }
    }
}

void ProposalWindow::AgeLeft() {
    bool number = false;
    const long age = ui_->txtAge->text().trimmed().toLong(&number);
    if (!ui_->txtAge->text().trimmed().isEmpty() && (!number || !IsValidAge(age))) {
        Tell("Invalid Age", "Please enter a valid age less than 100");
        ui_->txtAge->clear();
        ui_->txtAge->setFocus();
    }
    RefreshControls();
}

void ProposalWindow::FaceAmountLeft(QLineEdit* field) {
    const FaceAmountEntry entry = CheckFaceAmount(kFaceAmountField, S(field->text()), inHouse_);
    if (!entry.problem.empty()) {
        // The field's own word on leaving it; View names the field and the value.
        Tell("Face Amount", "Value must be numeric.");
        field->setFocus();
        return;
    }
    field->setText(Q(entry.text));
}

void ProposalWindow::FlatExtraLeft(QLineEdit* field) {
    const FlatExtraEntry entry = CheckFlatExtra(
        field == ui_->txtPermFlatExtra ? kPermFlatExtraField : kTempFlatExtraField, S(field->text()));
    if (!entry.problem.empty()) {
        Tell("Flat Extra", entry.problem);
        field->setFocus();
        return;
    }
    field->setText(Q(entry.text));
}

void ProposalWindow::ExtraYearsLeft() {
    const std::string problem = ExtraYearsProblem(kExtraYearsField, S(ui_->txtTempFlatExtraYears->text()));
    if (problem.empty()) return;
    Tell("Flat Extra", problem);
    ui_->txtTempFlatExtraYears->setFocus();
}

std::vector<std::string> ProposalWindow::FieldProblems() const {
    std::vector<std::string> problems{AgeProblem(S(ui_->txtAge->text()))};
    for (int field = 0; field < kFaceAmountFields; ++field) {
        if (FaceField(field)->isEnabled())
            problems.push_back(FaceAmountProblem(kFaceAmountField, S(FaceField(field)->text())));
    }
    problems.push_back(FlatExtraProblem(kPermFlatExtraField, S(ui_->txtPermFlatExtra->text())));
    problems.push_back(FlatExtraProblem(kTempFlatExtraField, S(ui_->txtTempFlatExtra->text())));
    problems.push_back(ExtraYearsProblem(kExtraYearsField, S(ui_->txtTempFlatExtraYears->text())));
    std::erase(problems, std::string());
    return problems;
}

void ProposalWindow::InHouseToggled(bool ticked) {
    if (ticked) {
        const auto password =
            context_.dialogs.Input(this, "Password", "Input password for In House use", true);
        if (!password || *password != kInHousePassword) {
            const QSignalBlocker quiet(ui_->chkInHouse);
            ui_->chkInHouse->setChecked(false);
            return;
        }
        inHouse_ = true;
        ui_->actLoadRelay->setVisible(true);
        ui_->actFileCreator->setVisible(true);
        if (ui_->cboPaymentMode->findText(kDirectMonthly) < 0) ui_->cboPaymentMode->addItem(kDirectMonthly);
        return;
    }
    inHouse_ = false;
    ui_->actLoadRelay->setVisible(false);
    ui_->actFileCreator->setVisible(false);
    const int directMonthly = ui_->cboPaymentMode->findText(kDirectMonthly);
    if (directMonthly >= 0) ui_->cboPaymentMode->removeItem(directMonthly);
}

// ---------------------------------------------------------------- cases and brokers

void ProposalWindow::AddCaseToList(const ClientCase& client) {
    AddElided(*ui_->cboClients, Q(client.SortName()), client.Index());
}

void ProposalWindow::RebuildCaseList() {
    ui_->cboClients->clear();
    ui_->cboClients->addItem("", 0);
    std::int16_t index = 0;
    for (const auto& client : directory_.Cases()) {
        client->SetIndex(++index);
        AddCaseToList(*client);
    }
}

void ProposalWindow::CaseChosen(int listIndex) {
    // The case left behind keeps its edits.
    const std::shared_ptr<ClientCase> chosen =
        listIndex > 0 ? directory_.Cases().ItemPtr(ui_->cboClients->itemData(listIndex).toInt()) : nullptr;
    TakeFieldsIntoCase();
    if (!chosen) {
        ClearForm();
        return;
    }
    {
        const QSignalBlocker quiet(ui_->cboClients);
        ui_->cboClients->setCurrentIndex(ui_->cboClients->findData(chosen->Index()));
    }
    ShowClient(*chosen);
}

std::string ProposalWindow::RememberedCaseFile(const char* defaultName) const {
    return KeptPath(context_.process, context_.settings.Get("Clients", CaseFileKeyOf(company_), defaultName));
}

void ProposalWindow::RememberCaseFile(const std::string& path) {
    directory_.SetPath(path);
    context_.settings.Save("Clients", CaseFileKeyOf(company_), path);
    context_.settings.Save("Clients", "DefaultShortFile", ShortName(path));
    UpdateTitle();
}

void ProposalWindow::OpenCaseDirectory(const std::string& path) {
    RememberCaseFile(KeptPath(context_.process, path));
    const std::string read = ReadPathOf(context_.process, path);
    const CaseDirectory::Opened opened = directory_.Open(read, brokers_);
    RebuildCaseList();
    ui_->cboClients->setCurrentIndex(0);
    RecordShownCase(nullptr);
    if (opened.notCaseFile) {
        Tell("Open Case Directory",
             read +
                 " is not a case file: no case could be read from it. It is left as it is "
                 "unless you save cases into it.");
    } else if (!opened.unreadRecords.empty()) {
        Tell("Open Case Directory", "Some records of " + read + " could not be read:\n\n" +
                                        Join(opened.unreadRecords, "\n") +
                                        "\n\nThey are kept as they are and written back whenever the case "
                                        "directory is saved.");
    }
}

bool ProposalWindow::MayReplace(const std::string& target) {
    if (!CaseDirectory::HoldsOtherText(target)) return true;
    const std::string kept = FreeNameBeside(target, ".kept");
    if (!context_.dialogs.Ask(
            this, "Save Case Directory",
            target + " is not a case file. Replace it with the cases? A copy of it is kept as " + kept + ".",
            MessageButtons::YesNo, MessageIcon::Question)) {
        return false;
    }
    fs::copy_file(target, kept);
    return true;
}

bool ProposalWindow::SaveCaseDirectory(const std::string& path) {
    try {
        const std::string target = WritePathOf(context_.process, path);
        if (!MayReplace(target)) return false;
        {
            const WaitCursor busy;
            directory_.Save(target);
        }
        RememberCaseFile(KeptPath(context_.process, path));
        return true;
    } catch (const std::exception& error) {
        // The cases stay in the window: the user can save them elsewhere.
        Tell("Save Case Directory", "The case directory could not be saved.\n\n" + std::string(error.what()));
        return false;
    }
}

bool ProposalWindow::SaveChangedCases() {
    if (!directory_.NeedsSaving()) return true;
    return SaveCaseDirectory(directory_.Path());
}

bool ProposalWindow::MayLeaveCases(bool closing) {
    // With saving left to the user an edit is never dropped unasked; the
    // question comes before the fields are taken in, so Cancel leaves the
    // window as it was.
    if (context_.settings.GetNumber("Options", "AutoSaveDirectory", 1) == 0 && !directory_.Path().empty() &&
        (directory_.NeedsSaving() || FieldsToKeep())) {
        switch (context_.dialogs.AskToSave(
            this, "Save Case Directory",
            "Save the changes to the cases of " + ShortName(directory_.Path()) + "?")) {
            case SaveAnswer::Save:
                break;
            case SaveAnswer::Discard:
                return true;
            case SaveAnswer::Cancel:
                return false;
        }
    }
    TakeFieldsIntoCase();
    if (SaveChangedCases()) return true;
    // A case file that cannot be saved keeps the window open, and the
    // cases with it, unless the user chooses to let them go.
    return closing && context_.dialogs.Ask(this, "Save Case Directory", kCloseUnsaved, MessageButtons::YesNo,
                                           MessageIcon::Question);
}

void ProposalWindow::LoadRelay(const std::string& folder, const std::string& fileName) {
    try {
        ClearForm();
        ProposalRun reading(context_.process, folder);
        const std::shared_ptr<ClientCase> client = ReadRelayFile(folder, fileName, reading);
        ui_->chkFIS->setChecked(reading.FISMode);
        AddNewCase(client);
        ShowClient(*client);
    } catch (const std::exception& error) {
        Report(error, "LoadRelay");
    }
}

void ProposalWindow::LoadBrokers() {
    const std::string file = BrokerFileNameToLoad(context_.settings.Get("Brokers", "DefaultFile", ""));
    const fs::path path = ReadPathOf(context_.process, file);
    std::vector<long> damaged;
    brokers_ = ReadBrokerFile(path, &damaged);
    FillBrokerList();
    if (damaged.empty()) return;
    brokersChanged_ = true;
    // The brokers that could be read are saved as usual; the file as it was
    // is kept beside the user's copy for the ones that could not.
    fs::path kept;
    std::error_code failed;
    try {
        kept = FreeNameBeside(WritePathOf(context_.process, file), ".damaged");
        fs::copy_file(ResolveFileName(path), kept, failed);
    } catch (const std::exception&) {
        failed = std::make_error_code(std::errc::permission_denied);
    }
    std::vector<std::string> numbers;
    for (const long record : damaged) numbers.push_back(std::to_string(record));
    Tell("Brokers", "The broker file " + path.string() + " has damaged records (" + Join(numbers, ", ") +
                        "): they are left out of the broker list. " +
                        (failed ? "The file could not be copied aside: " + failed.message() + "."
                                : "The file as it was is kept as " + kept.string() + "."));
}

void ProposalWindow::FillBrokerList() {
    const QString chosen = ui_->cboBroker->currentData(Qt::ToolTipRole).toString();
    ui_->cboBroker->clear();
    ui_->cboBroker->addItem("", 0);
    std::int16_t index = 0;
    for (const auto& broker : brokers_) {
        broker->SetIndex(++index);
        AddElided(*ui_->cboBroker, Q(broker->SortName()), broker->Index());
    }
    ui_->cboBroker->setCurrentIndex(std::max(0, FindWhole(*ui_->cboBroker, chosen)));
}

void ProposalWindow::SaveBrokers() {
    const std::string file = BrokerFileNameToSave(context_.settings.Get("Brokers", "DefaultFile", ""));
    try {
        WriteBrokerFile(WritePathOf(context_.process, file), brokers_);
        context_.settings.Save("Brokers", "DefaultFile", file);
        brokersChanged_ = false;
    } catch (const std::exception& error) {
        Tell("Brokers", "The broker list could not be saved.\n\n" + std::string(error.what()));
    }
}

void ProposalWindow::UpdateBrokerInfo() {
    if (brokersChanged_) SaveBrokers();
    FillBrokerList();
}

// ---------------------------------------------------------------- commands

void ProposalWindow::NewCase() {
    TakeFieldsIntoCase();
    ClearForm();
}

void ProposalWindow::OpenCaseCommand() {
    CaseDirectoryDialog picker(context_, this);
    const std::string chosen = picker.Choose();
    if (chosen.empty() || !MayLeaveCases(false)) return;
    ClearForm();
    OpenCaseDirectory(chosen);
}

void ProposalWindow::SaveCaseCommand() {
    TakeFieldsIntoCase();
    // The cases go back to the file they came from, whatever carrier is chosen now.
    SaveCaseDirectory(directory_.Path().empty() ? RememberedCaseFile("case.clt") : directory_.Path());
}

void ProposalWindow::SaveCaseAsCommand() {
    const std::string path =
        context_.dialogs.SaveFileName(this, "Save Case Directory", KeptPath(context_.process, ""),
                                      "Case Files (*.clt);;All Files (*)", "Case Files (*.clt)");
    if (path.empty()) return;
    TakeFieldsIntoCase();
    SaveCaseDirectory(path);
}

void ProposalWindow::NewCaseDirectoryCommand() {
    const auto name = context_.dialogs.Input(this, "New Case Directory", "Input name for new Case Directory");
    if (!name) return;
    const std::string trimmed(Trim(*name));
    if (trimmed.empty() || trimmed.find_first_of("/\\:") != std::string::npos) {
        Tell("Error",
             "It cannot contain any invalid characters such as /, \\, or :\nIt should not be a path, just a "
             "filename "
             "for the case directory.\nPlease enter a valid name for you new Case Directory.");
        return;
    }
    if (!MayLeaveCases(false)) return;
    ClearForm();
    OpenCaseDirectory(KeptPath(context_.process, trimmed + ".clt"));
}

void ProposalWindow::RemoveCaseCommand() {
    const int listIndex = ui_->cboClients->currentIndex();
    if (listIndex <= 0) return;
    if (!context_.dialogs.Ask(this, "Remove", "Are you sure you want to delete the case?",
                              MessageButtons::OkCancel, MessageIcon::Question)) {
        return;
    }
    directory_.Remove(ui_->cboClients->itemData(listIndex).toInt());
    RebuildCaseList();
    ClearForm();
}

bool ProposalWindow::MakeProposal() {
    try {
        // Numbers a relay case would refuse make no case here either.
        if (const std::vector<std::string> problems = FieldProblems(); !problems.empty()) {
            Tell("Not enough information", Join(problems, "\n"));
            return false;
        }
        // A stored case changes only when its fields were changed, and only
        // once the proposal is not refused; a new case is kept either way.
        std::shared_ptr<ClientCase> client;
        const bool keepCases = context_.settings.GetNumber("Options", "AutoSaveClients", 1) != 0;
        const bool changed = FieldsChanged();
        if (keepCases && shownCase_) {
            client = changed ? std::make_shared<ClientCase>(CaseFromWindow(*shownCase_)) : shownCase_;
        } else {
            client = std::make_shared<ClientCase>(CaseFromWindow(ClientCase()));
            if (keepCases) AddNewCase(client);
        }
        // Each proposal is a run of its own: nothing of the one before
        // carries over. The issue rules correct the run's copy of the case;
        // the case itself stays as the broker entered it.
        ProposalRun run(context_.process, "");
        run.FISMode = ui_->chkFIS->isChecked();
        std::string folderProblem;
        const auto accepted = [&](const PricedCase&) {
            if (keepCases && shownCase_ && changed) UpdateShownCase(*client);
            // The run gets a folder of its own once its case is accepted.
            try {
                run.MoveToFolder(MakeRunFolder(context_.process.RunsFolder));
                return true;
            } catch (const RuntimeError& error) {
                folderProblem = error.Description();
                return false;
            }
        };
        surface_ = PrintSurface();
        MadeProposal made;
        {
            const WaitCursor waiting;
            made = quoravel::MakeProposal(run,
                                          {*client, *commission_, ProposalStamp::CaseKind::CaseRecord,
                                           [&] { return CaseRecordOf(*client); },
                                           [&] { return RateSetIdentityOnce(context_.process); }, accepted},
                                          surface_);
        }
        if (made.nothingToPropose) {
            Tell("Not enough information", kNoProposal);
            return false;
        }
        if (!folderProblem.empty()) {
            Tell("Proposal", "The proposal could not be made. " + folderProblem);
            return false;
        }
        // The preview finds the pages through the answer; a proposal not
        // made leaves no folder behind.
        if (made) {
            WriteRelayAnswer(run);
            runFolder_ = run.StartDirectory;
        } else if (!run.StartDirectory.empty()) {
            std::error_code ignored;
            fs::remove_all(run.StartDirectory, ignored);
        }
        const PricedCase& priced = made.priced;
        for (const Notice& notice : priced.ages.notices) Tell(notice.title, notice.text);
        // The corrections of a case refused for its age are not shown.
        if (!made.pages.notes.empty() && priced.ages.ok) Tell("Proposal", Join(made.pages.notes, ""));
        const std::vector<Notice>& told = priced.ages.notices;
        for (const Notice& notice : made.pages.notices) {
            const bool shown = std::any_of(told.begin(), told.end(),
                                           [&](const Notice& before) { return before.text == notice.text; });
            if (!shown) Tell(notice.title, notice.text);
        }
        return made && !ending_;
    } catch (const std::exception& error) {
        Report(error, "MakeProposal");
        return false;
    }
}

std::string ProposalWindow::WriteProposalPdf(const std::string& folder, const std::string& name) {
    try {
        return ConvertToPdf(surface_, folder, name);
    } catch (const std::exception& error) {
        Tell("Print to PDF", error.what());
        return "";
    }
}

int ProposalWindow::RunLauncher(const std::vector<std::string>& command) {
    QStringList arguments;
    for (std::size_t word = 1; word < command.size(); ++word) arguments << Q(command[word]);
    // The launcher may run the program it opens until that program ends; it
    // lives on its own and is let go once it ends.
    auto* launcher = new QProcess();
    QObject::connect(launcher, &QProcess::finished, launcher, &QObject::deleteLater);
    launcher->start(Q(command.front()), arguments);
    if (!launcher->waitForStarted()) {
        launcher->deleteLater();
        return kNoMailMethod;
    }
    if (!launcher->waitForFinished(kLauncherAnswerMs)) return 0;
    return launcher->exitStatus() == QProcess::NormalExit ? launcher->exitCode() : kNoMailMethod;
}

void ProposalWindow::OpenWithAssociatedProgram(const std::string& path) {
    if (!openFile(path)) Tell("Open", kCannotOpen);
}

void ProposalWindow::ViewCommand() {
    if (!MakeProposal()) return;
    // The preview lives until the next proposal is viewed or the user closes it.
    preview_ = std::make_unique<PreviewWindow>(context_, this);
    preview_->setAttribute(Qt::WA_DeleteOnClose, false);
    if (!preview_->Load(runFolder_)) {
        preview_.reset();
        return;
    }
    preview_->SetDocumentTitle(surface_.GetDocument().info.title);
    PlaceOnScreen(*preview_);
    preview_->show();
    preview_->raise();
}

void ProposalWindow::PrintCommand() {
    if (context_.settings.GetFlag("Options", "UseAcrobat", false)) {
        context_.dialogs.Show(
            this, "Printing with Adobe Acrobat",
            "Since Acrobat will be handling the printing of this illustration, you will need to "
            "click the print toolbar button on the Acrobat preview screen.",
            MessageIcon::Exclamation);
        ViewCommand();
        if (!preview_) return;
        const std::string written = WriteProposalPdf(runFolder_, "Illustration.pdf");
        if (!written.empty()) OpenWithAssociatedProgram(written);
        return;
    }
    if (MakeProposal())
        PrintProposal(this, surface_.GetDocument(), context_.process.ProgramFolder, context_.dialogs);
}

void ProposalWindow::PrintToPdfCommand() {
    context_.process.OutputFormat = 2;
    // The dialog opens where the user keeps documents, or at home without such a folder.
    QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!QDir(documents).exists()) documents = QDir::homePath();
    const std::string path = context_.dialogs.SaveFileName(this, "Save illustration to pdf file",
                                                           WithTrailingSeparator(S(documents)),
                                                           "PDF Files (*.pdf)", "PDF Files (*.pdf)");
    if (!MakeProposal()) return;
    // The file chosen serves this proposal only; without one the PDF joins
    // the proposal's page files.
    const fs::path chosen = path.empty() ? fs::path(runFolder_) / "illustration.pdf" : fs::path(path);
    WriteProposalPdf(chosen.parent_path().string(), chosen.filename().string());
}

void ProposalWindow::EmailCommand() {
    if (!MakeProposal()) return;
    // Every message has an attachment of its own: a mail program that reads
    // it only when the message is sent finds this client's proposal.
    auto folder = std::make_unique<QTemporaryDir>();
    if (!folder->isValid()) {
        Tell("E-mail",
             "The illustration could not be prepared for e-mail: no folder for its attachment could be "
             "made.");
        return;
    }
    const std::string attachment = WriteProposalPdf(S(folder->path()), "illustration.pdf");
    if (attachment.empty()) return;
    mailFolders_.push_back(std::move(folder));
    // The user's mail program opens with the message filled in; the user adds the recipient and sends.
    if (runCommand({"xdg-email", "--subject", kMailSubject, "--body", kMailText, "--attach", attachment}) !=
        0) {
        // The user is sent to the file: it outlives the program.
        mailFolders_.back()->setAutoRemove(false);
        Tell("E-mail",
             "No mail program answered, so the illustration could not be e-mailed. It is saved as " +
                 attachment + "; attach that file to a message in your mail program.");
    }
}

void ProposalWindow::ShowHelpContents() {
    const std::string help = context_.process.ProgramFolder + HelpFileOf(company_);
    if (!FileExists(help) || !openFile(help)) {
        Tell("Help", "Unable to display Help Contents. There is no Help associated with this project.");
    }
}

// ---------------------------------------------------------------- errors and the end

void ProposalWindow::Tell(const std::string& title, const std::string& text) {
    // After a critical error the routines still unwinding have nothing more to say.
    if (ending_) return;
    context_.dialogs.Show(this, title, text, MessageIcon::Exclamation);
}

void ProposalWindow::Report(const std::exception& error, const char* routine) {
    context_.process.ProcessError(errors_, error, LoggedError::ErrorWithPlace, kModule, routine);
}

void ProposalWindow::CriticalError(const std::string& title, const std::string& text) {
    if (ending_) return;
    ending_ = true;
    context_.dialogs.Ask(this, title, text, MessageButtons::Ok, MessageIcon::Critical);
    // The broker's unsaved cases are kept before the program ends (a save
    // that fails says nothing more once the critical box has been shown).
    SaveChangedCases();
    if (brokersChanged_) SaveBrokers();
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window != this) window->close();
    }
    hide();
    endProgram();
}

void ProposalWindow::closeEvent(QCloseEvent* event) {
    if (!ending_) {
        if (!MayLeaveCases(true)) {
            event->ignore();
            return;
        }
        SaveDefaultState();
        // The list is saved whenever it changes: an unchanged one is not
        // written again, so a user who never kept brokers gets no empty file.
        if (brokersChanged_) SaveBrokers();
        ending_ = true;
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (window != this && window->isVisible()) window->close();
        }
    }
    event->accept();
}

}  // namespace quoravel
