#pragma once
// The sign-board file: 16 lines, CR LF, code page 932. Lines 1-8 hold the
// condition messages 0-7 (empty or 160 bytes; a shorter line is a message
// whose trailing blank cells were cut off), lines 9-16 the custom
// characters G0-G7.

#include "control/signboard/sign_design.h"

#include <QByteArray>
#include <QList>

#include <array>
#include <optional>

namespace signboard {

inline constexpr int kSignFileLines = 2 * kConditions;

struct SignFileContent {
  // A slot whose line the file lacks keeps its text: nullopt.
  std::array<std::optional<QByteArray>, kConditions> messages;
  std::array<std::optional<QByteArray>, kGlyphs> glyphs;
  // 1-based number of the first line that is no message or no custom
  // character; 0 when every line is sound. Such a file changes nothing.
  int badLine = 0;
};

// Lines after the 16th are ignored.
SignFileContent parseSignFile(const QList<QByteArray>& lines);
// Sets the slots the file holds, then shows the current condition.
void applySignFile(SignDesign& design, const SignFileContent& content);
// The 16 lines of a design (the caller stores the cells first).
QList<QByteArray> signFileLines(const SignDesign& design);

}  // namespace signboard
