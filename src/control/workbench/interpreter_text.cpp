#include "control/workbench/interpreter_text.h"

#include <cmath>
#include <limits>

namespace pelmora::workbench {

int pos(const QString& sub, const QString& s) { return static_cast<int>(s.indexOf(sub)) + 1; }

QString copy(const QString& s, int index, int count) {
  if (index < 1) index = 1;
  if (count <= 0 || index > s.size()) return {};
  return s.mid(index - 1, count);
}

QString between(const QString& s, QChar open, QChar close) {
  const int a = pos(QString(open), s);
  const int b = pos(QString(close), s);
  if (a == 0 || b == 0) return {};
  return copy(s, a + 1, b - a - 1);
}

QChar charAt(const QString& s, int index) {
  if (index < 1 || index > s.size()) return QChar();
  return s.at(index - 1);
}

std::optional<qint32> readNumber(const QString& text) {
  const QString t = trimBlanks(text);
  qsizetype i = 0;
  bool negative = false;
  if (i < t.size() && (t.at(i) == u'+' || t.at(i) == u'-')) {
    negative = t.at(i) == u'-';
    ++i;
  }
  if (i == t.size()) return std::nullopt;
  qint64 v = 0;
  for (; i < t.size(); ++i) {
    const char16_t c = t.at(i).unicode();
    if (c < u'0' || c > u'9') return std::nullopt;
    v = v * 10 + (c - u'0');
    if (v > qint64(std::numeric_limits<qint32>::max()) + 1) return std::nullopt;
  }
  if (negative) v = -v;
  if (v < std::numeric_limits<qint32>::min() || v > std::numeric_limits<qint32>::max()) return std::nullopt;
  return static_cast<qint32>(v);
}

std::optional<qint32> checkedAdd(qint32 a, qint32 b) {
  qint32 r;
  if (__builtin_add_overflow(a, b, &r)) return std::nullopt;
  return r;
}

std::optional<qint32> checkedSub(qint32 a, qint32 b) {
  qint32 r;
  if (__builtin_sub_overflow(a, b, &r)) return std::nullopt;
  return r;
}

std::optional<qint32> checkedMul(qint32 a, qint32 b) {
  qint32 r;
  if (__builtin_mul_overflow(a, b, &r)) return std::nullopt;
  return r;
}

PowerResult power(qint32 base, qint32 exp) {
  const double r = std::pow(static_cast<double>(base), static_cast<double>(exp));
  if (!std::isfinite(r) || r > std::numeric_limits<qint32>::max() || r < std::numeric_limits<qint32>::min())
    return {0, PowerFault::TooLarge};
  if (r != std::trunc(r)) return {0, PowerFault::Fraction};
  return {static_cast<qint32>(r), PowerFault::None};
}

}  // namespace pelmora::workbench
