#include "control/experiments/tform4.h"

#include "control/experiments/binary_breakdown.h"
#include "control/experiments/number_entry.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>

#include <algorithm>

namespace pelmora {

using platform::ui::PanelButton;

namespace {

// A label centred in a cell of the given width.
QLabel* cell(QWidget* parent, const QString& text, int left, int top, int width, int pixelSize, bool bold = false,
             const QColor& colour = Qt::black) {
  auto* l = platform::ui::label(parent, text, left, top, pixelSize, colour, bold);
  l->setFixedWidth(width);
  l->setAlignment(Qt::AlignHCenter);
  return l;
}

QGroupBox* group(QWidget* parent, const QString& caption, int left, int top, int width, int height) {
  auto* g = new QGroupBox(caption, parent);
  g->setFont(platform::ui::font(QStringLiteral("ＭＳ Ｐゴシック"), 14, true));
  g->setGeometry(left, top, width, height);
  return g;
}

const QColor kDigit(0, 0, 160);
const QColor kWeight(160, 0, 0);
const QColor kSmall(96, 96, 96);

}  // namespace

TForm4::TForm4(ToolHost& host) : BoardWindow(host, 7, QStringLiteral("基礎実験３（２進数）"), 780, 610, 100) {
  addTitles(QStringLiteral("２進数、１６進数の変換"));
  placeLinkStatus(24, 74);

  constexpr int kLeft = 130, kStep = 32;
  addBitHeader(kLeft, 130, kStep, 25);
  bbt = new platform::ui::LedRow(this, kLeft, 150, kStep, 25);
  LBLportb = platform::ui::label(this, QStringLiteral("出力状態"), 40, 154, 14, Qt::black, true);

  platform::ui::label(this, QStringLiteral("０～255までの数値を入力する→"), 200, 198, 14, QColor(0, 128, 0));
  Edit2 = new QLineEdit(QStringLiteral("0"), this);
  Edit2->setGeometry(420, 192, 70, 28);
  Edit2->setFont(platform::ui::font(QStringLiteral("ＭＳ Ｐゴシック"), 16));
  Edit2->setAccessibleName(QStringLiteral("数値"));
  PNLhenkan = new PanelButton(this, QStringLiteral("変換"), 506, 188, 97, 36);

  buildDecimalGroup();
  buildHexGroup();
  buildBinaryGroup();
  PNLsyuuryou = new PanelButton(this, QStringLiteral("終了"), 660, 550, 97, 41, 0x8080FF);
  showBreakdown();

  connect(bbt, &platform::ui::LedRow::bitClicked, this, &TForm4::bbtClick);
  connect(Timer2, &QTimer::timeout, this, &TForm4::Timer2Timer);
  connect(IMGok, &platform::ui::LinkPicture::clicked, this, &TForm4::IMGokClick);
  connect(IMGtyuui, &platform::ui::LinkPicture::clicked, this, &TForm4::IMGtyuuiClick);
  connect(PNLhenkan, &PanelButton::clicked, this, &TForm4::PNLhenkanClick);
  connect(PNLsyuuryou, &PanelButton::clicked, this, &TForm4::PNLsyuuryouClick);
}

void TForm4::buildDecimalGroup() {
  GBdecimal = group(this, QStringLiteral("２進数→１０進数"), 16, 240, 370, 170);
  constexpr int kCol = 42, kX = 16;
  for (int k = 7; k >= 0; --k) {
    const int x = kX + (7 - k) * kCol;
    Labelb[k] = cell(GBdecimal, QStringLiteral("0"), x, 26, kCol, 24, true, kDigit);
    Labelb1x[k] = cell(GBdecimal, QStringLiteral("0"), x, 70, kCol, 12, false, kSmall);
    Labeln[k] = cell(GBdecimal, QString::number(1 << k), x, 88, kCol, 15, true, kWeight);
    if (k < 7) Labelp[k] = cell(GBdecimal, QStringLiteral("+"), x - 8, 88, 16, 15, true, kWeight);
  }
  platform::ui::label(GBdecimal, QStringLiteral("＝"), 200, 128, 22, Qt::black, true);
  Labelnn = cell(GBdecimal, QStringLiteral("0"), 236, 126, 80, 26, true, kWeight);
}

void TForm4::buildHexGroup() {
  GBhex = group(this, QStringLiteral("２進数→１６進数"), 398, 240, 366, 170);
  constexpr int kCol = 38, kX = 24, kGap = 22;
  for (int k = 7; k >= 0; --k) {
    const int x = kX + (7 - k) * kCol + (k < 4 ? kGap : 0);
    Labelb2x[k] = cell(GBhex, QStringLiteral("0"), x, 26, kCol, 24, true, kDigit);
    Labelb3x[k] = cell(GBhex, QStringLiteral("0"), x, 70, kCol, 12, false, kSmall);
    Labeln1x[k] = cell(GBhex, QStringLiteral("0"), x, 88, kCol, 15, true, kWeight);
    if (k < 7) Labelp1x[k] = cell(GBhex, QStringLiteral("+"), x - 8, 88, 16, 15, true, kWeight);
  }
  Labelnn1 = cell(GBhex, QStringLiteral("&H0"), kX, 116, 4 * kCol, 20, true, kWeight);
  Labelnn2 = cell(GBhex, QStringLiteral("&H0"), kX + 4 * kCol + kGap, 116, 4 * kCol, 20, true, kWeight);
  Labelnn16 = cell(GBhex, QStringLiteral("&H00"), kX, 140, 8 * kCol + kGap, 22, true, kWeight);
}

void TForm4::buildBinaryGroup() {
  GBbinary = group(this, QStringLiteral("１０進数→２進数"), 16, 420, 620, 178);
  // The halving column: n at the top, each row half the one above, its
  // remainder at the right; the remainders read upwards give the digits.
  for (int k = 7; k >= 0; --k) {
    const int y = 24 + (7 - k) * 18;
    Labelbb[k] = platform::ui::label(GBbinary, QStringLiteral("0"), 30, y, 15, Qt::black, true);
    Labelbb[k]->setFixedWidth(50);
    Labelbb[k]->setAlignment(Qt::AlignRight);
    Lblb[7 - k] = cell(GBbinary, QStringLiteral("0"), 96, y, 24, 15, true, kDigit);
  }
  constexpr int kCol = 40, kX = 250;
  addBitHeader(kX + 7, 64, kCol, 25, GBbinary);
  for (int k = 7; k >= 0; --k)
    Labelb5x[k] = cell(GBbinary, QStringLiteral("0"), kX + (7 - k) * kCol, 84, kCol, 26, true, kDigit);
}

void TForm4::showBreakdown() {
  const experiments::BinaryBreakdown b = experiments::breakDown(portb_value);
  for (int k = 0; k < 8; ++k) {
    const QString digit = b.digit[k] ? QStringLiteral("1") : QStringLiteral("0");
    bbt->setLit(k, b.digit[k]);
    for (QLabel* l : {Labelb[k], Labelb1x[k], Labelb2x[k], Labelb3x[k], Labelb5x[k], Lblb[k]}) l->setText(digit);
    Labeln[k]->setVisible(b.digit[k]);
    if (k < 7) {
      Labelp[k]->setVisible(b.digit[k]);
      Labelp1x[k]->setVisible(b.digit[k]);
    }
    Labeln1x[k]->setText(QString::number(b.nibbleWeight[k]));
    Labeln1x[k]->setVisible(b.digit[k]);
    Lblb[k]->setVisible(b.remainderShown[k]);
    Labelbb[k]->setText(QString::number(b.halving[k]));
  }
  Labelnn->setText(QString::number(b.n));
  Labelnn1->setText(b.highHex);
  Labelnn2->setText(b.lowHex);
  Labelnn16->setText(b.wholeHex);
}

void TForm4::siteisuu_hantei() {
  writePort();
  showBreakdown();
}

void TForm4::led_hantei() {
  portb_value = bbt->litValue();
  portb_level = 255 - portb_value;
  writePort();
  siteisuu_hantei();
  Edit2->setText(QString::number(portb_value));
}

void TForm4::bbtClick(int bit) {
  bbt->toggle(bit);
  led_hantei();
}

void TForm4::Timer2Timer() { linkStep(); }

void TForm4::IMGokClick() { Timer2->start(); }

void TForm4::IMGtyuuiClick() { Timer2->start(); }

void TForm4::PNLhenkanClick() {
  const auto v = experiments::numberFromEdit(Edit2->text(), ctx().prompts);
  if (!v) return;
  // Clamped before it is drawn: the panels would end at 0 or 255 anyway, and
  // no wider or negative number is ever shown.
  portb_value = std::clamp(*v, 0, 255);
  siteisuu_hantei();
  led_hantei();
}

void TForm4::PNLsyuuryouClick() {
  portb_value = 0;
  portb_level = 255;
  siteisuu_hantei();
  finishLeave();
}

}  // namespace pelmora
