#pragma once
// Reading program lines: the character positions the line forms are defined
// by, and numbers read strictly so a mistyped line is reported, not guessed.

#include "control/workbench/program_edit.h"  // trimBlanks

#include <QString>

#include <optional>

namespace pelmora::workbench {

// 1-based position of sub in s, 0 when absent.
int pos(const QString& sub, const QString& s);

// count characters from the 1-based index; out-of-range parts are cut off.
QString copy(const QString& s, int index, int count);

// Everything after the first count characters.
inline QString after(const QString& s, int count) { return copy(s, count + 1, s.size()); }

// The text between the first open and the first close marker (both 1 character).
QString between(const QString& s, QChar open, QChar close);

// 1-based character, or a null character past the end.
QChar charAt(const QString& s, int index);

// A decimal integer with an optional sign, blanks around it allowed; nothing
// when the text is empty, holds anything else or does not fit 32 bits.
std::optional<qint32> readNumber(const QString& text);

// Checked arithmetic on the program's 32-bit values; nothing on overflow.
std::optional<qint32> checkedAdd(qint32 a, qint32 b);
std::optional<qint32> checkedSub(qint32 a, qint32 b);
std::optional<qint32> checkedMul(qint32 a, qint32 b);

// base to the power exp as the program computes it: in floating point, the
// result read back as an integer.
enum class PowerFault { None, TooLarge, Fraction };
struct PowerResult {
  qint32 value = 0;
  PowerFault fault = PowerFault::None;
};
PowerResult power(qint32 base, qint32 exp);

}  // namespace pelmora::workbench
