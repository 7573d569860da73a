#include "control/signboard/sign_design.h"
#include "control/signboard/sign_file.h"
#include "platform/textfile.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace signboard;

namespace {

QByteArray message(const QByteArray& start) { return (start + QByteArray(160, ' ')).left(160); }

}  // namespace

TEST(SignFile, WritesSixteenLinesAndReadsThemBackByteForByte) {
  SignDesign d;
  d.typeKey(34);
  d.typeKey(118);  // ｵ, one byte
  d.typeKey(96);   // the key of code 0x7F, two bytes
  d.typeKey(7);
  d.setGlyph(4, "4,0,10,31,10,31,10,0,0");
  d.jouken(0);
  const QList<QByteArray> lines = signFileLines(d);
  ASSERT_EQ(lines.size(), 16);
  EXPECT_EQ(lines[0].size(), 160);
  for (int k = 1; k < 8; ++k) EXPECT_TRUE(lines[k].isEmpty()) << k;
  EXPECT_EQ(lines[8], "0,31,31,31,31,31,31,31,31");
  EXPECT_EQ(lines[12], "4,0,10,31,10,31,10,0,0");

  QTemporaryDir dir;
  const QString path = dir.filePath("lcd12_1.dat");
  ASSERT_TRUE(platform::textfile::writeRawLines(path, lines));
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  const QByteArray bytes = f.readAll();
  EXPECT_EQ(bytes.count("\r\n"), 16);

  SignDesign back;
  back.setMessage(3, message("x"));
  const auto content = parseSignFile(*platform::textfile::readRawLines(path));
  ASSERT_EQ(content.badLine, 0);
  applySignFile(back, content);
  EXPECT_EQ(back.cell(1), "A");
  EXPECT_EQ(back.cell(2), "\xB5");
  EXPECT_EQ(back.cell(4), "&&");
  EXPECT_TRUE(back.message(3).isEmpty());  // an empty line empties its slot
  EXPECT_EQ(signFileLines(back), lines);
  EXPECT_EQ(platform::joinLines(signFileLines(back)), bytes);
}

TEST(SignFile, ShortAndLongFilesKeepTheLinesInTheirPlaces) {
  QList<QByteArray> ten;
  for (int k = 0; k < 8; ++k) ten << message(" " + QByteArray::number(k));
  ten[3] = " 3\x81\xA9 B";  // trailing blanks stripped by an editor; an arrow in cell 2
  ten << "0,1,1,1,1,1,1,1,1" << "1,2,2,2,2,2,2,2,2";
  SignDesign d;
  d.setGlyph(5, "5,3");
  applySignFile(d, parseSignFile(ten));
  for (int n = 0; n < 8; ++n) EXPECT_EQ(messageCell(d.message(n), 1), QByteArray::number(n));
  EXPECT_EQ(messageCell(d.message(3), 2), "\x81\xA9");
  EXPECT_EQ(messageCell(d.message(3), 3), "B");
  EXPECT_EQ(messageCell(d.message(3), 4), "");
  EXPECT_EQ(d.cell(1), "0");  // the grid shows the current condition
  EXPECT_EQ(d.glyph(0), "0,1,1,1,1,1,1,1,1");
  EXPECT_EQ(d.glyph(1), "1,2,2,2,2,2,2,2,2");
  EXPECT_EQ(d.glyph(5), "5,3");  // no line for it: kept
  EXPECT_EQ(d.glyph(7), "7,31,31,31,31,31,31,31,31");

  QList<QByteArray> twenty = ten;
  for (int g = 2; g < 8; ++g) twenty << QByteArray::number(g) + ",0";
  twenty << "garbage" << "" << "more" << QByteArray(300, 'x');
  ASSERT_EQ(twenty.size(), 20);
  SignDesign e;
  const auto content = parseSignFile(twenty);
  EXPECT_EQ(content.badLine, 0);
  applySignFile(e, content);
  EXPECT_EQ(e.glyph(7), "7,0");
}

TEST(SignFile, RefusesMalformedLinesAndChangesNothing) {
  const QList<QByteArray> good{message(" A"), {}, {}, {}, {}, {}, {}, {}, "0,0"};
  {
    QList<QByteArray> bad = good;
    bad[1] = QByteArray(161, ' ');
    EXPECT_EQ(parseSignFile(bad).badLine, 2);
  }
  {
    QList<QByteArray> bad = good;
    bad << "1,x,3";
    SignDesign d;
    d.setMessage(0, message(" Z"));
    d.jouken2();
    const auto content = parseSignFile(bad);
    EXPECT_EQ(content.badLine, 10);
    applySignFile(d, content);
    EXPECT_EQ(d.cell(1), "Z");
    EXPECT_EQ(d.glyph(0), "0,31,31,31,31,31,31,31,31");
  }
  EXPECT_EQ(parseSignFile(good).badLine, 0);
  EXPECT_EQ(parseSignFile({}).badLine, 0);
}
