#include "companion/correction_table.h"

#include "platform/textfile.h"

namespace bremilo {

void CorrectionTable::load(const QList<QByteArray>& lines) {
  for (int i = 0; i < kRows; ++i) rows_[i] = lines.value(i);
}

QString CorrectionTable::text(int row) const { return platform::cp932::decode(entry(row)); }

void CorrectionTable::shiftUp() {
  for (int i = 0; i + 1 < kRows; ++i) rows_[i] = rows_[i + 1];
}

void CorrectionTable::shiftDown() {
  for (int i = kRows - 1; i >= 1; --i) rows_[i] = rows_[i - 1];
}

}  // namespace bremilo
