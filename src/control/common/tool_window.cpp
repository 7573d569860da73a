#include "control/common/tool_window.h"

#include "platform/colors.h"

namespace pelmora {

ToolWindow::ToolWindow(ToolHost& host, int firstEntry, const QString& caption, int width, int height,
                       quint32 colour)
    : MenuOpenedWindow(host, firstEntry, caption, width, height), host_(host) {
  platform::ui::setBackground(this, colour);
}

}  // namespace pelmora
