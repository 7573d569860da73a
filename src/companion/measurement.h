#pragma once
// The values of a real-time measurement: the sample buffer, the threshold
// outputs and the graph's arithmetic.

#include <QLine>
#include <QList>
#include <QString>

#include <array>
#include <optional>

namespace bremilo {

// 50 slots, 1-based; at most 49 filled, so slot 50 stays empty. A full buffer
// drops its oldest value for each new one.
class SampleBuffer {
 public:
  static constexpr int kSlots = 50;
  static constexpr int kMaxSamples = 49;
  static constexpr int kEmpty = -20;

  SampleBuffer() { clear(); }
  void clear();
  // tick: the clock's milliseconds at which the value was taken.
  void store(int value, quint32 tick);

  int count() const { return count_; }
  int x(int slot) const { return x_[static_cast<size_t>(slot)]; }
  int y(int slot) const { return y_[static_cast<size_t>(slot)]; }
  bool filled(int slot) const { return slot >= 1 && slot <= count_; }
  // Milliseconds from the oldest value to the value in slot; nullopt for an
  // empty slot.
  std::optional<qint64> elapsedMs(int slot) const;

 private:
  int count_ = 0;
  std::array<int, kSlots + 1> x_{};
  std::array<int, kSlots + 1> y_{};
  std::array<quint32, kSlots + 1> tick_{};
};

// The four outputs as a sum of bit weights: 2 when v > low else 1, plus 8
// when v > high else 4. Port B is active low: the board gets 255 - this.
int thresholdOutputs(int value, int low, int high);
inline int thresholdPortLevel(int value, int low, int high) { return 255 - thresholdOutputs(value, low, high); }

// The graph: 481 x 201 pixels, 10 pixels between samples; the value
// 100 - offset lies on the middle line (y = 100), and the top and bottom
// lines stand 5 x step units above and below it.
struct GraphScale {
  static constexpr int kWidth = 481;
  static constexpr int kHeight = 201;
  static constexpr int kMiddle = 100;

  int offset = 80;  // P2
  int step = 2;     // k, 1-10

  // The scroll bar runs 0-9 with the smallest step at the bottom.
  static int stepFromPosition(int position) { return 9 - position + 1; }

  int middleValue() const { return 100 - offset; }
  int topValue() const { return middleValue() + 5 * step; }
  int bottomValue() const { return middleValue() - 5 * step; }
  // 20 / step pixels per unit, rounded only at the end, so the top and
  // bottom labels lie exactly on the top and bottom lines.
  int yOf(int value) const;
  static int xOf(int sampleX) { return 10 * sampleX - 10; }
};

// The segments to draw: from each sample to the next filled one.
QList<QLine> graphSegments(const SampleBuffer& buffer, const GraphScale& scale);

// "目盛間隔" followed by the step.
QString scaleStepText(int step);
// The time scale caption for P1 milliseconds between values.
QString timeScaleText(int p1);

}  // namespace bremilo
