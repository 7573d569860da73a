#include "control/signboard/lcd_palette.h"
#include "control/signboard/sign_design.h"
#include "platform/textfile.h"

#include <QSet>

#include <gtest/gtest.h>

using namespace signboard;

namespace {

QByteArray sjis(const char* utf8) { return *platform::cp932::encode(QString::fromUtf8(utf8)); }

}  // namespace

TEST(Palette, KeysCarryTheControllerCodesAndCaptions) {
  EXPECT_EQ(keyHex(1), "20");
  EXPECT_EQ(keyCaption(1), " ");
  EXPECT_EQ(keyHex(34), "41");
  EXPECT_EQ(keyCaption(34), "A");
  EXPECT_EQ(keyCaption(61), "\\");
  EXPECT_EQ(keyHex(61), "5C");
  EXPECT_EQ(keyCaption(7), "&&");
  EXPECT_EQ(keyHex(7), "26");
  EXPECT_EQ(keyHex(96), "7F");
  EXPECT_EQ(keyCaption(97), "");
  EXPECT_EQ(keyHex(97), "A0");
  EXPECT_EQ(keyCaption(98), sjis("｡"));
  EXPECT_EQ(keyCaption(114), sjis("ｱ"));
  EXPECT_EQ(keyCaption(114).size(), 1);
  EXPECT_EQ(keyHex(114), "B1");
  EXPECT_EQ(keyCaption(160), sjis("ﾟ"));
  EXPECT_EQ(keyHex(160), "DF");
  EXPECT_EQ(keyCaption(161), "G0");
  EXPECT_EQ(keyHex(161), "0");
  EXPECT_EQ(keyCaption(168), "G7");
  EXPECT_EQ(keyHex(168), "7");

  // Lookups used by the generator.
  EXPECT_EQ(findKey("A"), 34);
  EXPECT_EQ(findKey(sjis("ｱ")), 114);
  EXPECT_EQ(findKey("G3"), 164);
  EXPECT_EQ(findKey("&&"), 7);
  EXPECT_EQ(findKey("&"), 0);
  EXPECT_EQ(findKey("g3"), 0);
  EXPECT_EQ(findKey(""), 0);

  // Every key but the empty one has a caption of its own, so each cell
  // finds exactly the key that wrote it.
  QSet<QByteArray> seen;
  for (int k = 1; k <= kKeyCount; ++k) {
    if (k == 97) continue;
    const QByteArray c = keyCaption(k);
    EXPECT_FALSE(c.isEmpty()) << k;
    EXPECT_FALSE(seen.contains(c)) << k;
    seen.insert(c);
    EXPECT_EQ(findKey(c), k);
    EXPECT_LE(c.size(), 2) << k;
  }
  // The half-width katakana keys hold exactly their code as one byte.
  for (int k = 98; k <= 160; ++k) EXPECT_EQ(static_cast<unsigned char>(keyCaption(k)[0]), keyCode(k)) << k;
}

TEST(Design, CursorWrapsAndTypingOverwrites) {
  SignDesign d;
  EXPECT_EQ(d.cursor(), 1);
  d.placeCursor(40);
  d.typeKey(34);
  EXPECT_EQ(d.cell(40), "A");
  EXPECT_EQ(d.cursor(), 41);
  d.placeCursor(80);
  d.typeKey(161);
  EXPECT_EQ(d.cell(80), "G0");
  EXPECT_EQ(d.cursor(), 1);
  d.typeKey(1);
  EXPECT_EQ(d.cell(1), " ");
  d.placeCursor(40);
  d.typeKey(97);  // the empty key empties the cell and moves on
  EXPECT_EQ(d.cell(40), "");
  EXPECT_EQ(d.cursor(), 41);
  d.placeCursor(0);
  d.placeCursor(81);
  EXPECT_EQ(d.cursor(), 41);
}

TEST(Design, ConditionsStoreAndShowMessagesByTheSwitchWeights) {
  EXPECT_EQ(conditionOf(false, false, false), 0);
  EXPECT_EQ(conditionOf(true, false, false), 1);
  EXPECT_EQ(conditionOf(false, true, false), 2);
  EXPECT_EQ(conditionOf(false, false, true), 4);
  EXPECT_EQ(conditionOf(true, true, true), 7);

  SignDesign d;
  d.typeKey(34);   // A
  d.typeKey(164);  // G3
  d.typeKey(1);    // a blank: lost on packing
  d.typeKey(7);    // &&
  d.jouken(1);
  EXPECT_EQ(d.condition(), 1);
  const QByteArray m0 = d.message(0);
  ASSERT_EQ(m0.size(), 160);
  EXPECT_EQ(m0.left(8), " AG3  &&");
  EXPECT_EQ(m0.mid(8), QByteArray(152, ' '));
  for (int i = 1; i <= 80; ++i) EXPECT_EQ(d.cell(i), "") << i;  // never stored: empty
  EXPECT_EQ(d.cursor(), 5);  // switching never moves the cursor

  d.setCell(80, "Z");
  d.jouken(0);
  EXPECT_EQ(d.cell(1), "A");
  EXPECT_EQ(d.cell(2), "G3");
  EXPECT_EQ(d.cell(3), "");
  EXPECT_EQ(d.cell(4), "&&");
  EXPECT_EQ(messageCell(d.message(1), 80), "Z");

  // Storing without a switch reads the same message back.
  d.jouken(0);
  EXPECT_EQ(d.message(0), m0);

  // 削除 touches the cells only; 全削除 every message as well.
  d.clearCells();
  EXPECT_EQ(d.cell(1), "");
  EXPECT_EQ(d.message(1).size(), 160);
  d.jouken(1);
  EXPECT_EQ(d.cell(80), "Z");
  d.clearAll();
  for (int n = 0; n < 8; ++n) EXPECT_TRUE(d.message(n).isEmpty());
  EXPECT_EQ(d.cell(80), "");
  EXPECT_EQ(d.glyph(3), "3,31,31,31,31,31,31,31,31");

  // A short message reads as empty cells past its end.
  EXPECT_EQ(messageCell(" A", 1), "A");
  EXPECT_EQ(messageCell(" A", 2), "");
  EXPECT_EQ(messageCell(" A B", 80), "");
}

TEST(Glyph, EncodesRowsFromDots) {
  DotGrid g;
  EXPECT_EQ(g.definition(0), "0,31,31,31,31,31,31,31,31");
  g.fill(false);
  EXPECT_EQ(g.definition(5), "5,0,0,0,0,0,0,0,0");
  g.setDot(1, true);   // row 1, column 1
  g.setDot(40, true);  // row 8, column 5
  EXPECT_EQ(g.definition(2), "2,16,0,0,0,0,0,0,1");
  g.invert();
  EXPECT_EQ(g.definition(2), "2,15,31,31,31,31,31,31,30");
  g.invert();
  g.toggle(1);
  EXPECT_EQ(g.rowValue(1), 0);
}

TEST(Glyph, PaintsRowsGreedilyAndRefusesFieldsThatAreNoNumbers) {
  DotGrid g;
  EXPECT_FALSE(g.paint("3,0,10,31,10,31,10,0,0"));
  EXPECT_EQ(g.definition(3), "3,0,10,31,10,31,10,0,0");

  // Short lists repeat their last value.
  EXPECT_FALSE(g.paint("2,5"));
  EXPECT_EQ(g.definition(2), "2,5,5,5,5,5,5,5,5");
  EXPECT_FALSE(g.paint("2,1,2"));
  EXPECT_EQ(g.definition(2), "2,1,2,2,2,2,2,2,2");
  // 31 and more light a whole row, 32 included; negative values none.
  EXPECT_FALSE(g.paint("2,40,32,31,-1,-40,2147483647,-2147483648,7,99"));
  EXPECT_EQ(g.definition(2), "2,31,31,31,0,0,31,0,7");

  // A bad field changes nothing.
  const QByteArray before = g.definition(1);
  EXPECT_EQ(g.paint("1,3,x,4"), std::optional<QByteArray>("x"));
  EXPECT_EQ(g.paint(""), std::optional<QByteArray>(""));
  EXPECT_EQ(g.paint("1,3,"), std::optional<QByteArray>(""));
  EXPECT_EQ(g.paint("1,2147483648"), std::optional<QByteArray>("2147483648"));
  EXPECT_EQ(g.definition(1), before);

  EXPECT_TRUE(isGlyphDefinition("0,31,31,31,31,31,31,31,31"));
  EXPECT_TRUE(isGlyphDefinition("2,5"));
  EXPECT_TRUE(isGlyphDefinition("2,-5,40"));
  EXPECT_FALSE(isGlyphDefinition("2"));
  EXPECT_FALSE(isGlyphDefinition("2,"));
  EXPECT_FALSE(isGlyphDefinition("2, 5"));
  EXPECT_FALSE(isGlyphDefinition("2,1,1,1,1,1,1,1,1,1"));
  EXPECT_FALSE(isGlyphDefinition("a,1"));
  EXPECT_FALSE(isGlyphDefinition("-,1"));
}
