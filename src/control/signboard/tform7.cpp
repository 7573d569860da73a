#include "control/signboard/tform7.h"

namespace pelmora {

TForm7::TForm7(ToolHost& host) : ToolWindow(host, 13, QStringLiteral("電光掲示板（ＬＣＤ制御）"), 600, 450) {
  PNLsyuuryou = new platform::ui::PanelButton(this, QStringLiteral("終了"), 480, 390, 97, 41, 0x8080FF);
  connect(PNLsyuuryou, &platform::ui::PanelButton::clicked, this, &ToolWindow::leaveToMenu);
}

}  // namespace pelmora
