#include "control/common/tool_window.h"

#include "platform/colors.h"

namespace pelmora {

ToolWindow::ToolWindow(ToolHost& host, int firstEntry, const QString& caption, int width, int height,
                       quint32 colour)
    : host_(host), firstEntry_(firstEntry) {
  setWindowTitle(caption);
  setFixedSize(width, height);
  platform::ui::setBackground(this, colour);
}

void ToolWindow::showAtStoredPosition() {
  // Placed before it is shown, so the window manager maps it there at once.
  if (firstEntry_ > 0) placeAt(host_.position(firstEntry_), host_.position(firstEntry_ + 1));
  show();
}

void ToolWindow::leaveToMenu() {
  if (firstEntry_ > 0) host_.storePosition(firstEntry_, y(), x());
  hide();
  host_.showMenu();
}

}  // namespace pelmora
