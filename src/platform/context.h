#pragma once
// What every window of a program is handed: the program folder and the
// platform layers.

#include "platform/board.h"
#include "platform/clock.h"
#include "platform/processes.h"
#include "platform/prompts.h"

#include <QString>

namespace platform {

struct AppContext {
  QString appDir;  // program folder, ends in "/"
  Board& board;
  Prompts& prompts;
  Processes& processes;
  Clock& clock;

  // A path inside the program folder; "data\x" style paths become data/x.
  QString path(QString relative) const {
    relative.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return appDir + relative;
  }
};

// The current directory at start with a trailing "/".
QString programFolder();

// A file-name part typed by a pupil that stays inside its folder: not empty,
// no path separators, no "..", no control characters.
bool isSafeNamePart(const QString& part);

}  // namespace platform
