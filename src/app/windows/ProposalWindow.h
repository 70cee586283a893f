#pragma once

#include <QMainWindow>
#include <QTemporaryDir>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Broker.h"
#include "CaseDirectory.h"
#include "ClientCase.h"
#include "Collection.h"
#include "CommissionSettings.h"
#include "Date.h"
#include "PrintSurface.h"
#include "UserMessages.h"
#include "WindowContext.h"

class QLabel;
class QLineEdit;
class QRadioButton;
class QCheckBox;
class QListWidgetItem;
class QTimer;

namespace Ui {
class ProposalWindow;
}

namespace quoravel {

class HelpLine;
class QuickQuotePane;
class PreviewWindow;

// The input window: the carrier, the case file and its cases, the client,
// the proposal choices, and the commands that make, show, print, write and
// mail the proposal. It owns the cases of the open case file, the broker
// list and the commission settings, and is the process's message box for
// critical errors.
class ProposalWindow : public QMainWindow, public UserMessages {
    Q_OBJECT
public:
    static constexpr int kFaceAmountFields = 4;
    static constexpr int kOutputBoxes = 6;
    // The mail launcher's answer when no mail program is set up.
    static constexpr int kNoMailMethod = 3;
    // How long the fields stay still before the quick quote prices them again:
    // typing a face amount prices once, not at each key.
    static constexpr int kQuickQuoteSettleMs = 150;
    static constexpr const char* kCloseUnsaved =
        "The changed cases could not be saved. Close the window without them?";

    // Loads the window: fills the lists, loads the brokers, opens the last
    // case file of the current company and refreshes the controls.
    explicit ProposalWindow(WindowContext& context, QWidget* parent = nullptr);
    ~ProposalWindow() override;

    // The case from the client fields and from the proposal fields.
    void MakeClient(ClientCase& client);
    // The proposal's choices as the window shows them; `withKept` takes the
    // products a shown case keeps though the carrier's list does not offer them.
    void MakeIllustrationInfo(IllustrationOptions& options, bool withKept = true);
    // The inverse of the two: a case shown in the fields. Showing never
    // changes the case; what the fields cannot show is told to the user.
    void ShowClient(const ClientCase& client);
    // The fields of a new case, as a new case starts: the broker, the state
    // and the pages chosen stay, everything of the client goes.
    void ClearForm();
    // The fields taken into the case they show (a new case is added to the
    // list) when the user changed them since it was shown.
    void TakeFieldsIntoCase();
    void RefreshControls();
    void SwitchCompany(std::int32_t company);
    void FillStateList(std::int32_t company);
    // Builds or updates the case from the fields and lays out its proposal
    // on Document(); false when no proposal was made (the user was told why).
    bool MakeProposal();

    // Case files: opening replaces the case list; saving writes every named
    // case. Both remember the file for the current company.
    void OpenCaseDirectory(const std::string& path);
    bool SaveCaseDirectory(const std::string& path);
    // Saves the open case file when a case was changed, added or removed
    // since it was opened or saved: a file only looked at stays as it is.
    bool SaveChangedCases();
    // A case from a relay file, appended to the case list and shown.
    void LoadRelay(const std::string& folder = "c:\\winflex", const std::string& fileName = "relay.ini");
    void LoadBrokers();
    void SaveBrokers();
    // The broker list rebuilt after the broker window, and the file saved.
    void UpdateBrokerInfo();

    // The commands of the menus and buttons.
    void NewCase();
    void OpenCaseCommand();
    void SaveCaseCommand();
    void SaveCaseAsCommand();
    void NewCaseDirectoryCommand();
    void RemoveCaseCommand();
    void ViewCommand();
    void PrintCommand();
    void PrintToPdfCommand();
    void EmailCommand();

    const Collection<ClientCase>& Cases() const { return directory_.Cases(); }
    Collection<Broker>& Brokers() { return brokers_; }
    std::int32_t Company() const { return company_; }
    const std::string& CaseFile() const { return directory_.Path(); }
    const std::string& RunFolder() const { return runFolder_; }
    bool InHouseMode() const { return inHouse_; }
    const PrintSurface& Document() const { return surface_; }
    // The preview of the last proposal viewed; null before the first and once closed.
    PreviewWindow* Preview() const { return preview_.get(); }
    // True once the window is closing or a critical error ends the program.
    bool Ending() const { return ending_; }

    // Tests fix the day the ages are counted on.
    void SetToday(Date today) { today_ = today; }
    // Opens a file with its associated program; true when it could. Tests
    // replace it, as they replace the mail program.
    std::function<bool(const std::string& path)> openFile;
    // Runs a desktop command (the mail launcher) to its end: its exit code,
    // kNoMailMethod when it could not be run. Tests replace it.
    std::function<int(const std::vector<std::string>& command)> runCommand;
    // Ends the program after a critical error; tests replace it.
    std::function<void()> endProgram;

    // A critical error: the message, then the open case file and the broker
    // file are saved, every window closes and the program ends.
    void CriticalError(const std::string& title, const std::string& text) override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // A file that is no case file is replaced only when the user says so,
    // and a copy of it is kept beside it.
    bool MayReplace(const std::string& target);
    void ConnectCommands();
    void SetHelpTexts();
    void FillFixedLists();
    void FillProductList();
    // Lists a product the shown case keeps though the carrier's list for the
    // state does not offer it, ticked, so the broker can remove it.
    void AddKeptProduct(std::int32_t product);
    // Another case shown, or a new one: the products the last one kept go.
    void RemoveKeptProducts();
    static bool IsKeptProduct(const QListWidgetItem& item);
    void StateChanged();
    void ProposalTypeChanged();
    void ProductTicked(int row);
    // The quick quote of the client in the fields, or what it still lacks.
    void UpdateQuickQuote();
    // A product of the quick quote ticked in the product list, as ticking it by hand does.
    void TickProduct(std::int32_t product);
    void BirthDateLeft();
    void AgeLeft();
    void FaceAmountLeft(QLineEdit* field);
    void FlatExtraLeft(QLineEdit* field);
    void ExtraYearsLeft();
    // What the numeric fields hold that a relay case would refuse, one
    // message a field; empty when the window's numbers can make a case.
    std::vector<std::string> FieldProblems() const;
    void CaseChosen(int listIndex);
    void InHouseToggled(bool ticked);
    void ShowHelpContents();
    void RebuildCaseList();
    void FillBrokerList();
    void AddCaseToList(const ClientCase& client);
    void RememberCaseFile(const std::string& path);
    std::string RememberedCaseFile(const char* defaultName) const;
    void UpdateTitle();
    void SaveDefaultState();
    // The PDF written; the path written, "" when it could not be (the user was told).
    std::string WriteProposalPdf(const std::string& folder, const std::string& name);
    // `base` with the fields of the window taken into it.
    ClientCase CaseFromWindow(const ClientCase& base);
    // The case now in the fields (null for a new case), and its record as
    // the fields gave it, against which later edits are told apart.
    void RecordShownCase(std::shared_ptr<ClientCase> shown);
    bool FieldsChanged();
    // Edits in the fields that the case directory keeps when they are taken in.
    bool FieldsToKeep();
    // Before the open case directory is left behind (another one opened, the
    // window closed): its changes are saved, or with AutoSaveDirectory=0 the
    // user chooses. False when the directory is to stay open, the fields as
    // they were.
    bool MayLeaveCases(bool closing);
    // The shown case replaced by its edited form, in the list and as shown.
    void UpdateShownCase(const ClientCase& edited);
    void AddNewCase(const std::shared_ptr<ClientCase>& client);
    // A desktop launcher's answer: its exit code when it ends within a few
    // seconds, 0 when it is still running (the program it started is open).
    static int RunLauncher(const std::vector<std::string>& command);
    void OpenWithAssociatedProgram(const std::string& path);
    void Report(const std::exception& error, const char* routine);
    void Tell(const std::string& title, const std::string& text);

    QRadioButton* PrintOptionButton(int option) const;
    QRadioButton* YearsButton(int option) const;
    QCheckBox* OutputBox(int box) const;
    QLineEdit* FaceField(int field) const;

    std::unique_ptr<Ui::ProposalWindow> ui_;
    WindowContext& context_;
    QLabel* helpLabel_ = nullptr;
    HelpLine* helpLine_ = nullptr;
    QuickQuotePane* quickQuote_ = nullptr;
    QTimer* quickQuoteDue_ = nullptr;
    CaseDirectory directory_;
    Collection<Broker> brokers_;
    std::unique_ptr<CommissionSettings> commission_;
    PrintSurface surface_;
    std::unique_ptr<PreviewWindow> preview_;
    std::int32_t company_ = 0;
    std::string runFolder_;        // the files of the last proposal made
    bool brokersChanged_ = false;  // the broker list differs from its file
    // The window's own run-time errors, should no message box show them.
    ErrorLog errors_;
    std::shared_ptr<ClientCase> shownCase_;
    std::string shownRecord_;
    // E-mail's own folders, one a message: an attachment is never a file
    // the user chose, nor the attachment of another message. They go with
    // the window.
    std::vector<std::unique_ptr<QTemporaryDir>> mailFolders_;
    bool isGA_ = false;
    bool inHouse_ = false;
    bool ending_ = false;
    Date today_ = Date::Today();
};

}  // namespace quoravel
