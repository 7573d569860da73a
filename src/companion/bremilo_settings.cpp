#include "companion/bremilo_settings.h"


namespace bremilo {

SettingsReadResult readPositions(const QStringList& lines, PositionTable& table) {
  SettingsReadResult r;
  for (int k = 1; k <= kSettingsLines; ++k) {
    if (k > lines.size()) {
      r.stoppedAt = k;
      r.missingLine = true;
      return r;
    }
    const auto v = parseInt(lines[k - 1]);
    if (!v) {
      r.stoppedAt = k;
      return r;
    }
    table[static_cast<size_t>(k)] = *v;
    r.linesRead = k;
  }
  return r;
}

QStringList formatPositions(const PositionTable& table) {
  QStringList lines;
  for (int k = 1; k <= kSettingsLines; ++k) lines << QString::number(table[static_cast<size_t>(k)]);
  return lines;
}

QString settingsProblem(const SettingsReadResult& r, const QStringList& lines) {
  if (r.stoppedAt == 0) return {};
  if (r.missingLine) return kSettingsName + QStringLiteral("の%1行目から後が有りません！").arg(r.stoppedAt);
  return kSettingsName + QStringLiteral("の%1行目「%2」は数値ではありません！")
                             .arg(r.stoppedAt)
                             .arg(platform::shortQuote(lines[r.stoppedAt - 1]));
}

}  // namespace bremilo
