#include "shell/SingleInstance.h"

#include <QDir>
#include <QStandardPaths>

SingleInstance::SingleInstance()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    lock_ = std::make_unique<QLockFile>(folder + QStringLiteral("/quillet.lock"));
    // Staleness is judged by the owner's process id only, never by age:
    // a copy that has run for days still holds its lock.
    lock_->setStaleLockTime(0);
}

bool SingleInstance::acquisisci()
{
    // tryLock takes over a file whose owner process no longer exists.
    return lock_->tryLock(0);
}
