#include "control/musicbox/melody_file.h"

namespace pelmora::musicbox {

QStringList melodyFileLines(const QString& tempoLine, const DataLines& lines) {
  QStringList out{tempoLine};
  for (const QString& line : lines) {
    if (holdsNotes(line)) out.append(line);
  }
  return out;
}

MelodyFileContent readMelodyFile(const QStringList& fileLines) {
  MelodyFileContent content;
  content.tempoLine = fileLines.value(0);
  int next = 0;
  for (qsizetype i = 1; i < fileLines.size(); ++i) {
    if (fileLines[i].isEmpty()) continue;
    if (next == kLineCount) {
      content.cut = true;
      break;
    }
    content.lines[static_cast<size_t>(next++)] = fileLines[i];
  }
  return content;
}

}  // namespace pelmora::musicbox
