#include "control/shell/settings.h"

#include <gtest/gtest.h>

using namespace pelmora;

namespace {
QStringList fullFile() {
  QStringList l{"100", "200", "1", "2", "1"};
  for (int i = 3; i <= 16; ++i) l << QString::number(i * 10);
  l << "1000" << "1" << "0";
  return l;
}
}  // namespace

TEST(Settings, ReadsAllTwentyTwoLinesAndWritesThemBack) {
  MenuSettings s;
  EXPECT_EQ(SettingsReader::read(fullFile(), s), 0);
  EXPECT_EQ(s.top, 100);
  EXPECT_EQ(s.positions[1], 100);
  EXPECT_EQ(s.positions[2], 200);
  EXPECT_TRUE(s.maikon);
  EXPECT_EQ(s.circuit, 2);
  EXPECT_TRUE(s.dialog);
  EXPECT_EQ(s.positions[3], 30);
  EXPECT_EQ(s.positions[16], 160);
  EXPECT_EQ(s.edit2, "1000");
  EXPECT_TRUE(s.douji);
  EXPECT_FALSE(s.syokisettei);
  EXPECT_EQ(formatSettings(s), fullFile());
}

TEST(Settings, KeepsDefaultsForUnknownCircuitsAndShortTimes) {
  QStringList lines = fullFile();
  lines[3] = "9";
  lines[19] = "500";
  lines[2] = "yes";
  MenuSettings s;
  EXPECT_EQ(SettingsReader::read(lines, s), 0);
  EXPECT_EQ(s.circuit, 1);
  EXPECT_EQ(s.edit2, "60000");
  EXPECT_FALSE(s.maikon);

  // A non-numeric allowed time is saved as 60000.
  s.edit2 = "Edit2";
  EXPECT_EQ(formatSettings(s)[19], "60000");
  s.edit2 = "abc";
  EXPECT_EQ(formatSettings(s).size(), 22);
  EXPECT_EQ(formatSettings(s)[19], "60000");
}

TEST(Settings, StopsAtAMalformedOrMissingLineKeepingWhatCameBefore) {
  QStringList lines = fullFile();
  lines[19] = "abc";
  MenuSettings s;
  int applied = 0;
  EXPECT_EQ(SettingsReader::read(lines, s, &applied), 20);
  EXPECT_EQ(applied, 19);
  EXPECT_EQ(s.positions[16], 160);
  EXPECT_EQ(s.edit2, "Edit2");
  EXPECT_FALSE(s.douji);

  MenuSettings shortFile;
  EXPECT_EQ(SettingsReader::read(fullFile().mid(0, 7), shortFile), 8);
  EXPECT_EQ(shortFile.positions[4], 40);
  EXPECT_EQ(shortFile.positions[5], 0);

  EXPECT_EQ(parseInt(" -12"), std::optional<qint32>(-12));
  EXPECT_FALSE(parseInt("1e3"));
  EXPECT_FALSE(parseInt("99999999999"));
}
