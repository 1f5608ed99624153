#include "platform/singleinstance.h"

#include <QLockFile>

SingleInstance::SingleInstance() = default;
SingleInstance::~SingleInstance() = default;

bool SingleInstance::acquire(const QString &programDir)
{
    auto lock = std::make_unique<QLockFile>(programDir + QStringLiteral("QVRECIPE.lock"));
    // A lock is stale only when its process is gone, never because of its age.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0))
        return false;
    m_lock = std::move(lock);
    return true;
}
