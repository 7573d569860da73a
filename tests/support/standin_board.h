#pragma once
// The stand-in board library built with the tests: copied into a program
// folder as the school would put its library there, and steered through its
// own StandIn* functions once the real loader has opened it.

#include <QFile>
#include <QString>
#include <QStringList>

#include <dlfcn.h>

namespace testsupport {

inline QString builtStandInBoard() { return QStringLiteral(STANDIN_BOARD_LIBRARY); }
inline QString builtStandInBoardWithoutPoke() { return QStringLiteral(STANDIN_BOARD_LIBRARY_WITHOUT_POKE); }

// Copies the built library to folder + name ("hidmon.so" by default).
inline bool placeStandInBoard(const QString& built, const QString& folder,
                              const QString& name = QStringLiteral("hidmon.so")) {
  QFile::remove(folder + name);
  return QFile::copy(built, folder + name);
}

// The controls of a stand-in the loader has already opened from path.
class StandInBoard {
 public:
  explicit StandInBoard(const QString& path)
      : handle_(dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_NOLOAD)) {}
  ~StandInBoard() {
    if (handle_) dlclose(handle_);
  }
  StandInBoard(const StandInBoard&) = delete;
  StandInBoard& operator=(const StandInBoard&) = delete;

  bool loaded() const { return handle_ != nullptr; }
  void setInit(const char* selector, int answer) { fn<void (*)(const char*, int)>("StandInSetInit")(selector, answer); }
  void setRegister(int handle, int value) { fn<void (*)(int, int)>("StandInSetRegister")(handle, value); }
  // Every call since the last clear, one "UsbPoke(101,0,255,0)" style entry each.
  QStringList calls() {
    return QString::fromLatin1(fn<const char* (*)()>("StandInCalls")()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
  }
  void clear() { fn<void (*)()>("StandInClear")(); }

 private:
  template <typename F>
  F fn(const char* name) {
    return reinterpret_cast<F>(dlsym(handle_, name));
  }
  void* handle_;
};

}  // namespace testsupport
