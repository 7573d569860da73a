#include "platform/ui/menu_picture.h"

#include <QPainter>
#include <QPolygonF>

namespace platform::ui {

namespace {

// The green circuit board both pictures stand on.
void drawBoard(QPainter& p, const QRectF& board) {
  p.setPen(QPen(QColor(0, 90, 40), 2));
  p.setBrush(QColor(30, 140, 70));
  p.drawRoundedRect(board, 6, 6);
}

void drawControlBoard(QPainter& p, const QRectF& area) {
  const QRectF board = area.adjusted(4, 10, -4, -10);
  drawBoard(p, board);
  p.setBrush(QColor(40, 40, 40));
  p.drawRect(QRectF(board.left() + 14, board.top() + 12, board.width() - 28, 22));
  for (int i = 0; i < 8; ++i) {
    const qreal x = board.left() + 10 + i * (board.width() - 20) / 8.0;
    p.setPen(Qt::NoPen);
    p.setBrush(i % 3 == 0 ? QColor(255, 40, 40) : QColor(120, 20, 20));
    p.drawEllipse(QRectF(x + 2, board.bottom() - 24, 9, 9));
  }
}

void drawMeasuringBoard(QPainter& p, const QRectF& area) {
  const QRectF board = area.adjusted(3, 3, -3, -3);
  drawBoard(p, board);
  p.setBrush(QColor(250, 250, 240));
  const QRectF screen(board.left() + 8, board.top() + 8, board.width() - 16, board.height() * 0.45);
  p.drawRect(screen);
  p.setPen(QPen(QColor(0, 128, 0), 2));
  QPolygonF line;
  for (int i = 0; i <= 8; ++i) {
    const qreal x = screen.left() + 4 + i * (screen.width() - 8) / 8.0;
    const qreal y = screen.center().y() + ((i % 3) - 1) * screen.height() * 0.25 - i * 1.2;
    line << QPointF(x, y);
  }
  p.drawPolyline(line);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(230, 40, 40));
  p.drawEllipse(QPointF(board.left() + 18, board.bottom() - 16), 6, 6);
  p.setBrush(QColor(40, 40, 40));
  p.drawRect(QRectF(board.right() - 40, board.bottom() - 24, 28, 14));
}

}  // namespace

MenuPicture::MenuPicture(Board board, QWidget* parent, int left, int top, int width, int height)
    : QWidget(parent), board_(board) {
  setGeometry(left, top, width, height);
}

void MenuPicture::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  if (board_ == Board::Control) drawControlBoard(p, QRectF(rect()));
  else drawMeasuringBoard(p, QRectF(rect()));
}

}  // namespace platform::ui
