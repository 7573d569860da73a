#include "control/experiments/binary_breakdown.h"

#include <algorithm>

namespace pelmora::experiments {

namespace {
QString hexText(int value, int digits) {
  return QStringLiteral("&H") + QStringLiteral("%1").arg(value, digits, 16, QLatin1Char('0')).toUpper();
}
}  // namespace

BinaryBreakdown breakDown(int n) {
  BinaryBreakdown b;
  b.n = std::clamp(n, 0, 255);
  for (int k = 0; k < 8; ++k) {
    b.digit[k] = ((b.n >> k) & 1) != 0;
    b.nibbleWeight[k] = b.digit[k] ? 1 << (k % 4) : 0;
    b.halving[k] = b.n >> (7 - k);
    b.remainderShown[k] = k == 0 || b.n > (1 << k) - 1;
  }
  b.highNibble = b.n >> 4;
  b.lowNibble = b.n & 0x0F;
  b.highHex = hexText(b.highNibble, 1);
  b.lowHex = hexText(b.lowNibble, 1);
  b.wholeHex = hexText(b.n, 2);
  return b;
}

QString levelText(int v, int bit) {
  return ((v >> bit) & 1) ? QStringLiteral("１") : QStringLiteral("０");
}

}  // namespace pelmora::experiments
