#pragma once
// The 168 keys of the sign board's character palette, laid out like the LCD
// controller's character table. Captions are code page 932 bytes, as the
// cells and the sign-board file hold them.

#include <QByteArray>

namespace signboard {

inline constexpr int kKeyCount = 168;

// Character code of key k (1..168): 0x20-0x7F, 0xA0-0xDF, then 0-7.
int keyCode(int key);
// The code as the generated program writes it behind "data &H": two
// upper-case digits, one digit for the custom characters.
QByteArray keyHex(int key);
// What key k writes into a cell.
QByteArray keyCaption(int key);
// The first key whose caption equals text byte for byte; 0 for none (an
// empty text never matches).
int findKey(const QByteArray& text);

}  // namespace signboard
