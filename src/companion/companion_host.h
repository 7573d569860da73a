#pragma once
// What the windows of bremilo need of its menu.

#include "platform/context.h"
#include "platform/ui/menu_opened_window.h"

namespace bremilo {

class CompanionHost : public platform::ui::WindowPlaces {
 public:
  virtual const platform::AppContext& context() const = 0;
};

// Base of every bremilo window but the menu.
class CompanionWindow : public platform::ui::MenuOpenedWindow {
  Q_OBJECT
 public:
  CompanionWindow(CompanionHost& host, int firstEntry, const QString& caption, int width, int height)
      : MenuOpenedWindow(host, firstEntry, caption, width, height), host_(host) {}
  CompanionHost& host() const { return host_; }
  const platform::AppContext& ctx() const { return host_.context(); }
  // The menu's opener switches on the window's board-link timer, if any.
  virtual void startLinkTimer() {}

 private:
  CompanionHost& host_;
};

}  // namespace bremilo
