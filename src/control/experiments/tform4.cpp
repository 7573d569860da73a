#include "control/experiments/tform4.h"

namespace pelmora {

TForm4::TForm4(ToolHost& host) : ToolWindow(host, 7, QStringLiteral("基礎実験３（２進数）"), 600, 450) {
  PNLsyuuryou = new platform::ui::PanelButton(this, QStringLiteral("終了"), 480, 390, 97, 41, 0x8080FF);
  connect(PNLsyuuryou, &platform::ui::PanelButton::clicked, this, &ToolWindow::leaveToMenu);
}

}  // namespace pelmora
