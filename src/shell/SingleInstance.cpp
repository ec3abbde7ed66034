#include "shell/SingleInstance.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

int apri(const QByteArray& path)
{
    const int handle = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0600);
    // A folder of that name is locked as it is: nothing of anyone's is removed.
    if (handle < 0 && errno == EISDIR)
        return ::open(path.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    return handle;
}

}  // namespace

SingleInstance::SingleInstance()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    path_ = folder + QStringLiteral("/quillet.lock");
}

SingleInstance::~SingleInstance()
{
    rilascia();
}

SingleInstance::Esito SingleInstance::acquisisci()
{
    if (handle_ >= 0)
        return Esito::Presa;
    const QByteArray path = QFile::encodeName(path_);
    int handle = apri(path);
    // Something we cannot open (a link, a file left unreadable) is no copy's lock.
    if (handle < 0 && (errno == ELOOP || errno == EACCES) && ::unlink(path.constData()) == 0)
        handle = apri(path);
    if (handle < 0)
        return Esito::ImpossibileDaCreare;
    if (::flock(handle, LOCK_EX | LOCK_NB) != 0) {
        const bool held = errno == EWOULDBLOCK;
        ::close(handle);
        return held ? Esito::AltraCopia : Esito::ImpossibileDaCreare;
    }
    handle_ = handle;
    return Esito::Presa;
}

void SingleInstance::rilascia()
{
    if (handle_ < 0)
        return;
    // The file stays: removing it could let two copies lock two different files.
    ::close(handle_);
    handle_ = -1;
}
