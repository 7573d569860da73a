#pragma once
// Keeps a second copy of a program from starting while one runs. A lock file
// named after the executable stands in for a system-wide name: a lock whose
// owner has died counts as left behind and is taken over.

#include <QString>

#include <memory>

class QLockFile;

namespace platform {

class InstanceGuard {
 public:
  enum class State { First, AlreadyRunning, Failed };
  virtual ~InstanceGuard() = default;
  virtual State acquire() = 0;
  virtual void release() = 0;
};

class LockFileGuard : public InstanceGuard {
 public:
  // name: the executable's file name; folder: where the lock lives (the
  // system's temporary folder when empty).
  explicit LockFileGuard(const QString& name, const QString& folder = {});
  ~LockFileGuard() override;
  State acquire() override;
  void release() override;

 private:
  std::unique_ptr<QLockFile> lock_;
};

class FakeInstanceGuard : public InstanceGuard {
 public:
  explicit FakeInstanceGuard(State state = State::First) : state_(state) {}
  State acquire() override { return state_; }
  void release() override { released = true; }
  bool released = false;

 private:
  State state_;
};

}  // namespace platform
