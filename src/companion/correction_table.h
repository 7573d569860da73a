#pragma once
// A correction table: raw values 0-99, each with a free-text entry; stored as
// exactly 100 lines, entry k on line k. Entries keep their bytes, so a file
// goes back to disk as it came.

#include <QByteArray>
#include <QList>
#include <QString>

namespace bremilo {

inline const QString kTemperatureTableName = QStringLiteral("bremelo_ondo.dat");
inline const QString kIlluminanceTableName = QStringLiteral("bremelo_syoudo.dat");

class CorrectionTable {
 public:
  static constexpr int kRows = 100;

  CorrectionTable() : rows_(kRows) {}
  // The first 100 lines; a shorter file leaves the remaining rows empty.
  void load(const QList<QByteArray>& lines);
  // Always 100 lines.
  const QList<QByteArray>& lines() const { return rows_; }
  // row 1-100
  QByteArray entry(int row) const { return rows_.value(row - 1); }
  QString text(int row) const;
  // "↑": every entry moves up one row; row 1's entry is lost and row 100 keeps its own.
  void shiftUp();
  // "↓": every entry moves down one row; row 100's entry is lost and row 1 keeps its own.
  void shiftDown();

 private:
  QList<QByteArray> rows_;
};

}  // namespace bremilo
