// Opens each window of the program on a sample case and saves a PNG of it:
//   quoravel-screenshots PROGRAM_FOLDER OUTPUT_FOLDER
// The per-user settings go to a scratch folder, and no window is closed the
// way a user closes it, so nothing in the program folder is written.
#include <QApplication>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QDir>
#include <QSettings>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QThread>
#include <QWidget>
#include <iostream>

#include "AboutDialog.h"
#include "BrokerDialog.h"
#include "CaseDirectoryDialog.h"
#include "CaseFile.h"
#include "CommissionDialog.h"
#include "FileCreatorWindow.h"
#include "OptionsDialog.h"
#include "PageView.h"
#include "PreviewWindow.h"
#include "PrivateRuntimeFolder.h"
#include "ProcessValues.h"
#include "ProposalWindow.h"
#include "SplashWindow.h"
#include "TipDialog.h"
#include "UserDialogs.h"
#include "UserSettings.h"
#include "WindowContext.h"
#include "WindowPlacement.h"

using namespace quoravel;

namespace {

bool Save(QWidget& window, const QString& folder, const QString& name) {
    window.show();
    for (int round = 0; round < 5; ++round) {
        QApplication::processEvents();
        QThread::msleep(20);
    }
    const QString path = folder + "/" + name + ".png";
    const bool saved = window.grab().save(path);
    std::cout << (saved ? "wrote " : "could not write ") << path.toStdString() << "\n";
    window.hide();
    return saved;
}

// Shows a case of the list and waits for the quick quote to price it.
void ShowCase(ProposalWindow& main, int item) {
    main.findChild<QComboBox*>("cboClients")->setCurrentIndex(item);
    main.ShowClient(main.Cases().Item(item));
    auto* quote = main.findChild<QTableWidget*>("tblQuickQuote");
    quote->setRowCount(0);
    for (QDeadlineTimer settled(2'000); quote->rowCount() == 0 && !settled.hasExpired();)
        QApplication::processEvents(QEventLoop::AllEvents, 50);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "Usage: quoravel-screenshots PROGRAM_FOLDER OUTPUT_FOLDER\n";
        return 2;
    }
    QTemporaryDir userSettings;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, userSettings.path());
    const quoravel::PrivateRuntimeFolder runtime;
    QApplication application(argc, argv);
    const QString output = QDir(argv[2]).absolutePath();
    QDir().mkpath(output);

    ProcessValues process;
    process.ProgramFolder = QDir(argv[1]).absolutePath().toStdString() + "/";
    // The user's files and run folders go to the scratch folder with the
    // settings: taking pictures changes nothing of the user's.
    process.StartDirectory = userSettings.path().toStdString();
    process.UserFolder = process.StartDirectory + "/data/";
    process.RunsFolder = process.StartDirectory + "/runs/";
    process.VersionText = "V1.0";
    UserSettings settings;
    WidgetDialogs dialogs;
    WindowContext context{process, settings, dialogs};

    bool saved = true;
    SplashWindow splash(context);
    saved &= Save(splash, output, "splash");

    ProposalWindow main(context);
    PlaceOnScreen(main);
    // The sample case, then a name a relay case brought, longer than a broker may type, and an accented one.
    main.OpenCaseDirectory(process.ProgramFolder + "sample.clt");
    if (main.Cases().Count() > 0) ShowCase(main, 1);
    saved &= Save(main, output, "main");
    Collection<ClientCase> names;
    for (const auto& [first, last] :
         {std::pair{std::string(60, 'J') + " Jean-Baptiste", "Wolfeschlegel" + std::string(120, 'x')},
          std::pair{std::string("Zoë Åsa"), std::string("Müller-Lüdenscheidt")}}) {
        ClientCase& client = names.Add(ClientCase());
        client.SetFirstName(first);
        client.SetLastName(last);
        client.SetState("TX");
        client.SetAge(45);
        // Born in mid-September: the age changes in March, which the quick quote tells.
        client.SetDateOfBirth(Date::FromYmd(1981, 9, 14));
        client.Proposal().AddProduct(2);
        client.Proposal().AddFaceAmount(250000, "TX");
    }
    const std::string namesFile = userSettings.path().toStdString() + "/names.clt";
    WriteCaseFile(namesFile, names, false);
    main.OpenCaseDirectory(namesFile);
    ShowCase(main, 1);
    saved &= Save(main, output, "main-long-name");
    ShowCase(main, 2);
    saved &= Save(main, output, "main-accented");

    OptionsDialog options(context, &main);
    saved &= Save(options, output, "options");
    TipDialog tip(context, &main);
    tip.ForceShow = true;
    tip.Open();
    saved &= Save(tip, output, "tip");
    CaseDirectoryDialog directory(context, &main);
    saved &= Save(directory, output, "case-directory");
    AboutDialog about(context, &main);
    saved &= Save(about, output, "about");

    Collection<Broker> brokers;
    Broker& broker = brokers.Add(Broker());
    const std::pair<BrokerField, const char*> fields[] = {{BrokerField::last_name, "Moreno"},
                                                          {BrokerField::first_name, "Elena"},
                                                          {BrokerField::middle_init, "J"},
                                                          {BrokerField::address_1, "400 Main Street"},
                                                          {BrokerField::city, "Austin"},
                                                          {BrokerField::state, "TX"},
                                                          {BrokerField::zip, "78701"},
                                                          {BrokerField::phone_num, "(512)555-0142"},
                                                          {BrokerField::GA_Name, "Lone Star Brokerage"}};
    for (const auto& [field, value] : fields) broker.Set(field, value);
    broker.SetIndex(1);
    BrokerDialog brokerWindow(context, brokers, 0, &main);
    brokerWindow.SetSelectedBroker(brokers.ItemPtr(1));
    saved &= Save(brokerWindow, output, "brokers");

    CommissionSettings commission(process.ProgramFolder, process.UserFolder);
    CommissionDialog commissionWindow(context, commission, &main);
    saved &= Save(commissionWindow, output, "commission");
    FileCreatorWindow fileCreator(context, &main);
    saved &= Save(fileCreator, output, "file-creator");

    // The sample case's proposal in the preview, at two zoom levels.
    main.ViewCommand();
    PreviewWindow* preview = main.Preview();
    if (!preview) {
        std::cerr << "the sample case made no proposal\n";
        return 1;
    }
    PlaceOnScreen(*preview);
    saved &= Save(*preview, output, "preview-fit-width");
    preview->View()->SetZoomMode(PageView::TwoPages);
    saved &= Save(*preview, output, "preview-two-pages");
    preview->View()->SetZoom(150);
    saved &= Save(*preview, output, "preview-150");
    return saved ? 0 : 1;
}
