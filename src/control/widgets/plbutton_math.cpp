#include "control/widgets/plbutton_math.h"

#include <QPainterPath>
#include <QPolygon>

#include <numeric>

namespace pelmora::plbutton {

CaptionRows captionRows(int height, int hA, int hB, int lineSpace, bool aEmpty, bool bEmpty, bool vertCenter,
                        int captionTop) {
  CaptionRows rows;
  rows.captionTop = captionTop;
  if (vertCenter) {
    // Both lines are taken to be as high as the first.
    rows.yA = bEmpty ? (height - hA) / 2 + 1 : (height - 2 * hA - lineSpace) / 2;
    rows.captionTop = rows.yA;
  } else {
    rows.yA = captionTop;
  }
  if (vertCenter && !aEmpty) {
    rows.yB = rows.yA + hA + lineSpace;
  } else if (vertCenter) {
    rows.yB = (height - hB) / 2;
    rows.captionTop = rows.yB;
  } else {
    rows.yB = captionTop + (aEmpty ? 0 : hA + lineSpace);
  }
  return rows;
}

CaptionAnchor captionAnchor(TplBtnAlignment alignment, int width, int left, int right, int characters, bool shifted) {
  CaptionAnchor a;
  if (alignment == taEven && characters <= 1) alignment = taCenter;
  switch (alignment) {
    case taCenter: a = {width / 2, TextAnchor::Centre, false}; break;
    case taLeft: a = {left + 2, TextAnchor::Left, false}; break;
    case taRight: a = {width - right - 2, TextAnchor::Right, false}; break;
    case taEven: a = {left + 2, TextAnchor::Left, true}; break;
  }
  if (shifted) ++a.x;
  return a;
}

std::vector<int> evenPositions(int x, int room, const std::vector<int>& charWidths) {
  const int n = static_cast<int>(charWidths.size());
  if (n == 0) return {};
  if (n == 1) return {x};
  const int total = std::accumulate(charWidths.begin(), charWidths.end(), 0);
  // Truncating division: a text wider than its room draws the characters
  // closer together, the first gaps one pixel closer still.
  const int gap = (room - total) / (n - 1);
  const int rest = (room - total) % (n - 1);
  std::vector<int> xs;
  xs.reserve(static_cast<size_t>(n));
  xs.push_back(x);
  for (int i = 0; i + 1 < n; ++i) {
    int next = xs.back() + charWidths[static_cast<size_t>(i)] + gap;
    if (rest > 0 && i < rest) ++next;
    if (rest < 0 && i < -rest) --next;
    xs.push_back(next);
  }
  return xs;
}

std::vector<quint32> gradientRows(quint32 begin, quint32 end, int height) {
  if (height < 1) return {};
  if (height == 1) return {begin & 0xFFFFFFu};
  std::vector<quint32> rows;
  rows.reserve(static_cast<size_t>(height));
  auto channel = [](quint32 c, int shift) { return static_cast<int>((c >> shift) & 0xFF); };
  for (int y = 0; y < height; ++y) {
    quint32 colour = 0;
    for (int shift : {0, 8, 16}) {
      const int b = channel(begin, shift);
      const int e = channel(end, shift);
      const int v = b + y * (e - b) / (height - 1);
      colour |= static_cast<quint32>(v & 0xFF) << shift;
    }
    rows.push_back(colour);
  }
  return rows;
}

QImage greyCopy(const QImage& picture) {
  QImage out = picture.convertToFormat(QImage::Format_RGB888);
  for (int y = 0; y < out.height(); ++y) {
    uchar* line = out.scanLine(y);
    for (int x = 0; x < out.width(); ++x) {
      uchar* px = line + 3 * x;
      const auto v = static_cast<uchar>(greyValue(px[0], px[1], px[2]));
      px[0] = px[1] = px[2] = v;
    }
  }
  return out;
}

QImage withAutoTransparency(const QImage& picture) {
  if (picture.isNull()) return picture;
  QImage out = picture.convertToFormat(QImage::Format_ARGB32);
  const QRgb key = out.pixel(0, out.height() - 1) & 0xFFFFFFu;
  for (int y = 0; y < out.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
    for (int x = 0; x < out.width(); ++x) {
      if ((line[x] & 0xFFFFFFu) == key) line[x] = 0;
    }
  }
  return out;
}

QPoint imagePosition(int width, int height, int picWidth, int picHeight, int left, int top, bool horzCenter,
                     bool vertCenter) {
  return {horzCenter ? (width - picWidth) / 2 : left, vertCenter ? (height - picHeight) / 2 : top};
}

QRegion roundRectRegion(int width, int height) {
  // One pixel wider and higher than the window, corners of a 7 x 7 ellipse.
  QPainterPath path;
  path.addRoundedRect(QRectF(0, 0, width + 1, height + 1), kCornerRadius / 2.0, kCornerRadius / 2.0);
  return QRegion(path.toFillPolygon().toPolygon(), Qt::WindingFill);
}

QRect focusRect(TplButtonStyle style, TplBtnFrameType frame, const QRect& client) {
  QRect r = client.adjusted(2, 2, -2, -2);
  if (style == bsFlat && frame == bffBump) r.adjust(0, 0, 1, 1);
  if (style == bsFlat && frame == bffEtched) r.adjust(0, 0, -1, -1);
  return r;
}

}  // namespace pelmora::plbutton
