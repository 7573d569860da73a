#include "control/workbench/sound_table.h"

#include <cmath>

namespace pelmora::workbench {

long long roundHalfEven(double value) {
  const double floorValue = std::floor(value);
  const double diff = value - floorValue;
  long long r = static_cast<long long>(floorValue);
  if (diff > 0.5 || (diff == 0.5 && (r % 2 != 0))) ++r;
  return r;
}

const std::array<Note, 20>& noteColumns() {
  static const std::array<Note, 20> notes{{
      {u"ラ", "17600"}, {u"", "18648"}, {u"シ", "19755.5"}, {u"ド", "20930"}, {u"", "22175"},
      {u"レ", "23493"}, {u"", "24890"}, {u"ミ", "26370"}, {u"ファ", "27938"}, {u"", "29600"},
      {u"ソ", "31360"}, {u"", "33224"}, {u"ラ", "35200"}, {u"", "37296"}, {u"シ", "39511"},
      {u"ド", "41860"}, {u"", "44350"}, {u"レ", "46986"}, {u"", "49780"}, {u"ミ", "52740"},
  }};
  return notes;
}

const std::array<NoteLength, 11>& noteLengths() {
  static const std::array<NoteLength, 11> lengths{{
      {"2", u"３２分音符"}, {"3", u"付点３２分音符"}, {"4", u"１６分音符"}, {"6", u"付点１６分音符"},
      {"8", u"８分音符"}, {"12", u"付点８分音符"}, {"16", u"４分音符"}, {"24", u"付点４分音符"},
      {"32", u"２分音符"}, {"48", u"付点２分音符"}, {"64", u"全音符"},
  }};
  return lengths;
}

const std::array<const char*, 10>& tempos() {
  static const std::array<const char*, 10> t{"60", "80", "90", "100", "110", "120", "140", "160", "200", "240"};
  return t;
}

int soundCount(double frequency, int n, int t) {
  if (t == 0) return 0;
  return static_cast<int>(roundHalfEven(n * 60.0 * frequency / 1000.0 / t));
}

int soundPeriod(double frequency) {
  if (frequency == 0) return 0;
  return static_cast<int>(roundHalfEven(80000000.0 / frequency / 12.0));
}

NoteTable computeNoteTable(int n, int t) {
  NoteTable table;
  for (size_t c = 0; c < noteColumns().size(); ++c) {
    const double f = QString::fromLatin1(noteColumns()[c].frequency).toDouble();
    table.count[c] = soundCount(f, n, t);
    table.period[c] = soundPeriod(f);
  }
  return table;
}

SoundBars soundDefaults(bool crystal12MHz) {
  SoundBars bars;
  if (crystal12MHz) {
    bars.period = 3822;
    bars.periodMax = 6000;
  }
  return bars;
}

QString soundInstruction(const QString& pin, int count, int period) {
  return QStringLiteral("Sound ") + pin + QLatin1Char(',') + QString::number(count) + QLatin1Char(',') +
         QString::number(period);
}

QString recomposeSound(const QString& instruction, const QString& count, const QString& period) {
  return instruction.left(13) + QLatin1Char(',') + count + QLatin1Char(',') + period;
}

}  // namespace pelmora::workbench
