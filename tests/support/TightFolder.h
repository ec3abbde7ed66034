#pragma once
// A folder that takes no more bytes (a full disk) or no change at all (a
// read-only disk). Run as root, it is a real 16 KiB tmpfs in the test's private
// mount namespace, filled up or remounted read-only; otherwise the kernel's
// file-size limit stands in for the full disk and a mode without write bits
// for the read-only one.

#include <QByteArray>
#include <QMap>
#include <QString>
#include <sys/resource.h>

class TightFolder {
public:
    enum Kind { Full, ReadOnly };

    // Makes `path` a folder holding `files` (name -> bytes), then tight.
    TightFolder(const QString& path, Kind kind, const QMap<QString, QByteArray>& files = {});
    ~TightFolder();
    TightFolder(const TightFolder&) = delete;
    TightFolder& operator=(const TightFolder&) = delete;

    // Call first in main, while the process has one thread: as root it moves
    // the tests into a mount namespace of their own.
    static void enterPrivateMounts();

private:
    QString path_;
    Kind kind_;
    bool mounted_ = false;
    rlimit sizeLimit_{};  // the file-size limit before, when it stands in
};
