#include "control/shell/settings.h"


namespace pelmora {

QString allowedTime(const QString& text) {
  const auto v = parseInt(text);
  return (v && *v >= 1000) ? text.trimmed() : QStringLiteral("60000");
}

int SettingsReader::read(const QStringList& lines, MenuSettings& s, int* linesApplied) {
  auto flag = [](const QString& l) { return l == QLatin1String("1"); };
  for (int n = 1; n <= 22; ++n) {
    if (linesApplied) *linesApplied = n - 1;
    if (n > lines.size()) return n;
    const QString& line = lines[n - 1];
    if ((n <= 2 || (n >= 6 && n <= 20)) && !parseInt(line)) return n;
    switch (n) {
      case 1: s.top = s.positions[1] = *parseInt(line); break;
      case 2: s.left = s.positions[2] = *parseInt(line); break;
      case 3: s.maikon = flag(line); break;
      case 4:
        if (line == QLatin1String("1") || line == QLatin1String("2") || line == QLatin1String("3"))
          s.circuit = line.toInt();
        break;
      case 5: s.dialog = flag(line); break;
      case 20: s.edit2 = allowedTime(line); break;
      case 21: s.douji = flag(line); break;
      case 22: s.syokisettei = flag(line); break;
      default: s.positions[static_cast<size_t>(n - 3)] = *parseInt(line); break;
    }
  }
  if (linesApplied) *linesApplied = 22;
  return 0;
}

QStringList formatSettings(const MenuSettings& s) {
  auto flag = [](bool b) { return b ? QStringLiteral("1") : QStringLiteral("0"); };
  QStringList lines;
  lines << QString::number(s.top) << QString::number(s.left) << flag(s.maikon) << QString::number(s.circuit)
        << flag(s.dialog);
  for (int entry = 3; entry <= 16; ++entry) lines << QString::number(s.positions[static_cast<size_t>(entry)]);
  lines << allowedTime(s.edit2) << flag(s.douji) << flag(s.syokisettei);
  return lines;
}

}  // namespace pelmora
