#include "companion/bremilo_settings.h"

#include <gtest/gtest.h>

using namespace bremilo;

TEST(BremiloSettings, RoundTripKeepsEveryEntryIncludingTheUnusedPair) {
  QStringList lines;
  for (int k = 1; k <= 18; ++k) lines << QString::number(k * 10 - 95);
  PositionTable table{};
  const auto r = readPositions(lines, table);
  EXPECT_EQ(r.stoppedAt, 0);
  EXPECT_EQ(r.linesRead, 18);
  EXPECT_EQ(table[5], -45);
  EXPECT_EQ(table[6], -35);
  EXPECT_EQ(table[0], 0);
  EXPECT_EQ(table[19], 0);
  EXPECT_EQ(formatPositions(table), lines);
  EXPECT_TRUE(settingsProblem(r, lines).isEmpty());
}

TEST(BremiloSettings, ShortOrMalformedFileKeepsTheLinesBeforeTheFault) {
  PositionTable table{};
  table[4] = 77;
  const QStringList shortFile{"10", "20", "30"};
  auto r = readPositions(shortFile, table);
  EXPECT_EQ(r.linesRead, 3);
  EXPECT_EQ(r.stoppedAt, 4);
  EXPECT_EQ(table[3], 30);
  EXPECT_EQ(table[4], 77);
  EXPECT_EQ(settingsProblem(r, shortFile), "bremelo_san.iniの4行目から後が有りません！");

  const QStringList bad{"1", "2", "3", "4", "x5", "6"};
  table = {};
  r = readPositions(bad, table);
  EXPECT_EQ(r.stoppedAt, 5);
  EXPECT_EQ(table[4], 4);
  EXPECT_EQ(table[6], 0);
  EXPECT_EQ(settingsProblem(r, bad), "bremelo_san.iniの5行目「x5」は数値ではありません！");

  // At most 40 characters are quoted, and a character made of a surrogate pair is never split.
  const QString x39(39, 'x');
  const QString pair = QString::fromUcs4(U"\U0001F600");
  const struct {
    QString line, quoted;
  } quotes[] = {{x39 + "y", x39 + "y"}, {x39 + "yz", x39 + "y…"}, {x39 + pair, x39 + "…"}};
  for (const auto& q : quotes) {
    QStringList l = bad;
    l[4] = q.line;
    EXPECT_EQ(settingsProblem(r, l), "bremelo_san.iniの5行目「" + q.quoted + "」は数値ではありません！");
  }
}

TEST(BremiloSettings, StrictIntegers) {
  EXPECT_EQ(parseInt("-12"), -12);
  EXPECT_EQ(parseInt(" 7 "), 7);
  EXPECT_EQ(parseInt("2147483647"), 2147483647);
  EXPECT_FALSE(parseInt("2147483648"));
  EXPECT_FALSE(parseInt(""));
  EXPECT_FALSE(parseInt("-"));
  EXPECT_FALSE(parseInt("1.5"));
  EXPECT_FALSE(parseInt("12a"));
}
