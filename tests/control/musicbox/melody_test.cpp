#include "control/musicbox/melody.h"
#include "control/musicbox/melody_file.h"

#include <gtest/gtest.h>

using namespace pelmora::musicbox;

namespace {

const QString kC = QStringLiteral("\"_C_16\"");

DataLines linesOf(std::initializer_list<QString> first) {
  DataLines lines;
  int i = 0;
  for (const QString& l : first) lines[static_cast<size_t>(i++)] = l;
  return lines;
}

QString codes(int n, const QString& code = QStringLiteral("\"_C_16\"")) {
  QStringList l;
  for (int i = 0; i < n; ++i) l << code;
  return l.join(',');
}

}  // namespace

TEST(MelodyCompose, BuildsTheCodeAndItsReadableForm) {
  const Composed c = compose(naturalSlot(1, 1), kDefaultLength, kDefaultTempo);
  EXPECT_EQ(c.edit1, " C 16");
  EXPECT_EQ(c.edit131, " C (ド)４分");
  EXPECT_EQ(c.edit2, "data 120");
  EXPECT_EQ(codeFromEdit(c.edit1), "_C_16");

  EXPECT_EQ(compose(flatSlot(2, 7), 8, 7).edit1, "+Bb06");
  EXPECT_EQ(compose(sharpSlot(0, 4), 12, 1).edit1, "-F#01");
  EXPECT_EQ(compose(kRestSlot, 1, 4).edit1, " K 64");
  EXPECT_EQ(compose(kRestSlot, 2, 4).edit131, " K (休符)付点2分");
  EXPECT_EQ(compose(naturalSlot(0, 4), 8, 4).edit131, "-F (ファ)付点16分");

  // The placeholders for E#, B#, Cb and Fb and slots 64, 65 never show.
  for (int slot : {24, 28, 31, 35, 38, 42, 43, 46, 50, 53, 57, 60, 64, 65}) EXPECT_FALSE(noteSlotVisible(slot)) << slot;
  int visible = 0;
  for (int slot = 1; slot <= kNoteSlots; ++slot) visible += noteSlotVisible(slot) ? 1 : 0;
  EXPECT_EQ(visible, 21 + 15 + 15 + 1);
}

TEST(MelodyAppend, TenCodesFillALineAndTheEleventhStartsTheNext) {
  DataLines lines;
  lines[0] = " ";
  int cur = 1;
  for (int i = 0; i < 10; ++i) {
    const AppendResult r = appendCode(lines, cur, "_C_16");
    EXPECT_TRUE(r.appended);
    EXPECT_FALSE(r.showFull);
  }
  EXPECT_EQ(lines[0], "data " + codes(10));
  EXPECT_EQ(lines[0].size(), 84);
  EXPECT_EQ(cur, 2);
  appendCode(lines, cur, "_C_16");
  EXPECT_EQ(lines[1], "data " + kC);
  EXPECT_EQ(cur, 2);
}

TEST(MelodyAppend, ReplacesALineWithoutCodesButKeepsTrailingBlanks) {
  DataLines lines = linesOf({"data ", "data \"_C_16\"  ", "rubbish"});
  int cur = 1;
  appendCode(lines, cur, "_D_08");
  EXPECT_EQ(lines[0], "data \"_D_08\"");
  cur = 2;
  appendCode(lines, cur, "_D_08");
  EXPECT_EQ(lines[1], "data \"_C_16\",\"_D_08\"");
  cur = 3;
  appendCode(lines, cur, "_D_08");
  EXPECT_EQ(lines[2], "data \"_D_08\"");
}

TEST(MelodyAppend, TheLastLineRefusesOnceFull) {
  DataLines lines;
  lines[12] = "data " + codes(9);
  int cur = 13;
  AppendResult r = appendCode(lines, cur, "_C_16");
  EXPECT_TRUE(r.appended);
  EXPECT_TRUE(r.showFull);
  EXPECT_EQ(cur, 13);
  const QString full = lines[12];
  r = appendCode(lines, cur, "_D_16");
  EXPECT_FALSE(r.appended);
  EXPECT_TRUE(r.showFull);
  EXPECT_EQ(lines[12], full);

  // Full means 78 characters or more, the 78th included.
  lines[12] = "data   " + codes(9);
  ASSERT_EQ(lines[12].size(), 78);
  r = appendCode(lines, cur, "_D_16");
  EXPECT_FALSE(r.appended);
  EXPECT_TRUE(r.showFull);
  EXPECT_EQ(lines[12].size(), 78);
  lines[12] = "data  " + codes(9);
  r = appendCode(lines, cur, "_D_16");
  EXPECT_TRUE(r.appended);
  EXPECT_TRUE(r.showFull);
  EXPECT_EQ(lines[12], "data  " + codes(9) + ",\"_D_16\"");

  // A line that reaches exactly 78 moves the current line on; 77 does not.
  lines[11] = "data   " + codes(8);
  cur = 12;
  r = appendCode(lines, cur, "_C_16");
  EXPECT_EQ(lines[11].size(), 78);
  EXPECT_EQ(cur, 13);
  EXPECT_FALSE(r.showFull);
  lines[11] = "data  " + codes(8);
  cur = 12;
  appendCode(lines, cur, "_C_16");
  EXPECT_EQ(lines[11].size(), 77);
  EXPECT_EQ(cur, 12);
}

TEST(MelodyKeys, KeySignatureChoosesSharpsAndFlats) {
  KeySignature key{};
  // No signature: naturals, white keys naturals, black keys sharps.
  EXPECT_EQ(solfegeSlot(1, key), 1);
  EXPECT_EQ(solfegeSlot(21, key), 21);
  EXPECT_EQ(whiteKeySlot(9), 1);
  EXPECT_EQ(whiteKeySlot(29), 21);
  EXPECT_EQ(blackKeySlot(30, key), 22);  // low C#
  EXPECT_EQ(blackKeySlot(44, key), 41);  // high A#

  key[2] = true;  // C#
  EXPECT_EQ(compose(solfegeSlot(1, key), 5, 5).edit1, "-C#16");
  EXPECT_EQ(compose(solfegeSlot(8, key), 5, 5).edit1, " C#16");
  EXPECT_EQ(compose(solfegeSlot(15, key), 5, 5).edit1, "+C#16");
  EXPECT_EQ(whiteKeySlot(9), 1);

  key = {};
  key[4] = true;  // D#
  key[7] = true;  // Db
  EXPECT_EQ(compose(solfegeSlot(9, key), 5, 5).edit1, " D#16");
  EXPECT_EQ(compose(blackKeySlot(35, key), 5, 5).edit1, " Db16");

  key = {};
  key[5] = true;  // Bb
  EXPECT_EQ(compose(solfegeSlot(14, key), 5, 5).edit1, " Bb16");
  EXPECT_EQ(compose(blackKeySlot(39, key), 5, 5).edit1, " Bb16");
  EXPECT_EQ(compose(solfegeSlot(13, key), 5, 5).edit1, " A 16");

  EXPECT_EQ(restButtonLength(33), 1);
  EXPECT_EQ(restButtonLength(35), 5);
  EXPECT_EQ(restButtonLength(37), 9);
}

TEST(MelodyKeys, ColoursMarkTheNotesOfTheKey) {
  KeySignature key{};
  auto yellow = keyColours(key);
  for (int s = 1; s <= 21; ++s) EXPECT_TRUE(yellow[static_cast<size_t>(s)]);
  for (int s = 22; s <= 66; ++s) EXPECT_FALSE(yellow[static_cast<size_t>(s)]);

  key[1] = true;   // F#
  key[10] = true;  // A#
  key[8] = true;   // Ab: A's naturals stay white, both alterations yellow
  yellow = keyColours(key);
  for (int s : {4, 11, 18, 6, 13, 20}) EXPECT_FALSE(yellow[static_cast<size_t>(s)]) << s;
  for (int s : {25, 32, 39, 27, 34, 41, 48, 55, 62, 1, 5}) EXPECT_TRUE(yellow[static_cast<size_t>(s)]) << s;
}

TEST(MelodyLines, MoveDownInsertsAnEmptyLineAndRefusesToPushNotesOut) {
  DataLines lines;
  for (int i = 0; i < 12; ++i) lines[static_cast<size_t>(i)] = QStringLiteral("data \"_C_%1\"").arg(i + 10);
  ASSERT_TRUE(insertEmptyLine(lines, 3));
  EXPECT_EQ(lines[1], "data \"_C_11\"");
  EXPECT_TRUE(lines[2].isEmpty());
  EXPECT_EQ(lines[3], "data \"_C_12\"");
  EXPECT_EQ(lines[12], "data \"_C_21\"");

  const DataLines before = lines;
  EXPECT_FALSE(insertEmptyLine(lines, 1));
  EXPECT_EQ(lines, before);
  EXPECT_FALSE(insertEmptyLine(lines, 13));

  // A bare "data " on line 13 holds nothing and may go.
  lines[12] = "data ";
  EXPECT_TRUE(insertEmptyLine(lines, 13));
  EXPECT_TRUE(lines[12].isEmpty());
}

TEST(MelodyLines, TidyMergesNeighboursAndReflowsAtCodeBoundaries) {
  DataLines lines = linesOf({"data \"_C_16\"", "data \"_D_16\""});
  tidy(lines);
  EXPECT_EQ(lines[0], "data \"_C_16\",\"_D_16\"");
  EXPECT_TRUE(lines[1].isEmpty());

  lines = linesOf({"data \"_C_16\"", "", "data \"_D_16\""});
  tidy(lines);
  EXPECT_EQ(lines[0], "data \"_C_16\"");
  EXPECT_EQ(lines[1], "data \"_D_16\"");
  EXPECT_TRUE(lines[2].isEmpty());

  // Seven and six codes: line 1 topped up to ten, three move on.
  lines = linesOf({"data " + codes(7), "data " + codes(6, "\"_E_08\"")});
  tidy(lines);
  EXPECT_EQ(lines[0], "data " + codes(7) + "," + codes(3, "\"_E_08\""));
  EXPECT_EQ(lines[1], "data " + codes(3, "\"_E_08\""));

  // Codes the pupil typed with blanks: the split never cuts one in two.
  QStringList spaced;
  for (int i = 0; i < 10; ++i) spaced << QStringLiteral("\"_C_%1\"").arg(i + 10);
  lines = linesOf({"data " + spaced.join(", ")});
  tidy(lines);
  EXPECT_EQ(lines[0], "data " + spaced.mid(0, 9).join(", "));
  EXPECT_EQ(lines[1], "data \"_C_19\"");

  // A bare "data " leaves no stray comma behind.
  lines = linesOf({"data ", "data \"_C_16\""});
  tidy(lines);
  EXPECT_EQ(lines[0], "data \"_C_16\"");
  EXPECT_TRUE(lines[1].isEmpty());
}

TEST(MelodyFile, WritesLinesWithNotesAndReadsThemBackPacked) {
  DataLines lines = linesOf({"data \"_C_16\"", "", "data \"_E_16\"", "data "});
  const QStringList file = melodyFileLines("data 132", lines);
  EXPECT_EQ(file, (QStringList{"data 132", "data \"_C_16\"", "data \"_E_16\""}));

  const MelodyFileContent back = readMelodyFile(file);
  EXPECT_EQ(back.tempoLine, "data 132");
  EXPECT_EQ(back.lines[0], "data \"_C_16\"");
  EXPECT_EQ(back.lines[1], "data \"_E_16\"");
  for (int i = 2; i < kLineCount; ++i) EXPECT_TRUE(back.lines[static_cast<size_t>(i)].isEmpty());
  EXPECT_FALSE(back.cut);

  const MelodyFileContent tempoOnly = readMelodyFile({"data 90"});
  EXPECT_EQ(tempoOnly.tempoLine, "data 90");
  for (const QString& l : tempoOnly.lines) EXPECT_TRUE(l.isEmpty());
  EXPECT_EQ(readMelodyFile({}).tempoLine, "");

  QStringList longFile{"data 120"};
  for (int i = 1; i <= 15; ++i) longFile << QStringLiteral("data \"_C_%1\"").arg(i, 2, 10, QLatin1Char('0'));
  const MelodyFileContent cut = readMelodyFile(longFile);
  EXPECT_TRUE(cut.cut);
  EXPECT_EQ(cut.lines[12], "data \"_C_13\"");
}
