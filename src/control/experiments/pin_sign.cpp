#include "control/experiments/pin_sign.h"

#include <QPainter>
#include <QPolygonF>

namespace pelmora {

PinSign::PinSign(Kind kind, int bit, QWidget* parent, int left, int top, int size)
    : PanelButton(parent, QString(), left, top, size, size), kind_(kind) {
  setCaption(QStringLiteral("B%1 %2").arg(bit).arg(kind == Kind::Output ? QStringLiteral("出力") : QStringLiteral("入力")));
  setAttribute(Qt::WA_OpaquePaintEvent, false);
}

void PinSign::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF r = QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5);
  const bool out = kind_ == Kind::Output;
  p.setPen(QPen(out ? QColor(150, 40, 0) : QColor(0, 100, 40), 1.5));
  p.setBrush(out ? QColor(255, 150, 60) : QColor(120, 210, 140));
  p.drawRoundedRect(r, 4, 4);
  // Output: an arrow leaving the chip (up); input: one coming in (down).
  const qreal cx = r.center().x(), w = r.width(), h = r.height();
  const qreal tip = out ? r.top() + h * 0.15 : r.bottom() - h * 0.15;
  const qreal base = out ? r.top() + h * 0.5 : r.bottom() - h * 0.5;
  const qreal tail = out ? r.bottom() - h * 0.15 : r.top() + h * 0.15;
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::white);
  p.drawPolygon(QPolygonF{QPointF(cx, tip), QPointF(cx + w * 0.3, base), QPointF(cx - w * 0.3, base)});
  p.drawRect(QRectF(cx - w * 0.1, qMin(base, tail), w * 0.2, qAbs(tail - base)));
}

}  // namespace pelmora
