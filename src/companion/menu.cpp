#include "companion/menu.h"

#include "companion/help_pages.h"
#include "companion/readdata1.h"
#include "companion/sireal.h"
#include "platform/colors.h"
#include "platform/textfile.h"
#include "platform/ui/menu_picture.h"

#include <QLabel>

namespace bremilo {

using platform::bgr;
using platform::ui::PanelButton;

TForm1::TForm1(const platform::AppContext& ctx) : ctx_(ctx) {
  setWindowTitle(QStringLiteral("ペルモラシステム　「ブレミロさん」                    ver.2010.11.5"));
  setFixedSize(614, 294);
  platform::ui::setBackground(this, 16774636);
  buildControls();

  // FormCreate
  FormPositions.fill(0);
  ini_yomikomi();
}

void TForm1::buildControls() {
  Label1 = new QLabel(QStringLiteral("ブレミロさん"), this);
  Label1->setFont(platform::ui::font(QStringLiteral("富士ポップＰ"), 96));
  Label1->setAutoFillBackground(true);
  QPalette lp = Label1->palette();
  lp.setColor(QPalette::WindowText, bgr(platform::clRed));
  lp.setColor(QPalette::Window, bgr(8454143));
  Label1->setPalette(lp);
  Label1->setAlignment(Qt::AlignCenter);
  Label1->setGeometry(16, 8, 582, 112);

  new platform::ui::MenuPicture(platform::ui::MenuPicture::Board::Measuring, this, 488, 128, 110, 82);

  Panel1 = new PanelButton(this, QStringLiteral("リアルタイム測定（シリアル転送）"), 16, 128, 248, 41, 0xBBFFBB);
  Panel10 = new PanelButton(this, QStringLiteral("マイコン内(eeprom)データ転送"), 272, 128, 208, 41, 0xFFE0C0);
  Panel11 = new PanelButton(this, QStringLiteral("スタンドアロン測定の方法"), 16, 180, 184, 33, 0xE0FFFF);
  Panel5 = new PanelButton(this, QStringLiteral("概要説明"), 208, 180, 120, 33, 0xE0FFFF);
  Panel2 = new PanelButton(this, QStringLiteral("データ補正"), 336, 180, 144, 33, 0xE0FFFF);
  Panel4 = new PanelButton(this, QStringLiteral("「ザリム」のメニュー"), 16, 224, 184, 33, 0xE0FFFF);
  Panel3 = new PanelButton(this, QStringLiteral("終了"), 488, 220, 110, 57, 0x8080FF);
  connect(Panel1, &PanelButton::clicked, this, &TForm1::Panel1Click);
  connect(Panel10, &PanelButton::clicked, this, &TForm1::Panel10Click);
  connect(Panel11, &PanelButton::clicked, this, &TForm1::Panel11Click);
  connect(Panel5, &PanelButton::clicked, this, &TForm1::Panel5Click);
  connect(Panel2, &PanelButton::clicked, this, &TForm1::Panel2Click);
  connect(Panel4, &PanelButton::clicked, this, &TForm1::Panel4Click);
  connect(Panel3, &PanelButton::clicked, this, &TForm1::Panel3Click);
}

void TForm1::storePosition(int firstEntry, int top, int left) {
  if (firstEntry < 1 || firstEntry + 1 > kSettingsLines) return;
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

void TForm1::ini_yomikomi() {
  const QString path = ctx_.path(kSettingsName);
  const auto lines = platform::textfile::readLines(path, platform::textfile::kSettingsFileLimit);
  if (!lines) {
    ctx_.prompts.message(kSettingsName + QStringLiteral("が有りません！"));
    return;
  }
  // Reading stops at a faulty line; the entries before it stay in the table,
  // but the menu moves only when the whole file was read.
  const SettingsReadResult r = readPositions(*lines, FormPositions);
  if (r.stoppedAt == 0) placeAt(FormPositions[1], FormPositions[2]);
  const QString problem = settingsProblem(r, *lines);
  if (!problem.isEmpty()) ctx_.prompts.message(problem);
}

bool TForm1::ini_hozon() {
  FormPositions[1] = y();
  FormPositions[2] = x();
  const auto result = platform::textfile::writeLines(ctx_.path(kSettingsName), formatPositions(FormPositions));
  if (!result) ctx_.prompts.message(result.error);
  return result.ok;
}

void TForm1::open(CompanionWindow* window, bool startLink) {
  if (!window) return;
  window->showAtStoredPosition();
  if (startLink) window->startLinkTimer();
  hideKeepingPlace();
}

void TForm1::Panel1Click() { open(windows_.form7, true); }
void TForm1::Panel10Click() { open(windows_.form2, true); }
void TForm1::Panel11Click() { open(windows_.form4, false); }
void TForm1::Panel5Click() { open(windows_.form5, false); }
void TForm1::Panel2Click() { open(windows_.form8, false); }
void TForm1::Panel4Click() { open(windows_.form9, false); }

void TForm1::Panel3Click() {
  ini_hozon();
  ended_ = true;
  hide();
  Q_EMIT endRequested();
}

}  // namespace bremilo
