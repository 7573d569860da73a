#pragma once
// Workbench program files (<number>-<n>.bas, 例-<n>.bas): a comment line made
// of one marker character and the comment, the program lines as they stand,
// and one empty line. Code page 932, CR LF.

#include "platform/textfile.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace pelmora::workbench {

struct ProgramText {
  QString comment;
  QStringList lines;
};

namespace program_file {

// The lines written for a program: "'" + comment, the lines, an empty line.
QStringList fileLines(const QString& comment, const QStringList& lines);

// Atomic: a failed write leaves the old file whole and says why.
platform::WriteResult write(const QString& path, const QString& comment, const QStringList& lines);

// Every non-empty line of the file in order; nullopt when it cannot be read.
std::optional<QStringList> readNonEmptyLines(const QString& path);

// The first line loses its first character (whatever it is) and becomes the
// comment; the rest are the program. nullopt for no lines at all.
std::optional<ProgramText> splitComment(const QStringList& nonEmptyLines);

// The comment of an example file: its first line without the first
// character; empty when the file is missing or its first line is empty.
QString firstLineComment(const QString& path);

}  // namespace program_file

}  // namespace pelmora::workbench
