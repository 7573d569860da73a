#include "platform/instance_guard.h"

#include <QDir>
#include <QLockFile>

#include <unistd.h>

namespace platform {

LockFileGuard::LockFileGuard(const QString& name, const QString& folder) {
  const QString dir = folder.isEmpty() ? QDir::tempPath() : folder;
  lock_ = std::make_unique<QLockFile>(dir + QStringLiteral("/%1-%2.lock").arg(name).arg(getuid()));
  lock_->setStaleLockTime(0);  // only a dead owner makes the lock stale
}

LockFileGuard::~LockFileGuard() { release(); }

InstanceGuard::State LockFileGuard::acquire() {
  if (lock_->tryLock(0)) return State::First;
  return lock_->error() == QLockFile::LockFailedError ? State::AlreadyRunning : State::Failed;
}

void LockFileGuard::release() {
  if (lock_ && lock_->isLocked()) lock_->unlock();
}

}  // namespace platform
