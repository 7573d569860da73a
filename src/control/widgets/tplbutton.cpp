#include "control/widgets/tplbutton.h"

#include "platform/colors.h"
#include "platform/ui/widgets.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QCursor>
#include <QDialog>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace pelmora {

namespace {

// The system colours of a raised three-dimensional look.
const QColor kHighlight(255, 255, 255);
const QColor kLight(227, 227, 227);
const QColor kShadow(160, 160, 160);
const QColor kDarkShadow(105, 105, 105);
const QColor kFace(240, 240, 240);

QString accessibleCaption(const TplButton& b) {
  QStringList parts;
  for (const QString& c : {b.CaptionA().Caption(), b.CaptionB().Caption()}) {
    if (!c.trimmed().isEmpty()) parts << c.trimmed();
  }
  return parts.join(QLatin1Char(' '));
}

class TplButtonAccessible : public QAccessibleWidget {
 public:
  explicit TplButtonAccessible(QWidget* w) : QAccessibleWidget(w, QAccessible::Button) {}
  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name) return accessibleCaption(*static_cast<TplButton*>(widget()));
    return QAccessibleWidget::text(t);
  }
  QStringList actionNames() const override { return {pressAction()}; }
  void doAction(const QString& name) override {
    auto* b = static_cast<TplButton*>(widget());
    if (name == pressAction() && b->isEnabled()) b->Click();
  }
};

QAccessibleInterface* accessibleFactory(const QString& className, QObject* object) {
  if (className == QLatin1String("pelmora::TplButton") && object && object->isWidgetType())
    return new TplButtonAccessible(static_cast<QWidget*>(object));
  return nullptr;
}

void installAccessibleFactory() {
  static bool installed = false;
  if (!installed) {
    QAccessible::installFactory(accessibleFactory);
    installed = true;
  }
}

// Characters as a reader counts them: a surrogate pair is one character.
QStringList characters(const QString& text) {
  QStringList out;
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text.at(i).isHighSurrogate() && i + 1 < text.size()) {
      out << text.mid(i, 2);
      ++i;
    } else {
      out << text.mid(i, 1);
    }
  }
  return out;
}

// A Windows-style edge: outer and inner rings, top/left and bottom/right colours.
void drawRing(QPainter& p, const QRect& r, const QColor& topLeft, const QColor& bottomRight) {
  if (r.width() < 1 || r.height() < 1) return;
  p.setPen(topLeft);
  p.drawLine(r.left(), r.top(), r.right() - 1, r.top());
  p.drawLine(r.left(), r.top(), r.left(), r.bottom() - 1);
  p.setPen(bottomRight);
  p.drawLine(r.left(), r.bottom(), r.right(), r.bottom());
  p.drawLine(r.right(), r.top(), r.right(), r.bottom());
}

void drawEdge(QPainter& p, const QRect& client, const QColor& outerTL, const QColor& outerBR, const QColor& innerTL,
              const QColor& innerBR) {
  // QRect's right and bottom are the last pixel column and row already.
  drawRing(p, client, outerTL, outerBR);
  drawRing(p, client.adjusted(1, 1, -1, -1), innerTL, innerBR);
}

// The system's dotted focus rectangle: every other pixel of the outline inverted.
void invertDotted(QImage& canvas, const QRect& r) {
  if (r.width() < 1 || r.height() < 1) return;
  auto flip = [&canvas](int x, int y) {
    if (!canvas.rect().contains(x, y) || (x + y) % 2 != 0) return;
    canvas.setPixel(x, y, canvas.pixel(x, y) ^ 0x00FFFFFFu);
  };
  for (int x = r.left(); x <= r.right(); ++x) {
    flip(x, r.top());
    if (r.bottom() != r.top()) flip(x, r.bottom());
  }
  for (int y = r.top() + 1; y < r.bottom(); ++y) {
    flip(r.left(), y);
    if (r.right() != r.left()) flip(r.right(), y);
  }
}

}  // namespace

// ---- caption line ----

void TplBtnCaption::setCaption(const QString& caption) {
  if (caption_ == caption) return;
  caption_ = caption;
  owner_.setAccessibleName(accessibleCaption(owner_));
  owner_.update();
}

void TplBtnCaption::setAlignment(TplBtnAlignment alignment) {
  if (alignment_ == alignment) return;
  alignment_ = alignment;
  owner_.update();
}

void TplBtnCaption::setLeft(int left) {
  if (left_ == left) return;
  left_ = left;
  owner_.update();
}

void TplBtnCaption::setRight(int right) {
  if (right_ == right) return;
  right_ = right;
  owner_.update();
}

void TplBtnCaption::Assign(const TplBtnCaption& other) {
  if (&other == this) return;
  alignment_ = other.alignment_;
  caption_ = other.caption_;
  left_ = other.left_;
  right_ = other.right_;
  owner_.setAccessibleName(accessibleCaption(owner_));
  owner_.update();
}

// ---- picture ----

void TplBtnImage::setIcon(const QIcon& icon, const QSize& size) {
  if (icon.isNull() || size.isEmpty()) {
    clearPicture();
    return;
  }
  // Drawn onto a fresh 24-bit bitmap of its own size; its corners then give
  // the colour that is drawn transparent.
  QImage canvas(size, QImage::Format_RGB888);
  canvas.fill(Qt::black);
  QPainter p(&canvas);
  icon.paint(&p, QRect(QPoint(0, 0), size));
  p.end();
  kind_ = Kind::Icon;
  bitmap_ = canvas;
  owner_.update();
}

void TplBtnImage::setBitmap(const QImage& bitmap) {
  if (bitmap.isNull()) {
    clearPicture();
    return;
  }
  kind_ = Kind::Bitmap;
  bitmap_ = bitmap.convertToFormat(QImage::Format_RGB888);
  owner_.update();
}

void TplBtnImage::clearPicture() {
  kind_ = Kind::Empty;
  bitmap_ = QImage();
  owner_.update();
}

void TplBtnImage::setLeft(int left) {
  horzCenter_ = false;
  if (left_ == left) return;
  left_ = left;
  owner_.update();
}

void TplBtnImage::setTop(int top) {
  vertCenter_ = false;
  if (top_ == top) return;
  top_ = top;
  owner_.update();
}

void TplBtnImage::setVisible(bool visible) {
  if (visible_ == visible) return;
  visible_ = visible;
  owner_.update();
}

void TplBtnImage::setTransParent(bool transparent) {
  if (transparent_ == transparent) return;
  transparent_ = transparent;
  owner_.update();
}

void TplBtnImage::setVertCenter(bool centre) {
  if (vertCenter_ == centre) return;
  vertCenter_ = centre;
  if (centre) owner_.update();
}

void TplBtnImage::setHorzCenter(bool centre) {
  if (horzCenter_ == centre) return;
  horzCenter_ = centre;
  if (centre) owner_.update();
}

void TplBtnImage::Assign(const TplBtnImage& other) {
  if (&other == this) return;
  kind_ = other.kind_;
  bitmap_ = other.bitmap_;
  transparent_ = other.transparent_;
  vertCenter_ = other.vertCenter_;
  horzCenter_ = other.horzCenter_;
  top_ = other.top_;
  left_ = other.left_;
  visible_ = other.visible_;
  owner_.update();
}

// ---- the button ----

TplButton::TplButton(QWidget* parent, const QString& name)
    : QWidget(parent), image_(*this), captionA_(*this), captionB_(*this) {
  installAccessibleFactory();
  setObjectName(name);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAttribute(Qt::WA_Hover);
  setFocusPolicy(Qt::TabFocus);
  setFont(platform::ui::font());
  resize(75, 26);
  if (parent) parentChanged();
}

TplButton::~TplButton() {
  if (watchedWindow_) watchedWindow_->removeEventFilter(this);
}

void TplButton::parentChanged() {
  if (watchedWindow_) watchedWindow_->removeEventFilter(this);
  watchedWindow_ = nullptr;
  if (!parentWidget()) return;
  if (!hadParent_) {
    hadParent_ = true;
    captionA_.setCaption(objectName());
  }
  // Escape reaches the window when no control in it wants the key.
  watchedWindow_ = window();
  if (watchedWindow_ && watchedWindow_ != this) watchedWindow_->installEventFilter(this);
}

bool TplButton::event(QEvent* e) {
  if (e->type() == QEvent::ParentChange) parentChanged();
  return QWidget::event(e);
}

bool TplButton::eventFilter(QObject* watched, QEvent* e) {
  if (watched == watchedWindow_ && e->type() == QEvent::KeyPress) {
    auto* k = static_cast<QKeyEvent*>(e);
    const bool plain = (k->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) == 0;
    if (k->key() == Qt::Key_Escape && cancel_ && plain && hasFocus_ && isEnabled() && isVisible()) {
      Click();
      return true;
    }
  }
  return QWidget::eventFilter(watched, e);
}

void TplButton::setButtonStyle(TplButtonStyle style) {
  style_ = style;
  applyShape();
  update();
}

void TplButton::setCancel(bool cancel) {
  if (cancel_ == cancel) return;
  cancel_ = cancel;
  update();
}

void TplButton::setGradation(bool gradation) {
  if (gradation) parentColor_ = false;
  if (gradation_ == gradation) return;
  gradation_ = gradation;
  update();
}

void TplButton::setGradBeginColor(quint32 bgrValue) {
  if (gradBegin_ == bgrValue) return;
  gradBegin_ = bgrValue;
  update();
}

void TplButton::setGradEndColor(quint32 bgrValue) {
  if (gradEnd_ == bgrValue) return;
  gradEnd_ = bgrValue;
  update();
}

void TplButton::setHasFocus(bool hasFocus) {
  if (hasFocus_ == hasFocus) return;
  hasFocus_ = hasFocus;
  update();
}

void TplButton::setModalResult(int result) {
  if (modalResult_ == result) return;
  modalResult_ = result;
  update();
}

void TplButton::setDisableImage(bool disableImage) {
  if (disableImage_ == disableImage) return;
  disableImage_ = disableImage;
  update();
}

void TplButton::setCaptionLineSpace(int space) {
  if (lineSpace_ == space) return;
  lineSpace_ = space;
  update();
}

void TplButton::setCaptionTop(int top) {
  captionVertCenter_ = false;
  if (captionTop_ == top) return;
  captionTop_ = top;
  update();
}

void TplButton::setCaptionVertCenter(bool centre) {
  if (captionVertCenter_ == centre) return;
  captionVertCenter_ = centre;
  if (centre) update();
}

void TplButton::setFlatFrameType(TplBtnFrameType type) {
  if (frameType_ == type) return;
  frameType_ = type;
  update();
}

void TplButton::setColor(quint32 bgrValue) {
  parentColor_ = false;
  if (colour_ == bgrValue) return;
  colour_ = bgrValue;
  update();
}

void TplButton::setParentColor(bool parentColor) {
  if (parentColor_ == parentColor) return;
  parentColor_ = parentColor;
  update();
}

void TplButton::applyShape() {
  if (style_ == bsRoundRect || style_ == bsRoundRectNoFrame) setMask(plbutton::roundRectRegion(width(), height()));
  else clearMask();
}

void TplButton::resizeEvent(QResizeEvent*) {
  if (style_ == bsRoundRect || style_ == bsRoundRectNoFrame) applyShape();
  update();
}

void TplButton::changeEvent(QEvent* e) {
  if (e->type() == QEvent::EnabledChange) update();
  if (e->type() == QEvent::PaletteChange && parentColor_) update();
  QWidget::changeEvent(e);
}

QColor TplButton::faceColour() const {
  if (parentColor_ && parentWidget()) return parentWidget()->palette().color(QPalette::Window);
  return platform::bgr(colour_);
}

void TplButton::paintEvent(QPaintEvent*) {
  // Drawn off screen first so the dotted focus frame can invert what lies below.
  QImage canvas(size(), QImage::Format_RGB32);
  paintFace(canvas);
  QPainter p(this);
  p.drawImage(0, 0, canvas);
}

void TplButton::paintFace(QImage& canvas) {
  canvas.fill(faceColour());
  {
    QPainter p(&canvas);
    if (gradation_) {
      const std::vector<quint32> rows = plbutton::gradientRows(gradBegin_, gradEnd_, height());
      for (int y = 0; y < static_cast<int>(rows.size()); ++y) {
        p.setPen(platform::bgr(rows[static_cast<size_t>(y)]));
        p.drawLine(0, y, width(), y);
      }
    }
    drawImage(p);
    p.setFont(font());
    const QFontMetrics fm(font());
    const int hA = fm.height();
    const int hB = fm.height();
    const plbutton::CaptionRows rows =
        plbutton::captionRows(height(), hA, hB, lineSpace_, captionA_.Caption().isEmpty(),
                              captionB_.Caption().isEmpty(), captionVertCenter_, captionTop_);
    captionTop_ = rows.captionTop;
    drawCaption(p, captionA_, rows.yA);
    drawCaption(p, captionB_, rows.yB);
    drawFrame(p);
    if (hasFocus() && hasFocus_) drawFocus(p, canvas);
  }
}

void TplButton::drawImage(QPainter& p) {
  if (!image_.visible_ || image_.isEmpty()) return;
  const QImage& pic = image_.bitmap_;
  const QPoint at = plbutton::imagePosition(width(), height(), pic.width(), pic.height(), image_.left_, image_.top_,
                                            image_.horzCenter_, image_.vertCenter_);
  if (image_.horzCenter_) image_.left_ = at.x();
  if (image_.vertCenter_) image_.top_ = at.y();
  QImage shown = disabledLook() ? plbutton::greyCopy(pic) : pic;
  if (image_.kind_ == TplBtnImage::Kind::Icon || image_.transparent_) shown = plbutton::withAutoTransparency(shown);
  const int shift = shifted() ? 1 : 0;
  p.drawImage(at.x() + shift, at.y() + shift, shown);
}

void TplButton::drawCaption(QPainter& p, const TplBtnCaption& caption, int y) {
  const QString text = caption.Caption();
  if (text.isEmpty()) return;
  const QStringList chars = characters(text);
  const plbutton::CaptionAnchor anchor = plbutton::captionAnchor(
      caption.Alignment(), width(), caption.Left(), caption.Right(), static_cast<int>(chars.size()), shifted());
  if (shifted()) ++y;
  const QFontMetrics fm(p.font());

  // Left x of every piece drawn, and the pieces.
  QList<int> xs;
  QStringList pieces;
  if (anchor.spread) {
    std::vector<int> widths;
    for (const QString& c : chars) widths.push_back(fm.horizontalAdvance(c));
    const std::vector<int> at = plbutton::evenPositions(
        anchor.x, plbutton::evenRoom(width(), caption.Left(), caption.Right()), widths);
    for (size_t i = 0; i < at.size(); ++i) {
      xs << at[i];
      pieces << chars[static_cast<qsizetype>(i)];
    }
  } else {
    const int w = fm.horizontalAdvance(text);
    int x = anchor.x;
    if (anchor.anchor == plbutton::TextAnchor::Centre) x -= w / 2;
    if (anchor.anchor == plbutton::TextAnchor::Right) x -= w;
    xs << x;
    pieces << text;
  }

  auto drawAll = [&](int dx, int dy, const QColor& colour) {
    p.setPen(colour);
    for (qsizetype i = 0; i < pieces.size(); ++i) p.drawText(xs[i] + dx, y + dy + fm.ascent(), pieces[i]);
  };
  if (disabledLook()) {
    drawAll(1, 1, kHighlight);
    drawAll(0, 0, kShadow);
  } else {
    drawAll(0, 0, palette().color(QPalette::WindowText));
  }
}

void TplButton::drawFrame(QPainter& p) {
  p.setBrush(Qt::NoBrush);
  const QRect client = rect();
  switch (style_) {
    case bsNormal:
      if (pressed_) {
        drawRing(p, client, kShadow, kShadow);
        drawRing(p, client.adjusted(1, 1, -1, -1), platform::bgr(0x808080), platform::bgr(0x808080));
      } else {
        drawEdge(p, client, kLight, kDarkShadow, kHighlight, kShadow);
      }
      break;
    case bsFlat:
      switch (frameType_) {
        case bffFlat: drawEdge(p, client, kShadow, kShadow, kFace, kFace); break;
        case bffEtched: drawEdge(p, client, kShadow, kHighlight, kHighlight, kShadow); break;
        case bffBump: drawEdge(p, client, kLight, kDarkShadow, kShadow, kHighlight); break;
      }
      break;
    case bsRoundRect: {
      p.setPen(platform::bgr(0x757575));
      p.drawRoundedRect(QRect(0, 0, width() - 1, height() - 1), plbutton::kCornerRadius / 2.0,
                        plbutton::kCornerRadius / 2.0);
      break;
    }
    case bsFlatNoFrame:
    case bsRoundRectNoFrame: break;
  }
}

void TplButton::drawFocus(QPainter& p, QImage& canvas) {
  if (style_ == bsRoundRect || style_ == bsRoundRectNoFrame) {
    QPen pen(platform::bgr(0x202020));
    pen.setWidth(1);
    pen.setDashPattern({1, 1});
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRect(2, 2, width() - 5, height() - 5), 2.5, 2.5);
    return;
  }
  p.end();
  invertDotted(canvas, plbutton::focusRect(style_, frameType_, rect()));
}

// ---- input ----

void TplButton::Click() {
  pressed_ = false;
  if (auto* dialog = qobject_cast<QDialog*>(window()); dialog && dialog->isModal() && modalResult_ != 0)
    dialog->done(modalResult_);
  Q_EMIT clicked();
  update();
}

void TplButton::mousePressEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton) {
    QWidget::mousePressEvent(e);
    return;
  }
  if (hasFocus_) setFocus(Qt::MouseFocusReason);
  pressed_ = true;
  repaint();
  e->accept();
}

void TplButton::mouseReleaseEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton) {
    QWidget::mouseReleaseEvent(e);
    return;
  }
  pressed_ = false;
  repaint();
  e->accept();
  if (rect().contains(e->position().toPoint())) Click();
}

void TplButton::keyPressEvent(QKeyEvent* e) {
  const bool enter = e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
  const bool plain = (e->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) == 0;
  if (enter && plain && hasFocus_) {
    Click();
    e->accept();
    return;
  }
  QWidget::keyPressEvent(e);
  if (enter && isEnabled()) {
    e->accept();
    Q_EMIT clicked();
  }
}

void TplButton::keyReleaseEvent(QKeyEvent* e) {
  if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
    pressed_ = false;
    update();
  }
  QWidget::keyReleaseEvent(e);
}

void TplButton::focusInEvent(QFocusEvent* e) {
  QWidget::focusInEvent(e);
  if (!hasFocus_) return;
  Q_EMIT entered();
  update();
}

void TplButton::focusOutEvent(QFocusEvent* e) {
  QWidget::focusOutEvent(e);
  if (!hasFocus_) return;
  Q_EMIT exited();
  update();
}

void TplButton::enterEvent(QEnterEvent* e) {
  QWidget::enterEvent(e);
  const QPoint at = mapFromGlobal(QCursor::pos());
  Q_EMIT mouseEntered(QGuiApplication::queryKeyboardModifiers(), QGuiApplication::mouseButtons(), at);
  if (QWidget::mouseGrabber() == this) repaint();
}

void TplButton::leaveEvent(QEvent* e) {
  QWidget::leaveEvent(e);
  const QPoint at = mapFromGlobal(QCursor::pos());
  Q_EMIT mouseLeft(QGuiApplication::queryKeyboardModifiers(), QGuiApplication::mouseButtons(), at);
  pressed_ = false;
  repaint();
}

}  // namespace pelmora
