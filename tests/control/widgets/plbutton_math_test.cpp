#include "control/widgets/plbutton_math.h"

#include <gtest/gtest.h>

using namespace pelmora;
using namespace pelmora::plbutton;

TEST(CaptionRows, CentredLinesStandWhereTheArithmeticPutsThem) {
  // One line: (26 - 12) div 2 + 1.
  CaptionRows one = captionRows(26, 12, 12, 4, false, true, true, 99);
  EXPECT_EQ(one.yA, 8);
  EXPECT_EQ(one.captionTop, 8);

  // Two lines: the block is higher than the button; div truncates toward zero.
  CaptionRows two = captionRows(26, 12, 12, 4, false, false, true, 99);
  EXPECT_EQ(two.yA, -1);
  EXPECT_EQ(two.yB, 15);
  EXPECT_EQ(two.captionTop, -1);

  // Only the second line: centred on its own height, without the extra pixel.
  CaptionRows onlyB = captionRows(26, 12, 10, 4, true, false, true, 99);
  EXPECT_EQ(onlyB.yB, 8);
  EXPECT_EQ(onlyB.captionTop, 8);
}

TEST(CaptionRows, FixedTopPlacesBothLinesFromIt) {
  CaptionRows both = captionRows(40, 12, 12, 4, false, false, false, 5);
  EXPECT_EQ(both.yA, 5);
  EXPECT_EQ(both.yB, 21);
  EXPECT_EQ(both.captionTop, 5);

  // With no first line the second takes its place.
  CaptionRows onlyB = captionRows(40, 12, 12, 4, true, false, false, 5);
  EXPECT_EQ(onlyB.yB, 5);
}

TEST(CaptionAnchor, FourAlignmentsAndThePressedShift) {
  EXPECT_EQ(captionAnchor(taCenter, 75, 3, 5, 4, false).x, 37);
  EXPECT_EQ(captionAnchor(taCenter, 75, 3, 5, 4, false).anchor, TextAnchor::Centre);
  EXPECT_EQ(captionAnchor(taLeft, 75, 3, 5, 4, false).x, 5);
  EXPECT_EQ(captionAnchor(taLeft, 75, 3, 5, 4, false).anchor, TextAnchor::Left);
  EXPECT_EQ(captionAnchor(taRight, 75, 3, 5, 4, false).x, 68);
  EXPECT_EQ(captionAnchor(taRight, 75, 3, 5, 4, false).anchor, TextAnchor::Right);
  const CaptionAnchor even = captionAnchor(taEven, 75, 3, 5, 4, false);
  EXPECT_EQ(even.x, 5);
  EXPECT_TRUE(even.spread);

  // One character cannot be spread: it is centred.
  const CaptionAnchor single = captionAnchor(taEven, 75, 3, 5, 1, false);
  EXPECT_FALSE(single.spread);
  EXPECT_EQ(single.x, 37);
  EXPECT_EQ(single.anchor, TextAnchor::Centre);

  EXPECT_EQ(captionAnchor(taRight, 75, 3, 5, 4, true).x, 69);
}

TEST(EvenSpacing, SpreadsTheRestOverTheFirstGaps) {
  // Room exceeds the text by 10 pixels: gaps 4, 3, 3.
  const std::vector<int> xs = evenPositions(5, 58, {12, 12, 12, 12});
  ASSERT_EQ(xs.size(), 4u);
  EXPECT_EQ(xs[1] - xs[0] - 12, 4);
  EXPECT_EQ(xs[2] - xs[1] - 12, 3);
  EXPECT_EQ(xs[3] - xs[2] - 12, 3);
  EXPECT_EQ(xs[0], 5);

  // Text wider than its room by 5 over three gaps: -1 each, the first two -2.
  const std::vector<int> tight = evenPositions(0, 43, {12, 12, 12, 12});
  EXPECT_EQ(tight[1] - tight[0] - 12, -2);
  EXPECT_EQ(tight[2] - tight[1] - 12, -2);
  EXPECT_EQ(tight[3] - tight[2] - 12, -1);

  // Characters of different widths end flush with the room.
  const std::vector<int> mixed = evenPositions(2, 100, {10, 20, 6});
  EXPECT_EQ(mixed.back() + 6, 102);

  EXPECT_TRUE(evenPositions(0, 50, {}).empty());
  EXPECT_EQ(evenPositions(7, 50, {9}), std::vector<int>{7});
  EXPECT_EQ(evenRoom(75, 3, 5), 63);
}

TEST(Gradient, RowsRunFromTheBeginToTheEndColour) {
  const std::vector<quint32> rows = gradientRows(0xFFFFFF, 0xC0C0C0, 26);
  ASSERT_EQ(rows.size(), 26u);
  EXPECT_EQ(rows.front(), 0xFFFFFFu);
  EXPECT_EQ(rows.back(), 0xC0C0C0u);
  // 255 + 13 * (192 - 255) div 25 = 255 - 32 (truncated toward zero).
  EXPECT_EQ(rows[13], 0xDFDFDFu);

  // Each channel on its own: red rises while blue falls.
  const std::vector<quint32> mixed = gradientRows(0xFF0000, 0x0000FF, 3);
  EXPECT_EQ(mixed[0], 0xFF0000u);
  EXPECT_EQ(mixed[1], 0x80007Fu);
  EXPECT_EQ(mixed[2], 0x0000FFu);

  EXPECT_EQ(gradientRows(0x123456, 0xABCDEF, 1), std::vector<quint32>{0x123456u});
  EXPECT_TRUE(gradientRows(0x123456, 0xABCDEF, 0).empty());
  EXPECT_TRUE(gradientRows(0x123456, 0xABCDEF, -3).empty());
}

TEST(GreyCopy, ChannelsBecomeHalfTheirMeanAbove120) {
  EXPECT_EQ(greyValue(255, 255, 255), 247);
  EXPECT_EQ(greyValue(0, 0, 0), 120);
  EXPECT_EQ(greyValue(255, 0, 0), 162);

  QImage pic(2, 1, QImage::Format_RGB32);
  pic.setPixel(0, 0, qRgb(255, 255, 255));
  pic.setPixel(1, 0, qRgb(30, 60, 90));
  const QImage grey = greyCopy(pic);
  EXPECT_EQ(grey.format(), QImage::Format_RGB888);
  EXPECT_EQ(grey.pixel(0, 0), qRgb(247, 247, 247));
  EXPECT_EQ(grey.pixel(1, 0), qRgb(150, 150, 150));
}

TEST(AutoTransparency, TheBottomLeftColourVanishesEverywhere) {
  QImage pic(3, 2, QImage::Format_RGB888);
  pic.fill(QColor(10, 20, 30));
  pic.setPixel(1, 0, qRgb(200, 0, 0));
  const QImage out = withAutoTransparency(pic);
  EXPECT_EQ(qAlpha(out.pixel(0, 1)), 0);
  EXPECT_EQ(qAlpha(out.pixel(2, 0)), 0);
  EXPECT_EQ(out.pixel(1, 0), qRgb(200, 0, 0));
}

TEST(Shape, RoundedCornersAndFocusFrames) {
  const QRegion round = roundRectRegion(75, 26);
  EXPECT_FALSE(round.contains(QPoint(0, 0)));
  EXPECT_FALSE(round.contains(QPoint(75, 26)));
  EXPECT_FALSE(round.contains(QPoint(0, 26)));
  EXPECT_TRUE(round.contains(QPoint(37, 0)));
  EXPECT_TRUE(round.contains(QPoint(0, 13)));
  EXPECT_TRUE(round.contains(QPoint(74, 13)));

  const QRect client(0, 0, 75, 26);
  EXPECT_EQ(focusRect(bsNormal, bffBump, client), QRect(2, 2, 71, 22));
  EXPECT_EQ(focusRect(bsFlat, bffFlat, client), QRect(2, 2, 71, 22));
  EXPECT_EQ(focusRect(bsFlat, bffBump, client), QRect(2, 2, 72, 23));
  EXPECT_EQ(focusRect(bsFlat, bffEtched, client), QRect(2, 2, 70, 21));

  EXPECT_EQ(imagePosition(75, 26, 16, 16, 10, 0, false, true), QPoint(10, 5));
  EXPECT_EQ(imagePosition(75, 26, 16, 16, 10, 3, true, false), QPoint(29, 3));
}
