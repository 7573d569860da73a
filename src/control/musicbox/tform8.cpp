#include "control/musicbox/tform8.h"

namespace pelmora {

TForm8::TForm8(ToolHost& host) : ToolWindow(host, 15, QStringLiteral("電子オルゴール"), 600, 450) {
  PNLsyuuryou = new platform::ui::PanelButton(this, QStringLiteral("終了"), 480, 390, 97, 41, 0x8080FF);
  connect(PNLsyuuryou, &platform::ui::PanelButton::clicked, this, &ToolWindow::leaveToMenu);
}

}  // namespace pelmora
