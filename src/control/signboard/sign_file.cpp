#include "control/signboard/sign_file.h"

namespace signboard {

SignFileContent parseSignFile(const QList<QByteArray>& lines) {
  SignFileContent content;
  const int count = static_cast<int>(qMin<qsizetype>(lines.size(), kSignFileLines));
  for (int k = 0; k < count; ++k) {
    const QByteArray& line = lines[k];
    if (k < kConditions) {
      // Editors strip trailing blanks: a short message reads its missing
      // cells as empty. A longer one is no message of this window.
      if (line.size() > kMessageBytes) {
        content.badLine = k + 1;
        return content;
      }
      content.messages[static_cast<size_t>(k)] = line;
    } else {
      if (!line.isEmpty() && !isGlyphDefinition(line)) {
        content.badLine = k + 1;
        return content;
      }
      content.glyphs[static_cast<size_t>(k - kConditions)] = line;
    }
  }
  return content;
}

void applySignFile(SignDesign& design, const SignFileContent& content) {
  if (content.badLine != 0) return;
  for (int n = 0; n < kConditions; ++n) {
    if (const auto& m = content.messages[static_cast<size_t>(n)]) design.setMessage(n, *m);
  }
  for (int g = 0; g < kGlyphs; ++g) {
    if (const auto& text = content.glyphs[static_cast<size_t>(g)]) design.setGlyph(g, *text);
  }
  design.jouken2();
}

QList<QByteArray> signFileLines(const SignDesign& design) {
  QList<QByteArray> lines;
  for (int n = 0; n < kConditions; ++n) lines.append(design.message(n));
  for (int g = 0; g < kGlyphs; ++g) lines.append(design.glyph(g));
  return lines;
}

}  // namespace signboard
