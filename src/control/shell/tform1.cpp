#include "control/shell/tform1.h"

#include "control/experiments/tform2.h"
#include "control/experiments/tform3.h"
#include "control/experiments/tform4.h"
#include "control/experiments/tform5.h"
#include "control/musicbox/tform8.h"
#include "control/shell/tform9.h"
#include "control/signboard/tform7.h"
#include "control/workbench/program_file.h"
#include "control/workbench/tform6.h"
#include "platform/colors.h"
#include "platform/numbers.h"
#include "platform/textfile.h"
#include "platform/ui/menu_picture.h"

#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QPushButton>
#include <QSignalBlocker>

namespace pelmora {

using platform::bgr;
using platform::ui::PanelButton;

namespace {

QCheckBox* checkBox(QWidget* parent, const QString& text, int left, int top, int width) {
  auto* cb = new QCheckBox(text, parent);
  cb->setGeometry(left, top, width, 20);
  return cb;
}

// A group inside a group is announced by the outer title unless it is named.
QGroupBox* innerGroup(QGroupBox* parent, const QString& title) {
  auto* g = new QGroupBox(title, parent);
  g->setAccessibleName(title);
  return g;
}

}  // namespace

TForm1::TForm1(const platform::AppContext& ctx) : ctx_(ctx) {
  setWindowTitle(QStringLiteral("Tesk制御Pelmora                                        ver.2013.11.09"));
  setFixedSize(571, 414);
  platform::ui::setBackground(this, 0xD0FFFF);
  buildControls();

  // FormCreate
  FormPositions.fill(0);
  AppDir = ctx_.appDir;
  ini_yomikomi();
  QDir dir(AppDir);
  if (!dir.exists(QStringLiteral("data"))) dir.mkdir(QStringLiteral("data"));
}

void TForm1::buildControls() {
  new platform::ui::MenuPicture(platform::ui::MenuPicture::Board::Control, this, 24, 16, 121, 97);
  Label2 = platform::ui::label(this, QStringLiteral("Tesk制御"), 160, 16, 16);
  Label3 = new QLabel(QStringLiteral("ペルモラ"), this);
  Label3->setFont(platform::ui::font(QStringLiteral("富士ポップＰ"), 64));
  QPalette red = Label3->palette();
  red.setColor(QPalette::WindowText, bgr(platform::clRed));
  Label3->setPalette(red);
  Label3->move(208, 40);
  Label3->adjustSize();
  Label1 = platform::ui::label(this, QStringLiteral("出席番号"), 216, 128);
  Edit1 = new QLineEdit(this);
  Edit1->setGeometry(224, 144, 113, 41);
  Edit1->setFont(platform::ui::font(QStringLiteral("ＭＳ Ｐゴシック"), 32));
  Edit1->setAccessibleName(QStringLiteral("出席番号"));

  PNLmenu1 = new PanelButton(this, QStringLiteral("基礎実験１ （出力）　　　　　"), 24, 136, 169, 41, 0xBBBBFF);
  PNLmenu2 = new PanelButton(this, QStringLiteral("基礎実験２ （繰り返し処理）"), 24, 192, 169, 41, 0x80FFFF);
  PNLmenu3 = new PanelButton(this, QStringLiteral("基礎実験３ （２進数）　　　　"), 24, 248, 169, 41, 0xA4FFA4);
  PNLmenu4 = new PanelButton(this, QStringLiteral("基礎実験４ （入出力）　 　　"), 24, 304, 169, 41, 0xFFFFED);
  PNLmenu5 = new PanelButton(this, QStringLiteral("簡易プログラム"), 368, 136, 169, 41, 0xFFE0E0);
  PNLmenu6 = new PanelButton(this, QStringLiteral("電光掲示板"), 432, 192, 105, 35, platform::clFuchsia);
  PNLmenu7 = new PanelButton(this, QStringLiteral("電子オルゴール"), 432, 240, 105, 35, 0x80FFFF);
  PNLend = new PanelButton(this, QStringLiteral("終了"), 432, 290, 105, 57, 0x8080FF);
  PNLsettei = new PanelButton(this, QStringLiteral("基本設定"), 320, 320, 97, 25);
  connect(PNLmenu1, &PanelButton::clicked, this, &TForm1::PNLmenu1Click);
  connect(PNLmenu2, &PanelButton::clicked, this, &TForm1::PNLmenu2Click);
  connect(PNLmenu3, &PanelButton::clicked, this, &TForm1::PNLmenu3Click);
  connect(PNLmenu4, &PanelButton::clicked, this, &TForm1::PNLmenu4Click);
  connect(PNLmenu5, &PanelButton::clicked, this, &TForm1::PNLmenu5Click);
  connect(PNLmenu6, &PanelButton::clicked, this, &TForm1::PNLmenu6Click);
  connect(PNLmenu7, &PanelButton::clicked, this, &TForm1::PNLmenu7Click);
  connect(PNLend, &PanelButton::clicked, this, &TForm1::PNLendClick);
  connect(PNLsettei, &PanelButton::clicked, this, &TForm1::PNLsetteiClick);

  GBsettei = new QGroupBox(QStringLiteral("ペルモラの各種設定"), this);
  GBsettei->setGeometry(24, 128, 513, 225);
  GBsettei->setAutoFillBackground(true);
  CBmaikon = checkBox(GBsettei, QStringLiteral("マイコン制御関連メニュー"), 16, 24, 220);
  GBkairo = innerGroup(GBsettei, QStringLiteral("書込先回路の選択"));
  GBkairo->setGeometry(16, 52, 200, 100);
  platform::ui::setBackground(GBkairo, 0xBBFFBB);
  RBkairo1 = new QRadioButton(QStringLiteral("マイコンボード"), GBkairo);
  RBkairo1->setGeometry(12, 20, 180, 22);
  RBkairo1->setChecked(true);
  RBkairo2 = new QRadioButton(QStringLiteral("ペルモラ学習回路"), GBkairo);
  RBkairo2->setGeometry(12, 45, 180, 22);
  RBkairo3 = new QRadioButton(QStringLiteral("ペルモラ測定ボード"), GBkairo);
  RBkairo3->setGeometry(12, 70, 180, 22);

  GroupBox1 = innerGroup(GBsettei, QStringLiteral("ファイルメニュー"));
  GroupBox1->setGeometry(232, 20, 265, 80);
  CBdialog = checkBox(GroupBox1, QStringLiteral("ダイアログボックスを使う"), 12, 22, 240);
  Label4 = platform::ui::label(GroupBox1, QStringLiteral("許容最大時間"), 12, 52);
  Edit2 = new QLineEdit(QStringLiteral("Edit2"), GroupBox1);
  Edit2->setGeometry(100, 48, 100, 22);
  Edit2->setAccessibleName(QStringLiteral("許容最大時間"));
  CBdouji = checkBox(GBsettei, QStringLiteral("コンパイル、書き込み、ヒューズ設定を同時にする"), 16, 162, 330);
  CBsyokisettei = checkBox(GBsettei, QStringLiteral("関連初期ファイルの設定をいつもする"), 16, 188, 330);
  PNLtojiru = new PanelButton(GBsettei, QStringLiteral("閉じる"), 400, 180, 97, 33, 0x8080FF);
  connect(PNLtojiru, &PanelButton::clicked, this, &TForm1::PNLtojiruClick);
  connect(CBmaikon, &QCheckBox::toggled, this, &TForm1::CBmaikonClick);
  GBsettei->hide();
  setTabOrder(Edit1, PNLmenu1);
  Edit1->setFocus();
}

void TForm1::attachTools(const Tools& tools) {
  tools_ = tools;
  showDialogPanels();
}

void TForm1::showDialogPanels() {
  const bool dialogs = CBdialog->isChecked();
  if (tools_.form6) tools_.form6->setDialogPanelsVisible(dialogs);
  if (tools_.form7) tools_.form7->setDialogPanelsVisible(dialogs);
  if (tools_.form8) tools_.form8->setDialogPanelsVisible(dialogs);
}

QString TForm1::pupilNumber() const { return Edit1->text(); }
bool TForm1::oneStepUpload() const { return CBdouji->isChecked(); }

int TForm1::targetCircuit() const {
  if (RBkairo2->isChecked()) return 2;
  if (RBkairo3->isChecked()) return 3;
  return 1;
}

void TForm1::storePosition(int firstEntry, int top, int left) {
  if (firstEntry < 1 || firstEntry + 1 >= static_cast<int>(FormPositions.size())) return;
  FormPositions[static_cast<size_t>(firstEntry)] = top;
  FormPositions[static_cast<size_t>(firstEntry + 1)] = left;
}

int TForm1::position(int entry) const {
  if (entry < 0 || entry >= static_cast<int>(FormPositions.size())) return 0;
  return FormPositions[static_cast<size_t>(entry)];
}

void TForm1::showMenu() {
  showAgain();
  raise();
  activateWindow();
}

void TForm1::upload() {
  if (tools_.form9) tools_.form9->upload();
}

MenuSettings TForm1::currentSettings() const {
  MenuSettings s;
  s.top = y();
  s.left = x();
  s.maikon = CBmaikon->isChecked();
  s.circuit = targetCircuit();
  s.dialog = CBdialog->isChecked();
  s.positions = FormPositions;
  s.edit2 = Edit2->text();
  s.douji = CBdouji->isChecked();
  s.syokisettei = CBsyokisettei->isChecked();
  return s;
}

void TForm1::applySettings(const MenuSettings& s) {
  FormPositions = s.positions;
  placeAt(s.top, s.left);
  CBmaikon->setChecked(s.maikon);
  maikon();
  (s.circuit == 2 ? RBkairo2 : s.circuit == 3 ? RBkairo3 : RBkairo1)->setChecked(true);
  CBdialog->setChecked(s.dialog);
  maikon();
  Edit2->setText(s.edit2);
  CBdouji->setChecked(s.douji);
  CBsyokisettei->setChecked(s.syokisettei);
}

void TForm1::ini_yomikomi() {
  const QString path = AppDir + kIniName;
  auto lines = platform::textfile::readLines(path, platform::textfile::kSettingsFileLimit);
  if (!lines) {
    ctx_.prompts.message(path + QStringLiteral("が有りません！"));
    return;
  }
  // The reader stops at a faulty line; what it read before stays in force.
  MenuSettings s = currentSettings();
  int applied = 0;
  const int stopped = SettingsReader::read(*lines, s, &applied);
  if (!lines->isEmpty()) LineBuffer = lines->value(qMin(applied, static_cast<int>(lines->size()) - 1));
  applySettings(s);
  if (stopped > static_cast<int>(lines->size())) {
    ctx_.prompts.message(path + QStringLiteral("の%1行目から後が有りません！").arg(stopped));
  } else if (stopped > 0) {
    ctx_.prompts.message(path + QStringLiteral("の%1行目「%2」は数値ではありません！")
                                    .arg(stopped)
                                    .arg(platform::shortQuote((*lines)[stopped - 1])));
  }
}

bool TForm1::ini_hozon() {
  const QString path = AppDir + kIniName;
  const QStringList lines = formatSettings(currentSettings());
  LineBuffer = lines.last();
  const auto result = platform::textfile::writeLines(path, lines);
  if (!result) ctx_.prompts.message(result.error);
  return result.ok;
}

void TForm1::maikon() {
  const bool on = CBmaikon->isChecked();
  PNLmenu6->setVisible(on);
  PNLmenu7->setVisible(on);
  GBkairo->setVisible(on);
}

void TForm1::CBmaikonClick() { maikon(); }

void TForm1::openTool(ToolWindow* tool) {
  if (!tool) return;
  tool->showAtStoredPosition();
  hideKeepingPlace();
}

void TForm1::runSettingsScript() {
  if (CBsyokisettei->isChecked()) ctx_.processes.open(AppDir + QStringLiteral("syokisettei.vbs"), AppDir);
}

bool TForm1::pupilNumberIsSafe(bool emptyAllowed) {
  const QString number = Edit1->text();
  if (number.isEmpty() && emptyAllowed) return true;
  if (number.isEmpty()) {
    ctx_.prompts.message(QStringLiteral("出席番号を入力してください！"));
    Edit1->setFocus();
    return false;
  }
  if (!platform::isSafeNamePart(number)) {
    ctx_.prompts.message(QStringLiteral("出席番号に使えない文字が含まれています！"));
    Edit1->setFocus();
    return false;
  }
  return true;
}

void TForm1::PNLmenu1Click() {
  if (!tools_.form2) return;
  tools_.form2->startLinkTimer();
  openTool(tools_.form2);
}

void TForm1::PNLmenu2Click() {
  if (!tools_.form3) return;
  tools_.form3->startLinkTimer();
  openTool(tools_.form3);
}

void TForm1::PNLmenu3Click() {
  if (!tools_.form4) return;
  tools_.form4->startLinkTimer();
  openTool(tools_.form4);
}

void TForm1::PNLmenu4Click() {
  if (!tools_.form5) return;
  tools_.form5->startLinkTimer();
  openTool(tools_.form5);
}

void TForm1::PNLmenu5Click() {
  runSettingsScript();
  if (!pupilNumberIsSafe(false) || !tools_.form6) return;
  StudentNumber = Edit1->text();
  TForm6& f6 = *tools_.form6;
  f6.syusseki_bangou = StudentNumber;
  f6.Label10->setText(StudentNumber);
  for (int n = 0; n < 10; ++n) f6.RDBfile[static_cast<size_t>(n)]->setText(StudentNumber + QStringLiteral("-%1.bas").arg(n));
  {
    // The slot shown must be the one LBLfile names; the comment stays as it is.
    const QSignalBlocker block(f6.RDBfile[0]);
    f6.RDBfile[0]->setChecked(true);
  }
  f6.LBLfile->setText(f6.RDBfile[0]->text());
  f6.setProgramLines({});
  CurrentFilePath = AppDir + QStringLiteral("data/") + StudentNumber + QStringLiteral("-0.bas");
  f6.CurrentFilePath = CurrentFilePath;
  if (platform::textfile::exists(CurrentFilePath)) {
    ctx_.prompts.message(CurrentFilePath + QStringLiteral("を開きます"));
    const auto lines = workbench::program_file::readNonEmptyLines(CurrentFilePath);
    if (!lines) {
      ctx_.prompts.message(CurrentFilePath + QStringLiteral("を読み込めません！"));
    } else if (const auto text = workbench::program_file::splitComment(*lines)) {
      LineBuffer = lines->last();
      f6.EDTfile->setText(text->comment);
      f6.setProgramLines(text->lines);
    } else {
      ctx_.prompts.message(CurrentFilePath + QStringLiteral("にプログラムが有りません！"));
    }
  } else {
    ctx_.prompts.message(CurrentFilePath + QStringLiteral("が有りません"));
  }
  const bool maikonOn = CBmaikon->isChecked();
  f6.RDBlcd->setVisible(maikonOn);
  f6.BTsettei->setVisible(maikonOn);
  f6.PNLbascom->setVisible(maikonOn);
  f6.startLinkTimer();
  f6.selectCircuit(targetCircuit());
  openTool(&f6);
}

void TForm1::PNLmenu6Click() {
  runSettingsScript();
  if (!pupilNumberIsSafe(true) || !tools_.form7) return;
  TForm7* form7 = tools_.form7;
  form7->EDTfile->setText(QStringLiteral("lcd") + Edit1->text() + QStringLiteral("_1"));
  CurrentFilePath = AppDir + QStringLiteral("data/") + form7->EDTfile->text() + QStringLiteral(".dat");
  if (ctx_.prompts.askYesNo(CurrentFilePath + QStringLiteral("を読み込みますか？"))) {
    if (!platform::textfile::exists(CurrentFilePath)) {
      ctx_.prompts.message(CurrentFilePath + QStringLiteral("が有りません！"));
    } else if (const auto lines = platform::textfile::readRawLines(CurrentFilePath)) {
      if (!lines->isEmpty()) LineBuffer = platform::cp932::decode(lines->last());
      form7->loadSignFile(CurrentFilePath, *lines);
    } else {
      ctx_.prompts.message(CurrentFilePath + QStringLiteral("を読み込めません！"));
    }
  }
  form7->selectCircuit(targetCircuit());
  openTool(form7);
}

void TForm1::PNLmenu7Click() {
  runSettingsScript();
  if (!pupilNumberIsSafe(true) || !tools_.form8) return;
  TForm8* form8 = tools_.form8;
  form8->EDTfile->setText(QStringLiteral("org") + Edit1->text() + QStringLiteral("_1"));
  CurrentFilePath = AppDir + QStringLiteral("data/org") + Edit1->text() + QStringLiteral("_1.dat");
  if (ctx_.prompts.askYesNo(CurrentFilePath + QStringLiteral("を読み込みますか？"))) {
    if (platform::textfile::exists(CurrentFilePath)) form8->readMelodyFile(CurrentFilePath);
    else ctx_.prompts.message(CurrentFilePath + QStringLiteral("が有りません！"));
  }
  form8->selectCircuit(targetCircuit());
  openTool(form8);
}

void TForm1::PNLendClick() {
  ini_hozon();
  ended_ = true;
  hide();
  Q_EMIT endRequested();
}

void TForm1::PNLsetteiClick() {
  GBsettei->show();
  GBsettei->raise();
  PNLsettei->hide();
}

void TForm1::PNLtojiruClick() {
  GBsettei->hide();
  PNLsettei->show();
  showDialogPanels();
  if (tools_.form6 && !CBmaikon->isChecked()) tools_.form6->RDBlcd->hide();
  ini_hozon();
}

}  // namespace pelmora
