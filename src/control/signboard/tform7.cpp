#include "control/signboard/tform7.h"

#include "control/signboard/lcd_palette.h"
#include "control/signboard/sign_file.h"
#include "platform/colors.h"
#include "platform/textfile.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

namespace pelmora {

using platform::ui::PanelButton;
using signboard::kCells;

namespace {

constexpr quint32 kCellWhite = platform::clWhite;
constexpr quint32 kCellPaleCyan = 0xFFFFDD;  // columns 17-20 and 37-40
constexpr quint32 kCursorYellow = platform::clYellow;

quint32 baseColour(int cell) {
  const int column = (cell - 1) % 40 + 1;
  return (column >= 17 && column <= 20) || column >= 37 ? kCellPaleCyan : kCellWhite;
}

QString shown(const QByteArray& bytes) { return platform::cp932::decode(bytes); }

QRadioButton* radio(QWidget* parent, const QString& text, int left, int top, int width = 100) {
  auto* r = new QRadioButton(text, parent);
  r->setGeometry(left, top, width, 20);
  return r;
}

QCheckBox* checkBox(QWidget* parent, const QString& text, int left, int top, int width = 100) {
  auto* c = new QCheckBox(text, parent);
  c->setGeometry(left, top, width, 20);
  return c;
}

QGroupBox* group(QWidget* parent, const QString& title, int left, int top, int width, int height) {
  auto* g = new QGroupBox(title, parent);
  g->setGeometry(left, top, width, height);
  return g;
}

const QString kDatFilter = QStringLiteral("dat (*.dat)");

}  // namespace

TForm7::TForm7(ToolHost& host) : ToolWindow(host, 13, QStringLiteral("電光掲示板（ＬＣＤ制御）"), 1000, 600) {
  setFont(platform::ui::font());
  buildGrid();
  buildPalette();
  buildGlyphEditor();
  buildConditions();
  buildOptions();
  buildFiles();
  showCells();
  showDots();
  showGlyphLabels();
  selectCircuit(host.targetCircuit());
}

void TForm7::buildGrid() {
  for (int i = 1; i <= kCells; ++i) {
    const int column = (i - 1) % 40;
    const int line = (i - 1) / 40;
    auto* p = new PanelButton(this, {}, 16 + column * 16, 12 + line * 24, 17, 25, baseColour(i));
    p->setBevelWidth(1);
    p->setFont(platform::ui::font(QStringLiteral("ＭＳ Ｐゴシック"), 16));
    p->setAccessibleName(QStringLiteral("%1行%2列").arg(line + 1).arg(column + 1));
    connect(p, &PanelButton::clicked, this, [this, i] { panelClick(i); });
    cell_panel[static_cast<size_t>(i - 1)] = p;
  }
  PNLsakujo = new PanelButton(this, QStringLiteral("削除"), 680, 12, 70, 49, 0xC0FFFF);
  PNLzensakujo = new PanelButton(this, QStringLiteral("全削除"), 758, 12, 70, 49, 0xBBBBFF);
  connect(PNLsakujo, &PanelButton::clicked, this, &TForm7::PNLsakujoClick);
  connect(PNLzensakujo, &PanelButton::clicked, this, &TForm7::PNLzensakujoClick);
}

void TForm7::buildPalette() {
  const QFont keyFont = platform::ui::font(QStringLiteral("ＭＳ ゴシック"), 21);
  for (int k = 1; k <= signboard::kKeyCount; ++k) {
    const QString caption = shown(signboard::keyCaption(k));
    // A push button shows "&&" as one ampersand, as the cell means it.
    auto* b = new QPushButton(caption, this);
    b->setGeometry(16 + (k - 1) / 16 * 32, 76 + (k - 1) % 16 * 24, 25, 25);
    b->setFont(keyFont);
    b->setFocusPolicy(Qt::NoFocus);
    b->setStyleSheet(QStringLiteral("QPushButton { padding: 0px; }"));
    if (k == 1) b->setAccessibleName(QStringLiteral("空白"));
    if (k == 97) b->setAccessibleName(QStringLiteral("空欄"));
    if (k == 7) b->setAccessibleName(QStringLiteral("&"));
    connect(b, &QPushButton::clicked, this, [this, k] { ButtonClick(k); });
    char_button[static_cast<size_t>(k - 1)] = b;
  }
}

void TForm7::buildGlyphEditor() {
  auto* g = group(this, QStringLiteral("外字作成"), 376, 70, 320, 215);
  for (int n = 1; n <= signboard::kDots; ++n) {
    const int r = (n - 1) / 5;
    const int c = (n - 1) % 5;
    auto* p = new PanelButton(g, {}, 12 + c * 16, 24 + r * 16, 17, 17, platform::clBlack);
    p->setBevelWidth(1);
    p->setAccessibleName(QStringLiteral("ドット %1行%2列").arg(r + 1).arg(c + 1));
    connect(p, &PanelButton::clicked, this, [this, n] { dotClick(n); });
    dot_panel[static_cast<size_t>(n - 1)] = p;
  }
  PNLsiro = new PanelButton(g, QStringLiteral("全白"), 8, 160, 44, 22);
  PNLkuro = new PanelButton(g, QStringLiteral("全黒"), 54, 160, 44, 22);
  PNLhanten = new PanelButton(g, QStringLiteral("反転"), 8, 186, 44, 22);
  PNLkakutei = new PanelButton(g, QStringLiteral("確定"), 54, 186, 44, 22, 0x80FFFF);
  connect(PNLsiro, &PanelButton::clicked, this, &TForm7::PNLsiroClick);
  connect(PNLkuro, &PanelButton::clicked, this, &TForm7::PNLkuroClick);
  connect(PNLhanten, &PanelButton::clicked, this, &TForm7::PNLhantenClick);
  connect(PNLkakutei, &PanelButton::clicked, this, &TForm7::PNLkakuteiClick);
  for (int i = 1; i <= signboard::kGlyphs; ++i) {
    auto* r = radio(g, QStringLiteral("G%1").arg(i - 1), 108, 20 + (i - 1) * 23, 44);
    auto* l = new QLabel(g);
    l->setGeometry(152, 20 + (i - 1) * 23, 162, 20);
    connect(r, &QRadioButton::toggled, this, [this, i](bool on) {
      if (on) RadioButtonClick(i);
    });
    glyph_radio[static_cast<size_t>(i - 1)] = r;
    glyph_label[static_cast<size_t>(i - 1)] = l;
  }
  // G0 is selected at start without repainting the untouched grid.
  glyph_radio[0]->blockSignals(true);
  glyph_radio[0]->setChecked(true);
  glyph_radio[0]->blockSignals(false);
}

void TForm7::buildConditions() {
  auto* g = group(this, QStringLiteral("入力条件"), 376, 292, 320, 120);
  CBjouken2 = checkBox(g, QStringLiteral("pinD.3"), 12, 24, 100);
  CBjouken3 = checkBox(g, QStringLiteral("pinD.4"), 12, 50, 100);
  CBjouken4 = checkBox(g, QStringLiteral("pinD.5"), 12, 76, 100);
  platform::ui::label(g, QStringLiteral("スイッチの状態"), 120, 24);
  LBLjouken = platform::ui::label(g, QStringLiteral("0"), 140, 44, 32);
  LBLjouken->setMinimumWidth(40);
  auto* frame = new QFrame(g);
  frame->setFrameShape(QFrame::Box);
  frame->setGeometry(220, 40, 84, 34);
  CBjouken = checkBox(frame, QStringLiteral("2,3,4"), 8, 7, 72);
  for (QCheckBox* box : {CBjouken2, CBjouken3, CBjouken4}) connect(box, &QCheckBox::toggled, this, &TForm7::jouken);
  connect(CBjouken, &QCheckBox::toggled, this, &TForm7::CBjoukenClick);

  auto* kairo = group(this, QStringLiteral("回路の選択"), 376, 420, 180, 96);
  RBkairo1 = radio(kairo, QStringLiteral("ペルモラマイコンボード"), 10, 22, 165);
  RBkairo2 = radio(kairo, QStringLiteral("ペルモラ学習回路"), 10, 46, 165);
  RBkairo3 = radio(kairo, QStringLiteral("ペルモラ測定ボード"), 10, 70, 165);
  RBkairo1->setChecked(true);
  connect(RBkairo1, &QRadioButton::toggled, this, [this](bool on) {
    if (on) RBkairoClick(1);
  });
  connect(RBkairo2, &QRadioButton::toggled, this, [this](bool on) {
    if (on) RBkairoClick(2);
  });
  connect(RBkairo3, &QRadioButton::toggled, this, [this](bool on) {
    if (on) RBkairoClick(3);
  });

  auto* avr = group(this, QStringLiteral("マイコン"), 562, 420, 134, 96);
  RBavr1 = radio(avr, QStringLiteral("Attiny2313"), 10, 22, 118);
  RBavr2 = radio(avr, QStringLiteral("ATmega168p"), 10, 46, 118);
  RBavr1->setChecked(true);
  CBcrystal = checkBox(avr, QStringLiteral("12MHz 水晶"), 10, 70, 118);
}

void TForm7::buildOptions() {
  auto* g = group(this, QStringLiteral("動作設定"), 712, 70, 270, 136);
  RBhidari = radio(g, QStringLiteral("左へ動く"), 12, 22);
  RBstop = radio(g, QStringLiteral("動かない"), 12, 48);
  RBmigi = radio(g, QStringLiteral("右へ動く"), 12, 74);
  RBblinkhidari = radio(g, QStringLiteral("点滅→左"), 12, 100);
  RBblink = radio(g, QStringLiteral("点滅"), 140, 22);
  RBblinkmigi = radio(g, QStringLiteral("点滅→右"), 140, 48);
  RBhidaristop = radio(g, QStringLiteral("上左、下止"), 140, 74);
  RBstophidari = radio(g, QStringLiteral("上止、下左"), 140, 100);
  RBstop->setChecked(true);

  platform::ui::label(this, QStringLiteral("点滅回数"), 716, 220);
  CBXkai = new QComboBox(this);
  CBXkai->setEditable(true);
  CBXkai->addItems({QStringLiteral("5回"), QStringLiteral("4回"), QStringLiteral("3回"), QStringLiteral("2回"),
                    QStringLiteral("1回")});
  CBXkai->setCurrentText(QStringLiteral("5回"));
  CBXkai->setGeometry(780, 214, 80, 24);
  CBXkai->setAccessibleName(QStringLiteral("点滅回数"));
  platform::ui::label(this, QStringLiteral("点滅速度"), 716, 250);
  CBXjikan = new QComboBox(this);
  CBXjikan->setEditable(true);
  CBXjikan->addItems({QStringLiteral("100m秒"), QStringLiteral("200m秒"), QStringLiteral("300m秒"),
                      QStringLiteral("400m秒"), QStringLiteral("500m秒")});
  CBXjikan->setCurrentText(QStringLiteral("300m秒"));
  CBXjikan->setGeometry(780, 244, 96, 24);
  CBXjikan->setAccessibleName(QStringLiteral("点滅速度"));

  auto* speed = group(this, QStringLiteral("動作速度"), 712, 276, 270, 84);
  RadioButton17 = radio(speed, QStringLiteral("速い"), 12, 22, 70);
  RadioButton18 = radio(speed, QStringLiteral("普通"), 92, 22, 70);
  RadioButton19 = radio(speed, QStringLiteral("遅い"), 172, 22, 70);
  RadioButton18->setChecked(true);
  ScrollBar1 = new QScrollBar(Qt::Horizontal, speed);
  ScrollBar1->setGeometry(12, 52, 246, 18);
  ScrollBar1->setRange(50, 1000);
  ScrollBar1->setSingleStep(50);
  ScrollBar1->setPageStep(100);
  ScrollBar1->setValue(300);
  ScrollBar1->setAccessibleName(QStringLiteral("動作速度"));
  connect(RadioButton17, &QRadioButton::toggled, this, [this](bool on) {
    if (on) RadioButton17Click();
  });
  connect(RadioButton18, &QRadioButton::toggled, this, [this](bool on) {
    if (on) RadioButton18Click();
  });
  connect(RadioButton19, &QRadioButton::toggled, this, [this](bool on) {
    if (on) RadioButton19Click();
  });
}

void TForm7::buildFiles() {
  auto* g = group(this, QStringLiteral("ファイル"), 712, 368, 270, 148);
  EDTfile = new QLineEdit(QStringLiteral("lcd1"), g);
  EDTfile->setGeometry(10, 22, 152, 26);
  EDTfile->setAccessibleName(QStringLiteral("ファイル名"));
  PNLhozon = new PanelButton(g, QStringLiteral("保存"), 168, 22, 44, 26, 0xFFE0E0);
  PNLyobidasi = new PanelButton(g, QStringLiteral("呼出"), 216, 22, 44, 26, 0xE0FFE0);
  for (int n = 1; n <= 9; ++n) {
    const QString caption = n == 1 ? QStringLiteral("1 編集中") : QString::number(n);
    const int left = n == 1 ? 10 : 10 + ((n - 2) % 4) * 40;
    const int top = n == 1 ? 56 : 82 + (n - 2) / 4 * 26;
    auto* r = radio(g, caption, left, top, n == 1 ? 90 : 38);
    connect(r, &QRadioButton::toggled, this, [this, n](bool on) {
      if (on) RBfileClick(n);
    });
    file_radio[static_cast<size_t>(n - 1)] = r;
  }
  // Slot 1 starts checked; the name stays "lcd1" until the menu or a slot sets it.
  file_radio[0]->blockSignals(true);
  file_radio[0]->setChecked(true);
  file_radio[0]->blockSignals(false);
  PNLread = new PanelButton(g, QStringLiteral("R"), 168, 82, 44, 26);
  PNLsave = new PanelButton(g, QStringLiteral("S"), 216, 82, 44, 26);
  PNLread->hide();
  PNLsave->hide();
  connect(PNLhozon, &PanelButton::clicked, this, &TForm7::PNLhozonClick);
  connect(PNLyobidasi, &PanelButton::clicked, this, &TForm7::PNLyobidasiClick);
  connect(PNLread, &PanelButton::clicked, this, &TForm7::PNLreadClick);
  connect(PNLsave, &PanelButton::clicked, this, &TForm7::PNLsaveClick);

  PNLbascom = new PanelButton(this, QStringLiteral("アップロード"), 712, 530, 130, 50, 0xFFC0FF);
  PNLsyuuryou = new PanelButton(this, QStringLiteral("終了"), 852, 530, 130, 50, 0x8080FF);
  connect(PNLbascom, &PanelButton::clicked, this, &TForm7::PNLbascomClick);
  connect(PNLsyuuryou, &PanelButton::clicked, this, &TForm7::PNLsyuuryouClick);
}

// ---- display -------------------------------------------------------------

void TForm7::showCell(int i) {
  PanelButton* p = cell_panel[static_cast<size_t>(i - 1)];
  const QByteArray& text = design_.cell(i);
  p->setCaption(text == "&&" ? QStringLiteral("&") : shown(text));
  // Two-letter custom characters need a smaller font to fit the cell.
  p->setFont(platform::ui::font(QStringLiteral("ＭＳ Ｐゴシック"), text.size() == 2 && text != "&&" ? 9 : 16));
  p->setColour(i == design_.cursor() ? kCursorYellow : baseColour(i));
}

void TForm7::showCells() {
  for (int i = 1; i <= kCells; ++i) showCell(i);
}

void TForm7::showDots() {
  for (int n = 1; n <= signboard::kDots; ++n) {
    PanelButton* p = dot_panel[static_cast<size_t>(n - 1)];
    p->setColour(grid_.dot(n) ? platform::clBlack : platform::clWhite);
    p->setAccessibleDescription(grid_.dot(n) ? QStringLiteral("黒") : QStringLiteral("白"));
  }
}

void TForm7::showGlyphLabels() {
  for (int g = 0; g < signboard::kGlyphs; ++g) glyph_label[static_cast<size_t>(g)]->setText(shown(design_.glyph(g)));
}

// ---- palette and cells ------------------------------------------------------

void TForm7::ButtonClick(int key) {
  design_.setCell(design_.cursor(), signboard::keyCaption(key));
  BClick();
}

void TForm7::BClick() {
  const int from = design_.cursor();
  design_.placeCursor(from >= kCells ? 1 : from + 1);
  showCell(from);
  showCell(design_.cursor());
}

void TForm7::BClick2() {
  const int from = design_.cursor();
  cell_panel[static_cast<size_t>(from - 1)]->setColour(baseColour(from));
}

void TForm7::panelClick(int cell) {
  BClick2();
  design_.placeCursor(cell);
  showCell(cell);
}

void TForm7::PNLsakujoClick() {
  design_.clearCells();
  showCells();
}

void TForm7::PNLzensakujoClick() {
  design_.clearAll();
  showCells();
}

// ---- custom characters -------------------------------------------------------

void TForm7::dotClick(int n) {
  grid_.toggle(n);
  showDots();
}

void TForm7::PNLsiroClick() {
  grid_.fill(false);
  showDots();
}

void TForm7::PNLkuroClick() {
  grid_.fill(true);
  showDots();
}

void TForm7::PNLhantenClick() {
  grid_.invert();
  showDots();
}

void TForm7::PNLkakuteiClick() {
  for (int i = 1; i <= signboard::kGlyphs; ++i) {
    if (!glyph_radio[static_cast<size_t>(i - 1)]->isChecked()) continue;
    design_.setGlyph(i - 1, grid_.definition(i - 1));
    showGlyphLabels();
    return;
  }
}

void TForm7::RadioButtonClick(int i) { RBClick(design_.glyph(i - 1)); }

void TForm7::RBClick(const QByteArray& rows) {
  if (const auto bad = grid_.paint(rows)) {
    ctx().prompts.message(QStringLiteral("'%1' は整数ではありません").arg(shown(*bad)));
    return;
  }
  showDots();
}

// ---- conditions and options -------------------------------------------------------

void TForm7::jouken() {
  design_.jouken(signboard::conditionOf(CBjouken2->isChecked(), CBjouken3->isChecked(), CBjouken4->isChecked()));
  LBLjouken->setText(QString::number(design_.condition()));
  showCells();
}

void TForm7::jouken2() {
  design_.jouken2();
  showCells();
}

int TForm7::circuit() const {
  if (RBkairo2->isChecked()) return 2;
  if (RBkairo3->isChecked()) return 3;
  return 1;
}

void TForm7::CBjoukenClick() {
  const bool shifted = CBjouken->isChecked();
  QStringList pins;
  switch (circuit()) {
    case 2:
      // The learning circuit reads port D; "2,3,4" means those pins there.
      pins = shifted ? QStringList{"pinD.2", "pinD.3", "pinD.4"} : QStringList{"pinD.0", "pinD.1", "pinD.6"};
      break;
    case 3:
      pins = shifted ? QStringList{"pinC.2", "pinC.3", "pinC.4"} : QStringList{"pinC.1", "pinC.2", "pinC.3"};
      break;
    default:
      pins = shifted ? QStringList{"pinD.2", "pinD.3", "pinD.4"} : QStringList{"pinD.3", "pinD.4", "pinD.5"};
      break;
  }
  CBjouken2->setText(pins[0]);
  CBjouken3->setText(pins[1]);
  CBjouken4->setText(pins[2]);
}

void TForm7::RBkairoClick(int c) {
  (c == 3 ? RBavr2 : RBavr1)->setChecked(true);
  CBcrystal->setChecked(c != 1);
  const QStringList pins = c == 3   ? QStringList{"pinC.1", "pinC.2", "pinC.3"}
                           : c == 2 ? QStringList{"pinD.0", "pinD.1", "pinD.6"}
                                    : QStringList{"pinD.3", "pinD.4", "pinD.5"};
  CBjouken2->setText(pins[0]);
  CBjouken3->setText(pins[1]);
  CBjouken4->setText(pins[2]);
  CBjouken->setChecked(false);
}

void TForm7::selectCircuit(int c) { (c == 2 ? RBkairo2 : c == 3 ? RBkairo3 : RBkairo1)->setChecked(true); }

void TForm7::setDialogPanelsVisible(bool visible) {
  PNLread->setVisible(visible);
  PNLsave->setVisible(visible);
}

void TForm7::RadioButton17Click() { ScrollBar1->setValue(100); }
void TForm7::RadioButton18Click() { ScrollBar1->setValue(300); }
void TForm7::RadioButton19Click() { ScrollBar1->setValue(500); }

// ---- files -----------------------------------------------------------------

QString TForm7::namedFile() {
  const QString name = EDTfile->text();
  if (!platform::isSafeNamePart(name)) {
    ctx().prompts.message(QStringLiteral("「%1」はファイル名に使えません！").arg(name));
    return {};
  }
  return ctx().path(QStringLiteral("data/") + name + QStringLiteral(".dat"));
}

bool TForm7::loadSignFile(const QString& path, const QList<QByteArray>& lines) {
  const auto content = signboard::parseSignFile(lines);
  if (content.badLine != 0) {
    ctx().prompts.message(path + QStringLiteral("の%1行目は電光掲示板のデータではありません！").arg(content.badLine));
    return false;
  }
  signboard::applySignFile(design_, content);
  showCells();
  showGlyphLabels();
  return true;
}

bool TForm7::readSignFile(const QString& path) {
  const auto lines = platform::textfile::readRawLines(path);
  if (!lines) {
    ctx().prompts.message(path + QStringLiteral("を読み込めません！"));
    return false;
  }
  return loadSignFile(path, *lines);
}

bool TForm7::writeSignFile(const QString& path) {
  const auto result = platform::textfile::writeRawLines(path, signboard::signFileLines(design_));
  if (!result) ctx().prompts.message(result.error);
  return result.ok;
}

void TForm7::PNLhozonClick() {
  jouken();
  const QString path = namedFile();
  if (path.isEmpty() || !ctx().prompts.askYesNo(path + QStringLiteral("にプログラムを保存しますか？"))) return;
  if (writeSignFile(path)) ctx().prompts.message(path + QStringLiteral("に保存しました！"));
}

void TForm7::PNLyobidasiClick() {
  jouken();
  const QString path = namedFile();
  if (path.isEmpty() || !ctx().prompts.askYesNo(path + QStringLiteral("を読み込みますか？"))) return;
  if (!platform::textfile::exists(path)) {
    ctx().prompts.message(path + QStringLiteral("が有りません！"));
    return;
  }
  readSignFile(path);
}

void TForm7::PNLreadClick() {
  jouken();
  // A cancelled dialog keeps the last choice.
  const QString chosen = ctx().prompts.openFileName(ctx().path(QStringLiteral("data")), kDatFilter);
  if (!chosen.isEmpty()) lastOpened_ = chosen;
  if (lastOpened_.isEmpty() || !ctx().prompts.askYesNo(lastOpened_ + QStringLiteral("を読み込みますか？"))) return;
  if (!platform::textfile::exists(lastOpened_)) {
    ctx().prompts.message(lastOpened_ + QStringLiteral("が有りません！"));
    return;
  }
  readSignFile(lastOpened_);
}

void TForm7::PNLsaveClick() {
  jouken();
  QString chosen = ctx().prompts.saveFileName(ctx().path(QStringLiteral("data/")), {}, kDatFilter);
  if (!chosen.isEmpty() && QFileInfo(chosen).suffix().isEmpty()) chosen += QStringLiteral(".dat");
  if (!chosen.isEmpty()) lastSaved_ = chosen;
  if (lastSaved_.isEmpty() || !ctx().prompts.askYesNo(lastSaved_ + QStringLiteral("にプログラムを保存しますか？"))) return;
  if (writeSignFile(lastSaved_)) ctx().prompts.message(lastSaved_ + QStringLiteral("に保存しました！"));
}

void TForm7::RBfileClick(int slot) {
  EDTfile->setText(QStringLiteral("lcd") + host().pupilNumber() + QStringLiteral("_") + QString::number(slot));
}

void TForm7::PNLsyuuryouClick() {
  jouken();
  // The working slot always lands in the data folder of the program folder,
  // where the menu looks for it; a failed save is reported, and the design
  // stays in the window for the next visit.
  const QString name = QStringLiteral("lcd") + host().pupilNumber() + QStringLiteral("_1");
  if (platform::isSafeNamePart(name)) {
    writeSignFile(ctx().path(QStringLiteral("data/") + name + QStringLiteral(".dat")));
  } else {
    ctx().prompts.message(QStringLiteral("「%1」はファイル名に使えません！").arg(name));
  }
  leaveToMenu();
}

// ---- BASIC -----------------------------------------------------------------

std::optional<signboard::BasicInput> TForm7::basicInput() {
  signboard::BasicInput in;
  in.mega168 = !RBavr1->isChecked();
  in.crystal12 = CBcrystal->isChecked();
  for (int g = 0; g < signboard::kGlyphs; ++g) in.glyphs[static_cast<size_t>(g)] = design_.glyph(g);
  for (int n = 0; n < signboard::kConditions; ++n) in.messages[static_cast<size_t>(n)] = design_.message(n);
  using signboard::Motion;
  const std::array<std::pair<QRadioButton*, Motion>, 8> motions{{{RBhidari, Motion::Hidari},
                                                                  {RBstop, Motion::Stop},
                                                                  {RBmigi, Motion::Migi},
                                                                  {RBblinkhidari, Motion::BlinkHidari},
                                                                  {RBblink, Motion::Blink},
                                                                  {RBblinkmigi, Motion::BlinkMigi},
                                                                  {RBhidaristop, Motion::HidariStop},
                                                                  {RBstophidari, Motion::StopHidari}}};
  for (const auto& [button, motion] : motions) {
    if (button->isChecked()) {
      in.motion = motion;
      break;
    }
  }
  in.shiftMs = QByteArray::number(ScrollBar1->value());
  const QStringList texts{CBXkai->currentText().left(1).trimmed(), CBXjikan->currentText().left(3),
                          CBjouken2->text(), CBjouken3->text(), CBjouken4->text()};
  std::array<QByteArray, 5> bytes;
  for (int i = 0; i < 5; ++i) {
    const auto encoded = platform::cp932::encode(texts[i]);
    if (!encoded) {
      ctx().prompts.message(QStringLiteral("「%1」はプログラムに書けない文字を含んでいます！").arg(texts[i]));
      return std::nullopt;
    }
    bytes[static_cast<size_t>(i)] = *encoded;
  }
  in.blinkCount = bytes[0];
  in.blinkMs = bytes[1];
  in.pins = {bytes[2], bytes[3], bytes[4]};
  return in;
}

bool TForm7::writeBasic(const QString& relative, const QByteArray& bytes) {
  const auto result = platform::textfile::writeBytes(ctx().path(relative), bytes);
  if (!result) ctx().prompts.message(result.error);
  return result.ok;
}

void TForm7::PNLbascomClick() {
  if (!ctx().prompts.askYesNo(QStringLiteral("マイコンの設定は良いですか？"))) return;
  jouken();
  const auto in = basicInput();
  if (!in) return;
  const QByteArray bytes = signboard::basicFileBytes(signboard::generateBasic(*in));
  // No upload of a program that did not reach both files.
  if (!writeBasic(QStringLiteral("data/bascom.bas"), bytes)) return;
  if (!writeBasic(QStringLiteral("mirvotak/mirvotak.bas"), bytes)) return;
  if (host().oneStepUpload()) host().upload();
}

}  // namespace pelmora
