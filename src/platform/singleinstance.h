#pragma once

#include <QString>

#include <memory>

class QLockFile;

// One running copy per program folder: a lock file in that folder, so two
// different program folders never block each other. A lock left by a crashed
// copy is taken over.
class SingleInstance
{
public:
    SingleInstance();
    ~SingleInstance();
    // False when another live copy holds the lock for this folder.
    bool acquire(const QString &programDir);

private:
    std::unique_ptr<QLockFile> m_lock;
};
