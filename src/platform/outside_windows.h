#pragma once
// Finding another program's window by its title and pressing its buttons, as
// the upload step drives the outside writer. Handles are this layer's own
// numbers; 0 stands for "not found".

#include <QList>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <functional>

namespace platform {

class Clock;

using WindowHandle = quint64;

class OutsideWindows {
 public:
  virtual ~OutsideWindows() = default;
  // A top-level window whose title is exactly title.
  virtual WindowHandle findTopLevel(const QString& title) = 0;
  // The first window inside parent (any kind, any depth) whose text is text.
  virtual WindowHandle findChild(WindowHandle parent, const QString& text) = 0;
  virtual void leftButtonDown(WindowHandle window) = 0;
  virtual void leftButtonUp(WindowHandle window) = 0;
  // Asks the window to close, as its close box would.
  virtual void close(WindowHandle window) = 0;
};

// Windows of other programs, seen through the desktop's accessibility bus:
// windows are found by their accessible names, a button is pressed through
// its default action when the mouse button goes up, and a window is closed by
// asking its program to end. Every call on the bus has a time limit.
class AccessibilityWindows : public OutsideWindows {
 public:
  AccessibilityWindows();
  ~AccessibilityWindows() override;
  WindowHandle findTopLevel(const QString& title) override;
  WindowHandle findChild(WindowHandle parent, const QString& text) override;
  void leftButtonDown(WindowHandle window) override;
  void leftButtonUp(WindowHandle window) override;
  void close(WindowHandle window) override;

 private:
  struct Impl;
  Impl* impl_;
};

// Test double: a set of windows with their child texts; records every call.
class ScriptedOutsideWindows : public OutsideWindows {
 public:
  struct Call {
    QString what;  // "find <title>", "child <text>", "down <text>", "up <text>", "close <title>"
    quint32 tick;  // the clock's tick count when a clock is given, else 0
  };

  explicit ScriptedOutsideWindows(Clock* clock = nullptr) : clock_(clock) {}
  void addWindow(const QString& title, const QStringList& children);
  void removeWindow(const QString& title);
  bool hasWindow(const QString& title) const;

  WindowHandle findTopLevel(const QString& title) override;
  WindowHandle findChild(WindowHandle parent, const QString& text) override;
  void leftButtonDown(WindowHandle window) override;
  void leftButtonUp(WindowHandle window) override;
  void close(WindowHandle window) override;

  QStringList callTexts() const;
  QList<Call> calls;
  // Runs when a button is released over itself (a click), with its text.
  std::function<void(const QString&)> onClick;
  // Runs when a window is asked to close, with its title; the window goes away.
  std::function<void(const QString&)> onClose;

 private:
  struct Window {
    QString title;
    QStringList children;
    bool open = true;
  };
  void record(const QString& what);
  const Window* windowOf(WindowHandle h) const;
  QString textOf(WindowHandle h) const;

  Clock* clock_;
  QList<Window> windows_;
  WindowHandle pressed_ = 0;
};

}  // namespace platform
