#pragma once
// One byte broken down three ways: binary to decimal by place values, binary
// to hexadecimal by nibbles, decimal to binary by repeated halving.

#include <QString>

#include <array>

namespace pelmora::experiments {

struct BinaryBreakdown {
  int n = 0;                         // 0-255
  std::array<bool, 8> digit{};       // index: bit number
  std::array<int, 8> nibbleWeight{}; // 8, 4, 2, 1 within each nibble when the digit is 1, else 0
  int highNibble = 0;
  int lowNibble = 0;
  QString highHex;                   // "&HC"
  QString lowHex;                    // "&H8"
  QString wholeHex;                  // "&HC8"
  // The halving column, index k for the label of bit k: n at bit 7, n div 2
  // at bit 6, ..., n div 128 at bit 0.
  std::array<int, 8> halving{};
  // The remainder digit of bit k (k >= 1) shows only when n > 2^k - 1; that
  // of bit 0 always shows.
  std::array<bool, 8> remainderShown{};
};

// n outside 0-255 is clamped first, so no wider or negative value is shown.
BinaryBreakdown breakDown(int n);

// "１" or "０" for bit k of v, as the input displays show a level.
QString levelText(int v, int bit);

}  // namespace pelmora::experiments
