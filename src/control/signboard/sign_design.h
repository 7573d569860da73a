#pragma once
// The sign-board design: the 80 cells on screen with their cursor, the eight
// condition messages, the eight custom-character definitions and the dot
// grid they are drawn on. Texts stay code page 932 bytes throughout.

#include <QByteArray>

#include <array>
#include <optional>

namespace signboard {

inline constexpr int kCells = 80;
inline constexpr int kConditions = 8;
inline constexpr int kGlyphs = 8;
inline constexpr int kMessageBytes = 2 * kCells;
inline constexpr int kDots = 40;

using Cells = std::array<QByteArray, kCells>;

// Leading and trailing blanks removed.
QByteArray trimBlanks(const QByteArray& text);
// Each cell right-aligned in a field of two bytes: 160 bytes.
QByteArray packMessage(const Cells& cells);
// Cell i (1..80) read back from a message; where the message is short the
// cell reads as empty.
QByteArray messageCell(const QByteArray& message, int cell);
// Condition number of the three switch boxes (weights 1, 2 and 4).
int conditionOf(bool box1, bool box2, bool box4);

class SignDesign {
 public:
  SignDesign();

  // Cells 1..80; cell 41 starts the second LCD line.
  const QByteArray& cell(int i) const { return cells_[static_cast<size_t>(i - 1)]; }
  void setCell(int i, const QByteArray& text) { cells_[static_cast<size_t>(i - 1)] = text; }
  const Cells& cells() const { return cells_; }

  int cursor() const { return cursor_; }
  // A palette key: its caption into the cursor cell, then the cursor moves
  // on, from cell 80 back to cell 1.
  void typeKey(int key);
  void placeCursor(int cell);

  // 削除: the cells only. 全削除: the cells and every condition message.
  void clearCells();
  void clearAll();

  int condition() const { return condition_; }
  const QByteArray& message(int n) const { return messages_[static_cast<size_t>(n)]; }
  void setMessage(int n, const QByteArray& text) { messages_[static_cast<size_t>(n)] = text; }
  // Stores the cells into the shown condition, switches to `selected` and
  // shows its message.
  void jouken(int selected);
  // Shows the message of the current condition.
  void jouken2();

  // Custom character g (0..7).
  const QByteArray& glyph(int g) const { return glyphs_[static_cast<size_t>(g)]; }
  void setGlyph(int g, const QByteArray& text) { glyphs_[static_cast<size_t>(g)] = text; }

 private:
  Cells cells_;
  int cursor_ = 1;
  int condition_ = 0;
  std::array<QByteArray, kConditions> messages_;
  std::array<QByteArray, kGlyphs> glyphs_;
};

// The 5 x 8 dot grid of the custom-character editor, row-major: dot
// (row r, column c) is (r-1)*5 + c. true is a black (lit) dot.
class DotGrid {
 public:
  DotGrid() { dots_.fill(true); }
  bool dot(int n) const { return dots_[static_cast<size_t>(n - 1)]; }
  void setDot(int n, bool black) { dots_[static_cast<size_t>(n - 1)] = black; }
  void toggle(int n) { setDot(n, !dot(n)); }
  void fill(bool black) { dots_.fill(black); }
  void invert();
  // Row r (1..8): leftmost dot 16 down to rightmost 1.
  int rowValue(int r) const;
  // 確定: "g,r1,...,r8".
  QByteArray definition(int g) const;
  // Paints the rows of a definition (glyph number first). Rows past the
  // list repeat its last value; values of 31 and more light the whole row,
  // negative ones none. On a field that is no whole number nothing changes
  // and the field is returned.
  std::optional<QByteArray> paint(const QByteArray& definition);

 private:
  std::array<bool, kDots> dots_{};
};

// A whole number as the definitions hold it: optional minus, digits, 32 bits.
std::optional<int> parseWholeNumber(const QByteArray& field);
// A definition a file may hold: the glyph number and one to eight rows, all
// whole numbers joined by commas.
bool isGlyphDefinition(const QByteArray& text);
// The start value of custom character g: a full block.
QByteArray defaultGlyph(int g);

}  // namespace signboard
