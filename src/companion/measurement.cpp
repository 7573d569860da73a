#include "companion/measurement.h"

#include <cmath>

namespace bremilo {

void SampleBuffer::clear() {
  count_ = 0;
  x_.fill(0);
  y_.fill(kEmpty);
  tick_.fill(0);
  x_[1] = 1;
}

void SampleBuffer::store(int value, quint32 tick) {
  ++count_;
  if (count_ > kMaxSamples) {
    for (int s = 1; s < kSlots; ++s) {
      y_[static_cast<size_t>(s)] = y_[static_cast<size_t>(s + 1)];
      tick_[static_cast<size_t>(s)] = tick_[static_cast<size_t>(s + 1)];
    }
    count_ = kMaxSamples;
  }
  x_[static_cast<size_t>(count_)] = count_;
  y_[static_cast<size_t>(count_)] = value;
  tick_[static_cast<size_t>(count_)] = tick;
}

std::optional<qint64> SampleBuffer::elapsedMs(int slot) const {
  if (!filled(slot)) return std::nullopt;
  // Unsigned difference: right across a wrap of the tick counter.
  return static_cast<qint64>(static_cast<quint32>(tick_[static_cast<size_t>(slot)] - tick_[1]));
}

int thresholdOutputs(int value, int low, int high) { return (value > low ? 2 : 1) + (value > high ? 8 : 4); }

int GraphScale::yOf(int value) const {
  const int k = step < 1 ? 1 : step;
  return kMiddle + static_cast<int>(std::lround(20.0 * (middleValue() - value) / k));
}

QList<QLine> graphSegments(const SampleBuffer& buffer, const GraphScale& scale) {
  QList<QLine> lines;
  for (int j = 1; j < SampleBuffer::kSlots; ++j) {
    if (buffer.y(j + 1) < SampleBuffer::kEmpty + 1) continue;
    lines << QLine(GraphScale::xOf(buffer.x(j)), scale.yOf(buffer.y(j)), GraphScale::xOf(buffer.x(j + 1)),
                   scale.yOf(buffer.y(j + 1)));
  }
  return lines;
}

QString scaleStepText(int step) { return QStringLiteral("目盛間隔") + QString::number(step); }

QString timeScaleText(int p1) {
  return QStringLiteral("目盛間隔（") + QString::number(2 * p1) + QStringLiteral("m秒)　測定間隔（") +
         QString::number(p1) + QStringLiteral("m秒）");
}

}  // namespace bremilo
