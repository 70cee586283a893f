#include "PrivateRuntimeFolder.h"

#include <QDir>
#include <QFile>
#include <QtGlobal>

namespace quoravel {

PrivateRuntimeFolder::PrivateRuntimeFolder() : folder_(QDir::tempPath() + "/quoravel-runtime-XXXXXX") {
#if !defined(Q_OS_WIN) && !defined(Q_OS_MACOS)
    if (!folder_.isValid()) return;
    QFile::setPermissions(folder_.path(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", folder_.path().toLocal8Bit());
#endif
}

}  // namespace quoravel
