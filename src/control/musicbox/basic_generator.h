#pragma once
// The BASIC program that plays the melody as square-wave tones on one pin,
// optionally only while an input pin has a chosen level.

#include "control/musicbox/melody.h"

#include <QStringList>

#include <optional>

namespace pelmora::musicbox {

struct GeneratorSettings {
  bool attiny2313 = true;      // else ATmega168p
  bool crystal12MHz = false;   // else the internal 1 MHz
  QString soundLine = QStringLiteral("         Sound Portb.0,Mtw1,Mtw2");
  bool inputCondition = false;
  bool conditionLow = true;    // "=0" else "=1"
  int conditionPin = 6;        // the D pin: 0, 1, 3, 4, 5 or 6
};

// The two files differ in the indent of the unconditional call.
enum class BasicTarget { Bascom, Mirvotak };

QStringList generateBasic(const GeneratorSettings& settings, const QString& tempoLine, const DataLines& lines,
                          BasicTarget target);

// The Sound statement for an output pin such as "Portb.0" or "PortC.5".
QString soundLineFor(const QString& pin);

// The tempo of a tempo line "data N" when N is 1..255, the range the program
// reads into a byte and divides by; only ASCII blanks may stand around it.
std::optional<int> tempoOf(const QString& tempoLine);
inline const QString kTempoRangeMessage =
    QStringLiteral("テンポは「data 120」のように、1から255までの数で書いてください！");

}  // namespace pelmora::musicbox
