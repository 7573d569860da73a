#include "control/musicbox/text_melody.h"

namespace pelmora::musicbox {

namespace {

// The note value denominators the format allows.
bool isPowerOfTwoUpTo64(int n) { return n >= 1 && n <= 64 && (n & (n - 1)) == 0; }

bool isDigits(const QString& s) {
  if (s.isEmpty() || s.size() > 2) return false;
  for (QChar c : s) {
    if (c < QLatin1Char('0') || c > QLatin1Char('9')) return false;
  }
  return true;
}

// 64ths as two digits, or empty when the length cannot be held by the code.
QString lengthCode(QString text, bool restLine) {
  const bool dotted = text.endsWith(QLatin1Char('.'));
  if (dotted) {
    if (restLine) return {};
    text.chop(1);
  }
  if (!isDigits(text)) return {};
  const int n = text.toInt();
  if (!isPowerOfTwoUpTo64(n)) return {};
  // A dotted whole gives 96, which the player's two digits hold; a dotted
  // 64th rounds down to one 64th.
  const int length = dotted ? 96 / n : 64 / n;
  return QStringLiteral("%1").arg(length, 2, 10, QLatin1Char('0'));
}

}  // namespace

std::optional<QString> textMelodyCode(const QString& raw) {
  const QString line = raw.trimmed();
  if (line.contains(QLatin1Char('R'))) {
    if (!line.startsWith(QLatin1Char('R'))) return std::nullopt;
    const QString length = lengthCode(line.mid(1), true);
    if (length.isEmpty()) return std::nullopt;
    return QStringLiteral("_K_") + length;
  }
  if (line.size() < 4 || line[0] != QLatin1Char('O')) return std::nullopt;
  QString code;
  switch (line[1].unicode()) {
    case '3': code = QStringLiteral("-"); break;
    case '4': code = QStringLiteral("_"); break;
    case '5': code = QStringLiteral("+"); break;
    default: return std::nullopt;
  }
  const QChar letter = line[2];
  if (!QStringLiteral("CDEFGAB").contains(letter)) return std::nullopt;
  code += letter;
  qsizetype lengthStart = 3;
  if (line[3] == QLatin1Char('+')) {
    code += QLatin1Char('#');
    lengthStart = 4;
  } else if (line[3] == QLatin1Char('-')) {
    code += QLatin1Char('b');
    lengthStart = 4;
  } else {
    code += QLatin1Char('_');
  }
  const QString length = lengthCode(line.mid(lengthStart), false);
  if (length.isEmpty()) return std::nullopt;
  return code + length;
}

TextMelody importTextMelody(const QStringList& fileLines) {
  TextMelody result;
  const QString tempoSource = fileLines.value(1);
  const qsizetype eq = tempoSource.indexOf(QLatin1Char('='));
  // Taken as it stands: the tempo check before generating refuses what the
  // compiler would not take, and blanks around the number it takes.
  result.tempoLine = QStringLiteral("data ") + (eq < 0 ? tempoSource : tempoSource.mid(eq + 1));

  QStringList codes;
  for (qsizetype i = 2; i < fileLines.size(); ++i) {
    if (fileLines[i].trimmed().isEmpty()) continue;
    const auto code = textMelodyCode(fileLines[i]);
    if (!code) {
      result.errorLine = static_cast<int>(i + 1);
      result.errorText = fileLines[i];
      return result;
    }
    codes.append(QLatin1Char('"') + *code + QLatin1Char('"'));
  }
  if (codes.size() > kMaxImportedNotes) {
    result.cut = true;
    codes = codes.mid(0, kMaxImportedNotes);
  }
  // Ten codes a line; a line that the last ten filled is followed by a bare
  // "data " while there is room for one.
  int line = 0;
  for (qsizetype start = 0; start < codes.size(); start += kCodesPerLine) {
    result.lines[static_cast<size_t>(line++)] = QStringLiteral("data ") + codes.mid(start, kCodesPerLine).join(QLatin1Char(','));
  }
  if (codes.size() % kCodesPerLine == 0 && line < kLineCount) result.lines[static_cast<size_t>(line)] = QStringLiteral("data ");
  result.ok = true;
  return result;
}

bool isTextMelodyFile(const QString& path) { return path.endsWith(QStringLiteral(".ekm"), Qt::CaseInsensitive); }
bool isMelodyFile(const QString& path) { return path.endsWith(QStringLiteral(".dat"), Qt::CaseInsensitive); }

}  // namespace pelmora::musicbox
