#include "control/experiments/tform3.h"

#include "control/widgets/tplbutton.h"
#include "platform/colors.h"

#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QScrollBar>
#include <QTimer>
#include <QToolButton>

namespace pelmora {

using platform::ui::PanelButton;

// ---- up-down ----

UpDown::UpDown(QWidget* parent, int left, int top, int minimum, int maximum, int position)
    : QWidget(parent), minimum_(minimum), maximum_(maximum), position_(position) {
  setGeometry(left, top, 17, 26);
  up = new QToolButton(this);
  up->setArrowType(Qt::UpArrow);
  up->setGeometry(0, 0, 17, 13);
  up->setAccessibleName(QStringLiteral("増やす"));
  down = new QToolButton(this);
  down->setArrowType(Qt::DownArrow);
  down->setGeometry(0, 13, 17, 13);
  down->setAccessibleName(QStringLiteral("減らす"));
  connect(up, &QToolButton::clicked, this, [this] { stepBy(1); });
  connect(down, &QToolButton::clicked, this, [this] { stepBy(-1); });
}

void UpDown::stepBy(int delta) {
  position_ = qBound(minimum_, position_ + delta, maximum_);
  Q_EMIT clicked();
}

// ---- the window ----

namespace {

const std::array<QString, 5> kPatternCaptions{QStringLiteral("全　点滅"), QStringLiteral("交互　点滅"),
                                              QStringLiteral("左右　点滅"), QStringLiteral("B0→B7"),
                                              QStringLiteral("B7-B0")};

}  // namespace

QList<int> TForm3::passValues(int pattern) {
  switch (pattern) {
    case 1: return {255, 0};
    case 2: return {85, 170};
    case 3: return {15, 240};
    case 4: return {1, 2, 4, 8, 16, 32, 64, 128};
    case 5: return {128, 64, 32, 16, 8, 4, 2, 1};
    default: return {};
  }
}

TForm3::TForm3(ToolHost& host)
    : BoardWindow(host, 5, QStringLiteral("基礎実験２（繰り返し処理編）"), 720, 500, 1000),
      wait_(host.context().clock) {
  buildControls();
  connect(bbt, &platform::ui::LedRow::bitClicked, this, &TForm3::bbtClick);
  connect(Timer2, &QTimer::timeout, this, &TForm3::Timer2Timer);
  connect(IMGok, &platform::ui::LinkPicture::clicked, this, &TForm3::IMGokClick);
  connect(SCBjikan, &QScrollBar::valueChanged, this, &TForm3::SCBjikanChange);
  connect(UpDown1, &UpDown::clicked, this, &TForm3::UpDown1Click);
  connect(PNLstop, &PanelButton::clicked, this, &TForm3::pnlstopClick);
  connect(PNLsyuuryou, &PanelButton::clicked, this, &TForm3::pnlsyuuryouClick);
  for (int group = 1; group <= 3; ++group) {
    for (int pattern = 1; pattern <= 5; ++pattern) {
      connect(PNLpro(group, pattern), &PanelButton::clicked, this,
              [this, group, pattern] { PNLproClick(group, pattern); });
    }
  }
}

void TForm3::buildControls() {
  addTitles(QStringLiteral("繰り返し処理"));
  placeLinkStatus(24, 74);

  constexpr int kLeft = 130, kStep = 32;
  addBitHeader(kLeft, 126, kStep, 25);
  bbt = new platform::ui::LedRow(this, kLeft, 146, kStep, 25);
  platform::ui::label(this, QStringLiteral("出力状態"), 40, 150, 14, Qt::black, true);
  LBLportb = platform::ui::label(this, QStringLiteral("portB=0,300"), kLeft + 7 * kStep + 44, 148, 16,
                                 QColor(0, 0, 128), true);
  LBLportb->setFixedWidth(150);

  platform::ui::label(this, QStringLiteral("出力時間"), 520, 80, 13, Qt::black, true);
  SCBjikan = new QScrollBar(Qt::Horizontal, this);
  SCBjikan->setGeometry(520, 100, 180, 18);
  SCBjikan->setRange(1, 1000);
  SCBjikan->setValue(300);
  SCBjikan->setAccessibleName(QStringLiteral("出力時間"));

  Panel2 = new QWidget(this);
  Panel2->setGeometry(16, 190, 470, 290);
  struct GroupText {
    QString title;
    QString loop;
  };
  const std::array<GroupText, 3> groups{GroupText{QStringLiteral("繰り返しなし"), QString()},
                                        GroupText{QStringLiteral("無限繰り返し"), QStringLiteral("Do　-　Loop")},
                                        GroupText{QStringLiteral("有限繰り返し"), QStringLiteral("Foｒ　-　Next")}};
  std::array<TplButton*, 3> decorations{};
  for (int g = 0; g < 3; ++g) {
    auto* box = new QGroupBox(groups[static_cast<size_t>(g)].title, Panel2);
    box->setGeometry(g * 160, 0, 150, 290);
    if (!groups[static_cast<size_t>(g)].loop.isEmpty())
      platform::ui::label(box, groups[static_cast<size_t>(g)].loop, 14, 22, 13, QColor(128, 0, 0), true);
    for (int p = 0; p < 5; ++p) {
      pnlPro_[static_cast<size_t>(g * 5 + p)] =
          new PanelButton(box, kPatternCaptions[static_cast<size_t>(p)], 12, 46 + p * 34, 126, 30);
    }
    auto* deco = new TplButton(box, QStringLiteral("plButton%1").arg(6 * (g + 1)));
    deco->CaptionA().setCaption(QStringLiteral("B0→B7"));
    deco->setGradation(false);
    deco->setGradBeginColor(platform::clRed);
    deco->setGradEndColor(platform::clRed);
    // Decoration only: the keyboard passes it by.
    deco->setFocusPolicy(Qt::NoFocus);
    deco->move((150 - deco->width()) / 2, 290 - deco->height() - 8);
    decorations[static_cast<size_t>(g)] = deco;
  }
  plButton6 = decorations[0];
  plButton12 = decorations[1];
  plButton18 = decorations[2];

  QWidget* forNext = plButton18->parentWidget();
  platform::ui::label(forNext, QStringLiteral("繰り返し回数"), 12, 222, 12);
  LBLkai = platform::ui::label(forNext, QStringLiteral("3"), 90, 218, 16, QColor(0, 0, 160), true);
  LBLkai->setFixedWidth(22);
  LBLkai->setAlignment(Qt::AlignRight);
  platform::ui::label(forNext, QStringLiteral("回"), 114, 222, 12);
  UpDown1 = new UpDown(forNext, 128, 216, 1, 10, 3);

  auto* listBox = new QGroupBox(QStringLiteral("処理内容"), this);
  listBox->setGeometry(500, 190, 204, 230);
  LSTpro = new QListWidget(listBox);
  LSTpro->setGeometry(10, 22, 184, 198);
  LSTpro->setAccessibleName(QStringLiteral("処理内容"));

  PNLstop = new PanelButton(this, QStringLiteral("STOP"), 500, 436, 97, 41, platform::clYellow);
  PNLstop->hide();
  PNLsyuuryou = new PanelButton(this, QStringLiteral("終　了"), 607, 436, 97, 41, 0x8080FF);
}

void TForm3::showPortLabel() {
  LBLportb->setText(QStringLiteral("portB=%1,%2").arg(portb_value).arg(out_time));
}

void TForm3::siteisuu_hantei() {
  portb_level = 255 - portb_value;
  writePort();
  bbt->showValue(portb_value);
  showPortLabel();
}

void TForm3::led_hantei() {
  portb_value = bbt->litValue();
  portb_level = 255 - portb_value;
  showPortLabel();
  writePort();
}

void TForm3::bbtClick(int bit) {
  bbt->toggle(bit);
  led_hantei();
}

void TForm3::Timer2Timer() { linkStep(); }

void TForm3::IMGokClick() { Timer2->start(); }

void TForm3::SCBjikanChange() {
  out_time = SCBjikan->value();
  showPortLabel();
}

void TForm3::UpDown1Click() { LBLkai->setText(QString::number(UpDown1->position())); }

void TForm3::pnlstopClick() { stop_request = 9; }

void TForm3::outputStep(int v, bool repeating) {
  portb_value = v;
  siteisuu_hantei();
  if (repeating && LSTpro->count() > 10) LSTpro->clear();
  LSTpro->addItem(QStringLiteral("portB %1,%2").arg(portb_value).arg(out_time));
  wait_.Timeout_Wait(static_cast<quint32>(out_time));
}

void TForm3::PNLproClick(int group, int pattern) {
  // Clicks reach here only between programs; the flag also keeps a click
  // delivered from code from nesting a second program inside the first.
  if (running_) return;
  const QList<int> pass = passValues(pattern);
  if (pass.isEmpty() || group < Once || group > ForNext) return;
  running_ = true;
  LSTpro->clear();
  PNLsyuuryou->setEnabled(false);
  Panel2->setEnabled(false);
  out_time = 300;

  const bool repeating = group != Once;
  if (group == DoLoop) {
    Timer2->stop();
    PNLstop->show();
    while (stop_request == 0) {
      for (int v : pass) outputStep(v, repeating);
    }
  } else {
    int count = 1;
    if (group == ForNext) {
      Timer2->stop();
      count = LBLkai->text().toInt();
    }
    for (int i = 0; i < count; ++i) {
      for (int v : pass) outputStep(v, repeating);
    }
  }

  portb_value = 0;
  siteisuu_hantei();
  Panel2->setEnabled(true);
  PNLsyuuryou->setEnabled(true);
  if (group != Once) {
    stop_request = 0;
    PNLstop->hide();
    Timer2->start();
  }
  running_ = false;
}

void TForm3::pnlsyuuryouClick() {
  if (running_) return;
  portb_value = 0;
  siteisuu_hantei();
  finishLeave();
}

void TForm3::leaveRequested() {
  if (running_) return;
  pnlsyuuryouClick();
}

}  // namespace pelmora
