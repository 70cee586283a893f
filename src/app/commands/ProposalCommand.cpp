#include "ProposalCommand.h"

#include <QApplication>
#include <QtGlobal>
#include <iostream>

#include "InteractiveRun.h"
#include "PrivateRuntimeFolder.h"
#include "ProcessValues.h"
#include "ProgramFolder.h"
#include "RelayRun.h"

namespace quoravel {
namespace {

#if !defined(Q_OS_WIN) && !defined(Q_OS_MACOS)
constexpr bool kDesktopFromEnvironment = true;
#else
constexpr bool kDesktopFromEnvironment = false;
#endif

// The window is for a person: where no display can be opened it would be
// drawn nowhere and never closed. A platform that cannot be opened falls
// back to "offscreen", which is refused below instead of ending in an abort.
void FallBackWhenNoDisplayOpens() {
    if (!kDesktopFromEnvironment) return;
    const QByteArray chosen = qgetenv("QT_QPA_PLATFORM");
    if (!chosen.isEmpty()) {
        if (!chosen.contains("offscreen")) qputenv("QT_QPA_PLATFORM", chosen + ";offscreen");
        return;
    }
    qputenv("QT_QPA_PLATFORM",
            qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ? "xcb;offscreen" : "wayland;xcb;offscreen");
}

bool NoDisplayNamed() {
    return kDesktopFromEnvironment && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") &&
           qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

bool NoDisplayOpened() {
    const QString platform = QGuiApplication::platformName();
    return platform == "offscreen" || platform == "minimal";
}

int RefuseTheWindow() {
    std::cerr << "quoravel: the proposal window needs a display, and none can be opened here. To make a"
                 " proposal without a window, start quoravel with a folder that holds relay.ini.\n";
    return ExitCode::NotRelayRun;
}

}  // namespace

int ProposalCommand(CommandLine& line) {
    ProcessValues process;
    // Without a folder the program folder is the start folder, and must be
    // known before the application object; otherwise it is asked of that.
    if (line.words.empty()) process.ProgramFolder = ResolveProgramFolder(line.argc, line.argv);
    process.SetStartDirectory(line.words);
    if (const std::string problem = StartFolderProblem(process); !problem.empty()) {
        std::cerr << "quoravel: " << problem << "\n";
        return ExitCode::NotRelayRun;
    }
    const bool relayMode = HasRelayFile(process);
    process.VersionText = MakeVersionText(QUORAVEL_VERSION_MAJOR, QUORAVEL_VERSION_MINOR, relayMode);
    if (relayMode) {
        KeepFreedMemoryForReuse();
        UseOffscreenPlatform();
        const PrivateRuntimeFolder runtime;
        QGuiApplication application(line.argc, line.argv);
        LocateFolders(process, line.argc, line.argv);
        return RunRelay(process, std::cerr).exitCode;
    }
    if (NoDisplayNamed()) return RefuseTheWindow();
    FallBackWhenNoDisplayOpens();
    QApplication application(line.argc, line.argv);
    if (NoDisplayOpened()) return RefuseTheWindow();
    LocateFolders(process, line.argc, line.argv);
    return RunInteractive(process);
}

}  // namespace quoravel
