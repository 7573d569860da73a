#include "control/widgets/tplbutton.h"
#include "platform/colors.h"
#include "support/gallery.h"

#include <QEvent>
#include <QMouseEvent>
#include <QTest>

#include <gtest/gtest.h>

using namespace pelmora;

TEST(Gallery, GradientButtonLooks) {
  QWidget sheet;
  sheet.setWindowTitle(QStringLiteral("TplButton"));
  sheet.resize(420, 230);
  QImage arrow(16, 16, QImage::Format_RGB32);
  arrow.fill(Qt::white);
  for (int y = 3; y < 13; ++y)
    for (int x = 3; x < 3 + (y < 8 ? y - 2 : 13 - y) * 2; ++x) arrow.setPixel(x, y, qRgb(0, 120, 0));

  auto make = [&](int col, int row, const QString& a, const QString& b) {
    auto* btn = new TplButton(&sheet, QStringLiteral("plButton"));
    btn->setGeometry(10 + col * 135, 10 + row * 55, 125, 44);
    btn->CaptionA().setCaption(a);
    btn->CaptionB().setCaption(b);
    return btn;
  };
  make(0, 0, QStringLiteral("標準"), QString());
  TplButton* two = make(1, 0, QStringLiteral("二行の"), QStringLiteral("キャプション"));
  two->setGradBeginColor(0xFFE0C0);
  two->setGradEndColor(0x804000);
  TplButton* flat = make(2, 0, QStringLiteral("左寄せ"), QStringLiteral("右寄せ"));
  flat->setButtonStyle(bsFlat);
  flat->setFlatFrameType(bffEtched);
  flat->CaptionA().setAlignment(taLeft);
  flat->CaptionB().setAlignment(taRight);
  TplButton* round = make(0, 1, QStringLiteral("丸角"), QString());
  round->setButtonStyle(bsRoundRect);
  TplButton* even = make(1, 1, QStringLiteral("均等割付"), QString());
  even->CaptionA().setAlignment(taEven);
  even->CaptionA().setLeft(6);
  even->CaptionA().setRight(6);
  TplButton* pic = make(2, 1, QStringLiteral("　　画像付き"), QString());
  pic->Image().setBitmap(arrow);
  pic->Image().setTransParent(true);
  TplButton* off = make(0, 2, QStringLiteral("無効"), QString());
  off->Image().setBitmap(arrow);
  off->Image().setTransParent(true);
  off->setEnabled(false);
  TplButton* bump = make(1, 2, QStringLiteral("凸枠"), QString());
  bump->setButtonStyle(bsFlat);
  bump->setFlatFrameType(bffBump);
  bump->setGradation(false);
  TplButton* pressed = make(2, 2, QStringLiteral("押下中"), QString());
  sheet.show();
  QTest::mousePress(pressed, Qt::LeftButton, {}, QPoint(20, 20));
  testsupport::saveToGallery(sheet, QStringLiteral("pelmora-TplButton-looks"));
  QTest::mouseRelease(pressed, Qt::LeftButton, {}, QPoint(20, 20));
}
