#pragma once
// One running copy per user. A lock left by a killed copy is taken over.

#include <QLockFile>
#include <memory>

class SingleInstance {
public:
    SingleInstance();
    // False when another live copy holds the lock.
    bool acquisisci();

private:
    std::unique_ptr<QLockFile> lock_;
};
