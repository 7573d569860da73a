#pragma once
// The program list's editing operations on plain data: lines, which lines
// are marked, and the position the editing panels act on. The window copies
// its list in, calls an operation and copies the result back.

#include <QList>
#include <QString>
#include <QStringList>

namespace pelmora::workbench {

// Blanks and control characters off both ends (full-width blanks stay: the
// run and the generator turn those into ordinary blanks themselves).
QString trimBlanks(const QString& s);

// Lines a clipboard text holds: split on CR LF, LF or CR; a line end at the
// very end does not start another line.
QStringList pastedLines(const QString& text);

struct ProgramEdit {
  QStringList lines;
  QList<bool> marked;  // one per line
  int selIndex = 0;

  int count() const { return static_cast<int>(lines.size()); }
  bool isMarked(int i) const { return i >= 0 && i < marked.size() && marked[i]; }
  void unmarkAll();
  void mark(int i);

  // 追加: appends the trimmed text; empty text does nothing.
  void append(const QString& text);
  // 挿入: inserts the text as it stands before the selected line; empty text
  // does nothing. A position past the list inserts at its end.
  void insert(const QString& text);
  // 訂正: the selected line becomes the text as it stands. Without a selected
  // line in the list nothing changes.
  void replace(const QString& text);
  // 削除: removes every marked line; the position becomes that of the last
  // line removed.
  void deleteMarked();
  // 全削除.
  void clear();
  // Every marked line becomes 3 x level blanks + its trimmed text; the lines
  // from the first to the last of them are marked afterwards.
  void indent(int level);
  // The marked lines, each followed by CR LF.
  QString copyText() const;
  // Inserts the clipboard's lines from the position on; the position stays.
  void paste(const QString& text);
};

}  // namespace pelmora::workbench
