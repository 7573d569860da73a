#include "control/experiments/tform3.h"

namespace pelmora {

TForm3::TForm3(ToolHost& host) : ToolWindow(host, 5, QStringLiteral("基礎実験２（繰り返し処理編）"), 600, 450) {
  PNLsyuuryou = new platform::ui::PanelButton(this, QStringLiteral("終了"), 480, 390, 97, 41, 0x8080FF);
  connect(PNLsyuuryou, &platform::ui::PanelButton::clicked, this, &ToolWindow::leaveToMenu);
}

}  // namespace pelmora
