#include "control/experiments/tform5.h"

namespace pelmora {

TForm5::TForm5(ToolHost& host) : ToolWindow(host, 9, QStringLiteral("基礎実験４（入出力）"), 600, 450) {
  PNLsyuuryou = new platform::ui::PanelButton(this, QStringLiteral("終了"), 480, 390, 97, 41, 0x8080FF);
  connect(PNLsyuuryou, &platform::ui::PanelButton::clicked, this, &ToolWindow::leaveToMenu);
}

}  // namespace pelmora
