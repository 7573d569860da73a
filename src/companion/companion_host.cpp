#include "companion/companion_host.h"

namespace bremilo {

CompanionWindow::CompanionWindow(CompanionHost& host, int firstEntry, const QString& caption, int width, int height)
    : host_(host), firstEntry_(firstEntry) {
  setWindowTitle(caption);
  setFixedSize(width, height);
}

void CompanionWindow::showAtStoredPosition() {
  // Placed before it is shown, so the window manager maps it there at once.
  if (firstEntry_ > 0) placeAt(host_.position(firstEntry_), host_.position(firstEntry_ + 1));
  show();
}

void CompanionWindow::leaveToMenu() {
  if (firstEntry_ > 0) host_.storePosition(firstEntry_, y(), x());
  hide();
  host_.showMenu();
}

}  // namespace bremilo
