#include "ProgramFolder.h"

#include <QCoreApplication>
#include <QStandardPaths>
#include <cstdlib>
#include <filesystem>

#include "TextFile.h"

namespace fs = std::filesystem;

namespace quoravel {
namespace {

std::string ExecutableFolder(int& argc, char** argv) {
    // Qt finds the executable on every platform, but only an application
    // object can ask; before the program's own exists, a short-lived one does.
    if (QCoreApplication::instance()) return QCoreApplication::applicationDirPath().toStdString();
    const QCoreApplication probe(argc, argv);
    return QCoreApplication::applicationDirPath().toStdString();
}

std::string UserLocation(QStandardPaths::StandardLocation location, const char* below) {
    const QString base = QStandardPaths::writableLocation(location);
    if (base.isEmpty()) return {};
    return WithTrailingSeparator((fs::path(base.toStdString()) / below).string());
}

}  // namespace

std::string ProgramFolderBeside(const std::string& executableFolder) {
    if (const char* home = std::getenv("QUORAVEL_HOME"); home && *home) return WithTrailingSeparator(home);
    std::error_code ec;
    const fs::path installed = (fs::path(executableFolder) / QUORAVEL_DATA_FROM_BIN).lexically_normal();
    if (fs::is_directory(installed, ec)) return WithTrailingSeparator(installed.string());
    return WithTrailingSeparator(executableFolder);
}

std::string ResolveProgramFolder(int& argc, char** argv) {
    return ProgramFolderBeside(ExecutableFolder(argc, argv));
}

void LocateUserFolders(ProcessValues& process) {
    process.UserFolder = UserLocation(QStandardPaths::GenericDataLocation, "Quoravel");
    process.RunsFolder = UserLocation(QStandardPaths::GenericCacheLocation, "Quoravel/runs");
}

void LocateFolders(ProcessValues& process, int& argc, char** argv) {
    process.ProgramFolder = ResolveProgramFolder(argc, argv);
    LocateUserFolders(process);
}

}  // namespace quoravel
