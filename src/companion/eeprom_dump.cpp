#include "companion/eeprom_dump.h"

#include <QRegularExpression>

namespace bremilo {

namespace {

bool isHex(const QString& text, int minDigits, int maxDigits) {
  static const QRegularExpression hex(QStringLiteral("^[0-9A-Fa-f]+$"));
  return text.size() >= minDigits && text.size() <= maxDigits && hex.match(text).hasMatch();
}

// The sixteen byte texts of a row: characters 9-32 and 35-58, three
// characters a byte, blanks trimmed.
QStringList byteTexts(const QString& line) {
  const QString joined = line.mid(8, 24).leftJustified(24, QLatin1Char(' ')) +
                         line.mid(34, 24).leftJustified(24, QLatin1Char(' '));
  QStringList bytes;
  for (int j = 0; j < 16; ++j) bytes << joined.mid(j * 3, 3).trimmed();
  return bytes;
}

// A byte's trimmed text is read as hexadecimal, so " F" is 15; anything
// else (blank, "--", a stray character) is passed over.
int byteValue(const QString& text) { return isHex(text, 1, 2) ? text.toInt(nullptr, 16) : -1; }

QString record(int r, int time, int v) { return QStringLiteral("%1,%2,%3").arg(r).arg(time).arg(v); }

}  // namespace

QString correctionText(const QString& digit) {
  static const char* const texts[] = {"-5", "-4", "-3", "-2", "-1", "±0", "+1", "+2", "+3", "+4"};
  if (digit.size() == 1 && digit[0] >= QLatin1Char('0') && digit[0] <= QLatin1Char('9'))
    return QString::fromUtf8(texts[digit[0].unicode() - '0']);
  if (digit == QLatin1String("A")) return QStringLiteral("+5");
  if (digit == QLatin1String("F")) return QStringLiteral("±0");
  return digit;
}

EepromLog decodeEepromDump(const QString& dump, bool onlyThisRun) {
  EepromLog log;
  const QStringList lines = dump.split(QRegularExpression(QStringLiteral("\r\n|\n|\r")));
  int r = -1;
  bool stop = false;
  auto write = [&](int time, int v) {
    if (!onlyThisRun || !stop) log.bodyLines << record(r, time, v);
  };
  for (int i = 1; i <= 22 && i < lines.size(); ++i) {
    const QString& line = lines[i];
    const QString address = line.left(6);
    if (!isHex(address, 6, 6)) continue;  // not a dump row
    const QStringList bytes = byteTexts(line);
    if (address == QLatin1String("000000")) {
      static const QRegularExpression decimal(QStringLiteral("^[+-]?[0-9]+$"));
      if (!decimal.match(bytes[7]).hasMatch()) {
        log.error = QStringLiteral("測定間隔のデータ「%1」が読み取れません。測定データが記録されていないようです。").arg(bytes[7]);
        return log;
      }
      log.interval = bytes[7].toInt();
      if (log.interval == 1) log.intervalText = QStringLiteral("１分間隔で測定");
      else if (log.interval == 2) log.intervalText = QStringLiteral("２秒間隔で測定");
      else if (log.interval == 5) log.intervalText = QStringLiteral("５分間隔で測定");
      for (int j = 11; j < 16; ++j) {
        const int v = byteValue(bytes[j]);
        if (v < 0) continue;
        ++r;
        write((r + 1) * log.interval, v);
      }
    } else if (address.compare(QLatin1String("0001F0"), Qt::CaseInsensitive) == 0) {
      for (const QString& b : bytes) log.dateRowRead = log.dateRowRead || byteValue(b) >= 0;
      log.year = QStringLiteral("ブレミロ ver.20") + bytes[0] + QStringLiteral("-");
      log.month = bytes[1] + QStringLiteral("-");
      log.day = bytes[2];
      log.correction = QStringLiteral(" 補正値は") + correctionText(bytes[5].mid(1, 1).trimmed());
      log.bodyLines << log.year + log.month + log.day + QStringLiteral(":　") + log.correction + QStringLiteral(":　") +
                           log.intervalText;
      if (!onlyThisRun) log.bodyLines << kRunNote;
    } else {
      for (int j = 0; j < 16; ++j) {
        int v = byteValue(bytes[j]);
        if (v < 0) continue;
        ++r;
        if (v > 127) v -= 128;
        if (v > 105) stop = true;
        write(log.interval * r, v);
      }
    }
  }
  // Rows without one readable byte are no log: data.csv keeps what it holds.
  log.records = r + 1;
  if (log.records == 0 && !log.dateRowRead) {
    log.error = QStringLiteral("hidspxの出力に測定データが有りません。");
    return log;
  }
  log.ok = true;
  return log;
}

QStringList eepromCsvLines(const EepromLog& log, const QDateTime& readAt) {
  QStringList lines;
  lines << QStringLiteral("読取日時 : ") + readAt.toString(QStringLiteral("yyyy/MM/dd H:mm:ss"));
  lines << QStringLiteral("回,経過時間,測定値");
  lines << log.bodyLines;
  return lines;
}

}  // namespace bremilo
