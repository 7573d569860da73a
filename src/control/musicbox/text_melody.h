#pragma once
// Import of text melodies (.ekm): line 1 ignored, line 2 "...=tempo", then one
// note ("O4C+8.") or rest ("R4") a line. All or nothing: a malformed line is
// reported and nothing is taken.

#include "control/musicbox/melody.h"

#include <QStringList>

#include <optional>

namespace pelmora::musicbox {

inline constexpr int kMaxImportedNotes = kLineCount * kCodesPerLine;

// The five-character code of one note or rest line, or nullopt when the line
// is not one the format allows.
std::optional<QString> textMelodyCode(const QString& line);

struct TextMelody {
  bool ok = false;
  QString tempoLine;
  DataLines lines;
  bool cut = false;    // more notes than 13 lines hold; the rest left out
  int errorLine = 0;   // 1-based line of the file when !ok
  QString errorText;   // that line's text
};
TextMelody importTextMelody(const QStringList& fileLines);

// Whether a chosen file is a text melody or a melody file, by its extension.
bool isTextMelodyFile(const QString& path);
bool isMelodyFile(const QString& path);

}  // namespace pelmora::musicbox
