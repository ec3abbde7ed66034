#pragma once
// One running copy per user. The lock is an advisory lock the system drops when
// its owner ends in any way, so whatever a lock file holds (nothing, garbage, a
// folder, the number of a process long gone) only a live copy keeps it.

#include <QString>

class SingleInstance {
public:
    enum class Esito { Presa, AltraCopia, ImpossibileDaCreare };

    SingleInstance();
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // AltraCopia only when another live copy holds the lock. A lock that cannot
    // be made (its folder full or read-only) is told apart, so it never stops a start.
    Esito acquisisci();
    // Lets another copy start; the destructor does it too.
    void rilascia();

private:
    QString path_;
    int handle_ = -1;
};
