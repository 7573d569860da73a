#pragma once
// Turns a workbench program into BASIC text for the microcontroller: the
// declaration lines chosen in the settings box, then every program line
// translated on its own.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

namespace pelmora::workbench {

// The settings box "BASCOMの各種設定".
struct BascomSettings {
  bool mega168 = false;      // RBavr2 "ATmega168p" instead of RBavr1 "Attiny2313"
  bool crystal12MHz = false;  // CBcrystal
  bool lcd = true;            // bccb3
  bool portBOutput = true;    // bccb4: shown, adds no line
  bool portDInput = true;     // bccb5
  bool variablesIJK = true;   // bccb6
  bool variableA = true;      // bccb7
  bool variablesWt = true;    // bccb8

  // The microcontroller and crystal a target circuit (1-3) stands for; the
  // declaration boxes keep their state.
  void selectCircuit(int circuit);
};

QStringList bascomHeader(const BascomSettings& settings);

struct LineTranslation {
  QString programLine;  // the line with full-width blanks made ordinary
  QStringList output;
  bool ok = true;       // false: a number the line needs is not a whole number
};

LineTranslation translateLine(const QString& line);

struct BascomText {
  QStringList lines;           // header, then the translated program
  QStringList program;         // the program with full-width blanks made ordinary
  std::optional<int> badLine;  // index of the first line whose number is no whole number
};

BascomText generateBascom(const QStringList& program, const BascomSettings& settings);

// Every line followed by CR LF, then one more CR LF; code page 932.
// nullopt when a character has no code page 932 form.
std::optional<QByteArray> bascomFileBytes(const QStringList& lines);

// A whole number as the program lines write it: optional sign, decimal digits
// or "$" and hexadecimal digits, blanks around allowed.
std::optional<int> parseWholeNumber(const QString& text);

}  // namespace pelmora::workbench
