#include "companion/readdata1.h"

namespace bremilo {

TForm2::TForm2(CompanionHost& host)
    : CompanionWindow(host, 3, QStringLiteral("ブレミロさん：スタンドアロン測定データ　読取／保存"), 600, 450) {
  PNLsyuuryou = new platform::ui::PanelButton(this, QStringLiteral("終了"), 480, 390, 97, 41, 0x8080FF);
  connect(PNLsyuuryou, &platform::ui::PanelButton::clicked, this, &CompanionWindow::leaveToMenu);
}

}  // namespace bremilo
