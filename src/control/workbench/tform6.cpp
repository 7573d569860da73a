#include "control/workbench/tform6.h"

namespace pelmora {

TForm6::TForm6(ToolHost& host) : ToolWindow(host, 11, QStringLiteral("簡易プログラミング"), 600, 450) {
  PNLsyuuryou = new platform::ui::PanelButton(this, QStringLiteral("終了"), 480, 390, 97, 41, 0x8080FF);
  connect(PNLsyuuryou, &platform::ui::PanelButton::clicked, this, &ToolWindow::leaveToMenu);
}

}  // namespace pelmora
