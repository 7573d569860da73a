#include "control/experiments/tform2.h"

#include "control/experiments/number_entry.h"

#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>

namespace pelmora {

using platform::ui::PanelButton;

TForm2::TForm2(ToolHost& host) : BoardWindow(host, 3, QStringLiteral("基礎実験１（出力実験）"), 600, 450, 100) {
  addTitles(QStringLiteral("出力実験"));
  placeLinkStatus(24, 74);

  constexpr int kLeft = 130, kStep = 32;
  addBitHeader(kLeft, 140, kStep, 25);
  bbt = new platform::ui::LedRow(this, kLeft, 160, kStep, 25);
  platform::ui::label(this, QStringLiteral("出力状態"), 40, 164, 14, Qt::black, true);
  platform::ui::label(this, QStringLiteral("←ボタンを押してみましょう"), kLeft + 7 * kStep + 36, 164, 14,
                      QColor(0, 128, 0));

  platform::ui::label(this, QStringLiteral("出力指定数＝"), 40, 232, 14, Qt::black, true);
  Edit2 = new QLineEdit(QStringLiteral("0"), this);
  Edit2->setGeometry(kLeft + 10, 226, 70, 28);
  Edit2->setFont(platform::ui::font(QStringLiteral("ＭＳ Ｐゴシック"), 16));
  Edit2->setAccessibleName(QStringLiteral("出力指定数"));
  PNLstart = new PanelButton(this, QStringLiteral("スタート"), kLeft + 100, 222, 97, 36);
  auto* hint = platform::ui::label(this, QStringLiteral("↑０～255までの数値を入力し　　スタートボタンを押してみよう"),
                                   kLeft + 10, 266, 14, QColor(0, 128, 0));
  // Two lines, broken at the full-width spaces.
  hint->setWordWrap(true);
  hint->setFixedWidth(QFontMetrics(hint->font()).horizontalAdvance(QStringLiteral("↑０～255までの数値を入力し　　")) + 4);
  hint->adjustSize();

  PNLzententou = new PanelButton(this, QStringLiteral("全　点灯"), 40, 340, 97, 41);
  PNLzensyoutou = new PanelButton(this, QStringLiteral("全　消灯"), 160, 340, 97, 41);
  PNLsyuuryou = new PanelButton(this, QStringLiteral("終了"), 480, 390, 97, 41, 0x8080FF);

  connect(bbt, &platform::ui::LedRow::bitClicked, this, &TForm2::bbtClick);
  connect(Timer2, &QTimer::timeout, this, &TForm2::Timer2Timer);
  connect(Edit2, &QLineEdit::textChanged, this, &TForm2::Edit2Change);
  connect(PNLstart, &PanelButton::clicked, this, &TForm2::PNLstartClick);
  connect(PNLzententou, &PanelButton::clicked, this, &TForm2::PNLzententouClick);
  connect(PNLzensyoutou, &PanelButton::clicked, this, &TForm2::PNLzensyoutouClick);
  connect(PNLsyuuryou, &PanelButton::clicked, this, &TForm2::PNLsyuuryouClick);
}

void TForm2::siteisuu_hantei() {
  portb_level = 255 - portb_value;
  writePort();
  bbt->showValue(portb_value);
  Edit2->setText(QString::number(portb_value));
  // After the text change, which stops polling while a pupil types.
  Timer2->start();
}

void TForm2::led_hantei() {
  portb_value = bbt->litValue();
  portb_level = 255 - portb_value;
  writePort();
  siteisuu_hantei();
}

void TForm2::bbtClick(int bit) {
  bbt->toggle(bit);
  led_hantei();
}

void TForm2::Timer2Timer() {
  linkStep();
  siteisuu_hantei();
}

void TForm2::Edit2Change() { Timer2->stop(); }

void TForm2::PNLstartClick() {
  const auto v = experiments::numberFromEdit(Edit2->text(), ctx().prompts);
  if (!v) return;
  // Only a number in range becomes the pattern, so nothing outside 0-255 is
  // ever kept or written.
  if (*v > 255) {
    ctx().prompts.confirmYes(QStringLiteral("数値が大きすぎます！"));
  } else if (*v >= 0) {
    portb_value = *v;
    siteisuu_hantei();
  }
  Timer2->stop();
}

void TForm2::PNLzententouClick() {
  portb_value = 255;
  siteisuu_hantei();
}

void TForm2::PNLzensyoutouClick() {
  portb_value = 0;
  siteisuu_hantei();
}

void TForm2::PNLsyuuryouClick() {
  portb_value = 0;
  siteisuu_hantei();
  finishLeave();
}

}  // namespace pelmora
