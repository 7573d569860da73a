#include "support/gallery.h"

#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QWidget>

#include "platform/ui/widgets.h"

namespace testsupport {

QImage renderWindow(QWidget& window) {
  const bool wasVisible = window.isVisible();
  window.show();
  QApplication::processEvents();
  const QPixmap body = window.grab();
  const int titleHeight = 26;
  QImage image(body.width(), body.height() + titleHeight, QImage::Format_RGB32);
  image.fill(QColor(60, 90, 150));
  QPainter p(&image);
  p.setPen(Qt::white);
  p.setFont(platform::ui::font(QStringLiteral("ＭＳ Ｐゴシック"), 14, true));
  p.drawText(QRect(8, 0, body.width() - 16, titleHeight), Qt::AlignVCenter | Qt::AlignLeft, window.windowTitle());
  p.drawPixmap(0, titleHeight, body);
  p.end();
  if (!wasVisible) window.hide();
  return image;
}

QString saveToGallery(QWidget& window, const QString& name) {
  const QString dir = qEnvironmentVariable("WINDOW_GALLERY_DIR");
  if (dir.isEmpty()) return {};
  QDir().mkpath(dir);
  const QString path = QDir(dir).filePath(name + QStringLiteral(".png"));
  return renderWindow(window).save(path) ? path : QString();
}

}  // namespace testsupport
