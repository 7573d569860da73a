#include "platform/ui/widgets.h"

#include "platform/colors.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QCloseEvent>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QWindow>

#include <limits>

namespace platform::ui {

QFont font(const QString& family, int pixelSize, bool bold) {
  QFont f;
  QStringList families{family};
  // Proportional system fonts map to the proportional IPA family.
  const bool proportional = family.contains(QStringLiteral("Ｐ")) || family.contains(QLatin1Char('P'));
  if (proportional) families << QStringLiteral("IPAPGothic") << QStringLiteral("IPAGothic");
  else families << QStringLiteral("IPAGothic") << QStringLiteral("IPAPGothic");
  f.setFamilies(families);
  f.setPixelSize(pixelSize);
  f.setBold(bold);
  return f;
}

void setBackground(QWidget* widget, quint32 bgrValue) {
  widget->setAutoFillBackground(true);
  QPalette pal = widget->palette();
  pal.setColor(QPalette::Window, bgr(bgrValue));
  widget->setPalette(pal);
}

namespace {

class PanelButtonAccessible : public QAccessibleWidget {
 public:
  explicit PanelButtonAccessible(QWidget* w) : QAccessibleWidget(w, QAccessible::Button) {}
  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name) {
      // A panel without a caption (a dot, an empty cell) is named by its
      // accessible name instead.
      const QString caption = static_cast<PanelButton*>(widget())->caption().trimmed();
      return caption.isEmpty() ? widget()->accessibleName() : caption;
    }
    return QAccessibleWidget::text(t);
  }
  QStringList actionNames() const override { return {pressAction()}; }
  void doAction(const QString& name) override {
    if (name == pressAction()) static_cast<PanelButton*>(widget())->click();
  }
};

QAccessibleInterface* accessibleFactory(const QString& className, QObject* object) {
  if (className == QLatin1String("platform::ui::PanelButton") && object && object->isWidgetType())
    return new PanelButtonAccessible(static_cast<QWidget*>(object));
  return nullptr;
}

}  // namespace

void installAccessibility() {
  static bool installed = false;
  if (!installed) {
    QAccessible::installFactory(accessibleFactory);
    installed = true;
  }
}

PanelButton::PanelButton(const QString& caption, QWidget* parent) : QWidget(parent), caption_(caption) {
  setAccessibleName(caption.trimmed());
  setAttribute(Qt::WA_OpaquePaintEvent);
}

PanelButton::PanelButton(QWidget* parent, const QString& caption, int left, int top, int width, int height,
                         quint32 colour)
    : PanelButton(caption, parent) {
  colour_ = colour;
  setGeometry(left, top, width, height);
}

void PanelButton::setCaption(const QString& caption) {
  caption_ = caption;
  setAccessibleName(caption.trimmed());
  update();
}

void PanelButton::setColour(quint32 bgrValue) {
  colour_ = bgrValue;
  update();
}

void PanelButton::click() {
  if (isEnabled()) Q_EMIT clicked();
}

void PanelButton::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QRect r = rect();
  p.fillRect(r, bgr(colour_));
  const QColor light = QColor(255, 255, 255);
  const QColor dark = QColor(128, 128, 128);
  for (int i = 0; i < bevel_; ++i) {
    const QRect b = r.adjusted(i, i, -i - 1, -i - 1);
    p.setPen(pressed_ ? dark : light);
    p.drawLine(b.topLeft(), b.topRight());
    p.drawLine(b.topLeft(), b.bottomLeft());
    p.setPen(pressed_ ? light : dark);
    p.drawLine(b.bottomLeft(), b.bottomRight());
    p.drawLine(b.topRight(), b.bottomRight());
  }
  p.setFont(font());
  p.setPen(isEnabled() ? textColour_ : QColor(128, 128, 128));
  p.drawText(r.adjusted(bevel_ + 1, bevel_, -bevel_ - 1, -bevel_), static_cast<int>(alignment_) | Qt::TextWordWrap,
             caption_);
}

void PanelButton::mousePressEvent(QMouseEvent* e) {
  if (e->button() == Qt::LeftButton) {
    pressed_ = true;
    update();
  }
}

void PanelButton::mouseReleaseEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton) return;
  const bool inside = rect().contains(e->position().toPoint());
  pressed_ = false;
  update();
  if (inside) click();
}

LedRow::LedRow(QWidget* parent, int left, int top, int step, int size) : QWidget(parent) {
  setGeometry(left, top, step * 7 + size, size);
  for (int bit = 7; bit >= 0; --bit) {
    auto* panel = new PanelButton(this, QString(), (7 - bit) * step, 0, size, size, clBlue);
    panel->setBevelWidth(1);
    panel->setAccessibleName(QStringLiteral("B%1").arg(bit));
    panels_[static_cast<size_t>(bit)] = panel;
    connect(panel, &PanelButton::clicked, this, [this, bit] { Q_EMIT bitClicked(bit); });
  }
}

void LedRow::showValue(int n) {
  int rest = n;
  for (int bit = 7; bit >= 0; --bit) {
    const int weight = 1 << bit;
    const bool lit = rest >= weight;
    if (lit) rest -= weight;
    setLit(bit, lit);
  }
}

int LedRow::litValue() const {
  int n = 0;
  for (int bit = 0; bit < 8; ++bit) {
    if (isLit(bit)) n += 1 << bit;
  }
  return n;
}

bool LedRow::isLit(int bit) const { return panel(bit)->colour() == clRed; }

void LedRow::setLit(int bit, bool lit) { panel(bit)->setColour(lit ? clRed : clBlue); }

void LedRow::toggle(int bit) {
  PanelButton* p = panel(bit);
  p->setColour(p->colour() == clBlue ? clRed : clBlue);
}

LinkPicture::LinkPicture(Kind kind, QWidget* parent, int left, int top, int size) : QWidget(parent), kind_(kind) {
  setGeometry(left, top, size, size);
  setAccessibleName(kind == Kind::Ok ? QStringLiteral("接続OK") : QStringLiteral("接続注意"));
}

void LinkPicture::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF r = QRectF(rect()).adjusted(2, 2, -2, -2);
  if (kind_ == Kind::Ok) {
    p.setBrush(QColor(40, 170, 60));
    p.setPen(QPen(QColor(20, 110, 30), 2));
    p.drawEllipse(r);
    QPen tick(Qt::white, r.width() / 8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(tick);
    QPainterPath path;
    path.moveTo(r.left() + r.width() * 0.25, r.top() + r.height() * 0.52);
    path.lineTo(r.left() + r.width() * 0.43, r.top() + r.height() * 0.70);
    path.lineTo(r.left() + r.width() * 0.76, r.top() + r.height() * 0.32);
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
  } else {
    QPolygonF tri{QPointF(r.center().x(), r.top()), QPointF(r.right(), r.bottom()), QPointF(r.left(), r.bottom())};
    p.setBrush(QColor(255, 210, 0));
    p.setPen(QPen(QColor(60, 60, 60), 2));
    p.drawPolygon(tri);
    QFont f = font();
    f.setBold(true);
    f.setPixelSize(static_cast<int>(r.height() * 0.6));
    p.setFont(f);
    p.drawText(r.adjusted(0, r.height() * 0.2, 0, 0), Qt::AlignCenter, QStringLiteral("!"));
  }
}

void LinkPicture::mouseReleaseEvent(QMouseEvent* e) {
  if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint())) Q_EMIT clicked();
}

AppWindow::AppWindow(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::CustomizeWindowHint) {
  setFont(ui::font());
}

QPoint AppWindow::clampedToScreen(const QRect& frame, const QList<QRect>& screens) {
  if (screens.isEmpty()) return frame.topLeft();
  // The screen that holds most of the window; off all of them, the nearest.
  QRect target = screens.first();
  qint64 bestArea = -1;
  qint64 bestDistance = std::numeric_limits<qint64>::max();
  for (const QRect& s : screens) {
    const QRect common = s.intersected(frame);
    const qint64 area = common.isEmpty() ? 0 : qint64(common.width()) * common.height();
    const QPoint c = frame.center();
    const qint64 dx = c.x() < s.left() ? s.left() - c.x() : c.x() > s.right() ? c.x() - s.right() : 0;
    const qint64 dy = c.y() < s.top() ? s.top() - c.y() : c.y() > s.bottom() ? c.y() - s.bottom() : 0;
    const qint64 distance = dx * dx + dy * dy;
    if (area > bestArea || (area == 0 && bestArea == 0 && distance < bestDistance)) {
      target = s;
      bestArea = area;
      bestDistance = distance;
    }
  }
  const int x = qMax(target.left(), qMin(frame.left(), target.right() - frame.width() + 1));
  const int y = qMax(target.top(), qMin(frame.top(), target.bottom() - frame.height() + 1));
  return {x, y};
}

namespace {

// The frame the window manager last put around one of our windows; all of
// them carry the same decorations, so it stands for a window not yet shown.
QMargins lastKnownFrame;

QList<QRect> availableScreens() {
  QList<QRect> screens;
  for (QScreen* s : QGuiApplication::screens()) screens.append(s->availableGeometry());
  return screens;
}

}  // namespace

QMargins AppWindow::frameMargins() const {
  const QRect f = frameGeometry();
  const QRect g = geometry();
  if (isVisible() && f != g) return {g.left() - f.left(), g.top() - f.top(), f.right() - g.right(), f.bottom() - g.bottom()};
  return lastKnownFrame;
}

void AppWindow::placeAt(int top, int left) {
  // Top/Left are the frame's top-left corner, the quantity pos() reads back
  // and move() takes.
  const QRect frame(QPoint(left, top), size().grownBy(frameMargins()));
  // Qt leaves a window it was never told to move to the window manager's
  // placement each time it is shown again, and a move to where Qt already
  // has the window tells it nothing: make the place the program's first.
  if (QWindow* w = windowHandle()) w->setGeometry(w->geometry());
  move(clampedToScreen(frame, availableScreens()));
  placedAt_ = QPoint(left, top);
}

void AppWindow::hideKeepingPlace() {
  hiddenAt_ = pos();
  hide();
}

void AppWindow::showAgain() {
  if (hiddenAt_) placeAt(hiddenAt_->y(), hiddenAt_->x());
  show();
}

bool AppWindow::event(QEvent* e) {
  const bool handled = QWidget::event(e);
  switch (e->type()) {
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::Show:
    case QEvent::Expose:
    case QEvent::UpdateRequest:
      if (placedAt_ && isVisible() && frameGeometry() != geometry()) {
        // The window manager has framed the window: its whole size is known
        // now, and the frame goes where it was meant to, wholly on a screen.
        lastKnownFrame = frameMargins();
        const QPoint p = clampedToScreen(QRect(*placedAt_, frameGeometry().size()), availableScreens());
        placedAt_.reset();
        if (p != pos()) move(p);
      }
      break;
    case QEvent::Hide: placedAt_.reset(); break;
    default: break;
  }
  return handled;
}

void AppWindow::closeEvent(QCloseEvent* event) {
  event->ignore();
  closeRequested();
}

void endProgram() { QCoreApplication::exit(0); }

QLabel* label(QWidget* parent, const QString& text, int left, int top, int pixelSize, const QColor& colour, bool bold) {
  auto* l = new QLabel(text, parent);
  l->setFont(font(QStringLiteral("ＭＳ Ｐゴシック"), pixelSize, bold));
  QPalette pal = l->palette();
  pal.setColor(QPalette::WindowText, colour);
  l->setPalette(pal);
  l->move(left, top);
  l->adjustSize();
  return l;
}

}  // namespace platform::ui
