// One proposal in the window of an installed program, as a broker makes it:
// the folders are found from the installed bin folder and the user's HOME as
// the program finds them, the bundled sample case is shown, viewed and saved,
// and the window closed. Run by installed_layout.sh, as a user who cannot
// write the installation. Exit 0 when every step did what it should.
#include <QApplication>
#include <filesystem>
#include <iostream>

#include "CaseFile.h"
#include "PreviewWindow.h"
#include "ProcessValues.h"
#include "ProgramFolder.h"
#include "ProposalWindow.h"
#include "UserDialogs.h"
#include "UserSettings.h"
#include "WindowContext.h"

namespace {

using namespace quoravel;

// Every message is a failure here: it is printed, and answered with OK.
class PrintedDialogs final : public UserDialogs {
public:
    int shown = 0;
    bool Ask(QWidget*, const std::string& title, const std::string& text, MessageButtons,
             MessageIcon) override {
        ++shown;
        std::cerr << "message \"" << title << "\": " << text << "\n";
        return true;
    }
    SaveAnswer AskToSave(QWidget*, const std::string& title, const std::string& text) override {
        ++shown;
        std::cerr << "message \"" << title << "\": " << text << "\n";
        return SaveAnswer::Save;
    }
    std::optional<std::string> Input(QWidget*, const std::string&, const std::string&, bool) override {
        return std::nullopt;
    }
    std::string OpenFileName(QWidget*, const std::string&, const std::string&, const std::string&) override {
        return "";
    }

protected:
    std::string ChooseSaveFile(QWidget*, const std::string&, const std::string&, const std::string&,
                               const std::string&) override {
        return "";
    }
};

bool Check(bool held, const std::string& what) {
    if (!held) std::cerr << "failed: " << what << "\n";
    return held;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: installed_window_check INSTALLED_BIN_FOLDER\n";
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    ProcessValues process;
    process.ProgramFolder = ProgramFolderBeside(argv[1]);
    LocateUserFolders(process);
    process.StartDirectory = process.ProgramFolder;
    process.VersionText = "V1.0";
    UserSettings settings;
    PrintedDialogs dialogs;
    WindowContext context{process, settings, dialogs};
    namespace fs = std::filesystem;

    bool ok = true;
    {
        ProposalWindow window(context);
        window.OpenCaseDirectory("sample.clt");
        ok &= Check(window.Cases().Count() > 0,
                    "the sample case directory is read from " + process.ProgramFolder);
        if (window.Cases().Count() == 0) return 1;
        window.ShowClient(window.Cases().Item(1));
        window.ViewCommand();
        ok &= Check(window.Preview() && !window.Preview()->GetDocument().pages.empty(),
                    "the preview shows pages");
        const std::string run = window.RunFolder();
        ok &= Check(run.starts_with(process.RunsFolder),
                    "the run folder " + run + " is in " + process.RunsFolder);
        ok &= Check(fs::exists(fs::path(run) / "relay.out") && fs::exists(fs::path(run) / "page1.vsv"),
                    "the run folder holds the answer and the page files");
        window.SaveCaseCommand();
        window.close();
    }
    const fs::path saved = fs::path(process.UserFolder) / "sample.clt";
    ok &= Check(fs::exists(saved) && ReadCaseFile(saved).Count() > 0,
                "the case directory is saved as " + saved.string());
    ok &= Check(dialogs.shown == 0, "no message was shown");
    std::cout << (ok ? "window proposal: made in " : "window proposal: FAILED in ") << process.RunsFolder
              << "\n";
    return ok ? 0 : 1;
}
