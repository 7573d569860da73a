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

QString shortQuote(const QString& text, int maxChars) {
  if (text.size() <= maxChars) return text;
  // Never cut a character made of a surrogate pair in two.
  const int keep = text[maxChars - 1].isHighSurrogate() ? maxChars - 1 : maxChars;
  return text.left(keep) + QChar(0x2026);
}

}  // namespace platform
