#include "control/signboard/sign_design.h"

#include "control/signboard/lcd_palette.h"

#include <QList>

#include <limits>

namespace signboard {

QByteArray trimBlanks(const QByteArray& text) {
  qsizetype from = 0;
  qsizetype to = text.size();
  while (from < to && text[from] == ' ') ++from;
  while (to > from && text[to - 1] == ' ') --to;
  return text.mid(from, to - from);
}

QByteArray packMessage(const Cells& cells) {
  QByteArray message;
  message.reserve(kMessageBytes);
  for (const QByteArray& text : cells) message.append(("  " + text).right(2));
  return message;
}

QByteArray messageCell(const QByteArray& message, int cell) {
  return trimBlanks(message.mid(2 * (cell - 1), 2));
}

int conditionOf(bool box1, bool box2, bool box4) { return (box1 ? 1 : 0) + (box2 ? 2 : 0) + (box4 ? 4 : 0); }

SignDesign::SignDesign() {
  for (int g = 0; g < kGlyphs; ++g) glyphs_[static_cast<size_t>(g)] = defaultGlyph(g);
}

void SignDesign::typeKey(int key) {
  setCell(cursor_, keyCaption(key));
  cursor_ = cursor_ >= kCells ? 1 : cursor_ + 1;
}

void SignDesign::placeCursor(int cell) {
  if (cell >= 1 && cell <= kCells) cursor_ = cell;
}

void SignDesign::clearCells() {
  for (QByteArray& c : cells_) c.clear();
}

void SignDesign::clearAll() {
  clearCells();
  for (QByteArray& m : messages_) m.clear();
}

void SignDesign::jouken(int selected) {
  messages_[static_cast<size_t>(condition_)] = packMessage(cells_);
  if (selected >= 0 && selected < kConditions) condition_ = selected;
  jouken2();
}

void SignDesign::jouken2() {
  const QByteArray& m = message(condition_);
  for (int i = 1; i <= kCells; ++i) setCell(i, messageCell(m, i));
}

void DotGrid::invert() {
  for (bool& d : dots_) d = !d;
}

int DotGrid::rowValue(int r) const {
  int value = 0;
  for (int c = 1; c <= 5; ++c) {
    if (dot((r - 1) * 5 + c)) value += 1 << (5 - c);
  }
  return value;
}

QByteArray DotGrid::definition(int g) const {
  QByteArray text = QByteArray::number(g);
  for (int r = 1; r <= 8; ++r) text += ',' + QByteArray::number(rowValue(r));
  return text;
}

std::optional<QByteArray> DotGrid::paint(const QByteArray& definition) {
  const qsizetype comma = definition.indexOf(',');
  QByteArray rest = comma < 0 ? definition : definition.mid(comma + 1);
  std::array<int, 8> rows{};
  for (int r = 0; r < 8; ++r) {
    const qsizetype p = rest.indexOf(',');
    const QByteArray field = p < 0 ? rest : rest.left(p);
    const auto value = parseWholeNumber(field);
    if (!value) return field;
    rows[static_cast<size_t>(r)] = *value;
    if (p >= 0) rest = rest.mid(p + 1);
  }
  for (int r = 0; r < 8; ++r) {
    // Greedy from the left weight down: 32 and more light the whole row.
    qint64 v = rows[static_cast<size_t>(r)];
    for (int c = 1; c <= 5; ++c) {
      const int w = 1 << (5 - c);
      const bool black = v >= w;
      if (black) v -= w;
      setDot(r * 5 + c, black);
    }
  }
  return std::nullopt;
}

std::optional<int> parseWholeNumber(const QByteArray& field) {
  if (field.isEmpty() || field.size() > 11) return std::nullopt;
  qsizetype i = field[0] == '-' ? 1 : 0;
  if (i == field.size()) return std::nullopt;
  qint64 value = 0;
  for (; i < field.size(); ++i) {
    const char ch = field[i];
    if (ch < '0' || ch > '9') return std::nullopt;
    value = value * 10 + (ch - '0');
  }
  if (field[0] == '-') value = -value;
  if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max()) return std::nullopt;
  return static_cast<int>(value);
}

bool isGlyphDefinition(const QByteArray& text) {
  const QList<QByteArray> fields = text.split(',');
  if (fields.size() < 2 || fields.size() > 9) return false;
  for (const QByteArray& f : fields) {
    if (!parseWholeNumber(f)) return false;
  }
  return true;
}

QByteArray defaultGlyph(int g) { return QByteArray::number(g) + ",31,31,31,31,31,31,31,31"; }

}  // namespace signboard
