#pragma once
// Writes generated BASIC text to the two files the compiler and the pupil see.

#include <QString>
#include <QStringList>

namespace pelmora::workbench {

struct BascomWrite {
  bool ok = false;
  QString message;  // for the pupil when !ok: every file that could not be written
};

// Writes data/bascom.bas and mirvotak/mirvotak.bas under appDir (ends in
// "/"), both with the same bytes. Both are tried; a file that fails keeps its
// old content.
BascomWrite writeBascomFiles(const QString& appDir, const QStringList& lines);

}  // namespace pelmora::workbench
