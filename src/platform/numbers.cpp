#include "platform/numbers.h"

#include <limits>

namespace platform {

std::optional<qint32> parseInt(const QString& text) {
  const QString t = text.trimmed();
  if (t.isEmpty()) return std::nullopt;
  const qsizetype first = (t[0] == QLatin1Char('-') || t[0] == QLatin1Char('+')) ? 1 : 0;
  if (first == t.size()) return std::nullopt;
  for (qsizetype k = first; k < t.size(); ++k) {
    if (t[k] < QLatin1Char('0') || t[k] > QLatin1Char('9')) return std::nullopt;
  }
  bool ok = false;
  const qlonglong v = t.toLongLong(&ok);
  if (!ok || v < std::numeric_limits<qint32>::min() || v > std::numeric_limits<qint32>::max()) return std::nullopt;
  return static_cast<qint32>(v);
}

}  // namespace platform
