#include "ProgramFolder.h"

#include <QCoreApplication>
#include <cstdlib>

#include "TextFile.h"

namespace quoravel {

std::string ResolveProgramFolder(int& argc, char** argv) {
    if (const char* home = std::getenv("QUORAVEL_HOME"); home && *home) return WithTrailingSeparator(home);
    // Qt finds the executable on every platform, but only an application
    // object can ask; before the program's own exists, a short-lived one does.
    if (QCoreApplication::instance())
        return WithTrailingSeparator(QCoreApplication::applicationDirPath().toStdString());
    const QCoreApplication probe(argc, argv);
    return WithTrailingSeparator(QCoreApplication::applicationDirPath().toStdString());
}

}  // namespace quoravel
