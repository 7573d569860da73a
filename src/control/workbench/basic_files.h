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

struct BascomSettings;

struct BascomStep {
  bool ok = false;       // both files written: the upload may follow
  QStringList program;   // the program with full-width blanks made ordinary
  QString message;       // for the pupil when !ok
};

// The whole "アップロード" step but the upload: generates the text of program
// and writes both files. A line whose number is not a whole number stops it
// before any file is written.
BascomStep generateBascomFiles(const QStringList& program, const BascomSettings& settings, const QString& appDir);

}  // namespace pelmora::workbench
