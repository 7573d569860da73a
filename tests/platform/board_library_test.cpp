#include "platform/board_library.h"
#include "support/standin_board.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

using namespace platform;
using testsupport::StandInBoard;

namespace {

// What a program writes on standard error while it opens its board.
struct ErrorStream {
  ErrorStream() : file(open_memstream(&buffer, &size)) {}
  ~ErrorStream() {
    if (file) std::fclose(file);
    std::free(buffer);
  }
  QString text() {
    std::fflush(file);
    return QString::fromLocal8Bit(buffer, static_cast<qsizetype>(size));
  }
  char* buffer = nullptr;
  size_t size = 0;
  std::FILE* file;
};

struct ProgramFolder {
  QTemporaryDir dir;
  QString path() const { return dir.path() + QStringLiteral("/"); }
};

}  // namespace

TEST(BoardLibrary, TheProgramFoldersLibraryGetsEveryCallWithItsArguments) {
  ProgramFolder folder;
  ASSERT_TRUE(testsupport::placeStandInBoard(testsupport::builtStandInBoard(), folder.path()));
  ErrorStream err;
  std::unique_ptr<Board> board = openBoard(boardLibraryPlaces(folder.path()), QStringLiteral("pelmora"), err.file);
  auto* library = dynamic_cast<LibraryBoard*>(board.get());
  ASSERT_NE(library, nullptr);
  EXPECT_EQ(library->path(), folder.path() + "hidmon.so");
  EXPECT_EQ(err.text(), "");
  StandInBoard standIn(library->path());
  ASSERT_TRUE(standIn.loaded());

  // "*" is asked only after "#" answered exactly -1; the handles it gives go
  // back unchanged.
  standIn.setInit("#", -1);
  standIn.setInit("*", 3);
  BoardLink link(*board);
  EXPECT_EQ(link.detect(), 3);
  EXPECT_EQ(link.variant(), BoardLink::Variant::Hidaspx);
  link.writePortB(255, 0x81);
  standIn.setRegister(103, 0x5A);
  EXPECT_EQ(link.readPinb(), 0x5A);
  link.exit();
  EXPECT_EQ(standIn.calls(), (QStringList{"UsbInit(#)=-1", "UsbInit(*)=3", "PortAddress(ddrb)=101",
                                          "PortAddress(portb)=102", "PortAddress(pinb)=103", "PortAddress(pind)=104",
                                          "UsbPoke(101,0,255,0)", "UsbPoke(102,0,129,0)", "UsbPeek(103,0)=90",
                                          "UsbExit()"}));

  standIn.clear();
  standIn.setInit("#", -2);
  EXPECT_EQ(link.detect(), -2);
  EXPECT_EQ(standIn.calls(), (QStringList{"UsbInit(#)=-2"}));
  standIn.clear();
  standIn.setInit("#", 0);
  EXPECT_EQ(link.detect(), 0);
  EXPECT_EQ(link.variant(), BoardLink::Variant::HidaspxP);
  EXPECT_EQ(standIn.calls().first(), "UsbInit(#)=0");
  EXPECT_EQ(standIn.calls().size(), 5);
}

TEST(BoardLibrary, ALibraryLackingAFunctionIsNotUsedAndTheNextPlaceIsTried) {
  ProgramFolder folder;
  ASSERT_TRUE(testsupport::placeStandInBoard(testsupport::builtStandInBoardWithoutPoke(), folder.path()));
  QTemporaryDir system;
  const QString systemCopy = system.path() + "/libhidmon.so";
  ASSERT_TRUE(QFile::copy(testsupport::builtStandInBoard(), systemCopy));
  const QString own = folder.path() + "hidmon.so";

  BoardLibraryLoad load = loadBoardLibrary({own, systemCopy});
  ASSERT_TRUE(load.board);
  EXPECT_EQ(load.board->path(), systemCopy);
  ASSERT_EQ(load.failures.size(), 1);
  EXPECT_TRUE(load.failures[0].startsWith(own + ": ")) << load.failures[0].toStdString();
  EXPECT_TRUE(load.failures[0].contains("UsbPoke")) << load.failures[0].toStdString();
}

TEST(BoardLibrary, WithoutAUsableLibraryNoBoardAndOneLineNamingEachPlace) {
  {
    ProgramFolder folder;
    ErrorStream err;
    std::unique_ptr<Board> board = openBoard(boardLibraryPlaces(folder.path()), QStringLiteral("bremilo"), err.file);
    EXPECT_NE(dynamic_cast<NoBoard*>(board.get()), nullptr);
    EXPECT_EQ(err.text(), "bremilo: no board library, running without a board (tried " + folder.path() +
                              "hidmon.so: cannot open shared object file: No such file or directory; "
                              "libhidmon.so: cannot open shared object file: No such file or directory)\n");
  }
  {
    ProgramFolder folder;
    ASSERT_TRUE(testsupport::placeStandInBoard(testsupport::builtStandInBoardWithoutPoke(), folder.path()));
    ErrorStream err;
    std::unique_ptr<Board> board = openBoard(boardLibraryPlaces(folder.path()), QStringLiteral("pelmora"), err.file);
    EXPECT_NE(dynamic_cast<NoBoard*>(board.get()), nullptr);
    const QString line = err.text();
    EXPECT_EQ(line.count('\n'), 1);
    EXPECT_TRUE(line.contains(folder.path() + "hidmon.so: ")) << line.toStdString();
    EXPECT_TRUE(line.contains("undefined symbol: UsbPoke")) << line.toStdString();
    EXPECT_TRUE(line.contains("; libhidmon.so: ")) << line.toStdString();
    BoardLink link(*board);
    EXPECT_EQ(link.detect(), -1);
    EXPECT_EQ(link.statusText(), kLinkCaution);
  }
}
