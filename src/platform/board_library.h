#pragma once
// The real board: an outside shared library with the five C functions,
// loaded once at start. The project ships none.

#include "platform/board.h"

#include <QString>
#include <QStringList>

#include <cstdio>
#include <memory>

namespace platform {

// The five functions, bound by name.
struct BoardFunctions {
  int (*usbInit)(const char* selector) = nullptr;
  int (*usbExit)() = nullptr;
  int (*portAddress)(const char* name) = nullptr;
  int (*usbPeek)(int handle, int zero) = nullptr;
  int (*usbPoke)(int handle, int zero, int value, int zero2) = nullptr;
};

class LibraryBoard : public Board {
 public:
  LibraryBoard(QString path, const BoardFunctions& functions) : path_(std::move(path)), f_(functions) {}

  int UsbInit(const char* selector) override { return f_.usbInit(selector); }
  int UsbExit() override { return f_.usbExit(); }
  int PortAddress(const char* name) override { return f_.portAddress(name); }
  int UsbPeek(int handle, int zero) override { return f_.usbPeek(handle, zero); }
  int UsbPoke(int handle, int zero, int value, int zero2) override { return f_.usbPoke(handle, zero, value, zero2); }

  // The place it was loaded from, as it was tried.
  const QString& path() const { return path_; }

 private:
  QString path_;
  BoardFunctions f_;
};

// "hidmon.so" in the program folder, then "libhidmon.so" through the
// system's library search.
QStringList boardLibraryPlaces(const QString& appDir);

struct BoardLibraryLoad {
  std::unique_ptr<LibraryBoard> board;  // null when no place gave a usable library
  QStringList failures;                 // "place: why", one per place tried and not used
};

// Tries the places in order; the first library with all five functions is
// kept loaded for the rest of the process. One lacking any is closed again.
BoardLibraryLoad loadBoardLibrary(const QStringList& places);

// The board of a program not asked to simulate one: the library's, or NoBoard
// with one line on err that names each place tried and why it was not used.
std::unique_ptr<Board> openBoard(const QStringList& places, const QString& program, std::FILE* err);

}  // namespace platform
