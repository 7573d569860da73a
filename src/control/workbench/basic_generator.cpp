#include "control/workbench/basic_generator.h"

#include "platform/textfile.h"

#include <climits>

namespace pelmora::workbench {

namespace {

bool isBlankOrControl(QChar c) { return c.unicode() <= 0x20; }

// Blanks and control characters off both ends, as the program lines are read.
QString trimBlanks(const QString& s) {
  qsizetype first = 0;
  qsizetype last = s.size();
  while (first < last && isBlankOrControl(s[first])) ++first;
  while (last > first && isBlankOrControl(s[last - 1])) --last;
  return s.mid(first, last - first);
}

qsizetype leadingBlanks(const QString& s) {
  qsizetype n = 0;
  while (n < s.size() && isBlankOrControl(s[n])) ++n;
  return n;
}

// Port B lights an LED on a 0 bit: each bit of n is written inverted, bit 7 first.
QString invertedBinary(int n) {
  QString bits;
  for (int b = 7; b >= 0; --b) bits += ((n >> b) & 1) ? QLatin1Char('0') : QLatin1Char('1');
  return bits;
}

void translateOutput(const QString& line, const QString& indent, LineTranslation& t) {
  const qsizetype eq = line.indexOf(QLatin1Char('='));
  const qsizetype comma = line.indexOf(QLatin1Char(','));
  // Without a comma after the "=" there is no value to read.
  const QString value = (comma > eq) ? trimBlanks(line.mid(eq + 1, comma - eq - 1)) : QString();
  const QString wait = line.mid(comma + 1);
  auto add = [&](const QString& s) { t.output << indent + s; };

  if (line.contains(QLatin1Char('a'))) {
    add(QStringLiteral("Portb=255-") + value);
  } else if (line.contains(QLatin1Char('i')) || line.contains(QLatin1Char('j'))) {
    const QChar v = line.contains(QLatin1Char('i')) ? QLatin1Char('i') : QLatin1Char('j');
    if (line.contains(QStringLiteral("2^(7-") + v + QLatin1Char(')'))) {
      add(QStringLiteral("x=7-") + v);
      add(QStringLiteral("x=2^x"));
      add(QStringLiteral("Portb=255-x"));
    } else {
      add(QStringLiteral("x=") + value);
      add(QStringLiteral("portB=255-x"));
    }
  } else if (line.contains(QLatin1Char('k'))) {
    // The variable k is offered next to a, i and j: written the same way as a.
    add(QStringLiteral("Portb=255-") + value);
  } else {
    const auto n = parseWholeNumber(value);
    if (!n) {
      t.ok = false;
      t.output.clear();
      return;
    }
    add(QStringLiteral("Portb=&B") + invertedBinary(*n));
  }
  add(QStringLiteral("Waitms ") + wait);
}

}  // namespace

void BascomSettings::selectCircuit(int circuit) {
  mega168 = circuit == 3;
  crystal12MHz = circuit == 2 || circuit == 3;
}

QStringList bascomHeader(const BascomSettings& s) {
  QStringList h;
  h << (s.mega168 ? QStringLiteral("$regfile = \"m168def.dat\"") : QStringLiteral("$regfile = \"Attiny2313.dat\""));
  h << (s.crystal12MHz ? QStringLiteral("$crystal = 12000000") : QStringLiteral("$crystal = 1000000"));
  if (s.lcd) h << QStringLiteral("Config Lcd = 16 * 2");
  if (s.portDInput) h << QStringLiteral("Config PortD=Input") << QStringLiteral("PortD=&B11111111");
  if (s.variablesIJK) {
    h << QStringLiteral("Dim i As Integer") << QStringLiteral("Dim j As Integer") << QStringLiteral("Dim k As Integer")
      << QStringLiteral("Dim x As Integer");
  }
  if (s.variableA) h << QStringLiteral("Dim a As Integer");
  if (s.variablesWt) h << QStringLiteral("Dim wt1 As Integer") << QStringLiteral("Dim wt2 As Integer");
  return h;
}

LineTranslation translateLine(const QString& original) {
  LineTranslation t;
  QString line = original;
  line.replace(QChar(0x3000), QLatin1Char(' '));
  t.programLine = line;

  const QString trimmed = trimBlanks(line);
  const QString key = trimmed.left(2);
  const QString indent(trimmed.isEmpty() ? 0 : leadingBlanks(line), QLatin1Char(' '));

  if (key == QLatin1String("po")) {
    translateOutput(line, indent, t);
  } else if (key == QLatin1String("dd")) {
    const auto n = parseWholeNumber(trimmed.mid(5));
    if (!n) {
      t.ok = false;
      return t;
    }
    t.output << indent + QStringLiteral("Config PortB=") + QString::number(*n);
  } else if (key == QLatin1String("Su")) {
    t.output << trimBlanks(trimmed.mid(4)) + QLatin1Char(':');
  } else if (line == QLatin1String("End")) {
    // The LEDs go off before the program ends.
    t.output << QStringLiteral("portB=255") << QStringLiteral("End");
  } else {
    t.output << line;
  }
  return t;
}

BascomText generateBascom(const QStringList& program, const BascomSettings& settings) {
  BascomText text;
  text.lines = bascomHeader(settings);
  for (int i = 0; i < program.size(); ++i) {
    LineTranslation t = translateLine(program[i]);
    text.program << t.programLine;
    if (!t.ok && !text.badLine) text.badLine = i;
    text.lines << t.output;
  }
  return text;
}

std::optional<QByteArray> bascomFileBytes(const QStringList& lines) {
  QByteArray bytes;
  for (const QString& line : lines) {
    const auto encoded = platform::cp932::encode(line);
    if (!encoded) return std::nullopt;
    bytes += *encoded;
    bytes += "\r\n";
  }
  bytes += "\r\n";
  return bytes;
}

std::optional<int> parseWholeNumber(const QString& text) {
  QString s = trimBlanks(text);
  bool negative = false;
  if (s.startsWith(QLatin1Char('-')) || s.startsWith(QLatin1Char('+'))) {
    negative = s[0] == QLatin1Char('-');
    s.remove(0, 1);
  }
  int base = 10;
  if (s.startsWith(QLatin1Char('$'))) {
    base = 16;
    s.remove(0, 1);
  } else if (s.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
    base = 16;
    s.remove(0, 2);
  }
  if (s.isEmpty()) return std::nullopt;
  for (QChar c : s) {
    const bool digit = c >= QLatin1Char('0') && c <= QLatin1Char('9');
    const bool hexLetter = (c >= QLatin1Char('a') && c <= QLatin1Char('f')) || (c >= QLatin1Char('A') && c <= QLatin1Char('F'));
    if (!digit && !(base == 16 && hexLetter)) return std::nullopt;
  }
  bool ok = false;
  const qlonglong v = s.toLongLong(&ok, base);
  if (!ok) return std::nullopt;
  const qlonglong signedValue = negative ? -v : v;
  if (signedValue < INT_MIN || signedValue > INT_MAX) return std::nullopt;
  return static_cast<int>(signedValue);
}

}  // namespace pelmora::workbench
