#include "control/musicbox/text_melody.h"

#include <gtest/gtest.h>

using namespace pelmora::musicbox;

namespace {

QStringList textMelody(const QString& tempo, int notes, const QString& note = QStringLiteral("O4C4")) {
  QStringList l{"melody", tempo};
  for (int i = 0; i < notes; ++i) l << note;
  return l;
}

}  // namespace

TEST(TextMelody, ConvertsNotesRestsAndTempo) {
  const TextMelody m = importTextMelody({"title", "tempo=132", "O4C4", "O4D+8.", "", "O5B-16", "R2", "O3A1"});
  ASSERT_TRUE(m.ok);
  EXPECT_EQ(m.tempoLine, "data 132");
  EXPECT_EQ(m.lines[0], "data \"_C_16\",\"_D#12\",\"+Bb04\",\"_K_32\",\"-A_64\"");
  for (int i = 1; i < kLineCount; ++i) EXPECT_TRUE(m.lines[static_cast<size_t>(i)].isEmpty());
  EXPECT_FALSE(m.cut);

  EXPECT_EQ(importTextMelody({"x", "=96"}).tempoLine, "data 96");
  EXPECT_EQ(importTextMelody({"x", "120"}).tempoLine, "data 120");
  // The text after "=" is taken as it stands.
  EXPECT_EQ(importTextMelody({"x", "tempo= 132 "}).tempoLine, "data  132 ");
  EXPECT_EQ(importTextMelody({"x", " 120 "}).tempoLine, "data  120 ");
  EXPECT_EQ(importTextMelody({"x", "t=1=2"}).tempoLine, "data 1=2");

  const std::pair<const char*, const char*> lengths[] = {
      {"O4C4", "_C_16"}, {"O4C8", "_C_08"}, {"O4C16", "_C_04"}, {"O4C4.", "_C_24"}, {"O4C8.", "_C_12"},
      {"O4C2.", "_C_48"}, {"O4C1", "_C_64"}, {"O4C64", "_C_01"}, {"O4C32.", "_C_03"}, {"O4C+8.", "_C#12"},
      {"R8", "_K_08"}, {"R64", "_K_01"}, {" O5G-2 ", "+Gb32"},
      // A dotted length n is 96 div n: a dotted whole is 96 64ths, a dotted
      // 64th rounds down to one.
      {"O4C1.", "_C_96"}, {"O3E-1.", "-Eb96"}, {"O4C64.", "_C_01"}, {"O4C16.", "_C_06"}};
  for (const auto& [line, code] : lengths) EXPECT_EQ(textMelodyCode(line).value_or("?"), code) << line;
}

TEST(TextMelody, FillsTenCodesALineUpToThirteenLines) {
  TextMelody m = importTextMelody(textMelody("=120", 25));
  ASSERT_TRUE(m.ok);
  EXPECT_EQ(m.lines[0].count("\"_C_16\""), 10);
  EXPECT_TRUE(m.lines[0].startsWith("data \"_C_16\","));
  EXPECT_EQ(m.lines[1].count("\"_C_16\""), 10);
  EXPECT_EQ(m.lines[2].count("\"_C_16\""), 5);
  EXPECT_TRUE(m.lines[3].isEmpty());

  m = importTextMelody(textMelody("=120", 10));
  EXPECT_EQ(m.lines[1], "data ");

  m = importTextMelody(textMelody("=120", 0));
  EXPECT_EQ(m.lines[0], "data ");

  m = importTextMelody(textMelody("=120", 130));
  ASSERT_TRUE(m.ok);
  EXPECT_FALSE(m.cut);
  for (const QString& l : m.lines) EXPECT_EQ(l.count("\"_C_16\""), 10);

  m = importTextMelody(textMelody("=120", 131, "O4D8"));
  ASSERT_TRUE(m.ok);
  EXPECT_TRUE(m.cut);
  for (const QString& l : m.lines) EXPECT_EQ(l.count("\"_D_08\""), 10);
}

TEST(TextMelody, AMalformedLineIsReportedWithItsNumberAndNothingTaken) {
  for (const char* bad : {"O4H4", "O4c4", "O6C4", "O2C4", "O4C0", "O4C3", "O4C128", "O4C", "O4C+", "R4.", "R0", "R",
                          "XR4", "O4C004", "O4C1..", "O4C.", "O4C4x", "C4", "O4C4 O4D4"}) {
    const TextMelody m = importTextMelody({"melody", "=120", "O4C4", "", bad, "O4D4"});
    EXPECT_FALSE(m.ok) << bad;
    EXPECT_EQ(m.errorLine, 5) << bad;
    EXPECT_EQ(m.errorText, bad);
  }
}

TEST(TextMelody, KindOfFileFollowsTheExtension) {
  EXPECT_TRUE(isTextMelodyFile("/home/a/song.EKM"));
  EXPECT_FALSE(isTextMelodyFile("/home/ekm/song.dat"));
  EXPECT_TRUE(isMelodyFile("/home/ekm/song.Dat"));
  EXPECT_FALSE(isMelodyFile("/home/data/song.txt"));
}
