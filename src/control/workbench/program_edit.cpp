#include "control/workbench/program_edit.h"

#include <algorithm>

namespace pelmora::workbench {

QString trimBlanks(const QString& s) {
  qsizetype first = 0;
  qsizetype last = s.size();
  while (first < last && s[first].unicode() <= 0x20) ++first;
  while (last > first && s[last - 1].unicode() <= 0x20) --last;
  return s.mid(first, last - first);
}

QStringList pastedLines(const QString& text) {
  QStringList lines;
  QString current;
  bool pending = false;  // text seen since the last line end
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text[i];
    if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
      lines.append(current);
      current.clear();
      pending = false;
      if (c == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n')) ++i;
    } else {
      current.append(c);
      pending = true;
    }
  }
  if (pending) lines.append(current);
  return lines;
}

void ProgramEdit::unmarkAll() {
  marked = QList<bool>(lines.size(), false);
}

void ProgramEdit::mark(int i) {
  if (marked.size() != lines.size()) marked.resize(lines.size(), false);
  if (i >= 0 && i < count()) marked[i] = true;
}

void ProgramEdit::append(const QString& text) {
  if (text.isEmpty()) return;
  lines.append(trimBlanks(text));
  unmarkAll();
  selIndex = count() - 1;
  mark(selIndex);
}

void ProgramEdit::insert(const QString& text) {
  if (text.isEmpty()) return;
  selIndex = std::clamp(selIndex, 0, count());
  lines.insert(selIndex, text);
  unmarkAll();
  mark(selIndex);
}

void ProgramEdit::replace(const QString& text) {
  if (selIndex < 0 || selIndex >= count()) return;
  lines[selIndex] = text;
  unmarkAll();
  mark(selIndex);
}

void ProgramEdit::deleteMarked() {
  if (marked.size() != lines.size()) marked.resize(lines.size(), false);
  int i = 0;
  while (i < count()) {
    if (marked[i]) {
      lines.removeAt(i);
      marked.removeAt(i);
      selIndex = i;
    } else {
      ++i;
    }
  }
}

void ProgramEdit::clear() {
  lines.clear();
  marked.clear();
  selIndex = 0;
}

void ProgramEdit::indent(int level) {
  if (marked.size() != lines.size()) marked.resize(lines.size(), false);
  const QString blanks(3 * std::clamp(level, 0, 8), QLatin1Char(' '));
  int first = -1;
  int last = -1;
  for (int i = 0; i < count(); ++i) {
    if (!marked[i]) continue;
    lines[i] = blanks + trimBlanks(lines[i]);
    if (first < 0) first = i;
    last = i;
  }
  for (int i = first; i >= 0 && i <= last; ++i) marked[i] = true;
}

QString ProgramEdit::copyText() const {
  QString text;
  for (int i = 0; i < count(); ++i) {
    if (isMarked(i)) text += lines[i] + QStringLiteral("\r\n");
  }
  return text;
}

void ProgramEdit::paste(const QString& text) {
  if (marked.size() != lines.size()) marked.resize(lines.size(), false);
  int p = std::clamp(selIndex, 0, count());
  for (const QString& line : pastedLines(text)) {
    lines.insert(p, line);
    marked.insert(p, false);
    ++p;
  }
}

}  // namespace pelmora::workbench
