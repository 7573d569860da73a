#pragma once
// The BASIC program that shows a sign-board design on a two-line character
// LCD: custom characters, three input pins choosing one of eight messages,
// and one of eight motions, for ever.

#include "control/signboard/sign_design.h"

#include <QByteArray>
#include <QList>

#include <array>

namespace signboard {

// The motion radio buttons, in the order the generator tests them.
enum class Motion { Hidari, Stop, Migi, BlinkHidari, Blink, BlinkMigi, HidariStop, StopHidari };

struct BasicInput {
  bool mega168 = false;    // ATmega168p, else Attiny2313
  bool crystal12 = false;  // 12 MHz crystal
  std::array<QByteArray, kGlyphs> glyphs;
  Motion motion = Motion::Stop;
  QByteArray shiftMs = "300";  // S: the wait of every shift and scroll step
  QByteArray blinkCount = "5";  // N
  QByteArray blinkMs = "300";   // T, as taken from the blink-time box
  std::array<QByteArray, 3> pins{"pinD.3", "pinD.4", "pinD.5"};  // weights 1, 2, 4
  std::array<QByteArray, kConditions> messages;
};

// The program, one line each, without line ends.
QList<QByteArray> generateBasic(const BasicInput& input);
// File bytes: every line followed by CR LF, then one more CR LF.
QByteArray basicFileBytes(const QList<QByteArray>& lines);

}  // namespace signboard
