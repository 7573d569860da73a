#include "control/workbench/program_print.h"

#include <QFont>
#include <QPagedPaintDevice>
#include <QPainter>

namespace pelmora::workbench {

namespace {
constexpr int kTopMargin = 100;
constexpr int kFirstLine = 300;
constexpr int kLineStep = 50;
}  // namespace

QList<PrintPlace> listingPlaces(int lineCount, int pageHeight) {
  QList<PrintPlace> places;
  int page = 0;
  int y = kFirstLine;
  const int bottom = qMax(pageHeight - kTopMargin, kFirstLine + kLineStep);
  for (int n = 0; n < lineCount; ++n) {
    if (y + kLineStep > bottom) {
      ++page;
      y = kTopMargin;
    }
    places.append({page, y});
    y += kLineStep;
  }
  return places;
}

int printListing(QPagedPaintDevice& device, const QString& title, const QString& heading,
                 const QStringList& lines) {
  QPainter p;
  if (!p.begin(&device)) return 0;
  QFont f;
  f.setFamilies({QStringLiteral("IPAGothic"), QStringLiteral("IPAPGothic")});
  f.setPointSize(10);
  p.setFont(f);
  const int width = device.width();
  auto text = [&](int x, int y, const QString& s) {
    p.drawText(QRect(x, y, qMax(1, width - x), kLineStep), Qt::AlignLeft | Qt::AlignTop, s);
  };
  text(100, 100, title);
  text(150, 200, heading);
  const QList<PrintPlace> places = listingPlaces(static_cast<int>(lines.size()), device.height());
  int page = 0;
  for (qsizetype n = 0; n < lines.size(); ++n) {
    if (places[n].page != page) {
      if (!device.newPage()) {
        p.end();
        return 0;
      }
      page = places[n].page;
    }
    text(200, places[n].y, lines[n]);
  }
  return p.end() ? page + 1 : 0;
}

}  // namespace pelmora::workbench
