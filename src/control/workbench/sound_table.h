#pragma once
// The Sound instruction "Sound <pin>,<count>,<period>" and the note table that
// computes both numbers from a note's frequency, a note length and a tempo.

#include <QString>
#include <QStringList>

#include <array>

namespace pelmora::workbench {

// Rounds to the nearest whole number, halves to the even neighbour.
long long roundHalfEven(double value);

struct Note {
  const char16_t* name;       // row 0; empty for the sharps between named notes
  const char* frequency;      // row 1: ten times the frequency in Hz, as text
};
// Columns 1-20 of the table (index 0 is column 1).
const std::array<Note, 20>& noteColumns();

struct NoteLength {
  const char* nagasa;         // in 64ths of a whole note
  const char16_t* name;
};
// Length bar positions 1-11 (index 0 is position 1).
const std::array<NoteLength, 11>& noteLengths();
// Tempo bar positions 1-10 (index 0 is position 1).
const std::array<const char*, 10>& tempos();

// Row 2: the count for a note of length n (64ths) at tempo t.
int soundCount(double frequency, int n, int t);
// Row 3: the period; the same for every length and tempo.
int soundPeriod(double frequency);

struct NoteTable {
  std::array<int, 20> count{};
  std::array<int, 20> period{};
};
NoteTable computeNoteTable(int n, int t);

// The bars' start values and ranges for a crystal setting.
struct SoundBars {
  int count = 335, countMin = 10, countMax = 1000;
  int period = 319, periodMin = 10, periodMax = 1000;
};
SoundBars soundDefaults(bool crystal12MHz);

// "Sound " + pin + "," + count + "," + period.
QString soundInstruction(const QString& pin, int count, int period);
// Keeps the pin part of an instruction (its first 13 characters) and puts in
// new numbers.
QString recomposeSound(const QString& instruction, const QString& count, const QString& period);

}  // namespace pelmora::workbench
