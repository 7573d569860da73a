#include "control/signboard/lcd_palette.h"

#include <array>

namespace signboard {

namespace {

// Code 0x7F is a left arrow on the LCD; "←" keeps its caption apart from
// every other key, so a cell always finds its own key again.
const QByteArray kArrowLeft("\x81\xA9", 2);

}  // namespace

int keyCode(int key) {
  if (key < 1 || key > kKeyCount) return -1;
  const int n = key - 1;
  const int column = n / 16;
  const int low = n % 16;
  if (column == 10) return low;
  static constexpr std::array<int, 10> high{2, 3, 4, 5, 6, 7, 0xA, 0xB, 0xC, 0xD};
  return high[static_cast<size_t>(column)] * 16 + low;
}

QByteArray keyHex(int key) {
  const int code = keyCode(key);
  if (code < 0) return {};
  return QByteArray::number(code, 16).toUpper();
}

QByteArray keyCaption(int key) {
  const int code = keyCode(key);
  if (code < 0) return {};
  if (key > 160) return "G" + QByteArray::number(code);
  if (code == 0x26) return "&&";
  if (code == 0x7F) return kArrowLeft;
  if (code == 0xA0) return {};
  return QByteArray(1, static_cast<char>(code));
}

int findKey(const QByteArray& text) {
  if (text.isEmpty()) return 0;
  for (int key = 1; key <= kKeyCount; ++key) {
    if (keyCaption(key) == text) return key;
  }
  return 0;
}

}  // namespace signboard
