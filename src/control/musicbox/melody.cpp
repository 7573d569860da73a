#include "control/musicbox/melody.h"

namespace pelmora::musicbox {

namespace {

const char* const kLetters = "CDEFGAB";
const QString kSolfa[7] = {QStringLiteral("ド"), QStringLiteral("レ"), QStringLiteral("ミ"), QStringLiteral("ファ"),
                           QStringLiteral("ソ"), QStringLiteral("ラ"), QStringLiteral("シ")};
const QChar kOctaveMarks[3] = {QLatin1Char('-'), QLatin1Char(' '), QLatin1Char('+')};

const QString kLengthCaptions[kLengthCount] = {
    QStringLiteral("全          64"), QStringLiteral("付点2分  48"),   QStringLiteral("２分　　    32"),
    QStringLiteral("付点4分  24"),    QStringLiteral("４分        16"), QStringLiteral("付点8分  12"),
    QStringLiteral("８分　　    08"), QStringLiteral("付点16分 06"),  QStringLiteral("１６分   　 04"),
    QStringLiteral("付点32分 03"),    QStringLiteral("３２分      02"), QStringLiteral("６４分     01")};
// The first eight code-page bytes of each caption without the blanks around.
const QString kLengthReadable[kLengthCount] = {
    QStringLiteral("全"),       QStringLiteral("付点2分"),  QStringLiteral("２分　　"), QStringLiteral("付点4分"),
    QStringLiteral("４分"),     QStringLiteral("付点8分"),  QStringLiteral("８分　　"), QStringLiteral("付点16分"),
    QStringLiteral("１６分"),   QStringLiteral("付点32分"), QStringLiteral("３２分"),   QStringLiteral("６４分")};
const QString kTempoCaptions[kTempoCount] = {QStringLiteral("60"),  QStringLiteral("70"),  QStringLiteral("80"),
                                             QStringLiteral("100"), QStringLiteral("120"), QStringLiteral("144"),
                                             QStringLiteral("160")};

// Key-signature boxes per letter (C..B); 0: none.
constexpr int kSharpBox[8] = {0, 2, 4, 0, 1, 3, 10, 0};
constexpr int kFlatBox[8] = {0, 0, 7, 6, 0, 9, 8, 5};

bool ticked(const KeySignature& key, int box) { return box > 0 && key[static_cast<size_t>(box)]; }

bool hasSharp(int letter) { return letter != 3 && letter != 7; }
bool hasFlat(int letter) { return letter != 1 && letter != 4; }

QString body(const QString& line) { return line.trimmed().mid(5).trimmed(); }

QString withData(const QString& text) {
  const QString kept = text.trimmed();
  return kept.isEmpty() ? QString() : QStringLiteral("data ") + kept;
}

}  // namespace

bool holdsNotes(const QString& line) { return line.size() > 5; }

QString noteCaption(int slot) {
  if (slot == kRestSlot) return QStringLiteral(" K (休符)");
  if (slot < 1 || slot > 63) return {};
  const int kind = (slot - 1) / 21;  // 0 natural, 1 sharp, 2 flat
  const int octave = ((slot - 1) % 21) / 7;
  const int letter = (slot - 1) % 7 + 1;
  if ((kind == 1 && !hasSharp(letter)) || (kind == 2 && !hasFlat(letter))) return {};
  QString caption;
  caption += kOctaveMarks[octave];
  caption += QLatin1Char(kLetters[letter - 1]);
  if (kind == 1) caption += QLatin1Char('#');
  if (kind == 2) caption += QLatin1Char('b');
  return caption + QStringLiteral(" (") + kSolfa[letter - 1] + QLatin1Char(')');
}

bool noteSlotVisible(int slot) { return !noteCaption(slot).isEmpty(); }

QString lengthCaption(int index) {
  return index >= 1 && index <= kLengthCount ? kLengthCaptions[index - 1] : QString();
}

QString lengthDigits(int index) { return lengthCaption(index).right(2).trimmed(); }

QString lengthReadable(int index) {
  return index >= 1 && index <= kLengthCount ? kLengthReadable[index - 1] : QString();
}

QString tempoCaption(int index) { return index >= 1 && index <= kTempoCount ? kTempoCaptions[index - 1] : QString(); }

Composed compose(int noteSlot, int lengthIndex, int tempoIndex) {
  Composed c;
  if (tempoIndex > 0) c.edit2 = QStringLiteral("data ") + tempoCaption(tempoIndex);
  if (noteSlot > 0) {
    const QString caption = noteCaption(noteSlot);
    c.edit1 = caption.left(3);
    c.edit131 = caption;
  }
  if (lengthIndex > 0) {
    c.edit1 += lengthDigits(lengthIndex);
    c.edit131 += lengthReadable(lengthIndex);
  }
  return c;
}

QString codeFromEdit(const QString& edit1) {
  QString code = edit1;
  code.replace(QLatin1Char(' '), QLatin1Char('_'));
  return code;
}

int solfegeSlot(int button, const KeySignature& key) {
  const int octave = (button - 1) / 7;
  const int letter = (button - 1) % 7 + 1;
  if (ticked(key, kSharpBox[letter])) return sharpSlot(octave, letter);
  if (ticked(key, kFlatBox[letter])) return flatSlot(octave, letter);
  return naturalSlot(octave, letter);
}

int whiteKeySlot(int panel) { return panel - 8; }

int blackKeySlot(int panel, const KeySignature& key) {
  // C#/Db, D#/Eb, F#/Gb, G#/Ab, A#/Bb: the sharp's letter.
  constexpr int kSharpLetter[5] = {1, 2, 4, 5, 6};
  const int index = panel - 30;
  const int octave = index / 5;
  const int sharpLetter = kSharpLetter[index % 5];
  const int flatLetter = sharpLetter + 1;
  if (ticked(key, kFlatBox[flatLetter])) return flatSlot(octave, flatLetter);
  return sharpSlot(octave, sharpLetter);
}

int restButtonLength(int button) { return 1 + 2 * (button - 33); }

std::array<bool, kNoteSlots + 1> keyColours(const KeySignature& key) {
  std::array<bool, kNoteSlots + 1> yellow{};
  for (int slot = 1; slot <= 21; ++slot) yellow[static_cast<size_t>(slot)] = true;
  // Boxes in number order, each moving the yellow from its letter's naturals
  // to its altered notes.
  for (int box = 1; box <= 10; ++box) {
    if (!key[static_cast<size_t>(box)]) continue;
    for (int letter = 1; letter <= 7; ++letter) {
      const bool sharp = kSharpBox[letter] == box;
      const bool flat = kFlatBox[letter] == box;
      if (!sharp && !flat) continue;
      for (int octave = 0; octave < 3; ++octave) {
        yellow[static_cast<size_t>(naturalSlot(octave, letter))] = false;
        yellow[static_cast<size_t>(sharp ? sharpSlot(octave, letter) : flatSlot(octave, letter))] = true;
      }
    }
  }
  return yellow;
}

AppendResult appendCode(DataLines& lines, int& curLine, const QString& code) {
  AppendResult result;
  curLine = qBound(1, curLine, kLineCount);
  QString& line = lines[static_cast<size_t>(curLine - 1)];
  if (curLine == kLineCount && line.size() >= kFullLength) {
    result.showFull = true;
    return result;
  }
  // Blanks the pupil left after the last code do not make the line a new one.
  QString kept = line;
  while (!kept.isEmpty() && kept.back().isSpace()) kept.chop(1);
  const QString quoted = QLatin1Char('"') + code + QLatin1Char('"');
  if (!kept.endsWith(QLatin1Char('"'))) line = QStringLiteral("data ") + quoted;
  else line = kept + QLatin1Char(',') + quoted;
  result.appended = true;
  if (line.size() >= kFullLength) {
    ++curLine;
    if (curLine > kLineCount) {
      curLine = kLineCount;
      result.showFull = true;
    }
  }
  return result;
}

bool insertEmptyLine(DataLines& lines, int s) {
  s = qBound(1, s, kLineCount);
  if (holdsNotes(lines[kLineCount - 1])) return false;
  for (int t = kLineCount; t >= s + 1; --t) lines[static_cast<size_t>(t - 1)] = lines[static_cast<size_t>(t - 2)];
  lines[static_cast<size_t>(s - 1)].clear();
  return true;
}

void tidy(DataLines& lines) {
  // Ten seven-character codes and their nine commas.
  constexpr int kLineBody = 79;
  for (int i = 0; i < kLineCount - 1; ++i) {
    QString& a = lines[static_cast<size_t>(i)];
    QString& b = lines[static_cast<size_t>(i + 1)];
    const QString bodyA = body(a);
    const QString bodyB = body(b);
    QString c = bodyA;
    if (!bodyA.isEmpty() && !bodyB.isEmpty()) c += QLatin1Char(',') + bodyB;
    else if (bodyA.isEmpty()) c = bodyB;
    if (c.size() <= kLineBody) {
      a = withData(c);
      b.clear();
      continue;
    }
    // Fill line i with whole codes up to the width of ten; the rest moves on.
    const QStringList items = c.split(QLatin1Char(','));
    QString first = items[0];
    qsizetype k = 1;
    while (k < items.size() && first.size() + 1 + items[k].size() <= kLineBody) first += QLatin1Char(',') + items[k++];
    a = withData(first);
    b = withData(items.mid(k).join(QLatin1Char(',')));
  }
}

}  // namespace pelmora::musicbox
