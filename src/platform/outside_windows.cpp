#include "platform/outside_windows.h"

#include "platform/clock.h"

namespace platform {

// Handles: window k (1-based) is k << 16; its child c (1-based) adds c.
namespace {
constexpr int kChildBits = 16;
}

void ScriptedOutsideWindows::addWindow(const QString& title, const QStringList& children) {
  windows_.append({title, children, true});
}

void ScriptedOutsideWindows::removeWindow(const QString& title) {
  for (Window& w : windows_) {
    if (w.title == title) w.open = false;
  }
}

bool ScriptedOutsideWindows::hasWindow(const QString& title) const {
  for (const Window& w : windows_) {
    if (w.open && w.title == title) return true;
  }
  return false;
}

void ScriptedOutsideWindows::record(const QString& what) { calls.append({what, clock_ ? clock_->tickCount() : 0}); }

const ScriptedOutsideWindows::Window* ScriptedOutsideWindows::windowOf(WindowHandle h) const {
  const qsizetype index = static_cast<qsizetype>(h >> kChildBits) - 1;
  if (index < 0 || index >= windows_.size() || !windows_[index].open) return nullptr;
  return &windows_[index];
}

QString ScriptedOutsideWindows::textOf(WindowHandle h) const {
  const Window* w = windowOf(h);
  if (!w) return {};
  const qsizetype child = static_cast<qsizetype>(h & ((1u << kChildBits) - 1));
  if (child == 0) return w->title;
  return child <= w->children.size() ? w->children[child - 1] : QString();
}

WindowHandle ScriptedOutsideWindows::findTopLevel(const QString& title) {
  record(QStringLiteral("find ") + title);
  for (qsizetype i = 0; i < windows_.size(); ++i) {
    if (windows_[i].open && windows_[i].title == title) return static_cast<WindowHandle>(i + 1) << kChildBits;
  }
  return 0;
}

WindowHandle ScriptedOutsideWindows::findChild(WindowHandle parent, const QString& text) {
  record(QStringLiteral("child ") + text);
  const Window* w = windowOf(parent);
  if (!w) return 0;
  const qsizetype c = w->children.indexOf(text);
  if (c < 0) return 0;
  return (parent & ~WindowHandle((1u << kChildBits) - 1)) | static_cast<WindowHandle>(c + 1);
}

void ScriptedOutsideWindows::leftButtonDown(WindowHandle window) {
  record(QStringLiteral("down ") + textOf(window));
  pressed_ = windowOf(window) ? window : 0;
}

void ScriptedOutsideWindows::leftButtonUp(WindowHandle window) {
  const QString text = textOf(window);
  record(QStringLiteral("up ") + text);
  const bool click = pressed_ != 0 && pressed_ == window && windowOf(window);
  pressed_ = 0;
  if (click && onClick) onClick(text);
}

void ScriptedOutsideWindows::close(WindowHandle window) {
  const Window* w = windowOf(window);
  record(QStringLiteral("close ") + (w ? w->title : QString()));
  if (!w) return;
  const QString title = w->title;
  windows_[static_cast<qsizetype>(window >> kChildBits) - 1].open = false;
  if (onClose) onClose(title);
}

QStringList ScriptedOutsideWindows::callTexts() const {
  QStringList texts;
  for (const Call& c : calls) texts << c.what;
  return texts;
}

}  // namespace platform
