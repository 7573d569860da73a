#include "control/workbench/program_file.h"

namespace pelmora::workbench::program_file {

QStringList fileLines(const QString& comment, const QStringList& lines) {
  QStringList out;
  out.reserve(lines.size() + 2);
  out.append(QStringLiteral("'") + comment);
  out.append(lines);
  out.append(QString());
  return out;
}

platform::WriteResult write(const QString& path, const QString& comment, const QStringList& lines) {
  return platform::textfile::writeLines(path, fileLines(comment, lines));
}

std::optional<QStringList> readNonEmptyLines(const QString& path) {
  auto lines = platform::textfile::readLines(path);
  if (!lines) return std::nullopt;
  QStringList kept;
  for (const QString& line : *lines) {
    if (!line.isEmpty()) kept.append(line);
  }
  return kept;
}

std::optional<ProgramText> splitComment(const QStringList& nonEmptyLines) {
  if (nonEmptyLines.isEmpty()) return std::nullopt;
  ProgramText text;
  text.comment = nonEmptyLines.first().mid(1);
  text.lines = nonEmptyLines.mid(1);
  return text;
}

QString firstLineComment(const QString& path) {
  auto lines = platform::textfile::readLines(path);
  if (!lines || lines->isEmpty()) return {};
  return lines->first().mid(1);
}

}  // namespace pelmora::workbench::program_file
