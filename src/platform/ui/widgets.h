#pragma once
// Small window pieces every window of both programs uses.

#include <QColor>
#include <QFont>
#include <QFrame>
#include <QString>
#include <QWidget>

class QLabel;

#include <array>
#include <optional>

namespace platform::ui {

// A font the system names; families Linux lacks fall back to an installed
// Japanese family.
QFont font(const QString& family = QStringLiteral("ＭＳ Ｐゴシック"), int pixelSize = 12, bool bold = false);

// Fills a widget's background with a colour given as 0x00BBGGRR.
void setBackground(QWidget* widget, quint32 bgrValue);

// Registers the accessibility interfaces of the programs' own controls.
void installAccessibility();

// A panel used as a button: raised bevel, caption, colour; clicks on release
// inside. Tells assistive technology it is a push button named by its caption.
class PanelButton : public QWidget {
  Q_OBJECT
 public:
  explicit PanelButton(const QString& caption = {}, QWidget* parent = nullptr);
  PanelButton(QWidget* parent, const QString& caption, int left, int top, int width, int height,
              quint32 colour = 0xF0F0F0);

  QString caption() const { return caption_; }
  void setCaption(const QString& caption);
  quint32 colour() const { return colour_; }
  void setColour(quint32 bgrValue);
  void setBevelWidth(int width) { bevel_ = width; update(); }
  void setTextColour(const QColor& c) { textColour_ = c; update(); }
  void setAlignment(Qt::Alignment a) { alignment_ = a; update(); }

 public Q_SLOTS:
  void click();

 Q_SIGNALS:
  void clicked();

 protected:
  void paintEvent(QPaintEvent*) override;
  void mousePressEvent(QMouseEvent*) override;
  void mouseReleaseEvent(QMouseEvent*) override;

 private:
  QString caption_;
  quint32 colour_ = 0xF0F0F0;
  int bevel_ = 2;
  QColor textColour_ = Qt::black;
  Qt::Alignment alignment_ = Qt::AlignCenter;
  bool pressed_ = false;
};

// Eight LED panels, bit 7 at the left: clRed lit, clBlue dark.
class LedRow : public QWidget {
  Q_OBJECT
 public:
  // step: distance between the left edges of two panels.
  explicit LedRow(QWidget* parent, int left, int top, int step = 32, int size = 25);
  PanelButton* panel(int bit) const { return panels_[static_cast<size_t>(bit)]; }
  // Colours the panels from n, bit 7 first.
  void showValue(int n);
  // Sum of the weights of the lit panels.
  int litValue() const;
  bool isLit(int bit) const;
  void setLit(int bit, bool lit);
  // clBlue becomes clRed, any other colour clBlue.
  void toggle(int bit);

 Q_SIGNALS:
  void bitClicked(int bit);

 private:
  std::array<PanelButton*, 8> panels_{};
};

// The OK or caution picture of the board link, drawn here; clickable.
class LinkPicture : public QWidget {
  Q_OBJECT
 public:
  enum class Kind { Ok, Caution };
  LinkPicture(Kind kind, QWidget* parent, int left, int top, int size = 40);
  Kind kind() const { return kind_; }

 Q_SIGNALS:
  void clicked();

 protected:
  void paintEvent(QPaintEvent*) override;
  void mouseReleaseEvent(QMouseEvent*) override;

 private:
  Kind kind_;
};

// A window of either program: a title bar without buttons; a close request
// from the window manager runs closeRequested() and is otherwise ignored.
class AppWindow : public QWidget {
  Q_OBJECT
 public:
  explicit AppWindow(QWidget* parent = nullptr);
  // Places the window's frame with its top-left corner at left/top, the
  // quantity pos() reads back; a place not wholly on a screen is pulled
  // wholly onto the screen the window is mostly on.
  void placeAt(int top, int left);
  // Where a frame of that place and size goes.
  static QPoint clampedToScreen(const QRect& frame, const QList<QRect>& screens);
  // Hides the window and keeps its place for showAgain().
  void hideKeepingPlace();
  // Shows the window at the place it was hidden from: a window the program
  // never placed is otherwise placed anew by the window manager.
  void showAgain();
  // The window manager's frame around the window; for a window not shown
  // yet, the frame last seen around another.
  QMargins frameMargins() const;

 protected:
  bool event(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  virtual void closeRequested() {}

 private:
  // The place last asked for, until the window manager has framed the window.
  std::optional<QPoint> placedAt_;
  std::optional<QPoint> hiddenAt_;
};

// Ends the program's event loop now. Unlike QApplication::quit() it does not
// first ask the shown windows to close, which ours refuse.
void endProgram();

// A label with the system's font, text and colour at a fixed place.
QLabel* label(QWidget* parent, const QString& text, int left, int top, int pixelSize = 12,
              const QColor& colour = Qt::black, bool bold = false);

}  // namespace platform::ui
