#pragma once
// pelmora.ini: 22 lines, one value a line, no keys, read and written in a
// fixed order.

#include "platform/numbers.h"

#include <QString>
#include <QStringList>

#include <array>
#include <optional>

namespace pelmora {

// The window-position table: entries 1-16 hold Top/Left pairs.
using PositionTable = std::array<qint32, 20>;

inline const QString kIniName = QStringLiteral("pelmora.ini");

struct MenuSettings {
  int top = 0;
  int left = 0;
  bool maikon = false;
  int circuit = 1;
  bool dialog = false;
  PositionTable positions{};  // entries 3-16 are lines 6-19
  QString edit2 = QStringLiteral("Edit2");
  bool douji = false;
  bool syokisettei = false;
};

using platform::parseInt;

// "60000" unless text is a whole number of at least 1000.
QString allowedTime(const QString& text);

// Steps of reading, in file order, so the menu can apply each as it comes.
struct SettingsReader {
  // Applies the lines on top of current. Returns 0 when every line was read,
  // else the 1-based number of the line where reading stopped (malformed or
  // missing); the lines before it are applied.
  static int read(const QStringList& lines, MenuSettings& current, int* linesApplied = nullptr);
};

QStringList formatSettings(const MenuSettings& s);

}  // namespace pelmora
