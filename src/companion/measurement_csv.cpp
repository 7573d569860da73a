#include "companion/measurement_csv.h"

#include "platform/textfile.h"

namespace bremilo {

QString csvHeaderLine(const QDateTime& now) {
  return QStringLiteral("読取日時 : ") + now.toString(QStringLiteral("yyyy/MM/dd H:mm:ss"));
}

QString secondsText(qint64 ms) {
  QString text = QString::number(ms / 1000);
  const qint64 rest = ms % 1000;
  if (rest != 0) {
    QString frac = QString::number(rest).rightJustified(3, QLatin1Char('0'));
    while (frac.endsWith(QLatin1Char('0'))) frac.chop(1);
    text += QLatin1Char('.') + frac;
  }
  return text;
}

QString csvDataLine(int count, std::optional<qint64> ms, int value) {
  return QString::number(count) + QLatin1Char(',') + (ms ? secondsText(*ms) : QString()) + QLatin1Char(',') +
         QString::number(value);
}

QStringList snapshotLines(const SampleBuffer& buffer, const QDateTime& now) {
  QStringList lines{csvHeaderLine(now), kCsvColumns};
  for (int n = 1; n <= SampleBuffer::kSlots; ++n) lines << csvDataLine(n, buffer.elapsedMs(n), buffer.y(n));
  return lines;
}

bool ContinuousLog::start(const QString& path, QString* error) {
  stop();
  QString reason;
  if (!file_.open(path, &reason)) {
    if (error) *error = path + QStringLiteral("を開けません！（") + reason + QStringLiteral("）");
    return false;
  }
  count_ = 0;
  return writeLine(csvHeaderLine(wallClock_()), error) && writeLine(kCsvColumns, error);
}

bool ContinuousLog::append(int value, quint32 tick, QString* error) {
  if (!file_.isOpen()) return false;
  if (count_ == 0) firstTick_ = tick;
  const qint64 ms = static_cast<quint32>(tick - firstTick_);
  if (!writeLine(csvDataLine(count_ + 1, ms, value), error)) return false;
  ++count_;
  return true;
}

void ContinuousLog::stop() { file_.close(); }

bool ContinuousLog::writeLine(const QString& line, QString* error) {
  const auto bytes = platform::cp932::encode(line);
  QString reason;
  if (!file_.append(bytes ? *bytes : line.toLatin1(), &reason)) {
    if (error) *error = file_.path() + QStringLiteral("に書き込めません！（") + reason + QStringLiteral("）");
    return false;
  }
  return true;
}

}  // namespace bremilo
