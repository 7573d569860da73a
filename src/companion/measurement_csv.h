#pragma once
// The measurement CSV files: the snapshot data3.csv of the whole buffer and
// the continuous log data4.csv that grows by one line per value. Numbers are
// written with "." whatever the locale.

#include "companion/measurement.h"

#include <QDateTime>
#include "platform/textfile.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace bremilo {

// The wall clock for the first line of a file; tests pass a fixed one.
using WallClock = std::function<QDateTime()>;

inline const QString kSnapshotName = QStringLiteral("data3.csv");
inline const QString kContinuousName = QStringLiteral("data4.csv");
inline const QString kCsvColumns = QStringLiteral("回,経過時間,温度");

// "読取日時 : " followed by the date and the time.
QString csvHeaderLine(const QDateTime& now);
// Whole milliseconds as seconds: "0", "0.5", "1.25", "12.345".
QString secondsText(qint64 ms);
// count, seconds, value; an unknown time leaves its field empty.
QString csvDataLine(int count, std::optional<qint64> ms, int value);

// Header lines and 50 data lines, empty slots included (value -20, no time).
QStringList snapshotLines(const SampleBuffer& buffer, const QDateTime& now);

// The continuous log: open while logging is on, flushed line by line.
class ContinuousLog {
 public:
  explicit ContinuousLog(WallClock wallClock) : wallClock_(std::move(wallClock)) {}
  ~ContinuousLog() { stop(); }

  // Creates or overwrites path and writes the two header lines. On failure
  // error holds one sentence for the user and the log stays off.
  bool start(const QString& path, QString* error);
  // One data line for value, taken at tick. On failure the log is closed.
  bool append(int value, quint32 tick, QString* error);
  void stop();
  bool isOn() const { return file_.isOpen(); }
  int count() const { return count_; }

 private:
  bool writeLine(const QString& line, QString* error);
  WallClock wallClock_;
  platform::textfile::LineAppender file_;
  int count_ = 0;
  quint32 firstTick_ = 0;
};

}  // namespace bremilo
