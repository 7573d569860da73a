#include "control/workbench/basic_files.h"

#include "control/workbench/basic_generator.h"
#include "platform/textfile.h"

#include <QDir>

namespace pelmora::workbench {

BascomWrite writeBascomFiles(const QString& appDir, const QStringList& lines) {
  BascomWrite result;
  const auto bytes = bascomFileBytes(lines);
  if (!bytes) {
    for (const QString& line : lines) {
      if (const auto c = platform::cp932::firstUnencodable(line)) {
        result.message = QStringLiteral("「") + line + QStringLiteral("」の文字「") + *c +
                         QStringLiteral("」はBASICファイルに書けません！");
        break;
      }
    }
    return result;
  }
  QStringList failures;
  for (const QString& relative : {QStringLiteral("data/bascom.bas"), QStringLiteral("mirvotak/mirvotak.bas")}) {
    const QString path = appDir + relative;
    const platform::WriteResult w = platform::textfile::writeBytes(path, *bytes);
    if (!w) failures << QDir::toNativeSeparators(path) + QStringLiteral("に書き込めません！") + QLatin1Char('\n') + w.error;
  }
  result.ok = failures.isEmpty();
  result.message = failures.join(QLatin1Char('\n'));
  return result;
}

BascomStep generateBascomFiles(const QStringList& program, const BascomSettings& settings, const QString& appDir) {
  BascomStep step;
  const BascomText text = generateBascom(program, settings);
  step.program = text.program;
  if (text.badLine) {
    step.message = QStringLiteral("%1行目「%2」の数値が正しくありません！")
                       .arg(*text.badLine + 1)
                       .arg(text.program[*text.badLine].trimmed());
    return step;
  }
  const BascomWrite w = writeBascomFiles(appDir, text.lines);
  step.ok = w.ok;
  step.message = w.message;
  return step;
}

}  // namespace pelmora::workbench
