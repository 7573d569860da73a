#include "control/experiments/tform5.h"

#include "control/experiments/binary_breakdown.h"
#include "control/experiments/pin_sign.h"
#include "platform/colors.h"

#include <QLabel>
#include <QTimer>

namespace pelmora {

using experiments::levelText;
using platform::ui::PanelButton;

namespace {

QLabel* levelLabel(QWidget* parent, int left, int top) {
  auto* l = platform::ui::label(parent, QStringLiteral("１"), left, top, 14, Qt::black, true);
  l->setFixedSize(22, 22);
  l->setAlignment(Qt::AlignCenter);
  platform::ui::setBackground(l, platform::clYellow);
  return l;
}

// A caption that is clicked like a panel.
PanelButton* clickableCaption(QWidget* parent, const QString& text, int left, int top, int width) {
  auto* b = new PanelButton(parent, text, left, top, width, 24, platform::clBtnFace);
  b->setBevelWidth(0);
  b->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  b->setTextColour(QColor(0, 0, 160));
  b->setCursor(Qt::PointingHandCursor);
  return b;
}

}  // namespace

TForm5::TForm5(ToolHost& host) : BoardWindow(host, 9, QStringLiteral("基礎実験４（入出力）"), 600, 460, 100) {
  addTitles(QStringLiteral("入出力実験編"));
  placeLinkStatus(24, 74);

  constexpr int kLeft = 150, kStep = 40, kSign = 28;
  addBitHeader(kLeft, 130, kStep, kSign);
  Label8 = clickableCaption(this, QStringLiteral("入出力設定"), 30, 152, 100);
  Label7 = clickableCaption(this, QStringLiteral("出力状態"), 30, 192, 100);
  platform::ui::label(this, QStringLiteral("入力状態"), 31, 233, 12, Qt::black);
  bbt = new platform::ui::LedRow(this, kLeft + (kSign - 17) / 2, 196, kStep, 17);
  for (int k = 7; k >= 0; --k) {
    const int x = kLeft + (7 - k) * kStep;
    IMGinb[k] = new PinSign(PinSign::Kind::Input, k, this, x, 150, kSign);
    IMGb[k] = new PinSign(PinSign::Kind::Output, k, this, x, 150, kSign);
    LBLb[k] = levelLabel(this, x + (kSign - 22) / 2, 229);
    LBLb[k]->hide();
    connect(IMGb[k], &PanelButton::clicked, this, [this, k] { IMGbClick(k); });
    connect(IMGinb[k], &PanelButton::clicked, this, [this, k] { IMGinbClick(k); });
  }

  platform::ui::label(this, QStringLiteral("入出力設定数"), 40, 284, 14);
  LBLddrb = platform::ui::label(this, QStringLiteral("ddrB=255"), 150, 284, 14, QColor(0, 0, 160), true);
  platform::ui::label(this, QStringLiteral("出力指定数"), 40, 314, 14);
  LBLportb = platform::ui::label(this, QStringLiteral("portB=0"), 150, 314, 14, QColor(160, 0, 0), true);
  platform::ui::label(this, QStringLiteral("入力数"), 40, 344, 14);
  LBLpinb = platform::ui::label(this, QStringLiteral("pinB=255"), 150, 344, 14, QColor(0, 110, 0), true);
  for (QLabel* l : {LBLddrb, LBLportb, LBLpinb}) l->setFixedWidth(120);

  platform::ui::label(this, QStringLiteral("D6  D1  D0"), 400, 284, 14, Qt::black, true);
  LBLd6 = levelLabel(this, 400, 306);
  LBLd1 = levelLabel(this, 429, 306);
  LBLd0 = levelLabel(this, 458, 306);
  Label11 = platform::ui::label(this, QStringLiteral("255"), 0, 0);
  Label11->hide();

  PNLsyuuryou = new PanelButton(this, QStringLiteral("終了"), 480, 400, 97, 41, 0x8080FF);

  connect(bbt, &platform::ui::LedRow::bitClicked, this, &TForm5::bbtClick);
  connect(Label7, &PanelButton::clicked, this, &TForm5::Label7Click);
  connect(Label8, &PanelButton::clicked, this, &TForm5::Label8Click);
  connect(Timer2, &QTimer::timeout, this, &TForm5::Timer2Timer);
  connect(IMGok, &platform::ui::LinkPicture::clicked, this, &TForm5::IMGokClick);
  connect(IMGtyuui, &platform::ui::LinkPicture::clicked, this, &TForm5::IMGtyuuiClick);
  connect(PNLsyuuryou, &PanelButton::clicked, this, &TForm5::PNLsyuuryouClick);
}

void TForm5::ddrb_hantei() {
  Label11->setText(QString::number(ddrb_value));
  for (int k = 7; k >= 0; --k) {
    const bool output = (ddrb_value >> k) & 1;
    bbt->panel(k)->setVisible(output);
    IMGb[k]->setVisible(output);
    LBLb[k]->setVisible(!output);
  }
  LBLddrb->setText(QStringLiteral("ddrB=%1").arg(ddrb_value));
  link.poke(link.ddrb_adr, ddrb_value);
}

// A direction click sets or clears the pin's bit, so the byte stays 0-255
// however the clicks come.
void TForm5::IMGbClick(int bit) {
  ddrb_value &= ~(1 << bit);
  ddrb_hantei();
}

void TForm5::IMGinbClick(int bit) {
  ddrb_value |= 1 << bit;
  ddrb_hantei();
}

void TForm5::Label8Click() {
  ddrb_value = 255;
  ddrb_hantei();
}

void TForm5::led_hantei() {
  // Hidden panels of input pins count with their last colour.
  portb_value = bbt->litValue();
  portb_level = 255 - portb_value;
  LBLportb->setText(QStringLiteral("portB=%1").arg(portb_value));
  writePort();
}

void TForm5::siteisuu_hantei() {
  portb_level = 255 - portb_value;
  writePort();
  bbt->showValue(portb_value);
}

void TForm5::bbtClick(int bit) {
  bbt->toggle(bit);
  led_hantei();
}

void TForm5::Label7Click() {
  portb_value = portb_value == 255 ? 0 : 255;
  siteisuu_hantei();
}

void TForm5::pinbdat_hantei() {
  link.poke(link.ddrb_adr, ddrb_value);
  const int v = link.readPinb();
  LBLpinb->setText(QStringLiteral("pinB=%1").arg(v));
  for (int k = 7; k >= 0; --k) LBLb[k]->setText(levelText(v, k));
}

void TForm5::pinddat_hantei() {
  const int v = link.readPind() & 0x7F;
  LBLd6->setText(levelText(v, 6));
  LBLd1->setText(levelText(v, 1));
  LBLd0->setText(levelText(v, 0));
}

void TForm5::Timer2Timer() {
  if (!linkStep()) return;
  pinbdat_hantei();
  pinddat_hantei();
  led_hantei();
}

void TForm5::IMGokClick() { Timer2->start(); }

void TForm5::IMGtyuuiClick() { Timer2->start(); }

void TForm5::PNLsyuuryouClick() {
  portb_value = 0;
  siteisuu_hantei();
  finishLeave();
}

}  // namespace pelmora
