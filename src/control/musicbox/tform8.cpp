#include "control/musicbox/tform8.h"

#include "control/musicbox/melody_file.h"
#include "control/musicbox/text_melody.h"
#include "platform/colors.h"
#include "platform/textfile.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>

#include <vector>

namespace pelmora {

using namespace musicbox;
using platform::bgr;
using platform::ui::PanelButton;

namespace {

QGroupBox* group(QWidget* parent, const QString& title, int left, int top, int width, int height) {
  auto* g = new QGroupBox(title, parent);
  g->setGeometry(left, top, width, height);
  return g;
}

QRadioButton* radio(QWidget* parent, const QString& text, int left, int top, int width) {
  auto* r = new QRadioButton(text, parent);
  r->setGeometry(left, top, width, 20);
  return r;
}

QCheckBox* check(QWidget* parent, const QString& text, int left, int top, int width) {
  auto* c = new QCheckBox(text, parent);
  c->setGeometry(left, top, width, 20);
  return c;
}

template <size_t N>
int checkedIndex(const std::array<QRadioButton*, N>& radios) {
  for (size_t i = 1; i < N; ++i) {
    if (radios[i] && radios[i]->isChecked()) return static_cast<int>(i);
  }
  return 0;
}

// Rest symbols for the rest buttons, whole to sixteenth.
QIcon restIcon(int kind) {
  QPixmap pm(30, 24);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(Qt::black, 1));
  p.drawLine(2, 8, 28, 8);
  p.drawLine(2, 14, 28, 14);
  p.setBrush(Qt::black);
  switch (kind) {
    case 0: p.drawRect(10, 8, 10, 3); break;   // whole: hangs under a line
    case 1: p.drawRect(10, 11, 10, 3); break;  // half: sits on a line
    case 2: {                                   // quarter
      p.setPen(QPen(Qt::black, 2));
      const QPointF zig[] = {{13, 2}, {18, 8}, {13, 13}, {18, 18}, {14, 17}, {16, 22}};
      p.drawPolyline(zig, 6);
      break;
    }
    default: {  // eighth and sixteenth: a flag per dot on a stroke
      p.setPen(QPen(Qt::black, 2));
      p.drawLine(QPointF(19, 5), QPointF(14, 21));
      p.setPen(Qt::NoPen);
      p.drawEllipse(QPointF(13, 6), 2.5, 2.5);
      if (kind == 4) p.drawEllipse(QPointF(11, 12), 2.5, 2.5);
      break;
    }
  }
  return QIcon(pm);
}

const QString kRestNames[5] = {QStringLiteral("全休符"), QStringLiteral("２分休符"), QStringLiteral("４分休符"),
                               QStringLiteral("８分休符"), QStringLiteral("１６分休符")};

}  // namespace

TForm8::TForm8(ToolHost& host) : ToolWindow(host, 15, QStringLiteral("電子オルゴール"), 1158, 644, 0xF8F0E8) {
  buildNotes();
  buildData();
  buildCurrentNote();
  buildMicrocontroller();
  buildFiles();
  buildKeyboard();

  // FormCreate
  CurLine = 1;
  selectCircuit(host.targetCircuit());
  RBcolor();
  kakutei();
}

void TForm8::buildNotes() {
  auto* notes = group(this, QStringLiteral("音階"), 8, 4, 544, 268);
  constexpr int kColumn = 76;
  // Key signature: the sharp boxes above the sharps' columns, then the flats.
  const int sharpBoxes[5][2] = {{2, 1}, {4, 2}, {1, 4}, {3, 5}, {10, 6}};
  const int flatBoxes[5][2] = {{7, 2}, {6, 3}, {9, 5}, {8, 6}, {5, 7}};
  for (const auto& [box, letter] : sharpBoxes)
    keyBoxes[static_cast<size_t>(box)] = check(notes, QStringLiteral("#"), 8 + (letter - 1) * kColumn, 18, 40);
  for (const auto& [box, letter] : flatBoxes)
    keyBoxes[static_cast<size_t>(box)] = check(notes, QStringLiteral("b"), 8 + (letter - 1) * kColumn + 36, 18, 36);
  for (int box = 1; box <= 10; ++box) {
    QCheckBox* b = keyBoxes[static_cast<size_t>(box)];
    b->setObjectName(QStringLiteral("CheckBox%1").arg(box));
    connect(b, &QCheckBox::toggled, this, [this] { RBcolor(); });
  }
  for (int slot = 1; slot <= kNoteSlots; ++slot) {
    int left = 8, top = 240;
    if (slot <= 63) {
      const int kind = (slot - 1) / 21;
      const int octave = ((slot - 1) % 21) / 7;
      const int letter = (slot - 1) % 7 + 1;
      left = 8 + (letter - 1) * kColumn;
      top = 42 + octave * 66 + kind * 21;
    }
    auto* r = radio(notes, noteCaption(slot), left, top, kColumn - 4);
    r->setObjectName(QStringLiteral("RadioButton%1").arg(slot));
    r->setVisible(noteSlotVisible(slot));
    // A button fills its background from the Button role; the key colours
    // are set on Window, so the whole cell must paint from that.
    r->setBackgroundRole(QPalette::Window);
    noteRadios[static_cast<size_t>(slot)] = r;
    connect(r, &QRadioButton::toggled, this, [this](bool on) {
      if (on) kakutei();
    });
  }
  noteRadios[static_cast<size_t>(naturalSlot(1, 1))]->setChecked(true);

  auto* lengths = group(this, QStringLiteral("音符"), 560, 4, 122, 268);
  for (int i = 1; i <= kLengthCount; ++i) {
    auto* r = radio(lengths, lengthCaption(i), 8, 18 + (i - 1) * 21, 110);
    r->setObjectName(QStringLiteral("RBf%1").arg(i));
    RBf[static_cast<size_t>(i)] = r;
    connect(r, &QRadioButton::toggled, this, [this](bool on) {
      if (on) kakutei();
    });
  }
  RBf[kLengthCount]->hide();
  RBf[kDefaultLength]->setChecked(true);

  auto* tempos = group(this, QStringLiteral("テンポ"), 690, 4, 72, 172);
  for (int i = 1; i <= kTempoCount; ++i) {
    auto* r = radio(tempos, tempoCaption(i), 10, 18 + (i - 1) * 21, 56);
    r->setObjectName(QStringLiteral("RadioButton%1").arg(74 + i));
    tempoRadios[static_cast<size_t>(i)] = r;
  }
  tempoRadios[kDefaultTempo]->setChecked(true);
}

void TForm8::buildData() {
  auto* data = group(this, QStringLiteral("データ"), 8, 278, 520, 358);
  QFont mono = platform::ui::font(QStringLiteral("ＭＳ ゴシック"), 11);
  Edit2 = new QLineEdit(kDefaultTempoLine, data);
  Edit2->setGeometry(30, 18, 120, 22);
  Edit2->setFont(mono);
  Edit2->setAccessibleName(QStringLiteral("テンポ"));
  for (int n = 1; n <= kLineCount; ++n) {
    const int top = 44 + (n - 1) * 24;
    auto* selector = radio(data, QString(), 8, top + 1, 20);
    selector->setObjectName(QStringLiteral("RadioButton%1").arg(81 + n));
    selector->setAccessibleName(QStringLiteral("%1行目").arg(n));
    lineSelectors[static_cast<size_t>(n)] = selector;
    connect(selector, &QRadioButton::toggled, this, [this, n](bool on) {
      if (on) LineSelectorClick(n);
    });
    auto* edit = new QLineEdit(data);
    edit->setGeometry(30, top, 482, 22);
    edit->setFont(mono);
    edit->setObjectName(QStringLiteral("Edit%1").arg(n + 2));
    edit->setAccessibleName(QStringLiteral("データ%1行目").arg(n));
    dataEdits[static_cast<size_t>(n)] = edit;
  }
  dataEdits[1]->setText(QStringLiteral(" "));
  lineSelectors[1]->setChecked(true);
}

void TForm8::buildCurrentNote() {
  auto* box = new QWidget(this);
  box->setGeometry(536, 282, 226, 354);
  Edit1 = new QLineEdit(box);
  Edit1->setGeometry(0, 4, 90, 30);
  QFont bold = platform::ui::font(QStringLiteral("ＭＳ ゴシック"), 18, true);
  Edit1->setFont(bold);
  QPalette red = Edit1->palette();
  red.setColor(QPalette::Text, bgr(platform::clRed));
  Edit1->setPalette(red);
  Edit1->setAccessibleName(QStringLiteral("音符コード"));
  edit131 = new QLineEdit(box);
  edit131->setGeometry(96, 4, 128, 30);
  edit131->setReadOnly(true);
  edit131->setAccessibleName(QStringLiteral("音符"));

  Panel3 = new PanelButton(box, QStringLiteral("←追加"), 0, 42, 90, 30, 0xC0FFC0);
  Panel2 = new PanelButton(box, QStringLiteral("←確認"), 96, 42, 90, 30);
  Panel2->hide();
  CheckBox11 = check(box, QStringLiteral("直接入力"), 100, 48, 120);
  CheckBox11->setChecked(true);
  connect(Panel3, &PanelButton::clicked, this, &TForm8::panel3Click);
  connect(Panel2, &PanelButton::clicked, this, &TForm8::panel2Click);
  connect(CheckBox11, &QCheckBox::toggled, this, &TForm8::CheckBox11Click);

  for (int i = 0; i < 5; ++i) {
    auto* b = new QPushButton(box);
    b->setGeometry(i * 44, 82, 40, 32);
    b->setIcon(restIcon(i));
    b->setIconSize(QSize(30, 24));
    b->setAccessibleName(kRestNames[i]);
    b->setToolTip(kRestNames[i]);
    buttons[static_cast<size_t>(33 + i)] = b;
    connect(b, &QPushButton::clicked, this, [this, i] { ButtonClick(33 + i); });
  }

  Button51 = new QPushButton(QStringLiteral("下へ移動"), box);
  Button51->setGeometry(0, 126, 108, 28);
  Button52 = new QPushButton(QStringLiteral("整理"), box);
  Button52->setGeometry(116, 126, 108, 28);
  PNLsakujo = new PanelButton(box, QStringLiteral("全削除"), 0, 162, 224, 30, 0xC0C0FF);
  connect(Button51, &QPushButton::clicked, this, &TForm8::Button51Click);
  connect(Button52, &QPushButton::clicked, this, &TForm8::Button52Click);
  connect(PNLsakujo, &PanelButton::clicked, this, &TForm8::PNLsakujoClick);

  Label4 = new QLabel(QStringLiteral("BASCOM-AVRでATtiny2313の場合、82音までしか利用できません。"), box);
  Label4->setGeometry(0, 202, 224, 48);
  Label4->setWordWrap(true);
  Label4->setFont(platform::ui::font());
}

void TForm8::buildMicrocontroller() {
  auto* avr = group(this, QStringLiteral("マイコン"), 770, 4, 180, 82);
  RBavr1 = radio(avr, QStringLiteral("Attiny2313"), 10, 18, 160);
  RBavr2 = radio(avr, QStringLiteral("ATmega168p"), 10, 38, 160);
  CBcrystal = check(avr, QStringLiteral("12MHz 水晶"), 10, 58, 160);
  RBavr1->setChecked(true);

  auto* circuits = group(this, QStringLiteral("回路の選択"), 958, 4, 192, 82);
  RBkairo1 = radio(circuits, QStringLiteral("マイコンボード"), 10, 18, 176);
  RBkairo2 = radio(circuits, QStringLiteral("ペルモラ学習回路"), 10, 38, 176);
  RBkairo3 = radio(circuits, QStringLiteral("ペルモラ測定ボード"), 10, 58, 176);
  RBkairo1->setChecked(true);
  const std::array<QRadioButton*, 3> kairo{RBkairo1, RBkairo2, RBkairo3};
  for (int i = 0; i < 3; ++i) {
    connect(kairo[static_cast<size_t>(i)], &QRadioButton::toggled, this, [this, i](bool on) {
      if (on) RBkairoClick(i + 1);
    });
  }

  auto* pins = group(this, QStringLiteral("出力先"), 770, 90, 380, 64);
  for (int b = 0; b < 8; ++b) RBb[static_cast<size_t>(b)] = radio(pins, QStringLiteral("B%1").arg(b), 10 + b * 46, 18, 44);
  RBc5 = radio(pins, QStringLiteral("PortC.5"), 10, 40, 80);
  RBd0 = radio(pins, QStringLiteral("D0"), 102, 40, 44);
  RBd1 = radio(pins, QStringLiteral("D1"), 148, 40, 44);
  RBb[0]->setChecked(true);
  std::vector<QRadioButton*> all(RBb.begin(), RBb.end());
  all.insert(all.end(), {RBc5, RBd0, RBd1});
  for (QRadioButton* pin : all) {
    connect(pin, &QRadioButton::toggled, this, [this, pin](bool on) {
      if (on) PinClick(pin);
    });
  }
  Label3 = new QLabel(soundLineFor(QStringLiteral("Portb.0")), this);
  Label3->hide();

  auto* input = group(this, QStringLiteral("入力指定"), 770, 158, 380, 64);
  CheckBox12 = check(input, QStringLiteral("する"), 10, 18, 70);
  CheckBox13 = check(input, QStringLiteral("=0"), 90, 18, 60);
  CheckBox13->setChecked(true);
  const QString names[6] = {QStringLiteral("D0"), QStringLiteral("D1"), QStringLiteral("D3"),
                            QStringLiteral("D4"), QStringLiteral("D5"), QStringLiteral("D6")};
  for (int i = 0; i < 6; ++i) {
    auto* r = radio(input, names[i], 10 + i * 46, 40, 44);
    r->setObjectName(QStringLiteral("RadioButton%1").arg(67 + i));
    conditionPins[static_cast<size_t>(i)] = r;
  }
  conditionPins[5]->setChecked(true);
  connect(CheckBox12, &QCheckBox::toggled, this, &TForm8::CheckBox12Click);
  CheckBox12Click();

  Panel1 = new PanelButton(this, QStringLiteral("アップロード"), 770, 586, 180, 50, 0x80FFFF);
  Panel4 = new PanelButton(this, QStringLiteral("終了"), 970, 586, 180, 50, 0x8080FF);
  connect(Panel1, &PanelButton::clicked, this, &TForm8::panel1Click);
  connect(Panel4, &PanelButton::clicked, this, &TForm8::panel4Click);
}

void TForm8::buildFiles() {
  auto* files = group(this, QStringLiteral("ファイル操作"), 770, 226, 380, 108);
  EDTfile = new QLineEdit(QStringLiteral("org1"), files);
  EDTfile->setGeometry(10, 20, 130, 24);
  EDTfile->setAccessibleName(QStringLiteral("ファイル名"));
  for (int n = 1; n <= 9; ++n) {
    const QString caption = n == 1 ? QStringLiteral("1 編集中") : QString::number(n);
    const int left = n == 1 ? 150 : 230 + (n - 2) % 4 * 38;
    auto* r = radio(files, caption, left, n <= 5 ? 22 : 46, n == 1 ? 76 : 36);
    r->setObjectName(QStringLiteral("RBfile%1").arg(n));
    RBfile[static_cast<size_t>(n)] = r;
  }
  RBfile[1]->setChecked(true);
  for (int n = 1; n <= 9; ++n) {
    connect(RBfile[static_cast<size_t>(n)], &QRadioButton::toggled, this, [this, n](bool on) {
      if (on) RBfileClick(n);
    });
  }
  PNLhozon = new PanelButton(files, QStringLiteral("保存"), 10, 72, 80, 28, 0xFFE0C0);
  PNLyobidasi = new PanelButton(files, QStringLiteral("呼出"), 98, 72, 80, 28, 0xC0FFFF);
  PNLread = new PanelButton(files, QStringLiteral("R"), 226, 72, 60, 28);
  PNLsave = new PanelButton(files, QStringLiteral("S"), 294, 72, 60, 28);
  PNLread->setAccessibleName(QStringLiteral("R（ファイルを選んで読み込み）"));
  PNLsave->setAccessibleName(QStringLiteral("S（ファイルを選んで保存）"));
  PNLread->hide();
  PNLsave->hide();
  connect(PNLhozon, &PanelButton::clicked, this, &TForm8::PNLhozonClick);
  connect(PNLyobidasi, &PanelButton::clicked, this, &TForm8::PNLyobidasiClick);
  connect(PNLread, &PanelButton::clicked, this, &TForm8::PNLreadClick);
  connect(PNLsave, &PanelButton::clicked, this, &TForm8::PNLsaveClick);
}

void TForm8::buildKeyboard() {
  constexpr int kWhite = 18;
  auto* Panel8 = new QWidget(this);
  Panel8->setGeometry(770, 342, 21 * kWhite + 2, 84);
  platform::ui::setBackground(Panel8, platform::clBlack);
  const QString solfa[7] = {QStringLiteral("ド"), QStringLiteral("レ"), QStringLiteral("ミ"), QStringLiteral("ﾌｧ"),
                            QStringLiteral("ソ"), QStringLiteral("ラ"), QStringLiteral("シ")};
  for (int i = 0; i < 21; ++i) {
    auto* key = new PanelButton(Panel8, QString(), 1 + i * kWhite, 1, kWhite - 1, 82, platform::clWhite);
    key->setBevelWidth(1);
    key->setAccessibleName(noteCaption(i + 1).trimmed());
    keyPanels[static_cast<size_t>(9 + i)] = key;
    connect(key, &PanelButton::clicked, this, [this, i] { PanelClick(9 + i); });
  }
  // Black keys sit over the gaps after C, D, F, G and A.
  const int after[5] = {1, 2, 4, 5, 6};
  for (int i = 0; i < 15; ++i) {
    const int octave = i / 5;
    const int x = 1 + (octave * 7 + after[i % 5]) * kWhite - 6;
    auto* key = new PanelButton(Panel8, QString(), x, 1, 12, 50, 0x202020);
    key->setBevelWidth(1);
    key->setAccessibleName(noteCaption(sharpSlot(octave, after[i % 5])).trimmed());
    key->raise();
    keyPanels[static_cast<size_t>(30 + i)] = key;
    connect(key, &PanelButton::clicked, this, [this, i] { PanelClick(30 + i); });
  }
  for (int b = 1; b <= 21; ++b) {
    auto* button = new QPushButton(solfa[(b - 1) % 7], this);
    button->setGeometry(770 + 1 + (b - 1) * kWhite, 428, kWhite, 26);
    button->setFont(platform::ui::font(QStringLiteral("ＭＳ Ｐゴシック"), 10));
    button->setAccessibleName(noteCaption(b).trimmed());
    buttons[static_cast<size_t>(b)] = button;
    connect(button, &QPushButton::clicked, this, [this, b] { ButtonClick(b); });
  }
}

// ---- What the menu hands over ----

void TForm8::selectCircuit(int circuit) {
  (circuit == 2 ? RBkairo2 : circuit == 3 ? RBkairo3 : RBkairo1)->setChecked(true);
}

void TForm8::setDialogPanelsVisible(bool visible) {
  PNLread->setVisible(visible);
  PNLsave->setVisible(visible);
}

DataLines TForm8::dataLines() const {
  DataLines lines;
  for (int n = 1; n <= kLineCount; ++n) lines[static_cast<size_t>(n - 1)] = dataEdits[static_cast<size_t>(n)]->text();
  return lines;
}

void TForm8::setDataLines(const DataLines& lines) {
  for (int n = 1; n <= kLineCount; ++n) {
    QLineEdit* edit = dataEdits[static_cast<size_t>(n)];
    if (edit->text() != lines[static_cast<size_t>(n - 1)]) edit->setText(lines[static_cast<size_t>(n - 1)]);
  }
}

KeySignature TForm8::keySignature() const {
  KeySignature key{};
  for (int box = 1; box <= 10; ++box) key[static_cast<size_t>(box)] = keyBoxes[static_cast<size_t>(box)]->isChecked();
  return key;
}

// ---- Editing ----

void TForm8::kakutei() {
  if (!Edit1) return;  // the radios' defaults are set while the window is built
  const int tempo = checkedIndex(tempoRadios);
  const Composed c = compose(checkedIndex(noteRadios), checkedIndex(RBf), tempo);
  Edit1->setText(c.edit1);
  if (tempo > 0) Edit2->setText(c.edit2);
  edit131->setText(c.edit131);
}

void TForm8::kakutei2() {
  kakutei();
  if (CheckBox11->isChecked()) appendToCurrentLine(codeFromEdit(Edit1->text()));
}

void TForm8::panel2Click() { kakutei(); }

void TForm8::panel3Click() {
  if (Edit1->text().isEmpty()) return;
  appendToCurrentLine(codeFromEdit(Edit1->text()));
}

void TForm8::appendToCurrentLine(const QString& code) {
  DataLines lines = dataLines();
  const AppendResult r = appendCode(lines, CurLine, code);
  setDataLines(lines);
  if (r.showFull) ctx().prompts.message(kFullMessage);
  checkLineSelector(CurLine);
}

void TForm8::checkLineSelector(int line) {
  lineSelectors[static_cast<size_t>(line)]->setChecked(true);
  CurLine = line;
}

void TForm8::LineSelectorClick(int line) { CurLine = line; }

void TForm8::RBcolor() {
  const auto yellow = keyColours(keySignature());
  for (int slot = 1; slot <= kNoteSlots; ++slot)
    platform::ui::setBackground(noteRadios[static_cast<size_t>(slot)], yellow[static_cast<size_t>(slot)] ? platform::clYellow : platform::clWhite);
}

void TForm8::CheckBox11Click() { Panel3->setVisible(!CheckBox11->isChecked()); }

void TForm8::ButtonClick(int button) {
  if (button >= 1 && button <= 21) {
    noteRadios[static_cast<size_t>(solfegeSlot(button, keySignature()))]->setChecked(true);
  } else if (button >= 33 && button <= 37) {
    noteRadios[kRestSlot]->setChecked(true);
    RBf[static_cast<size_t>(restButtonLength(button))]->setChecked(true);
  } else {
    return;
  }
  kakutei2();
}

void TForm8::PanelClick(int panel) {
  if (panel >= 9 && panel <= 29) noteRadios[static_cast<size_t>(whiteKeySlot(panel))]->setChecked(true);
  else if (panel >= 30 && panel <= 44) noteRadios[static_cast<size_t>(blackKeySlot(panel, keySignature()))]->setChecked(true);
  else return;
  kakutei2();
}

void TForm8::Button51Click() {
  int s = 1;
  for (int n = kLineCount; n >= 1; --n) {
    if (lineSelectors[static_cast<size_t>(n)]->isChecked()) {
      s = n;
      break;
    }
  }
  DataLines lines = dataLines();
  if (!insertEmptyLine(lines, s)) {
    ctx().prompts.message(kFullMessage);
    return;
  }
  setDataLines(lines);
  checkLineSelector(s);
}

void TForm8::Button52Click() {
  DataLines lines = dataLines();
  tidy(lines);
  setDataLines(lines);
}

void TForm8::PNLsakujoClick() {
  if (!ctx().prompts.askYesNo(QStringLiteral("データを削除しますか？"))) return;
  setDataLines(DataLines{});
}

// ---- Files ----

void TForm8::RBfileClick(int slot) {
  EDTfile->setText(QStringLiteral("org") + host().pupilNumber() + QStringLiteral("_") + QString::number(slot));
}

QString TForm8::slotPath() {
  if (!platform::isSafeNamePart(EDTfile->text())) {
    ctx().prompts.message(QStringLiteral("ファイル名に使えない文字が含まれています！"));
    return {};
  }
  return ctx().path(QStringLiteral("data/") + EDTfile->text() + QStringLiteral(".dat"));
}

bool TForm8::writeMelody(const QString& path) {
  const auto result = platform::textfile::writeLines(path, melodyFileLines(Edit2->text(), dataLines()));
  if (!result) ctx().prompts.message(result.error);
  return result.ok;
}

bool TForm8::askToRead(const QString& path) {
  if (!ctx().prompts.askYesNo(path + QStringLiteral("を読み込みますか？"))) return false;
  if (!platform::textfile::exists(path)) {
    ctx().prompts.message(path + QStringLiteral("が有りません！"));
    return false;
  }
  return true;
}

void TForm8::showLoaded(const QString& tempoLine, const DataLines& lines) {
  Edit2->setText(tempoLine);
  // The next note keeps the loaded tempo: its radio is checked, or none when
  // no radio names it (until the pupil picks one).
  int match = 0;
  for (int i = 1; i <= kTempoCount; ++i) {
    if (tempoLine == QStringLiteral("data ") + tempoCaption(i)) match = i;
  }
  for (int i = 1; i <= kTempoCount; ++i) {
    QRadioButton* r = tempoRadios[static_cast<size_t>(i)];
    r->setAutoExclusive(false);
    r->setChecked(i == match);
    r->setAutoExclusive(true);
  }
  setDataLines(lines);
}

bool TForm8::readMelodyFile(const QString& path) {
  const auto fileLines = platform::textfile::readLines(path);
  if (!fileLines) {
    ctx().prompts.message(path + QStringLiteral("を読み込めません！"));
    return false;
  }
  const MelodyFileContent content = musicbox::readMelodyFile(*fileLines);
  showLoaded(content.tempoLine, content.lines);
  if (content.cut)
    ctx().prompts.message(path + QStringLiteral("は%1行を超えています。%1行目までを読み込みました！").arg(kLineCount));
  return true;
}

void TForm8::importTextMelody(const QString& path) {
  const auto fileLines = platform::textfile::readLines(path);
  if (!fileLines) {
    ctx().prompts.message(path + QStringLiteral("を読み込めません！"));
    return;
  }
  const TextMelody melody = musicbox::importTextMelody(*fileLines);
  if (!melody.ok) {
    ctx().prompts.message(path + QStringLiteral("の%1行目「%2」は読み込めません！").arg(melody.errorLine).arg(melody.errorText));
    return;
  }
  showLoaded(melody.tempoLine, melody.lines);
  if (melody.cut)
    ctx().prompts.message(path + QStringLiteral("は%1音を超えています。%1音目までを読み込みました！").arg(kMaxImportedNotes));
}

void TForm8::PNLhozonClick() {
  const QString path = slotPath();
  if (path.isEmpty()) return;
  if (!ctx().prompts.askYesNo(path + QStringLiteral("にプログラムを保存しますか？"))) return;
  if (writeMelody(path)) ctx().prompts.message(path + QStringLiteral("に保存しました！"));
}

void TForm8::PNLyobidasiClick() {
  const QString path = slotPath();
  if (path.isEmpty() || !askToRead(path)) return;
  readMelodyFile(path);
}

void TForm8::PNLsaveClick() {
  QString name = ctx().prompts.saveFileName(ctx().path(QStringLiteral("data/")), EDTfile->text() + QStringLiteral(".dat"),
                                            QStringLiteral("dat (*.dat)"));
  if (name.isEmpty()) return;
  if (QFileInfo(name).suffix().isEmpty()) name += QStringLiteral(".dat");
  if (!ctx().prompts.askYesNo(name + QStringLiteral("にプログラムを保存しますか？"))) return;
  if (writeMelody(name)) ctx().prompts.message(name + QStringLiteral("に保存しました！"));
}

void TForm8::PNLreadClick() {
  const QString name = ctx().prompts.openFileName(ctx().path(QStringLiteral("data/")),
                                                  QStringLiteral("オルゴールデータ (*.dat *.ekm)"));
  if (name.isEmpty()) return;
  if (isTextMelodyFile(name)) {
    if (askToRead(name)) importTextMelody(name);
  } else if (isMelodyFile(name)) {
    if (askToRead(name)) readMelodyFile(name);
  }
}

void TForm8::panel4Click() {
  // Slot 1 is saved on leaving, whatever slot is selected.
  const QString number = host().pupilNumber();
  if (number.isEmpty() || platform::isSafeNamePart(number))
    writeMelody(ctx().path(QStringLiteral("data/org") + number + QStringLiteral("_1.dat")));
  leaveToMenu();
}

// ---- Program generation ----

GeneratorSettings TForm8::generatorSettings() const {
  GeneratorSettings s;
  s.attiny2313 = RBavr1->isChecked();
  s.crystal12MHz = CBcrystal->isChecked();
  s.soundLine = Label3->text();
  s.inputCondition = CheckBox12->isChecked();
  s.conditionLow = CheckBox13->isChecked();
  const int pinNumbers[6] = {0, 1, 3, 4, 5, 6};
  for (int i = 0; i < 6; ++i) {
    if (conditionPins[static_cast<size_t>(i)]->isChecked()) s.conditionPin = pinNumbers[i];
  }
  return s;
}

void TForm8::panel1Click() {
  const QString tempoLine = Edit2->text();
  if (!tempoOf(tempoLine)) {
    ctx().prompts.message(kTempoRangeMessage);
    return;
  }
  if (!ctx().prompts.askYesNo(QStringLiteral("マイコンの設定は良いですか？"))) return;
  const GeneratorSettings s = generatorSettings();
  const DataLines lines = dataLines();
  const auto bascom = platform::textfile::writeLines(ctx().path(QStringLiteral("data/bascom.bas")),
                                                     generateBasic(s, tempoLine, lines, BasicTarget::Bascom));
  const auto mirvotak = platform::textfile::writeLines(ctx().path(QStringLiteral("mirvotak/mirvotak.bas")),
                                                       generateBasic(s, tempoLine, lines, BasicTarget::Mirvotak));
  if (!bascom || !mirvotak) {
    QStringList errors;
    if (!bascom) errors << bascom.error;
    if (!mirvotak) errors << mirvotak.error;
    ctx().prompts.message(errors.join(QLatin1Char('\n')));
    return;
  }
  if (host().oneStepUpload()) {
    host().upload();
  } else {
    ctx().prompts.message(QStringLiteral("「mirvotak」フォルダに「mirvotak.bas」として保存しました！\n\n"
                                         "（「data」フォルダに「bascom.bas」としても保存しました！）"));
  }
}

void TForm8::PinClick(QRadioButton* pin) {
  QString name = pin->text();
  if (name.startsWith(QLatin1Char('B'))) name = QStringLiteral("Portb.") + name.mid(1);
  else if (name.startsWith(QLatin1Char('D'))) name = QStringLiteral("PortD.") + name.mid(1);
  Label3->setText(soundLineFor(name));
}

void TForm8::RBkairoClick(int circuit) {
  RBc5->setVisible(circuit != 2);
  (circuit == 1 ? RBb[0] : circuit == 2 ? RBd1 : RBc5)->setChecked(true);
  (circuit == 3 ? RBavr2 : RBavr1)->setChecked(true);
  CBcrystal->setChecked(circuit != 1);
}

void TForm8::CheckBox12Click() {
  const bool on = CheckBox12->isChecked();
  CheckBox13->setVisible(on);
  for (QRadioButton* r : conditionPins) r->setVisible(on);
}

}  // namespace pelmora
