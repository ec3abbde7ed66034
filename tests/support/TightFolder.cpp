#include "support/TightFolder.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <csignal>
#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

namespace {

// Set once, before any test runs.
bool privateMounts = false;

}  // namespace

void TightFolder::enterPrivateMounts()
{
    privateMounts = ::geteuid() == 0 && ::unshare(CLONE_NEWNS) == 0
                    && ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
}

TightFolder::TightFolder(const QString& path, Kind kind, const QMap<QString, QByteArray>& files)
    : path_(path)
    , kind_(kind)
{
    QDir().mkpath(path);
    const QByteArray where = QFile::encodeName(path);
    mounted_ = privateMounts && ::mount("tmpfs", where.constData(), "tmpfs", 0, "size=16k,mode=0700") == 0;
    for (auto it = files.cbegin(); it != files.cend(); ++it) {
        QFile file(path + QLatin1Char('/') + it.key());
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(it.value()) == it.value().size());
    }
    if (kind == Full) {
        // Both ways leave the same files: what the test wrote and the filler.
        QFile filler(path + QStringLiteral("/filler"));
        QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        const QByteArray block(512, 'x');
        while (mounted_ && filler.write(block) > 0) {
        }
    }
    if (mounted_ && kind == ReadOnly) {
        QCOMPARE(::mount(nullptr, where.constData(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr), 0);
    } else if (!mounted_ && kind == Full) {
        std::signal(SIGXFSZ, SIG_IGN);
        QCOMPARE(::getrlimit(RLIMIT_FSIZE, &sizeLimit_), 0);
        rlimit none = sizeLimit_;
        none.rlim_cur = 0;
        QCOMPARE(::setrlimit(RLIMIT_FSIZE, &none), 0);
    } else if (!mounted_) {
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ExeOwner));
    }
}

TightFolder::~TightFolder()
{
    if (mounted_) {
        ::umount2(QFile::encodeName(path_).constData(), MNT_DETACH);
    } else if (kind_ == Full) {
        ::setrlimit(RLIMIT_FSIZE, &sizeLimit_);
        std::signal(SIGXFSZ, SIG_DFL);
    } else {
        QFile::setPermissions(path_, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
}
