#include "platform/textfile.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/types.h>

using namespace platform;

TEST(Cp932, EncodesJapaneseBackslashAndHalfWidthKatakana) {
  auto bytes = cp932::encode(QStringLiteral("出力\\ｱ~"));
  ASSERT_TRUE(bytes);
  EXPECT_EQ(*bytes, QByteArray("\x8f\x6f\x97\xcd\x5c\xb1\x7e"));
  EXPECT_EQ(cp932::decode(*bytes), QStringLiteral("出力\\ｱ~"));
  // Characters only code page 932 has (NEC and IBM extensions).
  auto ext = cp932::encode(QStringLiteral("①髙"));
  ASSERT_TRUE(ext);
  EXPECT_EQ(cp932::decode(*ext), QStringLiteral("①髙"));
}

TEST(Cp932, RefusesWhatItCannotHoldAndMarksBadBytes) {
  EXPECT_FALSE(cp932::encode(QStringLiteral("abc😀")));
  EXPECT_EQ(cp932::firstUnencodable(QStringLiteral("aé")), QChar(0xE9));
  EXPECT_FALSE(cp932::firstUnencodable(QStringLiteral("あいう")));
  // A lone lead byte at the end and an undefined byte.
  EXPECT_EQ(cp932::decode(QByteArray("A\x82")), QStringLiteral("A\uFFFD"));
  EXPECT_EQ(cp932::decode(QByteArray("\xa0" "B")).right(1), QStringLiteral("B"));
  // Control bytes pass unchanged.
  EXPECT_EQ(cp932::decode(QByteArray("\x1a\x1c\x7f")), QString::fromLatin1("\x1a\x1c\x7f"));
}

TEST(Cp932, KanjiAtBothEndsOfBothLeadByteRangesReadBackWhole) {
  // First and last lead byte of 0x81-0x9F and 0xE0-0xFC, each with a low and
  // a high trail byte.
  const QByteArray bytes("\x81\x40\x81\xfc\x9f\x40\x9f\xfc\xe0\x40\xe0\xfc\xfc\x40\xfc\x4b");
  const QString text = QStringLiteral("\u3000◯檗滌漾珱髜黑");
  EXPECT_EQ(cp932::decode(bytes), text);
  EXPECT_EQ(cp932::encode(text), bytes);

  QTemporaryDir dir;
  const QString path = dir.filePath("edges.txt");
  ASSERT_TRUE(textfile::writeLines(path, {text, QStringLiteral("檗")}));
  EXPECT_EQ(*textfile::readRawLines(path), (QList<QByteArray>{bytes, "\x9f\x40"}));
  EXPECT_EQ(*textfile::readLines(path), (QStringList{text, QStringLiteral("檗")}));
}

TEST(TextLines, SplitsEveryLineEndAndJoinsWithCrLf) {
  EXPECT_EQ(splitLines("a\r\nb\nc\rd"), (QList<QByteArray>{"a", "b", "c", "d"}));
  EXPECT_EQ(splitLines("a\r\n\r\nb\r\n"), (QList<QByteArray>{"a", "", "b"}));
  EXPECT_EQ(splitLines("\r\n"), (QList<QByteArray>{""}));
  EXPECT_TRUE(splitLines("").isEmpty());
  EXPECT_EQ(joinLines({"a", "", "b"}), QByteArray("a\r\n\r\nb\r\n"));
}

TEST(TextFile, WritesAtomicallyAndReportsFailures) {
  QTemporaryDir dir;
  const QString path = dir.filePath("x.txt");
  ASSERT_TRUE(textfile::writeLines(path, {QStringLiteral("一"), QStringLiteral("2")}));
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(f.readAll(), QByteArray("\x88\xea\r\n2\r\n"));
  f.close();
  EXPECT_EQ(*textfile::readLines(path), (QStringList{QStringLiteral("一"), QStringLiteral("2")}));

  // An unencodable line is refused and the old file stays whole.
  auto bad = textfile::writeLines(path, {QStringLiteral("ok"), QStringLiteral("x😀")});
  EXPECT_FALSE(bad.ok);
  EXPECT_TRUE(bad.error.contains(QStringLiteral("2行目")));
  EXPECT_EQ(*textfile::readLines(path), (QStringList{QStringLiteral("一"), QStringLiteral("2")}));

  // The replaced file's permissions stay; a new file gets the usual ones.
  const auto kept = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadUser | QFile::WriteUser;
  ASSERT_TRUE(QFile::setPermissions(path, kept));
  ASSERT_TRUE(textfile::writeLines(path, {QStringLiteral("3")}));
  EXPECT_EQ(QFile::permissions(path), kept);
  const mode_t mask = ::umask(022);
  ASSERT_TRUE(textfile::writeLines(dir.filePath("new.txt"), {QStringLiteral("3")}));
  ::umask(mask);
  EXPECT_EQ(QFile::permissions(dir.filePath("new.txt")), kept | QFile::ReadOther);

  auto missingDir = textfile::writeLines(dir.filePath("nowhere/x.txt"), {QStringLiteral("a")});
  EXPECT_FALSE(missingDir.ok);
  EXPECT_FALSE(missingDir.error.isEmpty());
  EXPECT_FALSE(textfile::readLines(dir.filePath("missing.txt")));
  // A FIFO is no file to read: it would wait for a writer forever.
  ASSERT_EQ(::mkfifo(QFile::encodeName(dir.filePath("fifo.ini")).constData(), 0666), 0);
  EXPECT_FALSE(textfile::readLines(dir.filePath("fifo.ini")));
}
