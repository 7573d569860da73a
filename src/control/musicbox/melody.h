#pragma once
// The melody of the music box: 13 data lines of quoted five-character note
// codes ("_C_16": octave mark, letter, accidental, length in 64ths) and a
// tempo line, with the editor's operations on them.

#include <QString>
#include <QStringList>

#include <array>

namespace pelmora::musicbox {

inline constexpr int kLineCount = 13;
// A line counts as full from here on; ten codes make 84 characters.
inline constexpr int kFullLength = 78;
inline constexpr int kCodesPerLine = 10;
inline constexpr int kNoteSlots = 66;
inline constexpr int kRestSlot = 66;
inline constexpr int kLengthCount = 12;
inline constexpr int kTempoCount = 7;

// Index 0 is data line 1.
using DataLines = std::array<QString, kLineCount>;

inline const QString kDefaultTempoLine = QStringLiteral("data 120");
inline const QString kFullMessage = QStringLiteral("データが一杯です！");

// A data line that a file or a program keeps: more than the bare "data ".
bool holdsNotes(const QString& line);

// --- The choices of the editor ---

// Note radio captions by slot 1..66; empty for the hidden placeholders.
QString noteCaption(int slot);
bool noteSlotVisible(int slot);
// octave 0 low, 1 middle, 2 high; letter 1..7 for C D E F G A B.
inline int naturalSlot(int octave, int letter) { return 7 * octave + letter; }
inline int sharpSlot(int octave, int letter) { return 7 * octave + letter + 21; }
inline int flatSlot(int octave, int letter) { return 7 * octave + letter + 42; }

// Length radio captions, index 1..12 (RBf1 .. RBf12).
QString lengthCaption(int index);
// The code's two length digits ("16").
QString lengthDigits(int index);
// The readable length ("４分").
QString lengthReadable(int index);
inline constexpr int kDefaultLength = 5;

// Tempo radio captions, index 1..7.
QString tempoCaption(int index);
inline constexpr int kDefaultTempo = 5;

struct Composed {
  QString edit1;    // the code with blanks for "_" (" C 16")
  QString edit131;  // readable (" C (ド)４分")
  QString edit2;    // "data " + tempo
};
// noteSlot, lengthIndex or tempoIndex 0: none checked.
Composed compose(int noteSlot, int lengthIndex, int tempoIndex);

// The code as it goes into a data line: blanks become "_".
QString codeFromEdit(const QString& edit1);

// --- Key signature ---

// Ticked boxes by their number, CheckBox1 .. CheckBox10 (index 0 unused).
using KeySignature = std::array<bool, 11>;

// The note radio a solfège button (1..21) checks: sharp first, then flat.
int solfegeSlot(int button, const KeySignature& key);
// The note radio a white key panel (9..29) checks, whatever the key.
int whiteKeySlot(int panel);
// The note radio a black key panel (30..44) checks: flat first, then sharp.
int blackKeySlot(int panel, const KeySignature& key);
// Rest buttons 33..37: the length radio they check (1, 3, 5, 7, 9).
int restButtonLength(int button);
// Per slot 1..66 (index 0 unused): true when yellow, a note of the key.
std::array<bool, kNoteSlots + 1> keyColours(const KeySignature& key);

// --- Line operations ---

struct AppendResult {
  bool appended = false;
  bool showFull = false;  // "データが一杯です！"
};
// Appends a code to line curLine (1..13) and moves curLine on when the line
// becomes full. Refuses when line 13 is full already, so nothing grows past
// the last line.
AppendResult appendCode(DataLines& lines, int& curLine, const QString& code);

// 下へ移動: an empty line at s, lines below move down. Refuses (false) when
// line 13 holds notes, which would be pushed out.
bool insertEmptyLine(DataLines& lines, int s);

// 整理: merges and reflows neighbouring lines, ten codes to a line, splitting
// only between codes.
void tidy(DataLines& lines);

}  // namespace pelmora::musicbox
