#include "control/workbench/tform6_parts.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QMouseEvent>
#include <QPainter>

namespace pelmora::workbench {

namespace {

template <typename W>
class ClickableAccessible : public QAccessibleWidget {
 public:
  explicit ClickableAccessible(QWidget* w) : QAccessibleWidget(w, QAccessible::Button) {}
  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name) {
      if (!widget()->accessibleName().isEmpty()) return widget()->accessibleName();
      if (auto* l = qobject_cast<QLabel*>(widget())) return l->text();
    }
    return QAccessibleWidget::text(t);
  }
  QStringList actionNames() const override { return {pressAction()}; }
  void doAction(const QString& name) override {
    if (name == pressAction()) static_cast<W*>(widget())->click();
  }
};

QAccessibleInterface* factory(const QString& className, QObject* object) {
  if (!object || !object->isWidgetType()) return nullptr;
  auto* w = static_cast<QWidget*>(object);
  if (className == QLatin1String("pelmora::workbench::ClickLabel")) return new ClickableAccessible<ClickLabel>(w);
  if (className == QLatin1String("pelmora::workbench::DirectionPicture"))
    return new ClickableAccessible<DirectionPicture>(w);
  return nullptr;
}

}  // namespace

void installAccessibility() {
  static bool installed = false;
  if (!installed) {
    QAccessible::installFactory(factory);
    installed = true;
  }
}

void ClickLabel::mouseReleaseEvent(QMouseEvent* e) {
  if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint())) Q_EMIT clicked();
}

DirectionPicture::DirectionPicture(bool output, QWidget* parent, int left, int top)
    : QWidget(parent), output_(output) {
  setGeometry(left, top, 26, 24);
  // Opaque, so the output picture covers the input picture beneath it.
  setAutoFillBackground(true);
  setAccessibleName(output ? QStringLiteral("出力") : QStringLiteral("入力"));
  setToolTip(output ? QStringLiteral("出力（クリックで入力に切り替え）") : QStringLiteral("入力（クリックで出力に切り替え）"));
}

void DirectionPicture::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  const QColor c = output_ ? QColor(200, 40, 40) : QColor(20, 120, 200);
  p.setPen(Qt::NoPen);
  p.setBrush(c);
  const qreal w = width();
  const qreal h = height();
  // Output: arrow pointing down towards the LED; input: pointing up.
  QPolygonF arrow;
  if (output_) {
    arrow << QPointF(w * 0.35, 1) << QPointF(w * 0.65, 1) << QPointF(w * 0.65, h * 0.5) << QPointF(w * 0.9, h * 0.5)
          << QPointF(w * 0.5, h - 1) << QPointF(w * 0.1, h * 0.5) << QPointF(w * 0.35, h * 0.5);
  } else {
    arrow << QPointF(w * 0.35, h - 1) << QPointF(w * 0.65, h - 1) << QPointF(w * 0.65, h * 0.5)
          << QPointF(w * 0.9, h * 0.5) << QPointF(w * 0.5, 1) << QPointF(w * 0.1, h * 0.5) << QPointF(w * 0.35, h * 0.5);
  }
  p.drawPolygon(arrow);
}

void DirectionPicture::mouseReleaseEvent(QMouseEvent* e) {
  if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint())) Q_EMIT clicked();
}

}  // namespace pelmora::workbench
