#include "control/experiments/number_entry.h"

#include "platform/numbers.h"
#include "platform/prompts.h"

namespace pelmora::experiments {

QString notANumberText(const QString& text) {
  return QStringLiteral("「%1」は数値ではありません！").arg(text);
}

std::optional<int> numberFromEdit(const QString& text, platform::Prompts& prompts) {
  const auto value = platform::parseInt(text);
  if (!value) prompts.message(notANumberText(text));
  return value;
}

}  // namespace pelmora::experiments
