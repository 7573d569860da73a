#include "control/experiments/binary_breakdown.h"
#include "control/experiments/number_entry.h"
#include "platform/prompts.h"

#include <gtest/gtest.h>

using namespace pelmora::experiments;

namespace {

QString digits(const BinaryBreakdown& b) {
  QString s;
  for (int k = 7; k >= 0; --k) s += b.digit[k] ? QLatin1Char('1') : QLatin1Char('0');
  return s;
}

QList<int> halving(const BinaryBreakdown& b) {
  QList<int> out;
  for (int k = 7; k >= 0; --k) out << b.halving[k];
  return out;
}

QString shownRemainders(const BinaryBreakdown& b) {
  QString s;
  for (int k = 7; k >= 0; --k) s += b.remainderShown[k] ? QLatin1Char('x') : QLatin1Char('.');
  return s;
}

}  // namespace

TEST(BinaryBreakdown, BreaksTheByteDownThreeWays) {
  struct Case {
    int n;
    QString digits, high, low, whole;
    QList<int> halving;
    QString remainders;  // bit 7 first
  };
  const QList<Case> cases{
      {0, "00000000", "&H0", "&H0", "&H00", {0, 0, 0, 0, 0, 0, 0, 0}, ".......x"},
      {1, "00000001", "&H0", "&H1", "&H01", {1, 0, 0, 0, 0, 0, 0, 0}, ".......x"},
      {15, "00001111", "&H0", "&HF", "&H0F", {15, 7, 3, 1, 0, 0, 0, 0}, "....xxxx"},
      {16, "00010000", "&H1", "&H0", "&H10", {16, 8, 4, 2, 1, 0, 0, 0}, "...xxxxx"},
      {127, "01111111", "&H7", "&HF", "&H7F", {127, 63, 31, 15, 7, 3, 1, 0}, ".xxxxxxx"},
      {128, "10000000", "&H8", "&H0", "&H80", {128, 64, 32, 16, 8, 4, 2, 1}, "xxxxxxxx"},
      {200, "11001000", "&HC", "&H8", "&HC8", {200, 100, 50, 25, 12, 6, 3, 1}, "xxxxxxxx"},
      {255, "11111111", "&HF", "&HF", "&HFF", {255, 127, 63, 31, 15, 7, 3, 1}, "xxxxxxxx"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.n);
    const BinaryBreakdown b = breakDown(c.n);
    EXPECT_EQ(b.n, c.n);
    EXPECT_EQ(digits(b), c.digits);
    EXPECT_EQ(b.highHex, c.high);
    EXPECT_EQ(b.lowHex, c.low);
    EXPECT_EQ(b.wholeHex, c.whole);
    EXPECT_EQ(halving(b), c.halving);
    EXPECT_EQ(shownRemainders(b), c.remainders);
    int high = 0, low = 0;
    for (int k = 0; k < 4; ++k) low += b.nibbleWeight[k];
    for (int k = 4; k < 8; ++k) high += b.nibbleWeight[k];
    EXPECT_EQ(low, b.lowNibble);
    EXPECT_EQ(high, b.highNibble);
  }
  EXPECT_EQ(breakDown(200).nibbleWeight, (std::array<int, 8>{0, 0, 0, 8, 0, 0, 4, 8}));
}

TEST(BinaryBreakdown, ClampsOutOfRangeNumbersSoNoNegativeHexIsShown) {
  EXPECT_EQ(breakDown(300).n, 255);
  EXPECT_EQ(breakDown(300).wholeHex, "&HFF");
  EXPECT_EQ(breakDown(-4).n, 0);
  EXPECT_EQ(breakDown(-4).wholeHex, "&H00");
  EXPECT_EQ(breakDown(std::numeric_limits<int>::min()).halving[7], 0);
}

TEST(NumberEntry, TakesWholeNumbersAndReportsAnythingElseOnce) {
  platform::ScriptedPrompts prompts;
  EXPECT_EQ(numberFromEdit("255", prompts), 255);
  EXPECT_EQ(numberFromEdit(" -1 ", prompts), -1);
  EXPECT_EQ(numberFromEdit("+7", prompts), 7);
  EXPECT_TRUE(prompts.texts().isEmpty());
  for (const QString& bad : {QString("abc"), QString(""), QString("1.5"), QString("12a"), QString("-"),
                             QString("99999999999"), QString("0x10")}) {
    prompts.clear();
    EXPECT_FALSE(numberFromEdit(bad, prompts)) << bad.toStdString();
    EXPECT_EQ(prompts.texts(), QStringList{"「" + bad + "」は数値ではありません！"});
  }
}

TEST(LevelText, ShowsABitAsAFullWidthDigit) {
  EXPECT_EQ(levelText(0xC3, 6), "１");
  EXPECT_EQ(levelText(0xC3, 5), "０");
  EXPECT_EQ(levelText(0xC3, 0), "１");
}
