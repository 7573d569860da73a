#pragma once
// bremelo_san.ini: 18 lines, line k the decimal text of entry k of the
// window-position table, nothing else.

#include "platform/numbers.h"

#include <QString>
#include <QStringList>

#include <array>
#include <optional>

namespace bremilo {

// Entries 1-18 hold Top/Left pairs; 0 and 19 stay 0.
using PositionTable = std::array<qint32, 20>;

inline const QString kSettingsName = QStringLiteral("bremelo_san.ini");
inline constexpr int kSettingsLines = 18;

using platform::parseInt;

struct SettingsReadResult {
  // Lines taken into the table, from line 1 on.
  int linesRead = 0;
  // 0 when all 18 lines were read; else the 1-based line where reading
  // stopped, missing or not a number.
  int stoppedAt = 0;
  bool missingLine = false;
};

// Reads lines 1-18 into entries 1-18 in order and stops at the first faulty
// line; the entries before it are kept.
SettingsReadResult readPositions(const QStringList& lines, PositionTable& table);
QStringList formatPositions(const PositionTable& table);
// The one message for a faulty file, or an empty string when all was read.
QString settingsProblem(const SettingsReadResult& r, const QStringList& lines);

}  // namespace bremilo
