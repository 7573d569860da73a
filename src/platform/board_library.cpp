#include "platform/board_library.h"

#include <QFile>

#include <dlfcn.h>

namespace platform {

namespace {

// The loader's own text, without the place it repeats in front.
QString loaderError(const QString& place) {
  const char* text = dlerror();
  QString why = text ? QString::fromLocal8Bit(text) : QStringLiteral("unknown error");
  if (why.startsWith(place + QStringLiteral(": "))) why = why.mid(place.size() + 2);
  return why;
}

template <typename F>
bool bind(void* handle, const char* name, F& target) {
  dlerror();
  void* symbol = dlsym(handle, name);
  if (!symbol) return false;
  target = reinterpret_cast<F>(symbol);
  return true;
}

}  // namespace

QStringList boardLibraryPlaces(const QString& appDir) {
  return {appDir + QStringLiteral("hidmon.so"), QStringLiteral("libhidmon.so")};
}

BoardLibraryLoad loadBoardLibrary(const QStringList& places) {
  BoardLibraryLoad result;
  for (const QString& place : places) {
    dlerror();
    void* handle = dlopen(QFile::encodeName(place).constData(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
      result.failures << place + QStringLiteral(": ") + loaderError(place);
      continue;
    }
    BoardFunctions f;
    const bool complete = bind(handle, "UsbInit", f.usbInit) && bind(handle, "UsbExit", f.usbExit) &&
                          bind(handle, "PortAddress", f.portAddress) && bind(handle, "UsbPeek", f.usbPeek) &&
                          bind(handle, "UsbPoke", f.usbPoke);
    if (!complete) {
      result.failures << place + QStringLiteral(": ") + loaderError(place);
      dlclose(handle);
      continue;
    }
    // Never closed: the functions are called until the process ends.
    result.board = std::make_unique<LibraryBoard>(place, f);
    return result;
  }
  return result;
}

std::unique_ptr<Board> openBoard(const QStringList& places, const QString& program, std::FILE* err) {
  BoardLibraryLoad load = loadBoardLibrary(places);
  if (load.board) return std::move(load.board);
  const QString line = program + QStringLiteral(": no board library, running without a board (tried ") +
                       load.failures.join(QStringLiteral("; ")) + QStringLiteral(")\n");
  std::fputs(line.toLocal8Bit().constData(), err);
  std::fflush(err);
  return std::make_unique<NoBoard>();
}

}  // namespace platform
