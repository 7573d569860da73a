#include "control/experiments/tform2.h"

namespace pelmora {

TForm2::TForm2(ToolHost& host) : ToolWindow(host, 3, QStringLiteral("基礎実験１（出力実験）"), 600, 450) {
  PNLsyuuryou = new platform::ui::PanelButton(this, QStringLiteral("終了"), 480, 390, 97, 41, 0x8080FF);
  connect(PNLsyuuryou, &platform::ui::PanelButton::clicked, this, &ToolWindow::leaveToMenu);
}

}  // namespace pelmora
