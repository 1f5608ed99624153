#pragma once

#include <QString>

#include <memory>

class QLockFile;

// One running copy per program folder: a lock on "QVRECIPE.lock" in that
// folder, so two different program folders never block each other. The lock
// is the kernel's (flock), which the system drops when its process ends, so
// a file left by a crash, a power cut or a copy on another machine never
// blocks a start; only a live copy holding it does.
class SingleInstance
{
public:
    enum class Status {
        Acquired,
        HeldByAnother, // a live copy holds the lock
        CannotWrite,   // the folder or the lock file cannot be written
    };
    struct Outcome
    {
        Status status = Status::Acquired;
        QString reason; // what the system reported, for CannotWrite
    };

    SingleInstance();
    ~SingleInstance();
    SingleInstance(const SingleInstance &) = delete;
    SingleInstance &operator=(const SingleInstance &) = delete;

    Outcome acquire(const QString &programDir);
    void release();

    static QString lockFileName() { return QStringLiteral("QVRECIPE.lock"); }

private:
    int m_fd = -1;
    std::unique_ptr<QLockFile> m_lock; // where there is no flock
};
