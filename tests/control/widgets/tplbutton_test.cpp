#include "control/widgets/tplbutton.h"

#include "platform/colors.h"

#include <QAccessible>
#include <QApplication>
#include <QDialog>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

using namespace pelmora;

namespace {

QImage render(TplButton& b) { return b.grab().toImage().convertToFormat(QImage::Format_RGB32); }

QImage solid(int w, int h, QColor c) {
  QImage img(w, h, QImage::Format_RGB32);
  img.fill(c);
  return img;
}

}  // namespace

TEST(TplButton, FirstLineShowsTheNameUntilACaptionIsSet) {
  QWidget form;
  TplButton b(&form, QStringLiteral("plButton1"));
  EXPECT_EQ(b.CaptionA().Caption(), QStringLiteral("plButton1"));
  b.CaptionA().setCaption(QStringLiteral("B0→B7"));
  EXPECT_EQ(b.CaptionA().Caption(), QStringLiteral("B0→B7"));
  EXPECT_EQ(b.size(), QSize(75, 26));

  // Given a parent later: the name appears once, a second parent keeps the text.
  QWidget other;
  TplButton late(nullptr, QStringLiteral("plButton2"));
  EXPECT_TRUE(late.CaptionA().Caption().isEmpty());
  late.setParent(&form);
  EXPECT_EQ(late.CaptionA().Caption(), QStringLiteral("plButton2"));
  late.CaptionA().setCaption(QStringLiteral("x"));
  late.setParent(&other);
  EXPECT_EQ(late.CaptionA().Caption(), QStringLiteral("x"));

  // A screen reader hears a push button named by its lines.
  b.CaptionB().setCaption(QStringLiteral("二行目"));
  QAccessibleInterface* a = QAccessible::queryAccessibleInterface(&b);
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->role(), QAccessible::Button);
  EXPECT_EQ(a->text(QAccessible::Name), QStringLiteral("B0→B7 二行目"));
}

TEST(TplButton, MouseKeysAndModalResult) {
  QDialog dialog;
  dialog.setModal(true);
  TplButton b(&dialog, QStringLiteral("ok"));
  b.setModalResult(QDialog::Accepted + 5);
  QSignalSpy clicks(&b, &TplButton::clicked);
  dialog.show();

  QTest::mousePress(&b, Qt::LeftButton, {}, QPoint(10, 10));
  EXPECT_TRUE(b.isPressed());
  EXPECT_EQ(dialog.focusWidget(), &b);
  QTest::mouseRelease(&b, Qt::LeftButton, {}, QPoint(10, 10));
  EXPECT_FALSE(b.isPressed());
  EXPECT_EQ(clicks.count(), 1);
  EXPECT_EQ(dialog.result(), QDialog::Accepted + 5);
  EXPECT_FALSE(dialog.isVisible());

  // Released outside: no click; the mouse leaving ends the pressed look.
  dialog.show();
  QTest::mousePress(&b, Qt::LeftButton, {}, QPoint(10, 10));
  QTest::mouseRelease(&b, Qt::LeftButton, {}, QPoint(200, 10));
  EXPECT_EQ(clicks.count(), 1);
  QTest::mousePress(&b, Qt::LeftButton, {}, QPoint(10, 10));
  QSignalSpy left(&b, &TplButton::mouseLeft);
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(&b, &leave);
  EXPECT_FALSE(b.isPressed());
  EXPECT_EQ(left.count(), 1);

  // Enter on the focused button clicks.
  QTest::keyClick(&b, Qt::Key_Return);
  EXPECT_EQ(clicks.count(), 2);

  // Escape clicks only a Cancel button, from anywhere in the window.
  dialog.show();
  b.setModalResult(0);
  b.setCancel(true);
  QTest::keyClick(&dialog, Qt::Key_Escape);
  EXPECT_EQ(clicks.count(), 3);
  EXPECT_TRUE(dialog.isVisible());
  b.setCancel(false);
  QTest::keyClick(&dialog, Qt::Key_Escape);
  EXPECT_EQ(clicks.count(), 3);

  // Without HasFocus a click does not take the focus and Enter still fires
  // the click, without handing a modal result.
  QDialog second;
  second.setModal(true);
  TplButton quiet(&second, QStringLiteral("quiet"));
  quiet.setHasFocus(false);
  quiet.setModalResult(7);
  QSignalSpy quietClicks(&quiet, &TplButton::clicked);
  second.show();
  QTest::mouseClick(&quiet, Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_NE(second.focusWidget(), &quiet);
  EXPECT_EQ(quietClicks.count(), 1);
  quiet.setFocus();
  second.setResult(0);
  QTest::keyClick(&quiet, Qt::Key_Return);
  EXPECT_EQ(quietClicks.count(), 2);
}

TEST(TplButton, GradientFaceRunsTopToBottom) {
  TplButton b(nullptr, QStringLiteral("g"));
  b.CaptionA().setCaption(QString());
  b.setButtonStyle(bsFlatNoFrame);
  b.setGradBeginColor(platform::clWhite);
  b.setGradEndColor(platform::clBlack);
  QImage img = render(b);
  EXPECT_EQ(img.pixel(30, 0), qRgb(255, 255, 255));
  EXPECT_EQ(img.pixel(30, 25), qRgb(0, 0, 0));
  EXPECT_EQ(img.pixel(30, 5), qRgb(204, 204, 204));

  // A plain face in Color once the gradient is off.
  b.setGradation(false);
  b.setColor(platform::clRed);
  img = render(b);
  EXPECT_EQ(img.pixel(30, 0), qRgb(255, 0, 0));
  EXPECT_EQ(img.pixel(30, 25), qRgb(255, 0, 0));

  // One pixel high: the begin colour.
  b.setGradation(true);
  b.resize(75, 1);
  EXPECT_EQ(render(b).pixel(30, 0), qRgb(255, 255, 255));
}

TEST(TplButton, PictureGreysOnlyWhenDisabledWithFocusLookOrDisableImage) {
  QWidget form;
  TplButton b(&form, QStringLiteral("pic"));
  b.CaptionA().setCaption(QString());
  b.setButtonStyle(bsFlatNoFrame);
  b.setGradation(false);
  b.setColor(platform::clWhite);
  b.Image().setBitmap(solid(8, 8, Qt::red));
  // Left 10, centred vertically: (26 - 8) div 2 = 9.
  EXPECT_EQ(render(b).pixel(13, 12), qRgb(255, 0, 0));
  EXPECT_EQ(b.Image().Top(), 9);

  b.setEnabled(false);
  b.setHasFocus(false);
  EXPECT_EQ(render(b).pixel(13, 12), qRgb(255, 0, 0));
  b.setDisableImage(true);
  EXPECT_EQ(render(b).pixel(13, 12), qRgb(162, 162, 162));
  b.setDisableImage(false);
  b.setHasFocus(true);
  EXPECT_EQ(render(b).pixel(13, 12), qRgb(162, 162, 162));

  // A transparent bitmap lets the face through where its bottom-left colour is.
  b.setEnabled(true);
  QImage framed = solid(8, 8, Qt::green);
  framed.setPixel(4, 4, qRgb(0, 0, 255));
  b.Image().setBitmap(framed);
  b.Image().setTransParent(true);
  QImage img = render(b);
  EXPECT_EQ(img.pixel(11, 10), qRgb(255, 255, 255));
  EXPECT_EQ(img.pixel(14, 13), qRgb(0, 0, 255));

  // Pressed with HasFocus: the picture moves one pixel right and down.
  b.Image().setTransParent(false);
  b.Image().setBitmap(solid(8, 8, Qt::red));
  form.show();
  QTest::mousePress(&b, Qt::LeftButton, {}, QPoint(40, 10));
  img = render(b);
  EXPECT_EQ(img.pixel(10, 9), qRgb(255, 255, 255));
  EXPECT_EQ(img.pixel(18, 17), qRgb(255, 0, 0));
  QTest::mouseRelease(&b, Qt::LeftButton, {}, QPoint(40, 10));

  // Setting a coordinate ends the centring.
  b.Image().setTop(2);
  EXPECT_FALSE(b.Image().VertCenter());
  EXPECT_EQ(render(b).pixel(13, 3), qRgb(255, 0, 0));
}

TEST(TplButton, RoundStylesShapeTheWindowAndSquareOnesDoNot) {
  TplButton b(nullptr, QStringLiteral("r"));
  EXPECT_TRUE(b.mask().isEmpty());
  b.setButtonStyle(bsRoundRect);
  EXPECT_FALSE(b.mask().isEmpty());
  EXPECT_FALSE(b.mask().contains(QPoint(0, 0)));
  EXPECT_TRUE(b.mask().contains(QPoint(37, 13)));
  b.show();
  b.resize(120, 40);
  EXPECT_TRUE(b.mask().contains(QPoint(110, 20)));
  b.setButtonStyle(bsNormal);
  EXPECT_TRUE(b.mask().isEmpty());
}

TEST(TplButton, CaptionTopEndsCentringUntilCentringIsAskedAgain) {
  TplButton b(nullptr, QStringLiteral("c"));
  b.CaptionA().setCaption(QStringLiteral("一行"));
  render(b);
  const int centred = b.CaptionTop();
  EXPECT_EQ(centred, (26 - QFontMetrics(b.font()).height()) / 2 + 1);
  b.setCaptionTop(3);
  EXPECT_FALSE(b.CaptionVertCenter());
  render(b);
  EXPECT_EQ(b.CaptionTop(), 3);
  b.setCaptionVertCenter(true);
  render(b);
  EXPECT_EQ(b.CaptionTop(), centred);

  // Only a second line: centred on its own, and CaptionTop follows it.
  b.CaptionA().setCaption(QString());
  b.CaptionB().setCaption(QStringLiteral("二行"));
  render(b);
  EXPECT_EQ(b.CaptionTop(), (26 - QFontMetrics(b.font()).height()) / 2);
}

namespace {

// The colours of one 1-pixel ring of a grabbed image, side by side, as
// "top left bottom right"; a side in mixed colours shows as "mixed".
std::string ring(const QImage& img, int inset) {
  const int l = inset, t = inset, r = img.width() - 1 - inset, b = img.height() - 1 - inset;
  auto side = [&](int x0, int y0, int x1, int y1) {
    const QRgb first = img.pixel(x0, y0);
    for (int x = x0; x <= x1; ++x)
      for (int y = y0; y <= y1; ++y)
        if (img.pixel(x, y) != first) return std::string("mixed");
    return std::to_string(qRed(first)) + "," + std::to_string(qGreen(first)) + "," + std::to_string(qBlue(first));
  };
  // Top and left leave out the corner the bottom/right colour owns.
  return side(l, t, r - 1, t) + " " + side(l, t, l, b - 1) + " " + side(l, b, r, b) + " " + side(r, t, r, b);
}

}  // namespace

// The frame runs along the outermost pixels on all four sides, pressed or not.
TEST(TplButton, FrameReachesEveryEdge) {
  TplButton b(nullptr, QStringLiteral("f"));
  b.CaptionA().setCaption(QString());
  b.setGradation(false);
  b.setColor(platform::clRed);
  // Outer ring, inner ring, then the face right inside them.
  auto expectRings = [&b](const char* look, const std::string& outer, const std::string& inner) {
    SCOPED_TRACE(look);
    const QImage img = render(b);
    EXPECT_EQ(ring(img, 0), outer);
    EXPECT_EQ(ring(img, 1), inner);
    EXPECT_EQ(ring(img, 2), "255,0,0 255,0,0 255,0,0 255,0,0");
  };
  const std::string light = "227,227,227", white = "255,255,255", shadow = "160,160,160", dark = "105,105,105";
  auto sides = [](const std::string& topLeft, const std::string& bottomRight) {
    return topLeft + " " + topLeft + " " + bottomRight + " " + bottomRight;
  };

  expectRings("raised", sides(light, dark), sides(white, shadow));
  QTest::mousePress(&b, Qt::LeftButton);
  expectRings("pressed", sides(shadow, shadow), sides("128,128,128", "128,128,128"));
  QTest::mouseRelease(&b, Qt::LeftButton, {}, QPoint(200, 200));
  b.setButtonStyle(bsFlat);
  expectRings("flat", sides(shadow, shadow), sides("240,240,240", "240,240,240"));
  b.setFlatFrameType(bffEtched);
  expectRings("etched", sides(shadow, white), sides(white, shadow));
  b.setFlatFrameType(bffBump);
  expectRings("bump", sides(light, dark), sides(shadow, white));

  // The rounded frame's straight parts lie on the last row and column too.
  b.setButtonStyle(bsRoundRect);
  const QImage img = render(b);
  const QRgb pen = qRgb(0x75, 0x75, 0x75);
  EXPECT_EQ(img.pixel(37, 0), pen);
  EXPECT_EQ(img.pixel(37, img.height() - 1), pen);
  EXPECT_EQ(img.pixel(0, 13), pen);
  EXPECT_EQ(img.pixel(img.width() - 1, 13), pen);
  EXPECT_EQ(img.pixel(37, img.height() - 2), qRgb(255, 0, 0));
  EXPECT_EQ(img.pixel(img.width() - 2, 13), qRgb(255, 0, 0));
}
