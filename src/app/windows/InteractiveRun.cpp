#include "InteractiveRun.h"

#include <QApplication>

#include "ProposalWindow.h"
#include "RunFolders.h"
#include "SplashWindow.h"
#include "TipDialog.h"
#include "UserDialogs.h"
#include "UserSettings.h"
#include "WindowContext.h"
#include "WindowPlacement.h"

namespace quoravel {

int RunInteractive(ProcessValues& process) {
    process.RelayMode = false;
    // A proposal's files serve its preview and the PDF written with it; a
    // week on they are of no more use.
    RemoveOldRunFolders(process.RunsFolder, std::chrono::hours(24 * 7));
    UserSettings settings;
    WidgetDialogs dialogs;
    WindowContext context{process, settings, dialogs};

    SplashWindow splash(context);
    splash.ShowOnScreen();
    ProposalWindow main(context);
    // A critical error while the window loaded has already ended the program.
    if (main.Ending()) return 1;
    PlaceOnScreen(main);
    main.show();
    // The splash's own timer closes it once it has been up a second.
    splash.MainWindowReady();
    TipDialog tip(context, &main);
    tip.ShowModal();
    return QApplication::exec();
}

}  // namespace quoravel
