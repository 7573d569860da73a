#pragma once
// The eeprom log of a stand-alone measuring board, as the command-line
// writer prints it in its hex dump, and the data.csv made from it.

#include <QDateTime>
#include <QString>
#include <QStringList>

namespace bremilo {

inline const QString kRunNote = QStringLiteral("(データ126の手前までが今回の測定分です)");

struct EepromLog {
  bool ok = false;
  QString error;          // why nothing may be written, for the user
  int interval = 0;       // 1: one minute, 2: two seconds, 5: five minutes
  QString intervalText;   // LBLjikan
  QString year;           // LBLnen
  QString month;          // LBLgatu
  QString day;            // LBLniti
  QString correction;     // LBLsensor
  QStringList bodyLines;  // records and the summary line, in dump order
  int records = 0;        // records decoded, written or not
  bool dateRowRead = false;  // the date row held a readable byte
};

// Decodes lines 1-22 of the dump (line 0 is the writer's own heading).
// onlyThisRun: records from the end mark on are left out.
EepromLog decodeEepromDump(const QString& dump, bool onlyThisRun);

// The correction text for the second digit of byte 6 of the date row.
QString correctionText(const QString& digit);

// The whole data.csv, header lines first.
QStringList eepromCsvLines(const EepromLog& log, const QDateTime& readAt);

}  // namespace bremilo
