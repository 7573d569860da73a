#pragma once
// The melody file (.dat): the tempo line, then every data line that holds
// notes, in order. Reading packs the lines from line 1 down.

#include "control/musicbox/melody.h"

#include <QStringList>

namespace pelmora::musicbox {

QStringList melodyFileLines(const QString& tempoLine, const DataLines& lines);

struct MelodyFileContent {
  QString tempoLine;
  DataLines lines;
  // More non-empty lines than the window holds: the rest were left out.
  bool cut = false;
};
MelodyFileContent readMelodyFile(const QStringList& fileLines);

}  // namespace pelmora::musicbox
