#include "platform/context.h"

#include <QDir>

namespace platform {

QString programFolder() {
  QString dir = QDir::currentPath();
  if (!dir.endsWith(QLatin1Char('/'))) dir += QLatin1Char('/');
  return dir;
}

bool isSafeNamePart(const QString& part) {
  if (part.isEmpty() || part == QLatin1String(".") || part.contains(QLatin1String(".."))) return false;
  for (QChar c : part) {
    if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c == QLatin1Char(':') || c.category() == QChar::Other_Control)
      return false;
  }
  return true;
}

}  // namespace platform
